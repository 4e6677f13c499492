// The whole editing spine on the real engine: start-up without a window of its own,
// opening pages, typing through real key events, saving, closing, and bad files.

#include "ScriptedEngine.h"
#include "app/LoomwriteApp.h"
#include "editor/EngineFactory.h"
#include "editor/LoomwriteDoc.h"
#include "editor/LoomwriteView.h"
#include "engine/chromium/ChromiumEngine.h"
#include "engine/chromium/PageCall.h"
#include "frame/MainFrame.h"
#include "framework/core/DataRecoveryHandler.h"
#include "framework/core/DocManager.h"
#include "framework/core/FrameWnd.h"
#include "framework/core/UserPrompts.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"
#include "resources/CommandIds.h"
#include "support/PermissionsEnforced.h"
#include "support/TestEnvironment.h"
#include "support/WaitFor.h"

#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace lw;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct SpineFixture : ::testing::Test {
    CLoomwriteApp app;
    lwtest::ScratchDir dir;
    QStringList messages;
    QList<int> answers;
    QList<QString> chosenFiles;
    int fileDialogs = 0;

    void SetUp() override {
        app.m_arguments = {QStringLiteral("/dde")};
        app.m_bArgumentsSet = true;
        ASSERT_TRUE(app.InitInstance());
        // After start-up installs nothing: the test answers every question.
        AfxSetMessageBoxHandler([this](const QString& text, UINT) {
            messages << text;
            return answers.isEmpty() ? IDCANCEL : answers.takeFirst();
        });
        AfxSetFileDialogHandler([this](const FileDialogRequest&) -> std::optional<QString> {
            ++fileDialogs;
            if (chosenFiles.isEmpty())
                return std::nullopt;
            return chosenFiles.takeFirst();
        });
    }
    void TearDown() override {
        answers = {IDNO, IDNO, IDNO, IDNO};
        app.CloseAllDocuments(FALSE);
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        app.DelRegTree();
        AfxSetMessageBoxHandler({});
        AfxSetFileDialogHandler({});
    }

    CLoomwriteView* viewOf(CDocument* doc) { return dynamic_cast<CLoomwriteView*>(doc->Views().front()); }
    // File > New with a scripted engine in place of the real one; later documents get the real one.
    lwtest::ScriptedEngine* newDocumentOnScriptedEngine() {
        lwtest::ScriptedEngine* engine = nullptr;
        SetHtmlEngineFactory([&engine](QWidget* parent) {
            auto e = std::make_unique<lwtest::ScriptedEngine>(parent);
            engine = e.get();
            return e;
        });
        app.OnFileNew();
        SetHtmlEngineFactory(GetDefaultHtmlEngineFactory());
        return engine;
    }
    // Opens a page and waits until it is editable.
    CLoomwriteDoc* openEditable(const QString& path) {
        auto* doc = dynamic_cast<CLoomwriteDoc*>(app.OpenDocumentFile(path));
        if (!doc)
            return nullptr;
        CLoomwriteView* view = viewOf(doc);
        if (!lwtest::waitFor([view] { return view->m_documentCompleteCount >= 2; }, 20000))
            return nullptr;
        return doc;
    }
    // Clicks into the page's first line, as a person would, then types.
    static void clickIntoPage(CLoomwriteView* view) {
        view->FocusEngineWindow();
        QWidget* target = view->GetEngine()->focusWindow();
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(40, 20));
        EXPECT_TRUE(lwtest::waitFor([target] { return target->hasFocus(); }, 5000));
    }
    void type(CLoomwriteView* view, const QString& text) {
        clickIntoPage(view);
        QWidget* target = view->GetEngine()->focusWindow();
        QTest::keyClicks(target, text);
        ASSERT_TRUE(lwtest::waitFor([view] { return view->GetEngine()->isDirty() == S_OK; }, 10000));
    }
};

constexpr char kPage[] =
    "<!DOCTYPE html>\n<!-- kept comment -->\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
    "<title>T</title></head><body><p id=\"first\" class=\"intro\">Hello</p></body></html>\n";

} // namespace

TEST_F(SpineFixture, AFirstRunShowsTheMainWindowMaximisedWithTheBarsInTheirPlaces) {
    auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->GetWidget()->windowState() & Qt::WindowMaximized);
    QMainWindow* window = frame->GetWidget();
    EXPECT_EQ(window->toolBarArea(frame->GetMenuPane()), Qt::TopToolBarArea);
    for (CMFCToolBar* bar : frame->GetToolBars())
        EXPECT_EQ(window->toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_EQ(window->statusBar(), frame->GetStatusBar());
}

TEST_F(SpineFixture, TypedTextAndOriginalMarkupSurviveSaveAndReopen) {
    const QString path = dir.file("page.html");
    writeFile(path, kPage);
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetTitle(), "page.html");
    EXPECT_FALSE(doc->IsModified());
    type(viewOf(doc), QStringLiteral("Typed"));
    EXPECT_TRUE(doc->IsModified());

    ASSERT_TRUE(doc->DoFileSave()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(fileDialogs, 0);
    EXPECT_FALSE(doc->IsModified());
    const QByteArray saved = readAll(path);
    EXPECT_TRUE(saved.contains("Typed")) << saved.constData();
    EXPECT_TRUE(saved.startsWith("<!DOCTYPE html>")) << saved.constData();
    EXPECT_TRUE(saved.contains("<!-- kept comment -->"));
    EXPECT_TRUE(saved.contains("class=\"intro\""));

    doc->OnCloseDocument();
    CLoomwriteDoc* again = openEditable(path);
    ASSERT_NE(again, nullptr);
    QByteArray resaved;
    QString error;
    const QString copy = dir.file("copy.html");
    ASSERT_TRUE(again->SavePageTo(copy, &error)) << error.toStdString();
    EXPECT_TRUE(readAll(copy).contains("Typed"));
}

TEST_F(SpineFixture, PageScriptsNeverRunSoTheSavedPageIsUnchanged) {
    const QString path = dir.file("script.html");
    writeFile(path,
              "<html><body><p>Original</p><script>document.body.innerHTML='changed';</script></body></html>");
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    const QString out = dir.file("out.html");
    QString error;
    ASSERT_TRUE(doc->SavePageTo(out, &error));
    const QByteArray saved = readAll(out);
    EXPECT_TRUE(saved.contains("<p>Original</p>")) << saved.constData();
    EXPECT_TRUE(saved.contains("<script>"));
}

TEST_F(SpineFixture, NavigationIsAllowedUntilTheSecondCompletionAndCancelledAfter) {
    const QString first = dir.file("first.html");
    const QString second = dir.file("second.html");
    writeFile(first, kPage);
    writeFile(second, "<p>second</p>");
    CLoomwriteDoc* doc = openEditable(first);
    ASSERT_NE(doc, nullptr);
    CLoomwriteView* view = viewOf(doc);
    QList<bool> decisions;
    QObject::connect(
        view->GetEngine(), &IHtmlEngine::beforeNavigate, view->GetWidget(),
        [&decisions](const QUrl&, bool* cancel) { decisions << *cancel; }, Qt::DirectConnection);
    view->Navigate(second);
    ASSERT_TRUE(lwtest::waitFor([&] { return !decisions.isEmpty(); }, 10000));
    EXPECT_TRUE(decisions.front());
    EXPECT_TRUE(view->GetEngine()->url().toLocalFile().endsWith("first.html"));

    // A fresh view has not completed twice yet: its navigation goes ahead.
    bool cancel = true;
    CLoomwriteView fresh;
    fresh.OnEngineBeforeNavigate(QUrl(QStringLiteral("file:///x.html")), &cancel);
    EXPECT_FALSE(cancel);
    fresh.m_documentCompleteCount = 1;
    fresh.OnEngineBeforeNavigate(QUrl(QStringLiteral("file:///x.html")), &cancel);
    EXPECT_FALSE(cancel);
}

TEST_F(SpineFixture, ControlLettersAreRefusedToTheEngineAndShiftLettersAreTyped) {
    CLoomwriteView view;
    QKeyEvent ctrlD(QEvent::KeyPress, Qt::Key_D, Qt::ControlModifier, QStringLiteral("\x04"));
    QKeyEvent ctrl5(QEvent::KeyPress, Qt::Key_5, Qt::ControlModifier);
    QKeyEvent shiftA(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
    QKeyEvent ctrlLeft(QEvent::KeyPress, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_TRUE(view.OnEngineAccelerator(&ctrlD));
    EXPECT_TRUE(view.OnEngineAccelerator(&ctrl5));
    EXPECT_FALSE(view.OnEngineAccelerator(&shiftA));
    EXPECT_FALSE(view.OnEngineAccelerator(&ctrlLeft));

    const QString path = dir.file("keys.html");
    writeFile(path, kPage);
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    CLoomwriteView* real = viewOf(doc);
    clickIntoPage(real);
    QTest::keyClick(real->GetEngine()->focusWindow(), Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(real->GetEngine()->focusWindow(), 'A', Qt::ShiftModifier);
    QTest::keyClicks(real->GetEngine()->focusWindow(), QStringLiteral("bB"));
    ASSERT_TRUE(lwtest::waitFor([real] { return real->GetEngine()->isDirty() == S_OK; }, 10000));
    QString error;
    ASSERT_TRUE(doc->SavePageTo(dir.file("keys-out.html"), &error)) << error.toStdString();
    const QByteArray saved = readAll(dir.file("keys-out.html"));
    EXPECT_TRUE(saved.contains("AbB")) << saved.constData();
    // Control+D typed nothing before them.
    EXPECT_FALSE(saved.contains("dAbB")) << saved.constData();
}

TEST_F(SpineFixture, SaveChangesQuestionOnCloseWithTheRealEngine) {
    const QString path = dir.file("close.html");
    writeFile(path, kPage);
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    type(viewOf(doc), QStringLiteral("x"));

    answers << IDCANCEL;
    doc->OnFileClose();
    EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 1);
    EXPECT_EQ(messages.last(), "Save changes to close.html?");

    // Yes with a save that fails (the folder is gone) keeps the document open.
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    answers << IDYES;
    chosenFiles << dir.file("missing-folder/x.html");
    doc->OnFileClose();
    EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 1);
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_TRUE(messages.last().contains("could not be saved")) << messages.last().toStdString();
    EXPECT_EQ(readAll(path), QByteArray(kPage));

    answers << IDNO;
    doc->OnFileClose();
    EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 0);
    EXPECT_EQ(readAll(path), QByteArray(kPage));
}

TEST_F(SpineFixture, NewDocumentsAreTitledAndSavedUnderTheChosenName) {
    app.OnFileNew();
    app.OnFileNew();
    std::vector<CDocument*> docs = app.GetDocManager()->Documents();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0]->GetTitle(), "HTML Document1");
    EXPECT_EQ(docs[1]->GetTitle(), "HTML Document2");
    docs[0]->OnCloseDocument();
    app.OnFileNew();
    EXPECT_EQ(app.GetDocManager()->Documents().back()->GetTitle(), "HTML Document3");
    EXPECT_EQ(app.m_pMainWnd->GetWindowText(), "HTML Document3 - Loomwrite");

    auto* doc = dynamic_cast<CLoomwriteDoc*>(app.GetDocManager()->Documents().back());
    CLoomwriteView* view = viewOf(doc);
    ASSERT_TRUE(lwtest::waitFor([view] { return view->m_documentCompleteCount >= 2; }, 20000));
    chosenFiles << dir.file("new.html");
    ASSERT_TRUE(doc->DoFileSave()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(doc->GetTitle(), "new.html");
    // Publishable as written: standards mode, its encoding declared, one block a line.
    const QByteArray saved = readAll(dir.file("new.html"));
    EXPECT_TRUE(saved.startsWith("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title></title>\n"))
        << saved.constData();
    EXPECT_TRUE(saved.endsWith("</html>\n")) << saved.constData();
}

TEST_F(SpineFixture, ALocalImageInANewDocumentShowsAtOnceAndItsFirstSaveAsMakesItRelative) {
    ASSERT_TRUE(QDir().mkpath(dir.file("pics")) && QDir().mkpath(dir.file("site")));
    QImage dot(3, 2, QImage::Format_RGB32);
    dot.fill(Qt::red);
    ASSERT_TRUE(dot.save(dir.file("pics/dot.png")));
    app.OnFileNew();
    auto* doc = dynamic_cast<CLoomwriteDoc*>(app.GetDocManager()->Documents().back());
    CLoomwriteView* view = viewOf(doc);
    ASSERT_TRUE(lwtest::waitFor([view] { return view->m_documentCompleteCount >= 2; }, 20000));
    auto* engine = dynamic_cast<ChromiumEngine*>(view->GetEngine());
    ASSERT_NE(engine, nullptr);
    const auto imageWidth = [engine] {
        return runScriptAndWait(
                   *engine->page(),
                   QStringLiteral("document.images.length ? document.images[0].naturalWidth : -1"), 5000)
            .value_or(QVariant(-1))
            .toInt();
    };
    clickIntoPage(view);
    const Variant image = Variant::fromString(dir.file("pics/dot.png"));
    quint32 flags = 0;
    ASSERT_TRUE(lwtest::waitFor(
        [&] { return engine->queryStatus(2168, flags) == S_OK && (flags & OLECMDF_ENABLED); }));
    ASSERT_EQ(engine->exec(2168, &image, nullptr), S_OK);
    EXPECT_TRUE(lwtest::waitFor([&] { return imageWidth() == 3; }, 10000)) << imageWidth();

    // A copy elsewhere keeps the absolute address; the document's own file gets a relative one.
    QString error;
    ASSERT_TRUE(doc->SaveCopyTo(dir.file("copy.html"), &error)) << error.toStdString();
    EXPECT_TRUE(readAll(dir.file("copy.html")).contains("src=\"file:///"))
        << readAll(dir.file("copy.html")).constData();
    chosenFiles << dir.file("site/new.html");
    ASSERT_TRUE(doc->DoFileSave()) << messages.join(QLatin1Char('\n')).toStdString();
    const QByteArray saved = readAll(dir.file("site/new.html"));
    EXPECT_TRUE(saved.contains("<img src=\"../pics/dot.png\">")) << saved.constData();
    EXPECT_EQ(imageWidth(), 3);
}

TEST_F(SpineFixture, APageWhoseBytesAnEditCannotKeepSaysSoAndAsksOnceBeforeChangingThem) {
    const QString path = dir.file("invalid.html");
    const QByteArray page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>T</title></head>"
                            "<body><p>Hello \xff there</p></body></html>\n";
    writeFile(path, page);
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    CLoomwriteView* view = viewOf(doc);
    ASSERT_TRUE(lwtest::waitFor([view] { return !view->GetPageNote().isEmpty(); }, 10000));
    EXPECT_TRUE(view->GetPageNote().contains("not valid in its encoding (UTF-8)"))
        << view->GetPageNote().toStdString();

    // Saves that keep the bytes, and copies, never ask.
    ASSERT_TRUE(doc->DoFileSave());
    type(view, QStringLiteral("Typed"));
    QString error;
    ASSERT_TRUE(doc->SaveCopyTo(dir.file("copy.html"), &error)) << error.toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(readAll(path), page);

    answers << IDNO;
    EXPECT_FALSE(doc->DoFileSave());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(view->GetPageNote()) && messages[0].endsWith("Save anyway?"))
        << messages[0].toStdString();
    EXPECT_EQ(readAll(path), page);
    EXPECT_TRUE(doc->IsModified());

    answers << IDYES;
    ASSERT_TRUE(doc->DoFileSave());
    EXPECT_TRUE(readAll(path).contains("Typed"));
    type(view, QStringLiteral("More"));
    ASSERT_TRUE(doc->DoFileSave());
    EXPECT_TRUE(readAll(path).contains("More"));
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(SpineFixture, ANewOrOpenedPageTakesTheKeyboardFocusOnceEditable) {
    const auto focusedInPage = [](CLoomwriteView* view) {
        QWidget* page = view->GetEngine()->focusWindow();
        return lwtest::waitFor([page] { return page && page->window()->focusWidget() == page; }, 10000);
    };
    app.OnFileNew();
    CLoomwriteView* view = viewOf(app.GetDocManager()->Documents().back());
    ASSERT_TRUE(lwtest::waitFor([view] { return view->m_documentCompleteCount >= 2; }, 20000));
    EXPECT_TRUE(focusedInPage(view)) << "a new page";

    const QString path = dir.file("focus.html");
    writeFile(path, kPage);
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(focusedInPage(viewOf(doc))) << "an opened page";
}

TEST_F(SpineFixture, BadFilesAreRefusedWithAClearMessage) {
    const QString binary = dir.file("binary.html");
    writeFile(binary, QByteArray("<html>\0\x01\x02", 9));
    const QString folder = dir.path();
    // Reading a named pipe would wait for a writer forever; sockets and devices are no pages.
    const QString fifo = dir.file("pipe.html");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = dir.file("socket.html");
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(socketPath);
    ASSERT_LT(size_t(socketName.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, socketName.constData(), size_t(socketName.size()));
    ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    const struct {
        QString path;
        const char* words;
    } cases[] = {
        {dir.file("missing.html"), "does not exist"},
        {folder, "is a folder"},
        {binary, "binary"},
        {fifo, "named pipe"},
        {socketPath, "socket"},
        {QStringLiteral("/dev/zero"), "device"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app.OpenDocumentFile(c.path), nullptr) << c.path.toStdString();
        ASSERT_FALSE(messages.isEmpty());
        EXPECT_TRUE(messages.last().contains(QLatin1String(c.words))) << messages.last().toStdString();
    }
    ::close(socketFd);
    EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 0);
    // The binary file is untouched.
    EXPECT_EQ(readAll(binary), QByteArray("<html>\0\x01\x02", 9));
}

TEST_F(SpineFixture, Windows1252PageKeepsItsEncodingAndAccents) {
    const QString path = dir.file("latin.html");
    // "café" and "naïve" in windows-1252 bytes.
    writeFile(
        path,
        "<html><head><meta charset=\"windows-1252\"></head><body><p>caf\xE9 na\xEFve</p></body></html>");
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    type(viewOf(doc), QStringLiteral("z"));
    ASSERT_TRUE(doc->DoFileSave()) << messages.join(QLatin1Char('\n')).toStdString();
    const QByteArray saved = readAll(path);
    EXPECT_TRUE(saved.contains("caf\xE9")) << saved.constData();
    EXPECT_TRUE(saved.contains("na\xEFve"));
    EXPECT_FALSE(saved.contains("caf\xC3\xA9"));
}

TEST_F(SpineFixture, SavingKeepsPermissionsAndLeavesNoStrayFiles) {
    const QString path = dir.file("perm.html");
    writeFile(path, kPage);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    type(viewOf(doc), QStringLiteral("p"));
    ASSERT_TRUE(doc->DoFileSave()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(QFile::permissions(path) & 0x7077,
              (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup) & 0x7077);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(SpineFixture, SendMailAttachesACopyAndTheDocumentStaysModified) {
    // A stand-in mail program that records what it was asked to attach; the record appears
    // whole, so the test never reads it half written.
    const QString bin = dir.file("bin");
    QDir().mkpath(bin);
    const QString record = dir.file("mail-record.html");
    writeFile(bin + QStringLiteral("/xdg-email"),
              QStringLiteral("#!/bin/sh\n[ \"$1\" = --attach ] && cp \"$2\" '%1.part' && mv '%1.part' '%1'\n")
                  .arg(record)
                  .toUtf8());
    QFile::setPermissions(bin + QStringLiteral("/xdg-email"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    qputenv("PATH", (bin + QStringLiteral(":") + qEnvironmentVariable("PATH")).toUtf8());
    if (!CHtmlEditDoc::IsMailAvailable())
        GTEST_SKIP() << "the mail program was looked up before this test";

    const QString path = dir.file("mail.html");
    writeFile(path, kPage);
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    type(viewOf(doc), QStringLiteral("Mailed"));
    doc->OnFileSendMail();
    ASSERT_TRUE(lwtest::waitFor([&] { return QFile::exists(record); }, 10000));
    EXPECT_TRUE(readAll(record).contains("Mailed"));
    // The file on disk is untouched and the document still has its changes.
    EXPECT_EQ(readAll(path), QByteArray(kPage));
    EXPECT_TRUE(doc->IsModified());
    answers << IDCANCEL;
    doc->OnFileClose();
    EXPECT_EQ(messages.last(), "Save changes to mail.html?");
}

TEST_F(SpineFixture, AFullDiskOrAReadOnlyFolderFailsTheSaveAndKeepsTheOldFile) {
    // A full disk: the new file cannot take the page. A small page fails in the final flush, a
    // large one while it is written; both used to say "Unknown error" or nothing at all.
    const QString path = dir.file("full.html");
    CLoomwriteDoc* doc = nullptr;
    for (int words : {500, 8000}) {
        if (doc)
            doc->OnCloseDocument();
        QByteArray page = kPage;
        page.replace("Hello", QByteArray("word ").repeated(words));
        writeFile(path, page);
        doc = openEditable(path);
        ASSERT_NE(doc, nullptr);
        type(viewOf(doc), QStringLiteral("w"));
        rlimit saved{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1024;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const BOOL fullDiskSave = doc->DoFileSave();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        // A regression: the final flush's failure used to go unnoticed and cut the file short.
        EXPECT_FALSE(fullDiskSave);
        EXPECT_TRUE(messages.last().contains("could not be saved") &&
                    messages.last().contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
            << messages.last().toStdString();
        EXPECT_EQ(readAll(path), page);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
        EXPECT_TRUE(doc->IsModified());
    }

    // A folder without write permission: the same.
    const QByteArray before = readAll(path);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    BOOL readOnlyFolderSave = TRUE;
    {
        lwtest::PermissionsEnforced enforced;
        if (lwtest::PermissionsEnforced::canCreateIn(dir.path()))
            GTEST_SKIP() << "file permissions cannot be enforced here";
        readOnlyFolderSave = doc->DoFileSave();
    }
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(readOnlyFolderSave);
    EXPECT_TRUE(messages.last().contains(QString::fromLocal8Bit(std::strerror(EACCES))))
        << messages.last().toStdString();
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(SpineFixture, AnUnreadableFileIsRefusedWithAMessage) {
    const QString path = dir.file("secret.html");
    writeFile(path, kPage);
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    CDocument* doc = nullptr;
    {
        lwtest::PermissionsEnforced enforced;
        doc = app.OpenDocumentFile(path);
    }
    EXPECT_EQ(doc, nullptr);
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.last().contains("cannot be read")) << messages.last().toStdString();
}

TEST_F(SpineFixture, APageWhoseRendererFailsIsReportedAndItsWindowCloses) {
    lwtest::ScriptedEngine* engine = newDocumentOnScriptedEngine();
    ASSERT_NE(engine, nullptr);
    ASSERT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 1);
    engine->document = false;
    emit engine->pageFailed(QStringLiteral("its renderer crashed"));
    ASSERT_TRUE(lwtest::waitFor([&] { return app.GetDocManager()->GetOpenDocumentCount() == 0; }, 5000));
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.last().contains("cannot be shown any more")) << messages.last().toStdString();
}

TEST_F(SpineFixture, APageFailingWhileItsSaveWaitsClosesOnlyOnceTheSaveIsOver) {
    lwtest::ScriptedEngine* engine = newDocumentOnScriptedEngine();
    ASSERT_NE(engine, nullptr);
    engine->duringSave = [this, engine] {
        engine->document = false;
        emit engine->pageFailed(QStringLiteral("its renderer crashed"));
        // The engine's wait runs a loop of its own; the close the failure asked for runs first.
        QEventLoop wait;
        QTimer::singleShot(0, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
        EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 1) << "closed under the save";
    };
    auto* doc = dynamic_cast<CHtmlEditDoc*>(app.GetDocManager()->Documents().front());
    // Saved from a command, as the program's main loop runs it.
    QEventLoop mainLoop;
    bool saved = false;
    QTimer::singleShot(0, &mainLoop, [&] {
        saved = doc->SavePageTo(dir.file("failing.html"), nullptr);
        mainLoop.quit();
    });
    mainLoop.exec();
    EXPECT_TRUE(saved);
    ASSERT_TRUE(lwtest::waitFor([&] { return app.GetDocManager()->GetOpenDocumentCount() == 0; }, 5000));
}

TEST_F(SpineFixture, ASaveThePageCannotFinishInTimeSaysThePageIsTooLarge) {
    lwtest::ScriptedEngine* engine = newDocumentOnScriptedEngine();
    ASSERT_NE(engine, nullptr);
    engine->saveResult = E_TIMEOUT;
    auto* doc = app.GetDocManager()->Documents().front();
    chosenFiles << dir.file("slow.html");
    EXPECT_FALSE(doc->DoFileSave());
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.last().contains("the page is too large to save within 30 s"))
        << messages.last().toStdString();
    EXPECT_FALSE(QFile::exists(dir.file("slow.html")));
}

TEST_F(SpineFixture, AutoSavedWorkComesBackAndOutsideChangesReloadOnTheRealEngine) {
    CDataRecoveryHandler* handler = app.GetDataRecoveryHandler();
    ASSERT_NE(handler, nullptr);
    const QString path = dir.file("kept.html");
    writeFile(path, kPage);
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    type(viewOf(doc), QStringLiteral("Typed "));
    // An auto-save keeps the typing in a copy, and the document still counts as changed.
    EXPECT_EQ(handler->AutoSaveAll(), 0);
    const QString copy = handler->GetCopyPath(doc);
    EXPECT_TRUE(readAll(copy).contains("Typed")) << readAll(copy).toStdString();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(readAll(path), QByteArray(kPage));

    // Another program rewrites the file; the user drops their changes and reloads it.
    writeFile(path, QByteArray(kPage).replace("Hello", "Rewritten elsewhere"));
    answers = {IDYES};
    doc->CheckFileOnDisk();
    CLoomwriteView* view = viewOf(doc);
    ASSERT_TRUE(lwtest::waitFor([view] { return view->m_documentCompleteCount >= 2; }, 20000));
    EXPECT_FALSE(doc->IsModified());
    QBuffer reloaded;
    reloaded.open(QIODevice::WriteOnly);
    ASSERT_EQ(view->GetEngine()->save(reloaded), S_OK);
    EXPECT_TRUE(reloaded.data().contains("Rewritten elsewhere"));
    app.CloseAllDocuments(FALSE);
    EXPECT_FALSE(QFile::exists(copy));

    // A session that ended with a newer copy: its document comes back from the copy,
    // titled as recovered, changed, and saving writes the original file.
    const QString older = dir.file("older.html");
    writeFile(older, kPage);
    const QString leftCopy = QDir(handler->GetFolder()).filePath(QStringLiteral("left-behind-1.html"));
    writeFile(leftCopy, QByteArray(kPage).replace("Hello", "Recovered words"));
    QFile touched(leftCopy);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    touched.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    touched.close();
    app.m_recoverySessions = {{QStringLiteral("left-behind"), QString(), {{older, QStringLiteral("older.html"), leftCopy}}}};
    int asked = 0;
    AfxSetChoiceHandler([&](const ChoiceRequest& request) {
        ++asked;
        EXPECT_EQ(request.caption, QStringLiteral("Document Recovery"));
        return 0;
    });
    EXPECT_EQ(app.RecoverDocuments(), 1);
    AfxSetChoiceHandler({});
    EXPECT_EQ(asked, 1);
    auto* recovered = dynamic_cast<CLoomwriteDoc*>(app.GetDocManager()->Documents().front());
    ASSERT_NE(recovered, nullptr);
    EXPECT_EQ(recovered->GetTitle(), QStringLiteral("older.html [Recovered]"));
    EXPECT_EQ(recovered->GetPathName(), older);
    EXPECT_TRUE(recovered->IsModified());
    ASSERT_TRUE(lwtest::waitFor([&] { return viewOf(recovered)->m_documentCompleteCount >= 2; }, 20000));
    EXPECT_TRUE(recovered->DoFileSave());
    EXPECT_TRUE(readAll(older).contains("Recovered words"));
    EXPECT_FALSE(recovered->IsModified());
}

TEST_F(SpineFixture, APageWhoseRendererFailsComesBackFromItsAutoSavedCopy) {
    const QString path = dir.file("failing.html");
    writeFile(path, kPage);
    CLoomwriteDoc* doc = openEditable(path);
    ASSERT_NE(doc, nullptr);
    type(viewOf(doc), QStringLiteral("Kept "));
    ASSERT_EQ(app.GetDataRecoveryHandler()->AutoSaveAll(), 0);
    emit viewOf(doc)->GetEngine()->pageFailed(QStringLiteral("its renderer ran out of memory"));
    ASSERT_TRUE(lwtest::waitFor([&] {
        const auto docs = app.GetDocManager()->Documents();
        return docs.size() == 1 && docs.front() != doc;
    }, 5000));
    EXPECT_TRUE(messages.last().contains("last auto-saved copy")) << messages.last().toStdString();
    auto* back = dynamic_cast<CLoomwriteDoc*>(app.GetDocManager()->Documents().front());
    EXPECT_EQ(back->GetTitle(), QStringLiteral("failing.html [Recovered]"));
    EXPECT_EQ(back->GetPathName(), path);
    EXPECT_TRUE(back->IsModified());
    ASSERT_TRUE(lwtest::waitFor([&] { return viewOf(back)->m_documentCompleteCount >= 2; }, 20000));
    EXPECT_TRUE(back->DoFileSave());
    EXPECT_TRUE(readAll(path).contains("Kept"));
}
