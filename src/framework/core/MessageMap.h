#pragma once
// Message maps: one static table per class, linked to its base class's table and
// searched from the most derived class down. Entries hold member-function pointers,
// so a virtual handler dispatches through its virtual slot.

#include "framework/core/Types.h"

#include <span>
#include <variant>

namespace lw {

class CCmdTarget;
class CCmdUI;

enum class AfxHandlerKind : std::uint8_t {
    Command,             // WM_COMMAND, one ID, code 0 (or a control's code)
    Update,              // WM_COMMAND, one ID, code -1
    CommandRange,        // WM_COMMAND, an ID range; receives the ID
    UpdateRange,         // WM_COMMAND, an ID range, code -1
    ControlNotification, // WM_NOTIFY from one control with one code; not routed
    RegisteredMessage,   // a message registered by name; not routed
    WindowMessage,       // any other window message; not routed
};

using AfxPmsgCommand = void (CCmdTarget::*)();
using AfxPmsgUpdate = void (CCmdTarget::*)(CCmdUI*);
using AfxPmsgRange = void (CCmdTarget::*)(UINT);
using AfxPmsgNotify = void (CCmdTarget::*)(NMHDR*, LRESULT*);
using AfxPmsgMessage = LRESULT (CCmdTarget::*)(WPARAM, LPARAM);
using AfxHandler = std::variant<AfxPmsgCommand, AfxPmsgUpdate, AfxPmsgRange, AfxPmsgNotify, AfxPmsgMessage>;

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;              // 0 for a registered message (see registeredName)
    int nCode;                  // 0 command, -1 update, or a control's notification code
    UINT nID;                   // first ID of the range
    UINT nLastID;               // last ID (equal to nID for one ID)
    AfxHandlerKind kind;
    AfxHandler pfn;
    const char* registeredName; // the name a registered message was registered under
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    std::span<const AFX_MSGMAP_ENTRY> entries;
};

namespace afx {

template <class T>
AFX_MSGMAP_ENTRY command(UINT id, void (T::*pfn)(), int code = CN_COMMAND) {
    return {WM_COMMAND, code, id, id, AfxHandlerKind::Command, static_cast<AfxPmsgCommand>(pfn), nullptr};
}
template <class T> AFX_MSGMAP_ENTRY update(UINT id, void (T::*pfn)(CCmdUI*)) {
    return {WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, AfxHandlerKind::Update, static_cast<AfxPmsgUpdate>(pfn),
            nullptr};
}
template <class T> AFX_MSGMAP_ENTRY commandRange(UINT first, UINT last, void (T::*pfn)(UINT)) {
    return {WM_COMMAND, CN_COMMAND, first, last, AfxHandlerKind::CommandRange, static_cast<AfxPmsgRange>(pfn),
            nullptr};
}
template <class T> AFX_MSGMAP_ENTRY updateRange(UINT first, UINT last, void (T::*pfn)(CCmdUI*)) {
    return {WM_COMMAND,    CN_UPDATE_COMMAND_UI, first, last, AfxHandlerKind::UpdateRange,
            static_cast<AfxPmsgUpdate>(pfn), nullptr};
}
template <class T> AFX_MSGMAP_ENTRY notify(int code, UINT id, void (T::*pfn)(NMHDR*, LRESULT*)) {
    return {WM_NOTIFY,   code, id, id, AfxHandlerKind::ControlNotification, static_cast<AfxPmsgNotify>(pfn),
            nullptr};
}
template <class T> AFX_MSGMAP_ENTRY registered(const char* name, LRESULT (T::*pfn)(WPARAM, LPARAM)) {
    return {0, 0, 0, 0, AfxHandlerKind::RegisteredMessage, static_cast<AfxPmsgMessage>(pfn), name};
}
template <class T> AFX_MSGMAP_ENTRY message(UINT msg, LRESULT (T::*pfn)(WPARAM, LPARAM)) {
    return {msg, 0, 0, 0, AfxHandlerKind::WindowMessage, static_cast<AfxPmsgMessage>(pfn), nullptr};
}

} // namespace afx
} // namespace lw

#define DECLARE_MESSAGE_MAP()                                                                                  \
protected:                                                                                                     \
    static const ::lw::AFX_MSGMAP* GetThisMessageMap();                                                        \
                                                                                                               \
public:                                                                                                        \
    const ::lw::AFX_MSGMAP* GetMessageMap() const override;                                                    \
                                                                                                               \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                 \
    const ::lw::AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                   \
    const ::lw::AFX_MSGMAP* theClass::GetThisMessageMap() {                                                    \
        using ThisClass = theClass;                                                                            \
        using TheBaseClass = baseClass;                                                                        \
        static const ::lw::AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                      \
    }                                                                                                          \
    ;                                                                                                          \
    static const ::lw::AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,                             \
                                                std::span<const ::lw::AFX_MSGMAP_ENTRY>(_messageEntries)};     \
    return &messageMap;                                                                                        \
    }

// A map with no entries of its own still links to its base.
#define BEGIN_EMPTY_MESSAGE_MAP(theClass, baseClass)                                                           \
    const ::lw::AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                   \
    const ::lw::AFX_MSGMAP* theClass::GetThisMessageMap() {                                                    \
        static const ::lw::AFX_MSGMAP messageMap = {&baseClass::GetThisMessageMap, {}};                        \
        return &messageMap;                                                                                    \
    }

#define ON_COMMAND(id, memberFxn) ::lw::afx::command<ThisClass>((id), memberFxn),
#define ON_CONTROL(code, id, memberFxn) ::lw::afx::command<ThisClass>((id), memberFxn, (code)),
#define ON_UPDATE_COMMAND_UI(id, memberFxn) ::lw::afx::update<ThisClass>((id), memberFxn),
#define ON_COMMAND_RANGE(first, last, memberFxn) ::lw::afx::commandRange<ThisClass>((first), (last), memberFxn),
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, memberFxn)                                                     \
    ::lw::afx::updateRange<ThisClass>((first), (last), memberFxn),
#define ON_NOTIFY(code, id, memberFxn) ::lw::afx::notify<ThisClass>((code), (id), memberFxn),
#define ON_REGISTERED_MESSAGE(name, memberFxn) ::lw::afx::registered<ThisClass>((name), memberFxn),
#define ON_MESSAGE(msg, memberFxn) ::lw::afx::message<ThisClass>((msg), memberFxn),
