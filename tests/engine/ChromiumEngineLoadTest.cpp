// Loading pages, the document-complete notifications, design mode, navigation control and
// the key hook, on the real engine.

#include "EngineHarness.h"

#include "engine/chromium/EditorPage.h"

#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;
using lwtest::kWaitMs;

namespace {

const QByteArray kSimplePage =
    "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>t</title></head>"
    "<body><p id=\"first\">Hello</p><p><a id=\"link\" href=\"other.html\">go</a></p>"
    "</body></html>\n";

TEST(ChromiumEngineLoad, CompletesOnLoadAndAgainWhenDesignModeIsSwitchedOn) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kSimplePage);
    EXPECT_FALSE(h.engine->hasDocument());

    h.engine->navigate(path);
    ASSERT_TRUE(lwtest::waitFor([&] { return h.completions.size() == 1; }, kWaitMs));
    EXPECT_EQ(h.completions.at(0), QUrl::fromLocalFile(path).toString());
    EXPECT_TRUE(h.engine->hasDocument());
    EXPECT_EQ(h.engine->url(), QUrl::fromLocalFile(path));
    EXPECT_FALSE(h.engine->designMode());
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);

    h.engine->setDesignMode(true);
    ASSERT_TRUE(lwtest::waitFor([&] { return h.completions.size() == 2; }, kWaitMs));
    EXPECT_EQ(h.completions.at(1), QUrl::fromLocalFile(path).toString());
    EXPECT_TRUE(h.engine->designMode());

    // Switching on what is on already is no new completion.
    h.engine->setDesignMode(true);
    h.settle();
    EXPECT_EQ(h.completions.size(), 2);
    EXPECT_EQ(h.run(QStringLiteral("document.designMode")).toString(), QStringLiteral("on"));
}

TEST(ChromiumEngineLoad, TheStartPageLoadsThroughBeforeNavigateAndBecomesEditable) {
    EngineHarness h;
    ASSERT_TRUE(h.loadEditable(QStringLiteral("about:blank")));
    EXPECT_EQ(h.navigations, QList<QUrl>{QUrl(QStringLiteral("about:blank"))});
    h.placeCaretAtEndOf(QStringLiteral("body"));
    h.type(QStringLiteral("abc"));
    EXPECT_TRUE(lwtest::waitFor([&] { return h.bodyText() == QStringLiteral("abc"); }, kWaitMs));
}

TEST(ChromiumEngineLoad, AMissingFileStillCompletesAsAnEmptyPage) {
    EngineHarness h;
    h.engine->navigate(h.scratch.file(QStringLiteral("missing.html")));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.completions.size() == 1; }, kWaitMs));
    EXPECT_TRUE(h.engine->hasDocument());
}

TEST(ChromiumEngineLoad, ALoadReplacedBeforeItCommitsIsNoCompletion) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kSimplePage);
    h.engine->navigate(QStringLiteral("about:blank"));
    h.engine->navigate(path);
    ASSERT_TRUE(lwtest::waitFor([&] { return !h.completions.isEmpty(); }, kWaitMs));
    h.settle();
    EXPECT_EQ(h.completions, QStringList{QUrl::fromLocalFile(path).toString()});
}

TEST(ChromiumEngineLoad, EveryNavigationPassesBeforeNavigateAndCancelKeepsThePage) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kSimplePage);
    const QString other = h.writePage(QStringLiteral("other.html"), "<html><body>other</body></html>");
    ASSERT_TRUE(h.loadEditable(path));
    ASSERT_EQ(h.navigations.size(), 1);
    EXPECT_EQ(h.navigations.at(0), QUrl::fromLocalFile(path));

    // A link followed from the page (not through navigate) is offered too, and refused.
    h.cancelNavigation = [](const QUrl&) { return true; };
    h.engine->setDesignMode(false);
    h.run(QStringLiteral("document.getElementById('link').click(), 1"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.navigations.size() == 2; }, kWaitMs));
    EXPECT_EQ(h.navigations.at(1), QUrl::fromLocalFile(other));
    h.settle();
    EXPECT_EQ(h.engine->url(), QUrl::fromLocalFile(path));
    EXPECT_EQ(h.completions.size(), 2) << "a refused navigation completes nothing";

    // A refused navigate() call never starts loading.
    h.engine->navigate(other);
    EXPECT_EQ(h.navigations.size(), 3);
    h.settle();
    EXPECT_EQ(h.engine->url(), QUrl::fromLocalFile(path));
    EXPECT_EQ(h.completions.size(), 2);

    // Even allowed, a link the page follows is offered exactly once and leaves it in place:
    // its load ends at once, without a new page.
    h.cancelNavigation = {};
    QSignalSpy loads(h.engine->page(), &QWebEnginePage::loadFinished);
    h.run(QStringLiteral("document.getElementById('link').click(), 1"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.navigations.size() == 4 && !loads.isEmpty(); }, kWaitMs));
    EXPECT_EQ(h.engine->url(), QUrl::fromLocalFile(path));
    EXPECT_EQ(h.completions.size(), 2);
}

TEST(ChromiumEngineLoad, ARefreshOrAFormNeverReplacesThePageOrItsFrames) {
    // A refresh used to replace the page before it was editable, and the next save wrote the
    // other file's content, even the password file, into the user's.
    for (const QByteArray& target : {QByteArray("target.html"), QByteArray("file:///etc/passwd")}) {
        SCOPED_TRACE(target.constData());
        EngineHarness h;
        h.writePage(QStringLiteral("target.html"), "<html><body>target</body></html>");
        const QByteArray refresh = "<meta http-equiv=\"refresh\" content=\"0; url=" + target + "\">";
        h.writePage(QStringLiteral("frame.html"),
                    "<html><head>" + refresh + "</head><body>framed</body></html>");
        const QString path =
            h.writePage(QStringLiteral("refresh.html"),
                        "<html><head>" + refresh +
                            "</head><body><p>own words</p><iframe src=\"frame.html\"></iframe>"
                            "<form action=\"target.html\"><input name=\"q\" autofocus><button "
                            "id=\"go\">go</button></form>"
                            "</body></html>");
        const QUrl targetUrl = QUrl(QString::fromUtf8(target)).isRelative()
                                   ? QUrl::fromLocalFile(h.scratch.file(QString::fromUtf8(target)))
                                   : QUrl(QString::fromUtf8(target));
        ASSERT_TRUE(h.loadEditable(path));
        // Both refreshes, the page's and the frame's, are offered and allowed by the host.
        ASSERT_TRUE(lwtest::waitFor([&] { return h.navigations.count(targetUrl) == 2; }, kWaitMs));
        h.settle();
        EXPECT_EQ(h.engine->url(), QUrl::fromLocalFile(path));
        EXPECT_EQ(h.run(QStringLiteral("document.querySelector('iframe').contentDocument.body.textContent"))
                      .toString(),
                  QStringLiteral("framed"));
        // A form sent from browse mode stays put too.
        h.engine->setDesignMode(false);
        const qsizetype offered = h.navigations.size();
        h.run(QStringLiteral("document.getElementById('go').click(), 1"));
        ASSERT_TRUE(lwtest::waitFor([&] { return h.navigations.size() > offered; }, kWaitMs));
        h.settle();
        EXPECT_EQ(h.engine->url(), QUrl::fromLocalFile(path));
        lw::HRESULT hr = E_FAIL;
        const QByteArray saved = h.save(&hr);
        EXPECT_EQ(hr, S_OK);
        EXPECT_TRUE(saved.contains("own words")) << saved.constData();
        EXPECT_FALSE(saved.contains("<body>target") || saved.contains("root:")) << saved.constData();
    }
}

TEST(ChromiumEngineLoad, FramesOfThePageAreOfferedAndCanBeRefused) {
    EngineHarness h;
    const QString frame = h.writePage(QStringLiteral("frame.html"), "<html><body>inner</body></html>");
    const QString path = h.writePage(QStringLiteral("outer.html"),
                                     "<html><body><iframe src=\"frame.html\"></iframe></body></html>");
    h.cancelNavigation = [&](const QUrl& url) { return url == QUrl::fromLocalFile(frame); };
    h.engine->navigate(path);
    ASSERT_TRUE(lwtest::waitFor([&] { return h.completions.size() == 1; }));
    EXPECT_EQ(h.navigations, (QList<QUrl>{QUrl::fromLocalFile(path), QUrl::fromLocalFile(frame)}));
    // A refused frame stays empty, and the page around it completes all the same.
    EXPECT_EQ(
        h.run(QStringLiteral("document.querySelector('iframe').contentDocument.body.textContent")).toString(),
        QString());
}

TEST(ChromiumEngineLoad, RelativePathsAreTakenFromTheWorkingFolder) {
    EngineHarness h;
    QFile file(QStringLiteral("relative.html"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body>here</body></html>");
    file.close();
    h.engine->navigate(QStringLiteral("relative.html"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.completions.size() == 1; }, kWaitMs));
    EXPECT_EQ(h.engine->url(), QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    EXPECT_EQ(h.bodyText(), QStringLiteral("here"));
}

TEST(ChromiumEngineLoad, KeysTheHookTakesNeverReachThePage) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), kSimplePage);
    ASSERT_TRUE(h.loadEditable(path));
    QList<int> asked;
    h.engine->acceleratorHook = [&](QKeyEvent* event) {
        if (event->type() == QEvent::KeyPress)
            asked << event->key();
        return event->key() == Qt::Key_X;
    };
    h.placeCaretAtEndOf(QStringLiteral("#first"));
    h.type(QStringLiteral("axb"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.bodyText().startsWith(QStringLiteral("Helloab")); }, kWaitMs));
    EXPECT_EQ(h.bodyText().trimmed(), QStringLiteral("Helloabgo"));
    EXPECT_EQ(asked, (QList<int>{Qt::Key_A, Qt::Key_X, Qt::Key_B}));
}

TEST(ChromiumEngineLoad, ScriptsOfThePageNeverRun) {
    EngineHarness h;
    const QString path = h.writePage(
        QStringLiteral("scripted.html"),
        "<html><head><script>document.documentElement.setAttribute('data-ran', '1');</script></head>"
        "<body onload=\"document.body.textContent = 'replaced'\"><p>kept</p>"
        "<img src=\"none.png\" onerror=\"document.title = 'ran'\"></body></html>");
    ASSERT_TRUE(h.loadEditable(path));
    EXPECT_EQ(h.bodyText(), QStringLiteral("kept"));
    EXPECT_FALSE(h.run(QStringLiteral("document.documentElement.hasAttribute('data-ran')")).toBool());
    EXPECT_NE(h.run(QStringLiteral("document.title")).toString(), QStringLiteral("ran"));
}

TEST(ChromiumEngineLoad, FocusGoesToThePageInput) {
    EngineHarness h;
    ASSERT_TRUE(h.loadEditable(QStringLiteral("about:blank")));
    ASSERT_NE(h.engine->focusWindow(), nullptr);
    h.engine->focus();
    EXPECT_TRUE(lwtest::waitFor([&] { return h.engine->focusWindow()->hasFocus(); }, kWaitMs));
}

} // namespace

TEST(ChromiumEngineLoad, ALargePageHasARendererOfItsOwnAndChecksNoSpelling) {
    // Small pages share renderers; a large one kept theirs busy, and pages opened after it
    // never became editable.
    const qint64 largeBefore = ChromiumEngine::largePageBytes;
    ChromiumEngine::largePageBytes = 4096;
    EngineHarness large;
    std::vector<std::unique_ptr<EngineHarness>> small;
    const QByteArray paragraph = "<p>Some words in a paragraph of the page.</p>\n";
    ASSERT_TRUE(large.loadEditable(large.writePage(
        QStringLiteral("large.html"), "<html><body>" + paragraph.repeated(200) + "</body></html>")));
    for (int i = 0; i < 3; ++i) {
        small.push_back(std::make_unique<EngineHarness>());
        ASSERT_TRUE(small.back()->loadEditable(small.back()->writePage(
            QStringLiteral("small.html"), "<html><body>" + paragraph + "</body></html>")));
    }
    ChromiumEngine::largePageBytes = largeBefore;

    QWebEngineProfile* profile = large.engine->page()->profile();
    EXPECT_NE(profile, EditorPage::editingProfile());
    EXPECT_FALSE(profile->isSpellCheckEnabled());
    EXPECT_TRUE(large.engine->isLargePage()) << "the view tells the user";
    for (const auto& h : small) {
        EXPECT_FALSE(h->engine->isLargePage());
        EXPECT_NE(h->engine->page()->renderProcessPid(), large.engine->page()->renderProcessPid());
    }
    // It is edited and saved like any page.
    large.placeCaretAtEndOf(QStringLiteral("p"));
    large.type(QStringLiteral("Typed"));
    EXPECT_TRUE(
        lwtest::waitFor([&] { return large.bodyText().contains(QStringLiteral("page.Typed")); }, kWaitMs));
    EXPECT_TRUE(large.save().contains("page.Typed</p>"));
}
