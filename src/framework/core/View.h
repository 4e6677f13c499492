#pragma once
// A view shows one document inside a frame; on the route it comes first, then its
// document.

#include "framework/core/Wnd.h"

namespace lw {

class CDocument;
struct CCreateContext;

class CView : public CWnd {
public:
    ~CView() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const override { return m_pFrame; }

    // Attaches the view to the context's document. The UI layer overrides it to create
    // its widget; returning FALSE refuses the creation.
    virtual BOOL Create(CCreateContext* pContext);
    virtual void OnInitialUpdate() {}
    // The document's title or path changed.
    virtual void OnDocumentTitleChanged() {}

protected:
    void OnDestroy() override;

private:
    friend class CDocument;
    friend class CFrameWnd;
    CDocument* m_pDocument = nullptr;
    CFrameWnd* m_pFrame = nullptr;
};

} // namespace lw
