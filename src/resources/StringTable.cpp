#include "resources/CommandIds.h"
#include "resources/ProgramResources.h"

namespace lw {

namespace {

// A command's entry is "prompt\ntooltip": an entry starting with "\n" has only a tooltip,
// one without "\n" only a prompt, and a command with neither has no entry at all.
// clang-format off
const StringResource kStrings[] = {
    // The program's own strings.
    {IDP_OLE_INIT_FAILED, "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
    {IDS_COLOR_OTHER, "Other..."},
    {IDS_WINDOWS_MANAGER, "&Windows..."},
    {IDS_TOOLBAR_STANDARD, "Standard"},
    {IDS_TOOLBAR_CUSTOMIZE, "Customize..."},
    {IDS_TOOLBAR_FORMAT, "Format"},
    {IDS_TOOLBAR_INSERT, "Insert"},
    {IDS_SOURCE_INVALID_BYTES, "This page contains bytes that are not valid in its encoding (%1). Saving changes replaces them and writes the whole file anew."},
    {IDS_SOURCE_NUL_BYTES, "This page contains NUL bytes. Saving changes drops them and writes the whole file anew."},
    {IDS_SOURCE_UNWRITABLE_ENCODING, "This page is in an encoding (%1) that cannot be written back. Saving changes writes the whole file anew as UTF-8."},
    {IDS_SOURCE_TOO_LARGE, "This page is too large for its markup to be kept as written. Saving changes writes the whole file anew."},
    {IDS_SOURCE_UNMATCHED, "This page's markup reads otherwise than it is written. Saving changes writes the whole file anew."},
    {IDS_SOURCE_OUTSIDE_ENCODING, "The page now holds characters that its encoding (%1) cannot represent. Saving writes the whole file as UTF-8."},
    {IDS_SOURCE_UNDECLARED_ENCODING, "The page does not declare its encoding and now holds characters beyond ASCII. Saving writes the whole file as UTF-8."},
    {IDS_SOURCE_SAVE_ANYWAY, "%1\n\nSave anyway?"},
    {IDS_LARGE_PAGE, "This page is large: its spelling is not checked, and it is edited in a process apart from the smaller pages so that they stay quick."},
    {IDR_MAINFRAME, "Loomwrite"},
    // Window title, document name, file-new name, filter name, filter extensions, file type ID and name.
    {IDR_HTMLDOCTYPE, "\nHTML Document\nHTML Document\nNewDocuments\n.html;.htm\nLoomwrite.Document\nLoomwrite.Document"},
    {ID_WINDOW_MANAGER, "\nWindows"},

    // File.
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_CLOSE, "Close the active document\nClose"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PRINT, "Print the current document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Open the Print Preview window for the current document\nPrint Preview"},
    {ID_FILE_PAGE_SETUP, "\nPage Setup"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_PRINT_DIRECT, "Print the current document\nQuick Print"},
    {ID_FILE_SEND_MAIL, "Send the active document through electronic mail\nSend Mail"},
    {ID_FILE_MRU_FIRST + 0, "Open this document"},
    {ID_FILE_MRU_FIRST + 1, "Open this document"},
    {ID_FILE_MRU_FIRST + 2, "Open this document"},
    {ID_FILE_MRU_FIRST + 3, "Open this document"},
    {ID_FILE_MRU_FIRST + 4, "Open this document"},
    {ID_FILE_MRU_FIRST + 5, "Open this document"},
    {ID_FILE_MRU_FIRST + 6, "Open this document"},
    {ID_FILE_MRU_FIRST + 7, "Open this document"},
    {ID_FILE_MRU_FIRST + 8, "Open this document"},
    {ID_FILE_MRU_FILE10, "Open this document"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},

    // Edit.
    {ID_EDIT_UNDO, "Reverse the action taken by the most recent successful operation\nUndo"},
    {ID_EDIT_REDO, "Reapply an action undone by the most recent successful operation\nRedo"},
    {ID_EDIT_CUT, "Copy the current selection to the clipboard and then delete it\nCut"},
    {ID_EDIT_COPY, "Copy the current selection to the clipboard\nCopy"},
    {ID_EDIT_PASTE, "Overwrite the contents of the clipboard on the current selection\nPaste"},
    {ID_EDIT_PASTE_CONTENT_ONLY, "Removes styling and font and paragraph formatting (such as font size, alignment, and indentation) while retaining links, images, lists, and tables.\nPaste Content Only"},
    {ID_EDIT_PASTE_TEXT_ONLY, "Use text formats on the clipboard instead of HTML or image formats, resulting in only text being pasted. If there is only HTML on the clipboard, this command will not paste anything.\nPaste Text Only"},
    {ID_EDIT_CLEAR, "Delete the current selection\nDelete"},
    {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
    {ID_EDIT_FIND, "Show the Find dialog\nFind"},
    {ID_EDIT_HYPERLINK, "Display a dialog box to specify a URL to insert as a hyperlink on the current selection\nHyperlink"},
    {ID_EDIT_UNLINK, "Remove any hyperlink from the current selection\nUnlink"},

    // View. The toolbar placeholder and the visual styles have no entry.
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle Status Bar"},
    {ID_VIEW_TABBED_DOCUMENTS, "Enable or disable MDI tabbed groups\nToggle Tabbed Documents"},
    {ID_VIEW_FULLSCREEN, "Enable full-screen mode\nFull Screen"},
    {ID_VIEW_EDIT_MODE, "\nEdit Mode"},
    {ID_VIEW_BROWSE_MODE, "\nBrowse Mode"},

    // Position.
    {ID_POSITION_STATIC, "Determine if an element is statically positioned\n1D Element"},
    {ID_POSITION_ABSOLUTE, "Determine if an element is absolutely positioned\n2D Element"},

    // Text.
    {ID_FORMAT_FONT, "Open a font dialog box to change the text color, font, and font size of the current selection\nFont"},
    {ID_TEXT_REMOVE_FORMAT, "Remove the formatting tags from the current selection\nRemove Format"},
    {ID_TEXT_BOLD, "Toggle the current selection between bold and nonbold\nBold"},
    {ID_TEXT_ITALIC, "Toggle the current selection between italic and nonitalic\nItalic"},
    {ID_TEXT_UNDERLINE, "Toggle the current selection between underlined and not underlined\nUnderline"},
    {ID_TEXT_STRIKETHROUGH, "Toggle the current selection between strikethrough and without strikethrough\nStrikethrough"},
    {ID_TEXT_SUPERSCRIPT, "Toggle the current selection between superscript and normal baseline\nSuperscript"},
    {ID_TEXT_SUBSCRIPT, "Toggle the current selection between subscript and normal baseline\nSubscript"},
    {ID_TEXT_FORE_COLOR, "Set the foreground (text) color of the current selection\nFore Color"},
    {ID_TEXT_BACK_COLOR, "Set the background color of the current selection\nBack Color"},

    // Block.
    {ID_BLOCK_FORMAT, "Set the current block format tag\nBlock Format"},
    {ID_BLOCK_JUSTIFY_NONE, "\nJustify None"},
    {ID_BLOCK_JUSTIFY_LEFT, "Left-justify the format block in which the current selection is located\nJustify Left"},
    {ID_BLOCK_JUSTIFY_RIGHT, "Right-justify the format block in which the current selection is located\nJustify Right"},
    {ID_BLOCK_JUSTIFY_CENTER, "Center the format block in which the current selection is located\nJustify Center"},
    {ID_BLOCK_JUSTIFY_FULL, "\nJustify Full"},
    {ID_BLOCK_DIRECTION_LTR, "Set the block level element direction of the selected element to left-to-right reading order\nBlock Direction LTR"},
    {ID_BLOCK_DIRECTION_RTL, "Set the block level element direction of the selected element to right-to-left reading order\nBlock Direction RTL"},
    {ID_BLOCK_UNORDERED_LIST, "Toggle the current selection between an unordered list and a normal format block\nUnordered List"},
    {ID_BLOCK_ORDERED_LIST, "Toggle the current selection between an ordered list and a normal format block\nOrdered List"},
    {ID_BLOCK_INDENT, "Increase the indent of the selected text by one indentation increment\nIndent"},
    {ID_BLOCK_OUTDENT, "Decrease by one increment the indentation of the format block in which the current selection is located\nOutdent"},

    // Insert.
    {ID_INSERT_PARAGRAPH, "Overwrite a line break on the current selection\nParagraph"},
    {ID_INSERT_IMAGE, "Overwrite an image on the current selection\nImage"},
    {ID_INSERT_HORIZONTAL_LINE, "Overwrite a horizontal line on the current selection\nHorizontal Line"},
    {ID_INSERT_MARQUEE, "Overwrite an empty marquee on the current selection\nMarquee"},
    {ID_INSERT_OBJECT, "Insert an ActiveX control\nInsert Object"},

    // Insert > Controls.
    {ID_INSERT_BUTTON, "Overwrite a button control on the current selection\nButton"},
    {ID_INSERT_CHECKBOX, "Overwrite a check box control on the current selection\nCheckbox"},
    {ID_INSERT_RADIO_BUTTON, "Overwrite a radio control on the current selection\nRadio Button"},
    {ID_INSERT_TEXT_BOX, "Overwrite a text control on the current selection\nText Box"},
    {ID_INSERT_TEXT_AREA, "Overwrite a multiline text input control on the current selection\nText Area"},
    {ID_INSERT_DROPDOWN_BOX, "Overwrite a drop-down selection control on the current selection\nDrop Down Box"},
    {ID_INSERT_LIST_BOX, "Overwrite a list box selection control on the current selection\nList Box"},
    {ID_INSERT_IFRAME, "Overwrite an inline frame on the current selection\nIFrame"},
    {ID_INSERT_FIELD_SET, "Overwrite a box on the current selection\nInsert Field Set"},

    // Insert > Controls > Input.
    {ID_INSERT_INPUT_BUTTON, "Overwrite a button control on the current selection\nButton Input"},
    {ID_INSERT_INPUT_HIDDEN, "Overwrite a hidden control on the current selection\nHidden Input"},
    {ID_INSERT_INPUT_IMAGE, "Overwrite a image control on the current selection\nImage Input"},
    {ID_INSERT_INPUT_PASSWORD, "Overwrite a password control on the current selection\nPassword Input"},
    {ID_INSERT_INPUT_RESET, "Overwrite a reset control on the current selection\nReset Input"},
    {ID_INSERT_INPUT_SUBMIT, "Overwrite a submit control on the current selection\nSubmit Input"},
    {ID_INSERT_INPUT_UPLOAD, "Overwrite a file upload control on the current selection\nUpload Input"},

    // Options.
    {ID_OPTIONS_2D_POSITION, "Allow absolutely positioned elements to be moved by dragging\n2D Position"},
    {ID_OPTIONS_AUTO_URL_DETECT, "Turn automatic URL detection on and off\nAuto URL Detect Mode"},
    {ID_OPTIONS_ATOMIC_SELECTION, "Any element that has an ATOMICSELECTION attribute set to TRUE will be selectable only as a unit\nAtomic Selection"},
    {ID_OPTIONS_MULTIPLE_SELECTION, "Allow for the selection of more than one site selectable element at a time when holding down the SHIFT or CTRL keys\nMultiple Selection"},
    {ID_OPTIONS_LIVE_RESIZE, "Update an element's appearance continuously during a resizing or moving operation, rather than updating only at the completion of the move or resize\nLive Resize"},
    {ID_OPTIONS_RESPECT_VISIBILITY, "When this feature is activated, any element that has a visibility set to \"hidden\" or display property set to \"none\" will not be shown in both design mode and browse mode.\nRespect Visibility In Design"},
    {ID_OPTIONS_DISABLE_EDIT_FOCUS_UI, "Turn off the hatched border and handles around a site selectable element when the element has \"edit focus\" in design mode; that is, when the text or contents of the element can be edited\nDisable Edit Focus UI"},
    {ID_OPTIONS_SILENT, "Set whether the editor can display dialog boxes\nSilent"},

    // Window. The tab-group commands have no entry.
    {ID_WINDOW_CASCADE, "Arrange windows so they overlap\nCascade Windows"},
    {ID_WINDOW_TILE_HORZ, "Arrange windows as non-overlapping tiles\nTile Windows"},
    {ID_WINDOW_TILE_VERT, "Arrange windows as non-overlapping tiles\nTile Windows"},
    {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window\nArrange Icons"},

    // Help.
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},

    // Commands reached from toolbars and keys only.
    {ID_FORMAT_FONT_NAME, "Set the font for the current selection\nFont Name"},
    {ID_FORMAT_FONT_SIZE, "Set the font size for the current selection\nFont Size"},
    {ID_FORMAT_FORE_COLOR, "Set the foreground (text) color of the current selection\nFore Color"},
    {ID_FORMAT_BACK_COLOR, "Set the background color of the current selection\nBack Color"},
    {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},

    // Framework strings the program's windows show.
    {AFX_IDS_APP_TITLE, "Loomwrite"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {AFX_IDS_OPENFILE, "Open"},
    {AFX_IDS_SAVEFILE, "Save As"},
    {AFX_IDS_ALLFILTER, "All Files (*.*)"},
    {AFX_IDS_UNTITLED, "Untitled"},
    {AFX_IDP_ASK_TO_SAVE, "Save changes to %1?"},
    {AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."},
    {AFX_IDP_UNREG_DONE, "System registry entries have been removed and the INI file (if any) was deleted."},
    {AFX_IDP_FAILED_MAPI_LOAD, "Unable to load mail system support."},
    {AFX_IDP_INVALID_MAPI_DLL, "Mail system DLL is invalid."},
    {AFX_IDP_FAILED_MAPI_SEND, "Send Mail failed to send message."},
    {AFX_IDS_RECOVERY_CAPTION, "Document Recovery"},
    {AFX_IDS_RECOVERY_QUESTION, "Open the auto-saved versions of your documents?"},
    {AFX_IDS_RECOVERY_DETAILS, "Newer auto-saved versions exist for documents that were open when the program last ended."},
    {AFX_IDS_RECOVERY_OPEN_AUTOSAVED, "Open the &auto-saved versions"},
    {AFX_IDS_RECOVERY_OPEN_SAVED, "Open the &saved files"},
    {AFX_IDS_RECOVERED_TITLE_FORMAT, "%1 [Recovered]"},
};
// clang-format on

} // namespace

std::span<const StringResource> ProgramStringTable() {
    return kStrings;
}

} // namespace lw
