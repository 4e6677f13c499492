#include "framework/ui/ToolBar.h"

#include "framework/core/FrameWnd.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/Resources.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/ToolBarControl.h"
#include "framework/ui/ToolBarParameters.h"
#include "framework/ui/ToolBarStrip.h"
#include "framework/ui/WinAppEx.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QtDebug>
#include <algorithm>

namespace lw {

namespace {
constexpr const char* kResetMessage = "TOOLBAR_RESETTOOLBAR";
// How far from a floating bar's edge the pointer can grab it to resize it.
constexpr int kResizeBand = 4;
} // namespace

Qt::ToolBarAreas AfxToolBarAreas(UINT align) {
    Qt::ToolBarAreas areas;
    if (align & CBRS_ALIGN_LEFT)
        areas |= Qt::LeftToolBarArea;
    if (align & CBRS_ALIGN_TOP)
        areas |= Qt::TopToolBarArea;
    if (align & CBRS_ALIGN_RIGHT)
        areas |= Qt::RightToolBarArea;
    if (align & CBRS_ALIGN_BOTTOM)
        areas |= Qt::BottomToolBarArea;
    return areas;
}

CMFCToolBar::CMFCToolBar(QWidget* parent) : QToolBar(parent) {
    setFloatable(true);
    setMovable(true);
    setAllowedAreas(Qt::TopToolBarArea);
    // Qt's own layout neither wraps a floating bar nor lets the user resize it: the
    // buttons live in a strip of ours, the bar's only item.
    m_strip = new CToolBarStrip(this);
    m_strip->installEventFilter(this);
    addWidget(m_strip);
    m_strip->SetChangeHandler([this] { fitFloating(); });
    QObject::connect(this, &QToolBar::orientationChanged, m_strip,
                     [this](Qt::Orientation o) { m_strip->SetOrientation(o); });
    QObject::connect(this, &QToolBar::topLevelChanged, this,
                     [this](bool floating) { onTopLevelChanged(floating); });
    setMouseTracking(true);
}

CMFCToolBar::~CMFCToolBar() {
    // The strip's change handler must not reach a bar half destroyed.
    m_strip->SetChangeHandler({});
}

BOOL CMFCToolBar::Create(CWnd* frame, UINT id) {
    if (!frame || id == 0)
        return FALSE;
    CWnd::SetParent(frame);
    SetDlgCtrlID(id);
    // The main window's saved docking state finds each bar by this name.
    setObjectName(SettingsName());
    return TRUE;
}

QString CMFCToolBar::SettingsName() const {
    return QStringLiteral("MFCToolBar-%1").arg(GetDlgCtrlID());
}

void CMFCToolBar::SetWindowText(const QString& text) {
    CWnd::SetWindowText(text);
    setWindowTitle(text);
}

QString CMFCToolBar::GetWindowText() const {
    return windowTitle();
}

void CMFCToolBar::EnableDocking(UINT align) {
    setAllowedAreas(AfxToolBarAreas(align));
}

BOOL CMFCToolBar::LoadToolBar(UINT resourceId) {
    const std::optional<ToolbarResource> layout = CResourceTables::instance().loadToolbar(resourceId);
    if (!layout)
        return FALSE;
    CMFCToolBarImages images;
    if (!images.load(resourceId, QSize(layout->imageWidth, layout->imageHeight)))
        return FALSE;
    m_images = std::move(images);
    m_nResourceID = resourceId;
    m_originalItems.assign(layout->items.begin(), layout->items.end());
    setIconSize(buttonImageSize());
    SetButtons(m_originalItems);
    sendResetNotice();
    return TRUE;
}

void CMFCToolBar::ResetToolBar() {
    SetButtons(m_originalItems);
    sendResetNotice();
}

CWnd* CMFCToolBar::topLevelFrame() const {
    CWnd* top = nullptr;
    for (CWnd* w = CWnd::GetParent(); w; w = w->GetParent())
        if (dynamic_cast<CFrameWnd*>(w))
            top = w;
    return top;
}

void CMFCToolBar::sendResetNotice() {
    if (CWnd* frame = topLevelFrame())
        frame->SendMessage(RegisterWindowMessage(kResetMessage), m_nResourceID, 0);
}

void CMFCToolBar::showPrompt(UINT id) {
    if (auto* frame = dynamic_cast<CMDIFrameWndEx*>(topLevelFrame()))
        frame->SetMessageText(AfxCommandText(id).prompt);
}

bool CMFCToolBar::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::Leave:
        // The prompt of the button under the pointer stays only while the pointer is there.
        if (auto* frame = dynamic_cast<CMDIFrameWndEx*>(topLevelFrame()))
            frame->SetMessageText(AfxLoadString(AFX_IDS_IDLEMESSAGE));
        if (!m_resizeEdges)
            showResizeCursor({});
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
        // Docked by the program (QMainWindow::addToolBar), the bar hears no
        // topLevelChanged: it finds out when the main window places it.
        if (!isFloating() && m_strip && m_strip->IsWrapping())
            onTopLevelChanged(false);
        // A floating bar resized by anything but its edges (Qt's drag from a vertical
        // dock turns it horizontal at the docked height) takes its rows' shape back.
        if (e->type() == QEvent::Resize && isFloating() && m_strip && m_strip->IsWrapping() &&
            size() != sizeHint())
            QMetaObject::invokeMethod(
                this, [this] { fitFloating(); }, Qt::QueuedConnection);
        break;
    case QEvent::HoverMove:
        if (!m_resizeEdges) {
            const Qt::Edges edges = ResizeEdgesAt(static_cast<QHoverEvent*>(e)->position().toPoint());
            showResizeCursor(edges);
            // Qt's handling would take the resize cursor back.
            if (edges)
                return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (resizeMouseEvent(e->type(), static_cast<QMouseEvent*>(e)))
            return true;
        break;
    default:
        break;
    }
    return QToolBar::event(e);
}

Qt::Edges CMFCToolBar::ResizeEdgesAt(const QPoint& pos) const {
    if (!isFloating() || !rect().contains(pos))
        return {};
    // The strip keeps a band free of buttons along the right and bottom edges; the
    // left one lies over the bar's handle.
    const int band = kResizeBand + (layout() ? layout()->contentsMargins().right() : 0);
    Qt::Edges edges;
    if (pos.x() < kResizeBand)
        edges |= Qt::LeftEdge;
    else if (pos.x() >= width() - band)
        edges |= Qt::RightEdge;
    if (pos.y() >= height() - band)
        edges |= Qt::BottomEdge;
    return edges;
}

void CMFCToolBar::showResizeCursor(Qt::Edges edges) {
    if (!edges) {
        if (m_bResizeCursor)
            unsetCursor();
        m_bResizeCursor = false;
        return;
    }
    Qt::CursorShape shape = Qt::SizeHorCursor;
    if (edges == Qt::BottomEdge)
        shape = Qt::SizeVerCursor;
    else if (edges == (Qt::BottomEdge | Qt::RightEdge))
        shape = Qt::SizeFDiagCursor;
    else if (edges == (Qt::BottomEdge | Qt::LeftEdge))
        shape = Qt::SizeBDiagCursor;
    setCursor(shape);
    m_bResizeCursor = true;
}

bool CMFCToolBar::resizeMouseEvent(QEvent::Type type, const QMouseEvent* e) {
    const QPoint global = e->globalPosition().toPoint();
    switch (type) {
    case QEvent::MouseButtonPress: {
        if (e->button() != Qt::LeftButton)
            return false;
        const Qt::Edges edges = ResizeEdgesAt(mapFromGlobal(global));
        if (!edges)
            return false;
        m_resizeEdges = edges;
        m_resizeOrigin = global;
        m_resizeGeometry = geometry();
        m_resizeContents = m_strip->contentsRect().size();
        showResizeCursor(edges);
        return true;
    }
    case QEvent::MouseMove:
        if (!m_resizeEdges) {
            if (!(e->buttons() & Qt::LeftButton))
                showResizeCursor(ResizeEdgesAt(mapFromGlobal(global)));
            return false;
        }
        resizeFloating(global - m_resizeOrigin);
        return true;
    case QEvent::MouseButtonRelease:
        if (!m_resizeEdges || e->button() != Qt::LeftButton)
            return false;
        resizeFloating(global - m_resizeOrigin);
        m_resizeEdges = {};
        showResizeCursor(ResizeEdgesAt(mapFromGlobal(global)));
        return true;
    default:
        return false;
    }
}

void CMFCToolBar::resizeFloating(const QPoint& delta) {
    if (!isFloating())
        return;
    int wrap = m_resizeContents.width();
    if (m_resizeEdges & Qt::RightEdge)
        wrap += delta.x();
    else if (m_resizeEdges & Qt::LeftEdge)
        wrap -= delta.x();
    else
        // Dragging the bottom edge asks for a height: the rows closest to it.
        wrap = m_strip->WrapWidthForContentHeight(m_resizeContents.height() + delta.y());
    m_strip->SetWrapWidth(std::max(1, wrap));
    // The window's minimum size follows the new rows before the bar takes them.
    if (layout())
        layout()->activate();
    QRect g(m_resizeGeometry.topLeft(), sizeHint());
    // Dragged by its left edge, the bar keeps its right edge where it was.
    if (m_resizeEdges & Qt::LeftEdge)
        g.moveRight(m_resizeGeometry.right());
    setGeometry(g);
}

void CMFCToolBar::onTopLevelChanged(bool floating) {
    if (!floating) {
        m_strip->SetWrapping(false, 0);
        showResizeCursor({});
        return;
    }
    // A bar the user drags off its dock keeps its docked shape, one row or one column;
    // one the saved layout puts back keeps as many buttons in a row as its width held.
    const bool dragged = QApplication::mouseButtons() & Qt::LeftButton;
    // Measured before the strip wraps: wrapping refits the bar at once.
    const int extra = sizeHint().width() - m_strip->sizeHint().width();
    const int width = this->width();
    m_strip->SetWrapping(true, kResizeBand);
    if (dragged)
        m_strip->SetWrapWidth(orientation() == Qt::Horizontal ? m_strip->MaximumWrapWidth()
                                                              : m_strip->MinimumWrapWidth());
    else if (m_nRestoredRowWidth > 0)
        m_strip->SetWrapWidth(m_nRestoredRowWidth);
    else
        m_strip->SetWrapWidth(width - extra - m_strip->contentsMargins().left() -
                              m_strip->contentsMargins().right());
    fitFloating();
}

int CMFCToolBar::GetFloatingRowWidth() const {
    return isFloating() && m_strip && m_strip->IsWrapping() ? m_strip->WrapWidth() : -1;
}

void CMFCToolBar::SetFloatingRowWidth(int width) {
    m_nRestoredRowWidth = width;
    if (width > 0 && isFloating() && m_strip && m_strip->IsWrapping()) {
        m_strip->SetWrapWidth(width);
        fitFloating();
    }
}

void CMFCToolBar::fitFloating() {
    // A floating bar is as high as its rows need; QToolBar's drag moves it meanwhile.
    if (!m_strip || !isFloating() || !m_strip->IsWrapping())
        return;
    if (layout())
        layout()->activate();
    const QSize size = sizeHint();
    if (size != this->size())
        resize(size);
}

QSize CMFCToolBar::buttonImageSize() const {
    // A bar without a strip of its own (a user toolbar) shows the frame's pictures.
    QSize size = m_images.isValid() ? m_images.imageSize() : QSize(16, 16);
    // Unscaled images keep their pixel size: the logical size shrinks on dense screens.
    if (s_bDontScaleImages && devicePixelRatioF() > 1.0)
        size = (QSizeF(size) / devicePixelRatioF()).toSize();
    if (CMFCToolBarParameters::Current().bLargeIcons)
        size *= 2;
    return size;
}

QIcon CMFCToolBar::buttonIcon(UINT id) const {
    int image = -1;
    int n = 0;
    for (UINT item : m_originalItems) {
        if (item == 0)
            continue;
        if (item == id) {
            image = n;
            break;
        }
        ++n;
    }
    QIcon icon;
    QSize size = m_images.imageSize();
    if (image >= 0) {
        icon = m_images.icon(image);
    } else if (auto* frame = dynamic_cast<CMDIFrameWndEx*>(topLevelFrame())) {
        // A command from another bar or a menu keeps the picture the frame holds for it.
        icon = frame->GetCommandIcon(id);
        size = frame->GetCommandImages().image(id).size();
    }
    if (icon.isNull() || !CMFCToolBarParameters::Current().bLargeIcons)
        return icon;
    // Large buttons double each picture pixel for pixel, keeping its crisp edges.
    const QPixmap pixmap = icon.pixmap(size);
    return QIcon(pixmap.scaled(pixmap.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

QString CMFCToolBar::buttonToolTip(UINT id) const {
    const auto* app = dynamic_cast<CWinAppEx*>(AfxGetApp());
    return CMFCToolBarParameters::Current().ToolTipFor(id, app ? app->GetKeyboardManager() : nullptr);
}

void CMFCToolBar::ApplyParameters() {
    setIconSize(buttonImageSize());
    for (size_t i = 0; i < m_items.size(); ++i) {
        const Item& item = m_items[i];
        if (item.id == 0 || item.control || !item.action)
            continue;
        item.action->setToolTip(buttonToolTip(item.id));
        item.action->setIcon(buttonIcon(item.id));
        applyButtonLook(int(i));
    }
}

QAction* CMFCToolBar::createAction(UINT id) {
    auto* action = new QAction(this);
    const CommandText text = AfxCommandText(id);
    action->setText(text.tooltip.isEmpty() ? QString::number(id) : text.tooltip);
    action->setToolTip(buttonToolTip(id));
    action->setIcon(buttonIcon(id));
    QObject::connect(action, &QAction::hovered, this, [this, id] { showPrompt(id); });
    QObject::connect(action, &QAction::triggered, this, [this, id] {
        if (CWnd* frame = topLevelFrame())
            frame->SendCommand(id);
    });
    return action;
}

int CMFCToolBar::InsertButton(UINT id, int index) {
    if (index < 0 || index > GetCount())
        index = GetCount();
    Item item;
    item.id = id;
    if (id == 0) {
        item.action = new QAction(this);
        item.action->setSeparator(true);
        m_strip->InsertSeparator(index);
    } else {
        item.action = createAction(id);
        m_strip->InsertButton(index, item.action);
    }
    m_items.insert(m_items.begin() + index, item);
    if (id != 0)
        watchButton(index);
    return index;
}

void CMFCToolBar::watchButton(int index) {
    if (QWidget* button = m_strip->WidgetAt(index))
        button->installEventFilter(this);
}

QWidget* CMFCToolBar::GetButtonWidget(int index) const {
    return m_strip->WidgetAt(index);
}

bool CMFCToolBar::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    // With tooltips switched off a button keeps its tip to itself.
    if (type == QEvent::ToolTip && !CMFCToolBarParameters::Current().bTooltips)
        return true;
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QToolBar::eventFilter(watched, e);
    auto* mouse = static_cast<QMouseEvent*>(e);
    // The strip's edges belong to the floating bar's resize band.
    if (watched == m_strip)
        return resizeMouseEvent(type, mouse);
    if (type == QEvent::MouseButtonPress) {
        if (s_bCustomizing && mouse->button() == Qt::RightButton) {
            const int index = m_strip->IndexOf(qobject_cast<QWidget*>(watched));
            if (index < 0 || m_items[size_t(index)].control)
                return false;
            QMenu* menu = BuildAppearanceMenu(index, this);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(mouse->globalPosition().toPoint());
            return true;
        }
        if (mouse->button() != Qt::LeftButton || !(s_bCustomizing || (mouse->modifiers() & Qt::AltModifier)))
            return false;
        m_nDragIndex = -1;
        const int index = m_strip->IndexOf(qobject_cast<QWidget*>(watched));
        if (index >= 0 && !m_items[size_t(index)].control && m_items[size_t(index)].id != 0)
            m_nDragIndex = index;
        return m_nDragIndex >= 0;
    }
    if (m_nDragIndex < 0)
        return false;
    if (type == QEvent::MouseButtonRelease) {
        const int index = m_nDragIndex;
        m_nDragIndex = -1;
        dropButton(index, mouse->globalPosition().toPoint());
    }
    // The button being moved neither shows as pressed nor sends its command.
    return true;
}

void CMFCToolBar::dropButton(int index, const QPoint& globalPos) {
    const UINT id = GetItemID(index);
    const ButtonLook look = m_items[size_t(index)].look;
    const int userImage = m_items[size_t(index)].userImage;
    CMFCToolBar* target = nullptr;
    for (QWidget* w = QApplication::widgetAt(globalPos); w && !target; w = w->parentWidget())
        target = dynamic_cast<CMFCToolBar*>(w);
    int at = target ? target->DropIndexAt(target->mapFromGlobal(globalPos)) : -1;
    if (target == this && (at == index || at == index + 1))
        return;
    // A button dropped away from every bar is taken off its bar (or goes to the menu bar).
    RemoveButton(index);
    if (!target) {
        DropCommand(id, globalPos);
        notifyContentsChanged();
        return;
    }
    if (target == this && at > index)
        --at;
    at = target->InsertButton(id, at);
    target->SetButtonLook(at, look, userImage);
    if (target != this)
        notifyContentsChanged();
    target->notifyContentsChanged();
}

int CMFCToolBar::DropIndexAt(const QPoint& pos) const {
    return std::min(m_strip->DropIndexAt(m_strip->mapFrom(this, pos)), GetCount());
}

BOOL CMFCToolBar::RemoveButton(int index) {
    if (index < 0 || index >= GetCount())
        return FALSE;
    Item item = m_items[size_t(index)];
    m_items.erase(m_items.begin() + index);
    if (item.control)
        item.control->SetParent(nullptr);
    // The action and the button (or a control's widget) may be on the stack of the
    // signal that got us here: they go once control is back in the event loop.
    m_strip->Remove(index);
    item.action->deleteLater();
    return TRUE;
}

void CMFCToolBar::clearItems() {
    while (GetCount() > 0)
        RemoveButton(GetCount() - 1);
}

int CMFCToolBar::ReplaceButton(UINT id, std::unique_ptr<CMFCToolBarControl> control) {
    const int index = CommandToIndex(id);
    if (index < 0 || !control)
        return -1;
    RemoveButton(index);
    CMFCToolBarControl* raw = control.release();
    raw->SetParent(this);
    Item item;
    item.id = id;
    item.control = raw;
    // The control's command keeps an action, as every other item has one.
    item.action = new QAction(AfxCommandText(id).tooltip, this);
    m_strip->InsertControl(index, raw->GetWidget());
    m_items.insert(m_items.begin() + index, item);
    return index;
}

void CMFCToolBar::SetButtons(std::span<const UINT> ids) {
    clearItems();
    for (UINT id : ids) {
        const bool known =
            id == 0 || CResourceTables::instance().hasString(id) ||
            std::find(m_originalItems.begin(), m_originalItems.end(), id) != m_originalItems.end();
        if (!known) {
            qWarning("Toolbar %u: stored button %u names no command and is dropped", GetDlgCtrlID(), id);
            continue;
        }
        InsertButton(id);
    }
}

UINT CMFCToolBar::GetItemID(int index) const {
    return index >= 0 && index < GetCount() ? m_items[size_t(index)].id : 0;
}

int CMFCToolBar::CommandToIndex(UINT id) const {
    if (id == 0)
        return -1;
    for (int i = 0; i < GetCount(); ++i)
        if (m_items[size_t(i)].id == id)
            return i;
    return -1;
}

QAction* CMFCToolBar::GetAction(int index) const {
    return index >= 0 && index < GetCount() ? m_items[size_t(index)].action : nullptr;
}

CMFCToolBarControl* CMFCToolBar::GetControl(int index) const {
    return index >= 0 && index < GetCount() ? m_items[size_t(index)].control : nullptr;
}

std::vector<UINT> CMFCToolBar::GetButtons() const {
    std::vector<UINT> ids;
    ids.reserve(m_items.size());
    for (const Item& item : m_items)
        ids.push_back(item.id);
    return ids;
}

void CMFCToolBar::EnableCustomizeButton(BOOL enable, UINT customizeCmd, const QString& customizeText) {
    m_nCustomizeCmd = customizeCmd;
    m_strCustomizeText = customizeText;
    if (!enable) {
        if (m_customizeButton) {
            m_strip->SetTrailing(nullptr);
            m_customizeButton->hide();
            m_customizeButton->deleteLater();
        }
        m_customizeButton = nullptr;
        m_optionsMenu = nullptr;
        return;
    }
    if (m_customizeButton)
        return;
    m_customizeButton = new QToolButton(m_strip);
    m_customizeButton->setToolTip(QStringLiteral("Toolbar Options"));
    m_customizeButton->setAutoRaise(true);
    m_customizeButton->setPopupMode(QToolButton::InstantPopup);
    m_optionsMenu = new QMenu(m_customizeButton);
    m_customizeButton->setMenu(m_optionsMenu);
    QObject::connect(m_optionsMenu, &QMenu::aboutToShow, this, [this] { BuildOptionsMenu(); });
    m_strip->SetTrailing(m_customizeButton);
}

QMenu* CMFCToolBar::BuildOptionsMenu() {
    if (!m_optionsMenu)
        return nullptr;
    m_optionsMenu->clear();
    QMenu* buttons = m_optionsMenu->addMenu(QStringLiteral("&Add or Remove Buttons"));
    int image = 0;
    for (size_t i = 0; i < m_originalItems.size(); ++i) {
        const UINT id = m_originalItems[i];
        if (id == 0)
            continue;
        QAction* a = buttons->addAction(m_images.icon(image++), AfxCommandText(id).tooltip);
        a->setCheckable(true);
        a->setChecked(CommandToIndex(id) >= 0);
        QObject::connect(a, &QAction::toggled, this, [this, id, i](bool on) {
            if (!on) {
                RemoveButton(CommandToIndex(id));
                notifyContentsChanged();
                return;
            }
            if (CommandToIndex(id) >= 0)
                return;
            // Back in front of the first later resource button still on the bar.
            int at = -1;
            for (size_t j = i + 1; j < m_originalItems.size() && at < 0; ++j)
                at = CommandToIndex(m_originalItems[j]);
            InsertButton(id, at);
            notifyContentsChanged();
        });
    }
    buttons->addSeparator();
    QObject::connect(buttons->addAction(QStringLiteral("&Reset Toolbar")), &QAction::triggered, this,
                     [this] { ResetToolBar(); });
    if (m_nCustomizeCmd) {
        QAction* customize = m_optionsMenu->addAction(m_strCustomizeText);
        QObject::connect(customize, &QAction::triggered, this, [this] {
            if (CWnd* frame = topLevelFrame())
                frame->SendCommand(m_nCustomizeCmd);
        });
    }
    return m_optionsMenu;
}

void CMFCToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL bDisableIfNoHandler) {
    for (size_t i = 0; i < m_items.size(); ++i) {
        const Item& item = m_items[i];
        if (item.id == 0)
            continue;
        CMFCToolBarControl* control = item.control;
        CToolCmdUI ui(item.action, control);
        ui.m_nID = item.id;
        ui.m_nIndex = UINT(i);
        ui.m_pOther = this;
        if (!control) {
            ui.DoUpdate(target, bDisableIfNoHandler);
            continue;
        }
        // A control's commands carry its notification codes: it is enabled when some
        // handler takes any of them, unless an update handler says otherwise.
        ui.DoUpdate(target, FALSE);
        if (ui.m_bEnableChanged || !bDisableIfNoHandler)
            continue;
        bool handled = false;
        for (int code : {CN_COMMAND, CBN_CLOSEUP, CBN_SELENDOK}) {
            AFX_CMDHANDLERINFO info;
            if (target->OnCmdMsg(item.id, code, &ui, &info)) {
                handled = true;
                break;
            }
        }
        ui.Enable(handled);
    }
}

void CToolCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = true;
    const bool on = bOn != FALSE;
    if (m_control) {
        m_control->SetRouteEnabled(on);
    } else if (m_action && m_action->isEnabled() != on) {
        m_action->setEnabled(on);
    }
}

void CToolCmdUI::SetCheck(int nCheck) {
    if (!m_action || m_control)
        return;
    if (!m_action->isCheckable())
        m_action->setCheckable(true);
    if (m_action->isChecked() != (nCheck != 0))
        m_action->setChecked(nCheck != 0);
}

void CToolCmdUI::SetRadio(BOOL bOn) {
    SetCheck(bOn ? 1 : 0);
}

} // namespace lw
