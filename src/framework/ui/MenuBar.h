#pragma once
// The menu bar: shows a menu resource, updates every popup through the command route
// just before it opens, shows each item's key and picture, puts the highlighted
// item's prompt in the status bar, and fills the entries the framework completes at
// run time (recent files, the window list, user tools).

#include "framework/core/CmdUI.h"
#include "framework/core/Resources.h"
#include "framework/core/Wnd.h"

#include <QIcon>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QShortcut;
class QToolButton;

namespace lw {

class CFrameWnd;
class CKeyboardManager;

// The command ID an action sends (0 for popups and separators).
UINT AfxActionCommandId(const QAction* action);
void AfxSetActionCommandId(QAction* action, UINT id);

// An update request for one menu item.
class CMenuCmdUI : public CCmdUI {
public:
    explicit CMenuCmdUI(QAction* action);
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(const QString& text) override;

    QAction* action() const { return m_action; }

private:
    QAction* m_action;
};

// Runs the update pass over one popup's items, routing from frame.
void AfxUpdateMenu(QMenu* menu, CFrameWnd* frame);

class CMFCMenuBar : public QMenuBar {
public:
    struct Services {
        CFrameWnd* frame = nullptr;       // where commands and update requests go
        CKeyboardManager* keys = nullptr; // the keys shown beside items
        // The picture of a command (a null icon when it has none).
        std::function<QIcon(UINT)> commandIcon;
        std::function<void(const QString&)> showPrompt; // status-bar message pane
        // Fills the run-time entries of a popup just before it is updated.
        std::function<void(QMenu*)> fillRunTimeEntries;
    };

    explicit CMFCMenuBar(Services services, QWidget* parent = nullptr);

    // Replaces the bar's popups with a menu resource's.
    void CreateFromMenu(UINT menuId, const std::vector<MenuNode>& menu);
    UINT CurrentMenuId() const { return m_menuId; }
    // The popup titled text (mnemonic ampersands ignored), or nullptr.
    QMenu* FindPopup(const QString& text) const;

    // Builds a QMenu from nodes (used for popups and by tests).
    QMenu* BuildPopup(const QString& title, const std::vector<MenuNode>& items, QWidget* parent);
    // The item text with its key beside it.
    QString ItemText(const QString& text, UINT id) const;

    // Commands the user dropped on the bar, kept for each menu resource: an item at
    // `index` among the bar's entries that sends the command.
    struct UserCommand {
        int index = 0;
        UINT id = 0;
        bool operator==(const UserCommand&) const = default;
    };
    int DropIndexAt(const QPoint& pos) const;
    void InsertUserCommand(int index, UINT id);
    // Takes the user's item off the bar; FALSE when `action` is none of them.
    BOOL RemoveUserCommand(QAction* action);
    const std::map<UINT, std::vector<UserCommand>>& GetUserCommands() const { return m_userCommands; }
    void SetUserCommands(std::map<UINT, std::vector<UserCommand>> commands);
    // The menus as their resources have them.
    void ResetUserCommands() { SetUserCommands({}); }

protected:
    // While customising, a user's item dragged off the bar goes, or moves where it is dropped.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void wirePopup(QMenu* menu);
    void showUserCommands();
    void refreshKeyTexts(QMenu* menu);

    Services m_services;
    UINT m_menuId = 0;
    std::map<UINT, std::vector<UserCommand>> m_userCommands;
    QAction* m_dragged = nullptr;
};

// The menu bar as a dockable pane: it docks on any side the frame allows and floats
// like a toolbar. Lying horizontally it shows the menu bar itself; docked on a side
// it shows a column of buttons that drop the same popups. It never takes the focus.
class CMenuBarPane : public QToolBar, public CWnd {
public:
    explicit CMenuBarPane(CMFCMenuBar* bar, QWidget* parent = nullptr);

    // Attaches the pane to its frame under a control ID (the saved layout finds it by it).
    BOOL Create(CWnd* frame, UINT id);
    // Docking sides the pane accepts (CBRS_ALIGN_* bits).
    void EnableDocking(UINT align);

    CMFCMenuBar* GetMenuBar() const { return m_bar; }
    // The buttons shown instead of the menu bar while the pane stands upright, in menu order.
    std::vector<QToolButton*> GetColumnButtons() const;
    // Opens the popup at `index` the way the pane shows it now (menu bar or button).
    void OpenPopup(int index);

protected:
    // Follows the menu bar's popups as menus switch.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void rebuildColumn();
    void applyOrientation();
    void updateShortcuts();

    CMFCMenuBar* m_bar;
    QAction* m_barAction = nullptr;
    std::vector<QAction*> m_columnActions; // one per popup, holding its button
    std::vector<QShortcut*> m_shortcuts;
    bool m_rebuildPending = false;
};

} // namespace lw
