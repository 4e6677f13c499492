#pragma once
// Keeps the document templates and runs New, Open and the open-document operation
// that every road to a file ends in.

#include "framework/core/Types.h"

#include <QString>
#include <memory>
#include <vector>

namespace lw {

class CDocTemplate;
class CDocument;

class CDocManager {
public:
    CDocManager();
    virtual ~CDocManager();

    void AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& Templates() const { return m_templates; }

    virtual void OnFileNew();
    virtual void OnFileOpen();
    // Normalises the path (quotes, relative paths, links), activates the document
    // when the file is already open, or opens it in a new one.
    virtual CDocument* OpenDocumentFile(const QString& rawPath);

    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount() const;
    std::vector<CDocument*> Documents() const;

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
};

} // namespace lw
