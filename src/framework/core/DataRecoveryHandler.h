#pragma once
// Keeps work safe from crashes and session restarts: every few minutes the modified
// documents are copied into the auto-recover folder, and a marker file per running
// session lists the open documents and their copies. A clean exit removes both; a marker
// whose process is gone tells the next start what to reopen and recover.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace lw {

class CDocument;
class CMultiDocTemplate;

// One document a session had open, as its marker recorded it.
struct CRecoveredDocument {
    QString path;  // the document's file, empty for an untitled document
    QString title; // the title it had
    QString copy;  // its auto-saved copy, empty when it had none
};

// A session that ended without cleaning up (a crash, a kill, a session-manager restart).
struct CRecoverySession {
    QString id;
    QString marker;
    std::vector<CRecoveredDocument> documents;
};

class CDataRecoveryHandler {
public:
    // restartId: the identifier this process was restarted with, or empty for a new one.
    CDataRecoveryHandler(QString folder, QString restartId = {});
    ~CDataRecoveryHandler();
    CDataRecoveryHandler(const CDataRecoveryHandler&) = delete;
    CDataRecoveryHandler& operator=(const CDataRecoveryHandler&) = delete;

    // $XDG_DATA_HOME/<company>/<application>/AutoRecover.
    static QString DefaultFolder(const QString& company, const QString& application);
    // A new identifier shaped "%08lX-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X".
    static QString NewRestartIdentifier();
    QString GetRestartIdentifier() const { return m_id; }
    QString GetFolder() const { return m_folder; }
    // The command line that restarts this session: the program's own line, and the
    // restart switch with this session's identifier unless it is already there.
    QStringList GetRestartCommandLine(const QStringList& commandLine) const;

    // Writes this session's marker and starts the timers: the marker follows the open
    // documents, and modified documents are copied every autoSaveMs.
    void Start(std::function<std::vector<CDocument*>()> documents, int autoSaveMs = 300000);
    // Copies every modified document now; returns how many copies failed.
    int AutoSaveAll();
    // Rewrites the marker when the open documents changed since it was written.
    void UpdateSession();
    void OnDocumentSaved(CDocument* doc);
    void OnDocumentClosed(CDocument* doc);
    // The document's current copy, or empty.
    QString GetCopyPath(CDocument* doc) const;
    // A clean exit: this session's marker and copies go.
    void EndSession();
    // Whether Start was called and EndSession was not.
    bool IsRunning() const { return m_running; }

    // Sessions to recover: the one with restartId when given, and every session whose
    // process has ended without cleaning up; never this process's own.
    std::vector<CRecoverySession> FindSessionsToRecover(const QString& restartId) const;
    // Whether a copy holds newer work than the document's saved file.
    static bool IsCopyNewer(const CRecoveredDocument& doc);
    // Moves an old session's copy into this session under a new name, so the file stays
    // while a document reads it and then serves as that document's copy; returns its path.
    QString TakeOverCopy(const CRecoveredDocument& recovered);
    // Makes a file taken over the document's auto-saved copy.
    void SetCopy(CDocument* doc, const QString& copy);
    // Opens a document from a copy taken over: titled as recovered, counted as modified,
    // saving to the original file (Save As for one that had none).
    CDocument* OpenFromCopy(CMultiDocTemplate& tmpl, const CRecoveredDocument& recovered);
    // The program ends to be restarted: the marker and the copies stay for the next start.
    void SetRestartPending();
    // Removes an old session's marker and whatever copies were not adopted.
    void DiscardSession(const CRecoverySession& session);

private:
    struct Entry {
        int number = 0;
        QString copy;
    };
    QString copyPathFor(CDocument* doc);
    void writeMarker();
    QByteArray markerContents() const;

    QString m_folder;
    QString m_id;
    bool m_running = false;
    bool m_restartPending = false;
    std::function<std::vector<CDocument*>()> m_documents;
    std::map<CDocument*, Entry> m_entries;
    int m_nextNumber = 1;
    QByteArray m_lastMarker;
    QString m_processStart;
    QTimer m_autoSaveTimer;
    QTimer m_sessionTimer;
};

} // namespace lw
