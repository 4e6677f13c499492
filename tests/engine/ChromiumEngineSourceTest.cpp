// Saving keeps the page's own bytes: an unedited page comes back byte for byte, and an edit
// rewrites only the elements it touched, whatever the page's encoding, line endings, quoting
// or case; where the engine reads a page otherwise than its bytes say, nothing is lost.

#include "EngineHarness.h"

#include <QSignalSpy>
#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;

namespace {

struct KeptPage {
    const char* name;
    QByteArray bytes;
    // Whether the bytes stay in their encoding once edited (a UTF-16 page is written as UTF-8).
    bool editable = true;
};

QByteArray utf16(const QString& text) {
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder(text);
}

TEST(ChromiumEngineSource, UneditedPagesSaveAsLoadedAndATypedLetterChangesOnlyItsText) {
    const KeptPage pages[] = {
        {"entitiesQuotingCommentsAndCase",
         "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<HTML>\n<HEAD><TITLE>T &amp; t</TITLE>\n"
         "<META http-equiv=Content-Type content='text/html; charset=utf-8'></HEAD>\n<BODY BGCOLOR=#ffffff>\n"
         "<!-- a comment -->\n<P CLASS='x' hidden>caf&eacute; &#187; &para;&nbsp;&rsquo;&ndash; "
         "<a href='mailto:&#109;&#101;&#64;x.org'>mail</a><br/>\n<p id=e>edit here</p>\n"
         "<pre>  two  spaces</pre>\n</BODY>\n</HTML>\n\n"},
        {"crlfAndUnclosedParagraphsAndItems",
         "<html>\r\n<body>\r\n<ul>\r\n<li>one\r\n<li>two\r\n</ul>\r\n<p>first\r\n<p id=e>edit here<br>\r\n"
         "next line\r\n<p>third &amp; last\r\n</body>\r\n</html>\r\n"},
        {"windows1252", "<html><head><meta charset=windows-1252></head><body><p>caf\xe9 &eacute; \x80</p>"
                        "<p id=e>edit here</p></body></html>"},
        {"shiftJis", "<html><head><meta charset=\"shift_jis\"></head><body><p>\x93\xfa\x96\x7b\x8c\xea</p>"
                     "<p id=e>edit here</p></body></html>\n"},
        {"byteOrderMark",
         "\xef\xbb\xbf<!doctype html><html><head><meta charset=utf-8></head><body><p id=e>edit here</p>"
         "<p>\xc3\xa9</p></body></html>"},
        {"noStructureAtAll", "<title>bare</title>\n<p id=e>edit here</p>\n<!-- end -->\n"},
        // An empty link left open is opened again in every later block, and a link after it
        // closes it and moves the blocks it was open across.
        {"linkLeftOpen",
         "<html><body><div><h1><a id=\"top\"/>Title</h1>\n</div>\n<div class=toc>\n<p>Contents</p>\n"
         "<dl><dt><span><a href=\"#s\">Section</a></span></dt></dl>\n</div>\n<p id=e>edit here</p>\n"
         "</body></html>\n"},
        {"boldLeftOpenAcrossParagraphs",
         "<html><body><p><b>bold<p>still bold</b> plain</p>\n<b>open<div>block</b>\n<p id=e>edit here</p>"
         "</div>\n</body></html>\n"},
        {"utf16",
         utf16(QStringLiteral("<html><head><meta charset=\"utf-16\"></head><body>"
                              "<p id=e>edit here</p><p>caf\u00e9</p></body></html>")),
         false},
    };
    for (const KeptPage& page : pages) {
        SCOPED_TRACE(page.name);
        EngineHarness h;
        ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), page.bytes)));
        EXPECT_EQ(h.save(), page.bytes);
        if (!page.editable)
            continue;
        h.selectText(QStringLiteral("#e"), 9, 9);
        h.engine->focus();
        h.type(QStringLiteral("X"));
        ASSERT_TRUE(lwtest::waitFor([&] { return h.engine->isDirty() == S_OK; }));
        QByteArray expected = page.bytes;
        expected.replace("edit here", "edit hereX");
        const QByteArray edited = h.save();
        EXPECT_EQ(edited, expected) << edited.toStdString();
    }
}

// Pages whose bytes an edit cannot keep say why once read; an edit that makes a save write
// other bytes than the user changed asks before: a refused save writes nothing, an accepted one
// writes the whole page.
TEST(ChromiumEngineSource, WhatAnEditCannotKeepIsToldAndAskedBeforeTheSaveWritesIt) {
    using Kind = SourceLoss::Kind;
    const std::pair<QByteArray, SourceLoss> pages[] = {
        {"<html><head><meta charset=utf-8></head><body><p id=e>bad \xff byte</p></body></html>",
         {Kind::InvalidBytes, QStringLiteral("UTF-8")}},
        // The engine drops the NUL; a splice once cut a character off the end for each.
        {QByteArray("<html><head><meta charset=utf-8></head><body><p id=e>edit</p><p>a") + '\0' +
             "b</p></body></html>",
         {Kind::NulBytes, QStringLiteral("UTF-8")}},
        {utf16(QStringLiteral(
             "<html><head><meta charset=\"utf-16\"></head><body><p id=e>edit</p></body></html>")),
         {Kind::UnwritableEncoding, QStringLiteral("UTF-16LE")}},
        {"<html><head><meta charset=windows-1252></head><body><p id=e>caf\xe9</p></body></html>",
         {Kind::CharactersOutsideEncoding, QStringLiteral("windows-1252")}},
    };
    for (const auto& [bytes, loss] : pages) {
        SCOPED_TRACE(loss.encoding.toStdString());
        EngineHarness h;
        QSignalSpy read(h.engine.get(), &IHtmlEngine::sourceRead);
        ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), bytes)));
        ASSERT_TRUE(lwtest::waitFor([&] { return read.count() > 0; }));
        // Only what typing brings in is unknown at the load.
        const bool typed = loss.kind == Kind::CharactersOutsideEncoding;
        EXPECT_EQ(h.engine->sourceLoss(), typed ? SourceLoss() : loss);
        QList<SourceLoss> asked;
        h.engine->sourceLossHook = [&](const SourceLoss& found) {
            asked << found;
            return !typed;
        };
        EXPECT_EQ(h.save(), bytes);
        h.selectText(QStringLiteral("#e"), 4, 4);
        h.run(QStringLiteral("document.execCommand('insertText', false, '\u03a9')"));
        ASSERT_TRUE(lwtest::waitFor([&] { return h.engine->isDirty() == S_OK; }));
        HRESULT hr = S_OK;
        const QByteArray saved = h.save(&hr);
        EXPECT_EQ(asked, QList<SourceLoss>{loss});
        if (typed) {
            EXPECT_EQ(hr, OLECMDERR_E_CANCELED);
            EXPECT_TRUE(saved.isEmpty());
            EXPECT_EQ(h.engine->isDirty(), S_OK);
        } else {
            EXPECT_EQ(hr, S_OK);
            EXPECT_TRUE(saved.contains("\xce\xa9") && saved.endsWith("</body></html>"))
                << saved.toStdString();
        }
    }
}

// The page's paragraphs, one to a line, as the file holds them.
const char* const kParagraphs[] = {
    "<P id=bold CLASS='a'>make &amp; this bold</P>\r\n",
    "<P id=block>to a heading &para;</P>\r\n",
    "<P id=insert>before&nbsp;the rule</P>\r\n",
    "<P id=from>delete from here</P>\r\n<P id=to>to here &#187; end</P>\r\n",
    "<P id=last title='keep'>untouched &copy;</P>\r\n",
};

QByteArray editedPage() {
    QByteArray page =
        "<!DOCTYPE html>\r\n<HTML>\r\n<HEAD><META CHARSET=utf-8><TITLE>Edits</TITLE></HEAD>\r\n<BODY>\r\n";
    for (const char* paragraph : kParagraphs)
        page += paragraph;
    return page + "</BODY>\r\n</HTML>\r\n";
}

TEST(ChromiumEngineSource, EditsRewriteOnlyWhatTheyTouchAndUndoingThemGivesTheFileBack) {
    EngineHarness h;
    const QByteArray original = editedPage();
    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), original)));
    const std::function<void()> edits[] = {
        [&] {
            h.selectText(QStringLiteral("#bold"), 0, 4);
            h.exec(52);
        },
        [&] {
            h.selectText(QStringLiteral("#block"), 0, 2);
            h.exec(2234, Variant::fromString(QStringLiteral("Heading 1")));
        },
        [&] {
            h.selectText(QStringLiteral("#insert"), 6, 6);
            h.exec(2150);
        },
        [&] {
            h.run(QStringLiteral(
                "(() => { const r = document.createRange();"
                " r.setStart(document.querySelector('#from').firstChild, 7);"
                " r.setEnd(document.querySelector('#to').firstChild, 3);"
                " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return 1; })()"));
            h.settle();
            h.exec(17);
        },
    };
    const QByteArray head =
        "<!DOCTYPE html>\r\n<HTML>\r\n<HEAD><META CHARSET=utf-8><TITLE>Edits</TITLE></HEAD>\r\n<BODY>\r\n";
    const QByteArray tail = QByteArray(kParagraphs[4]) + "</BODY>\r\n</HTML>\r\n";
    int done = 0;
    for (const auto& edit : edits) {
        edit();
        ++done;
        const QByteArray saved = h.save();
        SCOPED_TRACE(saved.toStdString());
        EXPECT_TRUE(saved.startsWith(head));
        EXPECT_TRUE(saved.endsWith(tail));
        // Paragraphs no edit has reached yet are still written as they were.
        for (int i = done; i < 4; ++i)
            EXPECT_TRUE(saved.contains(kParagraphs[i])) << "edit " << done << " rewrote paragraph " << i;
    }
    EXPECT_EQ(h.count(QStringLiteral("b, h1, hr")), 3);
    // New markup is written as the page writes its own: upper-case tags, single quotes.
    const QByteArray edited = h.save();
    EXPECT_TRUE(edited.contains("<B>make</B>") && edited.contains("<HR>") &&
                edited.contains("<H1 ID='block'>"))
        << edited.toStdString();

    for (int i = 0; i < 20 && (h.flags(43) & 2); ++i)
        h.exec(43);
    EXPECT_EQ(h.save(), original);
}

TEST(ChromiumEngineSource, APageTheEngineReadsOtherwiseThanItsBytesLosesNothing) {
    const QByteArray pages[] = {
        // The source parser knows menuitem as empty; the engine gives it content.
        "<HTML><HEAD><TITLE>Kept</TITLE></HEAD><BODY><div><menuitem>a</menuitem>b</div>\n"
        "<b>bold<p>mis</b>nested</p>\n<p id=e>edit here</p></BODY></HTML>",
        // An empty link that stays open is opened again around every later block.
        "<html><body><p><a id=\"x\"/>Title</p>\n<div>\n<p id=e>edit here</p>\n</div>\n"
        "<table>stray<tr><td>cell</table></body></html>",
    };
    for (const QByteArray& page : pages) {
        EngineHarness h;
        ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), page)));
        h.selectText(QStringLiteral("#e"), 9, 9);
        h.engine->focus();
        h.type(QStringLiteral("X"));
        ASSERT_TRUE(lwtest::waitFor([&] { return h.engine->isDirty() == S_OK; }));
        const QString text = h.bodyText();
        const QString markup = h.html();
        const QByteArray saved = h.save();
        ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("saved.html"), saved)));
        EXPECT_EQ(h.bodyText(), text) << saved.toStdString();
        EXPECT_EQ(h.html(), markup) << saved.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("edit hereX")));
    }
}

// Markup the engine would read back as another tree (a paragraph inside a paragraph) is caught
// by the check against the engine's parser: the save says the page's bytes were not kept.
TEST(ChromiumEngineSource, AnEditTheParserReadsOtherwiseIsNotPassedOffAsKeepingTheBytes) {
    EngineHarness h;
    ASSERT_TRUE(h.loadEditable(h.writePage(
        QStringLiteral("page.html"),
        "<html><head><meta charset=utf-8></head><body><p id=e>edit here</p><p>other</p></body></html>")));
    QList<SourceLoss> asked;
    h.engine->sourceLossHook = [&](const SourceLoss& found) {
        asked << found;
        return true;
    };
    h.run(QStringLiteral("document.querySelector('#e').appendChild(document.createElement('p')).textContent = 'in'"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.engine->isDirty() == S_OK; }));
    EXPECT_TRUE(h.save().contains("<p>in</p>"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].kind, SourceLoss::Kind::Unmatched);
}

} // namespace
