#pragma once
// The .ico container: a directory of entries, each a DIB (colour rows followed by a
// one-bit transparency mask) or a PNG stream.

#include <QByteArray>
#include <QImage>
#include <QVector>

namespace imagegen {

struct IconEntry {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int colourCount = 0; // 16 for 4-bit entries, else 0
    QByteArray data;
};

// A 32-bit entry with alpha; the mask marks fully transparent pixels.
IconEntry argbEntry(const QImage& image);

// A palette entry (4 or 8 bits): pixels with alpha below one half are transparent,
// the others take their nearest palette colour.
IconEntry indexedEntry(const QImage& image, int bitsPerPixel, const QVector<QRgb>& palette);

// An entry stored as a PNG stream (used for 256-pixel images).
IconEntry pngEntry(const QImage& image);

QByteArray encodeIco(const QVector<IconEntry>& entries);

} // namespace imagegen
