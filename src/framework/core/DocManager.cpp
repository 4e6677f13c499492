#include "framework/core/DocManager.h"

#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/FrameWnd.h"
#include "framework/core/OpenPath.h"
#include "framework/core/View.h"
#include "framework/core/WinApp.h"

namespace lw {

CDocManager::CDocManager() = default;
CDocManager::~CDocManager() = default;

void CDocManager::AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate) {
    m_templates.push_back(std::move(pTemplate));
}

void CDocManager::OnFileNew() {
    // With one template there is no choice of type.
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(QString());
}

void CDocManager::OnFileOpen() {
    if (m_templates.empty())
        return;
    std::optional<QString> chosen = m_templates.front()->PromptFileName(true, QString());
    if (chosen && !chosen->isEmpty())
        OpenDocumentFile(*chosen);
}

CDocument* CDocManager::OpenDocumentFile(const QString& rawPath) {
    const QString path = NormaliseOpenPath(rawPath);
    if (path.isEmpty() || m_templates.empty())
        return nullptr;
    for (const auto& t : m_templates) {
        if (CDocument* open = t->FindOpenDocument(path)) {
            for (CFrameWnd* frame : open->Frames())
                frame->ActivateFrame();
            if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
                if (auto* main = dynamic_cast<CFrameWnd*>(app->m_pMainWnd))
                    main->ActivateFrame();
            return open;
        }
    }
    return m_templates.front()->OpenDocumentFile(path);
}

BOOL CDocManager::SaveAllModified() {
    for (CDocument* d : Documents()) {
        if (!d->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL) {
    for (CDocument* d : Documents())
        d->OnCloseDocument();
}

int CDocManager::GetOpenDocumentCount() const { return static_cast<int>(Documents().size()); }

std::vector<CDocument*> CDocManager::Documents() const {
    std::vector<CDocument*> docs;
    for (const auto& t : m_templates)
        docs.insert(docs.end(), t->Documents().begin(), t->Documents().end());
    return docs;
}

} // namespace lw
