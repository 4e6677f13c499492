// The application looks on a real main frame: each look's visual manager, colour style,
// docking mode and stored value; the radio mark; values stored by hand; the bars drawn
// differently by every look; and the smart docking markers docking a bar where dropped.

#include "frame/MainFrame.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/SmartDockingManager.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/VisualManagers.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <gtest/gtest.h>
#include <typeindex>

using namespace lw;

namespace {

using Style = CMFCVisualManagerOffice2007::Style;

struct LookFixture : ::testing::Test {
    CWinAppEx app;
    CMainFrame* frame = nullptr;
    static void SetUpTestSuite() {
        RegisterProgramResources();
        RegisterProgramImages();
    }
    void SetUp() override {
        app.SetRegistryKey(QStringLiteral("Tarn"));
        CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Blue);
    }
    void TearDown() override {
        if (frame)
            frame->DestroyWindow();
        app.DelRegTree();
    }
    void load() {
        frame = new CMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, nullptr, nullptr));
        app.m_pMainWnd = frame;
    }
    static std::type_index manager() { return typeid(*CMFCVisualManager::GetInstance()); }
    int stored() { return app.GetInt(QStringLiteral("ApplicationLook"), -1); }
    // The View menu's "Application Look" submenu, updated as it is about to show.
    QMenu* looksMenu() {
        QMenu* view = frame->GetMenuBar()->FindPopup(QStringLiteral("View"));
        for (QAction* a : view ? view->actions() : QList<QAction*>())
            if (a->menu() &&
                a->text().remove(QLatin1Char('&')).startsWith(QLatin1String("Application Look"))) {
                AfxUpdateMenu(a->menu(), frame);
                return a->menu();
            }
        return nullptr;
    }
    std::vector<UINT> marked() {
        std::vector<UINT> ids;
        QMenu* menu = looksMenu();
        EXPECT_NE(menu, nullptr);
        for (QAction* a : menu ? menu->actions() : QList<QAction*>()) {
            EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
            if (a->isChecked())
                ids.push_back(AfxActionCommandId(a));
        }
        return ids;
    }
};

TEST_F(LookFixture, EveryLookSetsItsManagerStyleAndDockingModeAndIsStoredAtOnce) {
    load();
    // A first run: the blue colour style, smart docking, 215 stored and marked.
    EXPECT_EQ(manager(), std::type_index(typeid(CMFCVisualManagerOffice2007)));
    EXPECT_EQ(stored(), 215);
    EXPECT_EQ(marked(), std::vector<UINT>{215});
    struct Case {
        UINT id;
        std::type_index type;
        bool smart;
        int style; // the Office 2007 colour style afterwards, -1 when not that look
    };
    const Case cases[] = {
        {216, typeid(CMFCVisualManagerOffice2007), true, 1},
        {206, typeid(CMFCVisualManagerOfficeXP), false, -1},
        // Every Office 2007 item sets its own colour style again.
        {215, typeid(CMFCVisualManagerOffice2007), true, 0},
        {217, typeid(CMFCVisualManagerOffice2007), true, 3},
        {218, typeid(CMFCVisualManagerOffice2007), true, 2},
        {210, typeid(CMFCVisualManagerVS2008), true, -1},
        {205, typeid(CMFCVisualManager), false, -1},
        {208, typeid(CMFCVisualManagerOffice2003), true, -1},
        {209, typeid(CMFCVisualManagerVS2005), true, -1},
        {207, typeid(CMFCVisualManagerWindows), false, -1},
        {219, typeid(CMFCVisualManagerWindows7), true, -1},
    };
    for (const Case& c : cases) {
        frame->SendCommand(c.id);
        EXPECT_EQ(manager(), c.type) << c.id;
        EXPECT_EQ(CMDIFrameWndEx::GetDockingMode(), c.smart ? DT_SMART : DT_STANDARD) << c.id;
        EXPECT_EQ(stored(), int(c.id));
        EXPECT_EQ(marked(), std::vector<UINT>{c.id});
        if (c.style >= 0) {
            EXPECT_EQ(CMFCVisualManagerOffice2007::GetStyle(), Style(c.style)) << c.id;
        }
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    // The 3-D tabs switch turned on by the desktop look stays on for the run.
    EXPECT_TRUE(CMFCVisualManagerWindows::m_b3DTabsXPTheme);
    frame->SendCommand(ID_VIEW_APPLOOK_WIN_2000);
    EXPECT_TRUE(CMFCVisualManagerWindows::m_b3DTabsXPTheme);
}

TEST_F(LookFixture, ALookStoredOutsideTheMenuKeepsTheColourStyleMarksNothingAndStaysStored) {
    for (int value : {212, 4711, -3}) {
        CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Black);
        app.WriteInt(QStringLiteral("ApplicationLook"), value);
        load();
        EXPECT_EQ(manager(), std::type_index(typeid(CMFCVisualManagerOffice2007))) << value;
        EXPECT_EQ(CMFCVisualManagerOffice2007::GetStyle(), CMFCVisualManagerOffice2007::Office2007_Black);
        EXPECT_EQ(CMDIFrameWndEx::GetDockingMode(), DT_SMART);
        EXPECT_TRUE(marked().empty()) << value;
        EXPECT_EQ(stored(), value);
        frame->DestroyWindow();
        frame = nullptr;
    }
}

TEST_F(LookFixture, EveryLookDrawsTheBarsAndMenusDifferently) {
    load();
    QWidget* window = frame->GetWidget();
    window->resize(900, 400);
    window->show();
    QMenu* menu = looksMenu();
    ASSERT_NE(menu, nullptr);
    menu->setActiveAction(menu->actions().value(2));
    const UINT looks[] = {205, 206, 207, 208, 209, 210, 215, 216, 217, 218, 219};
    std::vector<std::pair<QImage, QImage>> shots;
    for (UINT id : looks) {
        frame->SendCommand(id);
        shots.emplace_back(window->grab().toImage(), menu->grab().toImage());
    }
    for (size_t i = 0; i < shots.size(); ++i)
        for (size_t j = i + 1; j < shots.size(); ++j) {
            EXPECT_NE(shots[i].first, shots[j].first)
                << looks[i] << " and " << looks[j] << " draw the window alike";
            EXPECT_NE(shots[i].second, shots[j].second)
                << looks[i] << " and " << looks[j] << " draw menus alike";
        }
}

TEST_F(LookFixture, ABarDroppedOnADockingMarkerDocksOnThatSide) {
    load();
    QMainWindow* window = frame->GetWidget();
    window->resize(1000, 700);
    window->show();
    CSmartDockingManager* docking = frame->GetSmartDockingManager();
    ASSERT_NE(docking, nullptr);
    CMFCToolBar* format = frame->GetFormatBar();
    using Place = CSmartDockingManager::Place;
    using Marker = CSmartDockingManager::Marker;
    // Every marker is found where it is drawn, and nowhere else.
    for (bool outer : {false, true})
        for (Marker side : {Marker::Left, Marker::Top, Marker::Right, Marker::Bottom}) {
            const QRect r = docking->MarkerRect({side, outer});
            EXPECT_TRUE(window->centralWidget()->geometry().contains(r));
            EXPECT_EQ(docking->HitTest(window->mapToGlobal(r.center())), (Place{side, outer}));
        }
    EXPECT_EQ(docking->HitTest(window->mapToGlobal(QPoint(3, 3))), Place{});

    docking->ShowMarkers(format, window->mapToGlobal(docking->MarkerRect({Marker::Left, true}).center()));
    EXPECT_TRUE(docking->AreMarkersShown());
    docking->HideMarkers();
    docking->Dock(format, {Marker::Left, true});
    EXPECT_EQ(window->toolBarArea(format), Qt::LeftToolBarArea);
    docking->Dock(frame->GetInsertBar(), {Marker::Left, true});
    QApplication::processEvents();
    // The outer marker puts the bar against the window's edge, before the one already there.
    EXPECT_LT(frame->GetInsertBar()->geometry().left(), format->geometry().left());
    docking->Dock(format, {Marker::Bottom, false});
    EXPECT_EQ(window->toolBarArea(format), Qt::BottomToolBarArea);
    EXPECT_TRUE(format->isVisible());
    EXPECT_FALSE(format->isFloating());
}

} // namespace
