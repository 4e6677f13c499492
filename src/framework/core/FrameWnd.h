#pragma once
// Frames and the command route through them: the active child frame (and its view,
// document and template) first, then the application, then the main frame itself,
// the application again, and last the main frame's pane-menu support.

#include "framework/core/Wnd.h"

#include <functional>
#include <vector>

namespace lw {

class CDocument;
class CDocTemplate;
class CView;

struct CCreateContext {
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    std::function<CView*()> m_pNewViewClass;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd {
public:
    ~CFrameWnd() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Creates the frame for a resource. The default creates the view named by the
    // context; the UI layer creates its widgets first.
    virtual BOOL LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext);
    UINT GetResourceID() const { return m_nIDHelp; }

    virtual CView* GetActiveView() const { return m_pViewActive; }
    virtual void SetActiveView(CView* pView);
    virtual CDocument* GetActiveDocument();
    // The frame that shows the document being worked on (itself for a child frame).
    virtual CFrameWnd* GetActiveFrame() { return this; }

    // Called after the first document is attached; shows and activates the frame.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    // Refreshes the caption from the active document's title.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // Closing by the user: asks about unsaved work, then destroys.
    virtual void OnClose();

    // The step that runs after the whole route: the pane-menu support of frames
    // that have panes. The base frame has none.
    virtual BOOL OnPaneCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& Views() const { return m_views; }

protected:
    virtual CView* CreateView(CCreateContext* pContext);
    void OnDestroy() override;

    UINT m_nIDHelp = 0;
    CView* m_pViewActive = nullptr;
    std::vector<CView*> m_views; // owned
};

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
public:
    ~CMDIFrameWnd() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    virtual CMDIChildWnd* MDIGetActive() const { return m_pActiveChild; }
    // The UI layer tells the frame which child is active (or none).
    virtual void MDIActivate(CMDIChildWnd* child);
    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;

    void AddChild(CMDIChildWnd* child);
    void RemoveChild(CMDIChildWnd* child);
    const std::vector<CMDIChildWnd*>& Children() const { return m_children; }

protected:
    CMDIChildWnd* m_pActiveChild = nullptr;
    std::vector<CMDIChildWnd*> m_children;
};

class CMDIChildWnd : public CFrameWnd {
public:
    BOOL LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext) override;
    CMDIFrameWnd* GetMDIFrame() const { return m_pMDIFrame; }
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    friend class CMDIFrameWnd;
    void OnDestroy() override;
    // Child frames own themselves: destroying the window deletes the object.
    void PostNcDestroy() override;

    CMDIFrameWnd* m_pMDIFrame = nullptr;
};

} // namespace lw
