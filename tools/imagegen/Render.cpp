#include "Render.h"

namespace imagegen {

namespace {

bool rowEmpty(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != kBackground)
            return false;
    return true;
}

} // namespace

QImage renderPicture(const Picture& picture, const Style& style, int height, QStringList& warnings) {
    QImage drawn(kImageWidth, 16, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        Canvas canvas(painter, style);
        picture.draw(canvas);
    }
    // Half-covered edge pixels become picture or background, so the picture never
    // blends with a grey that the toolbar will not show.
    const QImage straight = drawn.convertToFormat(QImage::Format_ARGB32);
    QImage out(kImageWidth, 16, QImage::Format_RGB32);
    bool empty = true;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < kImageWidth; ++x) {
            const QRgb c = straight.pixel(x, y);
            QRgb rgb = kBackground;
            if (qAlpha(c) >= 128) {
                rgb = c | 0xFF000000;
                if (rgb == kBackground)
                    rgb = qRgb(196, 196, 196);
                empty = false;
            }
            out.setPixel(x, y, rgb);
        }
    }
    if (empty)
        warnings << QStringLiteral("%1: empty picture").arg(QLatin1String(picture.name));
    if (height == 16)
        return out;
    int drop = 15;
    if (!rowEmpty(out, 15)) {
        drop = rowEmpty(out, 0) ? 0 : 15;
        if (drop == 15)
            warnings
                << QStringLiteral("%1: no empty row for the 15-row picture").arg(QLatin1String(picture.name));
    }
    return drop == 0 ? out.copy(0, 1, kImageWidth, 15) : out.copy(0, 0, kImageWidth, 15);
}

QImage renderStrip(const Strip& strip, QStringList& warnings) {
    const Style& style = strip.bitsPerPixel == 4 ? sixteenColorStyle() : hiColorStyle();
    QImage rgb(kImageWidth * int(strip.pictures.size()), strip.imageHeight, QImage::Format_RGB32);
    QPainter painter(&rgb);
    int x = 0;
    for (const Picture& picture : strip.pictures) {
        painter.drawImage(x, 0, renderPicture(picture, style, strip.imageHeight, warnings));
        x += kImageWidth;
    }
    painter.end();
    if (strip.bitsPerPixel == 24)
        return rgb;
    QImage indexed = toIndexed(rgb, vgaPalette());
    // The 16-colour style draws with palette colours only; anything else is a drawing mistake.
    for (int y = 0; y < rgb.height(); ++y) {
        for (int px = 0; px < rgb.width(); ++px) {
            if (indexed.color(indexed.pixelIndex(px, y)) != (rgb.pixel(px, y) | 0xFF000000)) {
                warnings << QStringLiteral("%1: colour outside the 16-colour palette at %2,%3")
                                .arg(QLatin1String(strip.file))
                                .arg(px)
                                .arg(y);
                return indexed;
            }
        }
    }
    return indexed;
}

} // namespace imagegen
