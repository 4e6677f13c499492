// Commands the host carries out, on the real engine: the engine's dialogs (answered by a
// scripted provider) and Silent, printing, print preview and page setup, find, the special
// pastes, and edit and browse mode.

#include "EngineHarness.h"
#include "ScriptedDialogs.h"

#include "engine/chromium/FindBar.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;
using lwtest::ScriptedDialogs;

namespace {

const QByteArray kPage = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>"
                         "<p id=\"one\">first para with <a href=\"http://old.example/\">a link</a></p>"
                         "<p id=\"two\">second Para, <i>italic</i> text</p>"
                         "<p id=\"three\">third para</p>"
                         "</body></html>";

class ChromiumEngineHost : public testing::Test {
protected:
    void SetUp() override {
        h.engine->setDialogProvider(dialogs);
        ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), kPage)));
    }

    QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    EngineHarness h;
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
};

TEST_F(ChromiumEngineHost, SilentShowsNoDialogAndTheCommandsDoNothing) {
    h.engine->setSilent(true);
    h.selectText(QStringLiteral("#three"), 0, 5);
    const QString before = h.html();
    for (quint32 cmd : {2124u, 2168u, 90u, 25u, 2003u, 2004u})
        EXPECT_EQ(h.exec(cmd), OLECMDERR_E_CANCELED) << cmd;
    EXPECT_EQ(dialogs->asked, 0);
    EXPECT_EQ(h.html(), before);

    h.engine->setSilent(false);
    dialogs->hyperlinkAnswer = QStringLiteral("http://new.example/");
    EXPECT_EQ(h.exec(2124), S_OK);
    EXPECT_EQ(dialogs->asked, 1);
    EXPECT_EQ(h.html(QStringLiteral("#three")),
              QStringLiteral("<a href=\"http://new.example/\">third</a> para"));
}

TEST_F(ChromiumEngineHost, TheHyperlinkDialogStartsFromTheLinkAndCancelChangesNothing) {
    h.selectText(QStringLiteral("#one a"), 2, 2);
    const QString before = h.html();
    EXPECT_EQ(h.exec(2124), S_OK);
    EXPECT_EQ(dialogs->hyperlinkAskedWith, QStringLiteral("http://old.example/"));
    EXPECT_EQ(h.html(), before);
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);
}

TEST_F(ChromiumEngineHost, TheImageDialogInsertsItsImageWhereTheSelectionWas) {
    h.selectText(QStringLiteral("#three"), 0, 5);
    dialogs->imageAnswer = ImageChoice{QStringLiteral("photo.jpg"), QStringLiteral("A \"photo\"")};
    EXPECT_EQ(h.exec(2168), S_OK);
    EXPECT_EQ(h.html(QStringLiteral("#three")),
              QStringLiteral("<img src=\"photo.jpg\" alt=\"A &quot;photo&quot;\">&nbsp;para"));

    h.run(QStringLiteral(
        "(() => { const r = document.createRange(); r.selectNode(document.querySelector('img'));"
        " getSelection().removeAllRanges(); getSelection().addRange(r); return 1; })()"));
    h.settle();
    dialogs->imageAnswer.reset();
    EXPECT_EQ(h.exec(2168), S_OK);
    EXPECT_EQ(dialogs->imageAskedWith,
              (ImageChoice{QStringLiteral("photo.jpg"), QStringLiteral("A \"photo\"")}));
    EXPECT_EQ(h.count(QStringLiteral("img")), 1);
}

TEST_F(ChromiumEngineHost, LocalFilesChosenForLinksAndImagesAreWrittenRelativeToThePage) {
    h.selectText(QStringLiteral("#three"), 0, 5);
    dialogs->hyperlinkAnswer = h.scratch.file(QStringLiteral("sub/next page.html"));
    EXPECT_EQ(h.exec(2124), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("#three a[href='sub/next%20page.html']")), 1) << h.html().toStdString();

    h.selectText(QStringLiteral("#two"), 0, 6);
    const QString beside = QFileInfo(h.scratch.file(QStringLiteral("page.html"))).absolutePath() + "/../pic.png";
    dialogs->imageAnswer = ImageChoice{beside, QStringLiteral("P")};
    EXPECT_EQ(h.exec(2168), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("#two img[src='../pic.png']")), 1) << h.html().toStdString();
}

TEST_F(ChromiumEngineHost, TheObjectDialogInsertsItsObject) {
    h.selectText(QStringLiteral("#three"), 0, 5);
    dialogs->objectAnswer =
        ObjectChoice{h.scratch.file(QStringLiteral("clip.mp4")), QStringLiteral("video/mp4")};
    EXPECT_EQ(h.exec(25), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("object[data='clip.mp4'][type='video/mp4']")), 1)
        << h.html().toStdString();
}

TEST_F(ChromiumEngineHost, TheFontDialogShowsTheSelectionAndSetsEverythingAsOneStep) {
    h.select(QStringLiteral("#two"));
    const QString before = h.html();
    FontChoice answer;
    answer.size = 6;
    answer.bold = true;
    answer.italic = false;
    answer.foreColor = 0x0000FFu;
    dialogs->fontAnswer = answer;
    EXPECT_EQ(h.exec(90), S_OK);

    EXPECT_EQ(dialogs->fontAskedWith.size, 3);
    EXPECT_EQ(dialogs->fontAskedWith.bold, false);
    EXPECT_EQ(dialogs->fontAskedWith.italic, std::nullopt) << "part of the selection is italic";
    EXPECT_EQ(h.value(19), Variant::fromI4(6));
    EXPECT_EQ(h.value(55), Variant::fromI4(0x0000FF));
    EXPECT_EQ(h.flags(52) & OLECMDF_LATCHED, OLECMDF_LATCHED);
    EXPECT_EQ(h.flags(56) & (OLECMDF_LATCHED | OLECMDF_NINCHED), 0u);

    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.html(), before);
}

TEST_F(ChromiumEngineHost, AStyleTickedInTheFontDialogCoversAPartlyStyledSelection) {
    h.select(QStringLiteral("#two"));
    ASSERT_EQ(h.flags(56) & OLECMDF_NINCHED, OLECMDF_NINCHED);
    FontChoice answer;
    answer.italic = true;
    dialogs->fontAnswer = answer;
    EXPECT_EQ(h.exec(90), S_OK);
    EXPECT_EQ(h.flags(56) & (OLECMDF_LATCHED | OLECMDF_NINCHED), OLECMDF_LATCHED) << h.html(QStringLiteral("#two")).toStdString();
}

TEST_F(ChromiumEngineHost, PrintingGoesToThePrinterTheDialogSetUpWithTheKeptPageLayout) {
    const QString pdf = h.scratch.file(QStringLiteral("out.pdf"));
    dialogs->pageSetupAnswer = [](QPrinter& printer) { printer.setPageOrientation(QPageLayout::Landscape); };
    EXPECT_EQ(h.exec(2004), S_OK);
    EXPECT_EQ(h.engine->pageLayout().orientation(), QPageLayout::Landscape);

    dialogs->printAnswer = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    QSignalSpy finished(h.engine.get(), &IHtmlEngine::printFinished);
    EXPECT_EQ(h.exec(27), S_OK);
    EXPECT_EQ(dialogs->printLayoutAskedWith.orientation(), QPageLayout::Landscape);
    ASSERT_TRUE(lwtest::waitFor([&] { return !finished.isEmpty(); }));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    const QByteArray written = readFile(pdf);
    EXPECT_TRUE(written.startsWith("%PDF"));
    // Text stays text (fonts, no page-sized pictures), on landscape pages.
    EXPECT_TRUE(written.contains("/Font"));
    EXPECT_FALSE(written.contains("/Subtype /Image"));
    EXPECT_TRUE(written.contains("/MediaBox [0 0 841.9")) << "not landscape A4";
}

TEST_F(ChromiumEngineHost, APrintDialogCancelledPrintsNothing) {
    QSignalSpy finished(h.engine.get(), &IHtmlEngine::printFinished);
    EXPECT_EQ(h.exec(27), S_OK);
    EXPECT_EQ(dialogs->asked, 1);
    h.settle();
    EXPECT_TRUE(finished.isEmpty());
}

TEST_F(ChromiumEngineHost, PrintPreviewDrawsACleanCopyOfThePage) {
    h.select(QStringLiteral("#two"));
    EXPECT_EQ(h.exec(2003), S_OK);
    ASSERT_TRUE(lwtest::waitFor([&] { return bool(dialogs->previewPaint); }));
    const QString pdf = h.scratch.file(QStringLiteral("preview.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    dialogs->previewPaint(&printer);
    EXPECT_GT(readFile(pdf).size(), 500);
    EXPECT_TRUE(readFile(pdf).startsWith("%PDF"));
}

TEST_F(ChromiumEngineHost, FindFindsAndHighlightsMatchesWithOrWithoutCase) {
    EXPECT_EQ(h.flags(67), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.exec(67), S_OK);
    FindBar* bar = h.engine->findBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());

    // What is typed into the bar is the bar's, never a key for the page or its host.
    int hooked = 0;
    h.engine->acceleratorHook = [&](QKeyEvent*) {
        ++hooked;
        return true;
    };
    QSignalSpy searched(bar, &FindBar::searched);
    QTest::keyClicks(bar->textField(), QStringLiteral("para"));
    EXPECT_EQ(bar->textField()->text(), QStringLiteral("para"));
    EXPECT_EQ(hooked, 0);
    h.engine->acceleratorHook = nullptr;
    ASSERT_TRUE(lwtest::waitFor([&] { return searched.size() == 4; })) << "a search for each key typed";
    const auto step = [&](const std::function<void()>& action) {
        searched.clear();
        action();
        return lwtest::waitFor([&] { return searched.size() == 1; });
    };
    EXPECT_EQ(bar->matchCount(), 3);
    EXPECT_EQ(bar->status(), QStringLiteral("1 of 3"));
    ASSERT_TRUE(step([&] { bar->findNext(); }));
    EXPECT_EQ(bar->activeMatch(), 2);
    ASSERT_TRUE(step([&] { bar->findPrevious(); }));
    EXPECT_EQ(bar->activeMatch(), 1);
    ASSERT_TRUE(step([&] { bar->findNext(); }));
    EXPECT_EQ(bar->status(), QStringLiteral("2 of 3"));

    ASSERT_TRUE(step([&] { bar->matchCaseBox()->setChecked(true); }));
    EXPECT_EQ(bar->matchCount(), 2);
    ASSERT_TRUE(step([&] {
        bar->textField()->setText(QStringLiteral("PARA"));
        bar->findNext();
    }));
    EXPECT_EQ(bar->status(), QStringLiteral("Not found"));

    ASSERT_TRUE(step([&] { bar->matchCaseBox()->setChecked(false); }));
    ASSERT_TRUE(step([&] { bar->findNext(); }));
    ASSERT_EQ(bar->activeMatch(), 2);
    bar->dismiss();
    EXPECT_FALSE(bar->isVisible());
    h.settle();
    EXPECT_EQ(h.run(QStringLiteral("getSelection().toString()")).toString(), QStringLiteral("Para"))
        << "the match shown last is selected for editing";
    EXPECT_EQ(h.run(QStringLiteral("getSelection().anchorNode.parentElement.id")).toString(),
              QStringLiteral("two"));
}

TEST_F(ChromiumEngineHost, PastingContentOnlyKeepsLinksAndListsButNoStyling) {
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral(
        "<div style=\"color:red\"><h2 align=\"center\"><b>Title</b></h2>"
        "<font face=\"Arial\">see <a href=\"http://x.example/\" style=\"color:red\">x</a></font>"
        "<ul class=\"c\"><li><span style=\"font-size:30px\">item</span></li></ul>"
        "<a id=\"evil\" href=\" java&#9;script:evil()\">run</a><img src=\"JavaScript:evil()\">"
        "<script>evil()</script></div>"));
    data->setText(QStringLiteral("Title see x item"));
    QGuiApplication::clipboard()->setMimeData(data);
    h.placeCaretAtEndOf(QStringLiteral("#three"));
    ASSERT_EQ(h.flags(2500), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.exec(2500), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("a[href='http://x.example/']")), 1);
    EXPECT_EQ(h.count(QStringLiteral("ul > li")), 1);
    EXPECT_EQ(h.count(QStringLiteral("b, font, h2, script, [style], [class], [align]")), 0)
        << h.html().toStdString();
    // Script addresses go, as a plain paste drops them.
    EXPECT_FALSE(h.html().contains(QStringLiteral("script:"), Qt::CaseInsensitive)) << h.html().toStdString();
    EXPECT_TRUE(h.bodyText().contains(QStringLiteral("Title")));
}

TEST_F(ChromiumEngineHost, PastingTextOnlyInsertsTheTextAsTyped) {
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral("<b>bold</b>"));
    data->setText(QStringLiteral("a  <b>\nline"));
    QGuiApplication::clipboard()->setMimeData(data);
    h.placeCaretAtEndOf(QStringLiteral("#three"));
    EXPECT_EQ(h.exec(2501), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("b")), 0);
    EXPECT_TRUE(h.bodyText().contains(QStringLiteral("a \u00a0<b>"))) << h.bodyText().toStdString();
    EXPECT_TRUE(h.bodyText().contains(QStringLiteral("line")));

    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(h.flags(2501), OLECMDF_SUPPORTED);
    EXPECT_EQ(h.engine->exec(2501, nullptr, nullptr), OLECMDERR_E_DISABLED);
}

TEST_F(ChromiumEngineHost, BrowseModeShowsThePageReadOnlyUntilEditModeComesBack) {
    EXPECT_EQ(h.flags(2127), OLECMDF_SUPPORTED | OLECMDF_ENABLED | OLECMDF_LATCHED);
    EXPECT_EQ(h.flags(2126), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.exec(2126), S_OK);
    EXPECT_FALSE(h.engine->designMode());
    EXPECT_EQ(h.flags(2126), OLECMDF_SUPPORTED | OLECMDF_ENABLED | OLECMDF_LATCHED);
    EXPECT_EQ(h.flags(2127), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_FALSE(h.run(QStringLiteral("document.body.isContentEditable")).toBool());
    h.select(QStringLiteral("#two"));
    EXPECT_EQ(h.flags(52) & OLECMDF_ENABLED, 0u);
    EXPECT_EQ(h.flags(15), OLECMDF_SUPPORTED | OLECMDF_ENABLED) << "a reader can still copy";

    const int completions = h.completions.size();
    EXPECT_EQ(h.exec(2127), S_OK);
    EXPECT_TRUE(h.engine->designMode());
    EXPECT_TRUE(h.run(QStringLiteral("document.body.isContentEditable")).toBool());
    EXPECT_EQ(h.completions.size(), completions) << "switching modes is no new page";
}

TEST(ChromiumEngineBrowse, ALinkToAPlaceInThePageScrollsThereWithoutNavigating) {
    EngineHarness h;
    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"),
                                           "<html><body><a id=\"jump\" href=\"#end\">jump</a><div "
                                           "style=\"height:5000px\"></div><p id=\"end\">end</p>"
                                           "</body></html>")));
    const qsizetype navigations = h.navigations.size();
    EXPECT_EQ(h.exec(2126), S_OK);
    h.run(QStringLiteral("document.getElementById('jump').click(), 1"));
    h.settle();
    EXPECT_GT(h.run(QStringLiteral("scrollY")).toDouble(), 4000);
    EXPECT_EQ(h.navigations.size(), navigations);
}

TEST_F(ChromiumEngineHost, OptionsReadBackAndFollowTheEngineToItsNextPage) {
    const struct {
        quint32 cmd;
        bool initially;
    } options[] = {{2393, false}, {2394, false}, {2398, true}, {2399, false},
                   {2400, true},  {2404, false}, {2405, false}};
    for (const auto& option : options) {
        EXPECT_EQ(h.value(option.cmd), Variant::fromBool(option.initially)) << option.cmd;
        const Variant toggled = Variant::fromBool(!option.initially);
        EXPECT_EQ(h.engine->exec(option.cmd, &toggled, nullptr), S_OK);
        EXPECT_EQ(h.value(option.cmd), Variant::fromBool(!option.initially)) << option.cmd;
        EXPECT_EQ(h.flags(option.cmd) & OLECMDF_LATCHED, option.initially ? 0u : OLECMDF_LATCHED)
            << option.cmd;
    }
    const Variant text = Variant::fromString(QStringLiteral("on"));
    EXPECT_EQ(h.engine->exec(2393, &text, nullptr), E_INVALIDARG);

    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("next.html"), "<p>next</p>")));
    ASSERT_TRUE(lwtest::waitFor([&] {
        return h.engine->snapshot().options.value(2394) && !h.engine->snapshot().options.value(2398);
    }));
}

} // namespace

TEST_F(ChromiumEngineHost, KeysTypedWhileTheNextPageLoadsGoIntoItOnceItIsEditable) {
    const QString next = h.writePage(QStringLiteral("next.html"), "<html><body><p id=\"p\">page</p></body></html>");
    // As the editing view does: the page gets the focus once it is editable.
    QObject::connect(h.engine.get(), &IHtmlEngine::documentComplete, h.engine.get(), [&] {
        if (h.engine->designMode())
            h.engine->focus();
    });
    EXPECT_TRUE(h.becomeEditable([&] {
        h.engine->navigate(next);
        h.type(QStringLiteral("Early "));
    }));
    EXPECT_TRUE(lwtest::waitFor([&] { return h.bodyText().contains(QStringLiteral("Early page")); }, lwtest::kWaitMs))
        << h.bodyText().toStdString();
    h.type(QStringLiteral("late"));
    EXPECT_TRUE(lwtest::waitFor([&] { return h.bodyText() == QStringLiteral("Early latepage"); }, lwtest::kWaitMs))
        << h.bodyText().toStdString();
}

TEST_F(ChromiumEngineHost, TheClickThatWakesANewPageLeavesTheSelectionMadeBeforeItArrives) {
    // The engine's click can reach the page after later commands; the selection they made stays.
    h.selectText(QStringLiteral("#one"), 0, 5);
    h.run(QStringLiteral("window.__lwEditor.keepSelectionThroughClick()"));
    h.selectText(QStringLiteral("#three"), 0, 5);
    QTest::mouseClick(h.engine->focusWindow(), Qt::LeftButton, {}, QPoint(1, 1));
    h.settle();
    EXPECT_EQ(h.run(QStringLiteral("document.getSelection().toString()")).toString(), QStringLiteral("third"));

    // Between the press and the release the selection is the one made before: a command or a
    // state report in between once acted on the caret the press put at the corner.
    h.run(QStringLiteral("window.__lwEditor.keepSelectionThroughClick()"));
    QTest::mousePress(h.engine->focusWindow(), Qt::LeftButton, {}, QPoint(1, 1));
    h.settle();
    EXPECT_EQ(h.run(QStringLiteral("document.getSelection().toString()")).toString(), QStringLiteral("third"));
    QTest::mouseRelease(h.engine->focusWindow(), Qt::LeftButton, {}, QPoint(1, 1));
    h.settle();
    EXPECT_EQ(h.run(QStringLiteral("document.getSelection().toString()")).toString(), QStringLiteral("third"));
}
