#include "Palette.h"

#include <limits>

namespace imagegen {

const QVector<QRgb>& vgaPalette() {
    static const QVector<QRgb> colours = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    return colours;
}

const QVector<QRgb>& palette256() {
    static const QVector<QRgb> colours = [] {
        QVector<QRgb> c = vgaPalette();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    c.append(qRgb(r * 51, g * 51, b * 51));
        for (int i = 0; i < 24; ++i)
            c.append(qRgb(8 + 10 * i, 8 + 10 * i, 8 + 10 * i));
        return c;
    }();
    return colours;
}

int nearestIndex(const QVector<QRgb>& palette, QRgb rgb, int excluded) {
    int best = -1;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 0; i < palette.size(); ++i) {
        if (i == excluded)
            continue;
        // Weighted distance: the eye is most sensitive to green, least to blue.
        const long dr = qRed(rgb) - qRed(palette[i]);
        const long dg = qGreen(rgb) - qGreen(palette[i]);
        const long db = qBlue(rgb) - qBlue(palette[i]);
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

QImage toIndexed(const QImage& picture, const QVector<QRgb>& palette) {
    const int background = palette.indexOf(kBackground);
    QImage out(picture.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    const QImage src = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        uchar* line = out.scanLine(y);
        for (int x = 0; x < src.width(); ++x) {
            const QRgb rgb = in[x] | 0xFF000000;
            line[x] = uchar(rgb == kBackground && background >= 0 ? background
                                                                  : nearestIndex(palette, rgb, background));
        }
    }
    return out;
}

namespace {

Style makeHiColor() {
    Style s;
    s.hiColor = true;
    s.outline = QColor(44, 50, 62);
    s.black = QColor(0, 0, 0);
    s.white = QColor(255, 255, 255);
    s.paper = QColor(255, 255, 255);
    s.paperDim = QColor(206, 216, 230);
    s.text = QColor(112, 124, 146);
    s.metal = QColor(206, 210, 218);
    s.metalDark = QColor(124, 130, 142);
    s.dark = QColor(82, 88, 100);
    s.blue = QColor(46, 108, 210);
    s.blueDark = QColor(24, 56, 134);
    s.cyan = QColor(150, 204, 246);
    s.teal = QColor(18, 132, 146);
    s.yellow = QColor(250, 212, 86);
    s.ochre = QColor(204, 150, 42);
    s.brown = QColor(150, 94, 46);
    s.red = QColor(222, 52, 44);
    s.redDark = QColor(144, 26, 24);
    s.green = QColor(56, 158, 70);
    s.lime = QColor(136, 212, 112);
    s.purple = QColor(132, 72, 172);
    s.pink = QColor(238, 120, 190);
    return s;
}

Style makeSixteen() {
    const QVector<QRgb>& v = vgaPalette();
    Style s;
    s.hiColor = false;
    s.outline = QColor(v[0]);
    s.black = QColor(v[0]);
    s.white = QColor(v[15]);
    s.paper = QColor(v[15]);
    s.paperDim = QColor(v[8]);
    s.text = QColor(v[8]);
    s.metal = QColor(v[15]);
    s.metalDark = QColor(v[8]);
    s.dark = QColor(v[8]);
    s.blue = QColor(v[12]);
    s.blueDark = QColor(v[4]);
    s.cyan = QColor(v[14]);
    s.teal = QColor(v[6]);
    s.yellow = QColor(v[11]);
    s.ochre = QColor(v[3]);
    s.brown = QColor(v[1]);
    s.red = QColor(v[9]);
    s.redDark = QColor(v[1]);
    s.green = QColor(v[2]);
    s.lime = QColor(v[10]);
    s.purple = QColor(v[5]);
    s.pink = QColor(v[13]);
    return s;
}

} // namespace

QColor Style::key(char c) const {
    switch (c) {
    case 'k':
        return outline;
    case 'K':
        return black;
    case 'W':
        return white;
    case 'w':
        return paper;
    case 's':
        return paperDim;
    case 't':
        return text;
    case 'm':
        return metal;
    case 'M':
        return metalDark;
    case 'd':
        return dark;
    case 'b':
        return blue;
    case 'B':
        return blueDark;
    case 'c':
        return cyan;
    case 'T':
        return teal;
    case 'y':
        return yellow;
    case 'Y':
        return ochre;
    case 'o':
        return brown;
    case 'r':
        return red;
    case 'R':
        return redDark;
    case 'g':
        return green;
    case 'l':
        return lime;
    case 'v':
        return purple;
    case 'f':
        return pink;
    default:
        return QColor();
    }
}

const Style& hiColorStyle() {
    static const Style s = makeHiColor();
    return s;
}

const Style& sixteenColorStyle() {
    static const Style s = makeSixteen();
    return s;
}

} // namespace imagegen
