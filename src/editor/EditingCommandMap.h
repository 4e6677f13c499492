#pragma once
// The editing command map: for each editing command, the engine command that carries it
// out, how its item shows the engine's latched state, and the view handler that does the
// work instead of a plain execute, if any.

#include "framework/core/Types.h"

#include <array>
#include <cstdint>

namespace lw {

class CLoomwriteView;

enum class EditingCommandKind : std::uint32_t {
    Plain = 0, // only enabled or disabled
    Check = 1, // check mark follows the latched state
    Radio = 2, // radio mark follows the latched state
};

using EditingCommandHandler = void (CLoomwriteView::*)(UINT engineCommand);

struct EditingCommandEntry {
    UINT commandId;
    UINT engineCommand; // 0 only in the terminating entry
    EditingCommandKind kind;
    EditingCommandHandler handler;
};

inline constexpr std::size_t kEditingCommandCount = 71;
// The 71 entries in order, then an all-zero terminating entry.
extern const std::array<EditingCommandEntry, kEditingCommandCount + 1> EditingCommandMap;

} // namespace lw
