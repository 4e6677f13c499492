// Inserting elements on the real engine: each insert replaces the selection with its element,
// and one undo takes it back.

#include "EngineHarness.h"

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;

namespace {

const QByteArray kPage = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>"
                         "<p id=\"text\">alpha beta gamma</p><p id=\"other\">other</p></body></html>";

struct InsertCase {
    const char* name;
    quint32 cmd;
    const char* argument; // null: none
    const char* selector; // the element the insert makes
};

class ChromiumEngineInsert : public testing::TestWithParam<InsertCase> {};

TEST_P(ChromiumEngineInsert, ReplacesTheSelectionAndUndoesInOneStep) {
    const InsertCase& c = GetParam();
    EngineHarness h;
    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), kPage)));
    const QString original = h.html();
    h.selectText(QStringLiteral("#text"), 6, 10);
    ASSERT_EQ(h.flags(c.cmd), OLECMDF_SUPPORTED | OLECMDF_ENABLED);

    const Variant argument = c.argument ? Variant::fromString(QString::fromUtf8(c.argument)) : Variant();
    EXPECT_EQ(h.exec(c.cmd, argument), S_OK);
    const QString selector = QString::fromUtf8(c.selector);
    EXPECT_EQ(h.count(selector), 1) << h.html().toStdString();
    EXPECT_FALSE(h.bodyText().contains(QStringLiteral("beta"))) << "the selection is replaced";
    EXPECT_EQ(h.count(QStringLiteral("[data-lw-insert]")), 0);
    EXPECT_EQ(h.engine->isDirty(), S_OK);

    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.count(selector), 0);
    EXPECT_EQ(h.html(), original);
}

INSTANTIATE_TEST_SUITE_P(Elements, ChromiumEngineInsert,
                         testing::Values(InsertCase{"image", 2168, "pic.png", "p img[src='pic.png']"},
                                         InsertCase{"horizontalLine", 2150, nullptr, "body > hr"},
                                         InsertCase{"button", 2167, nullptr, "button[type=button]"},
                                         InsertCase{"checkBox", 2163, nullptr, "input[type=checkbox]"},
                                         InsertCase{"radioButton", 2164, nullptr, "input[type=radio]"},
                                         InsertCase{"textBox", 2161, nullptr, "input[type=text]"},
                                         InsertCase{"textArea", 2162, nullptr, "textarea"},
                                         InsertCase{"dropDownBox", 2165, nullptr, "select:not([size])"},
                                         InsertCase{"listBox", 2166, nullptr, "select[size]"},
                                         InsertCase{"inlineFrame", 2158, nullptr, "iframe"},
                                         InsertCase{"fieldSet", 2119, nullptr, "body > fieldset"},
                                         InsertCase{"object", 25, "movie.swf", "object[data='movie.swf']"},
                                         InsertCase{"buttonInput", 2115, nullptr, "input[type=button]"},
                                         InsertCase{"hiddenInput", 2312, nullptr, "input[type=hidden]"},
                                         InsertCase{"imageInput", 2114, nullptr, "input[type=image]"},
                                         InsertCase{"passwordInput", 2313, nullptr, "input[type=password]"},
                                         InsertCase{"resetInput", 2116, nullptr, "input[type=reset]"},
                                         InsertCase{"submitInput", 2117, nullptr, "input[type=submit]"},
                                         InsertCase{"fileInput", 2118, nullptr, "input[type=file]"}),
                         [](const testing::TestParamInfo<InsertCase>& info) {
                             return std::string(info.param.name);
                         });

class ChromiumEngineInsertSpecial : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), kPage))); }
    EngineHarness h;
};

TEST_F(ChromiumEngineInsertSpecial, AMarqueeCarriesTheSelection) {
    h.selectText(QStringLiteral("#text"), 6, 10);
    EXPECT_EQ(h.exec(2182), S_OK);
    EXPECT_EQ(h.html(QStringLiteral("#text")),
              QStringLiteral("alpha&nbsp;<marquee>beta</marquee>&nbsp;gamma"));
}

TEST_F(ChromiumEngineInsertSpecial, AParagraphSplitsWhereTheSelectionWas) {
    h.selectText(QStringLiteral("#text"), 6, 11);
    EXPECT_EQ(h.exec(2180), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("p")), 3);
    EXPECT_FALSE(h.bodyText().contains(QStringLiteral("beta")));
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("p")), 2);
}

TEST_F(ChromiumEngineInsertSpecial, SourcesAreEscapedAndLocalFilesReferredToFromThePage) {
    h.selectText(QStringLiteral("#text"), 0, 5);
    const QString tricky = QStringLiteral("x\" onerror=\"alert(1)<b>.png");
    EXPECT_EQ(h.exec(2168, Variant::fromString(tricky)), S_OK);
    EXPECT_EQ(h.run(QStringLiteral("document.querySelector('img').getAttribute('src')")).toString(), tricky);
    EXPECT_EQ(h.count(QStringLiteral("img[onerror], b")), 0);

    h.selectText(QStringLiteral("#other"), 0, 5);
    EXPECT_EQ(h.exec(2168, Variant::fromString(h.scratch.file(QStringLiteral("pics/a b.png")))), S_OK);
    EXPECT_EQ(h.run(QStringLiteral("document.querySelector('#other img').getAttribute('src')")).toString(),
              QStringLiteral("pics/a%20b.png"));
}

TEST_F(ChromiumEngineInsertSpecial, AnObjectTheEngineWouldDropIsPutInPlaceByHandAndUndoneInOneStep) {
    const QString original = h.html();
    h.selectText(QStringLiteral("#text"), 0, 5);
    EXPECT_EQ(h.exec(25, Variant::fromString(QStringLiteral("movie.swf"))), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("#text > object[data='movie.swf']")), 1) << h.html().toStdString();
    EXPECT_FALSE(h.bodyText().contains(QStringLiteral("alpha")));
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.html(), original);
    EXPECT_EQ(h.exec(29), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("object")), 1);
}

TEST_F(ChromiumEngineInsertSpecial, NothingIsInsertedOutsideDesignMode) {
    h.engine->setDesignMode(false);
    h.selectText(QStringLiteral("#text"), 6, 10);
    EXPECT_EQ(h.flags(2150), OLECMDF_SUPPORTED);
    EXPECT_EQ(h.exec(2150), OLECMDERR_E_DISABLED);
    EXPECT_EQ(h.count(QStringLiteral("hr")), 0);
}

} // namespace
