#include "framework/core/Document.h"

#include "framework/core/DataRecoveryHandler.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/FrameWnd.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/Resources.h"
#include "framework/core/UserPrompts.h"
#include "framework/core/View.h"
#include "framework/core/WinApp.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace lw {

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument() {
    for (CView* v : m_views)
        v->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate ? m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) : FALSE;
}

void CDocument::SetTitle(const QString& title) {
    m_strTitle = title;
    UpdateFrameCounts();
}

void CDocument::SetPathName(const QString& path, bool addToRecentFiles) {
    m_strPathName = path;
    SetTitle(AfxFileTitle(path));
    if (addToRecentFiles)
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(path);
}

BOOL CDocument::IsModified() { return m_bModified; }

BOOL CDocument::OnNewDocument() {
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const QString&) {
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const QString&) { return FALSE; }

void CDocument::OnCloseDocument() {
    if (m_bClosing)
        return;
    m_bClosing = true;
    // Whatever the user decided about its changes has been decided: its copy goes.
    if (CWinApp* app = AfxGetApp(); app && app->GetDataRecoveryHandler())
        app->GetDataRecoveryHandler()->OnDocumentClosed(this);
    // Destroying a frame deletes its views, which detach themselves from the document.
    const bool autoDelete = m_bAutoDelete;
    m_bAutoDelete = false;
    for (CFrameWnd* frame : Frames())
        frame->DestroyWindow();
    for (CView* v : std::vector<CView*>(m_views))
        RemoveView(v);
    m_bAutoDelete = autoDelete;
    if (m_bAutoDelete)
        delete this;
    else
        m_bClosing = false;
}

BOOL CDocument::SaveModified() {
    if (!IsModified())
        return TRUE;
    QString name;
    if (m_strPathName.isEmpty()) {
        name = m_strTitle.isEmpty() ? AfxLoadString(AFX_IDS_UNTITLED) : m_strTitle;
    } else {
        name = AfxFileTitle(m_strPathName);
    }
    switch (AfxMessageBox(AfxFormatString1(AFX_IDP_ASK_TO_SAVE, name), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave() {
    const QFileInfo info(m_strPathName);
    // A path that is missing, read-only or cannot be examined asks for a new name. A
    // file without any write permission bit counts as read-only even for a user whose
    // rights would let the write through.
    constexpr QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const bool readOnly = info.exists() && (!info.isWritable() || !(info.permissions() & anyWrite));
    const bool usable = !m_strPathName.isEmpty() && !readOnly;
    return DoSave(usable ? m_strPathName : QString());
}

QString CDocument::ProposedSaveName() const {
    QString name = m_strTitle;
    const qsizetype bad = name.indexOf(QRegularExpression(QStringLiteral("[:/\\\\]")));
    if (bad >= 0)
        name.truncate(bad);
    name.truncate(256);
    if (m_pDocTemplate) {
        const QString ext = m_pDocTemplate->DefaultExtension();
        if (!ext.isEmpty())
            name += QLatin1Char('.') + ext;
    }
    return name;
}

BOOL CDocument::DoSave(const QString& path, BOOL bReplace) {
    QString newName = path;
    if (newName.isEmpty()) {
        newName = m_strPathName;
        if (bReplace && newName.isEmpty())
            newName = ProposedSaveName();
        if (!m_pDocTemplate)
            return FALSE;
        std::optional<QString> chosen = m_pDocTemplate->PromptFileName(false, newName);
        if (!chosen || chosen->isEmpty())
            return FALSE;
        newName = *chosen;
    }
    // Another program's change to the file is never overwritten without the user knowing.
    if (!m_strPathName.isEmpty() && QFileInfo(newName) == QFileInfo(m_strPathName) &&
        m_diskFile.Compare(m_strPathName) == CFileSignature::Changed &&
        !(CFileSignature::Take(m_strPathName) == m_keptOver)) {
        const QString text = QStringLiteral("The file \"%1\" has been changed by another program since it was "
                                            "opened.\n\nReplace it with this document?")
                                 .arg(m_strPathName);
        if (AfxMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return FALSE;
    }
    // The document's own save replaces the file atomically, so a failed save leaves
    // whatever file was there untouched: nothing to delete afterwards.
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    if (bReplace || QFileInfo(newName) == QFileInfo(m_strPathName))
        RememberFileOnDisk();
    if (CWinApp* app = AfxGetApp(); app && app->GetDataRecoveryHandler() && bReplace)
        app->GetDataRecoveryHandler()->OnDocumentSaved(this);
    return TRUE;
}

void CDocument::AddView(CView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    m_views.push_back(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_pDocument = nullptr;
    OnChangedViewList();
}

std::vector<CFrameWnd*> CDocument::Frames() const {
    std::vector<CFrameWnd*> frames;
    for (CView* v : m_views) {
        CFrameWnd* f = v->GetParentFrame();
        if (f && std::find(frames.begin(), frames.end(), f) == frames.end())
            frames.push_back(f);
    }
    return frames;
}

void CDocument::OnChangedViewList() {
    // The last view gone ends the document.
    if (m_views.empty() && m_bAutoDelete && !m_bClosing)
        OnCloseDocument();
    else
        UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
    for (CFrameWnd* f : Frames())
        f->OnUpdateFrameTitle(TRUE);
    for (CView* v : m_views)
        v->OnDocumentTitleChanged();
}

void CDocument::OnFileClose() {
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(QString()); }

BOOL CDocument::SaveCopyTo(const QString&, QString* errorText) {
    if (errorText)
        *errorText = QStringLiteral("this kind of document cannot be copied");
    return FALSE;
}

void CDocument::RememberFileOnDisk() {
    m_diskFile = CFileSignature::Take(m_strPathName);
    m_keptOver = {};
    m_bDeletionReported = false;
}

BOOL CDocument::ReloadFromDisk() { return FALSE; }

void CDocument::CheckFileOnDisk() {
    // The question itself moves the activation about; one question at a time.
    static bool asking = false;
    if (m_strPathName.isEmpty() || m_bClosing || asking)
        return;
    struct Asking {
        Asking() { asking = true; }
        ~Asking() { asking = false; }
    } guard;
    switch (m_diskFile.Compare(m_strPathName)) {
    case CFileSignature::Same:
        return;
    case CFileSignature::Deleted:
        if (!m_bDeletionReported) {
            m_bDeletionReported = true;
            AfxMessageBox(QStringLiteral("The file \"%1\" has been deleted or moved by another program.\n\n"
                                         "Saving the document writes it again.")
                              .arg(m_strPathName),
                          MB_OK | MB_ICONEXCLAMATION);
        }
        return;
    case CFileSignature::Changed:
        break;
    }
    const CFileSignature now = CFileSignature::Take(m_strPathName);
    if (now == m_keptOver)
        return;
    const QString text =
        IsModified()
            ? QStringLiteral("The file \"%1\" has been changed by another program, and this document has "
                             "changes of its own.\n\nReload the file and lose your changes? No keeps your "
                             "version.")
            : QStringLiteral("The file \"%1\" has been changed by another program.\n\nReload it?");
    // Asked once for each outside version: whatever the answer, this one has been seen.
    m_keptOver = now;
    if (AfxMessageBox(text.arg(m_strPathName), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (ReloadFromDisk())
        RememberFileOnDisk();
}

QString AfxFileTitle(const QString& path) { return QFileInfo(path).fileName(); }

} // namespace lw
