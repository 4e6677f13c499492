#include "framework/core/CmdTarget.h"

#include "framework/core/CmdUI.h"

#include <QHash>
#include <QByteArray>

namespace lw {

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP messageMap = {nullptr, {}};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {
bool entryMatches(const AFX_MSGMAP_ENTRY& e, UINT nMessage, int nCode, UINT nID) {
    if (e.kind == AfxHandlerKind::RegisteredMessage)
        return e.registeredName && RegisterWindowMessage(e.registeredName) == nMessage;
    if (e.nMessage != nMessage)
        return false;
    if (e.kind == AfxHandlerKind::WindowMessage)
        return true;
    return e.nCode == nCode && nID >= e.nID && nID <= e.nLastID;
}
} // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, int nCode, UINT nID) const {
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY& e : map->entries) {
            if (entryMatches(e, nMessage, nCode, nID))
                return &e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_COMMAND, nCode, nID);
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        // Only asked whether a handler exists: answer without running it.
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    return DispatchCmdMsg(nID, nCode, *entry, pExtra);
}

BOOL CCmdTarget::DispatchCmdMsg(UINT nID, int nCode, const AFX_MSGMAP_ENTRY& entry, void* pExtra) {
    switch (entry.kind) {
    case AfxHandlerKind::Command:
        std::get<AfxPmsgCommand>(entry.pfn)(this);
        return TRUE;
    case AfxHandlerKind::CommandRange:
        std::get<AfxPmsgRange>(entry.pfn)(this, nID);
        return TRUE;
    case AfxHandlerKind::Update:
    case AfxHandlerKind::UpdateRange: {
        auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (!pCmdUI || nCode != CN_UPDATE_COMMAND_UI)
            return FALSE;
        pCmdUI->m_bContinueRouting = false;
        std::get<AfxPmsgUpdate>(entry.pfn)(this, pCmdUI);
        // A handler may ask for the route to go on (it answered only partly).
        return pCmdUI->m_bContinueRouting ? FALSE : TRUE;
    }
    default:
        return FALSE;
    }
}

UINT RegisterWindowMessage(const char* name) {
    static QHash<QByteArray, UINT> registry;
    const QByteArray key(name);
    auto it = registry.constFind(key);
    if (it != registry.constEnd())
        return *it;
    const UINT id = WM_REGISTERED_FIRST + static_cast<UINT>(registry.size());
    registry.insert(key, id);
    return id;
}

namespace {
CFrameWnd*& routingFrame() {
    static CFrameWnd* frame = nullptr;
    return frame;
}
} // namespace

CFrameWnd* AfxGetRoutingFrame() { return routingFrame(); }

CPushRoutingFrame::CPushRoutingFrame(CFrameWnd* frame) : m_pOld(routingFrame()) { routingFrame() = frame; }
CPushRoutingFrame::~CPushRoutingFrame() { routingFrame() = m_pOld; }

} // namespace lw
