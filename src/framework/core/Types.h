#pragma once
// The handful of platform-flavoured integer types and message numbers the command
// machinery speaks in. They keep the framework's tables readable next to the numbers
// the program's resources use.

#include <cstdint>

namespace lw {

using UINT = std::uint32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Window messages the framework dispatches through message maps.
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_NOTIFY = 0x004E;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;
// Messages registered by name get numbers from this value up.
inline constexpr UINT WM_REGISTERED_FIRST = 0xC000;

// Routing codes.
inline constexpr int CN_COMMAND = 0;
inline constexpr int CN_UPDATE_COMMAND_UI = -1;

// The first ID of the system-command range; such IDs are never disabled automatically.
inline constexpr UINT ID_SYSTEM_FIRST = 0xF000;

constexpr std::uint16_t LOWORD(WPARAM w) { return static_cast<std::uint16_t>(w & 0xFFFF); }
constexpr std::uint16_t HIWORD(WPARAM w) { return static_cast<std::uint16_t>((w >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(std::uint16_t lo, std::uint16_t hi) {
    return static_cast<WPARAM>(lo) | (static_cast<WPARAM>(hi) << 16);
}

// Header of a WM_NOTIFY message.
class CWnd;
struct NMHDR {
    CWnd* hwndFrom = nullptr;
    UINT idFrom = 0;
    int code = 0;
};

// Message-box types and answers used by the program's prompts.
inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_YESNOCANCEL = 0x3;
inline constexpr UINT MB_YESNO = 0x4;
inline constexpr UINT MB_ICONERROR = 0x10;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONINFORMATION = 0x40;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

} // namespace lw
