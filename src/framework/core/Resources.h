#pragma once
// Built-in resources (strings, menus, accelerator tables, toolbar layouts, bitmaps)
// looked up by number. The program registers its tables once at start-up; the
// framework only ever reads them through this interface.

#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace lw {

using UINT = std::uint32_t;

// One string-table entry. Texts are UTF-8.
struct StringResource {
    std::uint16_t id;
    const char* text;
};

// Menu template flags, as stored in a menu resource.
inline constexpr std::uint16_t MF_POPUP = 0x10;
inline constexpr std::uint16_t MF_END = 0x80;

// One entry of a menu template in stored order: a popup opens a level that the
// next entries fill until one carries MF_END. A separator has ID 0 and no text.
struct MenuTemplateItem {
    std::uint16_t flags;
    std::uint16_t id; // ignored for popups
    const char* text;
};

// Accelerator flag bits of the stored table.
inline constexpr std::uint8_t FVIRTKEY = 0x01;
inline constexpr std::uint8_t FNOINVERT = 0x02;
inline constexpr std::uint8_t FSHIFT = 0x04;
inline constexpr std::uint8_t FCONTROL = 0x08;
inline constexpr std::uint8_t FALT = 0x10;
inline constexpr std::uint8_t FLASTKEY = 0x80;

struct ACCEL {
    std::uint8_t fVirt;
    std::uint16_t key; // virtual-key code
    std::uint16_t cmd;
};

// A toolbar layout: command IDs in button order, 0 for a separator.
struct ToolbarResource {
    std::uint16_t id;
    int imageWidth;
    int imageHeight;
    std::span<const std::uint16_t> items;
};

// A node of a parsed menu: a command item, a separator (id 0, empty text) or a popup.
struct MenuNode {
    UINT id = 0;
    QString text;
    bool popup = false;
    std::vector<MenuNode> children;

    bool isSeparator() const { return !popup && id == 0 && text.isEmpty(); }
};

// Parses a flat menu template into its popups. Returns nothing when the template is
// malformed (a level never closed, or entries after the last level ended).
std::optional<std::vector<MenuNode>> parseMenuTemplate(std::span<const MenuTemplateItem> items);

// The process-wide resource tables.
class CResourceTables {
public:
    static CResourceTables& instance();

    void addStrings(std::span<const StringResource> strings);
    void addMenu(UINT id, std::span<const MenuTemplateItem> items);
    void addAccelerators(UINT id, std::span<const ACCEL> table);
    void addToolbar(const ToolbarResource& toolbar);
    // A bitmap is a file embedded with the Qt resource system (":/..." path).
    void addBitmap(UINT id, const QString& path);
    void addIcon(UINT id, const QString& path);

    // Empty when the string does not exist (see hasString).
    QString loadString(UINT id) const;
    bool hasString(UINT id) const;
    std::optional<std::vector<MenuNode>> loadMenu(UINT id) const;
    std::span<const ACCEL> loadAccelerators(UINT id) const;
    std::optional<ToolbarResource> loadToolbar(UINT id) const;
    QString bitmapPath(UINT id) const;
    QString iconPath(UINT id) const;

    void clear();

private:
    std::map<UINT, QString> m_strings;
    std::map<UINT, std::span<const MenuTemplateItem>> m_menus;
    std::map<UINT, std::span<const ACCEL>> m_accels;
    std::map<UINT, ToolbarResource> m_toolbars;
    std::map<UINT, QString> m_bitmaps;
    std::map<UINT, QString> m_icons;
};

// Shorthand for CResourceTables::instance().loadString(id).
QString AfxLoadString(UINT id);

// A command's string split at the first line feed: the status-bar prompt, then the tooltip.
struct CommandText {
    QString prompt;
    QString tooltip;
};
CommandText AfxCommandText(UINT id);

} // namespace lw
