#include "resources/ProgramResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

using namespace lw;

namespace {

class ResourceTablesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CResourceTables::instance().clear();
        RegisterProgramResources();
    }
    static const CResourceTables& tables() { return CResourceTables::instance(); }

    static std::vector<MenuNode> menu(UINT id) {
        auto parsed = tables().loadMenu(id);
        return parsed ? *parsed : std::vector<MenuNode>();
    }
    static const MenuNode* popup(const std::vector<MenuNode>& level, const char* text) {
        auto it = std::find_if(level.begin(), level.end(), [&](const MenuNode& n) {
            return n.popup && n.text == QString::fromUtf8(text);
        });
        return it == level.end() ? nullptr : &*it;
    }
    static std::vector<UINT> ids(const MenuNode& node) {
        std::vector<UINT> result;
        for (const MenuNode& child : node.children)
            result.push_back(child.id);
        return result;
    }
    // The command items of a menu at every depth, in menu order.
    static std::vector<MenuNode> commandItems(UINT id) {
        std::vector<MenuNode> result;
        collectCommands(menu(id), result);
        return result;
    }
    static void collectCommands(const std::vector<MenuNode>& level, std::vector<MenuNode>& out) {
        for (const MenuNode& node : level) {
            if (node.popup)
                collectCommands(node.children, out);
            else if (!node.isSeparator())
                out.push_back(node);
        }
    }
};

struct CommandStrings {
    UINT id;
    const char* prompt; // nullptr: none
    const char* tooltip;
};

// Every command's prompt and tooltip. Command 126 is left out: its number is shared with the
// Format toolbar's caption (see SharedNumber126IsTheFormatCaptionWithoutTooltip).
const CommandStrings kCommandStrings[] = {
    {131, nullptr, "Windows"},
    {205, nullptr, nullptr},
    {206, nullptr, nullptr},
    {207, nullptr, nullptr},
    {208, nullptr, nullptr},
    {209, nullptr, nullptr},
    {210, nullptr, nullptr},
    {215, nullptr, nullptr},
    {216, nullptr, nullptr},
    {217, nullptr, nullptr},
    {218, nullptr, nullptr},
    {219, nullptr, nullptr},
    {32770, "Enable full-screen mode", "Full Screen"},
    {32776, "Toggle the current selection between bold and nonbold", "Bold"},
    {32777, "Toggle the current selection between italic and nonitalic", "Italic"},
    {32778, "Toggle the current selection between underlined and not underlined", "Underline"},
    {32779, "Toggle the current selection between strikethrough and without strikethrough", "Strikethrough"},
    {32780, "Toggle the current selection between superscript and normal baseline", "Superscript"},
    {32781, "Toggle the current selection between subscript and normal baseline", "Subscript"},
    {32782, "Left-justify the format block in which the current selection is located", "Justify Left"},
    {32783, "Center the format block in which the current selection is located", "Justify Center"},
    {32784, "Right-justify the format block in which the current selection is located", "Justify Right"},
    {32785, "Toggle the current selection between an unordered list and a normal format block",
     "Unordered List"},
    {32786, "Toggle the current selection between an ordered list and a normal format block", "Ordered List"},
    {32787,
     "Decrease by one increment the indentation of the format block in which the current selection is "
     "located",
     "Outdent"},
    {32788, "Increase the indent of the selected text by one indentation increment", "Indent"},
    {32818, "Remove the formatting tags from the current selection", "Remove Format"},
    {32820, nullptr, "Justify None"},
    {32827, "Display a dialog box to specify a URL to insert as a hyperlink on the current selection",
     "Hyperlink"},
    {32828, "Remove any hyperlink from the current selection", "Unlink"},
    {32833, "Overwrite an image on the current selection", "Image"},
    {32837, "Overwrite a horizontal line on the current selection", "Horizontal Line"},
    {32838, "Overwrite a line break on the current selection", "Paragraph"},
    {32840, "Insert an ActiveX control", "Insert Object"},
    {32845, "Set the foreground (text) color of the current selection", "Fore Color"},
    {32846, "Set the background color of the current selection", "Back Color"},
    {32857, "Overwrite a button control on the current selection", "Button"},
    {32859, "Overwrite a radio control on the current selection", "Radio Button"},
    {32860, "Overwrite a check box control on the current selection", "Checkbox"},
    {32861, "Overwrite a text control on the current selection", "Text Box"},
    {32862, "Overwrite a multiline text input control on the current selection", "Text Area"},
    {32863, "Overwrite a drop-down selection control on the current selection", "Drop Down Box"},
    {32864, "Overwrite a list box selection control on the current selection", "List Box"},
    {32865, "Overwrite an inline frame on the current selection", "IFrame"},
    {32868, nullptr, "Edit Mode"},
    {32869, nullptr, "Browse Mode"},
    {32879, "Overwrite a box on the current selection", "Insert Field Set"},
    {32880, "Overwrite an empty marquee on the current selection", "Marquee"},
    {32883, nullptr, "Justify Full"},
    {32885,
     "Use text formats on the clipboard instead of HTML or image formats, resulting in only text being "
     "pasted. If there is only HTML on the clipboard, this command will not paste anything.",
     "Paste Text Only"},
    {32888, "Set the block level element direction of the selected element to left-to-right reading order",
     "Block Direction LTR"},
    {32889, "Set the block level element direction of the selected element to right-to-left reading order",
     "Block Direction RTL"},
    {32892, "Determine if an element is statically positioned", "1D Element"},
    {32893, "Determine if an element is absolutely positioned", "2D Element"},
    {32925, "Overwrite a button control on the current selection", "Button Input"},
    {32926, "Overwrite a hidden control on the current selection", "Hidden Input"},
    {32927, "Overwrite a image control on the current selection", "Image Input"},
    {32928, "Overwrite a password control on the current selection", "Password Input"},
    {32929, "Overwrite a reset control on the current selection", "Reset Input"},
    {32930, "Overwrite a submit control on the current selection", "Submit Input"},
    {32931, "Overwrite a file upload control on the current selection", "Upload Input"},
    {32932,
     "Removes styling and font and paragraph formatting (such as font size, alignment, and indentation) "
     "while retaining links, images, lists, and tables.",
     "Paste Content Only"},
    {32934, "Enable or disable MDI tabbed groups", "Toggle Tabbed Documents"},
    {32945, nullptr, nullptr},
    {32946, "Set the font for the current selection", "Font Name"},
    {32948, "Set the font size for the current selection", "Font Size"},
    {32955, nullptr, nullptr},
    {32956, nullptr, nullptr},
    {32958, "Allow absolutely positioned elements to be moved by dragging", "2D Position"},
    {32959, "Any element that has an ATOMICSELECTION attribute set to TRUE will be selectable only as a unit",
     "Atomic Selection"},
    {32960, "Turn automatic URL detection on and off", "Auto URL Detect Mode"},
    {32961,
     "Turn off the hatched border and handles around a site selectable element when the element has \"edit "
     "focus\" in design mode; that is, when the text or contents of the element can be edited",
     "Disable Edit Focus UI"},
    {32963,
     "Update an element's appearance continuously during a resizing or moving operation, rather than "
     "updating only at the completion of the move or resize",
     "Live Resize"},
    {32964,
     "Allow for the selection of more than one site selectable element at a time when holding down the SHIFT "
     "or CTRL keys",
     "Multiple Selection"},
    {32965,
     "When this feature is activated, any element that has a visibility set to \"hidden\" or display "
     "property set to \"none\" will not be shown in both design mode and browse mode.",
     "Respect Visibility In Design"},
    {32967, "Set whether the editor can display dialog boxes", "Silent"},
    {32968, "Set the foreground (text) color of the current selection", "Fore Color"},
    {32969, "Set the background color of the current selection", "Back Color"},
    {32970, "Set the current block format tag", "Block Format"},
    {57600, "Create a new document", "New"},
    {57601, "Open an existing document", "Open"},
    {57602, "Close the active document", "Close"},
    {57603, "Save the active document", "Save"},
    {57604, "Save the active document with a new name", "Save As"},
    {57605, nullptr, "Page Setup"},
    {57606, "Change the printer and printing options", "Print Setup"},
    {57607, "Print the current document", "Print"},
    {57608, "Print the current document", "Quick Print"},
    {57609, "Open the Print Preview window for the current document", "Print Preview"},
    {57612, "Send the active document through electronic mail", "Send Mail"},
    {57616, "Open this document", nullptr},
    {57617, "Open this document", nullptr},
    {57618, "Open this document", nullptr},
    {57619, "Open this document", nullptr},
    {57620, "Open this document", nullptr},
    {57621, "Open this document", nullptr},
    {57622, "Open this document", nullptr},
    {57623, "Open this document", nullptr},
    {57624, "Open this document", nullptr},
    {57625, "Open this document", nullptr},
    {57632, "Delete the current selection", "Delete"},
    {57634, "Copy the current selection to the clipboard", "Copy"},
    {57635, "Copy the current selection to the clipboard and then delete it", "Cut"},
    {57636, "Show the Find dialog", "Find"},
    {57637, "Overwrite the contents of the clipboard on the current selection", "Paste"},
    {57642, "Select the entire document", "Select All"},
    {57643, "Reverse the action taken by the most recent successful operation", "Undo"},
    {57644, "Reapply an action undone by the most recent successful operation", "Redo"},
    {57649, "Arrange icons at the bottom of the window", "Arrange Icons"},
    {57650, "Arrange windows so they overlap", "Cascade Windows"},
    {57651, "Arrange windows as non-overlapping tiles", "Tile Windows"},
    {57652, "Arrange windows as non-overlapping tiles", "Tile Windows"},
    {57664, "Display program information, version number and copyright", "About"},
    {57665, "Quit the application; prompts to save documents", "Exit"},
    {57680, "Switch to the next window pane", "Next Pane"},
    {57681, "Switch back to the previous window pane", "Previous Pane"},
    {57696, "Open a font dialog box to change the text color, font, and font size of the current selection",
     "Font"},
    {59392, nullptr, nullptr},
    {59393, "Show or hide the status bar", "Toggle Status Bar"},
};

TEST_F(ResourceTablesTest, EveryCommandHasItsPromptAndTooltip) {
    for (const CommandStrings& c : kCommandStrings) {
        SCOPED_TRACE(c.id);
        if (!c.prompt && !c.tooltip) {
            EXPECT_FALSE(tables().hasString(c.id));
            continue;
        }
        // The stored form decides what the framework shows: no line feed without a tooltip.
        QString stored = QString::fromUtf8(c.prompt ? c.prompt : "");
        if (c.tooltip)
            stored += QLatin1Char('\n') + QString::fromUtf8(c.tooltip);
        EXPECT_EQ(tables().loadString(c.id), stored);
        EXPECT_EQ(AfxCommandText(c.id).prompt, QString::fromUtf8(c.prompt ? c.prompt : ""));
        EXPECT_EQ(AfxCommandText(c.id).tooltip, QString::fromUtf8(c.tooltip ? c.tooltip : ""));
    }
}

TEST_F(ResourceTablesTest, SharedNumber126IsTheFormatCaptionWithoutTooltip) {
    EXPECT_EQ(tables().loadString(126), "Format");
    EXPECT_TRUE(AfxCommandText(126).tooltip.isEmpty());
}

TEST_F(ResourceTablesTest, ProgramAndFrameworkStrings) {
    const struct {
        UINT id;
        const char* text;
    } strings[] = {
        {100, "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
        {103, "Other..."},
        {110, "&Windows..."},
        {124, "Standard"},
        {125, "Customize..."},
        {127, "Insert"},
        {128, "Loomwrite"},
        {130,
         "\nHTML Document\nHTML Document\nNewDocuments\n.html;.htm\nLoomwrite.Document\nLoomwrite.Document"},
        {57344, "Loomwrite"},
        {57345, "Ready"},
        {59137, "CAP"},
        {59138, "NUM"},
        {59139, "SCRL"},
        {61440, "Open"},
        {61441, "Save As"},
        {61442, "All Files (*.*)"},
        {61443, "Untitled"},
        {61699, "Save changes to %1?"},
        {61700, "Failed to create empty document."},
        {61707, "System registry entries have been removed and the INI file (if any) was deleted."},
        {61840, "Unable to load mail system support."},
        {61841, "Mail system DLL is invalid."},
        {61842, "Send Mail failed to send message."},
    };
    for (const auto& s : strings) {
        SCOPED_TRACE(s.id);
        EXPECT_EQ(tables().loadString(s.id), QString::fromUtf8(s.text));
    }
    // The recovery question needs its texts, and the recovered title takes the document's title.
    for (UINT id = 62180; id <= 62185; ++id)
        EXPECT_FALSE(tables().loadString(id).isEmpty()) << id;
    EXPECT_EQ(tables().loadString(62185).arg("Page.html"), "Page.html [Recovered]");
}

// The text of every menu item, by command.
const struct {
    UINT id;
    const char* text;
} kMenuTexts[] = {
    {205, "Windows &2000"},
    {206, "Office &XP"},
    {207, "&Windows XP"},
    {208, "Office 200&3"},
    {209, "Visual Studio 200&5"},
    {210, "Visual Studio 200&8"},
    {215, "Office 2007 &Blue Style"},
    {216, "Office 2007 B&lack Style"},
    {217, "Office 2007 &Silver Style"},
    {218, "Office 2007 &Aqua Style"},
    {219, "Windows &7"},
    {32770, "&Full Screen"},
    {32776, "&Bold"},
    {32777, "&Italic"},
    {32778, "&Underline"},
    {32779, "&Strikethrough"},
    {32780, "Su&perscript"},
    {32781, "Subs&cript"},
    {32782, "Justify &Left"},
    {32783, "Justify &Center"},
    {32784, "Justify &Right"},
    {32785, "&Unordered List"},
    {32786, "&Ordered List"},
    {32787, "Ou&tdent"},
    {32788, "&Indent"},
    {32818, "&Remove Format"},
    {32820, "Justify &None"},
    {32827, "&Hyper Link..."},
    {32828, "Un&link"},
    {32833, "&Image..."},
    {32837, "&Horizontal Line"},
    {32838, "&Paragraph"},
    {32840, "&Object..."},
    {32857, "&Button"},
    {32859, "&Radio Button"},
    {32860, "&Check Box"},
    {32861, "&Text Box"},
    {32862, "Text &Area"},
    {32863, "&DropDown Box"},
    {32864, "&List Box"},
    {32865, "&IFrame"},
    {32868, "&Edit Mode"},
    {32869, "&Browse Mode"},
    {32879, "&Field Set"},
    {32880, "&Marquee"},
    {32883, "&Justify Full"},
    {32885, "Past&e Text Only"},
    {32888, "L&eft To Right"},
    {32889, "Ri&ght To Left"},
    {32892, "&Static (1D Element)"},
    {32893, "&Absolue (2D Element)"},
    {32925, "&Button"},
    {32926, "&Hidden"},
    {32927, "&Image"},
    {32928, "&Password"},
    {32929, "&Reset"},
    {32930, "&Submit"},
    {32931, "&Upload"},
    {32932, "Pa&ste Content Only"},
    {32934, "Tabbed &Documents"},
    {32945, "<<USER TOOLS>>"},
    {32955, "New Vertical Tab Group"},
    {32956, "New Horizontal Tab Group"},
    {32958, "&2D Position"},
    {32959, "&Atomic Selection"},
    {32960, "Auto &URL Detect Mode"},
    {32961, "&Disable Edit Focus UI"},
    {32963, "&Live Resize"},
    {32964, "&Multiple Selection"},
    {32965, "Respect &Visibility In Designer"},
    {32967, "&Silent"},
    {32968, "Fore &Color..."},
    {32969, "Back C&olor..."},
    {32970, "Choose Block Format:"},
    {57600, "&New"},
    {57601, "&Open..."},
    {57602, "&Close"},
    {57603, "&Save"},
    {57604, "Save &As..."},
    {57605, "Page Se&tup..."},
    {57607, "&Print..."},
    {57609, "Print Pre&view..."},
    {57612, "Send &Mail"},
    {57616, "Recent File"},
    {57632, "&Delete"},
    {57634, "&Copy"},
    {57635, "Cu&t"},
    {57636, "&Find..."},
    {57637, "&Paste"},
    {57642, "Select &All"},
    {57643, "&Undo"},
    {57644, "&Redo"},
    {57649, "&Arrange Icons"},
    {57650, "&Cascade"},
    {57651, "Tile &Horizontally"},
    {57652, "Tile &Vertically"},
    {57664, "&About Loomwrite..."},
    {57665, "E&xit"},
    {57696, "&Font..."},
    {59392, "<placeholder>"},
    {59393, "&Status Bar"},
};

TEST_F(ResourceTablesTest, MenuItemsCarryTheirTexts) {
    for (UINT menuId : {128u, 130u}) {
        const std::vector<MenuNode> commands = commandItems(menuId);
        ASSERT_FALSE(commands.empty()) << menuId;
        for (const MenuNode& item : commands) {
            auto it = std::find_if(std::begin(kMenuTexts), std::end(kMenuTexts),
                                   [&](const auto& t) { return t.id == item.id; });
            ASSERT_NE(it, std::end(kMenuTexts)) << "unexpected command " << item.id << " in menu " << menuId;
            EXPECT_EQ(item.text, QString::fromUtf8(it->text)) << item.id;
            EXPECT_FALSE(item.text.contains(QLatin1Char('\t'))) << item.id;
        }
    }
    const std::vector<MenuNode> commands = commandItems(130);
    for (const auto& t : kMenuTexts)
        EXPECT_TRUE(
            std::any_of(commands.begin(), commands.end(), [&](const MenuNode& n) { return n.id == t.id; }))
            << t.id << " missing from menu 130";
}

TEST_F(ResourceTablesTest, PopupsOfBothMenusInOrderWithTheirItemCounts) {
    const struct {
        const char* text;
        size_t items;
    } popups130[] = {{"&File", 15},     {"&Edit", 15},  {"&View", 8},   {"&Position", 2},
                     {"&Text", 13},     {"&Block", 16}, {"&Insert", 8}, {"&Options", 8},
                     {"&UserTools", 1}, {"&Window", 7}, {"&Help", 1}};
    const auto doc = menu(130);
    ASSERT_EQ(doc.size(), std::size(popups130));
    for (size_t i = 0; i < doc.size(); ++i) {
        EXPECT_TRUE(doc[i].popup);
        EXPECT_EQ(doc[i].text, popups130[i].text);
        EXPECT_EQ(doc[i].children.size(), popups130[i].items) << popups130[i].text;
    }

    const auto frame = menu(128);
    ASSERT_EQ(frame.size(), 4u);
    EXPECT_EQ(frame[0].text, "&File");
    EXPECT_EQ(frame[1].text, "&View");
    EXPECT_EQ(frame[2].text, "&UserTools");
    EXPECT_EQ(frame[3].text, "&Help");
    EXPECT_EQ(ids(frame[0]), (std::vector<UINT>{57600, 57601, 0, 57616, 0, 57665}));
}

TEST_F(ResourceTablesTest, NoDocumentMenuSharesViewUserToolsAndHelpWithTheDocumentMenu) {
    const auto frame = menu(128);
    const auto doc = menu(130);
    ASSERT_EQ(frame.size(), 4u);
    const MenuNode* docView = popup(doc, "&View");
    ASSERT_TRUE(docView);
    // The no-document View popup ends at Full Screen; Edit Mode and Browse Mode need a document.
    ASSERT_EQ(frame[1].children.size(), 5u);
    EXPECT_EQ(frame[1].children.back().id, 32770u);
    for (size_t i = 0; i < frame[1].children.size(); ++i) {
        const MenuNode& a = frame[1].children[i];
        const MenuNode& b = docView->children[i];
        EXPECT_EQ(a.id, b.id);
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(ids(a), ids(b));
    }
    for (const char* name : {"&UserTools", "&Help"}) {
        ASSERT_TRUE(popup(frame, name) && popup(doc, name)) << name;
        EXPECT_EQ(ids(*popup(frame, name)), ids(*popup(doc, name))) << name;
    }
}

TEST_F(ResourceTablesTest, DocumentMenuPopupOrders) {
    const auto doc = menu(130);
    const MenuNode* view = popup(doc, "&View");
    ASSERT_TRUE(view);
    const MenuNode* bars = popup(view->children, "&Toolbars and Docking Windows");
    ASSERT_TRUE(bars);
    EXPECT_EQ(ids(*bars), (std::vector<UINT>{59392}));
    const MenuNode* looks = popup(view->children, "&Application Look");
    ASSERT_TRUE(looks);
    EXPECT_EQ(ids(*looks), (std::vector<UINT>{210, 209, 215, 216, 217, 218, 208, 206, 219, 207, 205}));

    const MenuNode* options = popup(doc, "&Options");
    ASSERT_TRUE(options);
    EXPECT_EQ(ids(*options), (std::vector<UINT>{32958, 32960, 32959, 32964, 32963, 32965, 32961, 32967}));

    const MenuNode* file = popup(doc, "&File");
    ASSERT_TRUE(file);
    EXPECT_EQ(ids(*file), (std::vector<UINT>{57600, 57601, 57602, 57603, 57604, 0, 57607, 57609, 57605, 0,
                                             57612, 0, 57616, 0, 57665}));

    const MenuNode* window = popup(doc, "&Window");
    ASSERT_TRUE(window);
    EXPECT_EQ(ids(*window), (std::vector<UINT>{57650, 57651, 57652, 57649, 0, 32955, 32956}));

    const MenuNode* block = popup(doc, "&Block");
    ASSERT_TRUE(block);
    EXPECT_EQ(ids(*block), (std::vector<UINT>{0, 0, 32820, 32782, 32784, 32783, 32883, 0, 32888, 32889, 0,
                                              32785, 32786, 0, 32788, 32787}));
    // Block > Format holds only its heading and the separator after which block formats are added.
    const MenuNode* format = popup(block->children, "&Format");
    ASSERT_TRUE(format);
    ASSERT_EQ(format->children.size(), 2u);
    EXPECT_EQ(format->children[0].id, 32970u);
    EXPECT_TRUE(format->children[1].isSeparator());
}

TEST_F(ResourceTablesTest, InsertControlsNestTheInputPopupLast) {
    const auto doc = menu(130);
    const MenuNode* insert = popup(doc, "&Insert");
    ASSERT_TRUE(insert);
    EXPECT_EQ(ids(*insert), (std::vector<UINT>{32838, 32833, 32837, 32880, 0, 0, 0, 32840}));
    EXPECT_TRUE(insert->children[4].isSeparator());
    EXPECT_TRUE(insert->children[6].isSeparator());
    const MenuNode* controls = popup(insert->children, "&Controls");
    ASSERT_TRUE(controls);
    EXPECT_EQ(&insert->children[5], controls);
    ASSERT_EQ(controls->children.size(), 10u);
    EXPECT_EQ(ids(*controls),
              (std::vector<UINT>{32857, 32860, 32859, 32861, 32862, 32863, 32864, 32865, 32879, 0}));
    const MenuNode& input = controls->children.back();
    EXPECT_TRUE(input.popup);
    EXPECT_EQ(input.text, "Input");
    EXPECT_EQ(ids(input), (std::vector<UINT>{32925, 32926, 32927, 32928, 32929, 32930, 32931}));
}

TEST_F(ResourceTablesTest, MenuCommandsHaveStringsExceptPlaceholdersLooksAndTabGroups) {
    const std::set<UINT> withoutString = {59392, 205, 206, 207, 208,   209,   210,  215,
                                          216,   217, 218, 219, 32945, 32955, 32956};
    for (UINT menuId : {128u, 130u}) {
        const std::vector<MenuNode> commands = commandItems(menuId);
        for (const MenuNode& item : commands)
            EXPECT_EQ(tables().hasString(item.id), withoutString.count(item.id) == 0) << item.id;
    }
}

TEST_F(ResourceTablesTest, AcceleratorTable128) {
    const ACCEL expected[] = {
        {0x0B, 0x42, 32776}, {0x0B, 0x49, 32777}, {0x0B, 0x55, 32778}, {0x0B, 0x43, 57634},
        {0x0B, 0x58, 57635}, {0x0B, 0x46, 57636}, {0x0B, 0x56, 57637}, {0x0B, 0x59, 57644},
        {0x0B, 0x41, 57642}, {0x0B, 0x5A, 57643}, {0x0B, 0x4E, 57600}, {0x0B, 0x4F, 57601},
        {0x0B, 0x50, 57607}, {0x0B, 0x53, 57603}, {0x0F, 0x53, 57604}, {0x0B, 0x4B, 32827},
        {0x0F, 0x4B, 32828}, {0x0B, 0x45, 32783}, {0x0B, 0x4C, 32782}, {0x0B, 0x4A, 32883},
        {0x0B, 0x52, 32784}, {0x03, 0x75, 57680}, {0x87, 0x75, 57681},
    };
    const auto table = tables().loadAccelerators(128);
    ASSERT_EQ(table.size(), std::size(expected));
    for (size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table[i].fVirt, expected[i].fVirt);
        EXPECT_EQ(table[i].key, expected[i].key);
        EXPECT_EQ(table[i].cmd, expected[i].cmd);
        EXPECT_EQ((table[i].fVirt & FLASTKEY) != 0, i + 1 == table.size());
        EXPECT_EQ(table[i].fVirt & FALT, 0);
    }
    EXPECT_TRUE(tables().loadAccelerators(130).empty());
}

// Positions are counted from 0, separators included.
struct Layout {
    UINT id;
    int imageHeight;
    int bitmapWidth; // one 16-pixel image per button
    std::vector<UINT> items;
};

TEST_F(ResourceTablesTest, ToolbarLayoutsAndImageStrips) {
    const std::vector<UINT> standard = {57600, 57601, 57603, 0,     57607, 57609, 0, 57636, 0,
                                        57643, 57644, 0,     57635, 57634, 57637, 0, 57664};
    const std::vector<UINT> format = {32946, 32948, 0,     32776, 32777, 32778, 32779, 0,     32780,
                                      32781, 0,     32845, 32846, 0,     32782, 32783, 32784, 32883,
                                      0,     32785, 32786, 32787, 32788, 0,     32827};
    const std::vector<UINT> insert = {32833, 32837, 32840};
    const Layout layouts[] = {
        {128, 15, 192, standard},
        {129, 16, 192, standard},
        {310, 15, 304, format},
        {316, 16, 304, format},
        {312, 15, 48, insert},
        {317, 16, 48, insert},
        {318, 16, 160, {57602, 57604, 57608, 57606, 57605, 57612, 57642, 126, 131, 57665}},
        {320, 16, 32, {57632, 131}},
    };
    EXPECT_EQ(standard.size(), 17u);
    EXPECT_EQ(format.size(), 25u);
    for (const Layout& expected : layouts) {
        SCOPED_TRACE(expected.id);
        auto toolbar = tables().loadToolbar(expected.id);
        ASSERT_TRUE(toolbar);
        EXPECT_EQ(toolbar->imageWidth, 16);
        EXPECT_EQ(toolbar->imageHeight, expected.imageHeight);
        EXPECT_EQ(std::vector<UINT>(toolbar->items.begin(), toolbar->items.end()), expected.items);
        const auto buttons =
            std::count_if(toolbar->items.begin(), toolbar->items.end(), [](auto id) { return id != 0; });
        EXPECT_EQ(buttons * toolbar->imageWidth, expected.bitmapWidth);
    }
}

TEST_F(ResourceTablesTest, EveryToolbarCommandHasATooltipExceptCustomize) {
    for (UINT id : {128u, 129u, 310u, 316u, 312u, 317u, 318u, 320u}) {
        auto toolbar = tables().loadToolbar(id);
        ASSERT_TRUE(toolbar) << id;
        for (UINT command : toolbar->items) {
            if (command != 0) {
                EXPECT_EQ(AfxCommandText(command).tooltip.isEmpty(), command == 126) << command;
            }
        }
    }
}

} // namespace
