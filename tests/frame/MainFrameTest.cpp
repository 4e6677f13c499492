// The main frame as start-up builds it: settings read at construction, the look written
// back, and the picture set chosen by "HiColorIcons".

#include "frame/MainFrame.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"

#include <QMenu>
#include <gtest/gtest.h>

using namespace lw;

namespace {

struct FrameFixture : ::testing::Test {
    CWinAppEx app;
    static void SetUpTestSuite() {
        RegisterProgramResources();
        RegisterProgramImages();
    }
    void SetUp() override { app.SetRegistryKey(QStringLiteral("Tarn")); }
    void TearDown() override {
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        app.DelRegTree();
    }
    CMainFrame* load() {
        auto* frame = new CMainFrame;
        EXPECT_TRUE(frame->LoadFrame(IDR_MAINFRAME, nullptr, nullptr));
        app.m_pMainWnd = frame;
        return frame;
    }
};

} // namespace

TEST_F(FrameFixture, FirstRunUsesTheHighColourSetAndStoresTheDefaultLook) {
    CMainFrame* frame = load();
    EXPECT_EQ(frame->m_hiColorIcons, 1);
    EXPECT_EQ(frame->m_applicationLook, 215);
    EXPECT_EQ(app.GetInt(QStringLiteral("ApplicationLook"), 0), 215);
    EXPECT_FALSE(frame->GetCommandIcon(ID_FILE_CLOSE).isNull());
    EXPECT_FALSE(frame->GetCommandIcon(ID_TEXT_BOLD).isNull());
    EXPECT_TRUE(frame->GetCommandIcon(ID_EDIT_CLEAR).isNull());
    // Insert-control commands are on no toolbar: text only.
    EXPECT_TRUE(frame->GetCommandIcon(ID_INSERT_BUTTON).isNull());
    EXPECT_EQ(frame->GetCommandIcon(ID_TEXT_BOLD).availableSizes().value(0), QSize(16, 16));
}

TEST_F(FrameFixture, SixteenColourSetGivesDeleteAPictureAndCloseNone) {
    app.WriteInt(QStringLiteral("HiColorIcons"), 0);
    CMainFrame* frame = load();
    EXPECT_EQ(frame->m_applicationLook, 205);
    EXPECT_FALSE(frame->GetCommandIcon(ID_EDIT_CLEAR).isNull());
    EXPECT_TRUE(frame->GetCommandIcon(ID_FILE_CLOSE).isNull());
    EXPECT_EQ(frame->GetCommandIcon(ID_TEXT_BOLD).availableSizes().value(0), QSize(16, 15));
    // The menus carry the pictures beside their items.
    QMenu* file = frame->GetMenuBar()->FindPopup(QStringLiteral("File"));
    ASSERT_NE(file, nullptr);
    int withPicture = 0;
    for (QAction* a : file->actions()) {
        if (AfxActionCommandId(a) == ID_FILE_OPEN) {
            EXPECT_FALSE(a->icon().isNull());
            ++withPicture;
        }
    }
    EXPECT_EQ(withPicture, 1);
}

TEST_F(FrameFixture, AStoredLookIsKeptAndALookStoredAsAStringIsIgnored) {
    app.WriteInt(QStringLiteral("ApplicationLook"), 216);
    EXPECT_EQ(load()->m_applicationLook, 216);
    app.m_pMainWnd->DestroyWindow();
    app.WriteProfileString(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"), QStringLiteral("216"));
    EXPECT_EQ(load()->m_applicationLook, 215);
}
