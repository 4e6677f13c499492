#pragma once
// A strip of toolbar button images: one row of equally sized pictures in a BMP file,
// sliced into single images. Light grey, RGB(192, 192, 192), is the strips'
// background and becomes transparent.

#include "framework/core/Resources.h"

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

namespace lw {

class CMFCToolBarImages {
public:
    // The largest user image file read; a bigger one is refused unread.
    static constexpr qint64 kMaxUserImageBytes = 819200;
    // Strips wider than this many images are refused as damaged.
    static constexpr int kMaxImages = 4096;

    // Loads the strip registered as bitmap resource `bitmapId`.
    bool load(UINT bitmapId, QSize imageSize);
    // Loads a strip from a file or a ":/" resource path. The file must be a BMP exactly
    // imageSize.height() pixels high and a whole number of images wide; anything else
    // leaves the object empty and returns false.
    bool loadFile(const QString& path, QSize imageSize);
    // Loads the user's own button images; a file bigger than `maxBytes` is refused
    // before it is read.
    bool loadUserImages(const QString& path, QSize imageSize, qint64 maxBytes = kMaxUserImageBytes);

    bool isValid() const { return !m_images.empty(); }
    int count() const { return int(m_images.size()); }
    QSize imageSize() const { return m_imageSize; }
    // The picture with transparency; a null image for an index out of range.
    QImage image(int index) const;
    // An icon holding exactly the picture at its own size; null out of range.
    QIcon icon(int index) const;
    // Why the last load failed (empty after a successful load).
    QString errorString() const { return m_error; }
    void clear();

private:
    bool loadBytes(const QByteArray& bytes, QSize imageSize);
    bool fail(const QString& why);

    std::vector<QImage> m_images;
    QSize m_imageSize;
    QString m_error;
};

} // namespace lw
