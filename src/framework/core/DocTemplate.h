#pragma once
// A document template ties a document type to its frame and view classes and to its
// resource number (menu, icon and the seven-field template string).

#include "framework/core/CmdTarget.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace lw {

class CDocument;
class CFrameWnd;
class CView;

class CDocTemplate : public CCmdTarget {
public:
    // The fields of the template string, in stored order.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };

    using DocumentFactory = std::function<CDocument*()>;
    using FrameFactory = std::function<CFrameWnd*()>;
    using ViewFactory = std::function<CView*()>;

    CDocTemplate(UINT nIDResource, DocumentFactory doc, FrameFactory frame, ViewFactory view);
    ~CDocTemplate() override;

    UINT GetResourceID() const { return m_nIDResource; }
    // One field of the template string; empty when missing.
    QString GetDocString(DocStringIndex index) const;
    // The first extension of the filter field without its dot ("html").
    QString DefaultExtension() const;
    // "NewDocuments (*.html *.htm)" style filters for the file dialogs, the template's
    // own first, then "All Files".
    QStringList FileDialogFilters() const;
    // Asks the user for a file name (Open when open is true, else Save As).
    std::optional<QString> PromptFileName(bool open, const QString& proposed) const;

    virtual CDocument* CreateNewDocument();
    // Creates a frame (with its view) for the document; nullptr on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // Opens path in a new document, or creates an untitled one when path is empty.
    virtual CDocument* OpenDocumentFile(const QString& path, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    void AddDocument(CDocument* pDoc);
    void RemoveDocument(CDocument* pDoc);
    const std::vector<CDocument*>& Documents() const { return m_docList; }
    // The open document whose path is the same file, if any.
    CDocument* FindOpenDocument(const QString& path) const;

    // Where the new frames go (the main frame).
    CFrameWnd* m_pFrameParent = nullptr;

protected:
    UINT m_nIDResource;
    DocumentFactory m_docFactory;
    FrameFactory m_frameFactory;
    ViewFactory m_viewFactory;
    std::vector<CDocument*> m_docList;
};

class CMultiDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;

    CDocument* OpenDocumentFile(const QString& path, BOOL bMakeVisible = TRUE) override;
    // Opens a document from path but lets adopt name it (instead of taking path as its file),
    // as for a document read back from its auto-saved copy.
    CDocument* OpenDocumentFrom(const QString& path, const std::function<void(CDocument*)>& adopt,
                                BOOL bMakeVisible = TRUE);
    void SetDefaultTitle(CDocument* pDocument) override;
    // Documents created new so far; it never goes down.
    UINT UntitledCount() const { return m_nUntitledCount; }

private:
    UINT m_nUntitledCount = 0;
};

} // namespace lw
