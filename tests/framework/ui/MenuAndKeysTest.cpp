// The menu bar and the accelerator filter on real widgets: which menu shows, the keys
// beside items, update passes, prompts, run-time entries and key translation.

#include "framework/core/CmdUI.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/RecentFileList.h"
#include "framework/core/UserPrompts.h"
#include "framework/ui/KeyboardManager.h"
#include "framework/ui/MDIChildWndEx.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/WidgetView.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramResources.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace lw;

namespace {

QList<UINT> g_commands;

class KeyView : public CWidgetView {
    DECLARE_MESSAGE_MAP()
public:
    bool linkEnabled = true;
    CCmdUI* lastFormatRequest = nullptr;
    void* formatSubMenu = nullptr;
    void OnLink() { g_commands << ID_EDIT_HYPERLINK; }
    void OnUnlink() { g_commands << ID_EDIT_UNLINK; }
    void OnUpdateLink(CCmdUI* ui) { ui->Enable(linkEnabled); }
    void OnBold() { g_commands << ID_TEXT_BOLD; }
    void OnUpdateBlockFormat(CCmdUI* ui) { formatSubMenu = ui->m_pSubMenu; }
    QLineEdit* edit() const { return static_cast<QLineEdit*>(GetWidget()); }

protected:
    QWidget* CreateViewWidget() override { return new QLineEdit; }
};
BEGIN_MESSAGE_MAP(KeyView, CWidgetView)
ON_COMMAND(ID_EDIT_HYPERLINK, &KeyView::OnLink)
ON_UPDATE_COMMAND_UI(ID_EDIT_HYPERLINK, &KeyView::OnUpdateLink)
ON_COMMAND(ID_EDIT_UNLINK, &KeyView::OnUnlink)
ON_COMMAND(ID_TEXT_BOLD, &KeyView::OnBold)
ON_UPDATE_COMMAND_UI(ID_BLOCK_FORMAT, &KeyView::OnUpdateBlockFormat)
END_MESSAGE_MAP()

class KeyDoc : public CDocument {
public:
    // Records which file command arrived instead of saving.
    BOOL DoFileSave() override {
        g_commands << ID_FILE_SAVE;
        return TRUE;
    }
    BOOL DoSave(const QString&, BOOL) override {
        g_commands << ID_FILE_SAVE_AS;
        return TRUE;
    }
};

class TestApp : public CWinAppEx {};

struct MenuFixture : ::testing::Test {
    TestApp app;
    CMDIFrameWndEx* main = nullptr;
    CMultiDocTemplate* tmpl = nullptr;

    static void SetUpTestSuite() { RegisterProgramResources(); }
    void SetUp() override {
        g_commands.clear();
        AfxSetMessageBoxHandler([](const QString&, UINT) { return IDNO; });
        app.SetRegistryKey(QStringLiteral("Tarn"));
        app.LoadStdProfileSettings(10);
        app.InitKeyboardManager();
        main = new CMDIFrameWndEx;
        ASSERT_TRUE(main->LoadFrame(IDR_MAINFRAME, nullptr, nullptr));
        app.m_pMainWnd = main;
        auto t = std::make_unique<CMultiDocTemplate>(
            IDR_HTMLDOCTYPE, [] { return new KeyDoc; }, [] { return new CMDIChildWndEx; },
            [] { return new KeyView; });
        t->m_pFrameParent = main;
        tmpl = t.get();
        app.AddDocTemplate(std::move(t));
        main->ActivateFrame(SW_SHOWNORMAL);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main->GetWidget()));
    }
    void TearDown() override {
        app.CloseAllDocuments(FALSE);
        main->DestroyWindow();
        app.DelRegTree();
        AfxSetMessageBoxHandler({});
    }
    KeyView* openDoc() {
        CDocument* doc = tmpl->OpenDocumentFile(QString());
        auto* view = static_cast<KeyView*>(doc->Views().front());
        view->edit()->setFocus();
        QApplication::processEvents();
        return view;
    }
    QStringList popupTitles() const {
        QStringList titles;
        for (QAction* a : main->GetMenuBar()->actions())
            titles << a->text();
        return titles;
    }
    QMenu* popup(const char* title) const {
        return main->GetMenuBar()->FindPopup(QString::fromLatin1(title));
    }
    static QAction* item(QMenu* menu, UINT id) {
        for (QAction* a : menu->actions())
            if (AfxActionCommandId(a) == id)
                return a;
        return nullptr;
    }
    static void aboutToShow(QMenu* menu) { emit menu->aboutToShow(); }
    QWidget* keyTarget() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w : main->GetWidget();
    }
};

} // namespace

TEST_F(MenuFixture, TheMenuFollowsTheActiveDocument) {
    EXPECT_EQ(popupTitles(), QStringList({"&File", "&View", "&UserTools", "&Help"}));
    QStringList fileItems;
    for (QAction* a : popup("File")->actions())
        fileItems << (a->isSeparator() ? QStringLiteral("-") : a->text().section(QLatin1Char('\t'), 0, 0));
    EXPECT_EQ(fileItems, QStringList({"&New", "&Open...", "-", "Recent File", "-", "E&xit"}));

    openDoc();
    EXPECT_EQ(popupTitles(), QStringList({"&File", "&Edit", "&View", "&Position", "&Text", "&Block",
                                          "&Insert", "&Options", "&UserTools", "&Window", "&Help"}));
    app.CloseAllDocuments(FALSE);
    EXPECT_EQ(popupTitles().size(), 4);
}

TEST_F(MenuFixture, ItemsShowTheirKeyFromTheAcceleratorTable) {
    openDoc();
    EXPECT_EQ(item(popup("Text"), ID_TEXT_BOLD)->text(), "&Bold\tCtrl+B");
    EXPECT_EQ(item(popup("File"), ID_FILE_SAVE_AS)->text(), "Save &As...\tCtrl+Shift+S");
    EXPECT_EQ(item(popup("Text"), ID_TEXT_STRIKETHROUGH)->text(), "&Strikethrough");
}

TEST_F(MenuFixture, UpdatePassEnablesByHandlerAndGivesSubmenusTheirFirstId) {
    QMenu* file = popup("File");
    aboutToShow(file);
    // The recent-file item is disabled while the list is empty; New has a handler only
    // where the application binds it, which this test application does not.
    EXPECT_FALSE(item(file, ID_FILE_MRU_FILE1)->isEnabled());
    EXPECT_FALSE(item(file, ID_FILE_NEW)->isEnabled());
    EXPECT_TRUE(item(file, ID_APP_EXIT)->isEnabled());

    KeyView* view = openDoc();
    file = popup("File");
    aboutToShow(file);
    EXPECT_TRUE(item(file, ID_FILE_SAVE)->isEnabled());
    EXPECT_FALSE(item(file, ID_FILE_SEND_MAIL)->isEnabled());

    QMenu* block = popup("Block");
    aboutToShow(block);
    EXPECT_NE(view->formatSubMenu, nullptr);
    // A submenu item is never disabled for lack of a handler.
    EXPECT_TRUE(block->actions().front()->isEnabled());
    view->linkEnabled = false;
    QMenu* edit = popup("Edit");
    aboutToShow(edit);
    EXPECT_FALSE(item(edit, ID_EDIT_HYPERLINK)->isEnabled());
    EXPECT_TRUE(item(edit, ID_EDIT_UNLINK)->isEnabled());
}

TEST_F(MenuFixture, HighlightedItemsShowTheirPromptAndReadyOtherwise) {
    EXPECT_EQ(main->GetMessageText(), "Ready");
    openDoc();
    QMenu* file = popup("File");
    emit file->hovered(item(file, ID_FILE_SAVE));
    EXPECT_EQ(main->GetMessageText(), "Save the active document");
    QMenu* window = popup("Window");
    aboutToShow(window);
    emit window->hovered(item(window, ID_WINDOW_NEW_VERTICAL_TAB_GROUP));
    EXPECT_EQ(main->GetMessageText(), "");
    emit file->aboutToHide();
    EXPECT_EQ(main->GetMessageText(), "Ready");
}

TEST_F(MenuFixture, RunTimeEntriesListWindowsAndRecentFiles) {
    openDoc();
    openDoc();
    QMenu* window = popup("Window");
    aboutToShow(window);
    QStringList texts;
    for (QAction* a : window->actions())
        texts << a->text();
    EXPECT_TRUE(texts.contains("&1 HTML Document1"));
    EXPECT_TRUE(texts.contains("&2 HTML Document2"));
    EXPECT_EQ(texts.last(), "&Windows...");
    // Showing it again does not add the entries twice.
    aboutToShow(window);
    EXPECT_EQ(window->actions().size(), texts.size());

    app.AddToRecentFileList(QStringLiteral("/tmp/a&b.html"));
    app.AddToRecentFileList(QStringLiteral("/tmp/second.html"));
    QMenu* file = popup("File");
    aboutToShow(file);
    EXPECT_EQ(item(file, ID_FILE_MRU_FILE1)->text(), "&1 /tmp/second.html");
    ASSERT_NE(item(file, ID_FILE_MRU_FILE1 + 1), nullptr);
    EXPECT_EQ(item(file, ID_FILE_MRU_FILE1 + 1)->text(), "&2 /tmp/a&&b.html");
    EXPECT_TRUE(item(file, ID_FILE_MRU_FILE1)->isEnabled());
}

TEST_F(MenuFixture, KeysOfTheTableBecomeCommandsAndOthersReachTheWidget) {
    KeyView* view = openDoc();
    QTest::keyClick(keyTarget(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(keyTarget(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(keyTarget(), Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(keyTarget(), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(g_commands, QList<UINT>({ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EDIT_HYPERLINK, ID_EDIT_UNLINK}));

    // A key whose command is disabled does nothing, and does not reach the widget.
    g_commands.clear();
    view->linkEnabled = false;
    QTest::keyClick(keyTarget(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(g_commands.isEmpty());
    EXPECT_TRUE(view->edit()->text().isEmpty());

    // F6 is bound but nothing handles it: nothing happens.
    QTest::keyClick(keyTarget(), Qt::Key_F6);
    EXPECT_TRUE(g_commands.isEmpty());

    QTest::keyClicks(keyTarget(), QStringLiteral("Ab"));
    EXPECT_EQ(view->edit()->text(), "Ab");
}

TEST_F(MenuFixture, WithoutADocumentEditingKeysFindNoCommand) {
    QTest::keyClick(main->GetWidget(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(g_commands.isEmpty());
    auto* keys = app.GetKeyboardManager();
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->Accelerators().size(), 23u);
    const ACCEL* bold = keys->Find({0x42, FCONTROL});
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->cmd, ID_TEXT_BOLD);
    EXPECT_EQ(keys->Find({0x42, FCONTROL | FSHIFT}), nullptr);
    const ACCEL* prevPane = keys->Find({0x75, FSHIFT});
    ASSERT_NE(prevPane, nullptr);
    EXPECT_EQ(prevPane->cmd, ID_PREV_PANE);
}

TEST_F(MenuFixture, TheMenuPaneDocksOnASideAsAColumnOfTheSamePopups) {
    CMenuBarPane* pane = main->GetMenuPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->GetDlgCtrlID(), 59398u);
    EXPECT_TRUE(pane->GetMenuBar()->isVisible());
    pane->EnableDocking(0xF000);
    main->GetWidget()->addToolBar(Qt::LeftToolBarArea, pane);
    ASSERT_EQ(pane->orientation(), Qt::Vertical);
    auto columnTitles = [&] {
        QStringList titles;
        for (QToolButton* b : pane->GetColumnButtons())
            if (b->isVisible() && b->focusPolicy() == Qt::NoFocus)
                titles << b->text();
        return titles;
    };
    EXPECT_TRUE(lwtest::waitFor([&] { return columnTitles() == popupTitles(); }));
    EXPECT_FALSE(pane->GetMenuBar()->isVisible());
    // The bar hidden in the pane does not grey out the popups its buttons drop.
    EXPECT_TRUE(popup("File")->isEnabled());
    // A document switches the menu: the column follows, its buttons drop the bar's popups.
    openDoc();
    ASSERT_TRUE(lwtest::waitFor([&] { return columnTitles() == popupTitles(); }));
    EXPECT_TRUE(popup("Edit")->isEnabled());
    EXPECT_GT(popupTitles().size(), 4);
    const std::vector<QToolButton*> buttons = pane->GetColumnButtons();
    EXPECT_EQ(buttons[1]->menu(), popup("Edit"));
    // A button opens the same popup, run through the update pass like the bar's.
    bool shown = false;
    QObject::connect(popup("Edit"), &QMenu::aboutToShow, [&] {
        shown = true;
        QTimer::singleShot(0, popup("Edit"), [&] { popup("Edit")->close(); });
    });
    pane->OpenPopup(1);
    EXPECT_TRUE(shown);
    // Back on the top edge the bar itself shows again.
    main->GetWidget()->addToolBar(Qt::TopToolBarArea, pane);
    EXPECT_TRUE(lwtest::waitFor([&] { return pane->GetMenuBar()->isVisible(); }));
    EXPECT_TRUE(columnTitles().isEmpty());
}

TEST_F(MenuFixture, TheActiveDocumentStaysActiveWhileTheMainWindowIsNot) {
    openDoc();
    CMDIChildWnd* active = main->MDIGetActive();
    ASSERT_NE(active, nullptr);
    // The document area lets go of its window whenever the main window loses activation,
    // to a floating bar for one; the commands must still reach the document.
    emit main->GetMdiArea()->subWindowActivated(nullptr);
    EXPECT_EQ(main->MDIGetActive(), active);
    EXPECT_NE(main->GetActiveDocument(), nullptr);
    CTestCmdUI state;
    state.m_nID = ID_FILE_CLOSE;
    state.DoUpdate(main, TRUE);
    EXPECT_TRUE(state.m_bEnabled);
}
