#include "framework/ui/CommandImages.h"

namespace lw {

void CMFCCommandImages::addFromToolbar(std::span<const std::uint16_t> items,
                                       const CMFCToolBarImages& images) {
    int index = 0;
    for (const std::uint16_t cmd : items) {
        if (cmd == 0)
            continue;
        if (index < images.count() && !has(cmd))
            m_pictures.emplace(cmd, Picture{images.image(index), images.icon(index)});
        ++index;
    }
}

QIcon CMFCCommandImages::icon(UINT cmd) const {
    const auto it = m_pictures.find(cmd);
    return it == m_pictures.end() ? QIcon() : it->second.icon;
}

QImage CMFCCommandImages::image(UINT cmd) const {
    const auto it = m_pictures.find(cmd);
    return it == m_pictures.end() ? QImage() : it->second.image;
}

} // namespace lw
