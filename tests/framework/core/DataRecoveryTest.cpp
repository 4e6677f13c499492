// Auto-save copies and session markers, finding what a crashed or restarted session left,
// and documents noticing what other programs did to their files.

#include "framework/core/DataRecoveryHandler.h"
#include "framework/core/Document.h"
#include "framework/core/UserPrompts.h"
#include "framework/core/WinApp.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace lw;

namespace {

class PageDoc : public CDocument {
public:
    QByteArray content = "<p>one</p>";
    bool modified = false;
    int reloads = 0;
    BOOL IsModified() override { return modified; }
    BOOL SaveCopyTo(const QString& path, QString*) override { return write(path); }
    BOOL OnSaveDocument(const QString& path) override {
        modified = false;
        return write(path);
    }
    BOOL ReloadFromDisk() override {
        QFile f(GetPathName());
        if (!f.open(QIODevice::ReadOnly))
            return FALSE;
        content = f.readAll();
        modified = false;
        ++reloads;
        return TRUE;
    }
    BOOL write(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    }
};

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Moves a file's modification time, leaving its bytes alone.
void touch(const QString& path, int seconds) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(seconds), QFileDevice::FileModificationTime));
}

struct RecoveryFixture : ::testing::Test {
    QTemporaryDir dir;
    QString folder() const { return dir.filePath(QStringLiteral("AutoRecover")); }
    std::vector<CDocument*> docs;
    QStringList messages;
    QList<int> answers;
    void SetUp() override {
        AfxSetMessageBoxHandler([this](const QString& text, UINT) {
            messages << text;
            return answers.isEmpty() ? IDNO : answers.takeFirst();
        });
    }
    void TearDown() override { AfxSetMessageBoxHandler({}); }
    QStringList files() const { return QDir(folder()).entryList(QDir::Files); }
};

TEST_F(RecoveryFixture, CopiesFollowTheModifiedDocumentsUntilSavedClosedOrACleanExit) {
    PageDoc clean, edited, untitled;
    clean.SetPathName(dir.filePath(QStringLiteral("clean.html")), false);
    edited.SetPathName(dir.filePath(QStringLiteral("edited.html")), false);
    untitled.SetTitle(QStringLiteral("HTML Document1"));
    edited.modified = untitled.modified = true;
    edited.content = "<p>typed</p>";
    docs = {&clean, &edited, &untitled};
    CDataRecoveryHandler handler(folder());
    handler.Start([this] { return docs; }, 3600000);
    EXPECT_EQ(files(), QStringList{handler.GetRestartIdentifier() + QStringLiteral(".session")});

    EXPECT_EQ(handler.AutoSaveAll(), 0);
    EXPECT_TRUE(handler.GetCopyPath(&clean).isEmpty());
    ASSERT_FALSE(handler.GetCopyPath(&edited).isEmpty());
    EXPECT_EQ(read(handler.GetCopyPath(&edited)), "<p>typed</p>");
    EXPECT_EQ(files().size(), 3);
    // The marker names each open document and its copy, so a later start can find them.
    const QJsonObject marker =
        QJsonDocument::fromJson(read(QDir(folder()).filePath(handler.GetRestartIdentifier() + ".session"))).object();
    EXPECT_EQ(marker.value(QStringLiteral("documents")).toArray().size(), 3);

    const QString editedCopy = handler.GetCopyPath(&edited);
    handler.OnDocumentSaved(&edited);
    EXPECT_FALSE(QFile::exists(editedCopy));
    const QString untitledCopy = handler.GetCopyPath(&untitled);
    handler.OnDocumentClosed(&untitled);
    EXPECT_FALSE(QFile::exists(untitledCopy));
    docs = {&clean, &edited};
    handler.AutoSaveAll();
    handler.EndSession();
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(RecoveryFixture, AnEndedProcessesSessionIsFoundAndALiveOneIsNot) {
    PageDoc edited;
    edited.SetPathName(dir.filePath(QStringLiteral("page.html")), false);
    write(edited.GetPathName(), "<p>saved</p>");
    edited.modified = true;
    edited.content = "<p>typed later</p>";
    docs = {&edited};
    auto crashed = std::make_unique<CDataRecoveryHandler>(folder());
    crashed->Start([this] { return docs; }, 3600000);
    crashed->AutoSaveAll();
    const QString id = crashed->GetRestartIdentifier();

    // While its process runs (this one), a session is nobody's to recover.
    CDataRecoveryHandler next(folder());
    EXPECT_TRUE(next.FindSessionsToRecover({}).empty());
    // Named by a restart, it is taken even so.
    ASSERT_EQ(next.FindSessionsToRecover(id.toLower()).size(), 1u);

    // The marker rewritten as an ended process would have left it.
    QProcess gone;
    gone.start(QStringLiteral("true"));
    ASSERT_TRUE(gone.waitForFinished());
    const QString markerPath = QDir(folder()).filePath(id + QStringLiteral(".session"));
    QJsonObject marker = QJsonDocument::fromJson(read(markerPath)).object();
    marker[QStringLiteral("pid")] = gone.processId();
    crashed.reset();
    write(markerPath, QJsonDocument(marker).toJson());

    const std::vector<CRecoverySession> sessions = next.FindSessionsToRecover({});
    ASSERT_EQ(sessions.size(), 1u);
    ASSERT_EQ(sessions[0].documents.size(), 1u);
    const CRecoveredDocument& doc = sessions[0].documents[0];
    EXPECT_EQ(doc.path, edited.GetPathName());
    EXPECT_EQ(read(doc.copy), "<p>typed later</p>");
    // The copy was written after the file: newer work.
    touch(doc.copy, 60);
    EXPECT_TRUE(CDataRecoveryHandler::IsCopyNewer(doc));

    next.Start([] { return std::vector<CDocument*>(); }, 3600000);
    const QString adopted = next.TakeOverCopy(doc);
    EXPECT_TRUE(QFileInfo(adopted).fileName().startsWith(next.GetRestartIdentifier()));
    EXPECT_EQ(QFileInfo(adopted).absolutePath(), QFileInfo(folder()).absoluteFilePath());
    next.DiscardSession(sessions[0]);
    EXPECT_EQ(read(adopted), "<p>typed later</p>");
    EXPECT_FALSE(QFile::exists(markerPath));
    EXPECT_TRUE(next.FindSessionsToRecover({}).empty());
}

TEST_F(RecoveryFixture, AShutdownForARestartKeepsTheMarkerAndTheCopies) {
    PageDoc edited;
    edited.SetPathName(dir.filePath(QStringLiteral("page.html")), false);
    edited.modified = true;
    docs = {&edited};
    CDataRecoveryHandler handler(folder());
    handler.Start([this] { return docs; }, 3600000);
    handler.AutoSaveAll();
    handler.SetRestartPending();
    // The documents close without being asked about; what they held stays for the restart.
    handler.OnDocumentClosed(&edited);
    docs.clear();
    handler.EndSession();
    EXPECT_EQ(files().size(), 2);
    // The restart runs under the same identifier, so the old marker and copy names are its own.
    CDataRecoveryHandler restarted(folder(), handler.GetRestartIdentifier());
    const std::vector<CRecoverySession> sessions = restarted.FindSessionsToRecover(handler.GetRestartIdentifier());
    ASSERT_EQ(sessions.size(), 1u);
    ASSERT_EQ(sessions[0].documents.size(), 1u);
    const CRecoveredDocument old = sessions[0].documents[0];
    EXPECT_EQ(read(old.copy), "<p>one</p>");
    PageDoc reopened, fresh;
    reopened.modified = fresh.modified = true;
    fresh.content = "<p>fresh</p>";
    docs = {&reopened, &fresh};
    restarted.Start([this] { return docs; }, 3600000);
    const QString taken = restarted.TakeOverCopy(old);
    restarted.SetCopy(&reopened, taken);
    restarted.AutoSaveAll();
    restarted.DiscardSession(sessions[0]);
    // Nothing of the restarted session went with the old one.
    EXPECT_EQ(read(taken), "<p>one</p>");
    EXPECT_EQ(read(restarted.GetCopyPath(&fresh)), "<p>fresh</p>");
    EXPECT_TRUE(QFile::exists(QDir(folder()).filePath(restarted.GetRestartIdentifier() + ".session")));
}

TEST_F(RecoveryFixture, TheRestartCommandLineCarriesTheIdentifierOnce) {
    CDataRecoveryHandler handler(folder());
    const QString id = handler.GetRestartIdentifier();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9a-f]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"))
                    .match(id)
                    .hasMatch())
        << id.toStdString();
    const QStringList line = handler.GetRestartCommandLine({QStringLiteral("/usr/bin/loomwrite")});
    EXPECT_EQ(line.last(), QStringLiteral("/RestartByRestartManager:") + id);
    EXPECT_EQ(handler.GetRestartCommandLine(line), line);
    EXPECT_EQ(CDataRecoveryHandler(folder(), id).GetRestartIdentifier(), id);
}

TEST_F(RecoveryFixture, OutsideChangesAreOfferedForReloadAndNeverSilentlyOverwritten) {
    const QString path = dir.filePath(QStringLiteral("page.html"));
    write(path, "<p>one</p>");
    PageDoc doc;
    doc.SetPathName(path, false);
    doc.RememberFileOnDisk();
    doc.CheckFileOnDisk();
    // A touch that leaves the bytes alone is no change.
    touch(path, 5);
    doc.CheckFileOnDisk();
    EXPECT_TRUE(messages.isEmpty());

    write(path, "<p>two</p>");
    answers = {IDYES};
    doc.CheckFileOnDisk();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(doc.reloads, 1);
    EXPECT_EQ(doc.content, "<p>two</p>");

    // With changes of its own the user keeps them; the same outside version is not asked about again.
    write(path, "<p>three, from elsewhere</p>");
    doc.modified = true;
    doc.content = "<p>mine</p>";
    answers = {IDNO};
    doc.CheckFileOnDisk();
    doc.CheckFileOnDisk();
    EXPECT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages.last().contains(QStringLiteral("changes of its own")));
    EXPECT_EQ(doc.content, "<p>mine</p>");
    // Having been told, the user's save goes through.
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_EQ(read(path), "<p>mine</p>");

    // A change nobody looked at is asked about before the save replaces it.
    write(path, "<p>four, from elsewhere</p>");
    answers = {IDNO};
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(read(path), "<p>four, from elsewhere</p>");
    EXPECT_TRUE(messages.last().contains(QStringLiteral("Replace it")));

    // A deleted file is reported once, and saving writes it again.
    QFile::remove(path);
    doc.CheckFileOnDisk();
    doc.CheckFileOnDisk();
    EXPECT_TRUE(messages.last().contains(QStringLiteral("deleted")));
    const int told = static_cast<int>(messages.size());
    doc.CheckFileOnDisk();
    EXPECT_EQ(messages.size(), told);
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_EQ(read(path), "<p>mine</p>");
}

} // namespace
