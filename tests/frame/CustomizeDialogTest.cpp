// The Customize dialog on the real main frame: user toolbars up to the limit and back after
// a restart, resets that bring the Format controls back, keys assigned on the Keyboard page,
// user tools in the UserTools menu run without a shell, and moved buttons keep their pictures.

#include "frame/MainFrame.h"
#include "framework/core/SettingsStore.h"
#include "framework/core/UserPrompts.h"
#include "framework/ui/CustomizePages.h"
#include "framework/ui/KeyboardManager.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/ToolBarParameters.h"
#include "framework/ui/ToolBarsCustomizeDialog.h"
#include "framework/ui/UserTool.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace lw;

namespace {

constexpr UINT kFirstUserBar = 59432;

struct CustomizeFixture : ::testing::Test {
    CWinAppEx app;
    QStringList messages;
    static void SetUpTestSuite() {
        RegisterProgramResources();
        RegisterProgramImages();
    }
    void SetUp() override {
        app.SetRegistryKey(QStringLiteral("Tarn"));
        app.InitKeyboardManager();
        app.EnableUserTools(ID_TOOLS_ENTRY, ID_USER_TOOL_FIRST, ID_USER_TOOL_LAST);
        CMFCToolBarParameters::Current() = {};
        AfxSetMessageBoxHandler([this](const QString& text, UINT) {
            messages << text;
            return IDOK;
        });
    }
    void TearDown() override {
        close();
        AfxSetMessageBoxHandler({});
        app.DelRegTree();
    }
    CMainFrame* load() {
        auto* frame = new CMainFrame;
        EXPECT_TRUE(frame->LoadFrame(IDR_MAINFRAME, nullptr, nullptr));
        app.m_pMainWnd = frame;
        return frame;
    }
    void close() {
        if (auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd)) {
            frame->SaveWorkspaceState();
            frame->DestroyWindow();
            app.m_pMainWnd = nullptr;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    CMainFrame* restart() {
        close();
        return load();
    }
    static CMFCToolBarsCustomizeDialog* customize(CMainFrame* frame) {
        frame->SendCommand(ID_VIEW_CUSTOMIZE);
        CMFCToolBarsCustomizeDialog* dialog = CMFCToolBarsCustomizeDialog::GetInstance();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
};

TEST_F(CustomizeFixture, TenUserToolbarsAreMadeTheEleventhIsRefusedAndTheyComeBackAfterARestart) {
    CMainFrame* frame = load();
    CMFCToolBarsCustomizeDialog* dialog = customize(frame);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Customize"));
    EXPECT_FALSE(dialog->isModal());
    CCustomizeToolbarsPage* page = dialog->GetToolbarsPage();
    for (int i = 1; i <= 10; ++i) {
        CMFCToolBar* bar = page->NewToolBar(QStringLiteral("Mine %1").arg(i));
        ASSERT_NE(bar, nullptr) << i;
        EXPECT_EQ(bar->GetDlgCtrlID(), kFirstUserBar + UINT(i - 1));
        EXPECT_TRUE(bar->isFloating());
        EXPECT_NE(bar->GetCustomizeButton(), nullptr);
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(page->NewToolBar(QStringLiteral("One too many")), nullptr);
    EXPECT_EQ(messages, QStringList{QStringLiteral("You can't create more than 10 user-defined toolbars!")});
    EXPECT_EQ(frame->GetToolBars().size(), 13u);
    EXPECT_EQ(page->GetBarList()->count(), 13);

    // A command put on a user toolbar shows the picture the frame holds for it.
    CMFCToolBar* first = frame->GetUserToolBarByIndex(0);
    first->InsertButton(ID_TEXT_BOLD);
    first->InsertButton(ID_FILE_SAVE);
    EXPECT_FALSE(first->GetAction(0)->icon().isNull());
    page->RenameToolBar(frame->GetUserToolBarByIndex(1), QStringLiteral("Renamed"));
    EXPECT_TRUE(page->DeleteToolBar(frame->GetUserToolBarByIndex(2)));
    // The Standard toolbar is no user toolbar.
    EXPECT_FALSE(page->DeleteToolBar(frame->GetStandardBar()));

    frame = restart();
    EXPECT_EQ(frame->GetToolBars().size(), 12u);
    EXPECT_EQ(frame->GetUserToolBarByIndex(2), nullptr);
    for (int slot : {0, 1, 3, 9}) {
        CMFCToolBar* bar = frame->GetUserToolBarByIndex(slot);
        ASSERT_NE(bar, nullptr) << slot;
        EXPECT_NE(bar->GetCustomizeButton(), nullptr) << slot;
    }
    EXPECT_EQ(frame->GetUserToolBarByIndex(1)->GetWindowText(), QStringLiteral("Renamed"));
    first = frame->GetUserToolBarByIndex(0);
    EXPECT_EQ(first->GetWindowText(), QStringLiteral("Mine 1"));
    EXPECT_EQ(first->GetButtons(), (std::vector<UINT>{ID_TEXT_BOLD, ID_FILE_SAVE}));
    EXPECT_FALSE(first->GetAction(1)->icon().isNull());
    // The free slot is taken again first.
    customize(frame);
    EXPECT_EQ(CMFCToolBarsCustomizeDialog::GetInstance()
                  ->GetToolbarsPage()
                  ->NewToolBar(QStringLiteral("Again"))
                  ->GetDlgCtrlID(),
              kFirstUserBar + 2);
}

TEST_F(CustomizeFixture, FormatControlsComeBackAsControlsAfterAResetOrWhenAddedAgain) {
    CMainFrame* frame = load();
    CMFCToolBar* format = frame->GetFormatBar();
    format->RemoveButton(format->CommandToIndex(ID_FORMAT_FONT_NAME));
    format->RemoveButton(format->CommandToIndex(ID_FORMAT_FORE_COLOR));
    ASSERT_EQ(frame->GetFontNameBox(), nullptr);

    // Put back through the bar's own "Add or Remove Buttons" menu.
    QMenu* options = format->BuildOptionsMenu();
    QMenu* buttons = options->actions().front()->menu();
    for (QAction* a : buttons->actions())
        if (a->text() == AfxCommandText(ID_FORMAT_FONT_NAME).tooltip)
            a->setChecked(true);
    EXPECT_NE(frame->GetFontNameBox(), nullptr);
    EXPECT_EQ(frame->FindColorButton(ID_FORMAT_FORE_COLOR), nullptr);

    // Resetting any bar from the Toolbars page brings every Format control back.
    CCustomizeToolbarsPage* page = customize(frame)->GetToolbarsPage();
    format->RemoveButton(format->CommandToIndex(ID_FORMAT_FONT_SIZE));
    format->InsertButton(ID_FORMAT_FONT_SIZE);
    ASSERT_EQ(frame->GetFontSizeBox(), nullptr);
    page->ResetToolBar(frame->GetInsertBar());
    EXPECT_NE(frame->GetFontSizeBox(), nullptr);
    EXPECT_EQ(frame->FindColorButton(ID_FORMAT_FORE_COLOR), nullptr);
    page->ResetAll();
    EXPECT_NE(frame->FindColorButton(ID_FORMAT_FORE_COLOR), nullptr);
    EXPECT_EQ(format->GetButtons(), format->GetOriginalItems());
}

TEST_F(CustomizeFixture, AKeyAssignedOnTheKeyboardPageWorksAtOnceShowsInMenusAndTooltipsAndAfterARestart) {
    CMainFrame* frame = load();
    CCustomizeKeyboardPage* page = customize(frame)->GetKeyboardPage();
    page->SelectCommand(ID_VIEW_TABBED_DOCUMENTS);
    ASSERT_EQ(page->SelectedCommand(), ID_VIEW_TABBED_DOCUMENTS);
    // Ctrl+B is Bold's until it is taken: the page says whose it is.
    QKeyEvent ctrlB(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier);
    QApplication::sendEvent(page->GetKeyEdit(), &ctrlB);
    EXPECT_TRUE(page->GetAssignedTo()->text().contains(QStringLiteral("Bold")));
    QKeyEvent ctrlShiftK(QEvent::KeyPress, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::sendEvent(page->GetKeyEdit(), &ctrlShiftK);
    page->Assign();
    EXPECT_EQ(page->GetKeyList()->count(), 1);

    const bool tabs = frame->AreMDITabs();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::sendEvent(frame->GetWidget(), &press);
    EXPECT_NE(bool(frame->AreMDITabs()), tabs);
    QMenu* view = frame->GetMenuBar()->FindPopup(QStringLiteral("View"));
    ASSERT_NE(view, nullptr);
    emit view->aboutToShow();
    QStringList items;
    for (QAction* a : view->actions())
        items << a->text();
    EXPECT_TRUE(items.contains(QStringLiteral("Tabbed &Documents\tCtrl+Shift+K")))
        << items.join(u'|').toStdString();

    // Bold's tooltip and menu item follow its keys.
    page->SelectCommand(ID_TEXT_BOLD);
    ASSERT_EQ(page->SelectedCommand(), ID_TEXT_BOLD);
    QApplication::sendEvent(page->GetKeyEdit(), &ctrlShiftK);
    page->Assign();
    ASSERT_EQ(page->GetKeyList()->count(), 2);
    page->GetKeyList()->setCurrentRow(0);
    page->Remove();

    CMFCToolBar* format = frame->GetFormatBar();
    EXPECT_EQ(format->GetAction(format->CommandToIndex(ID_TEXT_BOLD))->toolTip(),
              QStringLiteral("Bold (Ctrl+Shift+K)"));

    frame = restart();
    CKeyboardManager* keys = app.GetKeyboardManager();
    ASSERT_NE(keys->Find({0x4B, FCONTROL | FSHIFT}), nullptr);
    EXPECT_EQ(keys->Find({0x4B, FCONTROL | FSHIFT})->cmd, ID_TEXT_BOLD);
    EXPECT_EQ(keys->Find({0x42, FCONTROL}), nullptr);
    EXPECT_EQ(keys->KeyTextForCommand(ID_TEXT_BOLD), QStringLiteral("Ctrl+Shift+K"));

    // A stored key for a command nobody knows is dropped; Reset All brings table 128 back.
    close();
    CKeyboardManager stored;
    stored.SetAccelerators({{FVIRTKEY | FCONTROL, 0x51, 65000}, {FVIRTKEY | FCONTROL, 0x42, ID_TEXT_BOLD}});
    app.GetSettingsStore()->writeBinary(QStringLiteral("Workspace\\Keyboard-0"),
                                        QStringLiteral("Accelerators"), stored.SaveState());
    frame = load();
    EXPECT_EQ(keys->Accelerators().size(), 1u);
    customize(frame)->GetKeyboardPage()->ResetAll();
    EXPECT_EQ(keys->Accelerators().size(), keys->DefaultAccelerators().size());
}

TEST_F(CustomizeFixture, UserToolsFillTheUserToolsMenuAndRunWithTheDocumentPathAndNoShell) {
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("args.txt"));
    // A stand-in program that writes each argument it receives on a line of its own.
    const QString script = dir.filePath(QStringLiteral("record.sh"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.tmp'\nmv '%1.tmp' '%1'\n")
                   .arg(record)
                   .toUtf8());
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);

    CMainFrame* frame = load();
    CCustomizeToolsPage* page = customize(frame)->GetToolsPage();
    page->AddTool();
    page->GetTextEdit()->setText(QStringLiteral("&Record"));
    page->GetCommandEdit()->setText(script);
    page->GetArgumentsEdit()->setText(QStringLiteral("--file \"$(FilePath)\" $(FileName)"));
    page->GetDirectoryEdit()->setText(dir.path());
    page->AddTool();
    page->GetTextEdit()->setText(QStringLiteral("Second"));
    page->MoveTool(-1);
    CUserToolsManager* tools = app.GetUserToolsManager();
    ASSERT_EQ(tools->GetUserTools().size(), 2u);
    EXPECT_EQ(tools->GetUserTools()[0].m_strLabel, QStringLiteral("Second"));

    frame = restart();
    ASSERT_EQ(tools->GetUserTools().size(), 2u);
    const CUserTool* recordTool = tools->FindTool(ID_USER_TOOL_FIRST + 1);
    ASSERT_NE(recordTool, nullptr);
    EXPECT_EQ(recordTool->m_strLabel, QStringLiteral("&Record"));

    QMenu* menu = frame->GetMenuBar()->FindPopup(QStringLiteral("UserTools"));
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction* a : menu->actions())
        if (a->isVisible())
            texts << a->text();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Second"), QStringLiteral("&Record")}));
    EXPECT_TRUE(menu->actions()[1]->isEnabled());

    // A document path made to look like a shell command reaches the tool as one argument.
    const QString path = dir.filePath(QStringLiteral("a b;touch pwned.html"));
    ASSERT_TRUE(recordTool->Invoke(path));
    ASSERT_TRUE(lwtest::waitFor([&] { return QFile::exists(record); }));
    QFile out(record);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(out.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{QStringLiteral("--file"), path, QStringLiteral("a b;touch pwned.html")}));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("pwned.html"))));
}

TEST_F(CustomizeFixture, AMovedButtonKeepsItsPictureAndItsLookAfterARestart) {
    CMainFrame* frame = load();
    frame->ActivateFrame(SW_SHOWNORMAL);
    ASSERT_TRUE(lwtest::waitFor([&] { return frame->GetWidget()->isVisible(); }));
    CMFCToolBar* format = frame->GetFormatBar();
    CMFCToolBar* standard = frame->GetStandardBar();
    const int cut = standard->CommandToIndex(ID_EDIT_CUT);
    ASSERT_GE(cut, 0);
    // Alt+drag from the Standard toolbar onto the Format toolbar.
    QWidget* button = standard->GetButtonWidget(cut);
    const QPoint target = format->GetButtonWidget(0)->mapToGlobal(QPoint(2, 2));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), button->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
    QApplication::sendEvent(button, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, button->mapFromGlobal(QPointF(target)), QPointF(target),
                        Qt::LeftButton, Qt::NoButton, Qt::AltModifier);
    QApplication::sendEvent(button, &release);
    int moved = format->CommandToIndex(ID_EDIT_CUT);
    ASSERT_GE(moved, 0);
    EXPECT_FALSE(format->GetAction(moved)->icon().isNull());
    format->SetButtonLook(moved, CMFCToolBar::ButtonLook::ImageAndText);

    frame = restart();
    format = frame->GetFormatBar();
    moved = format->CommandToIndex(ID_EDIT_CUT);
    ASSERT_GE(moved, 0);
    EXPECT_FALSE(format->GetAction(moved)->icon().isNull());
    EXPECT_EQ(format->GetButtonLook(moved), CMFCToolBar::ButtonLook::ImageAndText);
    EXPECT_EQ(qobject_cast<QToolButton*>(format->GetButtonWidget(moved))->toolButtonStyle(),
              Qt::ToolButtonTextBesideIcon);
}

} // namespace
