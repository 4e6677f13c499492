#pragma once
// Every number the program uses to name a command, a resource, a string or a bar.
// A command ID also selects the command's string-table entry ("prompt\ntooltip"),
// so anything stored (toolbar contents, key assignments) refers to commands by these numbers.
// The numbers the framework handles itself (file, window and pane commands, the bar toggles, its
// message strings) come from the framework's header; this one adds the rest of them.

#include "framework/core/FrameworkIds.h"

namespace lw {

// ---- Resource numbers -----------------------------------------------------------------------

// The main frame: menu, accelerator table, title string, icon and the 16-colour Standard toolbar.
inline constexpr UINT IDR_MAINFRAME = 128;
inline constexpr UINT IDR_MAINFRAME_256 = 129; // Standard toolbar, 24-bit images
// The HTML document type: menu, icon and document template string.
inline constexpr UINT IDR_HTMLDOCTYPE = 130;
inline constexpr UINT IDR_FORMAT_BAR = 310;
inline constexpr UINT IDR_INSERT_BAR = 312;
inline constexpr UINT IDR_FORMAT_BAR_256 = 316;
inline constexpr UINT IDR_INSERT_BAR_256 = 317;
inline constexpr UINT IDR_MENU_IMAGES = 318;    // menu pictures, 24-bit set
inline constexpr UINT IDB_MENU_IMAGES_16 = 320; // menu pictures, 16-colour set
inline constexpr UINT IDD_ABOUTBOX = 100;

// ---- The program's strings ------------------------------------------------------------------

inline constexpr UINT IDP_OLE_INIT_FAILED = 100;
inline constexpr UINT IDS_COLOR_OTHER = 103;
inline constexpr UINT IDS_WINDOWS_MANAGER = 110;
inline constexpr UINT IDS_TOOLBAR_STANDARD = 124;
inline constexpr UINT IDS_TOOLBAR_CUSTOMIZE = 125;
inline constexpr UINT IDS_TOOLBAR_FORMAT = 126;
inline constexpr UINT IDS_TOOLBAR_INSERT = 127;
// What a save cannot keep of a page's own bytes ("%1" is the page's encoding), and the question
// asked before the first save that changes them ("%1" is one of those texts).
inline constexpr UINT IDS_SOURCE_INVALID_BYTES = 140;
inline constexpr UINT IDS_SOURCE_NUL_BYTES = 141;
inline constexpr UINT IDS_SOURCE_UNWRITABLE_ENCODING = 142;
inline constexpr UINT IDS_SOURCE_TOO_LARGE = 143;
inline constexpr UINT IDS_SOURCE_UNMATCHED = 144;
inline constexpr UINT IDS_SOURCE_OUTSIDE_ENCODING = 145;
inline constexpr UINT IDS_SOURCE_UNDECLARED_ENCODING = 146;
inline constexpr UINT IDS_SOURCE_SAVE_ANYWAY = 147;
inline constexpr UINT IDS_LARGE_PAGE = 148;
// The main frame's title is string IDR_MAINFRAME; the document template string is IDR_HTMLDOCTYPE.

// ---- Further framework strings --------------------------------------------------------------

// The question asked at start-up when newer auto-saved copies of documents exist.
inline constexpr UINT AFX_IDS_RECOVERY_CAPTION = 62180;
inline constexpr UINT AFX_IDS_RECOVERY_QUESTION = 62181;
inline constexpr UINT AFX_IDS_RECOVERY_DETAILS = 62182;
inline constexpr UINT AFX_IDS_RECOVERY_OPEN_AUTOSAVED = 62183;
inline constexpr UINT AFX_IDS_RECOVERY_OPEN_SAVED = 62184;
inline constexpr UINT AFX_IDS_RECOVERED_TITLE_FORMAT = 62185; // "%1" is the document's title

// ---- Main frame commands --------------------------------------------------------------------

inline constexpr UINT ID_VIEW_CUSTOMIZE = 126;
inline constexpr UINT ID_WINDOW_MANAGER = 131;

// Visual styles; the number is also the value stored as the current look.
inline constexpr UINT ID_VIEW_APPLOOK_WIN_2000 = 205;
inline constexpr UINT ID_VIEW_APPLOOK_OFF_XP = 206;
inline constexpr UINT ID_VIEW_APPLOOK_WIN_XP = 207;
inline constexpr UINT ID_VIEW_APPLOOK_OFF_2003 = 208;
inline constexpr UINT ID_VIEW_APPLOOK_VS_2005 = 209;
inline constexpr UINT ID_VIEW_APPLOOK_VS_2008 = 210;
inline constexpr UINT ID_VIEW_APPLOOK_OFF_2007_BLUE = 215;
inline constexpr UINT ID_VIEW_APPLOOK_OFF_2007_BLACK = 216;
inline constexpr UINT ID_VIEW_APPLOOK_OFF_2007_SILVER = 217;
inline constexpr UINT ID_VIEW_APPLOOK_OFF_2007_AQUA = 218;
inline constexpr UINT ID_VIEW_APPLOOK_WINDOWS_7 = 219;
inline constexpr UINT ID_VIEW_APPLOOK_FIRST = 205; // the handler's range, gaps included
inline constexpr UINT ID_VIEW_APPLOOK_LAST = 219;

// ---- The program's own commands -------------------------------------------------------------

inline constexpr UINT ID_VIEW_FULLSCREEN = 32770;
inline constexpr UINT ID_TEXT_BOLD = 32776;
inline constexpr UINT ID_TEXT_ITALIC = 32777;
inline constexpr UINT ID_TEXT_UNDERLINE = 32778;
inline constexpr UINT ID_TEXT_STRIKETHROUGH = 32779;
inline constexpr UINT ID_TEXT_SUPERSCRIPT = 32780;
inline constexpr UINT ID_TEXT_SUBSCRIPT = 32781;
inline constexpr UINT ID_BLOCK_JUSTIFY_LEFT = 32782;
inline constexpr UINT ID_BLOCK_JUSTIFY_CENTER = 32783;
inline constexpr UINT ID_BLOCK_JUSTIFY_RIGHT = 32784;
inline constexpr UINT ID_BLOCK_UNORDERED_LIST = 32785;
inline constexpr UINT ID_BLOCK_ORDERED_LIST = 32786;
inline constexpr UINT ID_BLOCK_OUTDENT = 32787;
inline constexpr UINT ID_BLOCK_INDENT = 32788;
inline constexpr UINT ID_TEXT_REMOVE_FORMAT = 32818;
inline constexpr UINT ID_BLOCK_JUSTIFY_NONE = 32820;
inline constexpr UINT ID_EDIT_HYPERLINK = 32827;
inline constexpr UINT ID_EDIT_UNLINK = 32828;
inline constexpr UINT ID_INSERT_IMAGE = 32833;
inline constexpr UINT ID_INSERT_HORIZONTAL_LINE = 32837;
inline constexpr UINT ID_INSERT_PARAGRAPH = 32838;
inline constexpr UINT ID_INSERT_OBJECT = 32840;
inline constexpr UINT ID_FORMAT_FORE_COLOR = 32845; // colour button on the Format toolbar
inline constexpr UINT ID_FORMAT_BACK_COLOR = 32846; // colour button on the Format toolbar
inline constexpr UINT ID_INSERT_BUTTON = 32857;
inline constexpr UINT ID_INSERT_RADIO_BUTTON = 32859;
inline constexpr UINT ID_INSERT_CHECKBOX = 32860;
inline constexpr UINT ID_INSERT_TEXT_BOX = 32861;
inline constexpr UINT ID_INSERT_TEXT_AREA = 32862;
inline constexpr UINT ID_INSERT_DROPDOWN_BOX = 32863;
inline constexpr UINT ID_INSERT_LIST_BOX = 32864;
inline constexpr UINT ID_INSERT_IFRAME = 32865;
inline constexpr UINT ID_VIEW_EDIT_MODE = 32868;
inline constexpr UINT ID_VIEW_BROWSE_MODE = 32869;
inline constexpr UINT ID_INSERT_FIELD_SET = 32879;
inline constexpr UINT ID_INSERT_MARQUEE = 32880;
inline constexpr UINT ID_BLOCK_JUSTIFY_FULL = 32883;
inline constexpr UINT ID_EDIT_PASTE_TEXT_ONLY = 32885;
inline constexpr UINT ID_BLOCK_DIRECTION_LTR = 32888;
inline constexpr UINT ID_BLOCK_DIRECTION_RTL = 32889;
inline constexpr UINT ID_POSITION_STATIC = 32892;
inline constexpr UINT ID_POSITION_ABSOLUTE = 32893;
inline constexpr UINT ID_INSERT_INPUT_BUTTON = 32925;
inline constexpr UINT ID_INSERT_INPUT_HIDDEN = 32926;
inline constexpr UINT ID_INSERT_INPUT_IMAGE = 32927;
inline constexpr UINT ID_INSERT_INPUT_PASSWORD = 32928;
inline constexpr UINT ID_INSERT_INPUT_RESET = 32929;
inline constexpr UINT ID_INSERT_INPUT_SUBMIT = 32930;
inline constexpr UINT ID_INSERT_INPUT_UPLOAD = 32931;
inline constexpr UINT ID_EDIT_PASTE_CONTENT_ONLY = 32932;
inline constexpr UINT ID_VIEW_TABBED_DOCUMENTS = 32934;
inline constexpr UINT ID_TOOLS_ENTRY = 32945; // the "<<USER TOOLS>>" placeholder item
inline constexpr UINT ID_FORMAT_FONT_NAME = 32946;
inline constexpr UINT ID_FORMAT_FONT_SIZE = 32948;
inline constexpr UINT ID_WINDOW_NEW_VERTICAL_TAB_GROUP = 32955;
inline constexpr UINT ID_WINDOW_NEW_HORIZONTAL_TAB_GROUP = 32956;
inline constexpr UINT ID_OPTIONS_2D_POSITION = 32958;
inline constexpr UINT ID_OPTIONS_ATOMIC_SELECTION = 32959;
inline constexpr UINT ID_OPTIONS_AUTO_URL_DETECT = 32960;
inline constexpr UINT ID_OPTIONS_DISABLE_EDIT_FOCUS_UI = 32961;
inline constexpr UINT ID_OPTIONS_LIVE_RESIZE = 32963;
inline constexpr UINT ID_OPTIONS_MULTIPLE_SELECTION = 32964;
inline constexpr UINT ID_OPTIONS_RESPECT_VISIBILITY = 32965;
inline constexpr UINT ID_OPTIONS_SILENT = 32967;
inline constexpr UINT ID_TEXT_FORE_COLOR = 32968; // Text menu item, opens the colour dialog
inline constexpr UINT ID_TEXT_BACK_COLOR = 32969; // Text menu item, opens the colour dialog
inline constexpr UINT ID_BLOCK_FORMAT = 32970;    // the "Choose Block Format:" item

// ---- Ranges filled at run time --------------------------------------------------------------

inline constexpr UINT ID_BLOCK_FORMAT_FIRST = 36096; // block formats appended to Block > Format
inline constexpr UINT ID_BLOCK_FORMAT_LAST = 36351;
inline constexpr UINT ID_TEAROFF_FIRST = 36352; // reserved for torn-off menus
inline constexpr UINT ID_TEAROFF_LAST = 36367;
// Torn-off colour palettes; they must stay outside the tear-off range, which refuses its own IDs.
inline constexpr UINT ID_FORE_COLOR_PALETTE_BAR = 36368;
inline constexpr UINT ID_BACK_COLOR_PALETTE_BAR = 36369;
inline constexpr UINT ID_USER_TOOL_FIRST = 36608;
inline constexpr UINT ID_USER_TOOL_LAST = 36863;

// ---- Further framework commands -------------------------------------------------------------

// The last of the ten recent-file entries the menu shows (the handler's range is longer).
inline constexpr UINT ID_FILE_MRU_FILE10 = 57625;
inline constexpr UINT ID_EDIT_CLEAR = 57632; // Delete
inline constexpr UINT ID_EDIT_COPY = 57634;
inline constexpr UINT ID_EDIT_CUT = 57635;
inline constexpr UINT ID_EDIT_FIND = 57636;
inline constexpr UINT ID_EDIT_PASTE = 57637;
inline constexpr UINT ID_EDIT_SELECT_ALL = 57642;
inline constexpr UINT ID_EDIT_UNDO = 57643;
inline constexpr UINT ID_EDIT_REDO = 57644;
inline constexpr UINT ID_FORMAT_FONT = 57696;

// ---- Bars and status-bar panes --------------------------------------------------------------

inline constexpr UINT ID_SEPARATOR = 0; // the status bar's message pane; a toolbar separator
inline constexpr UINT ID_INDICATOR_CAPS = 59137;
inline constexpr UINT ID_INDICATOR_NUM = 59138;
inline constexpr UINT ID_INDICATOR_SCRL = 59139;
// Bar control IDs; showing or hiding a bar is the command with its control ID.
inline constexpr UINT AFX_IDW_TOOLBAR = 59392; // the Standard toolbar
inline constexpr UINT AFX_IDW_STATUS_BAR = 59393;
inline constexpr UINT AFX_IDW_MENUBAR = 59398;
inline constexpr UINT IDW_FORMAT_BAR = 59399;
inline constexpr UINT IDW_INSERT_BAR = 59400;
inline constexpr UINT AFX_IDW_USER_TOOLBAR_FIRST = 59432;
inline constexpr UINT AFX_IDW_USER_TOOLBAR_LAST = 59441;

} // namespace lw
