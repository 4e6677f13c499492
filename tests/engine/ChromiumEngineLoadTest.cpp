// Loading pages, the document-complete notifications, design mode, navigation control and
// the key hook, on the real engine.

#include "EngineHarness.h"

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

    // Allowed, the same link leaves the page, and is offered exactly once.
    h.cancelNavigation = {};
    h.run(QStringLiteral("document.getElementById('link').click(), 1"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.completions.size() == 3; }, kWaitMs));
    EXPECT_EQ(h.engine->url(), QUrl::fromLocalFile(other));
    EXPECT_EQ(h.navigations.size(), 4);
}

TEST(ChromiumEngineLoad, ARedirectOfThePageIsOfferedToo) {
    EngineHarness h;
    const QString target = h.writePage(QStringLiteral("target.html"), "<html><body>target</body></html>");
    const QString path =
        h.writePage(QStringLiteral("refresh.html"),
                    "<html><head><meta http-equiv=\"refresh\" content=\"0; url=target.html\">"
                    "</head><body>moving</body></html>");
    h.engine->navigate(path);
    ASSERT_TRUE(lwtest::waitFor([&] { return h.engine->url() == QUrl::fromLocalFile(target); }));
    EXPECT_EQ(h.navigations, (QList<QUrl>{QUrl::fromLocalFile(path), QUrl::fromLocalFile(target)}));
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
