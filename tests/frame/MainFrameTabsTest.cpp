// Document tabs, tab groups, overlapping windows and full screen on the real main frame,
// with light line-edit documents: the default layout, the layout toggle kept across a
// restart, the new-group sequence, moving tabs, the commands' update states, the window
// list, full screen in and out, and a stored window rectangle brought back on screen.

#include "frame/MainFrame.h"
#include "framework/core/CmdUI.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/SettingsStore.h"
#include "framework/core/UserPrompts.h"
#include "framework/ui/MDIChildWndEx.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/ToolBarFontComboBox.h"
#include "framework/ui/WidgetView.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"
#include "support/WaitFor.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace lw;

namespace {

class LineView : public CWidgetView {
protected:
    QWidget* CreateViewWidget() override { return new QLineEdit; }
};

struct TabsFixture : ::testing::Test {
    CWinAppEx app;
    CMainFrame* frame = nullptr;
    CMultiDocTemplate* tmpl = nullptr;

    static void SetUpTestSuite() {
        RegisterProgramResources();
        RegisterProgramImages();
    }
    void SetUp() override {
        AfxSetMessageBoxHandler([](const QString&, UINT) { return IDNO; });
        app.SetRegistryKey(QStringLiteral("Tarn"));
        auto t = std::make_unique<CMultiDocTemplate>(
            IDR_HTMLDOCTYPE, [] { return new CDocument; }, [] { return new CMDIChildWndEx; },
            [] { return new LineView; });
        tmpl = t.get();
        app.AddDocTemplate(std::move(t));
    }
    void TearDown() override {
        close();
        app.DelRegTree();
        AfxSetMessageBoxHandler({});
    }
    CMainFrame* load() {
        frame = new CMainFrame;
        EXPECT_TRUE(frame->LoadFrame(IDR_MAINFRAME, nullptr, nullptr));
        app.m_pMainWnd = frame;
        tmpl->m_pFrameParent = frame;
        frame->GetWidget()->resize(1000, 700);
        frame->ActivateFrame(SW_SHOWNORMAL);
        return frame;
    }
    void close() {
        if (!frame)
            return;
        app.CloseAllDocuments(FALSE);
        frame->SaveWorkspaceState();
        frame->DestroyWindow();
        frame = nullptr;
        app.m_pMainWnd = nullptr;
    }
    CMDIChildWndEx* open(int n = 1) {
        for (int i = 0; i < n; ++i)
            EXPECT_NE(tmpl->OpenDocumentFile(QString()), nullptr);
        return dynamic_cast<CMDIChildWndEx*>(frame->MDIGetActive());
    }
    CMDIClientAreaWnd* area() const { return frame->GetClientArea(); }
    std::vector<QString> titles() const {
        std::vector<QString> out;
        for (CChildWidget* c : area()->ChildrenInOrder())
            out.push_back(c->windowTitle());
        return out;
    }
    CTestCmdUI update(UINT id) {
        CTestCmdUI state;
        state.m_nID = id;
        state.DoUpdate(frame, TRUE);
        return state;
    }
    void expectLayoutCommands(bool tabs) {
        for (UINT id : {ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_ARRANGE})
            EXPECT_EQ(update(id).m_bEnabled, !tabs) << id;
        for (UINT id : {ID_WINDOW_NEW_VERTICAL_TAB_GROUP, ID_WINDOW_NEW_HORIZONTAL_TAB_GROUP})
            EXPECT_EQ(update(id).m_bEnabled, tabs) << id;
        EXPECT_EQ(update(ID_VIEW_TABBED_DOCUMENTS).m_nCheck, tabs ? 1 : 0);
    }
};

TEST_F(TabsFixture, FirstRunShowsEveryDocumentAsATabFillingTheArea) {
    load();
    EXPECT_TRUE(frame->AreMDITabs());
    EXPECT_EQ(frame->m_tabParams.m_style, CMDITabInfo::STYLE_3D_ONENOTE);
    EXPECT_TRUE(frame->m_tabParams.m_bActiveTabCloseButton);
    expectLayoutCommands(true);
    CMDIChildWndEx* child = open(2);
    ASSERT_EQ(area()->GetTabGroups().size(), 1u);
    CMDITabGroup* group = area()->GetTabGroups().front();
    EXPECT_EQ(group->count(), 2);
    EXPECT_EQ(group->current(), child->GetWidget());
    EXPECT_TRUE(group->GetDocumentsButton()->isVisibleTo(group));
    EXPECT_EQ(group->GetDocumentsButton()->toolTip(), QStringLiteral("Active Files"));
    // The page fills its group below the tab row: nearly all of the document area.
    EXPECT_TRUE(lwtest::waitFor([&] { return child->GetWidget()->width() >= area()->width() - 4; }));
    EXPECT_GT(child->GetWidget()->height(), area()->height() - 60);
    // Only the active tab carries a close button, and it closes that document.
    QTabBar* bar = group->GetTabBar();
    EXPECT_EQ(bar->tabButton(0, QTabBar::RightSide), nullptr);
    auto* closeButton = qobject_cast<QToolButton*>(bar->tabButton(1, QTabBar::RightSide));
    ASSERT_NE(closeButton, nullptr);
    closeButton->click();
    EXPECT_TRUE(lwtest::waitFor([&] { return frame->Children().size() == 1; }));
    EXPECT_EQ(group->count(), 1);
    EXPECT_NE(bar->tabButton(0, QTabBar::RightSide), nullptr);
    // A tab picked by the user makes its document the active one.
    open();
    bar->setCurrentIndex(0);
    EXPECT_EQ(frame->MDIGetActive()->GetActiveDocument()->GetTitle(), bar->tabText(0));
}

TEST_F(TabsFixture, TogglingKeepsTheDocumentsInOrderAndIsRememberedAtTheNextStart) {
    load();
    open(3);
    const std::vector<QString> before = titles();
    CMDIChildWnd* active = frame->MDIGetActive();
    frame->SendCommand(ID_VIEW_TABBED_DOCUMENTS);
    EXPECT_FALSE(frame->AreMDITabs());
    EXPECT_EQ(app.GetInt(QStringLiteral("TabbedDocuments"), -1), 0);
    expectLayoutCommands(false);
    EXPECT_EQ(titles(), before);
    EXPECT_EQ(frame->MDIGetActive(), active);
    EXPECT_EQ(frame->GetMdiArea()->subWindowList().size(), 3);
    frame->SendCommand(ID_VIEW_TABBED_DOCUMENTS);
    EXPECT_TRUE(frame->AreMDITabs());
    EXPECT_EQ(app.GetInt(QStringLiteral("TabbedDocuments"), -1), 1);
    EXPECT_EQ(titles(), before);
    EXPECT_EQ(frame->MDIGetActive(), active);
    EXPECT_TRUE(frame->GetMdiArea()->subWindowList().isEmpty());

    frame->SendCommand(ID_VIEW_TABBED_DOCUMENTS);
    close();
    load();
    EXPECT_FALSE(frame->AreMDITabs());
    expectLayoutCommands(false);
}

TEST_F(TabsFixture, OverlappingWindowsOpenAtAUsableSizeAndArrangeIntoIt) {
    app.WriteInt(QStringLiteral("TabbedDocuments"), 0);
    load();
    open(3);
    QMdiArea* mdi = frame->GetMdiArea();
    const QSize usable = area()->UsableWindowSize();
    const QList<QMdiSubWindow*> windows = mdi->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 3);
    for (QMdiSubWindow* w : windows)
        EXPECT_EQ(w->size(), usable);
    EXPECT_GT(windows[1]->x(), windows[0]->x());
    EXPECT_GT(windows[1]->y(), windows[0]->y());
    // A caption with a close button, no minimise or maximise button.
    EXPECT_TRUE(windows[0]->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(windows[0]->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(windows[0]->windowFlags() & Qt::WindowMaximizeButtonHint);

    for (QMdiSubWindow* w : windows)
        w->resize(120, 70);
    frame->SendCommand(ID_WINDOW_CASCADE);
    for (QMdiSubWindow* w : windows)
        EXPECT_EQ(w->size(), usable);
    frame->SendCommand(ID_WINDOW_TILE_VERT);
    const int w = mdi->viewport()->width();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(windows[i]->y(), 0);
        EXPECT_EQ(windows[i]->height(), mdi->viewport()->height());
        EXPECT_NEAR(windows[i]->x(), w * i / 3, 1);
    }
    frame->SendCommand(ID_WINDOW_TILE_HORZ);
    for (QMdiSubWindow* sub : windows)
        EXPECT_EQ(sub->width(), w);
}

TEST_F(TabsFixture, NewGroupsSplitTheActiveGroupAndKeepTheFirstDirection) {
    load();
    open(3);
    CMDIChildWndEx* third = dynamic_cast<CMDIChildWndEx*>(frame->MDIGetActive());
    frame->SendCommand(ID_WINDOW_NEW_VERTICAL_TAB_GROUP);
    std::vector<CMDITabGroup*> groups = area()->GetTabGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_TRUE(area()->IsMDITabbedGroupVertical());
    // The active document moved into the new group, on the right, and is still active.
    EXPECT_EQ(groups[1]->current(), third->GetWidget());
    EXPECT_EQ(frame->MDIGetActive(), third);
    EXPECT_EQ(groups[0]->count(), 2);
    const QList<int> sizes = area()->GetSplitter()->sizes();
    EXPECT_NEAR(sizes[0], sizes[1], 8);

    // Asked for a horizontal group now, the area still divides side by side.
    auto* first = dynamic_cast<CMDIChildWndEx*>(frame->Children()[0]);
    first->ActivateFrame();
    frame->SendCommand(ID_WINDOW_NEW_HORIZONTAL_TAB_GROUP);
    groups = area()->GetTabGroups();
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_TRUE(area()->IsMDITabbedGroupVertical());
    EXPECT_EQ(groups[1]->current(), first->GetWidget());
    EXPECT_EQ(groups[1]->count(), 1);

    // A group with one document has nothing to leave behind: no new group.
    frame->SendCommand(ID_WINDOW_NEW_VERTICAL_TAB_GROUP);
    EXPECT_EQ(area()->GetTabGroups().size(), 3u);

    // The last tab leaving a group takes the group with it.
    area()->MoveToGroup(first->GetWidget(), groups[2]);
    EXPECT_TRUE(lwtest::waitFor([&] { return area()->GetTabGroups().size() == 2; }));
    EXPECT_EQ(area()->FindGroup(first->GetWidget()), groups[2]);
    EXPECT_EQ(frame->MDIGetActive(), first);
    EXPECT_EQ(frame->Children().size(), 3u);
    // Closing every document of a group removes it too.
    third->OnClose();
    first->OnClose();
    EXPECT_TRUE(lwtest::waitFor([&] { return area()->GetTabGroups().size() == 1; }));
    EXPECT_NE(frame->MDIGetActive(), nullptr);
}

TEST_F(TabsFixture, StackedGroupsComeFromAHorizontalSplitAndSurviveALayoutToggle) {
    load();
    open(2);
    frame->SendCommand(ID_WINDOW_NEW_HORIZONTAL_TAB_GROUP);
    ASSERT_EQ(area()->GetTabGroups().size(), 2u);
    EXPECT_FALSE(area()->IsMDITabbedGroupVertical());
    frame->SendCommand(ID_VIEW_TABBED_DOCUMENTS);
    frame->SendCommand(ID_VIEW_TABBED_DOCUMENTS);
    // Back in tabs, all documents share one group again, none lost.
    ASSERT_EQ(area()->GetTabGroups().size(), 1u);
    EXPECT_EQ(area()->GetTabGroups().front()->count(), 2);
}

TEST_F(TabsFixture, TheWindowListShowsNineWindowsThenWindowsDialog) {
    app.WriteInt(QStringLiteral("TabbedDocuments"), 0);
    load();
    open(11);
    QMenu* window = frame->GetMenuBar()->FindPopup(QStringLiteral("Window"));
    ASSERT_NE(window, nullptr);
    emit window->aboutToShow();
    QStringList numbered;
    for (QAction* a : window->actions())
        if (a->text().startsWith(QLatin1Char('&')) && a->text().size() > 2 && a->text()[1].isDigit())
            numbered << a->text();
    EXPECT_EQ(numbered.size(), 9);
    EXPECT_EQ(window->actions().last()->text(), QStringLiteral("&Windows..."));
}

TEST_F(TabsFixture, FullScreenHidesTheBarsAndLeavingBringsThemBack) {
    load();
    open();
    frame->GetInsertBar()->hide();
    const QRect before = frame->GetWidget()->geometry();
    frame->SendCommand(ID_VIEW_FULLSCREEN);
    ASSERT_TRUE(frame->IsFullScreen());
    EXPECT_EQ(update(ID_VIEW_FULLSCREEN).m_nCheck, 1);
    EXPECT_EQ(app.GetRegistryBase(), QStringLiteral("FullScreeenState"));
    // The normal layout was written before the key changed.
    EXPECT_TRUE(app.GetSettingsStore()->readDWord(QStringLiteral("Workspace\\ControlBarVersion"),
                                                  QStringLiteral("Major")));
    for (CMFCToolBar* bar : frame->GetToolBars())
        EXPECT_TRUE(bar->isHidden());
    EXPECT_TRUE(frame->GetWidget()->statusBar()->isHidden());
    EXPECT_TRUE(frame->GetMenuPane()->isVisible());
    EXPECT_TRUE(frame->GetWidget()->isFullScreen());
    QToolBar* bar = frame->GetFullScreenBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("Full Screen"));
    EXPECT_EQ(bar->pos(), QPoint(100, 100));
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions().front()->text(), QStringLiteral("Close Full Screen"));
    // The program's own values stay in the workspace while full screen borrows another key.
    app.WriteInt(QStringLiteral("TabbedDocuments"), 1);
    EXPECT_EQ(app.GetProfileInt(QStringLiteral("Workspace"), QStringLiteral("TabbedDocuments"), 0), 1u);

    bar->actions().front()->trigger();
    EXPECT_FALSE(frame->IsFullScreen());
    EXPECT_EQ(update(ID_VIEW_FULLSCREEN).m_nCheck, 0);
    EXPECT_EQ(app.GetRegistryBase(), QStringLiteral("Workspace"));
    EXPECT_TRUE(lwtest::waitFor([&] { return frame->GetFullScreenBar() == nullptr; }));
    EXPECT_FALSE(frame->GetStandardBar()->isHidden());
    EXPECT_FALSE(frame->GetFormatBar()->isHidden());
    EXPECT_TRUE(frame->GetInsertBar()->isHidden());
    EXPECT_FALSE(frame->GetWidget()->statusBar()->isHidden());
    EXPECT_EQ(frame->GetWidget()->geometry().size(), before.size());
    // The Format toolbar keeps its live controls.
    EXPECT_NE(frame->GetFontNameBox(), nullptr);
    EXPECT_NE(frame->GetFontSizeBox(), nullptr);

    // Closing in full screen leaves it first: the normal placement and layout are written.
    frame->SendCommand(ID_VIEW_FULLSCREEN);
    app.CloseAllDocuments(FALSE);
    frame->OnClose();
    frame = nullptr;
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(app.GetRegistryBase(), QStringLiteral("Workspace"));
    const std::optional<QByteArray> rect =
        app.GetProfileBinary(QStringLiteral("Workspace\\WindowPlacement"), QStringLiteral("MainWindowRect"));
    ASSERT_TRUE(rect.has_value());
    EXPECT_FALSE(app.GetSettingsStore()->keyExists(QStringLiteral("FullScreeenState\\WindowPlacement")));
}

TEST_F(TabsFixture, AStoredWindowRectangleIsBroughtBackOntoTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect huge = CMDIFrameWndEx::ClampToScreens(QRect(0, 0, 0x7fff0000, 0x7fff0000));
    EXPECT_TRUE(screen.contains(huge));
    const QRect far = CMDIFrameWndEx::ClampToScreens(QRect(50000, -40000, 600, 400));
    EXPECT_TRUE(screen.contains(far));
    EXPECT_EQ(far.size(), QSize(600, 400));
    const QRect inside(screen.topLeft() + QPoint(10, 10), QSize(300, 200));
    EXPECT_EQ(CMDIFrameWndEx::ClampToScreens(inside), inside);
}

} // namespace
