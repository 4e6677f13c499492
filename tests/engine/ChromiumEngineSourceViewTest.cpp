// The page's markup as text: it is what a save writes, it opens at the selection, and markup
// written by the user becomes the page, at the page's address, saved exactly as written.

#include "EngineHarness.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;

namespace {

const QByteArray kPage =
    "<!DOCTYPE html>\r\n<html><head><meta charset=windows-1252><title>T</title></head>\r\n<body>\r\n"
    "<p id=a class='x'>caf\xe9 &amp; &#187;</p>\r\n<p id=e>edit here</p>\r\n<img id=i src=dot.png>\r\n"
    "</body>\r\n</html>\r\n";

// A one-pixel PNG.
const QByteArray kDot = QByteArray::fromBase64(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg==");

QString decoded1252(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder(bytes);
}

TEST(ChromiumEngineSourceView, TheTextIsWhatASaveWritesAndOpensAtTheSelection) {
    EngineHarness h;
    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), kPage)));
    h.selectText(QStringLiteral("#e"), 2, 2);
    PageSourceText source;
    ASSERT_EQ(h.engine->sourceText(source), S_OK);
    EXPECT_EQ(source.text, decoded1252(kPage));
    EXPECT_EQ(source.selectionStart, source.text.indexOf(QStringLiteral("edit here")));
    // Showing the text changes nothing.
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);

    // An edit shows in the text; a selection over two paragraphs selects both in it.
    h.selectText(QStringLiteral("#e"), 4, 4);
    h.engine->focus();
    h.type(QStringLiteral("X"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.engine->isDirty() == S_OK; }));
    h.run(QStringLiteral("(() => { const r = document.createRange();"
                         " r.setStart(document.querySelector('#a').firstChild, 1);"
                         " r.setEnd(document.querySelector('#e').firstChild, 2);"
                         " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return 1; })()"));
    h.settle();
    ASSERT_EQ(h.engine->sourceText(source), S_OK);
    EXPECT_TRUE(source.text.contains(QStringLiteral("<p id=e>editX here</p>")));
    EXPECT_EQ(source.text.mid(source.selectionStart, source.selectionEnd - source.selectionStart),
              QStringLiteral("<p id=a class='x'>caf\u00e9 &amp; &#187;</p>\r\n<p id=e>editX here</p>"));
    EXPECT_EQ(h.engine->isDirty(), S_OK);
    EXPECT_EQ(h.save(), h.engine->encodeSource(source.text));
}

TEST(ChromiumEngineSourceView, MarkupWrittenAsTextBecomesThePageSavedAsWritten) {
    EngineHarness h;
    h.writePage(QStringLiteral("dot.png"), kDot);
    const QString path = h.writePage(QStringLiteral("page.html"), kPage);
    ASSERT_TRUE(h.loadEditable(path));
    PageSourceText source;
    ASSERT_EQ(h.engine->sourceText(source), S_OK);

    // Invalid markup stays as typed; the caret goes to the element written where it was.
    QString text = source.text;
    text.replace(QStringLiteral("<p id=e>edit here</p>"),
                 QStringLiteral("<P id=new>new <b>bold</i></b>\u20ac<p id=e>edit here</p>"));
    const qsizetype caret = text.indexOf(QStringLiteral("new <b>"));
    ASSERT_TRUE(h.loadSourceEditable(text, caret, true));
    EXPECT_EQ(h.engine->url(), QUrl::fromLocalFile(path));
    const QString caretElement = QStringLiteral(
        "(n => (n.nodeType === 1 ? n : n.parentElement).closest('[id]').id)(document.getSelection().anchorNode)");
    EXPECT_EQ(h.run(caretElement).toString(), QStringLiteral("new"));
    // The page's address still finds what lies beside its file.
    EXPECT_TRUE(lwtest::waitFor(
        [&] { return h.run(QStringLiteral("document.querySelector('#i').naturalWidth")).toInt() == 1; }));
    EXPECT_EQ(h.engine->isDirty(), S_OK);
    const QByteArray written = h.engine->encodeSource(text);
    EXPECT_TRUE(written.contains("\x80<p id=e>")) << "the euro sign is in the page's own encoding";
    EXPECT_EQ(h.save(), written);
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);

    // The new page takes the keyboard with the caret where it was put, and an edit keeps the
    // rest of what was written.
    h.engine->focus();
    h.settle();
    EXPECT_EQ(h.run(caretElement).toString(), QStringLiteral("new"));
    h.type(QStringLiteral("Y"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.engine->isDirty() == S_OK; }));
    QByteArray expected = written;
    expected.replace("<P id=new>new", "<P id=new>Ynew");
    EXPECT_EQ(h.save(), expected);

    // Markup past what the engine takes at once is refused, leaving the page as it is.
    EXPECT_EQ(h.engine->loadSource(text + QString(3 * 1024 * 1024, QLatin1Char('x')), 0, true), E_FAIL);
    EXPECT_EQ(h.count(QStringLiteral("#new")), 1);
}

TEST(ChromiumEngineSourceView, MarkupForANewDocumentIsNotReplacedByTheNewPage) {
    EngineHarness h;
    ASSERT_TRUE(h.loadEditable(QStringLiteral("about:blank")));
    const QString text = QStringLiteral("<p id=mine>typed</p>");
    ASSERT_TRUE(h.loadSourceEditable(text, 0, true));
    EXPECT_EQ(h.count(QStringLiteral("#mine")), 1);
    EXPECT_EQ(h.engine->isDirty(), S_OK);
}

} // namespace
