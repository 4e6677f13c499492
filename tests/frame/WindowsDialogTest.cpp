// The Windows dialog over real document windows: it lists them with the active one
// chosen, activates the one picked and closes the ones selected.

#include "frame/WindowsDialog.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/UserPrompts.h"
#include "framework/ui/MDIChildWndEx.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/WidgetView.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramResources.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace lw;

namespace {

class LineView : public CWidgetView {
protected:
    QWidget* CreateViewWidget() override { return new QLineEdit; }
};

struct WindowsDialogFixture : ::testing::Test {
    CWinAppEx app;
    CMDIFrameWndEx* main = nullptr;
    CMultiDocTemplate* tmpl = nullptr;

    static void SetUpTestSuite() { RegisterProgramResources(); }
    void SetUp() override {
        AfxSetMessageBoxHandler([](const QString&, UINT) { return IDNO; });
        app.SetRegistryKey(QStringLiteral("Tarn"));
        main = new CMDIFrameWndEx;
        ASSERT_TRUE(main->LoadFrame(IDR_MAINFRAME, nullptr, nullptr));
        app.m_pMainWnd = main;
        auto t = std::make_unique<CMultiDocTemplate>(
            IDR_HTMLDOCTYPE, [] { return new CDocument; }, [] { return new CMDIChildWndEx; },
            [] { return new LineView; });
        t->m_pFrameParent = main;
        tmpl = t.get();
        app.AddDocTemplate(std::move(t));
    }
    void TearDown() override {
        app.CloseAllDocuments(FALSE);
        main->DestroyWindow();
        app.DelRegTree();
        AfxSetMessageBoxHandler({});
    }
};

TEST_F(WindowsDialogFixture, ListsActivatesAndClosesDocumentWindows) {
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(tmpl->OpenDocumentFile(QString()), nullptr);
    ASSERT_EQ(main->Children().size(), 3u);
    CMDIChildWnd* first = main->Children()[0];
    CMDIChildWnd* last = main->Children()[2];
    EXPECT_EQ(main->MDIGetActive(), last);

    CWindowsDialog dialog(main);
    QListWidget* list = dialog.GetList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), first->GetWindowText());
    EXPECT_EQ(list->currentRow(), 2);

    list->setCurrentRow(0);
    dialog.OnActivate();
    EXPECT_EQ(main->MDIGetActive(), first);

    CWindowsDialog again(main);
    again.GetList()->clearSelection();
    again.GetList()->item(0)->setSelected(true);
    again.GetList()->item(2)->setSelected(true);
    again.OnCloseWindows();
    ASSERT_EQ(main->Children().size(), 1u);
    EXPECT_EQ(again.GetList()->count(), 1);
}

} // namespace

namespace {

TEST_F(WindowsDialogFixture, MinimizesTheSelectedWindowsAndArrangesTheRest) {
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(tmpl->OpenDocumentFile(QString()), nullptr);
    main->GetWidget()->resize(900, 700);
    main->ActivateFrame(SW_SHOWNORMAL);
    CWindowsDialog dialog(main);
    dialog.GetList()->clearSelection();
    dialog.GetList()->item(1)->setSelected(true);
    dialog.OnMinimize();
    const QList<QMdiSubWindow*> windows = main->GetMdiArea()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 3);
    EXPECT_TRUE(windows[1]->isMinimized());
    EXPECT_FALSE(windows[0]->isMinimized());
    // Tile Vertically leaves the minimised window alone and puts the others side by side.
    dialog.OnArrange(ID_WINDOW_TILE_VERT);
    EXPECT_EQ(windows[0]->x(), 0);
    EXPECT_GT(windows[2]->x(), windows[0]->x() + windows[0]->width() - 2);
    EXPECT_TRUE(windows[1]->isMinimized());
}

} // namespace
