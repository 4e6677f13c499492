#include "framework/core/DocTemplate.h"

#include "framework/core/Document.h"
#include "framework/core/FrameWnd.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/OpenPath.h"
#include "framework/core/Resources.h"
#include "framework/core/UserPrompts.h"
#include "framework/core/View.h"

#include <algorithm>

namespace lw {

CDocTemplate::CDocTemplate(UINT nIDResource, DocumentFactory doc, FrameFactory frame, ViewFactory view)
    : m_nIDResource(nIDResource), m_docFactory(std::move(doc)), m_frameFactory(std::move(frame)),
      m_viewFactory(std::move(view)) {}

CDocTemplate::~CDocTemplate() {
    for (CDocument* d : std::vector<CDocument*>(m_docList)) {
        d->m_pDocTemplate = nullptr;
        d->OnCloseDocument();
    }
}

QString CDocTemplate::GetDocString(DocStringIndex index) const {
    const QStringList fields = AfxLoadString(m_nIDResource).split(QLatin1Char('\n'));
    return index < fields.size() ? fields[index] : QString();
}

QString CDocTemplate::DefaultExtension() const {
    QString ext = GetDocString(filterExt).section(QLatin1Char(';'), 0, 0);
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    return ext;
}

QStringList CDocTemplate::FileDialogFilters() const {
    QStringList filters;
    const QString name = GetDocString(filterName);
    const QString exts = GetDocString(filterExt);
    if (!name.isEmpty() && !exts.isEmpty()) {
        QStringList patterns;
        for (const QString& e : exts.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << QLatin1Char('*') + e;
        filters << QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')));
    }
    // "All Files (*.*)" keeps its text; on this platform every file matches "*".
    filters << AfxLoadString(AFX_IDS_ALLFILTER) + QStringLiteral(" (*)");
    return filters;
}

std::optional<QString> CDocTemplate::PromptFileName(bool open, const QString& proposed) const {
    FileDialogRequest req;
    req.open = open;
    req.title = AfxLoadString(open ? AFX_IDS_OPENFILE : AFX_IDS_SAVEFILE);
    req.initialPath = proposed;
    req.filters = FileDialogFilters();
    req.defaultExtension = DefaultExtension();
    req.flags = open ? 0x1004 : 0x804;
    return AfxPromptFileName(req);
}

CDocument* CDocTemplate::CreateNewDocument() {
    CDocument* doc = m_docFactory ? m_docFactory() : nullptr;
    if (doc)
        AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    CFrameWnd* frame = m_frameFactory ? m_frameFactory() : nullptr;
    if (!frame)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = this;
    context.m_pNewViewClass = m_viewFactory;
    context.m_pCurrentFrame = pOther;
    if (!frame->LoadFrame(m_nIDResource, m_pFrameParent, &context)) {
        // A frame that failed to load destroys (and for child frames deletes) itself.
        frame->DestroyWindow();
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = this;
    m_docList.push_back(pDoc);
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), pDoc), m_docList.end());
}

CDocument* CDocTemplate::FindOpenDocument(const QString& path) const {
    for (CDocument* d : m_docList) {
        if (!d->GetPathName().isEmpty() && SamePath(d->GetPathName(), path))
            return d;
    }
    return nullptr;
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const QString& path, BOOL bMakeVisible) {
    return OpenDocumentFrom(path, {}, bMakeVisible);
}

CDocument* CMultiDocTemplate::OpenDocumentFrom(const QString& path, const std::function<void(CDocument*)>& adopt,
                                               BOOL bMakeVisible) {
    CDocument* doc = CreateNewDocument();
    if (!doc) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC, MB_ICONERROR);
        return nullptr;
    }
    // While the frame is built the document must not end itself for lack of views.
    const bool autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = false;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC, MB_ICONERROR);
        delete doc;
        return nullptr;
    }
    if (path.isEmpty()) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            frame->DestroyWindow();
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        if (!doc->OnOpenDocument(path)) {
            frame->DestroyWindow();
            return nullptr;
        }
        if (adopt)
            adopt(doc);
        else
            doc->SetPathName(path);
        doc->RememberFileOnDisk();
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    QString title = GetDocString(docName);
    if (title.isEmpty())
        title = AfxLoadString(AFX_IDS_UNTITLED);
    else
        title += QString::number(m_nUntitledCount + 1);
    pDocument->SetTitle(title);
}

} // namespace lw
