// Start-up's part of recovery: reopening the documents of a session that ended without
// cleaning up (a crash, a kill, a session-manager restart), from their auto-saved copies
// where the user wants those.

#include "app/LoomwriteApp.h"

#include "framework/core/DataRecoveryHandler.h"
#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/Resources.h"
#include "framework/core/UserPrompts.h"
#include "resources/CommandIds.h"

#include <QFileInfo>
#include <algorithm>

namespace lw {

void CLoomwriteApp::StartDataRecovery(const QString& restartIdentifier) {
    auto handler = std::make_unique<CDataRecoveryHandler>(
        CDataRecoveryHandler::DefaultFolder(GetRegistryKey(), GetProfileName()), restartIdentifier);
    CDataRecoveryHandler* h = handler.get();
    SetDataRecoveryHandler(std::move(handler));
    m_recoverySessions = h->FindSessionsToRecover(restartIdentifier);
    // The interval can be shortened from the environment, for whoever tests recovery.
    bool ok = false;
    const int fromEnv = qEnvironmentVariableIntValue("LOOMWRITE_AUTOSAVE_MS", &ok);
    if (ok && fromEnv >= 500)
        m_nAutosaveInterval = fromEnv;
    h->Start([this] { return GetDocManager()->Documents(); }, m_nAutosaveInterval);
}

int CLoomwriteApp::RecoverDocuments() {
    CDataRecoveryHandler* handler = GetDataRecoveryHandler();
    std::vector<CRecoverySession> sessions;
    sessions.swap(m_recoverySessions);
    if (!handler || sessions.empty())
        return 0;
    std::vector<CRecoveredDocument> docs;
    for (const CRecoverySession& s : sessions)
        docs.insert(docs.end(), s.documents.begin(), s.documents.end());
    bool useCopies = false;
    if (std::any_of(docs.begin(), docs.end(), &CDataRecoveryHandler::IsCopyNewer)) {
        const int choice = AfxChoose({AfxLoadString(AFX_IDS_RECOVERY_CAPTION), AfxLoadString(AFX_IDS_RECOVERY_QUESTION),
                                      AfxLoadString(AFX_IDS_RECOVERY_DETAILS),
                                      {AfxLoadString(AFX_IDS_RECOVERY_OPEN_AUTOSAVED),
                                       AfxLoadString(AFX_IDS_RECOVERY_OPEN_SAVED)}});
        useCopies = choice == 0;
    }
    const auto& templates = GetDocManager()->Templates();
    auto* tmpl = templates.empty() ? nullptr : dynamic_cast<CMultiDocTemplate*>(templates.front().get());
    int opened = 0;
    for (const CRecoveredDocument& doc : docs) {
        if (useCopies && tmpl && CDataRecoveryHandler::IsCopyNewer(doc)) {
            CRecoveredDocument taken = doc;
            taken.copy = handler->TakeOverCopy(doc);
            if (handler->OpenFromCopy(*tmpl, taken))
                ++opened;
        } else if (!doc.path.isEmpty() && QFileInfo::exists(doc.path)) {
            if (OpenDocumentFile(doc.path))
                ++opened;
        }
    }
    for (const CRecoverySession& s : sessions)
        handler->DiscardSession(s);
    return opened;
}

} // namespace lw
