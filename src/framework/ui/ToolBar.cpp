#include "framework/ui/ToolBar.h"

#include "framework/core/FrameWnd.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/Resources.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/ToolBarControl.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QWidgetAction>
#include <QtDebug>

namespace lw {

namespace {
constexpr const char* kResetMessage = "TOOLBAR_RESETTOOLBAR";
}

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
}

CMFCToolBar::~CMFCToolBar() = default;

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
    QSize size = m_images.imageSize();
    // Unscaled images keep their pixel size: the logical size shrinks on dense screens.
    if (s_bDontScaleImages && devicePixelRatioF() > 1.0)
        size = (QSizeF(size) / devicePixelRatioF()).toSize();
    setIconSize(size);
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
    // The prompt of the button under the pointer stays only while the pointer is there.
    if (e->type() == QEvent::Leave) {
        if (auto* frame = dynamic_cast<CMDIFrameWndEx*>(topLevelFrame()))
            frame->SetMessageText(AfxLoadString(AFX_IDS_IDLEMESSAGE));
    }
    return QToolBar::event(e);
}

QAction* CMFCToolBar::createAction(UINT id) {
    auto* action = new QAction(this);
    const CommandText text = AfxCommandText(id);
    action->setText(text.tooltip.isEmpty() ? QString::number(id) : text.tooltip);
    action->setToolTip(text.tooltip);
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
    if (image >= 0)
        action->setIcon(m_images.icon(image));
    QObject::connect(action, &QAction::hovered, this, [this, id] { showPrompt(id); });
    QObject::connect(action, &QAction::triggered, this, [this, id] {
        if (CWnd* frame = topLevelFrame())
            frame->SendCommand(id);
    });
    return action;
}

QAction* CMFCToolBar::insertBefore(int index) const {
    if (index >= 0 && index < GetCount())
        return m_items[size_t(index)].action;
    return m_customizeAction;
}

int CMFCToolBar::InsertButton(UINT id, int index) {
    if (index < 0 || index > GetCount())
        index = GetCount();
    QAction* before = insertBefore(index);
    Item item;
    item.id = id;
    if (id == 0) {
        item.action = insertSeparator(before);
    } else {
        item.action = createAction(id);
        insertAction(before, item.action);
        watchButton(item.action);
    }
    m_items.insert(m_items.begin() + index, item);
    return index;
}

void CMFCToolBar::watchButton(QAction* action) {
    if (QWidget* button = widgetForAction(action))
        button->installEventFilter(this);
}

bool CMFCToolBar::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QToolBar::eventFilter(watched, e);
    auto* mouse = static_cast<QMouseEvent*>(e);
    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton || !(mouse->modifiers() & Qt::AltModifier))
            return false;
        m_nDragIndex = -1;
        for (int i = 0; i < GetCount(); ++i)
            if (!m_items[size_t(i)].control && widgetForAction(m_items[size_t(i)].action) == watched)
                m_nDragIndex = i;
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
    CMFCToolBar* target = nullptr;
    for (QWidget* w = QApplication::widgetAt(globalPos); w && !target; w = w->parentWidget())
        target = dynamic_cast<CMFCToolBar*>(w);
    int at = target ? target->DropIndexAt(target->mapFromGlobal(globalPos)) : -1;
    if (target == this && (at == index || at == index + 1))
        return;
    // A button dropped away from every bar is taken off its bar.
    RemoveButton(index);
    if (!target)
        return;
    if (target == this && at > index)
        --at;
    target->InsertButton(id, at);
}

int CMFCToolBar::DropIndexAt(const QPoint& pos) const {
    const bool horizontal = orientation() == Qt::Horizontal;
    for (int i = 0; i < GetCount(); ++i) {
        const QWidget* w = widgetForAction(m_items[size_t(i)].action);
        if (!w)
            continue;
        const QPoint centre = w->geometry().center();
        if (horizontal ? pos.x() < centre.x() : pos.y() < centre.y())
            return i;
    }
    return GetCount();
}

BOOL CMFCToolBar::RemoveButton(int index) {
    if (index < 0 || index >= GetCount())
        return FALSE;
    Item item = m_items[size_t(index)];
    m_items.erase(m_items.begin() + index);
    if (item.control)
        item.control->SetParent(nullptr);
    removeAction(item.action);
    // The action (and a control's widget with it) may be on the stack of the signal
    // that got us here: it goes once control is back in the event loop.
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
    item.action = insertWidget(insertBefore(index), raw->GetWidget());
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
        if (m_customizeAction) {
            removeAction(m_customizeAction);
            m_customizeAction->deleteLater();
        }
        m_customizeAction = nullptr;
        m_customizeButton = nullptr;
        return;
    }
    if (m_customizeButton)
        return;
    m_customizeButton = new QToolButton(this);
    m_customizeButton->setToolTip(QStringLiteral("Toolbar Options"));
    m_customizeButton->setAutoRaise(true);
    m_customizeButton->setPopupMode(QToolButton::InstantPopup);
    m_optionsMenu = new QMenu(m_customizeButton);
    m_customizeButton->setMenu(m_optionsMenu);
    QObject::connect(m_optionsMenu, &QMenu::aboutToShow, this, [this] { BuildOptionsMenu(); });
    m_customizeAction = addWidget(m_customizeButton);
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
                return;
            }
            if (CommandToIndex(id) >= 0)
                return;
            // Back in front of the first later resource button still on the bar.
            int at = -1;
            for (size_t j = i + 1; j < m_originalItems.size() && at < 0; ++j)
                at = CommandToIndex(m_originalItems[j]);
            InsertButton(id, at);
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
