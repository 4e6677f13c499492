#pragma once
// An HTML document: the page lives in its view's engine; the document loads, saves and
// reports it modified by driving that engine, and sends it by mail.

#include "framework/core/Document.h"

#include <QIODevice>
#include <memory>

class QTemporaryDir;

namespace lw {

class CHtmlEditView;
class IHtmlEngine;

class CHtmlEditDoc : public CDocument {
    DECLARE_MESSAGE_MAP()
public:
    CHtmlEditDoc();
    ~CHtmlEditDoc() override;

    CHtmlEditView* GetView() const;

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const QString& path) override;
    BOOL OnSaveDocument(const QString& path) override;
    // Modified unless the engine reports its page clean; a document without its view is not.
    BOOL IsModified() override;
    // Marking the document modified holds until it is saved, whatever the page says.
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    BOOL SaveCopyTo(const QString& path, QString* errorText) override;
    BOOL ReloadFromDisk() override;

    // Writes the page to path, replacing any file there in one step: on failure the old
    // file is untouched and no stray file is left. errorText says why it failed. ownFile is
    // the document's own save (not a copy): a save that cannot keep the page's own bytes
    // beyond the edit asks first (once per document), and fails with an empty errorText when
    // the user declines; a new page's local files are written relative to path.
    BOOL SavePageTo(const QString& path, QString* errorText, bool ownFile = false);

    // Why a file cannot be opened as a page (missing, a folder, unreadable, binary), or
    // empty when it can.
    static QString CheckOpenable(const QString& path);

    void OnFileSendMail();
    void OnUpdateFileSendMail(CCmdUI* pCmdUI);
    // The mail program ("xdg-email") on the path, looked up once per process.
    static bool IsMailAvailable();

private:
    std::unique_ptr<QTemporaryDir> m_mailDir;
    // Set when a mail copy cleaned the engine's page while the document had changes.
    bool m_bForceModified = false;
    // The user agreed to a save that does not keep all of the page's own bytes.
    bool m_bSourceLossAccepted = false;
};

} // namespace lw
