#include "Preview.h"

#include "Pictures.h"

#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QPainter>

namespace imagegen {

QImage contactSheet(const QImage& strip, int imageWidth, int perRow, int scale) {
    const int count = strip.width() / imageWidth;
    const int rows = (count + perRow - 1) / perRow;
    const int cellW = imageWidth * scale + 2;
    const int cellH = strip.height() * scale + 2;
    QImage sheet(cellW * std::min(count, perRow), cellH * rows, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 40));
    QPainter p(&sheet);
    for (int i = 0; i < count; ++i) {
        const QImage one =
            strip.copy(i * imageWidth, 0, imageWidth, strip.height()).convertToFormat(QImage::Format_RGB32);
        p.drawImage(QRect((i % perRow) * cellW + 1, (i / perRow) * cellH + 1, imageWidth * scale,
                          strip.height() * scale),
                    one);
    }
    return sheet;
}

bool writePreviews(const QString& outputDir, const QString& previewDir) {
    QDir().mkpath(previewDir);
    const QDir out(outputDir);
    bool ok = true;
    for (const Strip& strip : strips()) {
        const QImage image(out.filePath(QLatin1String(strip.file)));
        if (image.isNull()) {
            ok = false;
            continue;
        }
        const QString name =
            QString::fromLatin1(strip.file).replace(QLatin1String(".bmp"), QLatin1String(".png"));
        ok = contactSheet(image, 16, 10, 8).save(QDir(previewDir).filePath(name)) && ok;
        ok = contactSheet(image, 16, 20, 2).save(QDir(previewDir).filePath(QStringLiteral("x2-") + name)) &&
             ok;
    }
    // Every entry of each icon, side by side, on a mid-grey ground.
    for (const char* icon : {"loomwrite.ico", "htmldocument.ico"}) {
        QImageReader reader(out.filePath(QLatin1String(icon)));
        QList<QImage> images;
        QImage image;
        int width = 0;
        int height = 0;
        for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i) && reader.read(&image); ++i) {
            images << image;
            width += image.width() * 2 + 8;
            height = std::max(height, image.height() * 2);
        }
        if (images.isEmpty()) {
            ok = false;
            continue;
        }
        QImage sheet(width, height, QImage::Format_RGB32);
        sheet.fill(QColor(110, 120, 130));
        QPainter p(&sheet);
        int x = 0;
        for (const QImage& one : images) {
            p.drawImage(QRect(x, 0, one.width() * 2, one.height() * 2), one);
            x += one.width() * 2 + 8;
        }
        p.end();
        ok = sheet.save(QDir(previewDir).filePath(QString::fromLatin1(icon) + QStringLiteral(".png"))) && ok;
    }
    // The small application icon sizes and the document icon, enlarged.
    QImage small(8 * (16 + 24 + 32 + 48) + 40, 8 * 48, QImage::Format_RGB32);
    small.fill(QColor(110, 120, 130));
    QPainter p(&small);
    int x = 0;
    for (int size : {16, 24, 32, 48}) {
        QImageReader reader(out.filePath(QStringLiteral("loomwrite.ico")));
        QImage entry;
        for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i) && reader.read(&entry); ++i)
            if (entry.width() == size)
                break;
        p.drawImage(QRect(x, 0, size * 8, size * 8), entry);
        x += size * 8 + 10;
    }
    p.end();
    ok = small.save(QDir(previewDir).filePath(QStringLiteral("appicon-small.png"))) && ok;
    return ok;
}

} // namespace imagegen
