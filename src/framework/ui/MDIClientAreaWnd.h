#pragma once
// The main frame's document area. It shows the document windows in one of two layouts:
// tab groups sharing the area (each document a tab, groups side by side or stacked,
// divided by draggable splitters), or classic overlapping windows in an MDI area.
// Switching keeps the documents, their order and the active one.

#include <QColor>
#include <QPointer>
#include <QStackedWidget>
#include <QTabBar>
#include <functional>
#include <vector>

class QMdiArea;
class QMimeData;
class QMdiSubWindow;
class QSplitter;
class QStackedWidget;
class QToolButton;

namespace lw {

class CChildWidget;
class CMDIClientAreaWnd;

// How the tabs of every group look and behave; handed over whenever tab groups are switched on.
struct CMDITabInfo {
    enum Location { LOCATION_TOP, LOCATION_BOTTOM };
    // Tab shapes: 3 = 3-D scrolled, 4 = 3-D notebook-style (slanted leading edge).
    static constexpr int STYLE_3D_SCROLLED = 3;
    static constexpr int STYLE_3D_ONENOTE = 4;

    Location m_tabLocation = LOCATION_TOP;
    int m_style = STYLE_3D_SCROLLED;
    bool m_bTabIcons = false;
    bool m_bTabCloseButton = true;
    bool m_bActiveTabCloseButton = false;
    bool m_bTabCustomTooltips = false;
    bool m_bAutoColor = false;
    bool m_bDocumentMenu = false;
    bool m_bEnableTabSwap = true;
    bool m_bFlatFrame = true;
    int m_nTabBorderSize = -1;
    bool m_bReuseRemovedTabGroups = false;
};

// The tab row of one group: draws the tab shapes and starts a drag to another group.
class CMDITabBar : public QTabBar {
public:
    CMDITabBar(const CMDITabInfo& info, QWidget* parent);
    void SetInfo(const CMDITabInfo& info);
    void SetTabColors(std::vector<QColor> colors) { m_colors = std::move(colors); update(); }
    // The group holding the active document shows its current tab in bold.
    void SetActiveGroup(bool active);
    // Hands a tab dragged out of the row to whoever takes the drop.
    std::function<void(int index)> onDragOut;

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor tabColor(int index) const;
    CMDITabInfo m_info;
    std::vector<QColor> m_colors;
    bool m_activeGroup = false;
    QPoint m_pressPos;
    int m_pressIndex = -1;
};

// One tab group: a tab row (with the "Active Files" button at its end) over the documents.
class CMDITabGroup : public QWidget {
public:
    CMDITabGroup(CMDIClientAreaWnd* area, const CMDITabInfo& info);
    CMDITabBar* GetTabBar() const { return m_bar; }
    QToolButton* GetDocumentsButton() const { return m_documents; }
    int count() const;
    CChildWidget* child(int index) const;
    int indexOf(CChildWidget* child) const;
    CChildWidget* current() const;
    void insert(int index, CChildWidget* child);
    void take(CChildWidget* child);
    void setCurrent(CChildWidget* child);
    void applyInfo(const CMDITabInfo& info);
    void updateCloseButton();
    // While a tab is dragged, a layer over the group takes the drop from the page below.
    void showDropLayer(bool show);
    bool acceptsDrag(const QMimeData* data) const;
    void drop(const QPoint& groupPos);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_dropLayer = nullptr;
    CMDIClientAreaWnd* m_area;
    CMDITabBar* m_bar;
    QToolButton* m_documents;
    QStackedWidget* m_stack;
    CMDITabInfo m_info;
};

class CMDIClientAreaWnd : public QStackedWidget {
public:
    explicit CMDIClientAreaWnd(QWidget* parent = nullptr);
    ~CMDIClientAreaWnd() override;

    // Called whenever the user or the area makes another document window the active one
    // (nullptr when the last one goes).
    std::function<void(CChildWidget*)> onActivated;
    // Called when a document window's close button is pressed (tab or caption).
    std::function<void(CChildWidget*)> onCloseRequested;
    // Sends a command through the frame (the tab menu's new-group entries).
    std::function<void(unsigned)> sendCommand;

    void AddChild(CChildWidget* child);
    void RemoveChild(CChildWidget* child);
    void Activate(CChildWidget* child);
    CChildWidget* ActiveChild() const;
    // Every document window in the layout's order (groups left to right or top to bottom).
    std::vector<CChildWidget*> ChildrenInOrder() const;

    bool AreMDITabs() const { return m_tabs; }
    void EnableMDITabbedGroups(bool enable, const CMDITabInfo& info);
    const CMDITabInfo& GetTabInfo() const { return m_info; }
    // Splits the active group and moves the active document into the new half; FALSE
    // when there is no active group or the group has nothing to leave behind.
    bool MDITabNewGroup(bool vertical);
    // Groups divided side by side (TRUE) or stacked; meaningful with more than one group.
    bool IsMDITabbedGroupVertical() const;
    std::vector<CMDITabGroup*> GetTabGroups() const;
    CMDITabGroup* FindGroup(CChildWidget* child) const;
    // Moves a document to another group (at its end, or at `index`); an emptied group goes.
    void MoveToGroup(CChildWidget* child, CMDITabGroup* target, int index = -1);
    void MoveToNextGroup(CChildWidget* child, bool next);
    QSplitter* GetSplitter() const { return m_splitter; }
    // Colours of automatic tab colouring, taken in turn by the tabs.
    void SetAutoColors(std::vector<QColor> colors);

    QMdiArea* GetMdiArea() const { return m_mdi; }
    QMdiSubWindow* SubWindowOf(CChildWidget* child) const;
    // The classic layout's usable window size: about three quarters of the area.
    QSize UsableWindowSize() const;
    void Cascade();
    void TileVertically();
    void TileHorizontally();

    // Internal: a tab group tells the area about its user's actions.
    void groupCurrentChanged(CMDITabGroup* group);
    void groupEmptied(CMDITabGroup* group);
    void markActiveGroup();
    void showTabMenu(CMDITabGroup* group, int index, const QPoint& global);
    static CChildWidget* DraggedChild();
    static void SetDraggedChild(CChildWidget* child);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CMDITabGroup* newGroup();
    CMDITabGroup* activeGroup() const;
    void addSubWindow(CChildWidget* child, bool place);
    void placeNew(QMdiSubWindow* sub);

    bool m_tabs = false;
    CMDITabInfo m_info;
    std::vector<QColor> m_autoColors;
    QMdiArea* m_mdi;
    QSplitter* m_splitter;
    QPointer<CChildWidget> m_active;
    // Document windows added while the area was too small to size them wait for a real size.
    std::vector<QPointer<QMdiSubWindow>> m_unplaced;
    bool m_updating = false;
    // Each document keeps the colour it got when it came, wherever its tab goes.
    int m_nextColor = 0;
};

} // namespace lw
