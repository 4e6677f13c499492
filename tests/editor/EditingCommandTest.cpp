// The engine helpers, the editing command map and its routing, the block format menu and
// the editor options, against a scripted engine.

#include "ScriptedEngine.h"
#include "editor/EditingCommandMap.h"
#include "editor/EngineFactory.h"
#include "editor/LoomwriteView.h"
#include "framework/core/CmdUI.h"
#include "framework/core/UserPrompts.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramResources.h"

#include <QMenu>
#include <gtest/gtest.h>
#include <set>

using namespace lw;
using lwtest::ScriptedEngine;

namespace {

constexpr quint32 S = OLECMDF_SUPPORTED, E = OLECMDF_ENABLED, L = OLECMDF_LATCHED;

// A view whose engine is scripted and whose colour dialog answers as told.
class TestView : public CLoomwriteView {
public:
    std::optional<std::uint32_t> colorAnswer;
    std::uint32_t colorAsked = 0xFFFFFFFF;
    std::optional<std::uint32_t> AskColor(std::uint32_t current) override {
        colorAsked = current;
        return colorAnswer;
    }
};

struct ViewFixture : ::testing::Test {
    CWinAppEx app;
    TestView view;
    ScriptedEngine* engine = nullptr;
    QStringList messages;

    static void SetUpTestSuite() { RegisterProgramResources(); }
    void SetUp() override {
        app.SetRegistryKey(QStringLiteral("Tarn"));
        SetHtmlEngineFactory([this](QWidget* parent) {
            auto e = std::make_unique<ScriptedEngine>(parent);
            engine = e.get();
            return e;
        });
        ASSERT_TRUE(view.Create(nullptr));
        engine->execs.clear();
        AfxSetMessageBoxHandler([this](const QString& t, UINT) {
            messages << t;
            return IDOK;
        });
    }
    void TearDown() override {
        view.DestroyWindow();
        SetHtmlEngineFactory(GetDefaultHtmlEngineFactory());
        AfxSetMessageBoxHandler({});
        app.DelRegTree();
    }
};

} // namespace

TEST(EditingCommandMapTable, HasEveryEntryOnceAndEndsWithAZeroEntry) {
    std::set<UINT> ids;
    int colourUses = 0;
    for (std::size_t i = 0; i < kEditingCommandCount; ++i) {
        const EditingCommandEntry& e = EditingCommandMap[i];
        EXPECT_NE(e.engineCommand, 0u) << i;
        EXPECT_TRUE(ids.insert(e.commandId).second) << e.commandId;
        colourUses += (e.engineCommand == 55 || e.engineCommand == 51) ? 1 : 0;
    }
    EXPECT_EQ(colourUses, 4);
    const EditingCommandEntry& end = EditingCommandMap[kEditingCommandCount];
    EXPECT_EQ(end.commandId, 0u);
    EXPECT_EQ(end.engineCommand, 0u);
    EXPECT_EQ(end.handler, nullptr);
    EXPECT_EQ(EditingCommandMap[0].commandId, ID_FILE_PRINT);
    EXPECT_EQ(EditingCommandMap[kEditingCommandCount - 1].engineCommand, 2405u);
}

TEST_F(ViewFixture, GetEngineIntReadsEveryOutputType) {
    const struct {
        quint32 flags;
        HRESULT result;
        Variant out;
        HRESULT expected;
        std::int32_t value;
        bool executes;
    } cases[] = {
        {0, S_OK, Variant::fromI4(5), E_FAIL, 0, false},
        {S, S_OK, Variant::fromI4(5), S_OK, 5, true}, // supported is enough
        {S | E, S_OK, Variant(), S_OK, 0, true},
        {S | E, S_OK, Variant::null(), S_OK, 0, true},
        {S | E, S_OK, Variant::fromI2(-1), S_OK, -1, true},
        {S | E, S_OK, Variant::fromError(E_UNEXPECTED), E_UNEXPECTED, 0, true},
        {S | E, S_OK, Variant::fromString(QStringLiteral("7")), E_UNEXPECTED, 0, true},
        {S | E, S_FALSE, Variant::fromI4(9), S_FALSE, 0, true},
    };
    for (const auto& c : cases) {
        engine->flags[19] = c.flags;
        engine->results[19] = c.result;
        engine->outputs[19] = c.out;
        engine->execs.clear();
        std::int32_t value = 77;
        EXPECT_EQ(view.GetEngineInt(19, value), c.expected);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(engine->execCount(19), c.executes ? 1 : 0);
    }
}

TEST_F(ViewFixture, StringAndSetterHelpersNeedSupportedAndEnabled) {
    engine->flags[18] = S;
    QString text = QStringLiteral("old");
    EXPECT_EQ(view.GetEngineString(18, text), E_FAIL);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(view.SetEngineInt(18, 1), E_FAIL);
    EXPECT_EQ(view.SetEngineBool(18, true, 3), E_FAIL);
    EXPECT_TRUE(engine->execs.empty());
    // With no requirement the boolean goes even to an unsupported command.
    engine->flags[18] = 0;
    EXPECT_EQ(view.SetEngineBool(18, true, 0), S_OK);
    ASSERT_EQ(engine->execs.size(), 1u);
    EXPECT_EQ(engine->execs[0].in.type(), VT_BOOL);
    EXPECT_EQ(engine->execs[0].in.boolValue(), VARIANT_TRUE);

    engine->flags[18] = S | E;
    engine->outputs[18] = Variant::fromString(QStringLiteral("Arial"));
    EXPECT_EQ(view.GetEngineString(18, text), S_OK);
    EXPECT_EQ(text, "Arial");
    engine->outputs[18] = Variant::fromI4(3);
    EXPECT_EQ(view.GetEngineString(18, text), E_UNEXPECTED);
    EXPECT_TRUE(text.isEmpty());

    engine->execs.clear();
    const QString empty;
    view.SetEngineString(18, &empty);
    view.SetEngineString(18, nullptr);
    ASSERT_EQ(engine->execs.size(), 2u);
    EXPECT_TRUE(engine->execs[0].hadInput);
    EXPECT_EQ(engine->execs[0].in.type(), VT_BSTR);
    EXPECT_FALSE(engine->execs[1].hadInput);
}

TEST_F(ViewFixture, BlockFormatListRules) {
    QStringList list{QStringLiteral("kept")};
    engine->flags[2233] = S;
    EXPECT_EQ(view.GetBlockFormatList(list), E_FAIL);
    engine->flags[2233] = L; // latched is enough
    engine->outputs[2233] = Variant::fromStringArray({QStringLiteral("Normal"), QStringLiteral("Heading 1")}, 1);
    EXPECT_EQ(view.GetBlockFormatList(list), S_OK);
    EXPECT_EQ(list, QStringList({"kept", "Normal", "Heading 1"}));
    engine->outputs[2233] = Variant::fromStringArray({}, 5);
    EXPECT_EQ(view.GetBlockFormatList(list), S_OK);
    EXPECT_EQ(list.size(), 3);
    engine->outputs[2233] = Variant::fromString(QStringLiteral("Normal"));
    EXPECT_EQ(view.GetBlockFormatList(list), E_FAIL);
    engine->outputs[2233] = Variant::fromError(E_NOINTERFACE);
    EXPECT_EQ(view.GetBlockFormatList(list), E_NOINTERFACE);
}

TEST_F(ViewFixture, WithoutAPageEveryHelperFails) {
    engine->document = false;
    std::int32_t v = 3;
    QString t = QStringLiteral("x");
    EXPECT_EQ(view.QueryEngineStatus(52), 0u);
    EXPECT_EQ(view.GetEngineInt(19, v), E_FAIL);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(view.GetEngineString(18, t), E_FAIL);
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(view.ExecEngineCommand(52, 0, nullptr, nullptr), E_FAIL);
    EXPECT_TRUE(engine->execs.empty());
    const Guid other{1, 2, 3, {}};
    engine->document = true;
    EXPECT_EQ(view.ExecEngineCommandInGroup(&other, 52, 0, nullptr, nullptr), OLECMDERR_E_UNKNOWNGROUP);
}

TEST_F(ViewFixture, UpdateRequestsShowTheEngineState) {
    const struct {
        UINT id;
        quint32 flags;
        bool enabled;
        int check;
        bool radio;
    } cases[] = {
        {ID_TEXT_BOLD, S | E, true, 0, false},
        {ID_TEXT_BOLD, S | E | L, true, 1, false},
        {ID_TEXT_BOLD, S | L, true, 1, false}, // latched but not enabled shows enabled
        {ID_TEXT_BOLD, S, false, 0, false},
        {ID_POSITION_ABSOLUTE, S | E | L, true, 0, true},
        {ID_POSITION_ABSOLUTE, S, false, 0, false},
        {ID_EDIT_COPY, S | E | L, true, 0, false},
    };
    for (const auto& c : cases) {
        UINT hasHandler = 0, kind = 0;
        engine->flags[view.LookupEditingCommand(c.id, hasHandler, kind)] = c.flags;
        CTestCmdUI ui;
        ui.m_nID = c.id;
        EXPECT_TRUE(view.OnCmdMsg(c.id, CN_UPDATE_COMMAND_UI, &ui, nullptr));
        EXPECT_EQ(ui.m_bEnabled, c.enabled) << c.id << " " << c.flags;
        EXPECT_EQ(ui.m_nCheck, c.check) << c.id << " " << c.flags;
        EXPECT_EQ(ui.m_bRadio, c.radio) << c.id << " " << c.flags;
        EXPECT_EQ(ui.m_bCheckSet, kind == 1);
        EXPECT_EQ(ui.m_bRadioSet, kind == 2);
    }
    EXPECT_FALSE(view.RouteEditingCommand(ID_TEXT_BOLD, CN_UPDATE_COMMAND_UI, nullptr));
}

TEST_F(ViewFixture, CommandsRunOnlyWhileEnabledOrLatchedAndSFalseRoutesOn) {
    engine->flags[52] = S;
    EXPECT_TRUE(view.OnCmdMsg(ID_TEXT_BOLD, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(engine->execCount(52), 0);
    engine->flags[52] = S | L;
    EXPECT_TRUE(view.OnCmdMsg(ID_TEXT_BOLD, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(engine->execCount(52), 1);
    engine->results[52] = S_FALSE;
    EXPECT_FALSE(view.OnCmdMsg(ID_TEXT_BOLD, CN_COMMAND, nullptr, nullptr));
    // Asking whether a handler exists never executes.
    AFX_CMDHANDLERINFO info;
    EXPECT_TRUE(view.OnCmdMsg(ID_TEXT_BOLD, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(engine->execCount(52), 2);
    // Positioning shows 2395/2396 but acts on 2397.
    engine->flags[2395] = S | E;
    engine->flags[2397] = S | E;
    view.OnCmdMsg(ID_POSITION_ABSOLUTE, CN_COMMAND, nullptr, nullptr);
    ASSERT_NE(engine->lastExec(2397), nullptr);
    EXPECT_EQ(engine->lastExec(2397)->in.boolValue(), VARIANT_TRUE);
    EXPECT_EQ(engine->execCount(2395), 0);
}

TEST_F(ViewFixture, ChooseColorStartsFromTheEngineColourAndCancelChangesNothing) {
    engine->flags[55] = S | E;
    engine->outputs[55] = Variant::fromI4(0x0000FF);
    view.colorAnswer = std::nullopt;
    view.OnCmdMsg(ID_TEXT_FORE_COLOR, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(view.colorAsked, 0x0000FFu);
    EXPECT_EQ(engine->execCount(55), 1); // the read only
    view.colorAnswer = 0x00FF00u;
    view.OnCmdMsg(ID_TEXT_FORE_COLOR, CN_COMMAND, nullptr, nullptr);
    ASSERT_NE(engine->lastExec(55), nullptr);
    EXPECT_EQ(engine->lastExec(55)->in.i4(), 0x00FF00);
}

TEST_F(ViewFixture, BlockFormatMenuFillsChecksAndKeepsEntriesWhenTheListFails) {
    QMenu menu;
    menu.addAction(QStringLiteral("Choose Block Format:"));
    menu.addSeparator();
    engine->flags[2233] = S | E;
    engine->flags[2234] = S | E;
    engine->outputs[2233] =
        Variant::fromStringArray({QStringLiteral("Normal"), QStringLiteral("Heading 1"), QStringLiteral("Address")});
    engine->outputs[2234] = Variant::fromString(QStringLiteral("heading 1"));
    CTestCmdUI ui;
    ui.m_nID = ID_BLOCK_FORMAT;
    ui.m_pSubMenu = &menu;
    view.OnUpdateBlockFormat(&ui);
    ASSERT_EQ(menu.actions().size(), 5);
    // Letter case counts: "heading 1" is not "Heading 1".
    for (QAction* a : menu.actions())
        EXPECT_FALSE(a->isChecked());
    engine->outputs[2234] = Variant::fromString(QStringLiteral("Heading 1"));
    view.OnUpdateBlockFormat(&ui);
    ASSERT_EQ(menu.actions().size(), 5);
    EXPECT_TRUE(menu.actions()[3]->isChecked());
    EXPECT_EQ(AfxActionCommandId(menu.actions()[4]), ID_BLOCK_FORMAT_FIRST + 2);

    // Choosing the third entry sends the third name.
    view.OnCmdMsg(ID_BLOCK_FORMAT_FIRST + 2, CN_COMMAND, nullptr, nullptr);
    ASSERT_NE(engine->lastExec(2234), nullptr);
    EXPECT_EQ(engine->lastExec(2234)->in.bstr(), "Address");
    // A position without a name is refused and sends nothing.
    engine->execs.clear();
    view.OnBlockFormat(ID_BLOCK_FORMAT_FIRST + 9);
    EXPECT_EQ(engine->execCount(2234), 0);
    EXPECT_FALSE(messages.isEmpty());

    // No list: the entries of the last fill stay. An empty list removes them all.
    engine->flags[2233] = S;
    view.OnUpdateBlockFormat(&ui);
    EXPECT_EQ(menu.actions().size(), 5);
    engine->flags[2233] = S | E;
    engine->outputs[2233] = Variant::fromStringArray({});
    view.OnUpdateBlockFormat(&ui);
    EXPECT_EQ(menu.actions().size(), 2);
    // A request without the submenu changes nothing.
    CTestCmdUI plain;
    plain.m_nID = ID_BLOCK_FORMAT;
    view.OnUpdateBlockFormat(&plain);
}

TEST_F(ViewFixture, StoredOptionsApplyAtTheSecondCompletionOnly) {
    view.OnEngineDocumentComplete(QString());
    EXPECT_TRUE(engine->designModeValue);
    EXPECT_TRUE(engine->execs.empty());
    app.WriteInt(QStringLiteral("Silent"), 5);
    view.OnEngineDocumentComplete(QString());
    const std::pair<quint32, bool> expected[] = {{2394, false}, {2399, false}, {2404, false}, {2398, true},
                                                 {2393, false}, {2405, false}, {2400, true}};
    ASSERT_EQ(engine->execs.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(engine->execs[i].cmd, expected[i].first);
        EXPECT_EQ(engine->execs[i].in.toBool(), expected[i].second);
    }
    EXPECT_TRUE(engine->silentValue);
    EXPECT_TRUE(view.m_autoUrlDetect);
    engine->execs.clear();
    view.OnEngineDocumentComplete(QString());
    EXPECT_TRUE(engine->execs.empty());
    EXPECT_EQ(view.m_documentCompleteCount, 3u);
}

TEST_F(ViewFixture, TogglingAnOptionStoresTheNewValue) {
    // A current value that is no boolean switches the option on.
    engine->flags[2394] = S | E;
    engine->outputs[2394] = Variant::fromI4(1);
    view.OnToggleEditOption(2394);
    EXPECT_EQ(engine->lastExec(2394)->in.boolValue(), VARIANT_TRUE);
    EXPECT_EQ(app.GetInt(QStringLiteral("OPT2394"), -1), 1);
    // Latched but not enabled: the engine is not changed, the setting is.
    engine->flags[2398] = S | L;
    engine->outputs[2398] = Variant::fromBool(true);
    engine->execs.clear();
    view.OnToggleEditOption(2398);
    EXPECT_EQ(engine->execCount(2398), 1); // the read only
    EXPECT_EQ(app.GetInt(QStringLiteral("OPT2398"), -1), 0);

    // Auto URL detect refused: nothing changes.
    engine->results[2400] = E_FAIL;
    view.OnAutoUrlDetect();
    EXPECT_TRUE(view.m_autoUrlDetect);
    EXPECT_EQ(app.GetInt(QStringLiteral("OPT2400"), -1), -1);
    engine->results[2400] = S_OK;
    view.OnAutoUrlDetect();
    EXPECT_FALSE(view.m_autoUrlDetect);
    EXPECT_EQ(app.GetInt(QStringLiteral("OPT2400"), -1), 0);

    // Silent twice restores the engine and the setting matches it.
    view.OnSilent();
    EXPECT_TRUE(engine->silentValue);
    EXPECT_EQ(app.GetInt(QStringLiteral("Silent"), -1), 1);
    view.OnSilent();
    EXPECT_FALSE(engine->silentValue);
    EXPECT_EQ(app.GetInt(QStringLiteral("Silent"), -1), 0);
}

TEST_F(ViewFixture, FontBoxesActOnlyWhenTheirListCloses) {
    engine->flags[19] = S | E;
    engine->flags[18] = S | E;
    view.OnFontSize(19); // not inside a close-up notification
    EXPECT_EQ(engine->execCount(19), 0);
}
