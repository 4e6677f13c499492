#pragma once
// The root of everything that takes part in command routing.

#include "framework/core/MessageMap.h"

#include <QString>

namespace lw {

class CFrameWnd;

class CObject {
public:
    virtual ~CObject() = default;
};

// Filled instead of running a handler when the route is only asked whether a
// command handler exists (automatic disabling).
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
    const AFX_MSGMAP_ENTRY* pEntry = nullptr;
};

class CCmdTarget : public CObject {
public:
    // The routing step: TRUE when some handler took the command or answered the
    // update request. pExtra is the CCmdUI for an update request.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();

    // The first entry of this object's map chain matching a message, code and ID.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, int nCode, UINT nID) const;

protected:
    // Runs a WM_COMMAND entry's handler (command, range or update kinds).
    BOOL DispatchCmdMsg(UINT nID, int nCode, const AFX_MSGMAP_ENTRY& entry, void* pExtra);
};

// Messages registered by name get one number per name for the life of the process.
UINT RegisterWindowMessage(const char* name);

// Which frame is routing the current request, so that handlers can find it.
CFrameWnd* AfxGetRoutingFrame();

class CPushRoutingFrame {
public:
    explicit CPushRoutingFrame(CFrameWnd* frame);
    ~CPushRoutingFrame();
    CPushRoutingFrame(const CPushRoutingFrame&) = delete;
    CPushRoutingFrame& operator=(const CPushRoutingFrame&) = delete;

private:
    CFrameWnd* m_pOld;
};

} // namespace lw
