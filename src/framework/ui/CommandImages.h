#pragma once
// The pictures of commands, gathered from every image strip the main frame loads:
// menus, the customisation dialog and user toolbars show a command with the picture
// kept here, wherever the command appears.

#include "framework/core/Resources.h"
#include "framework/ui/ToolBarImages.h"

#include <QIcon>
#include <QImage>
#include <cstdint>
#include <map>
#include <span>

namespace lw {

class CMFCCommandImages {
public:
    // Takes the pictures of a toolbar layout from its strip: the n-th command that is
    // not a separator (0) gets the n-th image. A command that already has a picture
    // keeps it; commands beyond the strip's last image get none.
    void addFromToolbar(std::span<const std::uint16_t> items, const CMFCToolBarImages& images);

    // A null icon or image for a command without a picture.
    QIcon icon(UINT cmd) const;
    QImage image(UINT cmd) const;
    bool has(UINT cmd) const { return m_pictures.count(cmd) != 0; }
    int count() const { return int(m_pictures.size()); }
    void clear() { m_pictures.clear(); }

private:
    struct Picture {
        QImage image;
        QIcon icon;
    };
    std::map<UINT, Picture> m_pictures;
};

} // namespace lw
