#include "resources/CommandIds.h"
#include "resources/ProgramResources.h"

namespace lw {

namespace {

constexpr std::uint16_t kSeparator = ID_SEPARATOR;

// Button layouts; the 16-colour and 24-bit resource of each bar share one layout.
const std::uint16_t kStandardButtons[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,  kSeparator,   ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
    kSeparator,  ID_EDIT_FIND, kSeparator,    ID_EDIT_UNDO, ID_EDIT_REDO,  kSeparator,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, kSeparator,   ID_APP_ABOUT,
};

// The font boxes and colour buttons stand in for controls that replace them once the bar is loaded.
const std::uint16_t kFormatButtons[] = {
    ID_FORMAT_FONT_NAME,
    ID_FORMAT_FONT_SIZE,
    kSeparator,
    ID_TEXT_BOLD,
    ID_TEXT_ITALIC,
    ID_TEXT_UNDERLINE,
    ID_TEXT_STRIKETHROUGH,
    kSeparator,
    ID_TEXT_SUPERSCRIPT,
    ID_TEXT_SUBSCRIPT,
    kSeparator,
    ID_FORMAT_FORE_COLOR,
    ID_FORMAT_BACK_COLOR,
    kSeparator,
    ID_BLOCK_JUSTIFY_LEFT,
    ID_BLOCK_JUSTIFY_CENTER,
    ID_BLOCK_JUSTIFY_RIGHT,
    ID_BLOCK_JUSTIFY_FULL,
    kSeparator,
    ID_BLOCK_UNORDERED_LIST,
    ID_BLOCK_ORDERED_LIST,
    ID_BLOCK_OUTDENT,
    ID_BLOCK_INDENT,
    kSeparator,
    ID_EDIT_HYPERLINK,
};

const std::uint16_t kInsertButtons[] = {
    ID_INSERT_IMAGE,
    ID_INSERT_HORIZONTAL_LINE,
    ID_INSERT_OBJECT,
};

// Pictures for menu items of commands that are on no toolbar; never shown as a bar.
const std::uint16_t kMenuImages[] = {
    ID_FILE_CLOSE,     ID_FILE_SAVE_AS,    ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_SETUP, ID_FILE_PAGE_SETUP,
    ID_FILE_SEND_MAIL, ID_EDIT_SELECT_ALL, ID_VIEW_CUSTOMIZE,    ID_WINDOW_MANAGER,   ID_APP_EXIT,
};

const std::uint16_t kMenuImages16[] = {
    ID_EDIT_CLEAR,
    ID_WINDOW_MANAGER,
};

// The 16-colour toolbar images are 15 pixels high; everything else is 16 by 16.
const ToolbarResource kToolbars[] = {
    {IDR_MAINFRAME, 16, 15, kStandardButtons}, {IDR_MAINFRAME_256, 16, 16, kStandardButtons},
    {IDR_FORMAT_BAR, 16, 15, kFormatButtons},  {IDR_FORMAT_BAR_256, 16, 16, kFormatButtons},
    {IDR_INSERT_BAR, 16, 15, kInsertButtons},  {IDR_INSERT_BAR_256, 16, 16, kInsertButtons},
    {IDR_MENU_IMAGES, 16, 16, kMenuImages},    {IDB_MENU_IMAGES_16, 16, 16, kMenuImages16},
};

} // namespace

std::span<const ToolbarResource> ToolbarLayouts() {
    return kToolbars;
}

} // namespace lw
