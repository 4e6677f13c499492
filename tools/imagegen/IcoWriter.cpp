#include "IcoWriter.h"

#include "BmpWriter.h"
#include "Palette.h"

#include <QBuffer>

namespace imagegen {

namespace {

// One bit per pixel, set where the pixel is transparent.
QByteArray andMask(const QImage& argb) {
    QImage mask(argb.size(), QImage::Format_Indexed8);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            mask.setPixel(x, y, qAlpha(argb.pixel(x, y)) < 128 ? 1 : 0);
    return dibPixels(mask, 1);
}

QByteArray dibEntry(const QImage& image, int bitsPerPixel, const QVector<QRgb>& palette,
                    const QByteArray& mask) {
    const QByteArray pixels = dibPixels(image, bitsPerPixel);
    QByteArray out = infoHeader(image.width(), image.height() * 2, bitsPerPixel,
                                std::uint32_t(pixels.size() + mask.size()), std::uint32_t(palette.size()));
    out += paletteBytes(palette);
    out += pixels;
    out += mask;
    return out;
}

} // namespace

IconEntry argbEntry(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    IconEntry e;
    e.width = argb.width();
    e.height = argb.height();
    e.bitsPerPixel = 32;
    e.data = dibEntry(argb, 32, {}, andMask(argb));
    return e;
}

IconEntry indexedEntry(const QImage& image, int bitsPerPixel, const QVector<QRgb>& palette) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage indexed(argb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    const int black = palette.indexOf(qRgb(0, 0, 0));
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb c = argb.pixel(x, y);
            // Transparent pixels are black in the colour rows so the mask alone decides.
            indexed.setPixel(x, y, qAlpha(c) < 128 ? black : nearestIndex(palette, c | 0xFF000000, -1));
        }
    }
    IconEntry e;
    e.width = argb.width();
    e.height = argb.height();
    e.bitsPerPixel = bitsPerPixel;
    e.colourCount = bitsPerPixel == 4 ? 16 : 0;
    e.data = dibEntry(indexed, bitsPerPixel, palette, andMask(argb));
    return e;
}

IconEntry pngEntry(const QImage& image) {
    IconEntry e;
    e.width = image.width();
    e.height = image.height();
    e.bitsPerPixel = 32;
    QBuffer buffer(&e.data);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    return e;
}

QByteArray encodeIco(const QVector<IconEntry>& entries) {
    QByteArray out;
    appendU16(out, 0);
    appendU16(out, 1); // icon, not cursor
    appendU16(out, std::uint16_t(entries.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(entries.size());
    for (const IconEntry& e : entries) {
        // A stored size of 0 means 256.
        out.append(char(e.width >= 256 ? 0 : e.width));
        out.append(char(e.height >= 256 ? 0 : e.height));
        out.append(char(e.colourCount));
        out.append(char(0));
        appendU16(out, 1);
        appendU16(out, std::uint16_t(e.bitsPerPixel));
        appendU32(out, std::uint32_t(e.data.size()));
        appendU32(out, offset);
        offset += std::uint32_t(e.data.size());
    }
    for (const IconEntry& e : entries)
        out += e.data;
    return out;
}

} // namespace imagegen
