#include "framework/core/Resources.h"

namespace lw {

std::optional<std::vector<MenuNode>> parseMenuTemplate(std::span<const MenuTemplateItem> items) {
    std::vector<MenuNode> top;
    // Stack of open levels; each holds the list being filled.
    std::vector<std::vector<MenuNode>*> levels{&top};
    bool topEnded = false;
    for (const MenuTemplateItem& item : items) {
        if (topEnded || levels.empty())
            return std::nullopt;
        MenuNode node;
        node.text = item.text ? QString::fromUtf8(item.text) : QString();
        node.popup = (item.flags & MF_POPUP) != 0;
        node.id = node.popup ? 0 : item.id;
        std::vector<MenuNode>* level = levels.back();
        level->push_back(std::move(node));
        bool last = (item.flags & MF_END) != 0;
        if (level->back().popup) {
            // The popup's own MF_END closes its parent level once the popup's children end.
            if (last)
                levels.back() = nullptr;
            levels.push_back(&level->back().children);
            continue;
        }
        if (last) {
            levels.pop_back();
            // Close every parent whose last entry was the popup just finished.
            while (!levels.empty() && levels.back() == nullptr)
                levels.pop_back();
            if (levels.empty())
                topEnded = true;
        }
    }
    if (!topEnded)
        return std::nullopt;
    return top;
}

CResourceTables& CResourceTables::instance() {
    static CResourceTables tables;
    return tables;
}

void CResourceTables::addStrings(std::span<const StringResource> strings) {
    for (const StringResource& s : strings)
        m_strings[s.id] = QString::fromUtf8(s.text);
}

void CResourceTables::addMenu(UINT id, std::span<const MenuTemplateItem> items) { m_menus[id] = items; }
void CResourceTables::addAccelerators(UINT id, std::span<const ACCEL> table) { m_accels[id] = table; }
void CResourceTables::addToolbar(const ToolbarResource& toolbar) { m_toolbars[toolbar.id] = toolbar; }
void CResourceTables::addBitmap(UINT id, const QString& path) { m_bitmaps[id] = path; }
void CResourceTables::addIcon(UINT id, const QString& path) { m_icons[id] = path; }

QString CResourceTables::loadString(UINT id) const {
    auto it = m_strings.find(id);
    return it == m_strings.end() ? QString() : it->second;
}

bool CResourceTables::hasString(UINT id) const { return m_strings.count(id) != 0; }

std::optional<std::vector<MenuNode>> CResourceTables::loadMenu(UINT id) const {
    auto it = m_menus.find(id);
    if (it == m_menus.end())
        return std::nullopt;
    return parseMenuTemplate(it->second);
}

std::span<const ACCEL> CResourceTables::loadAccelerators(UINT id) const {
    auto it = m_accels.find(id);
    return it == m_accels.end() ? std::span<const ACCEL>() : it->second;
}

std::optional<ToolbarResource> CResourceTables::loadToolbar(UINT id) const {
    auto it = m_toolbars.find(id);
    if (it == m_toolbars.end())
        return std::nullopt;
    return it->second;
}

QString CResourceTables::bitmapPath(UINT id) const {
    auto it = m_bitmaps.find(id);
    return it == m_bitmaps.end() ? QString() : it->second;
}

QString CResourceTables::iconPath(UINT id) const {
    auto it = m_icons.find(id);
    return it == m_icons.end() ? QString() : it->second;
}

void CResourceTables::clear() {
    m_strings.clear();
    m_menus.clear();
    m_accels.clear();
    m_toolbars.clear();
    m_bitmaps.clear();
    m_icons.clear();
}

QString AfxLoadString(UINT id) { return CResourceTables::instance().loadString(id); }

CommandText AfxCommandText(UINT id) {
    const QString s = AfxLoadString(id);
    const qsizetype lf = s.indexOf(QLatin1Char('\n'));
    if (lf < 0)
        return {s, QString()};
    return {s.left(lf), s.mid(lf + 1)};
}

} // namespace lw
