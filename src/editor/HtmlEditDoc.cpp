#include "editor/HtmlEditDoc.h"

#include "editor/HtmlEditView.h"
#include "editor/SourceLossText.h"
#include "engine/HtmlEngine.h"
#include "framework/core/CmdUI.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/Resources.h"
#include "framework/core/UserPrompts.h"
#include "framework/ui/MenuBar.h"
#include "resources/CommandIds.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace lw {

namespace {
// Bytes looked at to tell a binary file from a page.
constexpr qint64 kSniffBytes = 8192;

// What a path that exists but is no regular file is, in words; empty for a regular file.
QString specialFileKind(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return QStringLiteral("a device");
    return QStringLiteral("a special file");
}

// Why writing a file failed. A write cut short by a full disk (or a file size limit) succeeds
// in part and leaves no error number, so Qt reports "Unknown error"; writing the rest again
// fails outright with the real reason.
QString writeFailure(QFileDevice& file) {
    file.flush();
    return file.errorString();
}
} // namespace

BEGIN_MESSAGE_MAP(CHtmlEditDoc, CDocument)
    ON_COMMAND(ID_FILE_SEND_MAIL, &CHtmlEditDoc::OnFileSendMail)
    ON_UPDATE_COMMAND_UI(ID_FILE_SEND_MAIL, &CHtmlEditDoc::OnUpdateFileSendMail)
END_MESSAGE_MAP()

CHtmlEditDoc::CHtmlEditDoc() = default;
CHtmlEditDoc::~CHtmlEditDoc() = default;

CHtmlEditView* CHtmlEditDoc::GetView() const {
    for (CView* v : Views())
        if (auto* view = dynamic_cast<CHtmlEditView*>(v))
            return view;
    return nullptr;
}

BOOL CHtmlEditDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_bForceModified = false;
    m_bSourceLossAccepted = false;
    CHtmlEditView* view = GetView();
    if (!view)
        return FALSE;
    if (IHtmlEngine* engine = view->GetEngine(); engine && engine->hasDocument())
        engine->initNew();
    view->Navigate(QStringLiteral("about:blank"));
    return TRUE;
}

QString CHtmlEditDoc::CheckOpenable(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("The file \"%1\" does not exist.").arg(path);
    if (info.isDir())
        return QStringLiteral("\"%1\" is a folder, not an HTML page.").arg(path);
    // Opening a named pipe for reading blocks until a writer comes, and a device may never
    // end: only regular files are opened at all.
    if (const QString kind = specialFileKind(path); !kind.isEmpty())
        return QStringLiteral("\"%1\" is %2, not an HTML page.").arg(path, kind);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The file \"%1\" cannot be read: %2.").arg(path, file.errorString());
    const QByteArray head = file.read(kSniffBytes);
    // A NUL byte never occurs in text in a single-byte or UTF-8 encoding; UTF-16 pages
    // start with their byte-order mark.
    const bool utf16 = head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF");
    if (!utf16 && head.contains('\0'))
        return QStringLiteral("The file \"%1\" is not an HTML page (it holds binary data).").arg(path);
    return {};
}

BOOL CHtmlEditDoc::OnOpenDocument(const QString& path) {
    const QString problem = CheckOpenable(path);
    if (!problem.isEmpty()) {
        AfxMessageBox(problem, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    CHtmlEditView* view = GetView();
    if (!view)
        return FALSE;
    m_bForceModified = false;
    m_bSourceLossAccepted = false;
    view->Navigate(path);
    SetTitle(path);
    return TRUE;
}

BOOL CHtmlEditDoc::SavePageTo(const QString& path, QString* errorText, bool ownFile) {
    CHtmlEditView* view = GetView();
    IHtmlEngine* engine = view ? view->GetEngine() : nullptr;
    if (!engine || !engine->hasDocument()) {
        if (errorText)
            *errorText = QStringLiteral("the page is not loaded");
        return FALSE;
    }
    // The engine forgets its changes once it has written them out; when the file then
    // fails, the document must still count as changed.
    const bool wasModified = IsModified();
    auto keepModified = [&] {
        if (wasModified)
            m_bForceModified = true;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return FALSE;
    }
    if (ownFile) {
        engine->sourceLossHook = [this](const SourceLoss& loss) {
            if (!m_bSourceLossAccepted)
                m_bSourceLossAccepted =
                    AfxMessageBox(AfxFormatString1(IDS_SOURCE_SAVE_ANYWAY, SourceLossText(loss)),
                                  MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
            return m_bSourceLossAccepted;
        };
    }
    // A new page's local files are written relative to the document's own file, never to a copy's.
    engine->saveFilePath = ownFile ? path : QString();
    const HRESULT saved = view->WritePage(file);
    engine->sourceLossHook = nullptr;
    engine->saveFilePath.clear();
    if (saved != S_OK) {
        if (errorText) {
            if (saved == OLECMDERR_E_CANCELED)
                errorText->clear();
            else if (saved == E_TIMEOUT)
                *errorText = QStringLiteral("the page is too large to save within %1 s")
                                 .arg(IHtmlEngine::kSaveWaitSeconds);
            else if (file.error() != QFileDevice::NoError)
                *errorText = writeFailure(file);
            else
                *errorText = QStringLiteral("the page could not be written out");
        }
        file.cancelWriting();
        keepModified();
        return FALSE;
    }
    // QSaveFile's commit does not report a failure of its final flush (a full disk shows
    // up there), which would replace the file with a cut-off copy: flush and check first.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        if (errorText)
            *errorText = writeFailure(file);
        file.cancelWriting();
        keepModified();
        return FALSE;
    }
    if (!file.commit()) {
        if (errorText)
            *errorText = file.errorString();
        keepModified();
        return FALSE;
    }
    return TRUE;
}

BOOL CHtmlEditDoc::OnSaveDocument(const QString& path) {
    QString error;
    if (!SavePageTo(path, &error, true)) {
        // Declined by the user, who knows already.
        if (error.isEmpty())
            return FALSE;
        AfxMessageBox(QStringLiteral("The document could not be saved as \"%1\": %2.").arg(path, error),
                      MB_OK | MB_ICONERROR);
        return FALSE;
    }
    m_bForceModified = false;
    SetModifiedFlag(FALSE);
    if (CHtmlEditView* view = GetView())
        view->OnPageSaved();
    return TRUE;
}

BOOL CHtmlEditDoc::IsModified() {
    CHtmlEditView* view = GetView();
    if (!view)
        return FALSE;
    if (m_bForceModified)
        return TRUE;
    return view->IsPageModified();
}

void CHtmlEditDoc::SetModifiedFlag(BOOL bModified) {
    CDocument::SetModifiedFlag(bModified);
    m_bForceModified = bModified != FALSE;
}

BOOL CHtmlEditDoc::SaveCopyTo(const QString& path, QString* errorText) {
    // Writing the copy cleans the engine's page; the document itself keeps its changes.
    const bool modified = IsModified();
    const BOOL ok = SavePageTo(path, errorText);
    if (modified)
        m_bForceModified = true;
    return ok;
}

BOOL CHtmlEditDoc::ReloadFromDisk() {
    const QString path = GetPathName();
    CHtmlEditView* view = GetView();
    if (path.isEmpty() || !view || !CheckOpenable(path).isEmpty())
        return FALSE;
    m_bForceModified = false;
    m_bSourceLossAccepted = false;
    view->Reload(path);
    return TRUE;
}

bool CHtmlEditDoc::IsMailAvailable() {
    static const bool available = !QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty();
    return available;
}

void CHtmlEditDoc::OnFileSendMail() {
    if (!IsMailAvailable()) {
        AfxMessageBox(AFX_IDP_FAILED_MAPI_LOAD, MB_OK | MB_ICONERROR);
        return;
    }
    QString attachment = GetPathName();
    const bool modified = IsModified();
    if (attachment.isEmpty() || modified) {
        // A copy in a private folder, under the name the recipient should see.
        if (!m_mailDir || !m_mailDir->isValid())
            m_mailDir = std::make_unique<QTemporaryDir>();
        QString name = GetPathName().isEmpty() ? GetTitle() : QFileInfo(GetPathName()).fileName();
        if (QFileInfo(name).suffix().isEmpty())
            name += QStringLiteral(".html");
        name.replace(QLatin1Char('/'), QLatin1Char('_'));
        attachment = m_mailDir->filePath(name);
        QString error;
        if (!SavePageTo(attachment, &error))
            return;
        // Saving the copy cleaned the engine's page; the document itself still has changes.
        if (modified)
            m_bForceModified = true;
    }
    auto* process = new QProcess;
    QObject::connect(process, &QProcess::finished, process, [process](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0)
            AfxMessageBox(AFX_IDP_FAILED_MAPI_SEND, MB_OK | MB_ICONERROR);
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            AfxMessageBox(AFX_IDP_INVALID_MAPI_DLL, MB_OK | MB_ICONERROR);
            process->deleteLater();
        }
    });
    process->start(QStringLiteral("xdg-email"), {QStringLiteral("--attach"), attachment});
}

void CHtmlEditDoc::OnUpdateFileSendMail(CCmdUI* pCmdUI) {
    const bool available = IsMailAvailable();
    auto* menu = static_cast<QMenu*>(pCmdUI->m_pMenu);
    if (!available && menu && !pCmdUI->m_pSubMenu) {
        // Without a mail program the item leaves the menu, with one separator if it
        // would otherwise stand between two separators or at an edge.
        const QList<QAction*> actions = menu->actions();
        for (int i = 0; i < actions.size(); ++i) {
            if (AfxActionCommandId(actions[i]) != pCmdUI->m_nID)
                continue;
            QAction* before = i > 0 ? actions[i - 1] : nullptr;
            QAction* after = i + 1 < actions.size() ? actions[i + 1] : nullptr;
            menu->removeAction(actions[i]);
            const bool beforePlain = before && !before->isSeparator();
            const bool afterPlain = after && !after->isSeparator();
            if (!beforePlain && !afterPlain && (before || after))
                menu->removeAction(before ? before : after);
            break;
        }
    }
    pCmdUI->Enable(available);
}

} // namespace lw
