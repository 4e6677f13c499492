// Paragraph formatting on the real engine: block formats, alignment, direction, lists and
// indentation, and undo of the changes the engine's own commands cannot make.

#include "EngineHarness.h"

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;

namespace {

const QByteArray kPage = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>"
                         "<p id=\"one\">first paragraph</p>"
                         "<p id=\"two\" align=\"center\">second paragraph</p>"
                         "<p id=\"three\">third paragraph</p>"
                         "</body></html>";

constexpr quint32 kStateBits = OLECMDF_LATCHED | OLECMDF_NINCHED;

class ChromiumEngineBlock : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), kPage))); }

    void selectParagraphs(const QString& first, const QString& last) {
        h.run(QStringLiteral("(() => { const r = document.createRange();"
                             " r.setStart(document.querySelector('%1').firstChild, 0);"
                             " r.setEnd(document.querySelector('%2').firstChild, 3);"
                             " const s = getSelection(); s.removeAllRanges(); s.addRange(r); return 1; })()")
                  .arg(first, last));
        h.settle();
    }

    EngineHarness h;
};

TEST_F(ChromiumEngineBlock, OffersItsBlockFormatsAndReportsAndSetsTheCurrentOne) {
    h.placeCaretAtEndOf(QStringLiteral("#one"));
    const Variant list = h.value(2233);
    ASSERT_EQ(list.type(), VT_ARRAY | VT_BSTR);
    EXPECT_EQ(list.stringArray(),
              QStringList({"Normal", "Formatted", "Address", "Heading 1", "Heading 2", "Heading 3",
                           "Heading 4", "Heading 5", "Heading 6", "Numbered List", "Bulleted List",
                           "Definition Term", "Definition", "Division"}));
    EXPECT_EQ(h.value(2234), Variant::fromString(QStringLiteral("Normal")));

    EXPECT_EQ(h.exec(2234, Variant::fromString(QStringLiteral("Heading 1"))), S_OK);
    EXPECT_EQ(h.value(2234), Variant::fromString(QStringLiteral("Heading 1")));
    EXPECT_EQ(h.count(QStringLiteral("h1")), 1);

    EXPECT_EQ(h.exec(2234, Variant::fromString(QStringLiteral("Bulleted List"))), S_OK);
    EXPECT_EQ(h.value(2234), Variant::fromString(QStringLiteral("Bulleted List")));
    EXPECT_EQ(h.exec(2234, Variant::fromString(QStringLiteral("Formatted"))), S_OK);
    EXPECT_EQ(h.value(2234), Variant::fromString(QStringLiteral("Formatted")));
    EXPECT_EQ(h.count(QStringLiteral("ul, li")), 0) << "a list item leaves its list to take another format";

    EXPECT_EQ(h.exec(2234, Variant::fromString(QStringLiteral("heading 1"))), S_OK);
    EXPECT_EQ(h.value(2234), Variant::fromString(QStringLiteral("Formatted"))) << "names are matched exactly";

    selectParagraphs(QStringLiteral("#two"), QStringLiteral("#three"));
    h.exec(2234, Variant::fromString(QStringLiteral("Heading 2")));
    selectParagraphs(QStringLiteral("pre"), QStringLiteral("h2"));
    EXPECT_EQ(h.value(2234), Variant::null()) << "blocks of different formats";
}

TEST_F(ChromiumEngineBlock, AChangedBlockFormatKeepsTheBlocksAttributes) {
    h.run(QStringLiteral("(() => { const p = document.getElementById('one'); p.className = 'intro';"
                         " p.setAttribute('style', 'color: red'); p.lang = 'fr'; p.dir = 'rtl'; p.title = 'T';"
                         " return 1; })()"));
    h.placeCaretAtEndOf(QStringLiteral("#one"));
    EXPECT_EQ(h.exec(2234, Variant::fromString(QStringLiteral("Heading 2"))), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("h2#one.intro[style='color: red'][lang=fr][dir=rtl][title=T]")), 1)
        << h.html().toStdString();

    // The engine merges the paragraphs of a selection into one heading.
    selectParagraphs(QStringLiteral("#two"), QStringLiteral("#three"));
    EXPECT_EQ(h.exec(2234, Variant::fromString(QStringLiteral("Heading 3"))), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("h3#two")), 1) << h.html().toStdString();
}

TEST_F(ChromiumEngineBlock, JustifyLatchesFromTheBlocksRealAlignment) {
    h.placeCaretAtEndOf(QStringLiteral("#one"));
    EXPECT_EQ(h.flags(59) & kStateBits, OLECMDF_LATCHED) << "a paragraph of its own is left aligned";
    EXPECT_EQ(h.flags(94) & kStateBits, OLECMDF_LATCHED) << "and has no alignment of its own";
    h.placeCaretAtEndOf(QStringLiteral("#two"));
    EXPECT_EQ(h.flags(57) & kStateBits, OLECMDF_LATCHED);
    EXPECT_EQ(h.flags(94) & kStateBits, 0u);

    h.placeCaretAtEndOf(QStringLiteral("#three"));
    EXPECT_EQ(h.exec(60), S_OK);
    EXPECT_EQ(h.flags(60) & kStateBits, OLECMDF_LATCHED);
    EXPECT_EQ(h.flags(59) & kStateBits, 0u);

    selectParagraphs(QStringLiteral("#two"), QStringLiteral("#three"));
    for (quint32 cmd : {59u, 57u, 60u, 50u})
        EXPECT_EQ(h.flags(cmd) & kStateBits, OLECMDF_NINCHED) << cmd;

    EXPECT_EQ(h.exec(94), S_OK);
    EXPECT_EQ(h.run(QStringLiteral("document.getElementById('two').outerHTML")).toString(),
              QStringLiteral("<p id=\"two\">second paragraph</p>"));
    EXPECT_EQ(h.run(QStringLiteral("document.getElementById('three').outerHTML")).toString(),
              QStringLiteral("<p id=\"three\">third paragraph</p>"));
    EXPECT_EQ(h.flags(94) & kStateBits, OLECMDF_LATCHED);
}

TEST_F(ChromiumEngineBlock, DirectionIsSetOnTheBlocksAndUndoneInOneStep) {
    selectParagraphs(QStringLiteral("#one"), QStringLiteral("#two"));
    EXPECT_EQ(h.flags(2352) & kStateBits, OLECMDF_LATCHED);
    EXPECT_EQ(h.exec(2353), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("p[dir=rtl]")), 2);
    EXPECT_EQ(h.flags(2353) & kStateBits, OLECMDF_LATCHED);
    EXPECT_EQ(h.flags(2352) & kStateBits, 0u);
    EXPECT_EQ(h.engine->isDirty(), S_OK);
    const QByteArray saved = h.save();
    EXPECT_TRUE(saved.contains("<p id=\"one\" dir=\"rtl\">"));
    EXPECT_FALSE(saved.contains("lw-journal")) << "the marks undo keeps are the editor's own";

    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("[dir]")), 0);
    EXPECT_EQ(h.exec(29), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("p[dir=rtl]")), 2);
}

TEST_F(ChromiumEngineBlock, UndoTakesBackTypingAndOwnChangesInTheOrderTheyWereMade) {
    const QString original = h.html();
    h.placeCaretAtEndOf(QStringLiteral("#one"));
    h.type(QStringLiteral("ab"));
    ASSERT_TRUE(
        lwtest::waitFor([&] { return h.html(QStringLiteral("#one")).endsWith(QStringLiteral("ab")); }));
    h.exec(2353);
    h.placeCaretAtEndOf(QStringLiteral("#three"));
    h.type(QStringLiteral("cd"));
    ASSERT_TRUE(
        lwtest::waitFor([&] { return h.html(QStringLiteral("#three")).endsWith(QStringLiteral("cd")); }));
    const QString edited = h.html();

    h.exec(43);
    EXPECT_FALSE(h.html(QStringLiteral("#three")).contains(QStringLiteral("cd")));
    EXPECT_EQ(h.count(QStringLiteral("[dir=rtl]")), 1);
    h.exec(43);
    EXPECT_EQ(h.count(QStringLiteral("[dir]")), 0);
    EXPECT_TRUE(h.html(QStringLiteral("#one")).endsWith(QStringLiteral("ab")));
    h.exec(43);
    EXPECT_EQ(h.html(), original);

    for (int i = 0; i < 3; ++i)
        h.exec(29);
    EXPECT_EQ(h.html(), edited);
}

TEST_F(ChromiumEngineBlock, ListsTakeTheParagraphsPlaceAndUndoInOneStep) {
    const QString original = h.html();
    selectParagraphs(QStringLiteral("#one"), QStringLiteral("#two"));
    EXPECT_EQ(h.flags(2184) & kStateBits, 0u);
    EXPECT_EQ(h.exec(2184), S_OK);
    EXPECT_EQ(h.run(QStringLiteral("document.querySelector('ol').parentElement.tagName")).toString(),
              QStringLiteral("BODY"))
        << h.html().toStdString();
    EXPECT_EQ(h.count(QStringLiteral("ol > li")), 2);
    EXPECT_EQ(h.count(QStringLiteral("p:empty")), 0);
    EXPECT_EQ(h.flags(2184) & kStateBits, OLECMDF_LATCHED);
    EXPECT_EQ(h.flags(2185) & kStateBits, 0u);
    EXPECT_EQ(h.value(2234), Variant::fromString(QStringLiteral("Numbered List")));

    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.html(), original);
    EXPECT_EQ(h.exec(29), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("body > ol > li")), 2);
}

TEST_F(ChromiumEngineBlock, OutdentIsOnlyOfferedWhereThereIsSomethingToOutdent) {
    h.placeCaretAtEndOf(QStringLiteral("#one"));
    EXPECT_EQ(h.flags(2187), OLECMDF_SUPPORTED);
    EXPECT_EQ(h.exec(2186), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("blockquote #one")), 1);
    EXPECT_EQ(h.flags(2187), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.exec(2187), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("blockquote")), 0);
}

} // namespace
