// Character formatting and links on the real engine: values and states of selections whose
// text agrees or differs, remove format, and linking.

#include "EngineHarness.h"

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;

namespace {

const QByteArray kPage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>"
    "<p id=\"mixed\">plain <b>bold</b> <font face=\"Georgia\" size=\"5\" color=\"#ff0000\">big</font></p>"
    "<p id=\"formatted\"><b><i>bold italic</i></b> and <u>underlined</u></p>"
    "<p id=\"linked\">see <a href=\"http://example.com/\">the example</a> here</p>"
    "</body></html>";

class ChromiumEngineCharacter : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), kPage))); }
    EngineHarness h;
};

TEST_F(ChromiumEngineCharacter, TextThatDiffersIsNinchedAndHasNoValue) {
    h.select(QStringLiteral("#mixed"));
    EXPECT_EQ(h.flags(52), OLECMDF_SUPPORTED | OLECMDF_ENABLED | OLECMDF_NINCHED);
    EXPECT_EQ(h.flags(56), OLECMDF_SUPPORTED | OLECMDF_ENABLED)
        << "no italic anywhere: neither latched nor ninched";
    EXPECT_EQ(h.value(19), Variant::null());
    EXPECT_EQ(h.value(18), Variant::null());
    EXPECT_EQ(h.value(55), Variant::null());

    h.select(QStringLiteral("#mixed font"));
    EXPECT_EQ(h.flags(52), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.value(19), Variant::fromI4(5));
    EXPECT_EQ(h.value(18), Variant::fromString(QStringLiteral("Georgia")));
    EXPECT_EQ(h.value(55), Variant::fromI4(0x0000FF));

    h.select(QStringLiteral("#mixed b"));
    EXPECT_EQ(h.flags(52), OLECMDF_SUPPORTED | OLECMDF_ENABLED | OLECMDF_LATCHED);
}

TEST_F(ChromiumEngineCharacter, StylesOfNestedElementsAllLatch) {
    h.select(QStringLiteral("#formatted i"));
    for (quint32 cmd : {52u, 56u})
        EXPECT_EQ(h.flags(cmd) & (OLECMDF_LATCHED | OLECMDF_NINCHED), OLECMDF_LATCHED) << cmd;
    EXPECT_EQ(h.flags(63) & (OLECMDF_LATCHED | OLECMDF_NINCHED), 0u);
    h.select(QStringLiteral("#formatted"));
    EXPECT_EQ(h.flags(63) & (OLECMDF_LATCHED | OLECMDF_NINCHED), OLECMDF_NINCHED);
}

TEST_F(ChromiumEngineCharacter, SizeSetOnMixedTextReadsBackForAllOfIt) {
    h.select(QStringLiteral("#mixed"));
    EXPECT_EQ(h.exec(19, Variant::fromI4(3)), S_OK);
    EXPECT_EQ(h.value(19), Variant::fromI4(3));
}

TEST_F(ChromiumEngineCharacter, RemoveFormatNeedsSelectedTextAndClearsIt) {
    h.placeCaretAtEndOf(QStringLiteral("#formatted"));
    EXPECT_EQ(h.flags(2230), OLECMDF_SUPPORTED);
    h.select(QStringLiteral("#formatted"));
    EXPECT_EQ(h.flags(2230), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.exec(2230), S_OK);
    EXPECT_EQ(h.html(QStringLiteral("#formatted")), QStringLiteral("bold italic and underlined"));
}

TEST_F(ChromiumEngineCharacter, HyperlinkLinksTheSelectionAndAnEmptyAddressUnlinks) {
    h.selectText(QStringLiteral("#mixed"), 0, 5);
    EXPECT_EQ(h.flags(2125), OLECMDF_SUPPORTED) << "nothing to unlink";
    EXPECT_EQ(h.exec(2124, Variant::fromString(QStringLiteral("http://a.example/?x=1&y=\"2\""))), S_OK);
    EXPECT_EQ(h.run(QStringLiteral("document.querySelector('#mixed a').getAttribute('href')")).toString(),
              QStringLiteral("http://a.example/?x=1&y=\"2\""));
    EXPECT_EQ(h.run(QStringLiteral("document.querySelector('#mixed a').textContent")).toString(),
              QStringLiteral("plain"));

    EXPECT_EQ(h.flags(2125), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.exec(2124, Variant::fromString(QString())), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("#mixed a")), 0);
}

TEST_F(ChromiumEngineCharacter, ACaretInALinkUnlinksOrRelinksTheWholeLink) {
    h.selectText(QStringLiteral("#linked a"), 3, 3);
    EXPECT_EQ(h.flags(2125), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.exec(2124, Variant::fromString(QStringLiteral("http://other.example/"))), S_OK);
    EXPECT_EQ(h.html(QStringLiteral("#linked")),
              QStringLiteral("see <a href=\"http://other.example/\">the example</a> here"));
    h.selectText(QStringLiteral("#linked a"), 3, 3);
    EXPECT_EQ(h.exec(2125), S_OK);
    EXPECT_EQ(h.html(QStringLiteral("#linked")), QStringLiteral("see the example here"));
}

} // namespace
