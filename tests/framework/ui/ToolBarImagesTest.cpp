// The embedded toolbar strips and icons, the strip loader and the command picture
// collection: file formats byte by byte, transparency, refusals and first-wins.

#include "framework/ui/ToolBarImages.h"
#include "framework/core/Resources.h"
#include "framework/ui/CommandImages.h"
#include "resources/ProgramImages.h"
#include "support/TestEnvironment.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace lw;

namespace {

constexpr QRgb kGrey = 0xFFC0C0C0;

// Command layouts of the bars and menu-image strips, 0 for a separator.
const std::uint16_t kStandard[] = {57600, 57601, 57603, 0,     57607, 57609, 0, 57636, 0,
                                   57643, 57644, 0,     57635, 57634, 57637, 0, 57664};
const std::uint16_t kFormat[] = {32946, 32948, 0,     32776, 32777, 32778, 32779, 0,     32780,
                                 32781, 0,     32845, 32846, 0,     32782, 32783, 32784, 32883,
                                 0,     32785, 32786, 32787, 32788, 0,     32827};
const std::uint16_t kInsert[] = {32833, 32837, 32840};
const std::uint16_t kMenuImages[] = {57602, 57604, 57608, 57606, 57605, 57612, 57642, 126, 131, 57665};
const std::uint16_t kMenuImages16[] = {57632, 131};

quint32 u32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray bmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A strip of `count` 16 x 16 images, image i filled with grey except one pixel whose
// colour encodes i, so tests can tell which image they got.
QImage syntheticStrip(int count, int height = 16) {
    QImage strip(16 * count, height, QImage::Format_RGB32);
    strip.fill(kGrey);
    for (int i = 0; i < count; ++i)
        strip.setPixel(16 * i + 3, 3, qRgb(10 * (i + 1), 0, 0));
    return strip;
}

class ProgramImages : public ::testing::Test {
protected:
    // Other suites in this program may clear the shared tables.
    void SetUp() override { RegisterProgramImages(); }
};

struct StripCase {
    UINT id;
    int width;
    int height;
    int bits;
    int images;
};

const StripCase kStrips[] = {
    {128, 192, 15, 4, 12}, {129, 192, 16, 24, 12}, {310, 304, 15, 4, 19},  {316, 304, 16, 24, 19},
    {312, 48, 15, 4, 3},   {317, 48, 16, 24, 3},   {318, 160, 16, 24, 10}, {320, 32, 16, 4, 2},
};

TEST_F(ProgramImages, StripFilesHaveTheirExactSizeDepthAndPalette) {
    const QRgb vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                          0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (const StripCase& s : kStrips) {
        SCOPED_TRACE(s.id);
        const QByteArray b = readAll(CResourceTables::instance().bitmapPath(s.id));
        ASSERT_GE(b.size(), 54);
        EXPECT_TRUE(b.startsWith("BM"));
        EXPECT_EQ(u32(b, 2), quint32(b.size()));
        EXPECT_EQ(u32(b, 14), 40u);
        EXPECT_EQ(qint32(u32(b, 18)), s.width);
        EXPECT_EQ(qint32(u32(b, 22)), s.height); // positive: rows stored bottom-up
        EXPECT_EQ(u16(b, 26), 1);
        EXPECT_EQ(u16(b, 28), s.bits);
        EXPECT_EQ(u32(b, 30), 0u); // uncompressed
        const int stride = ((s.width * s.bits + 31) / 32) * 4;
        const int paletteEntries = s.bits == 4 ? 16 : 0;
        EXPECT_EQ(u32(b, 10), quint32(54 + 4 * paletteEntries));
        EXPECT_EQ(b.size(), 54 + 4 * paletteEntries + stride * s.height);
        if (s.bits == 4) {
            EXPECT_TRUE(u32(b, 46) == 16 || u32(b, 46) == 0);
            for (int i = 0; i < 16; ++i)
                EXPECT_EQ(u32(b, 54 + 4 * i), vga[i]) << "palette entry " << i;
        }
    }
}

TEST_F(ProgramImages, StripsLoadWithGreyTransparentAndEveryPictureDrawn) {
    for (const StripCase& s : kStrips) {
        SCOPED_TRACE(s.id);
        CMFCToolBarImages images;
        ASSERT_TRUE(images.load(s.id, QSize(16, s.height))) << images.errorString().toStdString();
        EXPECT_EQ(images.count(), s.images);
        EXPECT_EQ(images.imageSize(), QSize(16, s.height));
        const QImage raw =
            QImage(CResourceTables::instance().bitmapPath(s.id)).convertToFormat(QImage::Format_RGB32);
        QSet<QByteArray> distinct;
        for (int i = 0; i < images.count(); ++i) {
            const QImage image = images.image(i);
            ASSERT_EQ(image.size(), QSize(16, s.height));
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < 16; ++x) {
                    const bool grey = raw.pixel(16 * i + x, y) == kGrey;
                    EXPECT_EQ(qAlpha(image.pixel(x, y)), grey ? 0 : 255)
                        << "image " << i << " at " << x << "," << y;
                    opaque += grey ? 0 : 1;
                }
            }
            // A picture, with background round it.
            EXPECT_GE(opaque, 12) << "image " << i;
            EXPECT_LT(opaque, 16 * s.height) << "image " << i;
            distinct.insert(
                QByteArray(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes())));
        }
        EXPECT_EQ(distinct.size(), images.count()) << "two pictures of one strip are the same";
    }
}

struct IcoEntry {
    int size;
    int bits;
    int colours;
    QByteArray data;
};

std::vector<IcoEntry> icoEntries(const QByteArray& b) {
    std::vector<IcoEntry> out;
    if (b.size() < 6 || u16(b, 0) != 0 || u16(b, 2) != 1)
        return out;
    for (int i = 0; i < u16(b, 4); ++i) {
        const int at = 6 + 16 * i;
        const int size = uchar(b[at]) == 0 ? 256 : uchar(b[at]);
        EXPECT_EQ(uchar(b[at + 1]), uchar(b[at])) << "square entry";
        EXPECT_EQ(u16(b, at + 4), 1) << "planes";
        out.push_back(
            {size, u16(b, at + 6), uchar(b[at + 2]), b.mid(int(u32(b, at + 12)), int(u32(b, at + 8)))});
    }
    return out;
}

TEST_F(ProgramImages, ApplicationIconHasNineSizesWithThe256OneAsPng) {
    const QString path = CResourceTables::instance().iconPath(128);
    const std::vector<IcoEntry> entries = icoEntries(readAll(path));
    ASSERT_EQ(entries.size(), 9u);
    const int sizes[] = {16, 24, 32, 48, 64, 72, 96, 128, 256};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const IcoEntry& e = entries[i];
        SCOPED_TRACE(e.size);
        EXPECT_EQ(e.size, sizes[i]);
        EXPECT_EQ(e.bits, 32);
        if (e.size == 256) {
            EXPECT_TRUE(e.data.startsWith("\x89PNG\r\n\x1a\n"));
            continue;
        }
        ASSERT_GE(e.data.size(), 40);
        EXPECT_EQ(u32(e.data, 0), 40u);
        EXPECT_EQ(u32(e.data, 4), quint32(e.size));
        EXPECT_EQ(u32(e.data, 8), quint32(2 * e.size)); // colour rows and mask
        EXPECT_EQ(u16(e.data, 14), 32);
        const int maskStride = ((e.size + 31) / 32) * 4;
        EXPECT_EQ(e.data.size(), 40 + 4 * e.size * e.size + maskStride * e.size);
    }
    // Every entry decodes, with transparent corners round an opaque middle.
    QImageReader reader(path);
    ASSERT_EQ(reader.imageCount(), 9);
    for (int i = 0; i < 9; ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_EQ(image.size(), QSize(sizes[i], sizes[i]));
        EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    }
}

TEST_F(ProgramImages, DocumentIconHas16And256ColourEntriesAt32And16) {
    const std::vector<IcoEntry> entries = icoEntries(readAll(CResourceTables::instance().iconPath(130)));
    ASSERT_EQ(entries.size(), 4u);
    QSet<QPair<int, int>> seen;
    for (const IcoEntry& e : entries) {
        SCOPED_TRACE(e.size * 100 + e.bits);
        seen.insert({e.size, e.bits});
        EXPECT_EQ(e.colours, e.bits == 4 ? 16 : 0);
        ASSERT_GE(e.data.size(), 40);
        EXPECT_EQ(u16(e.data, 14), e.bits);
        const int paletteEntries = 1 << e.bits;
        const int stride = ((e.size * e.bits + 31) / 32) * 4;
        const int maskStride = ((e.size + 31) / 32) * 4;
        EXPECT_EQ(e.data.size(), 40 + 4 * paletteEntries + (stride + maskStride) * e.size);
    }
    EXPECT_EQ(seen, (QSet<QPair<int, int>>{{32, 4}, {16, 4}, {32, 8}, {16, 8}}));
}

struct Bar {
    std::span<const std::uint16_t> items;
    UINT strip;
    int imageHeight;
};

// Gathers the pictures of the bars in order, as the main frame does.
CMFCCommandImages collect(std::initializer_list<Bar> bars) {
    CMFCCommandImages pictures;
    for (const Bar& bar : bars) {
        CMFCToolBarImages images;
        EXPECT_TRUE(images.load(bar.strip, QSize(16, bar.imageHeight))) << bar.strip;
        pictures.addFromToolbar(bar.items, images);
    }
    return pictures;
}

TEST_F(ProgramImages, HighColourSetsPictureCloseButNotDelete) {
    const CMFCCommandImages pictures =
        collect({{kStandard, 129, 16}, {kFormat, 316, 16}, {kInsert, 317, 16}, {kMenuImages, 318, 16}});
    EXPECT_EQ(pictures.count(), 12 + 19 + 3 + 10);
    for (UINT cmd : {57602u, 57604u, 57605u, 57612u, 57642u, 57665u, 126u, 131u, 32776u, 32827u, 32840u})
        EXPECT_TRUE(pictures.has(cmd)) << cmd;
    EXPECT_FALSE(pictures.has(57632)); // Delete
    EXPECT_FALSE(pictures.has(32857)); // insert controls have no picture
    EXPECT_TRUE(pictures.icon(57632).isNull());
}

TEST_F(ProgramImages, SixteenColourSetsPictureDeleteButNotClose) {
    const CMFCCommandImages pictures =
        collect({{kStandard, 128, 15}, {kFormat, 310, 15}, {kInsert, 312, 15}, {kMenuImages16, 320, 16}});
    EXPECT_EQ(pictures.count(), 12 + 19 + 3 + 2);
    EXPECT_TRUE(pictures.has(57632));
    EXPECT_TRUE(pictures.has(131));
    for (UINT cmd : {57602u, 57604u, 57605u, 57612u, 57642u, 57665u})
        EXPECT_FALSE(pictures.has(cmd)) << cmd;
    EXPECT_EQ(pictures.image(32776).size(), QSize(16, 15));
}

TEST_F(ProgramImages, RegisteredPathsAreEmbedded) {
    for (const StripCase& s : kStrips)
        EXPECT_TRUE(QFile::exists(CResourceTables::instance().bitmapPath(s.id))) << s.id;
    for (UINT id : {128u, 130u})
        EXPECT_TRUE(QFile::exists(CResourceTables::instance().iconPath(id))) << id;
}

TEST(CommandImages, SeparatorsTakeNoImageAndTheFirstPictureWins) {
    lwtest::ScratchDir dir;
    ASSERT_TRUE(writeFile(dir.file("a.bmp"), bmpBytes(syntheticStrip(3))));
    ASSERT_TRUE(writeFile(dir.file("b.bmp"), bmpBytes(syntheticStrip(2).mirrored(true, false))));
    CMFCToolBarImages a;
    CMFCToolBarImages b;
    ASSERT_TRUE(a.loadFile(dir.file("a.bmp"), QSize(16, 16)));
    ASSERT_TRUE(b.loadFile(dir.file("b.bmp"), QSize(16, 16)));

    CMFCCommandImages pictures;
    const std::uint16_t first[] = {0, 5, 0, 0, 6, 7};
    const std::uint16_t second[] = {6, 8, 9}; // 9 is past the strip's last image
    pictures.addFromToolbar(first, a);
    pictures.addFromToolbar(second, b);
    EXPECT_EQ(pictures.count(), 4);
    EXPECT_EQ(pictures.image(5), a.image(0));
    EXPECT_EQ(pictures.image(6), a.image(1)); // not b's
    EXPECT_EQ(pictures.image(7), a.image(2));
    EXPECT_EQ(pictures.image(8), b.image(1));
    EXPECT_FALSE(pictures.has(9));
    EXPECT_FALSE(pictures.has(0));

    // The icon holds the picture at its own size only.
    const QIcon icon = pictures.icon(6);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(16, 16)});
    EXPECT_EQ(icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32), a.image(1));

    pictures.clear();
    EXPECT_EQ(pictures.count(), 0);
    EXPECT_TRUE(pictures.icon(5).isNull());
}

TEST(CommandImages, AnEmptyStripAddsNothing) {
    CMFCCommandImages pictures;
    const std::uint16_t items[] = {1, 2};
    pictures.addFromToolbar(items, CMFCToolBarImages());
    EXPECT_EQ(pictures.count(), 0);
}

TEST(ToolBarImages, RefusesWhatIsNotAStripOfTheGivenSize) {
    lwtest::ScratchDir dir;
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        syntheticStrip(2).save(&buffer, "PNG");
    }
    const QByteArray good = bmpBytes(syntheticStrip(2));
    QByteArray lyingHeight = good;
    qToLittleEndian<qint32>(15, lyingHeight.data() + 22);
    QByteArray hugeWidth = good;
    qToLittleEndian<qint32>(16 * 100000, hugeWidth.data() + 18);
    struct Case {
        const char* name;
        QByteArray bytes;
        QSize size;
    } cases[] = {
        {"png", png, QSize(16, 16)},
        {"empty", QByteArray(), QSize(16, 16)},
        {"header only", good.left(30), QSize(16, 16)},
        {"truncated pixels", good.left(good.size() / 2), QSize(16, 16)},
        {"height differs", good, QSize(16, 15)},
        {"width not a multiple", bmpBytes(syntheticStrip(2).copy(0, 0, 20, 16)), QSize(16, 16)},
        {"header claims another height", lyingHeight, QSize(16, 16)},
        {"absurd width", hugeWidth, QSize(16, 16)},
        {"zero image size", good, QSize(0, 16)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.file(QString::fromLatin1(c.name) + QStringLiteral(".bmp"));
        ASSERT_TRUE(writeFile(path, good));
        CMFCToolBarImages images;
        ASSERT_TRUE(images.loadFile(path, QSize(16, 16))); // a good strip first...
        ASSERT_TRUE(writeFile(path, c.bytes));
        EXPECT_FALSE(images.loadFile(path, c.size)); // ...is dropped by a failed load
        EXPECT_FALSE(images.isValid());
        EXPECT_EQ(images.count(), 0);
        EXPECT_TRUE(images.image(0).isNull());
        EXPECT_TRUE(images.icon(0).isNull());
        EXPECT_FALSE(images.errorString().isEmpty());
    }
}

TEST(ToolBarImages, UnknownResourceAndMissingFileAreRefused) {
    CMFCToolBarImages images;
    EXPECT_FALSE(images.load(9999, QSize(16, 16)));
    EXPECT_FALSE(images.loadFile(QStringLiteral("/nonexistent/strip.bmp"), QSize(16, 16)));
    EXPECT_FALSE(images.loadUserImages(QStringLiteral("UserImages.bmp"), QSize(16, 16)));
    EXPECT_FALSE(images.isValid());
}

TEST(ToolBarImages, UserImagesAboveTheLimitAreRefused) {
    lwtest::ScratchDir dir;
    const QByteArray strip = bmpBytes(syntheticStrip(4));
    const QString path = dir.file(QStringLiteral("UserImages.bmp"));
    ASSERT_TRUE(writeFile(path, strip));
    CMFCToolBarImages images;
    EXPECT_FALSE(images.loadUserImages(path, QSize(16, 16), strip.size() - 1));
    EXPECT_TRUE(images.loadUserImages(path, QSize(16, 16), strip.size()));
    EXPECT_EQ(images.count(), 4);
    EXPECT_EQ(qAlpha(images.image(2).pixel(0, 0)), 0);
    EXPECT_EQ(images.image(2).pixel(3, 3), qRgb(30, 0, 0));

    // The real limit: a file one byte over 800 KiB is refused unread, even though it
    // starts as a valid strip.
    QByteArray big = strip;
    big.append(QByteArray(CMFCToolBarImages::kMaxUserImageBytes + 1 - strip.size(), '\0'));
    ASSERT_TRUE(writeFile(path, big));
    EXPECT_FALSE(images.loadUserImages(path, QSize(16, 16)));
    EXPECT_FALSE(images.isValid());
    EXPECT_EQ(CMFCToolBarImages::kMaxUserImageBytes, 819200);
}

TEST_F(ProgramImages, FourBitStripsKeepTheirPaletteColours) {
    CMFCToolBarImages images;
    ASSERT_TRUE(images.load(320, QSize(16, 16)));
    QSet<QRgb> colours;
    for (int i = 0; i < images.count(); ++i)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (qAlpha(images.image(i).pixel(x, y)))
                    colours.insert(images.image(i).pixel(x, y));
    EXPECT_FALSE(colours.contains(kGrey));
    EXPECT_LE(colours.size(), 15);
    EXPECT_TRUE(colours.contains(qRgb(255, 0, 0))); // Delete's red
}

} // namespace
