#include "framework/ui/MenuBar.h"

#include "framework/core/FrameWnd.h"
#include "framework/core/FrameworkIds.h"
#include "framework/ui/KeyboardManager.h"
#include "framework/ui/ToolBar.h"

#include <QActionGroup>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace lw {

namespace {
constexpr const char* kCommandIdProperty = "lwCommandId";
constexpr const char* kBaseTextProperty = "lwBaseText";
constexpr const char* kUserCommandProperty = "lwUserCommand";
} // namespace

UINT AfxActionCommandId(const QAction* action) {
    return action ? action->property(kCommandIdProperty).toUInt() : 0;
}

void AfxSetActionCommandId(QAction* action, UINT id) {
    action->setProperty(kCommandIdProperty, id);
}

CMenuCmdUI::CMenuCmdUI(QAction* action) : m_action(action) {
    m_nID = AfxActionCommandId(action);
}

void CMenuCmdUI::Enable(BOOL bOn) {
    CCmdUI::Enable(bOn);
    m_action->setEnabled(bOn != FALSE);
}

void CMenuCmdUI::SetCheck(int nCheck) {
    if (m_action->actionGroup())
        m_action->actionGroup()->removeAction(m_action);
    m_action->setCheckable(true);
    m_action->setChecked(nCheck != 0);
}

void CMenuCmdUI::SetRadio(BOOL bOn) {
    // A one-item exclusive group makes the style draw a radio mark.
    if (!m_action->actionGroup()) {
        auto* group = new QActionGroup(m_action);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        group->addAction(m_action);
    }
    m_action->setCheckable(true);
    m_action->setChecked(bOn != FALSE);
}

void CMenuCmdUI::SetText(const QString& text) {
    // Keep the key shown beside the item.
    const QString current = m_action->text();
    const qsizetype tab = current.indexOf(QLatin1Char('\t'));
    m_action->setText(tab >= 0 ? text + current.mid(tab) : text);
}

void AfxUpdateMenu(QMenu* menu, CFrameWnd* frame) {
    if (!menu || !frame)
        return;
    const QList<QAction*> actions = menu->actions();
    for (int i = 0; i < actions.size(); ++i) {
        QAction* action = actions[i];
        if (action->isSeparator())
            continue;
        CMenuCmdUI state(action);
        state.m_nIndex = static_cast<UINT>(i);
        state.m_pMenu = menu;
        bool autoDisable = true;
        if (QMenu* sub = action->menu()) {
            // A submenu item carries its first item's ID and the submenu itself, and is
            // never disabled for lack of a handler.
            const QList<QAction*> subActions = sub->actions();
            state.m_nID = subActions.isEmpty() ? 0 : AfxActionCommandId(subActions.front());
            if (!subActions.isEmpty() && subActions.front()->menu())
                state.m_nID = 0xFFFF;
            state.m_pSubMenu = sub;
            autoDisable = false;
        } else if (state.m_nID >= ID_SYSTEM_FIRST) {
            autoDisable = false;
        }
        state.DoUpdate(frame, autoDisable ? TRUE : FALSE);
    }
}

CMFCMenuBar::CMFCMenuBar(Services services, QWidget* parent)
    : QMenuBar(parent), m_services(std::move(services)) {
    // The bar never takes the keyboard focus from the page.
    setFocusPolicy(Qt::NoFocus);
    // The bar lives in a pane of the window, never in a desktop-wide menu.
    setNativeMenuBar(false);
    installEventFilter(this);
}

QString CMFCMenuBar::ItemText(const QString& text, UINT id) const {
    const QString key = m_services.keys ? m_services.keys->KeyTextForCommand(id) : QString();
    return key.isEmpty() ? text : text + QLatin1Char('\t') + key;
}

QMenu* CMFCMenuBar::BuildPopup(const QString& title, const std::vector<MenuNode>& items, QWidget* parent) {
    auto* menu = new QMenu(title, parent);
    for (const MenuNode& node : items) {
        if (node.popup) {
            QMenu* sub = BuildPopup(node.text, node.children, menu);
            menu->addMenu(sub);
        } else if (node.isSeparator()) {
            menu->addSeparator();
        } else {
            QAction* action = menu->addAction(ItemText(node.text, node.id));
            action->setProperty(kBaseTextProperty, node.text);
            AfxSetActionCommandId(action, node.id);
            if (m_services.commandIcon)
                action->setIcon(m_services.commandIcon(node.id));
            const UINT id = node.id;
            connect(action, &QAction::triggered, this, [this, id] {
                if (m_services.frame)
                    m_services.frame->SendCommand(id);
            });
        }
    }
    wirePopup(menu);
    return menu;
}

void CMFCMenuBar::wirePopup(QMenu* menu) {
    menu->setToolTipsVisible(false);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        refreshKeyTexts(menu);
        if (m_services.fillRunTimeEntries)
            m_services.fillRunTimeEntries(menu);
        AfxUpdateMenu(menu, m_services.frame);
    });
    connect(menu, &QMenu::hovered, this, [this](QAction* action) {
        if (m_services.showPrompt)
            m_services.showPrompt(action->menu() ? QString()
                                                 : AfxCommandText(AfxActionCommandId(action)).prompt);
    });
    connect(menu, &QMenu::aboutToHide, this, [this] {
        if (m_services.showPrompt)
            m_services.showPrompt(AfxLoadString(AFX_IDS_IDLEMESSAGE));
    });
}

void CMFCMenuBar::refreshKeyTexts(QMenu* menu) {
    // The keys may have been assigned anew since the popup was built.
    for (QAction* a : menu->actions()) {
        const QVariant base = a->property(kBaseTextProperty);
        if (!base.isValid() || a->menu())
            continue;
        const QString text = a->text();
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        const QString wanted = ItemText(tab >= 0 ? text.left(tab) : text, AfxActionCommandId(a));
        if (wanted != text)
            a->setText(wanted);
    }
}

int CMFCMenuBar::DropIndexAt(const QPoint& pos) const {
    const QList<QAction*> items = actions();
    for (int i = 0; i < items.size(); ++i) {
        const QRect r = actionGeometry(items[i]);
        if (r.contains(pos) || pos.x() < r.left())
            return pos.x() > r.center().x() ? i + 1 : i;
    }
    return int(items.size());
}

void CMFCMenuBar::InsertUserCommand(int index, UINT id) {
    std::vector<UserCommand>& list = m_userCommands[m_menuId];
    index = std::clamp(index, 0, int(actions().size()));
    // Items after the drop place move one along.
    for (UserCommand& c : list)
        if (c.index >= index)
            ++c.index;
    list.push_back({index, id});
    std::sort(list.begin(), list.end(),
              [](const UserCommand& a, const UserCommand& b) { return a.index < b.index; });
    showUserCommands();
}

BOOL CMFCMenuBar::RemoveUserCommand(QAction* action) {
    if (!action || !action->property(kUserCommandProperty).toBool())
        return FALSE;
    const int index = int(actions().indexOf(action));
    std::vector<UserCommand>& list = m_userCommands[m_menuId];
    std::erase_if(list, [index](const UserCommand& c) { return c.index == index; });
    for (UserCommand& c : list)
        if (c.index > index)
            --c.index;
    showUserCommands();
    return TRUE;
}

void CMFCMenuBar::SetUserCommands(std::map<UINT, std::vector<UserCommand>> commands) {
    for (auto& [menu, list] : commands)
        std::sort(list.begin(), list.end(),
                  [](const UserCommand& a, const UserCommand& b) { return a.index < b.index; });
    m_userCommands = std::move(commands);
    showUserCommands();
}

void CMFCMenuBar::showUserCommands() {
    for (QAction* a : actions())
        if (a->property(kUserCommandProperty).toBool()) {
            removeAction(a);
            a->deleteLater();
        }
    const auto it = m_userCommands.find(m_menuId);
    if (it == m_userCommands.end())
        return;
    for (const UserCommand& c : it->second) {
        const QList<QAction*> items = actions();
        auto* action = new QAction(AfxCommandText(c.id).tooltip.isEmpty() ? QString::number(c.id)
                                                                          : AfxCommandText(c.id).tooltip,
                                   this);
        action->setProperty(kUserCommandProperty, true);
        AfxSetActionCommandId(action, c.id);
        connect(action, &QAction::triggered, this, [this, id = c.id] {
            if (m_services.frame)
                m_services.frame->SendCommand(id);
        });
        insertAction(c.index < items.size() ? items[c.index] : nullptr, action);
    }
}

bool CMFCMenuBar::eventFilter(QObject* watched, QEvent* e) {
    if (watched != this || !CMFCToolBar::IsCustomizeMode())
        return QMenuBar::eventFilter(watched, e);
    if (e->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(e);
        QAction* a = actionAt(mouse->position().toPoint());
        m_dragged = a && a->property(kUserCommandProperty).toBool() && mouse->button() == Qt::LeftButton
                        ? a
                        : nullptr;
        return m_dragged != nullptr;
    }
    if (e->type() == QEvent::MouseButtonRelease && m_dragged) {
        QAction* a = m_dragged;
        m_dragged = nullptr;
        const QPoint global = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
        if (actionGeometry(a).contains(mapFromGlobal(global)))
            return true;
        const UINT id = AfxActionCommandId(a);
        RemoveUserCommand(a);
        CMFCToolBar::DropCommand(id, global);
        return true;
    }
    return e->type() == QEvent::MouseMove && m_dragged;
}

void CMFCMenuBar::CreateFromMenu(UINT menuId, const std::vector<MenuNode>& menu) {
    if (menuId == m_menuId && !actions().isEmpty())
        return;
    for (QAction* a : actions()) {
        if (QMenu* m = a->menu())
            m->deleteLater();
    }
    clear();
    m_menuId = menuId;
    // The popups belong to the pane around the bar: the bar is disabled while the pane
    // hides it (docked on a side), and a disabled parent would grey out every item.
    QWidget* owner = parentWidget() ? parentWidget() : this;
    for (const MenuNode& top : menu) {
        if (top.popup)
            addMenu(BuildPopup(top.text, top.children, owner));
    }
    showUserCommands();
}

QMenu* CMFCMenuBar::FindPopup(const QString& text) const {
    const QString wanted = QString(text).remove(QLatin1Char('&'));
    for (QAction* a : actions()) {
        if (a->menu() && a->text().remove(QLatin1Char('&')) == wanted)
            return a->menu();
    }
    return nullptr;
}

CMenuBarPane::CMenuBarPane(CMFCMenuBar* bar, QWidget* parent) : QToolBar(parent), m_bar(bar) {
    setFocusPolicy(Qt::NoFocus);
    setMovable(true);
    setFloatable(true);
    setAllowedAreas(Qt::TopToolBarArea);
    // The menus are always there: the pane is not one the user hides.
    toggleViewAction()->setVisible(false);
    m_bar->setParent(this);
    m_barAction = addWidget(m_bar);
    m_bar->installEventFilter(this);
    QObject::connect(this, &QToolBar::orientationChanged, this, [this] { applyOrientation(); });
    QObject::connect(this, &QToolBar::topLevelChanged, this, [this] { updateShortcuts(); });
    rebuildColumn();
    applyOrientation();
}

BOOL CMenuBarPane::Create(CWnd* frame, UINT id) {
    if (!frame || id == 0)
        return FALSE;
    CWnd::SetParent(frame);
    SetDlgCtrlID(id);
    // The main window's saved docking state finds the pane by this name.
    setObjectName(QStringLiteral("MFCMenuBar-%1").arg(id));
    return TRUE;
}

void CMenuBarPane::EnableDocking(UINT align) {
    setAllowedAreas(AfxToolBarAreas(align));
}

std::vector<QToolButton*> CMenuBarPane::GetColumnButtons() const {
    std::vector<QToolButton*> buttons;
    for (QAction* action : m_columnActions)
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action)))
            buttons.push_back(button);
    return buttons;
}

bool CMenuBarPane::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_bar && (e->type() == QEvent::ActionAdded || e->type() == QEvent::ActionRemoved ||
                             e->type() == QEvent::ActionChanged)) {
        // A menu switch removes and adds every popup: the column is rebuilt once after.
        if (!m_rebuildPending) {
            m_rebuildPending = true;
            QTimer::singleShot(0, this, [this] {
                m_rebuildPending = false;
                rebuildColumn();
            });
        }
    }
    return QToolBar::eventFilter(watched, e);
}

void CMenuBarPane::rebuildColumn() {
    for (QAction* action : m_columnActions) {
        removeAction(action);
        action->deleteLater();
    }
    m_columnActions.clear();
    const bool upright = orientation() == Qt::Vertical;
    for (QAction* action : m_bar->actions()) {
        QMenu* menu = action->menu();
        if (!menu)
            continue;
        // The button is the bar's own item, so its popup opens beside a pane docked on a side.
        auto* button = new QToolButton(this);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
        button->setText(action->text());
        button->setMenu(menu);
        QAction* holder = addWidget(button);
        holder->setVisible(upright);
        m_columnActions.push_back(holder);
    }
    updateShortcuts();
}

void CMenuBarPane::applyOrientation() {
    // A hidden button takes no mnemonic, so the keys always reach the form on screen.
    const bool upright = orientation() == Qt::Vertical;
    m_barAction->setVisible(!upright);
    for (QAction* holder : m_columnActions)
        holder->setVisible(upright);
    updateShortcuts();
}

void CMenuBarPane::OpenPopup(int index) {
    const std::vector<QToolButton*> buttons = GetColumnButtons();
    if (orientation() == Qt::Vertical) {
        if (index >= 0 && index < int(buttons.size()))
            buttons[size_t(index)]->showMenu();
        return;
    }
    int n = 0;
    for (QAction* action : m_bar->actions()) {
        if (!action->menu())
            continue;
        if (n++ == index) {
            m_bar->setActiveAction(action);
            return;
        }
    }
}

void CMenuBarPane::updateShortcuts() {
    for (QShortcut* shortcut : m_shortcuts)
        delete shortcut;
    m_shortcuts.clear();
    // A floating pane is a window of its own, where the window's Alt keys no longer
    // reach the menus: while it floats the pane takes them for the whole program.
    if (!isFloating())
        return;
    int index = 0;
    for (QAction* action : m_bar->actions()) {
        if (!action->menu())
            continue;
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        if (!key.isEmpty()) {
            auto* shortcut = new QShortcut(key, this);
            shortcut->setContext(Qt::ApplicationShortcut);
            QObject::connect(shortcut, &QShortcut::activated, this, [this, index] { OpenPopup(index); });
            m_shortcuts.push_back(shortcut);
        }
        ++index;
    }
}

} // namespace lw
