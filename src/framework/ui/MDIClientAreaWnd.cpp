#include "framework/ui/MDIClientAreaWnd.h"

#include "framework/ui/MDIChildWndEx.h"
#include "framework/ui/VisualManager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDrag>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace lw {

namespace {
constexpr const char* kTabMime = "application/x-loomwrite-document-tab";
constexpr unsigned ID_NEW_VERTICAL_TAB_GROUP = 32955;
constexpr unsigned ID_NEW_HORIZONTAL_TAB_GROUP = 32956;
QPointer<CChildWidget> g_dragged;

// The caption window of a document in the classic layout; its close box asks the frame.
class CMDISubWindow : public QMdiSubWindow {
public:
    CMDISubWindow(CMDIClientAreaWnd* area, CChildWidget* child) : m_area(area), m_child(child) {
        setAttribute(Qt::WA_DeleteOnClose, false);
        setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
        setWindowTitle(child->windowTitle());
        setWindowIcon(child->windowIcon());
        QObject::connect(child, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (m_child && m_area && m_area->onCloseRequested)
            QMetaObject::invokeMethod(
                m_area, [area = m_area, child = m_child] {
                    if (area && child && area->onCloseRequested)
                        area->onCloseRequested(child);
                },
                Qt::QueuedConnection);
    }

private:
    QPointer<CMDIClientAreaWnd> m_area;
    QPointer<CChildWidget> m_child;
};

// Lies over a tab group while a tab is dragged: the page below would take the drop itself.
class CDropLayer : public QWidget {
public:
    explicit CDropLayer(CMDITabGroup* group) : QWidget(group), m_group(group) {
        setAcceptDrops(true);
        hide();
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (!m_group->acceptsDrag(event->mimeData()))
            return;
        event->acceptProposedAction();
        m_hover = true;
        update();
    }
    void dragLeaveEvent(QDragLeaveEvent*) override {
        m_hover = false;
        update();
    }
    void dropEvent(QDropEvent* event) override {
        m_hover = false;
        if (!m_group->acceptsDrag(event->mimeData()))
            return;
        event->acceptProposedAction();
        m_group->drop(mapTo(m_group, event->position().toPoint()));
    }
    void paintEvent(QPaintEvent*) override {
        // Where the tab would go: the whole group, tinted.
        if (!m_hover)
            return;
        QPainter p(this);
        QColor tint = palette().color(QPalette::Highlight);
        tint.setAlpha(60);
        p.fillRect(rect(), tint);
        p.setPen(QPen(palette().color(QPalette::Highlight), 3));
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }

private:
    CMDITabGroup* m_group;
    bool m_hover = false;
};

// The colours tabs take in turn when automatic colouring is on.
std::vector<QColor> defaultTabColors() {
    return {QColor(0x9b, 0xbb, 0xe3), QColor(0xc3, 0xd6, 0x9b), QColor(0xf7, 0xc2, 0x8c), QColor(0xd9, 0xb3, 0xe6),
            QColor(0xf2, 0xe0, 0x8a), QColor(0x93, 0xd3, 0xd0), QColor(0xf0, 0xa8, 0xa8)};
}
} // namespace

// ---------------------------------------------------------------------------------------
// Tab row

CMDITabBar::CMDITabBar(const CMDITabInfo& info, QWidget* parent) : QTabBar(parent), m_colors(defaultTabColors()) {
    setDocumentMode(true);
    setExpanding(false);
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideRight);
    setFocusPolicy(Qt::NoFocus);
    SetInfo(info);
}

void CMDITabBar::SetInfo(const CMDITabInfo& info) {
    m_info = info;
    setMovable(info.m_bEnableTabSwap);
    setShape(info.m_tabLocation == CMDITabInfo::LOCATION_BOTTOM ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
    update();
}

QColor CMDITabBar::tabColor(int index) const {
    if (!m_info.m_bAutoColor || m_colors.empty())
        return palette().color(index == currentIndex() ? QPalette::Base : QPalette::Button);
    const int n = tabData(index).isValid() ? tabData(index).toInt() : index;
    return m_colors[static_cast<size_t>(n) % m_colors.size()];
}

void CMDITabBar::SetActiveGroup(bool active) {
    if (active == m_activeGroup)
        return;
    m_activeGroup = active;
    update();
}

QSize CMDITabBar::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    // Room for the title in bold, as the current tab shows it.
    QFont bold = font();
    bold.setBold(true);
    size.rwidth() += QFontMetrics(bold).horizontalAdvance(tabText(index)) -
                     fontMetrics().horizontalAdvance(tabText(index));
    // The slanted leading edge of the notebook shape needs room of its own.
    if (m_info.m_style == CMDITabInfo::STYLE_3D_ONENOTE)
        size.rwidth() += size.height() / 2;
    return size;
}

void CMDITabBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const CMFCVisualManager* look = CMFCVisualManager::GetInstance();
    look->OnFillBarBackground(&p, rect(), CMFCVisualManager::Bar::TabRow, false);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor line = look->GetTabLineColor();
    const bool notebook = m_info.m_style == CMDITabInfo::STYLE_3D_ONENOTE;
    // Inactive tabs first, the current one last so its shape overlaps its neighbours.
    std::vector<int> order;
    for (int i = 0; i < count(); ++i)
        if (i != currentIndex())
            order.push_back(i);
    if (currentIndex() >= 0)
        order.push_back(currentIndex());
    for (int i : order) {
        const QRect r = tabRect(i);
        if (!r.isValid() || !r.intersects(rect()))
            continue;
        const bool current = i == currentIndex();
        const int slant = notebook ? r.height() / 2 : 0;
        QPainterPath path;
        const qreal top = r.top() + (current ? 1 : 3), bottom = r.bottom() + 1;
        path.moveTo(r.left(), bottom);
        path.lineTo(r.left() + slant, top + 2);
        path.quadTo(r.left() + slant + 2, top, r.left() + slant + 6, top);
        path.lineTo(r.right() - 3, top);
        path.quadTo(r.right(), top, r.right(), top + 3);
        path.lineTo(r.right(), bottom);
        look->OnFillTab(&p, path, tabColor(i), current);

        QStyleOptionTab opt;
        initStyleOption(&opt, i);
        QRect textRect = r.adjusted(slant + 6, 0, -6, 0);
        if (QWidget* button = tabButton(i, QTabBar::RightSide); button && button->isVisible())
            textRect.setRight(button->geometry().left() - 2);
        QFont font = p.font();
        font.setBold(current && m_activeGroup);
        p.setFont(font);
        p.setPen(look->GetTabTextColor());
        p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                   p.fontMetrics().elidedText(opt.text, Qt::ElideRight, textRect.width()));
    }
    // The flat frame's line under the row, broken by the current tab.
    if (m_info.m_bFlatFrame) {
        p.setPen(QPen(line, 1));
        const int y = height() - 1;
        const QRect cur = currentIndex() >= 0 ? tabRect(currentIndex()) : QRect();
        if (cur.isValid()) {
            p.drawLine(0, y, cur.left(), y);
            p.drawLine(cur.right(), y, width(), y);
        } else {
            p.drawLine(0, y, width(), y);
        }
    }
}

void CMDITabBar::mousePressEvent(QMouseEvent* event) {
    m_pressPos = event->position().toPoint();
    m_pressIndex = event->button() == Qt::LeftButton ? tabAt(m_pressPos) : -1;
    QTabBar::mousePressEvent(event);
}

void CMDITabBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int away = std::max(QApplication::startDragDistance() * 2, height() / 2);
    // Dragged out of the row: the tab may go to another group.
    if (m_pressIndex >= 0 && (event->buttons() & Qt::LeftButton) && onDragOut &&
        (pos.y() < -away || pos.y() > height() + away)) {
        const int index = m_pressIndex;
        m_pressIndex = -1;
        // Ends the row's own reordering before the drag takes the pointer.
        QMouseEvent release(QEvent::MouseButtonRelease, m_pressPos, mapToGlobal(m_pressPos), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QTabBar::mouseReleaseEvent(&release);
        onDragOut(index);
        return;
    }
    QTabBar::mouseMoveEvent(event);
}

void CMDITabBar::mouseReleaseEvent(QMouseEvent* event) {
    m_pressIndex = -1;
    QTabBar::mouseReleaseEvent(event);
}

// ---------------------------------------------------------------------------------------
// Tab group

CMDITabGroup::CMDITabGroup(CMDIClientAreaWnd* area, const CMDITabInfo& info)
    : m_area(area), m_bar(new CMDITabBar(info, this)), m_documents(new QToolButton(this)),
      m_stack(new QStackedWidget(this)), m_info(info) {
    setAcceptDrops(true);
    m_documents->setToolTip(QStringLiteral("Active Files"));
    m_documents->setAccessibleName(QStringLiteral("Active Files"));
    m_documents->setArrowType(Qt::DownArrow);
    m_documents->setAutoRaise(true);
    m_documents->setFocusPolicy(Qt::NoFocus);
    m_documents->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(m_documents);
    m_documents->setMenu(menu);
    QObject::connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menu->clear();
        for (int i = 0; i < count(); ++i) {
            CChildWidget* c = child(i);
            QAction* a = menu->addAction(c->windowTitle());
            a->setCheckable(true);
            a->setChecked(c == current());
            QObject::connect(a, &QAction::triggered, this, [this, c = QPointer<CChildWidget>(c)] {
                if (c)
                    m_area->Activate(c);
            });
        }
    });

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_bar, 1);
    row->addWidget(m_documents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(row);
    layout->addWidget(m_stack, 1);
    applyInfo(info);

    QObject::connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index < m_stack->count())
            m_stack->setCurrentIndex(index);
        updateCloseButton();
        m_area->groupCurrentChanged(this);
    });
    QObject::connect(m_bar, &QTabBar::tabBarClicked, this, [this](int index) {
        // A click on the tab that is already current still makes its group the active one.
        if (index >= 0 && index == m_bar->currentIndex())
            m_area->groupCurrentChanged(this);
    });
    QObject::connect(m_bar, &QTabBar::tabMoved, this, [this](int from, int to) {
        QWidget* page = m_stack->widget(from);
        m_stack->removeWidget(page);
        m_stack->insertWidget(to, page);
        m_stack->setCurrentIndex(m_bar->currentIndex());
    });
    QObject::connect(m_bar, &QTabBar::tabCloseRequested, this, [this](int index) {
        if (CChildWidget* c = child(index); c && m_area->onCloseRequested)
            m_area->onCloseRequested(c);
    });
    m_bar->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(m_bar, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const int index = m_bar->tabAt(pos);
        if (index >= 0)
            m_area->showTabMenu(this, index, m_bar->mapToGlobal(pos));
    });
    m_bar->onDragOut = [this](int index) {
        CChildWidget* c = child(index);
        if (!c)
            return;
        auto* drag = new QDrag(m_bar);
        auto* data = new QMimeData;
        data->setData(QLatin1String(kTabMime), QByteArray());
        drag->setMimeData(data);
        drag->setPixmap(m_bar->grab(m_bar->tabRect(index)));
        CMDIClientAreaWnd::SetDraggedChild(c);
        const std::vector<CMDITabGroup*> groups = m_area->GetTabGroups();
        std::vector<QPointer<CMDITabGroup>> layered(groups.begin(), groups.end());
        for (CMDITabGroup* g : groups)
            g->showDropLayer(true);
        drag->exec(Qt::MoveAction);
        for (const QPointer<CMDITabGroup>& g : layered)
            if (g)
                g->showDropLayer(false);
        CMDIClientAreaWnd::SetDraggedChild(nullptr);
    };
}

void CMDITabGroup::applyInfo(const CMDITabInfo& info) {
    m_info = info;
    m_bar->SetInfo(info);
    m_documents->setVisible(info.m_bDocumentMenu);
    m_bar->setTabsClosable(false);
    updateCloseButton();
}

int CMDITabGroup::count() const { return m_stack->count(); }

CChildWidget* CMDITabGroup::child(int index) const { return static_cast<CChildWidget*>(m_stack->widget(index)); }

int CMDITabGroup::indexOf(CChildWidget* c) const { return m_stack->indexOf(c); }

CChildWidget* CMDITabGroup::current() const { return static_cast<CChildWidget*>(m_stack->currentWidget()); }

void CMDITabGroup::insert(int index, CChildWidget* c) {
    if (index < 0 || index > count())
        index = count();
    m_stack->insertWidget(index, c);
    m_bar->insertTab(index, c->windowTitle());
    m_bar->setTabData(index, c->property("lwTabColor"));
    m_bar->setTabToolTip(index, c->windowTitle());
    QObject::connect(c, &QWidget::windowTitleChanged, m_bar, [this, c](const QString& title) {
        const int i = indexOf(c);
        if (i >= 0) {
            m_bar->setTabText(i, title);
            m_bar->setTabToolTip(i, title);
        }
    });
    c->show();
    updateCloseButton();
}

void CMDITabGroup::take(CChildWidget* c) {
    const int index = indexOf(c);
    if (index < 0)
        return;
    QObject::disconnect(c, &QWidget::windowTitleChanged, m_bar, nullptr);
    // The bar's button for this tab goes with the tab.
    m_bar->removeTab(index);
    m_stack->removeWidget(c);
    c->setParent(nullptr);
    if (m_bar->currentIndex() >= 0)
        m_stack->setCurrentIndex(m_bar->currentIndex());
    updateCloseButton();
}

void CMDITabGroup::setCurrent(CChildWidget* c) {
    const int index = indexOf(c);
    if (index >= 0 && index != m_bar->currentIndex())
        m_bar->setCurrentIndex(index);
}

void CMDITabGroup::updateCloseButton() {
    // Only the current tab carries a close button, when the tab parameters ask for one.
    for (int i = 0; i < m_bar->count(); ++i) {
        QWidget* button = m_bar->tabButton(i, QTabBar::RightSide);
        const bool want = m_info.m_bActiveTabCloseButton && i == m_bar->currentIndex();
        if (want && !button) {
            auto* close = new QToolButton(m_bar);
            close->setAutoRaise(true);
            close->setFocusPolicy(Qt::NoFocus);
            close->setText(QStringLiteral("\u00d7"));
            close->setToolTip(QStringLiteral("Close"));
            close->setAccessibleName(QStringLiteral("Close"));
            close->setFixedSize(16, 16);
            QObject::connect(close, &QToolButton::clicked, this, [this, close] {
                for (int j = 0; j < m_bar->count(); ++j)
                    if (m_bar->tabButton(j, QTabBar::RightSide) == close)
                        emit m_bar->tabCloseRequested(j);
            });
            m_bar->setTabButton(i, QTabBar::RightSide, close);
        } else if (!want && button) {
            m_bar->setTabButton(i, QTabBar::RightSide, nullptr);
            button->deleteLater();
        }
    }
}

void CMDITabGroup::showDropLayer(bool show) {
    if (!m_dropLayer)
        m_dropLayer = new CDropLayer(this);
    m_dropLayer->setGeometry(rect());
    m_dropLayer->setVisible(show);
    if (show)
        m_dropLayer->raise();
}

void CMDITabGroup::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_dropLayer)
        m_dropLayer->setGeometry(rect());
}

bool CMDITabGroup::acceptsDrag(const QMimeData* data) const {
    return data && data->hasFormat(QLatin1String(kTabMime)) && CMDIClientAreaWnd::DraggedChild();
}

void CMDITabGroup::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptsDrag(event->mimeData()))
        event->acceptProposedAction();
}

void CMDITabGroup::dropEvent(QDropEvent* event) {
    if (!acceptsDrag(event->mimeData()))
        return;
    event->acceptProposedAction();
    drop(event->position().toPoint());
}

void CMDITabGroup::drop(const QPoint& groupPos) {
    CChildWidget* c = CMDIClientAreaWnd::DraggedChild();
    if (!c)
        return;
    // Dropped on the tab row: the tab goes where it was dropped; elsewhere, at the end.
    const QPoint onBar = m_bar->mapFrom(this, groupPos);
    const int index = m_bar->rect().contains(onBar) ? m_bar->tabAt(onBar) : -1;
    // The move deletes the source group when it empties, which may be the drag's source.
    QMetaObject::invokeMethod(
        m_area,
        [area = QPointer<CMDIClientAreaWnd>(m_area), dragged = QPointer<CChildWidget>(c),
         target = QPointer<CMDITabGroup>(this), index] {
            if (area && dragged && target)
                area->MoveToGroup(dragged, target, index);
        },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------
// The area

CMDIClientAreaWnd::CMDIClientAreaWnd(QWidget* parent)
    : QStackedWidget(parent), m_autoColors(defaultTabColors()), m_mdi(new QMdiArea(this)),
      m_splitter(new QSplitter(this)) {
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(5);
    addWidget(m_mdi);
    addWidget(m_splitter);
    setCurrentWidget(m_mdi);
    QObject::connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        if (m_tabs || m_updating)
            return;
        // The area lets go of its active window whenever the main window loses activation
        // (to a floating bar, a dialog, another program): the document stays the active one.
        if (!sub)
            return;
        auto* c = static_cast<CChildWidget*>(sub->widget());
        if (c && c != m_active) {
            m_active = c;
            if (onActivated)
                onActivated(c);
        }
    });
}

CMDIClientAreaWnd::~CMDIClientAreaWnd() = default;

CChildWidget* CMDIClientAreaWnd::DraggedChild() { return g_dragged; }
void CMDIClientAreaWnd::SetDraggedChild(CChildWidget* child) { g_dragged = child; }

void CMDIClientAreaWnd::SetAutoColors(std::vector<QColor> colors) {
    m_autoColors = std::move(colors);
    for (CMDITabGroup* g : GetTabGroups())
        g->GetTabBar()->SetTabColors(m_autoColors);
}

CMDITabGroup* CMDIClientAreaWnd::newGroup() {
    auto* group = new CMDITabGroup(this, m_info);
    group->GetTabBar()->SetTabColors(m_autoColors);
    return group;
}

std::vector<CMDITabGroup*> CMDIClientAreaWnd::GetTabGroups() const {
    std::vector<CMDITabGroup*> groups;
    for (int i = 0; i < m_splitter->count(); ++i)
        if (auto* g = dynamic_cast<CMDITabGroup*>(m_splitter->widget(i)))
            groups.push_back(g);
    return groups;
}

CMDITabGroup* CMDIClientAreaWnd::FindGroup(CChildWidget* child) const {
    for (CMDITabGroup* g : GetTabGroups())
        if (g->indexOf(child) >= 0)
            return g;
    return nullptr;
}

CMDITabGroup* CMDIClientAreaWnd::activeGroup() const {
    if (CMDITabGroup* g = m_active ? FindGroup(m_active) : nullptr)
        return g;
    const std::vector<CMDITabGroup*> groups = GetTabGroups();
    return groups.empty() ? nullptr : groups.front();
}

bool CMDIClientAreaWnd::IsMDITabbedGroupVertical() const { return m_splitter->orientation() == Qt::Horizontal; }

QMdiSubWindow* CMDIClientAreaWnd::SubWindowOf(CChildWidget* child) const {
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (sub->widget() == child)
            return sub;
    return nullptr;
}

QSize CMDIClientAreaWnd::UsableWindowSize() const {
    const QSize area = m_mdi->viewport()->size();
    return {std::max(320, area.width() * 3 / 4), std::max(240, area.height() * 3 / 4)};
}

void CMDIClientAreaWnd::placeNew(QMdiSubWindow* sub) {
    // Cascades from the window created before it, wrapping to the top left when it would leave the area.
    const QSize size = UsableWindowSize();
    const int step = std::max(20, sub->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4);
    QPoint pos(0, 0);
    const QList<QMdiSubWindow*> list = m_mdi->subWindowList(QMdiArea::CreationOrder);
    const int index = static_cast<int>(list.indexOf(sub));
    if (index > 0) {
        const QRect prev = list[index - 1]->geometry();
        pos = prev.topLeft() + QPoint(step, step);
        const QSize area = m_mdi->viewport()->size();
        if (pos.x() + size.width() > area.width() || pos.y() + size.height() > area.height())
            pos = QPoint(0, 0);
    }
    sub->setGeometry(QRect(pos, size));
}

void CMDIClientAreaWnd::addSubWindow(CChildWidget* child, bool place) {
    auto* sub = new CMDISubWindow(this, child);
    sub->setWidget(child);
    m_mdi->addSubWindow(sub);
    if (place) {
        // Until the area has its real size, a new window's size would be a guess.
        if (m_mdi->viewport()->width() < 200 || !isVisible())
            m_unplaced.emplace_back(sub);
        placeNew(sub);
    }
    sub->show();
}

void CMDIClientAreaWnd::resizeEvent(QResizeEvent* event) {
    QStackedWidget::resizeEvent(event);
    if (m_unplaced.empty() || m_mdi->viewport()->width() < 200)
        return;
    std::vector<QPointer<QMdiSubWindow>> unplaced;
    unplaced.swap(m_unplaced);
    for (const QPointer<QMdiSubWindow>& sub : unplaced)
        if (sub && !sub->isMinimized() && !sub->isMaximized())
            placeNew(sub);
}

void CMDIClientAreaWnd::AddChild(CChildWidget* child) {
    child->setProperty("lwTabColor", m_nextColor++);
    if (m_tabs) {
        CMDITabGroup* group = activeGroup();
        if (!group) {
            group = newGroup();
            m_splitter->addWidget(group);
        }
        group->insert(-1, child);
    } else {
        addSubWindow(child, true);
    }
}

void CMDIClientAreaWnd::RemoveChild(CChildWidget* child) {
    if (m_active == child)
        m_active = nullptr;
    if (CMDITabGroup* group = FindGroup(child)) {
        m_updating = true;
        group->take(child);
        m_updating = false;
        if (group->count() == 0)
            groupEmptied(group);
        else
            groupCurrentChanged(group);
    }
    if (QMdiSubWindow* sub = SubWindowOf(child)) {
        sub->setWidget(nullptr);
        child->setParent(nullptr);
        m_mdi->removeSubWindow(sub);
        sub->deleteLater();
    }
    m_unplaced.erase(std::remove_if(m_unplaced.begin(), m_unplaced.end(), [](const auto& p) { return !p; }),
                     m_unplaced.end());
}

void CMDIClientAreaWnd::groupEmptied(CMDITabGroup* group) {
    // The last tab leaving a group takes the group with it.
    group->hide();
    group->setParent(nullptr);
    group->deleteLater();
    const std::vector<CMDITabGroup*> groups = GetTabGroups();
    if (!m_active || !FindGroup(m_active)) {
        CChildWidget* next = groups.empty() ? nullptr : groups.back()->current();
        if (next)
            Activate(next);
        else if (onActivated && !m_active)
            onActivated(nullptr);
    }
}

void CMDIClientAreaWnd::groupCurrentChanged(CMDITabGroup* group) {
    if (m_updating)
        return;
    CChildWidget* c = group->current();
    if (c && c != m_active) {
        m_active = c;
        markActiveGroup();
        if (onActivated)
            onActivated(c);
    }
}

void CMDIClientAreaWnd::markActiveGroup() {
    CMDITabGroup* active = m_active ? FindGroup(m_active) : nullptr;
    for (CMDITabGroup* g : GetTabGroups())
        g->GetTabBar()->SetActiveGroup(g == active);
}

void CMDIClientAreaWnd::Activate(CChildWidget* child) {
    if (!child)
        return;
    const bool changed = child != m_active;
    m_active = child;
    if (CMDITabGroup* group = FindGroup(child)) {
        m_updating = true;
        group->setCurrent(child);
        m_updating = false;
    } else if (QMdiSubWindow* sub = SubWindowOf(child)) {
        m_updating = true;
        if (!sub->isVisible())
            sub->show();
        m_mdi->setActiveSubWindow(sub);
        m_updating = false;
    }
    markActiveGroup();
    if (changed && onActivated)
        onActivated(child);
}

CChildWidget* CMDIClientAreaWnd::ActiveChild() const { return m_active; }

std::vector<CChildWidget*> CMDIClientAreaWnd::ChildrenInOrder() const {
    std::vector<CChildWidget*> children;
    if (m_tabs) {
        for (CMDITabGroup* g : GetTabGroups())
            for (int i = 0; i < g->count(); ++i)
                children.push_back(g->child(i));
    } else {
        for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::CreationOrder))
            if (auto* c = static_cast<CChildWidget*>(sub->widget()))
                children.push_back(c);
    }
    return children;
}

void CMDIClientAreaWnd::EnableMDITabbedGroups(bool enable, const CMDITabInfo& info) {
    m_info = info;
    if (enable == m_tabs && enable) {
        for (CMDITabGroup* g : GetTabGroups())
            g->applyInfo(info);
        return;
    }
    const std::vector<CChildWidget*> children = ChildrenInOrder();
    QPointer<CChildWidget> active = m_active;
    m_updating = true;
    if (enable) {
        for (CChildWidget* c : children) {
            if (QMdiSubWindow* sub = SubWindowOf(c)) {
                sub->setWidget(nullptr);
                m_mdi->removeSubWindow(sub);
                sub->deleteLater();
            }
        }
        m_unplaced.clear();
        m_tabs = true;
        setCurrentWidget(m_splitter);
        if (!children.empty()) {
            CMDITabGroup* group = newGroup();
            m_splitter->addWidget(group);
            for (CChildWidget* c : children)
                group->insert(-1, c);
        }
    } else {
        for (CMDITabGroup* g : GetTabGroups()) {
            for (CChildWidget* c : children)
                g->take(c);
            g->setParent(nullptr);
            g->deleteLater();
        }
        m_tabs = false;
        setCurrentWidget(m_mdi);
        for (CChildWidget* c : children)
            addSubWindow(c, true);
    }
    m_updating = false;
    m_active = nullptr;
    if (active)
        Activate(active);
    else if (!children.empty())
        Activate(children.back());
}

bool CMDIClientAreaWnd::MDITabNewGroup(bool vertical) {
    if (!m_tabs)
        return false;
    CMDITabGroup* group = activeGroup();
    if (!group || group->count() < 2 || !group->current())
        return false;
    CChildWidget* moving = group->current();
    // Once divided, the area keeps the direction of its first division.
    const bool sideBySide = GetTabGroups().size() > 1 ? IsMDITabbedGroupVertical() : vertical;
    const int at = m_splitter->indexOf(group);
    if (GetTabGroups().size() == 1)
        m_splitter->setOrientation(sideBySide ? Qt::Horizontal : Qt::Vertical);
    const int extent = sideBySide ? m_splitter->width() : m_splitter->height();
    QList<int> sizes = m_splitter->sizes();
    if (sizes.size() == 1)
        sizes[0] = extent;
    // The active group's space is halved; the new group takes the second half.
    const int whole = sizes.value(at) > 0 ? sizes.value(at) : extent;
    sizes[at] = whole - whole / 2;
    sizes.insert(at + 1, whole / 2);
    CMDITabGroup* fresh = newGroup();
    m_splitter->insertWidget(at + 1, fresh);
    m_updating = true;
    group->take(moving);
    fresh->insert(-1, moving);
    m_updating = false;
    m_splitter->setSizes(sizes);
    m_active = nullptr;
    Activate(moving);
    return true;
}

void CMDIClientAreaWnd::MoveToGroup(CChildWidget* child, CMDITabGroup* target, int index) {
    CMDITabGroup* source = FindGroup(child);
    if (!source || !target)
        return;
    if (source == target) {
        const int from = source->indexOf(child);
        if (index >= 0 && index != from)
            source->GetTabBar()->moveTab(from, index);
        return;
    }
    m_updating = true;
    source->take(child);
    target->insert(index, child);
    m_updating = false;
    if (source->count() == 0)
        groupEmptied(source);
    m_active = nullptr;
    Activate(child);
}

void CMDIClientAreaWnd::MoveToNextGroup(CChildWidget* child, bool next) {
    const std::vector<CMDITabGroup*> groups = GetTabGroups();
    const auto it = std::find(groups.begin(), groups.end(), FindGroup(child));
    if (it == groups.end())
        return;
    const auto pos = it - groups.begin() + (next ? 1 : -1);
    if (pos >= 0 && pos < static_cast<long>(groups.size()))
        MoveToGroup(child, groups[static_cast<size_t>(pos)]);
}

void CMDIClientAreaWnd::showTabMenu(CMDITabGroup* group, int index, const QPoint& global) {
    QPointer<CChildWidget> c = group->child(index);
    if (!c)
        return;
    Activate(c);
    QMenu menu(this);
    QAction* close = menu.addAction(QStringLiteral("&Close"));
    menu.addSeparator();
    const bool several = group->count() > 1;
    const std::vector<CMDITabGroup*> groups = GetTabGroups();
    const bool divided = groups.size() > 1;
    QAction* horizontal = nullptr;
    QAction* vertical = nullptr;
    if (several && (!divided || !IsMDITabbedGroupVertical()))
        horizontal = menu.addAction(QStringLiteral("New Hori&zontal Tab Group"));
    if (several && (!divided || IsMDITabbedGroupVertical()))
        vertical = menu.addAction(QStringLiteral("New &Vertical Tab Group"));
    QAction* next = nullptr;
    QAction* previous = nullptr;
    if (divided && group != groups.back())
        next = menu.addAction(QStringLiteral("Move to Ne&xt Tab Group"));
    if (divided && group != groups.front())
        previous = menu.addAction(QStringLiteral("Move to P&revious Tab Group"));
    QAction* chosen = menu.exec(global);
    if (!chosen || !c)
        return;
    if (chosen == close && onCloseRequested)
        onCloseRequested(c);
    else if (chosen == horizontal && sendCommand)
        sendCommand(ID_NEW_HORIZONTAL_TAB_GROUP);
    else if (chosen == vertical && sendCommand)
        sendCommand(ID_NEW_VERTICAL_TAB_GROUP);
    else if (chosen == next || chosen == previous)
        MoveToNextGroup(c, chosen == next);
}

void CMDIClientAreaWnd::Cascade() {
    const QSize size = UsableWindowSize();
    const QSize area = m_mdi->viewport()->size();
    QPoint pos(0, 0);
    for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::StackingOrder)) {
        if (sub->isMinimized())
            continue;
        sub->showNormal();
        if (pos.x() + size.width() > area.width() || pos.y() + size.height() > area.height())
            pos = QPoint(0, 0);
        sub->setGeometry(QRect(pos, size));
        sub->raise();
        const int step = std::max(20, sub->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4);
        pos += QPoint(step, step);
    }
    if (QMdiSubWindow* active = m_mdi->activeSubWindow())
        active->raise();
}

namespace {
// Lays out windows in equal strips across (columns) or down (rows) the area.
void tile(QMdiArea* mdi, bool columns) {
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdi->subWindowList(QMdiArea::CreationOrder))
        if (!sub->isMinimized())
            windows.push_back(sub);
    if (windows.empty())
        return;
    const QSize area = mdi->viewport()->size();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        windows[static_cast<size_t>(i)]->showNormal();
        const QRect r = columns ? QRect(area.width() * i / n, 0, area.width() * (i + 1) / n - area.width() * i / n,
                                        area.height())
                                : QRect(0, area.height() * i / n, area.width(),
                                        area.height() * (i + 1) / n - area.height() * i / n);
        windows[static_cast<size_t>(i)]->setGeometry(r);
    }
}
} // namespace

void CMDIClientAreaWnd::TileVertically() { tile(m_mdi, true); }
void CMDIClientAreaWnd::TileHorizontally() { tile(m_mdi, false); }

} // namespace lw
