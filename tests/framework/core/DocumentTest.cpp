// Documents, titles, the save paths and the shell commands start-up processes.

#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/FrameWnd.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/RecentFileList.h"
#include "framework/core/Resources.h"
#include "framework/core/SettingsStore.h"
#include "framework/core/UserPrompts.h"
#include "framework/core/View.h"
#include "framework/core/WinApp.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace lw;

namespace {

class SavingDoc : public CDocument {
public:
    BOOL OnSaveDocument(const QString& path) override {
        saves << path;
        if (!saveSucceeds)
            return FALSE;
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return FALSE;
        f.write("<p>saved</p>");
        modified = false;
        return TRUE;
    }
    BOOL IsModified() override { return modified; }
    QStringList saves;
    bool saveSucceeds = true;
    bool modified = false;
};

struct Prompts {
    QStringList messages;
    QList<int> answers; // consumed in order
    QList<std::optional<QString>> files;
    QList<FileDialogRequest> requests;
    Prompts() {
        AfxSetMessageBoxHandler([this](const QString& text, UINT) {
            messages << text;
            return answers.isEmpty() ? IDCANCEL : answers.takeFirst();
        });
        AfxSetFileDialogHandler([this](const FileDialogRequest& r) {
            requests << r;
            return files.isEmpty() ? std::nullopt : files.takeFirst();
        });
    }
    ~Prompts() {
        AfxSetMessageBoxHandler({});
        AfxSetFileDialogHandler({});
    }
};

struct DocFixture : ::testing::Test {
    CWinApp app;
    CMDIFrameWnd* main = new CMDIFrameWnd;
    CMultiDocTemplate* tmpl = nullptr;
    Prompts prompts;
    lwtest::ScratchDir dir;

    static void SetUpTestSuite() {
        static const StringResource strings[] = {
            {130, "\nHTML Document\nHTML Document\nNewDocuments\n.html;.htm\nLoomwrite.Document\nLoomwrite.Document"},
            {AFX_IDS_UNTITLED, "Untitled"},
            {AFX_IDP_ASK_TO_SAVE, "Save changes to %1?"},
            {AFX_IDS_SAVEFILE, "Save As"},
            {AFX_IDS_OPENFILE, "Open"},
            {AFX_IDS_ALLFILTER, "All Files (*.*)"},
            {AFX_IDP_UNREG_DONE, "System registry entries have been removed and the INI file (if any) was deleted."},
            {AFX_IDS_APP_TITLE, "Loomwrite"},
        };
        CResourceTables::instance().addStrings(strings);
    }
    void SetUp() override {
        app.m_pMainWnd = main;
        app.SetRegistryKey(QStringLiteral("Tarn"));
        app.LoadStdProfileSettings(10);
        auto t = std::make_unique<CMultiDocTemplate>(
            130, [] { return new SavingDoc; }, [] { return new CMDIChildWnd; }, [] { return new CView; });
        t->m_pFrameParent = main;
        tmpl = t.get();
        app.AddDocTemplate(std::move(t));
    }
    void TearDown() override {
        app.CloseAllDocuments(FALSE);
        delete main;
        app.DelRegTree();
    }
    SavingDoc* newDoc() { return static_cast<SavingDoc*>(tmpl->OpenDocumentFile(QString())); }
};

} // namespace

TEST_F(DocFixture, NewDocumentsAreNumberedAndTheCountNeverGoesDown) {
    SavingDoc* first = newDoc();
    SavingDoc* second = newDoc();
    EXPECT_EQ(first->GetTitle(), "HTML Document1");
    EXPECT_EQ(second->GetTitle(), "HTML Document2");
    first->OnCloseDocument();
    EXPECT_EQ(newDoc()->GetTitle(), "HTML Document3");
    EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 2);
}

TEST_F(DocFixture, TemplateStringGivesFiltersAndDefaultExtension) {
    EXPECT_EQ(tmpl->GetDocString(CDocTemplate::filterName), "NewDocuments");
    EXPECT_EQ(tmpl->DefaultExtension(), "html");
    EXPECT_EQ(tmpl->FileDialogFilters().front(), "NewDocuments (*.html *.htm)");
    EXPECT_TRUE(tmpl->FileDialogFilters().back().startsWith("All Files (*.*)"));
}

TEST_F(DocFixture, SavingANeverSavedDocumentProposesItsTitleWithTheExtension) {
    SavingDoc* doc = newDoc();
    prompts.files << dir.file("chosen.html");
    EXPECT_TRUE(doc->DoFileSave());
    ASSERT_EQ(prompts.requests.size(), 1);
    EXPECT_EQ(prompts.requests[0].initialPath, "HTML Document1.html");
    EXPECT_EQ(prompts.requests[0].title, "Save As");
    EXPECT_FALSE(prompts.requests[0].open);
    EXPECT_EQ(doc->GetPathName(), dir.file("chosen.html"));
    EXPECT_EQ(doc->GetTitle(), "chosen.html");
    EXPECT_EQ((*app.GetRecentFileList())[0], dir.file("chosen.html"));
}

TEST_F(DocFixture, ProposedNameIsCutAtTheFirstPathCharacter) {
    SavingDoc* doc = newDoc();
    doc->SetTitle(QStringLiteral("a:b/c"));
    EXPECT_EQ(doc->ProposedSaveName(), "a.html");
}

TEST_F(DocFixture, SaveOnAReadOnlyFileAsksForANewName) {
    const QString path = dir.file("ro.html");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<p>old</p>");
    f.close();
    SavingDoc* doc = static_cast<SavingDoc*>(app.OpenDocumentFile(path));
    ASSERT_NE(doc, nullptr);
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    prompts.files << std::nullopt; // the user cancels Save As
    EXPECT_FALSE(doc->DoFileSave());
    EXPECT_EQ(prompts.requests.size(), 1);
    EXPECT_TRUE(doc->saves.isEmpty());
}

TEST_F(DocFixture, SaveOnAWritableFileSavesInPlaceWithoutAsking) {
    const QString path = dir.file("rw.html");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    SavingDoc* doc = static_cast<SavingDoc*>(app.OpenDocumentFile(path));
    EXPECT_TRUE(doc->DoFileSave());
    EXPECT_TRUE(prompts.requests.isEmpty());
    EXPECT_EQ(doc->saves, QStringList{path});
}

TEST_F(DocFixture, SaveChangesQuestionYesNoCancelAndFailingSave) {
    SavingDoc* doc = newDoc();
    doc->modified = true;

    prompts.answers << IDCANCEL;
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_EQ(prompts.messages.last(), "Save changes to HTML Document1?");

    prompts.answers << IDNO;
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_TRUE(doc->saves.isEmpty());

    prompts.answers << IDYES;
    prompts.files << dir.file("fail.html");
    doc->saveSucceeds = false;
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_TRUE(doc->GetPathName().isEmpty());

    prompts.answers << IDYES;
    prompts.files << dir.file("ok.html");
    doc->saveSucceeds = true;
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(doc->GetPathName(), dir.file("ok.html"));
}

TEST_F(DocFixture, ClosingCancelledKeepsTheDocumentOpen) {
    SavingDoc* doc = newDoc();
    doc->modified = true;
    prompts.answers << IDCANCEL;
    doc->OnFileClose();
    EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 1);
    EXPECT_FALSE(app.SaveAllModified());
    prompts.answers << IDNO;
    doc->OnFileClose();
    EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 0);
}

TEST_F(DocFixture, OpeningAnOpenFileActivatesItInsteadOfOpeningItTwice) {
    const QString path = dir.file("twice.html");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    CDocument* first = app.OpenDocumentFile(path);
    newDoc();
    CDocument* again = app.OpenDocumentFile(QStringLiteral("\"") + path + QStringLiteral("\" trailing"));
    EXPECT_EQ(first, again);
    EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 2);
    EXPECT_EQ(main->GetActiveDocument(), first);
}

TEST_F(DocFixture, NoArgumentOpensOneUntitledDocumentAndDdeNone) {
    CCommandLineInfo none;
    ParseCommandLine({}, none);
    EXPECT_TRUE(app.ProcessShellCommand(none));
    EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 1);

    CCommandLineInfo dde;
    ParseCommandLine({QStringLiteral("/dde")}, dde);
    EXPECT_TRUE(app.ProcessShellCommand(dde));
    EXPECT_EQ(app.GetDocManager()->GetOpenDocumentCount(), 1);
}

TEST_F(DocFixture, UnregisterDeletesTheSettingsAndWritesNothingBack) {
    app.WriteInt(QStringLiteral("HiColorIcons"), 0);
    app.AddToRecentFileList(dir.file("x.html"));
    const QString file = app.GetSettingsStore()->filePath();
    ASSERT_TRUE(QFile::exists(file));

    CCommandLineInfo info;
    ParseCommandLine({QStringLiteral("-UNREGISTER")}, info);
    EXPECT_FALSE(app.ProcessShellCommand(info));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(prompts.messages.last(),
              "System registry entries have been removed and the INI file (if any) was deleted.");
    app.SaveStdProfileSettings();
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(DocFixture, RecentFilesArePersistedAndTheWholeKeyIsReplaced) {
    // An eleventh stored entry is never read and disappears at exit.
    for (int i = 1; i <= 11; ++i)
        app.WriteProfileString(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i),
                               dir.file(QStringLiteral("f%1.html").arg(i)));
    app.LoadStdProfileSettings(10);
    EXPECT_EQ(app.GetRecentFileList()->count(), 10);
    app.SaveStdProfileSettings();
    EXPECT_FALSE(app.GetSettingsStore()->readString(QStringLiteral("Recent File List"), QStringLiteral("File11")));
    EXPECT_EQ(*app.GetSettingsStore()->readString(QStringLiteral("Recent File List"), QStringLiteral("File1")),
              dir.file("f1.html"));
}

TEST_F(DocFixture, WorkspaceIntegersReadTheirDefaultForOtherTypes) {
    EXPECT_EQ(app.GetInt(QStringLiteral("HiColorIcons"), 1), 1);
    app.WriteProfileString(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"), QStringLiteral("216"));
    EXPECT_EQ(app.GetInt(QStringLiteral("ApplicationLook"), 215), 215);
    app.WriteInt(QStringLiteral("TabbedDocuments"), 7);
    EXPECT_EQ(app.GetInt(QStringLiteral("TabbedDocuments"), 1), 7);
    // Reading never creates anything.
    app.DelRegTree();
    EXPECT_EQ(app.GetInt(QStringLiteral("Missing"), 3), 3);
    EXPECT_FALSE(QFile::exists(app.GetSettingsStore()->filePath()));
}
