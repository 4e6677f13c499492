// Tables and the image, link and page properties on the real engine, through the page's own
// context menu and its dialogs (answered by a script): each change has the expected markup
// and one undo takes it back.

#include "EngineHarness.h"
#include "ScriptedDialogs.h"
#include "engine/chromium/OwnCommands.h"

#include <QMenu>

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;
using lwtest::ScriptedDialogs;

namespace {

class ChromiumEngineTable : public testing::Test {
protected:
    bool load(const QByteArray& body, const QByteArray& head = "<meta charset=\"utf-8\">") {
        h.engine->setDialogProvider(dialogs);
        return h.loadEditable(h.writePage(QStringLiteral("page.html"), "<!DOCTYPE html><html><head>" + head +
                                                                            "</head><body>" + body + "</body></html>"));
    }

    // The table's rows as the texts of their cells ("_" for an empty one), with spans.
    QString shape() {
        return h
            .run(QStringLiteral(
                "Array.from(document.querySelector('table').rows).map((row) => Array.from(row.cells).map((cell) =>"
                " (cell.textContent || '_') + (cell.colSpan > 1 ? ':c' + cell.colSpan : '') +"
                " (cell.rowSpan > 1 ? ':r' + cell.rowSpan : '')).join(',')).join('|')"))
            .toString();
    }

    // Selects from the start of one cell's text to the end of another's.
    void selectAcross(const QString& from, const QString& to) {
        h.run(QStringLiteral("(() => { const r = document.createRange();"
                             " r.setStart(document.querySelector(%1).firstChild, 0);"
                             " const end = document.querySelector(%2).firstChild; r.setEnd(end, end.length);"
                             " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return 1; })()")
                  .arg(scriptLiteral(from), scriptLiteral(to)));
        h.settle();
    }

    void selectElement(const QString& selector) {
        h.run(QStringLiteral("(() => { const r = document.createRange(); r.selectNode(document.querySelector(%1));"
                             " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return 1; })()")
                  .arg(scriptLiteral(selector)));
        h.settle();
    }

    QAction* menuAction(QMenu& menu, quint32 cmd) {
        for (QAction* action : menu.findChildren<QAction*>()) {
            if (action->data().toUInt() == cmd)
                return action;
        }
        return nullptr;
    }

    EngineHarness h;
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
};

const QByteArray kGrid = "<p id=\"before\">before</p><table><tbody><tr><td id=\"a\">a</td><td id=\"b\">b</td></tr>"
                         "<tr><td id=\"c\">c</td><td id=\"d\">d</td></tr></tbody></table>";

struct TableCase {
    const char* name;
    QByteArray body;
    const char* caret;
    quint32 cmd;
    const char* shape;
};

class ChromiumEngineTableEdit : public ChromiumEngineTable, public testing::WithParamInterface<TableCase> {};

TEST_P(ChromiumEngineTableEdit, ChangesTheGridAndUndoesInOneStep) {
    const TableCase& c = GetParam();
    ASSERT_TRUE(load(c.body));
    const QString original = h.html();
    h.placeCaretAtEndOf(QString::fromUtf8(c.caret));
    ASSERT_EQ(h.flags(c.cmd), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.exec(c.cmd), S_OK);
    EXPECT_EQ(shape(), QString::fromUtf8(c.shape)) << h.html().toStdString();
    EXPECT_EQ(h.count(QStringLiteral("thead td, tbody th")), 0) << "header cells stay in the header";
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.html(), original);
}

const QByteArray kSpanned = "<table><tbody><tr><td id=\"a\" colspan=\"2\">a</td></tr>"
                            "<tr><td id=\"c\">c</td><td id=\"d\">d</td></tr></tbody></table>";
const QByteArray kTall = "<table><tbody><tr><td id=\"a\" rowspan=\"2\">a</td><td id=\"b\">b</td></tr>"
                         "<tr><td id=\"d\">d</td></tr></tbody></table>";
const QByteArray kHeaded = "<table><thead><tr><th id=\"h\">h</th><th>i</th></tr></thead>"
                           "<tbody><tr><td id=\"c\">c</td><td>d</td></tr></tbody></table>";

INSTANTIATE_TEST_SUITE_P(
    Grid, ChromiumEngineTableEdit,
    testing::Values(TableCase{"rowAbove", kGrid, "#c", owncmd::kInsertRowAbove, "a,b|_,_|c,d"},
                    TableCase{"rowBelow", kGrid, "#a", owncmd::kInsertRowBelow, "a,b|_,_|c,d"},
                    TableCase{"columnLeft", kGrid, "#b", owncmd::kInsertColumnLeft, "a,_,b|c,_,d"},
                    TableCase{"columnRight", kGrid, "#b", owncmd::kInsertColumnRight, "a,b,_|c,d,_"},
                    TableCase{"deleteRow", kGrid, "#a", owncmd::kDeleteRow, "c,d"},
                    TableCase{"deleteColumn", kGrid, "#a", owncmd::kDeleteColumn, "b|d"},
                    TableCase{"columnThroughASpan", kSpanned, "#c", owncmd::kInsertColumnRight, "a:c3|c,_,d"},
                    TableCase{"rowUnderASpan", kSpanned, "#a", owncmd::kInsertRowBelow, "a:c2|_,_|c,d"},
                    TableCase{"deleteTheRowATallCellStartsIn", kTall, "#b", owncmd::kDeleteRow, "a,d"},
                    TableCase{"rowBelowTheHeader", kHeaded, "#h", owncmd::kInsertRowBelow, "h,i|_,_|c,d"},
                    TableCase{"splitASpan", kSpanned, "#a", owncmd::kSplitCell, "a,_|c,d"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChromiumEngineTable, InsertedTableHasItsRowsHeaderAndWidthAndIsSavedWithThePage) {
    ASSERT_TRUE(load("<p id=\"text\">text</p>"));
    h.placeCaretAtEndOf(QStringLiteral("#text"));
    dialogs->tableAnswer = TableChoice{3, 2, true, QStringLiteral("50%")};
    EXPECT_EQ(h.exec(owncmd::kInsertTable), S_OK);
    EXPECT_EQ(shape(), QStringLiteral("_,_|_,_|_,_"));
    EXPECT_EQ(h.count(QStringLiteral("table[border='1'] > thead > tr > th")), 2);
    EXPECT_EQ(h.count(QStringLiteral("table > tbody > tr > td")), 4);
    EXPECT_EQ(h.run(QStringLiteral("document.querySelector('table').style.width")).toString(), QStringLiteral("50%"));
    EXPECT_EQ(h.run(QStringLiteral("(n => !!(n.nodeType === 1 ? n : n.parentElement).closest('th'))(getSelection().anchorNode)")).toBool(), true)
        << "the caret goes into the first cell";
    const QByteArray saved = h.save();
    EXPECT_TRUE(saved.contains("<th><br></th><th><br></th></tr></thead>")) << saved.constData();

    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("table")), 0);

    dialogs->tableAnswer = TableChoice{0, 2, false, QString()};
    EXPECT_EQ(h.exec(owncmd::kInsertTable), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("table")), 0) << "a table without rows is refused";
}

TEST_F(ChromiumEngineTable, MergeTakesTheRectangleBetweenTwoCellsAndSplitGivesItsCellsBack) {
    ASSERT_TRUE(load(kGrid));
    h.placeCaretAtEndOf(QStringLiteral("#a"));
    EXPECT_FALSE(h.flags(owncmd::kMergeCells) & OLECMDF_ENABLED);
    selectAcross(QStringLiteral("#a"), QStringLiteral("#c"));
    ASSERT_EQ(h.flags(owncmd::kMergeCells), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.exec(owncmd::kMergeCells), S_OK);
    EXPECT_EQ(shape(), QStringLiteral("ac:r2,b|d"));
    EXPECT_EQ(h.count(QStringLiteral("#a br")), 1) << "merged contents stay apart";
    EXPECT_EQ(h.exec(owncmd::kSplitCell), S_OK);
    EXPECT_EQ(shape(), QStringLiteral("ac,b|_,d"));
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(shape(), QStringLiteral("ac:r2,b|d"));


    // The rectangle grows over a cell that reaches out of it.
    selectAcross(QStringLiteral("#a"), QStringLiteral("#b"));
    EXPECT_EQ(h.exec(owncmd::kMergeCells), S_OK);
    EXPECT_EQ(shape(), QStringLiteral("acbd:c2")) << "the row left empty goes";
}

TEST_F(ChromiumEngineTable, TheContextMenuOffersWhatTheClickedPlaceAllowsAndRunsIt) {
    ASSERT_TRUE(load(kGrid));
    h.placeCaretAtEndOf(QStringLiteral("#before"));
    std::unique_ptr<QMenu> outside(h.engine->createContextMenu(nullptr));
    EXPECT_FALSE(menuAction(*outside, owncmd::kInsertRowBelow)->isEnabled());
    EXPECT_TRUE(menuAction(*outside, owncmd::kInsertTable)->isEnabled());
    EXPECT_TRUE(menuAction(*outside, owncmd::kPageProperties)->isEnabled());
    EXPECT_FALSE(menuAction(*outside, owncmd::kImageProperties)->isEnabled());
    EXPECT_NE(menuAction(*outside, 15), nullptr);

    h.placeCaretAtEndOf(QStringLiteral("#d"));
    std::unique_ptr<QMenu> inCell(h.engine->createContextMenu(nullptr));
    QAction* deleteTable = menuAction(*inCell, owncmd::kDeleteTable);
    ASSERT_TRUE(deleteTable->isEnabled());
    deleteTable->trigger();
    h.settle();
    EXPECT_EQ(h.count(QStringLiteral("table")), 0);
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("td")), 4);
}

TEST_F(ChromiumEngineTable, ImagePropertiesRoundTripAndRefuseAScriptSource) {
    ASSERT_TRUE(load("<p>an <img id=\"i\" src=\"x.png\" width=\"20\" height=\"10\" alt=\"X\"> image</p>"));
    selectElement(QStringLiteral("#i"));
    const QString original = h.html();
    dialogs->imagePropertiesAnswer =
        ImageProperties{QStringLiteral("javascript:alert(1)"), QStringLiteral("Y"), {}, {}, 0, 0, {}, {}};
    EXPECT_EQ(h.exec(owncmd::kImageProperties), S_OK);
    EXPECT_EQ(dialogs->imagePropertiesAskedWith.width, QStringLiteral("20"));
    EXPECT_EQ(dialogs->imagePropertiesAskedWith.alternateText, QStringLiteral("X"));
    EXPECT_EQ(h.html(), original);

    selectElement(QStringLiteral("#i"));
    dialogs->imagePropertiesAnswer = ImageProperties{QStringLiteral("sub/y.png"),
                                                     QStringLiteral("a \"quoted\" <b>"),
                                                     QStringLiteral("40"),
                                                     QStringLiteral("20"),
                                                     0,
                                                     0,
                                                     QStringLiteral("left"),
                                                     QStringLiteral("1")};
    EXPECT_EQ(h.exec(owncmd::kImageProperties), S_OK);
    EXPECT_EQ(h.html(QStringLiteral("p")),
              QStringLiteral("an <img id=\"i\" src=\"sub/y.png\" width=\"40\" height=\"20\" alt=\"a &quot;quoted&quot; "
                             "<b>\" align=\"left\" border=\"1\"> image"));
    selectElement(QStringLiteral("#i"));
    dialogs->imagePropertiesAnswer = std::nullopt;
    EXPECT_EQ(h.exec(owncmd::kImageProperties), S_OK);
    EXPECT_EQ(dialogs->imagePropertiesAskedWith.source, QStringLiteral("sub/y.png"));
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.html(), original);
}

TEST_F(ChromiumEngineTable, LinkPropertiesSetAddressTitleAndTargetOrRemoveTheLink) {
    ASSERT_TRUE(load("<p id=\"p\">see <a href=\"http://old.example/\">the link</a> here</p>"));
    h.selectText(QStringLiteral("#p a"), 2, 2);
    const QString original = h.html();
    dialogs->linkPropertiesAnswer = LinkProperties{QStringLiteral(" JavaScript:alert(1)"), {}, {}, false};
    EXPECT_EQ(h.exec(owncmd::kLinkProperties), S_OK);
    EXPECT_EQ(dialogs->linkPropertiesAskedWith.address, QStringLiteral("http://old.example/"));
    EXPECT_EQ(h.html(), original);

    h.selectText(QStringLiteral("#p a"), 2, 2);
    dialogs->linkPropertiesAnswer =
        LinkProperties{QStringLiteral("http://new.example/"), QStringLiteral("New"), QStringLiteral("_blank"), false};
    EXPECT_EQ(h.exec(owncmd::kLinkProperties), S_OK);
    EXPECT_EQ(h.html(QStringLiteral("#p")),
              QStringLiteral("see <a href=\"http://new.example/\" title=\"New\" target=\"_blank\">the link</a> here"));

    h.selectText(QStringLiteral("#p a"), 2, 2);
    dialogs->linkPropertiesAnswer = LinkProperties{{}, {}, {}, true};
    EXPECT_EQ(h.exec(owncmd::kLinkProperties), S_OK);
    EXPECT_EQ(h.html(QStringLiteral("#p")), QStringLiteral("see the link here"));
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("a[title=New]")), 1);
}

TEST_F(ChromiumEngineTable, PagePropertiesChangeOnlyTheHeadElementsTheyName) {
    const QByteArray body = "<p  class=x>Keep   this</p>\n";
    ASSERT_TRUE(load(body, "<meta charset=\"utf-8\"><title>Old</title><meta name=\"keywords\" content=\"k\">"));
    h.placeCaretAtEndOf(QStringLiteral("p"));
    dialogs->pagePropertiesAnswer = PageProperties{QStringLiteral("New & improved"),
                                                   QStringLiteral("fr"),
                                                   QStringLiteral("utf-8"),
                                                   {},
                                                   QStringLiteral("About <this>"),
                                                   QStringLiteral("k"),
                                                   QStringLiteral("#ffffee"),
                                                   {}};
    EXPECT_EQ(h.exec(owncmd::kPageProperties), S_OK);
    EXPECT_EQ(dialogs->pagePropertiesAskedWith.title, QStringLiteral("Old"));
    EXPECT_EQ(dialogs->pagePropertiesAskedWith.loadedCharset, QStringLiteral("UTF-8"));
    const QByteArray saved = h.save();
    EXPECT_EQ(saved, QByteArray("<!DOCTYPE html><html lang=\"fr\"><head><meta charset=\"utf-8\"><title>New &amp; "
                                "improved</title><meta name=\"keywords\" content=\"k\"><meta name=\"description\" "
                                "content=\"About <this>\"></head><body bgcolor=\"#ffffee\">") +
                         body + "</body></html>");
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.run(QStringLiteral("document.title")).toString(), QStringLiteral("Old"));
    EXPECT_EQ(h.count(QStringLiteral("meta[name=description], html[lang], body[bgcolor]")), 0);
}

} // namespace
