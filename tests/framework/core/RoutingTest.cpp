// The command route through view, document, template, child frame, application and
// main frame, and how update requests enable, check and drop commands.

#include "framework/core/CmdUI.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/FrameWnd.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/View.h"
#include "framework/core/WinApp.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QStringList>

using namespace lw;

namespace {

QStringList g_trace;

constexpr UINT ID_TEST_VIEW = 40001;
constexpr UINT ID_TEST_DOC = 40002;
constexpr UINT ID_TEST_CHILD = 40003;
constexpr UINT ID_TEST_MAIN = 40004;
constexpr UINT ID_TEST_DISABLED = 40005;
constexpr UINT ID_TEST_RANGE_FIRST = 40010;
constexpr UINT ID_TEST_RANGE_LAST = 40019;
constexpr UINT ID_TEST_NOWHERE = 40100;
constexpr UINT ID_TEST_PANE = 40200;

// Records every target the route asks, in order.
#define TRACE_ROUTE(name)                                                                                      \
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override {                     \
        if (nCode == CN_COMMAND && !pInfo)                                                                     \
            g_trace << QStringLiteral(name);                                                                   \
        return Base::OnCmdMsg(nID, nCode, pExtra, pInfo);                                                      \
    }

class TestDoc : public CDocument {
    DECLARE_MESSAGE_MAP()
    using Base = CDocument;

public:
    TRACE_ROUTE("doc")
    void OnDocCommand() { g_trace << QStringLiteral("doc handler"); }
    BOOL OnSaveDocument(const QString& path) override {
        savedTo << path;
        return saveResult;
    }
    BOOL IsModified() override { return modified; }
    QStringList savedTo;
    bool saveResult = true;
    bool modified = false;
};
BEGIN_MESSAGE_MAP(TestDoc, CDocument)
    ON_COMMAND(ID_TEST_DOC, &TestDoc::OnDocCommand)
END_MESSAGE_MAP()

class TestView : public CView {
    DECLARE_MESSAGE_MAP()
    using Base = CView;

public:
    TRACE_ROUTE("view")
    virtual void OnViewCommand() { g_trace << QStringLiteral("view handler"); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnDisabled() { g_trace << QStringLiteral("disabled ran"); }
};
BEGIN_MESSAGE_MAP(TestView, CView)
    ON_COMMAND(ID_TEST_VIEW, &TestView::OnViewCommand)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, &TestView::OnUpdateDisabled)
    ON_COMMAND(ID_TEST_DISABLED, &TestView::OnDisabled)
END_MESSAGE_MAP()

// A derived view overriding a virtual handler: the base's map entry dispatches to it.
class DerivedView : public TestView {
public:
    void OnViewCommand() override { g_trace << QStringLiteral("derived handler"); }
};

class TestChild : public CMDIChildWnd {
    DECLARE_MESSAGE_MAP()
    using Base = CMDIChildWnd;

public:
    TRACE_ROUTE("child")
    void OnChildCommand() { g_trace << QStringLiteral("child handler"); }
    LRESULT OnCreated(WPARAM, LPARAM) { return 7; }
};
BEGIN_MESSAGE_MAP(TestChild, CMDIChildWnd)
    ON_COMMAND(ID_TEST_CHILD, &TestChild::OnChildCommand)
END_MESSAGE_MAP()

class TestMain : public CMDIFrameWnd {
    DECLARE_MESSAGE_MAP()
    using Base = CMDIFrameWnd;

public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override {
        if (nCode == CN_COMMAND && !pInfo)
            g_trace << QStringLiteral("main");
        return Base::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }
    void OnMainCommand() { g_trace << QStringLiteral("main handler"); }
    void OnMainNew() { g_trace << QStringLiteral("main new"); }
    void OnRange(UINT id) { g_trace << QStringLiteral("range %1").arg(id); }
    void OnUpdateRange(CCmdUI* ui) { ui->SetCheck(ui->m_nID == ID_TEST_RANGE_FIRST + 1); }
    LRESULT OnToolbarCreate(WPARAM w, LPARAM) { return static_cast<LRESULT>(w) + 1; }
    BOOL OnPaneCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override {
        if (nID != ID_TEST_PANE)
            return FALSE;
        if (pInfo)
            return TRUE;
        if (nCode == CN_UPDATE_COMMAND_UI) {
            static_cast<CCmdUI*>(pExtra)->SetCheck(1);
            return TRUE;
        }
        g_trace << QStringLiteral("pane");
        return TRUE;
    }
};
BEGIN_MESSAGE_MAP(TestMain, CMDIFrameWnd)
    ON_COMMAND(ID_TEST_MAIN, &TestMain::OnMainCommand)
    ON_COMMAND(ID_FILE_NEW, &TestMain::OnMainNew)
    ON_COMMAND_RANGE(ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, &TestMain::OnRange)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, &TestMain::OnUpdateRange)
    ON_COMMAND(ID_TEST_RANGE_FIRST + 3, &TestMain::OnMainCommand)
    ON_REGISTERED_MESSAGE("TOOLBAR_CREATE", &TestMain::OnToolbarCreate)
END_MESSAGE_MAP()

class TestApp : public CWinApp {
    DECLARE_MESSAGE_MAP()
    using Base = CWinApp;

public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override {
        if (nCode == CN_COMMAND && !pInfo)
            g_trace << QStringLiteral("app");
        return Base::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }
    void OnAppNew() { g_trace << QStringLiteral("app new"); }
};
BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, &TestApp::OnAppNew)
END_MESSAGE_MAP()

class TestTemplate : public CMultiDocTemplate {
    using Base = CMultiDocTemplate;

public:
    using CMultiDocTemplate::CMultiDocTemplate;
    TRACE_ROUTE("template")
};

struct RouteFixture : ::testing::Test {
    TestApp app;
    TestMain main;
    TestTemplate* tmpl = nullptr;

    void SetUp() override {
        g_trace.clear();
        app.m_pMainWnd = &main;
        auto t = std::make_unique<TestTemplate>(
            130, [] { return new TestDoc; }, [] { return new TestChild; }, [] { return new TestView; });
        t->m_pFrameParent = &main;
        tmpl = t.get();
        app.AddDocTemplate(std::move(t));
    }
    void TearDown() override { app.CloseAllDocuments(FALSE); }
    TestDoc* openNew() { return static_cast<TestDoc*>(tmpl->OpenDocumentFile(QString())); }
    LRESULT command(UINT id) { return main.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<std::uint16_t>(id), 0)); }
};

} // namespace

TEST_F(RouteFixture, WithADocumentTheRouteRunsViewDocTemplateChildAppMainAppPane) {
    openNew();
    command(ID_TEST_NOWHERE);
    EXPECT_EQ(g_trace, QStringList({"main", "child", "view", "doc", "template", "app", "app"}));
    g_trace.clear();
    command(ID_TEST_PANE);
    EXPECT_EQ(g_trace.last(), "pane");
}

TEST_F(RouteFixture, WithoutADocumentTheRouteStartsAtTheMainFrame) {
    command(ID_TEST_NOWHERE);
    EXPECT_EQ(g_trace, QStringList({"main", "app"}));
}

TEST_F(RouteFixture, NewReachesTheApplicationBeforeTheMainFrame) {
    openNew();
    command(ID_FILE_NEW);
    EXPECT_TRUE(g_trace.contains("app new"));
    EXPECT_FALSE(g_trace.contains("main new"));
}

TEST_F(RouteFixture, FirstTargetThatTakesTheCommandEndsTheRoute) {
    openNew();
    command(ID_TEST_DOC);
    EXPECT_EQ(g_trace, QStringList({"main", "child", "view", "doc", "doc handler"}));
    g_trace.clear();
    command(ID_TEST_CHILD);
    EXPECT_EQ(g_trace.last(), "child handler");
    EXPECT_FALSE(g_trace.contains("app"));
}

TEST_F(RouteFixture, VirtualHandlersDispatchThroughTheirSlot) {
    auto t = std::make_unique<TestTemplate>(
        130, [] { return new TestDoc; }, [] { return new TestChild; }, [] { return new DerivedView; });
    t->m_pFrameParent = &main;
    t->OpenDocumentFile(QString());
    app.AddDocTemplate(std::move(t));
    command(ID_TEST_VIEW);
    EXPECT_TRUE(g_trace.contains("derived handler"));
    EXPECT_FALSE(g_trace.contains("view handler"));
}

TEST_F(RouteFixture, ADisabledCommandIsDroppedAndItsKeyDoesNothing) {
    openNew();
    // A menu item, button or key (no sending control) is tested first.
    command(ID_TEST_DISABLED);
    EXPECT_FALSE(g_trace.contains("disabled ran"));
    // Routed directly (as a control's own code would be), the handler exists.
    main.OnCmdMsg(ID_TEST_DISABLED, CN_COMMAND, nullptr, nullptr);
    EXPECT_TRUE(g_trace.contains("disabled ran"));
    EXPECT_EQ(command(0), FALSE);
}

TEST_F(RouteFixture, AutomaticDisablingFollowsWhetherAHandlerExistsOnTheRoute) {
    CTestCmdUI withHandler;
    withHandler.m_nID = ID_TEST_MAIN;
    withHandler.DoUpdate(&main, TRUE);
    EXPECT_TRUE(withHandler.m_bEnabled);

    CTestCmdUI without;
    without.m_nID = ID_TEST_NOWHERE;
    without.DoUpdate(&main, TRUE);
    EXPECT_FALSE(without.m_bEnabled);

    // The document's Save handler exists only while a document is active.
    CTestCmdUI save;
    save.m_nID = ID_FILE_SAVE;
    save.DoUpdate(&main, TRUE);
    EXPECT_FALSE(save.m_bEnabled);
    openNew();
    CTestCmdUI save2;
    save2.m_nID = ID_FILE_SAVE;
    save2.DoUpdate(&main, TRUE);
    EXPECT_TRUE(save2.m_bEnabled);
    // Asking for a handler never runs one.
    EXPECT_TRUE(g_trace.isEmpty());

    // Without the automatic rule nothing is changed.
    CTestCmdUI untouched;
    untouched.m_nID = ID_TEST_NOWHERE;
    untouched.DoUpdate(&main, FALSE);
    EXPECT_FALSE(untouched.m_bEnableChanged);
}

TEST_F(RouteFixture, IdsZeroAndFFFFAreNeverUpdated) {
    for (UINT id : {0u, 0xFFFFu}) {
        CTestCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(&main, TRUE);
        EXPECT_FALSE(ui.m_bEnableChanged) << id;
        EXPECT_TRUE(ui.m_bEnabled) << id;
    }
}

TEST_F(RouteFixture, RangesReceiveTheIdAndEarlierEntriesWin) {
    command(ID_TEST_RANGE_FIRST + 2);
    EXPECT_TRUE(g_trace.contains(QStringLiteral("range %1").arg(ID_TEST_RANGE_FIRST + 2)));
    g_trace.clear();
    // The single-ID entry stands after the range in the table, so the range wins.
    command(ID_TEST_RANGE_FIRST + 3);
    EXPECT_FALSE(g_trace.contains("main handler"));
    CTestCmdUI ui;
    ui.m_nID = ID_TEST_RANGE_FIRST + 1;
    ui.DoUpdate(&main, TRUE);
    EXPECT_EQ(ui.m_nCheck, 1);
}

TEST_F(RouteFixture, RegisteredMessagesStayWithTheirWindow) {
    const UINT msg = RegisterWindowMessage("TOOLBAR_CREATE");
    EXPECT_EQ(msg, RegisterWindowMessage("TOOLBAR_CREATE"));
    EXPECT_NE(msg, RegisterWindowMessage("TOOLBAR_RESETTOOLBAR"));
    EXPECT_EQ(main.SendMessage(msg, 41), 42);
    openNew();
    CMDIChildWnd* child = main.MDIGetActive();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->SendMessage(msg, 41), 0);
}

namespace {
class ReflectingControl : public CWnd {
public:
    bool consume = false;
    int seen = 0;
    BOOL OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) override {
        ++seen;
        return consume ? TRUE : FALSE;
    }
};
} // namespace

TEST_F(RouteFixture, ControlNotificationsAreReflectedThenRoutedWithTheirCode) {
    ReflectingControl control;
    const WPARAM wp = MAKEWPARAM(static_cast<std::uint16_t>(ID_TEST_MAIN), 0);
    control.consume = true;
    main.SendMessage(WM_COMMAND, wp, reinterpret_cast<LPARAM>(&control));
    EXPECT_EQ(control.seen, 1);
    EXPECT_FALSE(g_trace.contains("main handler"));
    control.consume = false;
    main.SendMessage(WM_COMMAND, wp, reinterpret_cast<LPARAM>(&control));
    EXPECT_TRUE(g_trace.contains("main handler"));
    g_trace.clear();
    // A code other than 0 only reaches entries bound to that code.
    main.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<std::uint16_t>(ID_TEST_MAIN), 8),
                     reinterpret_cast<LPARAM>(&control));
    EXPECT_FALSE(g_trace.contains("main handler"));
}

TEST_F(RouteFixture, MessageMapsSearchMostDerivedFirst) {
    // TestMain's own map comes first, and CCmdTarget's ends every chain.
    const AFX_MSGMAP* map = main.GetMessageMap();
    const AFX_MSGMAP* last = map;
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        last = map;
    EXPECT_EQ(last, CCmdTarget::GetThisMessageMap());
    EXPECT_EQ(&main.GetMessageMap()->entries[0], main.FindMessageEntry(WM_COMMAND, CN_COMMAND, ID_TEST_MAIN));
    EXPECT_NE(main.FindMessageEntry(WM_COMMAND, CN_COMMAND, ID_TEST_MAIN), nullptr);
    EXPECT_EQ(main.FindMessageEntry(WM_COMMAND, CN_UPDATE_COMMAND_UI, ID_TEST_MAIN), nullptr);
}

namespace {
class TracingWnd : public CWnd {
public:
    QStringList calls;
    virtual void OnShared() { calls << QStringLiteral("base"); }
};

// The program's windows start with their Qt class, which puts CCmdTarget past the object's
// start: each kind of handler must still run on this object, the sanitizer build included.
class QtFirstWindow : public QObject, public TracingWnd {
    DECLARE_MESSAGE_MAP()
public:
    void OnShared() override { calls << QStringLiteral("override"); }
    void OnOwn() { calls << QStringLiteral("own"); }
    void OnUpdateOwn(CCmdUI*) { calls << QStringLiteral("update"); }
    void OnRange(UINT id) { calls << QString::number(id); }
    void OnClick(NMHDR* header, LRESULT* result) {
        calls << QStringLiteral("notify %1").arg(header->code);
        *result = 7;
    }
    LRESULT OnRegistered(WPARAM w, LPARAM) { return static_cast<LRESULT>(w) + 1; }
};
BEGIN_MESSAGE_MAP(QtFirstWindow, TracingWnd)
    ON_COMMAND(ID_TEST_VIEW, &TracingWnd::OnShared)
    ON_COMMAND(ID_TEST_DOC, &QtFirstWindow::OnOwn)
    ON_UPDATE_COMMAND_UI(ID_TEST_DOC, &QtFirstWindow::OnUpdateOwn)
    ON_COMMAND_RANGE(ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, &QtFirstWindow::OnRange)
    ON_NOTIFY(-2, ID_TEST_PANE, &QtFirstWindow::OnClick)
    ON_REGISTERED_MESSAGE("QT_FIRST_TEST", &QtFirstWindow::OnRegistered)
END_MESSAGE_MAP()
} // namespace

TEST(MessageMapDispatch, EveryHandlerKindRunsOnAWindowWhoseFirstBaseIsAQtClass) {
    QtFirstWindow window;
    window.SendCommand(ID_TEST_VIEW);
    window.SendCommand(ID_TEST_DOC);
    window.SendCommand(ID_TEST_RANGE_FIRST + 3);
    NMHDR header;
    header.idFrom = ID_TEST_PANE;
    header.code = -2;
    EXPECT_EQ(window.SendMessage(WM_NOTIFY, ID_TEST_PANE, reinterpret_cast<LPARAM>(&header)), 7);
    EXPECT_EQ(window.SendMessage(RegisterWindowMessage("QT_FIRST_TEST"), 41), 42);
    EXPECT_EQ(window.calls, (QStringList{QStringLiteral("override"), QStringLiteral("update"), QStringLiteral("own"),
                                         QStringLiteral("40013"), QStringLiteral("notify -2")}));
}
