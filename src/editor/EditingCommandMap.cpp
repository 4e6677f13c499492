#include "editor/EditingCommandMap.h"

#include "editor/LoomwriteView.h"
#include "resources/CommandIds.h"

namespace lw {

namespace {
constexpr auto P = EditingCommandKind::Plain;
constexpr auto C = EditingCommandKind::Check;
constexpr auto R = EditingCommandKind::Radio;
using V = CLoomwriteView;
} // namespace

// clang-format off
const std::array<EditingCommandEntry, kEditingCommandCount + 1> EditingCommandMap = {{
    {ID_FILE_PRINT,                    27,   P, nullptr},
    {ID_FILE_PRINT_PREVIEW,            2003, P, nullptr},
    {ID_FILE_PAGE_SETUP,               2004, P, nullptr},
    {ID_EDIT_UNDO,                     43,   P, nullptr},
    {ID_EDIT_REDO,                     29,   P, nullptr},
    {ID_EDIT_COPY,                     15,   P, nullptr},
    {ID_EDIT_CUT,                      16,   P, nullptr},
    {ID_EDIT_PASTE,                    26,   P, nullptr},
    {ID_EDIT_PASTE_TEXT_ONLY,          2501, P, nullptr},
    {ID_EDIT_PASTE_CONTENT_ONLY,       2500, P, nullptr},
    {ID_EDIT_CLEAR,                    17,   P, nullptr},
    {ID_EDIT_SELECT_ALL,               31,   P, nullptr},
    {ID_EDIT_FIND,                     67,   P, nullptr},
    {ID_FORMAT_FONT_NAME,              18,   P, &V::OnFontName},
    {ID_FORMAT_FONT_SIZE,              19,   P, &V::OnFontSize},
    {ID_TEXT_BOLD,                     52,   C, nullptr},
    {ID_TEXT_ITALIC,                   56,   C, nullptr},
    {ID_TEXT_UNDERLINE,                63,   C, nullptr},
    {ID_TEXT_STRIKETHROUGH,            91,   C, nullptr},
    {ID_TEXT_SUPERSCRIPT,              2248, C, nullptr},
    {ID_TEXT_SUBSCRIPT,                2247, C, nullptr},
    {ID_FORMAT_FORE_COLOR,             55,   P, &V::OnForeColorButton},
    {ID_FORMAT_BACK_COLOR,             51,   P, &V::OnBackColorButton},
    {ID_TEXT_FORE_COLOR,               55,   P, &V::OnChooseColor},
    {ID_TEXT_BACK_COLOR,               51,   P, &V::OnChooseColor},
    {ID_FORMAT_FONT,                   90,   P, nullptr},
    {ID_TEXT_REMOVE_FORMAT,            2230, P, nullptr},
    {ID_EDIT_HYPERLINK,                2124, P, nullptr},
    {ID_EDIT_UNLINK,                   2125, P, nullptr},
    {ID_BLOCK_JUSTIFY_LEFT,            59,   C, nullptr},
    {ID_BLOCK_JUSTIFY_CENTER,          57,   C, nullptr},
    {ID_BLOCK_JUSTIFY_RIGHT,           60,   C, nullptr},
    {ID_BLOCK_JUSTIFY_FULL,            50,   C, nullptr},
    {ID_BLOCK_JUSTIFY_NONE,            94,   C, nullptr},
    {ID_BLOCK_DIRECTION_LTR,           2352, C, nullptr},
    {ID_BLOCK_DIRECTION_RTL,           2353, C, nullptr},
    {ID_BLOCK_UNORDERED_LIST,          2185, C, nullptr},
    {ID_BLOCK_ORDERED_LIST,            2184, C, nullptr},
    {ID_BLOCK_INDENT,                  2186, P, nullptr},
    {ID_BLOCK_OUTDENT,                 2187, P, nullptr},
    {ID_POSITION_STATIC,               2396, R, &V::OnStaticPosition},
    {ID_POSITION_ABSOLUTE,             2395, R, &V::OnAbsolutePosition},
    {ID_INSERT_PARAGRAPH,              2180, P, nullptr},
    {ID_INSERT_IMAGE,                  2168, P, nullptr},
    {ID_INSERT_HORIZONTAL_LINE,        2150, P, nullptr},
    {ID_INSERT_MARQUEE,                2182, P, nullptr},
    {ID_INSERT_BUTTON,                 2167, P, nullptr},
    {ID_INSERT_CHECKBOX,               2163, P, nullptr},
    {ID_INSERT_RADIO_BUTTON,           2164, P, nullptr},
    {ID_INSERT_TEXT_BOX,               2161, P, nullptr},
    {ID_INSERT_TEXT_AREA,              2162, P, nullptr},
    {ID_INSERT_DROPDOWN_BOX,           2165, P, nullptr},
    {ID_INSERT_LIST_BOX,               2166, P, nullptr},
    {ID_INSERT_IFRAME,                 2158, P, nullptr},
    {ID_INSERT_FIELD_SET,              2119, P, nullptr},
    {ID_INSERT_OBJECT,                 25,   P, nullptr},
    {ID_INSERT_INPUT_BUTTON,           2115, P, nullptr},
    {ID_INSERT_INPUT_HIDDEN,           2312, P, nullptr},
    {ID_INSERT_INPUT_IMAGE,            2114, P, nullptr},
    {ID_INSERT_INPUT_PASSWORD,         2313, P, nullptr},
    {ID_INSERT_INPUT_RESET,            2116, P, nullptr},
    {ID_INSERT_INPUT_SUBMIT,           2117, P, nullptr},
    {ID_INSERT_INPUT_UPLOAD,           2118, P, nullptr},
    {ID_VIEW_EDIT_MODE,                2127, R, nullptr},
    {ID_VIEW_BROWSE_MODE,              2126, R, nullptr},
    {ID_OPTIONS_2D_POSITION,           2394, C, &V::OnToggleEditOption},
    {ID_OPTIONS_ATOMIC_SELECTION,      2399, C, &V::OnToggleEditOption},
    {ID_OPTIONS_DISABLE_EDIT_FOCUS_UI, 2404, C, &V::OnToggleEditOption},
    {ID_OPTIONS_LIVE_RESIZE,           2398, C, &V::OnToggleEditOption},
    {ID_OPTIONS_MULTIPLE_SELECTION,    2393, C, &V::OnToggleEditOption},
    {ID_OPTIONS_RESPECT_VISIBILITY,    2405, C, &V::OnToggleEditOption},
    {0, 0, P, nullptr},
}};
// clang-format on

} // namespace lw
