#include "framework/core/FrameWnd.h"

#include "framework/core/Document.h"
#include "framework/core/View.h"
#include "framework/core/WinApp.h"

#include <algorithm>

namespace lw {

CFrameWnd::~CFrameWnd() {
    for (CView* v : m_views) {
        v->m_pFrame = nullptr;
        delete v;
    }
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    CPushRoutingFrame push(this);
    if (CView* view = GetActiveView(); view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWinApp* app = AfxGetApp(); app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

BOOL CFrameWnd::OnPaneCmdMsg(UINT, int, void*, AFX_CMDHANDLERINFO*) { return FALSE; }

BOOL CFrameWnd::LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    SetParent(pParentWnd);
    if (pContext && pContext->m_pNewViewClass) {
        CView* view = CreateView(pContext);
        if (!view)
            return FALSE;
        if (!GetActiveView())
            SetActiveView(view);
    }
    return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext) {
    CView* view = pContext->m_pNewViewClass();
    if (!view)
        return nullptr;
    view->SetParent(this);
    AddView(view);
    if (!view->Create(pContext)) {
        RemoveView(view);
        delete view;
        return nullptr;
    }
    return view;
}

void CFrameWnd::AddView(CView* view) {
    view->m_pFrame = this;
    m_views.push_back(view);
}

void CFrameWnd::RemoveView(CView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    if (m_pViewActive == view)
        m_pViewActive = nullptr;
    view->m_pFrame = nullptr;
}

void CFrameWnd::SetActiveView(CView* pView) { m_pViewActive = pView; }

CDocument* CFrameWnd::GetActiveDocument() {
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    for (CView* v : std::vector<CView*>(m_views))
        v->OnInitialUpdate();
    if (!GetActiveView() && !m_views.empty())
        SetActiveView(m_views.front());
    if (bMakeVisible)
        ActivateFrame();
    (void)pDoc;
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int) {}

void CFrameWnd::OnUpdateFrameTitle(BOOL) {}

void CFrameWnd::OnClose() { DestroyWindow(); }

void CFrameWnd::OnDestroy() {
    // Views go before the frame, each detaching from its document.
    std::vector<CView*> views;
    views.swap(m_views);
    m_pViewActive = nullptr;
    for (CView* v : views) {
        v->m_pFrame = nullptr;
        v->DestroyWindow();
        delete v;
    }
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    CPushRoutingFrame push(this);
    if (CMDIChildWnd* child = MDIGetActive()) {
        CPushRoutingFrame pushChild(child);
        if (child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    if (CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return OnPaneCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CMDIFrameWnd::~CMDIFrameWnd() {
    // Children that outlive the frame must not call back into it.
    for (CMDIChildWnd* child : m_children)
        child->m_pMDIFrame = nullptr;
}

void CMDIFrameWnd::MDIActivate(CMDIChildWnd* child) {
    m_pActiveChild = child;
    OnUpdateFrameTitle(TRUE);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    if (CMDIChildWnd* child = MDIGetActive())
        return child;
    return this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
    CMDIChildWnd* child = MDIGetActive();
    return child ? child->GetActiveDocument() : nullptr;
}

void CMDIFrameWnd::AddChild(CMDIChildWnd* child) { m_children.push_back(child); }

void CMDIFrameWnd::RemoveChild(CMDIChildWnd* child) {
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
    if (m_pActiveChild == child)
        MDIActivate(m_children.empty() ? nullptr : m_children.back());
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext) {
    m_pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd);
    if (m_pMDIFrame)
        m_pMDIFrame->AddChild(this);
    return CFrameWnd::LoadFrame(nIDResource, pParentWnd, pContext);
}

void CMDIChildWnd::ActivateFrame(int) {
    if (m_pMDIFrame)
        m_pMDIFrame->MDIActivate(this);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (CDocument* doc = GetActiveDocument(); doc && bAddToTitle)
        SetWindowText(doc->GetTitle());
    if (m_pMDIFrame)
        m_pMDIFrame->OnUpdateFrameTitle(bAddToTitle);
}

void CMDIChildWnd::OnDestroy() {
    CFrameWnd::OnDestroy();
    if (m_pMDIFrame)
        m_pMDIFrame->RemoveChild(this);
}

void CMDIChildWnd::PostNcDestroy() { delete this; }

} // namespace lw
