// The artwork comes in two densities: every picture but the large page
// backgrounds also at exactly twice its size, and both are drawn sharp on a
// device of twice the density.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRegion>
#include <QRegularExpression>

#include <array>
#include <set>

#include "skin/skin_images.h"
#include "widget_probe.h"

using namespace mixer;
using namespace skin_test;

namespace {

// The page backgrounds are kept at 1x only: their 2x copies would take up to
// 64 MB of memory each, and doubling their pixels draws them exactly.
const std::set<int> kBackgrounds = {171, 172, 173, 174, 175, 188, 189, 190};

// A 1x image on a canvas of twice its size.
QImage DoubleCanvas(QSize logical) {
    QImage canvas(logical * 2, QImage::Format_ARGB32);
    canvas.setDevicePixelRatio(2);
    canvas.fill(kUnder);
    return canvas;
}

}  // namespace

TEST(SkinArtwork, EveryPictureButTheBackgroundsHasATwiceAsLargeCounterpart) {
    const QRegularExpression name(QStringLiteral("^(\\d+)(@2x)?\\.png$"));
    std::set<int> normal;
    std::set<int> dense;
    for (const QString& file : QDir(QStringLiteral(":/skin")).entryList(QDir::Files)) {
        const QRegularExpressionMatch match = name.match(file);
        ASSERT_TRUE(match.hasMatch()) << file.toStdString();
        (match.captured(2).isEmpty() ? normal : dense).insert(match.captured(1).toInt());
    }
    ASSERT_GT(normal.size(), 60u);
    for (const int id : normal) {
        // Sizes are read from the headers: the backgrounds are large to decode.
        QImageReader one(SkinImagePath(id));
        ASSERT_TRUE(one.canRead()) << id;
        if (kBackgrounds.count(id) != 0) {
            EXPECT_EQ(dense.count(id), 0u) << id << " is a background, drawn from its 1x picture";
            continue;
        }
        QImageReader two(SkinImagePath2x(id));
        ASSERT_TRUE(two.canRead()) << id << " has no 2x picture";
        EXPECT_EQ(two.size(), one.size() * 2) << id;
        EXPECT_EQ(two.imageFormat(), one.imageFormat()) << id;
        const SkinPixmap both = LoadSkinPixmap(id);
        EXPECT_EQ(both.dense.devicePixelRatio(), 2.0) << id;
        EXPECT_EQ(both.dense.deviceIndependentSize(), QSizeF(both.size())) << id;
        EXPECT_EQ(&both.For(1.0), &both.normal);
        EXPECT_EQ(&both.For(1.5), &both.dense);
    }
    for (const int id : dense) EXPECT_EQ(normal.count(id), 1u) << id << "@2x has no 1x picture";
}

TEST(SkinArtwork, BackgroundsAndFramesStaySharpAtTwiceTheDensity) {
    // A background keeps its pixels, each as a 2 x 2 block: no smoothing
    // blurs the lines between rows or columns.
    const QImage background = QImage(SkinImagePath(171)).convertToFormat(QImage::Format_ARGB32);
    const QSize area(90, 50);
    QImage canvas = DoubleCanvas(area);
    {
        QPainter p(&canvas);
        ASSERT_TRUE(PaintTiled(p, QRect(QPoint(0, 0), area), LoadBackground(171), QRect(QPoint(0, 0), area)));
    }
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const QRgb want = background.pixel(x, y);
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                ASSERT_EQ(canvas.pixel(2 * x + d.x(), 2 * y + d.y()), want) << x << "," << y;
            }
        }
    }

    // Every background paints piece by piece (as paint events of a few rows
    // do) what tiling it whole paints, across the copies' seams, at 1x and
    // 2x; one whose rows are single colours (the console's, the strips') is
    // a few columns wide, and its last column stretches across the copy.
    for (int id : {171, 172, 188, 189, 190}) {
        const QImage picture = QImage(SkinImagePath(id)).convertToFormat(QImage::Format_RGB32);
        const SkinBackground& background = LoadBackground(id);
        ASSERT_EQ(background.size(), picture.size()) << id;
        const bool stretched = id != 171;
        if (stretched) {
            EXPECT_LT(background.KeptBytes(), 64 * 1024) << id;
        }
        const QRect tiled(7, 3, 150, picture.height() + 37);
        QImage copy = picture;
        if (stretched) {
            copy = QImage(tiled.width(), picture.height(), QImage::Format_RGB32);
            for (int y = 0; y < copy.height(); ++y) {
                for (int x = 0; x < copy.width(); ++x) copy.setPixel(x, y, picture.pixel(std::min(x, picture.width() - 1), y));
            }
        }
        for (qreal ratio : {1.0, 2.0}) {
            QImage whole((tiled.size() + QSize(10, 6)) * ratio, QImage::Format_ARGB32_Premultiplied);
            whole.setDevicePixelRatio(ratio);
            whole.fill(Qt::transparent);
            QImage pieces = whole;
            QImage checkered = whole;
            {
                QPainter p(&whole);
                p.drawTiledPixmap(tiled, QPixmap::fromImage(copy));
            }
            // Alone, and as the two halves of a checkerboard, each a region of many pieces.
            std::array<QRegion, 2> squares;
            {
                QPainter p(&pieces);
                for (int x = tiled.left(); x <= tiled.right(); x += 37) {
                    for (int y = tiled.top(); y <= tiled.bottom(); y += 230) {
                        PaintTiled(p, tiled, background, QRect(x, y, 37, 230));
                        squares[(x / 37 + y / 230) % 2] += QRect(x, y, 37, 230);
                    }
                }
            }
            {
                QPainter p(&checkered);
                for (const QRegion& half : squares) {
                    ASSERT_GT(half.rectCount(), 1);
                    p.setClipRegion(half);
                    PaintTiled(p, tiled, background, half);
                }
            }
            EXPECT_EQ(whole, pieces) << id << " at " << ratio;
            EXPECT_EQ(whole, checkered) << id << " at " << ratio;
        }
    }

    // The frame's corner is its own 2x picture, device pixel for device pixel.
    QImage framed = DoubleCanvas(QSize(40, 40));
    {
        QPainter p(&framed);
        PaintFrame(p, QRect(0, 0, 40, 40), QRect(0, 0, 40, 40));
    }
    QImage corner = DoubleCanvas(QSize(6, 6));
    {
        QPainter p(&corner);
        p.drawImage(0, 0, QImage(SkinImagePath2x(131)));
    }
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) ASSERT_EQ(framed.pixel(x, y), corner.pixel(x, y)) << x << "," << y;
    }
}
