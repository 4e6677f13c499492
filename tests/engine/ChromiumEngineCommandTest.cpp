// Command status and execution through the page's snapshot, on the real engine.

#include "EngineHarness.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;
using lwtest::kWaitMs;

namespace {

const QByteArray kStyledPage = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>"
                               "<p id=\"plain\">plain text</p>"
                               "<p id=\"styled\"><font face=\"Georgia\" size=\"5\">styled text</font></p>"
                               "<p id=\"quoted\" style=\"font-family: 'Times New Roman', serif\">quoted</p>"
                               "</body></html>";

quint32 status(IHtmlEngine& engine, quint32 cmd) {
    quint32 flags = 0xFFFF;
    EXPECT_EQ(engine.queryStatus(cmd, flags), S_OK);
    return flags;
}

struct ToggleCase {
    const char* name;
    quint32 cmd;
    const char* tag;
};

class ChromiumEngineToggle : public testing::TestWithParam<ToggleCase> {};

TEST_P(ChromiumEngineToggle, LatchesOnTheSelectionAfterExecAndReleasesAfterTheSecond) {
    const ToggleCase& c = GetParam();
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kStyledPage);
    ASSERT_TRUE(h.loadEditable(path));
    h.select(QStringLiteral("#plain"));
    EXPECT_EQ(status(*h.engine, c.cmd), OLECMDF_SUPPORTED | OLECMDF_ENABLED);

    EXPECT_EQ(h.engine->exec(c.cmd, nullptr, nullptr), S_OK);
    EXPECT_TRUE(lwtest::waitFor([&] { return status(*h.engine, c.cmd) & OLECMDF_LATCHED; }, kWaitMs));
    EXPECT_EQ(h.run(QStringLiteral("document.getElementById('plain').innerHTML")).toString(),
              QStringLiteral("<%1>plain text</%1>").arg(QLatin1String(c.tag)));
    EXPECT_EQ(h.engine->isDirty(), S_OK);

    EXPECT_EQ(h.engine->exec(c.cmd, nullptr, nullptr), S_OK);
    EXPECT_TRUE(lwtest::waitFor([&] { return !(status(*h.engine, c.cmd) & OLECMDF_LATCHED); }, kWaitMs));
    EXPECT_EQ(h.run(QStringLiteral("document.getElementById('plain').innerHTML")).toString(),
              QStringLiteral("plain text"));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ChromiumEngineToggle,
    testing::Values(ToggleCase{"bold", 52, "b"}, ToggleCase{"italic", 56, "i"},
                    ToggleCase{"underline", 63, "u"}, ToggleCase{"strikethrough", 91, "strike"},
                    ToggleCase{"superscript", 2248, "sup"}, ToggleCase{"subscript", 2247, "sub"}),
    [](const testing::TestParamInfo<ToggleCase>& info) { return std::string(info.param.name); });

TEST(ChromiumEngineCommand, ReadsFontNameAndSizeOfTheSelection) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kStyledPage);
    ASSERT_TRUE(h.loadEditable(path));

    Variant value;
    h.select(QStringLiteral("#styled font"));
    ASSERT_EQ(h.engine->exec(18, nullptr, &value), S_OK);
    EXPECT_EQ(value, Variant::fromString(QStringLiteral("Georgia")));
    ASSERT_EQ(h.engine->exec(19, nullptr, &value), S_OK);
    EXPECT_EQ(value, Variant::fromI4(5));

    // The engine reads a family list with the first name quoted; the host gets the plain name.
    h.select(QStringLiteral("#quoted"));
    ASSERT_EQ(h.engine->exec(18, nullptr, &value), S_OK);
    EXPECT_EQ(value, Variant::fromString(QStringLiteral("Times New Roman")));
}

TEST(ChromiumEngineCommand, SetsFontNameAndSizeAndReadsThemBack) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kStyledPage);
    ASSERT_TRUE(h.loadEditable(path));
    h.select(QStringLiteral("#plain"));

    const Variant name = Variant::fromString(QStringLiteral("Courier New"));
    EXPECT_EQ(h.engine->exec(18, &name, nullptr), S_OK);
    const Variant size = Variant::fromI2(6);
    EXPECT_EQ(h.engine->exec(19, &size, nullptr), S_OK);
    Variant value;
    EXPECT_TRUE(lwtest::waitFor(
        [&] { return h.engine->exec(19, nullptr, &value) == S_OK && value == Variant::fromI4(6); }, kWaitMs));
    EXPECT_EQ(h.engine->exec(18, nullptr, &value), S_OK);
    EXPECT_EQ(value, Variant::fromString(QStringLiteral("Courier New")));
}

TEST(ChromiumEngineCommand, ColoursTravelAsBlueGreenRedNumbers) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kStyledPage);
    ASSERT_TRUE(h.loadEditable(path));
    h.select(QStringLiteral("#plain"));
    Variant value;
    ASSERT_EQ(h.engine->exec(51, nullptr, &value), S_OK);
    EXPECT_EQ(value, Variant::null()) << "a transparent background has no colour";

    const Variant red = Variant::fromI4(0x0000FF);
    const Variant paleBlue = Variant::fromI4(0xFFCC99);
    EXPECT_EQ(h.engine->exec(55, &red, nullptr), S_OK);
    EXPECT_EQ(h.engine->exec(51, &paleBlue, nullptr), S_OK);
    h.settle();
    EXPECT_EQ(h.engine->exec(55, nullptr, &value), S_OK);
    EXPECT_EQ(value, red);
    EXPECT_EQ(h.engine->exec(51, nullptr, &value), S_OK);
    EXPECT_EQ(value, paleBlue);
    EXPECT_TRUE(h.run(QStringLiteral("document.getElementById('plain').innerHTML"))
                    .toString()
                    .contains(QStringLiteral("rgb(153, 204, 255)")));
}

TEST(ChromiumEngineCommand, OutOfRangeSizesChangeNothing) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kStyledPage);
    ASSERT_TRUE(h.loadEditable(path));
    h.select(QStringLiteral("#plain"));
    for (const Variant& size :
         {Variant::fromI2(0), Variant::fromI4(8), Variant::fromString(QStringLiteral("x"))})
        EXPECT_EQ(h.engine->exec(19, &size, nullptr), S_OK);
    h.settle();
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);
}

TEST(ChromiumEngineCommand, OutsideDesignModeCommandsAreSupportedButDisabled) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kStyledPage);
    ASSERT_TRUE(h.loadEditable(path));
    h.engine->setDesignMode(false);
    h.select(QStringLiteral("#plain"));
    EXPECT_FALSE(h.engine->designMode());
    EXPECT_EQ(status(*h.engine, 52), OLECMDF_SUPPORTED);
    EXPECT_EQ(h.engine->exec(52, nullptr, nullptr), OLECMDERR_E_DISABLED);
    h.settle();
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);
}

TEST(ChromiumEngineCommand, UndoTakesTypingBackAndRedoBringsItAgain) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kStyledPage);
    ASSERT_TRUE(h.loadEditable(path));
    EXPECT_EQ(status(*h.engine, 43), OLECMDF_SUPPORTED);
    h.placeCaretAtEndOf(QStringLiteral("#plain"));
    h.type(QStringLiteral("xyz"));
    const auto plainText = [&] {
        return h.run(QStringLiteral("document.getElementById('plain').textContent")).toString();
    };
    ASSERT_TRUE(lwtest::waitFor([&] { return status(*h.engine, 43) & OLECMDF_ENABLED; }));
    EXPECT_EQ(plainText(), QStringLiteral("plain textxyz"));

    EXPECT_EQ(h.engine->exec(43, nullptr, nullptr), S_OK);
    EXPECT_TRUE(lwtest::waitFor([&] { return plainText() == QStringLiteral("plain text"); }));
    ASSERT_TRUE(lwtest::waitFor([&] { return status(*h.engine, 29) & OLECMDF_ENABLED; }));
    EXPECT_EQ(h.engine->exec(29, nullptr, nullptr), S_OK);
    EXPECT_TRUE(lwtest::waitFor([&] { return plainText() == QStringLiteral("plain textxyz"); }));
}

TEST(ChromiumEngineCommand, CopyAndPasteGoThroughTheClipboard) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kStyledPage);
    ASSERT_TRUE(h.loadEditable(path));
    QGuiApplication::clipboard()->clear();
    h.placeCaretAtEndOf(QStringLiteral("#plain"));
    EXPECT_EQ(status(*h.engine, 15), OLECMDF_SUPPORTED) << "nothing selected, nothing to copy";
    EXPECT_EQ(status(*h.engine, 26), OLECMDF_SUPPORTED) << "nothing to paste";

    h.select(QStringLiteral("#quoted"));
    EXPECT_EQ(status(*h.engine, 15), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.engine->exec(15, nullptr, nullptr), S_OK);
    // The page hands the copy to the application's clipboard on a channel of its own.
    EXPECT_TRUE(
        lwtest::waitFor([] { return QGuiApplication::clipboard()->text() == QStringLiteral("quoted"); }));
    h.placeCaretAtEndOf(QStringLiteral("#plain"));
    EXPECT_EQ(status(*h.engine, 26), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.engine->exec(26, nullptr, nullptr), S_OK);
    EXPECT_TRUE(lwtest::waitFor([&] {
        return h.run(QStringLiteral("document.getElementById('plain').textContent")).toString() ==
               QStringLiteral("plain textquoted");
    }));
}

TEST(ChromiumEngineCommand, UnknownCommandsAndMissingPagesAreReported) {
    EngineHarness h;
    quint32 flags = 0xFFFF;
    EXPECT_EQ(h.engine->queryStatus(52, flags), E_UNEXPECTED);
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(h.engine->exec(52, nullptr, nullptr), E_UNEXPECTED);

    ASSERT_TRUE(h.loadEditable(QStringLiteral("about:blank")));
    EXPECT_EQ(h.engine->queryStatus(999999, flags), S_OK);
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(h.engine->exec(999999, nullptr, nullptr), OLECMDERR_E_NOTSUPPORTED);
    const Variant error = Variant::fromError(E_FAIL);
    EXPECT_EQ(h.engine->exec(52, &error, nullptr), E_INVALIDARG);
}

} // namespace
