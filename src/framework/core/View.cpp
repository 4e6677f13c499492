#include "framework/core/View.h"

#include "framework/core/Document.h"
#include "framework/core/FrameWnd.h"

namespace lw {

CView::~CView() {
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (m_pDocument)
        return m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    return FALSE;
}

BOOL CView::Create(CCreateContext* pContext) {
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    return TRUE;
}

void CView::OnDestroy() {
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

} // namespace lw
