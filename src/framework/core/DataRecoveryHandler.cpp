#include "framework/core/DataRecoveryHandler.h"

#include "framework/core/CommandLineInfo.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/UserPrompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <algorithm>

#include <unistd.h>

namespace lw {

namespace {
constexpr const char* kMarkerSuffix = ".session";
// How often the marker is brought in line with the open documents.
constexpr int kSessionCheckMs = 5000;

// The kernel's start time of a process (clock ticks since boot), which tells a process
// from a later one that reused its number; empty when the process does not exist.
QString processStart(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold spaces: fields are counted after it.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return {};
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // Field 22 of the whole line is the 20th after the name.
    return fields.size() > 19 ? QString::fromLatin1(fields[19]) : QString();
}

bool writeAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
} // namespace

CDataRecoveryHandler::CDataRecoveryHandler(QString folder, QString restartId)
    : m_folder(std::move(folder)), m_id(restartId.isEmpty() ? NewRestartIdentifier() : std::move(restartId)) {
    m_autoSaveTimer.callOnTimeout([this] { AutoSaveAll(); });
    m_sessionTimer.callOnTimeout([this] { UpdateSession(); });
}

CDataRecoveryHandler::~CDataRecoveryHandler() = default;

QString CDataRecoveryHandler::DefaultFolder(const QString& company, const QString& application) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(company + QLatin1Char('/') + application + QStringLiteral("/AutoRecover"));
}

QString CDataRecoveryHandler::NewRestartIdentifier() {
    QRandomGenerator* r = QRandomGenerator::system();
    quint8 b[16];
    for (quint8& byte : b)
        byte = static_cast<quint8>(r->bounded(256));
    const quint32 d1 = quint32(b[0]) << 24 | quint32(b[1]) << 16 | quint32(b[2]) << 8 | b[3];
    const quint16 d2 = quint16(b[4] << 8 | b[5]);
    const quint16 d3 = quint16(b[6] << 8 | b[7]);
    return QString::asprintf("%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X", d1, d2, d3, b[8], b[9], b[10],
                             b[11], b[12], b[13], b[14], b[15]);
}

QStringList CDataRecoveryHandler::GetRestartCommandLine(const QStringList& commandLine) const {
    QStringList line = commandLine;
    for (const QString& arg : commandLine)
        if (arg.contains(QLatin1String(kRestartSwitchPrefix), Qt::CaseInsensitive))
            return line;
    line << QStringLiteral("/") + QLatin1String(kRestartSwitchPrefix) + m_id;
    return line;
}

void CDataRecoveryHandler::Start(std::function<std::vector<CDocument*>()> documents, int autoSaveMs) {
    m_documents = std::move(documents);
    QDir().mkpath(m_folder);
    // The folder holds page contents: only the user may read it.
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // A restarted session keeps its identifier: its new copies must not take the names of
    // the old ones still waiting to be recovered.
    const QStringList old = QDir(m_folder).entryList({m_id + QStringLiteral("-*.html")}, QDir::Files);
    for (const QString& name : old) {
        const int number = name.mid(m_id.size() + 1).chopped(5).toInt();
        m_nextNumber = std::max(m_nextNumber, number + 1);
    }
    // Read once: the marker is compared every few seconds and this never changes.
    m_processStart = processStart(::getpid());
    m_running = true;
    m_lastMarker.clear();
    writeMarker();
    m_autoSaveTimer.start(autoSaveMs);
    m_sessionTimer.start(kSessionCheckMs);
}

QString CDataRecoveryHandler::copyPathFor(CDocument* doc) {
    Entry& entry = m_entries[doc];
    if (entry.number == 0)
        entry.number = m_nextNumber++;
    if (entry.copy.isEmpty())
        entry.copy = QDir(m_folder).filePath(QStringLiteral("%1-%2.html").arg(m_id).arg(entry.number));
    return entry.copy;
}

int CDataRecoveryHandler::AutoSaveAll() {
    if (!m_running || !m_documents)
        return 0;
    int failed = 0;
    for (CDocument* doc : m_documents()) {
        if (!doc->IsModified())
            continue;
        QString error;
        // Written under a temporary name and renamed, so a crash mid-write keeps the last copy.
        if (!doc->SaveCopyTo(copyPathFor(doc), &error)) {
            ++failed;
            qWarning("Auto-save of \"%s\" failed: %s", qPrintable(doc->GetTitle()), qPrintable(error));
        }
    }
    writeMarker();
    return failed;
}

void CDataRecoveryHandler::UpdateSession() {
    if (m_running && !m_restartPending)
        writeMarker();
}

void CDataRecoveryHandler::OnDocumentSaved(CDocument* doc) {
    auto it = m_entries.find(doc);
    if (it == m_entries.end() || it->second.copy.isEmpty())
        return;
    QFile::remove(it->second.copy);
    it->second.copy.clear();
    writeMarker();
}

void CDataRecoveryHandler::OnDocumentClosed(CDocument* doc) {
    // Closing for a restart keeps what the restart will reopen.
    if (m_restartPending)
        return;
    auto it = m_entries.find(doc);
    if (it == m_entries.end())
        return;
    if (!it->second.copy.isEmpty())
        QFile::remove(it->second.copy);
    m_entries.erase(it);
    if (m_running)
        writeMarker();
}

QString CDataRecoveryHandler::GetCopyPath(CDocument* doc) const {
    auto it = m_entries.find(doc);
    if (it == m_entries.end() || !QFileInfo::exists(it->second.copy))
        return {};
    return it->second.copy;
}

QByteArray CDataRecoveryHandler::markerContents() const {
    QJsonArray docs;
    if (m_documents) {
        for (CDocument* doc : m_documents()) {
            auto it = m_entries.find(doc);
            const QString copy = it != m_entries.end() && QFileInfo::exists(it->second.copy) ? it->second.copy : QString();
            docs.append(QJsonObject{{QStringLiteral("path"), doc->GetPathName()},
                                    {QStringLiteral("title"), doc->GetTitle()},
                                    {QStringLiteral("copy"), QFileInfo(copy).fileName()}});
        }
    }
    const QJsonObject marker{{QStringLiteral("id"), m_id},
                             {QStringLiteral("pid"), qint64(::getpid())},
                             {QStringLiteral("start"), m_processStart},
                             {QStringLiteral("host"), QSysInfo::machineHostName()},
                             {QStringLiteral("documents"), docs}};
    return QJsonDocument(marker).toJson(QJsonDocument::Indented);
}

void CDataRecoveryHandler::writeMarker() {
    const QByteArray contents = markerContents();
    if (contents == m_lastMarker)
        return;
    if (writeAtomically(QDir(m_folder).filePath(m_id + QLatin1String(kMarkerSuffix)), contents))
        m_lastMarker = contents;
    else
        qWarning("The recovery marker could not be written in %s", qPrintable(m_folder));
}

void CDataRecoveryHandler::EndSession() {
    if (m_restartPending) {
        m_running = false;
        return;
    }
    m_autoSaveTimer.stop();
    m_sessionTimer.stop();
    for (auto& [doc, entry] : m_entries)
        if (!entry.copy.isEmpty())
            QFile::remove(entry.copy);
    m_entries.clear();
    QFile::remove(QDir(m_folder).filePath(m_id + QLatin1String(kMarkerSuffix)));
    m_running = false;
}

std::vector<CRecoverySession> CDataRecoveryHandler::FindSessionsToRecover(const QString& restartId) const {
    std::vector<CRecoverySession> sessions;
    const QDir dir(m_folder);
    const QStringList markers = dir.entryList({QStringLiteral("*") + QLatin1String(kMarkerSuffix)}, QDir::Files);
    for (const QString& name : markers) {
        const QString id = name.chopped(static_cast<qsizetype>(qstrlen(kMarkerSuffix)));
        if (id == m_id && m_running)
            continue;
        QFile file(dir.filePath(name));
        // A marker is small; anything large is not ours.
        if (file.size() > 4 * 1024 * 1024 || !file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject marker = QJsonDocument::fromJson(file.readAll()).object();
        if (marker.isEmpty())
            continue;
        const bool named = !restartId.isEmpty() && id.compare(restartId, Qt::CaseInsensitive) == 0;
        if (!named) {
            // Only sessions of this machine whose process has gone are taken over.
            if (marker.value(QStringLiteral("host")).toString() != QSysInfo::machineHostName())
                continue;
            const qint64 pid = marker.value(QStringLiteral("pid")).toInteger();
            const QString start = processStart(pid);
            if (!start.isEmpty() && start == marker.value(QStringLiteral("start")).toString())
                continue;
        }
        CRecoverySession session{id, file.fileName(), {}};
        for (const QJsonValue& v : marker.value(QStringLiteral("documents")).toArray()) {
            const QJsonObject o = v.toObject();
            // Copies live in this folder only, whatever the marker says.
            const QString copy = QFileInfo(o.value(QStringLiteral("copy")).toString()).fileName();
            CRecoveredDocument doc{o.value(QStringLiteral("path")).toString(), o.value(QStringLiteral("title")).toString(),
                                   copy.isEmpty() || !dir.exists(copy) ? QString() : dir.filePath(copy)};
            if (!doc.path.isEmpty() || !doc.copy.isEmpty())
                session.documents.push_back(doc);
        }
        sessions.push_back(std::move(session));
    }
    return sessions;
}

bool CDataRecoveryHandler::IsCopyNewer(const CRecoveredDocument& doc) {
    if (doc.copy.isEmpty() || !QFileInfo::exists(doc.copy))
        return false;
    const QFileInfo saved(doc.path);
    if (doc.path.isEmpty() || !saved.exists())
        return true;
    return QFileInfo(doc.copy).lastModified() > saved.lastModified();
}

QString CDataRecoveryHandler::TakeOverCopy(const CRecoveredDocument& recovered) {
    const QString target =
        QDir(m_folder).filePath(QStringLiteral("%1-%2.html").arg(m_id).arg(m_nextNumber++));
    QFile::remove(target);
    return QFile::rename(recovered.copy, target) ? target : recovered.copy;
}

void CDataRecoveryHandler::SetCopy(CDocument* doc, const QString& copy) {
    Entry& entry = m_entries[doc];
    entry.number = m_nextNumber++;
    entry.copy = copy;
    writeMarker();
}

CDocument* CDataRecoveryHandler::OpenFromCopy(CMultiDocTemplate& tmpl, const CRecoveredDocument& recovered) {
    // The title format is the framework's string (with %1 for the document's own title).
    constexpr UINT kRecoveredTitleFormat = 62185;
    const QString baseTitle = recovered.path.isEmpty() ? recovered.title : AfxFileTitle(recovered.path);
    return tmpl.OpenDocumentFrom(recovered.copy, [&](CDocument* d) {
        if (recovered.path.isEmpty())
            d->ClearPathName();
        else
            d->SetPathName(recovered.path, false);
        d->SetTitle(AfxFormatString1(kRecoveredTitleFormat, baseTitle));
        d->SetModifiedFlag(TRUE);
        SetCopy(d, recovered.copy);
    });
}

void CDataRecoveryHandler::SetRestartPending() {
    m_restartPending = true;
    m_autoSaveTimer.stop();
    m_sessionTimer.stop();
}

void CDataRecoveryHandler::DiscardSession(const CRecoverySession& session) {
    for (const CRecoveredDocument& doc : session.documents)
        if (!doc.copy.isEmpty())
            QFile::remove(doc.copy);
    // A restart under the same identifier has already written its own marker there.
    const QString own = QDir(m_folder).filePath(m_id + QLatin1String(kMarkerSuffix));
    if (m_running && QFileInfo(session.marker) == QFileInfo(own)) {
        m_lastMarker.clear();
        writeMarker();
        return;
    }
    QFile::remove(session.marker);
}

} // namespace lw
