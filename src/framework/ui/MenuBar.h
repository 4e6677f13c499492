#pragma once
// The menu bar: shows a menu resource, updates every popup through the command route
// just before it opens, shows each item's key and picture, puts the highlighted
// item's prompt in the status bar, and fills the entries the framework completes at
// run time (recent files, the window list, user tools).

#include "framework/core/CmdUI.h"
#include "framework/core/Resources.h"

#include <QIcon>
#include <QMenuBar>
#include <QPointer>
#include <functional>

class QAction;
class QMenu;

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
        CFrameWnd* frame = nullptr;             // where commands and update requests go
        CKeyboardManager* keys = nullptr;       // the keys shown beside items
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

private:
    void wirePopup(QMenu* menu);

    Services m_services;
    UINT m_menuId = 0;
};

} // namespace lw
