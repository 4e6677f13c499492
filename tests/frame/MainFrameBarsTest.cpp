// The main frame's bars as start-up builds them and as the next start brings them back:
// the first-run layout, the picture sets, the Format toolbar's controls and their reset,
// the layout kept across a restart, and user images that are refused without harm.

#include "editor/FormatControls.h"
#include "frame/MainFrame.h"
#include "framework/core/SettingsStore.h"
#include "framework/ui/ColorMenuButton.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/ToolBarFontComboBox.h"
#include "framework/ui/ToolBarParameters.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace lw;

namespace {

constexpr UINT kFormatBarId = 59399;
constexpr UINT kInsertBarId = 59400;

struct BarsFixture : ::testing::Test {
    CWinAppEx app;
    static void SetUpTestSuite() {
        RegisterProgramResources();
        RegisterProgramImages();
    }
    void SetUp() override {
        app.SetRegistryKey(QStringLiteral("Tarn"));
        // The shared options start from their defaults in every test.
        CMFCToolBarParameters::Current() = {};
    }
    void TearDown() override {
        close();
        app.DelRegTree();
        QFile::remove(QDir::current().filePath(QStringLiteral("UserImages.bmp")));
    }
    CMainFrame* load() {
        auto* frame = new CMainFrame;
        EXPECT_TRUE(frame->LoadFrame(IDR_MAINFRAME, nullptr, nullptr));
        app.m_pMainWnd = frame;
        return frame;
    }
    // What closing the window does to the bars: their state is written, then the frame goes.
    void close() {
        if (auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd)) {
            frame->SaveWorkspaceState();
            frame->DestroyWindow();
        }
    }
    CMainFrame* restart() {
        close();
        return load();
    }
};

TEST_F(BarsFixture, FirstRunDocksTheThreeToolbarsAtTheTopAndTheStatusBarAtTheBottom) {
    CMainFrame* frame = load();
    const std::vector<CMFCToolBar*>& bars = frame->GetToolBars();
    ASSERT_EQ(bars.size(), 3u);
    const QStringList titles = {QStringLiteral("Standard"), QStringLiteral("Format"),
                                QStringLiteral("Insert")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bars[size_t(i)]->windowTitle(), titles[i]);
        EXPECT_EQ(frame->GetWidget()->toolBarArea(bars[size_t(i)]), Qt::TopToolBarArea);
        EXPECT_FALSE(bars[size_t(i)]->isHidden());
        EXPECT_NE(bars[size_t(i)]->GetCustomizeButton(), nullptr);
        EXPECT_EQ(bars[size_t(i)]->allowedAreas(), Qt::AllToolBarAreas);
    }
    ASSERT_NE(frame->GetStatusBar(), nullptr);
    EXPECT_EQ(frame->GetWidget()->statusBar(), frame->GetStatusBar());
    EXPECT_EQ(frame->GetStatusBar()->GetCount(), 4);
    EXPECT_EQ(frame->GetMessageText(), QStringLiteral("Ready"));
    ASSERT_NE(frame->GetMenuPane(), nullptr);
    EXPECT_EQ(frame->GetWidget()->toolBarArea(frame->GetMenuPane()), Qt::TopToolBarArea);
    EXPECT_EQ(frame->GetMenuPane()->allowedAreas(), Qt::AllToolBarAreas);
    // The menu bar has the first row to itself: the toolbars start the next one.
    EXPECT_TRUE(frame->GetWidget()->toolBarBreak(bars[0]));
    EXPECT_EQ(CMDIFrameWndEx::GetDockingMode(), DT_SMART);
    // The View menu's list and the bar context menu name the same bars.
    const auto panes = frame->GetPaneEntries();
    ASSERT_EQ(panes.size(), 3u);
    EXPECT_EQ(panes[1].caption, QStringLiteral("Format"));
    panes[1].setVisible(false);
    EXPECT_TRUE(frame->GetFormatBar()->isHidden());
    EXPECT_FALSE(panes[1].isVisible());
    QMenu* context = frame->GetWidget()->createPopupMenu();
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->actions().last()->text(), QStringLiteral("Customize..."));
    EXPECT_FALSE(context->actions().value(1)->isChecked());
    delete context;
}

TEST_F(BarsFixture, TheImageSetDecidesTheBarsAndTheirButtonSize) {
    struct Case {
        int hiColor;
        UINT standard, format, insert;
        QSize size;
    };
    for (const Case c : {Case{1, IDR_MAINFRAME_256, IDR_FORMAT_BAR_256, IDR_INSERT_BAR_256, QSize(16, 16)},
                         Case{0, IDR_MAINFRAME, IDR_FORMAT_BAR, IDR_INSERT_BAR, QSize(16, 15)}}) {
        app.WriteInt(QStringLiteral("HiColorIcons"), c.hiColor);
        CMainFrame* frame = load();
        EXPECT_EQ(frame->GetStandardBar()->GetResourceID(), c.standard);
        EXPECT_EQ(frame->GetFormatBar()->GetResourceID(), c.format);
        EXPECT_EQ(frame->GetInsertBar()->GetResourceID(), c.insert);
        for (CMFCToolBar* bar : frame->GetToolBars()) {
            EXPECT_EQ(bar->iconSize(), c.size) << c.hiColor;
            const QAction* first = bar->GetAction(0);
            if (!bar->GetControl(0)) {
                EXPECT_EQ(first->icon().availableSizes().value(0), c.size) << c.hiColor;
            }
        }
        close();
    }
}

TEST_F(BarsFixture, TheFormatBarCarriesItsControlsWithRedAndYellow) {
    CMainFrame* frame = load();
    CMFCToolBarFontComboBox* font = frame->GetFontNameBox();
    CMFCToolBarComboBoxButton* size = frame->GetFontSizeBox();
    ASSERT_NE(font, nullptr);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(frame->GetFormatBar()->CommandToIndex(ID_FORMAT_FONT_NAME), 0);
    EXPECT_EQ(font->width(), 200);
    EXPECT_EQ(size->width(), 50);
    QStringList sizes;
    for (int i = 0; i < size->GetCount(); ++i)
        sizes << size->GetItem(i);
    EXPECT_EQ(sizes, QStringList({"8", "10", "12", "14", "18", "24", "36"}));
    EXPECT_EQ(size->GetCurSel(), -1);
    CMFCColorMenuButton* fore = frame->FindColorButton(ID_FORMAT_FORE_COLOR);
    CMFCColorMenuButton* back = frame->FindColorButton(ID_FORMAT_BACK_COLOR);
    ASSERT_NE(fore, nullptr);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(fore->GetText(), QStringLiteral("Fore Color"));
    EXPECT_EQ(back->GetText(), QStringLiteral("Back Color"));
    EXPECT_EQ(fore->GetColorRef(), 0x0000FFu);
    EXPECT_EQ(back->GetColorRef(), 0x00FFFFu);
    EXPECT_EQ(fore->GetTearOffID(), ID_FORE_COLOR_PALETTE_BAR);
    EXPECT_EQ(back->GetTearOffID(), ID_BACK_COLOR_PALETTE_BAR);
    EXPECT_EQ(fore->GetOtherLabel(), QStringLiteral("Other..."));
    // Only one control per command: the rest of the bar keeps plain buttons.
    EXPECT_EQ(frame->FindComboBox(ID_TEXT_BOLD), nullptr);
}

TEST_F(BarsFixture, EditingViewsReachTheControlsThroughTheFrame) {
    CMainFrame* frame = load();
    IFormatControls* controls = GetFormatControls();
    ASSERT_NE(controls, nullptr);
    EXPECT_EQ(controls->sizeCount(), 7);
    controls->selectSizeIndex(5);
    EXPECT_EQ(frame->GetFontSizeBox()->GetText(), QStringLiteral("24"));
    EXPECT_EQ(controls->selectedSizeIndex(), 5);
    controls->selectSizeIndex(-1);
    EXPECT_EQ(controls->selectedSizeIndex(), -1);
    EXPECT_EQ(controls->buttonColor(ID_FORMAT_FORE_COLOR), 0x0000FFu);
    EXPECT_EQ(controls->buttonColor(ID_FORMAT_BACK_COLOR), 0x00FFFFu);
    frame->FindColorButton(ID_FORMAT_BACK_COLOR)->OnColorChosen(QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(controls->buttonColor(ID_FORMAT_BACK_COLOR), 0x332211u);
    CMFCToolBarFontComboBox* font = frame->GetFontNameBox();
    if (font->GetCount() > 0) {
        controls->selectFontByName(font->GetItem(0).toUpper());
        EXPECT_EQ(controls->selectedFontName(), font->GetItem(0));
    }
    controls->clearFontName();
    EXPECT_EQ(controls->selectedFontName(), QString());
    // A removed box is simply not there: reads are empty, writes go nowhere.
    CMFCToolBar* format = frame->GetFormatBar();
    format->RemoveButton(format->CommandToIndex(ID_FORMAT_FONT_SIZE));
    EXPECT_EQ(controls->sizeCount(), 0);
    controls->selectSizeIndex(2);
    EXPECT_EQ(controls->selectedSizeIndex(), -1);
    close();
    EXPECT_EQ(GetFormatControls(), nullptr);
}

TEST_F(BarsFixture, ResettingAnyToolbarPutsRedAndYellowBackAndEmptiesTheBoxes) {
    CMainFrame* frame = load();
    for (CMFCToolBar* bar : {frame->GetStandardBar(), frame->GetFormatBar(), frame->GetInsertBar()}) {
        frame->FindColorButton(ID_FORMAT_FORE_COLOR)->OnColorChosen(Qt::blue);
        frame->FindColorButton(ID_FORMAT_BACK_COLOR)->SetColor(Qt::green);
        frame->GetFontSizeBox()->SelectItem(3);
        bar->ResetToolBar();
        EXPECT_EQ(frame->FindColorButton(ID_FORMAT_FORE_COLOR)->GetColor(), QColor(255, 0, 0));
        EXPECT_EQ(frame->FindColorButton(ID_FORMAT_BACK_COLOR)->GetColor(), QColor(255, 255, 0));
        EXPECT_EQ(CMFCColorMenuButton::GetColorByCmdID(ID_FORMAT_FORE_COLOR), QColor(255, 0, 0));
        EXPECT_EQ(frame->GetFontSizeBox()->GetCurSel(), -1);
    }
}

TEST_F(BarsFixture, ARemovedSizeBoxStaysAwayAfterARestartAndComesBackWithAReset) {
    CMainFrame* frame = load();
    CMFCToolBar* format = frame->GetFormatBar();
    ASSERT_TRUE(format->RemoveButton(format->CommandToIndex(ID_FORMAT_FONT_SIZE)));
    frame = restart();
    EXPECT_EQ(frame->GetFontSizeBox(), nullptr);
    EXPECT_NE(frame->GetFontNameBox(), nullptr);
    EXPECT_NE(frame->FindColorButton(ID_FORMAT_FORE_COLOR), nullptr);
    frame->GetFormatBar()->ResetToolBar();
    ASSERT_NE(frame->GetFontSizeBox(), nullptr);
    EXPECT_EQ(frame->GetFormatBar()->CommandToIndex(ID_FORMAT_FONT_SIZE), 1);
}

TEST_F(BarsFixture, BarsComeBackWhereTheUserLeftThem) {
    CMainFrame* frame = load();
    frame->GetWidget()->addToolBar(Qt::LeftToolBarArea, frame->GetFormatBar());
    frame->GetWidget()->addToolBar(Qt::BottomToolBarArea, frame->GetStandardBar());
    frame->GetWidget()->addToolBar(Qt::RightToolBarArea, frame->GetMenuPane());
    frame->GetInsertBar()->hide();
    frame->OnViewStatusBar();
    frame = restart();
    EXPECT_EQ(frame->GetWidget()->toolBarArea(frame->GetMenuPane()), Qt::RightToolBarArea);
    EXPECT_TRUE(frame->GetStatusBar()->isHidden());
    EXPECT_EQ(frame->GetWidget()->toolBarArea(frame->GetFormatBar()), Qt::LeftToolBarArea);
    EXPECT_EQ(frame->GetWidget()->toolBarArea(frame->GetStandardBar()), Qt::BottomToolBarArea);
    EXPECT_TRUE(frame->GetInsertBar()->isHidden());
    // The values are under the workspace key by the names the layout is known by.
    CSettingsStore& store = *app.GetSettingsStore();
    EXPECT_EQ(store.readDWord(QStringLiteral("Workspace\\ControlBarVersion"), QStringLiteral("Major")), 14u);
    EXPECT_EQ(store.readDWord(QStringLiteral("Workspace\\ControlBarVersion"), QStringLiteral("Minor")), 44u);
    EXPECT_EQ(store.readDWord(QStringLiteral("Workspace\\BasePane-59400"), QStringLiteral("IsVisible")), 0u);
    EXPECT_EQ(store.readString(QStringLiteral("Workspace\\MFCToolBar-59399"), QStringLiteral("Name")),
              QStringLiteral("Format"));
    EXPECT_TRUE(store.readBinary(QStringLiteral("Workspace\\DockingManager-128"),
                                 QStringLiteral("DockingPaneAndPaneDividers")));
}

TEST_F(BarsFixture, WithoutALayoutVersionTheStoredLayoutIsIgnored) {
    CMainFrame* frame = load();
    frame->GetWidget()->addToolBar(Qt::LeftToolBarArea, frame->GetFormatBar());
    close();
    app.GetSettingsStore()->deleteKey(QStringLiteral("Workspace\\ControlBarVersion"));
    frame = load();
    EXPECT_EQ(frame->GetWidget()->toolBarArea(frame->GetFormatBar()), Qt::TopToolBarArea);
}

TEST_F(BarsFixture, DamagedStoredBarsAreSurvivedWithUnknownButtonsDropped) {
    load();
    close();
    CSettingsStore& store = *app.GetSettingsStore();
    // Cut, an unknown command, Paste, and a stray odd byte.
    store.writeBinary(QStringLiteral("Workspace\\MFCToolBar-59392"), QStringLiteral("Buttons"),
                      QByteArray::fromHex("23e1f0ff25e101"));
    store.writeBinary(QStringLiteral("Workspace\\DockingManager-128"),
                      QStringLiteral("DockingPaneAndPaneDividers"), QByteArray("not a layout"));
    CMainFrame* frame = load();
    EXPECT_EQ(frame->GetStandardBar()->GetButtons(), (std::vector<UINT>{ID_EDIT_CUT, ID_EDIT_PASTE}));
    EXPECT_EQ(frame->GetWidget()->toolBarArea(frame->GetFormatBar()), Qt::TopToolBarArea);
}

TEST_F(BarsFixture, ButtonsStoredForAnOlderToolbarFollowWhatTheToolbarGainedAndLost) {
    load();
    close();
    auto ids = [](std::initializer_list<std::uint16_t> list) {
        QByteArray bytes;
        for (std::uint16_t id : list)
            bytes.append(char(id & 0xFF)).append(char(id >> 8));
        return bytes;
    };
    CSettingsStore& store = *app.GetSettingsStore();
    const QString key = QStringLiteral("Workspace\\MFCToolBar-59392");
    // The stored resource had Close where today's has About.
    store.writeBinary(key, QStringLiteral("OriginalItems"),
                      ids({ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
                           0, ID_EDIT_FIND, 0, ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_CUT, ID_EDIT_COPY,
                           ID_EDIT_PASTE, 0, ID_FILE_CLOSE}));
    store.writeBinary(key, QStringLiteral("Buttons"), ids({ID_EDIT_CUT, ID_FILE_CLOSE, ID_FILE_NEW}));
    CMainFrame* frame = load();
    EXPECT_EQ(frame->GetStandardBar()->GetButtons(),
              (std::vector<UINT>{ID_EDIT_CUT, ID_FILE_NEW, ID_APP_ABOUT}));
}

TEST_F(BarsFixture, UserImagesAreReadOnceAndBadFilesAreRefusedWithoutHarm) {
    struct Case {
        const char* what;
        QByteArray bytes;
        bool loads;
    };
    QByteArray goodBmp;
    {
        QImage image(48, 16, QImage::Format_RGB888);
        image.fill(Qt::darkCyan);
        QBuffer buffer(&goodBmp);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
    }
    const Case cases[] = {
        {"a strip of three pictures", goodBmp, true},
        {"too big", QByteArray(819201, 'B'), false},
        {"not a bitmap", QByteArray("GIF89a, not a bitmap at all"), false},
        {"missing", QByteArray(), false},
    };
    for (const Case& c : cases) {
        const QString path = QDir::current().filePath(QStringLiteral("UserImages.bmp"));
        QFile::remove(path);
        if (!c.bytes.isEmpty()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.bytes);
        }
        CMainFrame* frame = load();
        EXPECT_EQ(frame->GetUserImages().isValid(), c.loads) << c.what;
        EXPECT_EQ(CMFCToolBar::GetUserImages() != nullptr, c.loads) << c.what;
        if (c.loads) {
            EXPECT_EQ(frame->GetUserImages().count(), 3) << c.what;
        }
        EXPECT_EQ(frame->GetToolBars().size(), 3u) << c.what;
        close();
        EXPECT_EQ(CMFCToolBar::GetUserImages(), nullptr) << c.what;
    }
}

} // namespace

namespace {

TEST_F(BarsFixture, AFloatedBarFloatsAgainAfterARestart) {
    CMainFrame* frame = load();
    frame->ActivateFrame(SW_SHOWNORMAL);
    frame->GetWidget()->setGeometry(100, 100, 800, 600);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame->GetWidget()));
    CMFCToolBar* insert = frame->GetInsertBar();
    // Dragging the bar by its handle far below the window floats it.
    const QPoint handle(8, insert->height() / 2);
    const QPoint start = insert->mapToGlobal(handle);
    auto send = [insert](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, insert->mapFromGlobal(global), global, Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(insert, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    for (int y = 60; y <= 600; y += 30)
        send(QEvent::MouseMove, start + QPoint(0, y), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, start + QPoint(0, 600), Qt::NoButton);
    ASSERT_TRUE(insert->isFloating());
    // Narrowed to its widest button: one button a row.
    insert->SetFloatingRowWidth(1);
    const int rowWidth = insert->GetFloatingRowWidth();
    ASSERT_GT(rowWidth, 0);
    const QSize shape = insert->size();
    frame = restart();
    EXPECT_TRUE(frame->GetInsertBar()->isFloating());
    EXPECT_FALSE(frame->GetFormatBar()->isFloating());
    EXPECT_EQ(frame->GetInsertBar()->GetFloatingRowWidth(), rowWidth);
    EXPECT_EQ(frame->GetInsertBar()->size(), shape);
    // A docked bar stores no row width.
    EXPECT_EQ(app.GetSettingsStore()->readDWord(QStringLiteral("Workspace\\MFCToolBar-59399"),
                                                QStringLiteral("FloatingRowWidth")),
              std::optional<quint32>(0));
}

} // namespace

namespace {

TEST_F(BarsFixture, BarsDeletedAfterTheirFrameNeitherReachNorTellIt) {
    CMainFrame* frame = load();
    QPointer<QWidget> widget = frame->GetWidget();
    QPointer<CMFCToolBar> format = frame->GetFormatBar();
    close();
    app.m_pMainWnd = nullptr;
    ASSERT_FALSE(format.isNull());
    // The size box's queued close-up finds no frame to go to.
    format->GetControl(format->CommandToIndex(ID_FORMAT_FONT_SIZE))->NotifyFrame(8);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
    EXPECT_TRUE(format.isNull());
}

} // namespace

namespace {

TEST_F(BarsFixture, TheViewMenuListsTheBarsToShowAndHide) {
    CMainFrame* frame = load();
    QMenu* view = frame->GetMenuBar()->FindPopup(QStringLiteral("View"));
    ASSERT_NE(view, nullptr);
    QMenu* bars = nullptr;
    for (QAction* a : view->actions())
        if (a->menu() && a->text() == QStringLiteral("&Toolbars and Docking Windows"))
            bars = a->menu();
    ASSERT_NE(bars, nullptr);
    emit bars->aboutToShow();
    QStringList shown;
    QAction* format = nullptr;
    for (QAction* a : bars->actions()) {
        if (!a->isVisible())
            continue;
        shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
        if (a->text() == QStringLiteral("Format"))
            format = a;
    }
    EXPECT_EQ(shown, QStringList({"Standard", "Format", "Insert", "-", "Customize..."}));
    ASSERT_NE(format, nullptr);
    EXPECT_TRUE(format->isChecked());
    format->trigger();
    EXPECT_TRUE(frame->GetFormatBar()->isHidden());
    // Shown again, the list is rebuilt once, with the hidden bar unchecked.
    emit bars->aboutToShow();
    int formats = 0;
    for (QAction* a : bars->actions())
        if (a->text() == QStringLiteral("Format")) {
            ++formats;
            EXPECT_FALSE(a->isChecked());
        }
    EXPECT_EQ(formats, 1);
}

} // namespace

namespace {

TEST_F(BarsFixture, ATornOffPaletteIsOpenAgainAfterARestartUntilItIsClosed) {
    CMainFrame* frame = load();
    QMenu* palette = frame->FindColorButton(ID_FORMAT_FORE_COLOR)->GetPaletteMenu();
    palette->showTearOffMenu(QPoint(300, 200));
    ASSERT_TRUE(palette->isTearOffMenuVisible());
    frame = restart();
    EXPECT_EQ(app.GetSettingsStore()->readDWord(QStringLiteral("Workspace\\ControlBars-TearOff-0"),
                                                QStringLiteral("ID")),
              ID_FORE_COLOR_PALETTE_BAR);
    palette = frame->FindColorButton(ID_FORMAT_FORE_COLOR)->GetPaletteMenu();
    EXPECT_TRUE(palette->isTearOffMenuVisible());
    EXPECT_FALSE(frame->FindColorButton(ID_FORMAT_BACK_COLOR)->GetPaletteMenu()->isTearOffMenuVisible());
    palette->hideTearOffMenu();
    frame = restart();
    EXPECT_FALSE(frame->FindColorButton(ID_FORMAT_FORE_COLOR)->GetPaletteMenu()->isTearOffMenuVisible());
    EXPECT_FALSE(app.GetSettingsStore()->keyExists(QStringLiteral("Workspace\\ControlBars-TearOff-0")));
}

} // namespace

TEST_F(BarsFixture, SharedBarOptionsAreReadBackAndKeptAcrossARestart) {
    app.InitKeyboardManager();
    CMainFrame* first = load();
    auto boldAction = [](CMainFrame* f) {
        CMFCToolBar* bar = f->GetFormatBar();
        return bar->GetAction(bar->CommandToIndex(ID_TEXT_BOLD));
    };
    // By default a button's tooltip names its key.
    EXPECT_EQ(boldAction(first)->toolTip(), QStringLiteral("Bold (Ctrl+B)"));
    close();
    CSettingsStore& store = *app.GetSettingsStore();
    const QString key = QStringLiteral("Workspace\\MFCToolBarParameters");
    // The first close wrote every option with its default.
    EXPECT_EQ(store.readDWord(key, QStringLiteral("Tooltips")), 1u);
    EXPECT_EQ(store.readDWord(key, QStringLiteral("ShortcutKeys")), 1u);
    EXPECT_EQ(store.readDWord(key, QStringLiteral("LargeIcons")), 0u);
    EXPECT_EQ(store.readDWord(key, QStringLiteral("MenuShadows")), 1u);
    store.writeDWord(key, QStringLiteral("ShortcutKeys"), 0);
    store.writeDWord(key, QStringLiteral("MenuAnimation"), 1);
    store.writeString(key, QStringLiteral("Tooltips"), QStringLiteral("0"));
    store.writeDWord(key, QStringLiteral("LargeIcons"), 1);
    store.writeBinary(key, QStringLiteral("CommandsUsage"), QByteArray::fromHex("0102030405"));
    CMainFrame* frame = load();
    EXPECT_EQ(boldAction(frame)->toolTip(), QStringLiteral("Bold"));
    // Large buttons: every toolbar doubles its pictures.
    for (CMFCToolBar* bar : frame->GetToolBars())
        EXPECT_EQ(bar->iconSize(), QSize(32, 32));
    EXPECT_EQ(boldAction(frame)->icon().availableSizes().value(0), QSize(32, 32));
    const CMFCToolBarParameters& params = CMFCToolBarParameters::Current();
    EXPECT_FALSE(params.bShortcutKeys);
    EXPECT_TRUE(params.bMenuAnimation);
    EXPECT_TRUE(QApplication::isEffectEnabled(Qt::UI_AnimateMenu));
    // A value stored with the wrong type is ignored, not read as off.
    EXPECT_TRUE(params.bTooltips);
    EXPECT_EQ(params.commandsUsage, QByteArray::fromHex("0102030405"));
    ASSERT_NE(frame, nullptr);
    close();
    EXPECT_EQ(store.readDWord(key, QStringLiteral("ShortcutKeys")), 0u);
    EXPECT_EQ(store.readDWord(key, QStringLiteral("MenuAnimation")), 1u);
    EXPECT_EQ(store.readBinary(key, QStringLiteral("CommandsUsage")), QByteArray::fromHex("0102030405"));
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);

    // With tooltips off a button keeps its tip to itself.
    store.writeDWord(key, QStringLiteral("Tooltips"), 0);
    frame = load();
    frame->ActivateFrame(SW_SHOWNORMAL);
    QWidget* bold =
        frame->GetFormatBar()->GetButtonWidget(frame->GetFormatBar()->CommandToIndex(ID_TEXT_BOLD));
    ASSERT_NE(bold, nullptr);
    struct ToolTipSeen : QObject {
        int seen = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            seen += e->type() == QEvent::ToolTip;
            return false;
        }
    } probe;
    // The probe watches the button after the bar does, so it runs first and sees every
    // tip the button is asked for; the bar's filter then decides whether it shows.
    bold->installEventFilter(&probe);
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), bold->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(bold, &help);
    EXPECT_EQ(probe.seen, 1);
    EXPECT_FALSE(QToolTip::isVisible());
    CMFCToolBarParameters::Current().bTooltips = true;
    QHelpEvent again(QEvent::ToolTip, QPoint(2, 2), bold->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(bold, &again);
    EXPECT_TRUE(lwtest::waitFor([] { return QToolTip::isVisible(); }));
    QToolTip::hideText();
}
