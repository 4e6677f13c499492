#pragma once
// The multiple-document main frame on Qt Widgets: a main window holding the menu
// bar, the document area and the status bar's message pane. It switches menus with
// the active document, keeps the caption, accepts dropped files and runs the close
// sequence (workspace first, then the documents).

#include "framework/core/FrameWnd.h"
#include "framework/ui/CommandImages.h"
#include "framework/ui/MDIClientAreaWnd.h"

#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace lw {

class CMDIChildWndEx;
class CMFCMenuBar;
class CMenuBarPane;
class CMFCStatusBar;
class CMFCToolBar;
class CMDIFrameWndEx;
class CFullScreenImpl;
class CSmartDockingManager;

// Docking modes: outlines only, or markers showing where a dragged pane would dock.
inline constexpr UINT DT_STANDARD = 0x2;
inline constexpr UINT DT_SMART = 0x80;

// The main window widget; it forwards what happens on screen to its frame object.
class CFrameWidget : public QMainWindow {
public:
    explicit CFrameWidget(CMDIFrameWndEx* owner);
    CMDIClientAreaWnd* clientArea() const { return m_clientArea; }
    void detach() { m_owner = nullptr; }

    // The bar context menu: every toolbar (checked while shown), then "Customize...".
    QMenu* createPopupMenu() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The docking area round the bars, in the visual manager's colours.
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    CMDIFrameWndEx* m_owner;
    CMDIClientAreaWnd* m_clientArea;
};

class CMDIFrameWndEx : public CMDIFrameWnd {
    DECLARE_MESSAGE_MAP()
public:
    CMDIFrameWndEx();
    ~CMDIFrameWndEx() override;

    // Creates the window: menu, accelerators and title of the resource.
    BOOL LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext) override;

    CFrameWidget* GetWidget() const { return m_widget; }
    // The document area, and the overlapping windows' MDI area inside it.
    CMDIClientAreaWnd* GetClientArea() const;
    QMdiArea* GetMdiArea() const;

    // Document tabs: tab groups sharing the document area, or overlapping windows.
    void EnableMDITabbedGroups(BOOL bEnable, const CMDITabInfo& params);
    BOOL AreMDITabs() const;
    // Splits the active tab group, moving the active document into the new part.
    BOOL MDITabNewGroup(BOOL bVert);

    // Full-screen mode, switched by the command given here.
    void EnableFullScreenMode(UINT uiFullScreenCmd);
    void ShowFullScreen();
    BOOL IsFullScreen() const;
    QToolBar* GetFullScreenBar() const;
    CMFCMenuBar* GetMenuBar() const { return m_menuBar; }
    // The dockable pane the menu bar lives in.
    CMenuBarPane* GetMenuPane() const { return m_menuPane; }

    void MDIActivate(CMDIChildWnd* child) override;
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void SetWindowText(const QString& text) override;
    QString GetWindowText() const override;

    // The close sequence: workspace first, then every modified document is offered
    // for saving; Cancel or a failed save keeps the program running.
    void OnClose() override;
    // Writes the workspace layout and window placement (before documents are asked).
    virtual void SaveWorkspaceState();
    // Gives the window the normal rectangle stored at the last close, if any.
    void LoadWindowPlacement();
    // A stored window rectangle brought within the screens: on the screen it mostly
    // lies on (the primary one when on none), no larger than it and not too small.
    static QRect ClampToScreens(const QRect& stored);

    // The status bar's message pane.
    void SetMessageText(const QString& text);
    QString GetMessageText() const;

    // Runs once each time the program becomes idle: bars update through the route.
    virtual void OnIdleUpdateCmdUI();

    // Files dropped on the frame, opened one after the other in drop order.
    virtual void OnDropFiles(const QStringList& paths);

    // The picture shown beside a command's menu items (a null icon for none).
    virtual QIcon GetCommandIcon(UINT id) const;
    // Adds the pictures of a toolbar resource (its layout and its bitmap of the same
    // number) to the frame's picture collection; FALSE when either is missing or bad.
    BOOL LoadCommandImages(UINT toolbarId);
    const CMFCCommandImages& GetCommandImages() const { return m_commandImages; }

    // Bars listed in View > Toolbars and Docking Windows: caption, visible, toggle.
    struct PaneEntry {
        QString caption;
        std::function<bool()> isVisible;
        std::function<void(bool)> setVisible;
    };
    virtual std::vector<PaneEntry> GetPaneEntries() const;

    // Control bars. Toolbars dock on the sides EnableDocking allows; DockPane puts a
    // bar at its default place (the top edge) and makes it one of the frame's bars.
    // The menu bar's pane takes the first row of the top edge, the toolbars the next.
    void EnableDocking(UINT align);
    void DockPane(CMFCToolBar* bar);
    void DockPane(CMenuBarPane* pane);
    const std::vector<CMFCToolBar*>& GetToolBars() const { return m_toolBars; }
    CMFCToolBar* GetToolBar(UINT id) const;
    // The status bar replaces the frame's plain message line.
    void SetStatusBar(CMFCStatusBar* bar);
    CMFCStatusBar* GetStatusBar() const { return m_statusBar; }
    // How panes dock while dragged (DT_STANDARD or DT_SMART), for all frames.
    static void SetDockingMode(UINT mode, int theme = 0);
    static UINT GetDockingMode() { return s_nDockingMode; }
    // Shows the docking markers while a bar is dragged in smart docking mode.
    CSmartDockingManager* GetSmartDockingManager() const { return m_smartDocking; }

    // Bar layout, visibility and toolbar buttons under the workspace key; restored
    // only when a layout version was stored. Loading returns FALSE for nothing restored.
    void SaveBarState() const;
    BOOL LoadBarState();
    // Opens again the palettes that were torn off at the last close; call it once the
    // buttons they belong to are in place.
    void RestoreTornOffBars();
    // Key assignments and user tools under the workspace key; loading drops what names
    // no command.
    void SaveCustomization() const;
    void LoadCustomization();

    // User-defined toolbars take the control IDs first..last; their layout is kept with
    // the other bars'.
    void InitUserToolbars(UINT firstId, UINT lastId);
    bool IsUserToolBarId(UINT id) const {
        return id >= m_nFirstUserBarId && id <= m_nLastUserBarId && id != 0;
    }
    int GetMaxUserToolBars() const;
    // The user toolbar in a slot (0 for the first ID), or nullptr for an empty slot.
    CMFCToolBar* GetUserToolBarByIndex(int slot) const;
    // Makes a user toolbar with the first free ID, floating near the screen's centre;
    // with every ID taken it says so and makes none.
    CMFCToolBar* CreateNewToolBar(const QString& name);
    BOOL DeleteToolBar(CMFCToolBar* bar);
    // A command the user put on a bar or took off it; the default does nothing.
    virtual void OnToolbarContentsChanged(CMFCToolBar* bar);
    // Tooltips and menus take up the keys as they now are.
    void OnKeyboardChanged();

    // Runs a user tool with the active document's path at hand.
    void OnUserTool(UINT id);

    // Framework commands: window arrangement and the status bar.
    void OnWindowCascade();
    void OnWindowTileHorz();
    void OnWindowTileVert();
    void OnWindowArrange();
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CCmdUI* pCmdUI);

protected:
    void OnDestroy() override;
    void PostNcDestroy() override;
    // Fills the run-time entries of a popup that is about to show.
    virtual void FillRunTimeEntries(QMenu* menu);
    // Adds the pane list and "Customize..." to a menu, before `before` (or at the end).
    void AddPaneEntries(QMenu* menu, QAction* before);

    friend class CFrameWidget;

private:
    void fillRecentFiles(QMenu* menu);
    void fillWindowList(QMenu* menu);
    void fillUserTools(QMenu* menu);
    void fillPaneList(QMenu* menu);
    void switchMenu();
    CMFCToolBar* createUserToolBar(UINT id, const QString& name);
    void restoreUserToolBars();

    QPointer<CFrameWidget> m_widget;
    CMFCMenuBar* m_menuBar = nullptr;
    CMenuBarPane* m_menuPane = nullptr;
    QPointer<QLabel> m_messagePane;
    CMFCStatusBar* m_statusBar = nullptr;
    std::vector<CMFCToolBar*> m_toolBars; // owned by the main window widget
    static inline UINT s_nDockingMode = DT_STANDARD;
    QString m_strTitle;
    CMFCCommandImages m_commandImages;
    std::unique_ptr<CFullScreenImpl> m_fullScreen;
    CSmartDockingManager* m_smartDocking = nullptr; // owned by the main window widget
    UINT m_nFirstUserBarId = 0;
    UINT m_nLastUserBarId = 0;
};

} // namespace lw
