#pragma once
// The framework's own command and string numbers: the commands its classes handle
// and the strings its messages and dialogs show.

#include "framework/core/Types.h"

namespace lw {

// Commands
inline constexpr UINT ID_FILE_NEW = 57600;
inline constexpr UINT ID_FILE_OPEN = 57601;
inline constexpr UINT ID_FILE_CLOSE = 57602;
inline constexpr UINT ID_FILE_SAVE = 57603;
inline constexpr UINT ID_FILE_SAVE_AS = 57604;
inline constexpr UINT ID_FILE_PAGE_SETUP = 57605;
inline constexpr UINT ID_FILE_PRINT_SETUP = 57606;
inline constexpr UINT ID_FILE_PRINT = 57607;
inline constexpr UINT ID_FILE_PRINT_DIRECT = 57608;
inline constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr UINT ID_FILE_SEND_MAIL = 57612;
inline constexpr UINT ID_FILE_MRU_FILE1 = 57616;
inline constexpr UINT ID_FILE_MRU_FIRST = 57616;
inline constexpr UINT ID_FILE_MRU_LAST = 57631;
inline constexpr UINT ID_APP_ABOUT = 57664;
inline constexpr UINT ID_APP_EXIT = 57665;
inline constexpr UINT ID_NEXT_PANE = 57680;
inline constexpr UINT ID_PREV_PANE = 57681;
inline constexpr UINT ID_WINDOW_NEW = 57648;
inline constexpr UINT ID_WINDOW_ARRANGE = 57649;
inline constexpr UINT ID_WINDOW_CASCADE = 57650;
inline constexpr UINT ID_WINDOW_TILE_HORZ = 57651;
inline constexpr UINT ID_WINDOW_TILE_VERT = 57652;
inline constexpr UINT ID_WINDOW_SPLIT = 57653;
inline constexpr UINT ID_VIEW_TOOLBAR = 59392;
inline constexpr UINT ID_VIEW_STATUS_BAR = 59393;
inline constexpr UINT ID_VIEW_REBAR = 59396;

// Strings
inline constexpr UINT AFX_IDS_APP_TITLE = 57344;
inline constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;
inline constexpr UINT AFX_IDS_OPENFILE = 61440;
inline constexpr UINT AFX_IDS_SAVEFILE = 61441;
inline constexpr UINT AFX_IDS_ALLFILTER = 61442;
inline constexpr UINT AFX_IDS_UNTITLED = 61443;
inline constexpr UINT AFX_IDP_ASK_TO_SAVE = 61699;
inline constexpr UINT AFX_IDP_FAILED_TO_CREATE_DOC = 61700;
inline constexpr UINT AFX_IDP_UNREG_DONE = 61707;
inline constexpr UINT AFX_IDP_FAILED_MAPI_LOAD = 61840;
inline constexpr UINT AFX_IDP_INVALID_MAPI_DLL = 61841;
inline constexpr UINT AFX_IDP_FAILED_MAPI_SEND = 61842;

// Show commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;

} // namespace lw
