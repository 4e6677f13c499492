#pragma once
// Message maps: one static table per class, linked to its base class's table and
// searched from the most derived class down. Each entry holds a function made for its
// handler alone, which turns the routed object back into the map's class and calls the
// handler as a member of the class that declares it, so a virtual handler still
// dispatches through its virtual slot.
//
// Entries do not hold CCmdTarget member pointers converted from the handlers: that is valid
// C++, but the call then reaches the handler's object through a CCmdTarget pointer set to
// where the handler's class starts, and where a Qt class comes first (as in every window of
// the program) GCC's vptr check finds no CCmdTarget there and stops the sanitizer build.
// Downcasting first makes every call one it can check, against the object's own type.

#include "framework/core/Types.h"

#include <span>
#include <type_traits>
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

using AfxPmsgCommand = void (*)(CCmdTarget*);
using AfxPmsgUpdate = void (*)(CCmdTarget*, CCmdUI*);
using AfxPmsgRange = void (*)(CCmdTarget*, UINT);
using AfxPmsgNotify = void (*)(CCmdTarget*, NMHDR*, LRESULT*);
using AfxPmsgMessage = LRESULT (*)(CCmdTarget*, WPARAM, LPARAM);
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

// Calls handler Pfn of class T (or of one of its bases) on the object a map of T routed to.
// The signature check keeps each kind of entry to handlers of exactly its own signature.
template <class T, auto Pfn, class R, class... Args> R call(CCmdTarget* target, Args... args) {
    static_assert(std::is_convertible_v<decltype(Pfn), R (T::*)(Args...)>,
                  "the handler does not have this kind of entry's signature");
    return (static_cast<T*>(target)->*Pfn)(args...);
}

template <class T, auto Pfn> AFX_MSGMAP_ENTRY command(UINT id, int code = CN_COMMAND) {
    return {WM_COMMAND, code, id, id, AfxHandlerKind::Command, AfxPmsgCommand(&call<T, Pfn, void>), nullptr};
}
template <class T, auto Pfn> AFX_MSGMAP_ENTRY update(UINT id) {
    return {WM_COMMAND,    CN_UPDATE_COMMAND_UI, id, id, AfxHandlerKind::Update,
            AfxPmsgUpdate(&call<T, Pfn, void, CCmdUI*>), nullptr};
}
template <class T, auto Pfn> AFX_MSGMAP_ENTRY commandRange(UINT first, UINT last) {
    return {WM_COMMAND, CN_COMMAND, first, last, AfxHandlerKind::CommandRange,
            AfxPmsgRange(&call<T, Pfn, void, UINT>), nullptr};
}
template <class T, auto Pfn> AFX_MSGMAP_ENTRY updateRange(UINT first, UINT last) {
    return {WM_COMMAND,    CN_UPDATE_COMMAND_UI, first, last, AfxHandlerKind::UpdateRange,
            AfxPmsgUpdate(&call<T, Pfn, void, CCmdUI*>), nullptr};
}
template <class T, auto Pfn> AFX_MSGMAP_ENTRY notify(int code, UINT id) {
    return {WM_NOTIFY,     code, id, id, AfxHandlerKind::ControlNotification,
            AfxPmsgNotify(&call<T, Pfn, void, NMHDR*, LRESULT*>), nullptr};
}
template <class T, auto Pfn> AFX_MSGMAP_ENTRY registered(const char* name) {
    return {0,    0, 0, 0, AfxHandlerKind::RegisteredMessage, AfxPmsgMessage(&call<T, Pfn, LRESULT, WPARAM, LPARAM>),
            name};
}
template <class T, auto Pfn> AFX_MSGMAP_ENTRY message(UINT msg) {
    return {msg, 0, 0, 0, AfxHandlerKind::WindowMessage, AfxPmsgMessage(&call<T, Pfn, LRESULT, WPARAM, LPARAM>),
            nullptr};
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

#define ON_COMMAND(id, memberFxn) ::lw::afx::command<ThisClass, memberFxn>((id)),
#define ON_CONTROL(code, id, memberFxn) ::lw::afx::command<ThisClass, memberFxn>((id), (code)),
#define ON_UPDATE_COMMAND_UI(id, memberFxn) ::lw::afx::update<ThisClass, memberFxn>((id)),
#define ON_COMMAND_RANGE(first, last, memberFxn) ::lw::afx::commandRange<ThisClass, memberFxn>((first), (last)),
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, memberFxn)                                                     \
    ::lw::afx::updateRange<ThisClass, memberFxn>((first), (last)),
#define ON_NOTIFY(code, id, memberFxn) ::lw::afx::notify<ThisClass, memberFxn>((code), (id)),
#define ON_REGISTERED_MESSAGE(name, memberFxn) ::lw::afx::registered<ThisClass, memberFxn>((name)),
#define ON_MESSAGE(msg, memberFxn) ::lw::afx::message<ThisClass, memberFxn>((msg)),
