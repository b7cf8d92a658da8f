// At 200 % display scaling (QT_SCALE_FACTOR=2, set for this program by the
// build) the controls draw the 2x pictures device pixel for device pixel,
// never a 1x picture blown up.
#include <gtest/gtest.h>

#include <QPainter>

#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/skin_images.h"
#include "meter_picture_probe.h"

using namespace mixer;
using namespace skin_test;

namespace {

// The picture at logical position at over kUnder, like Shot.
QImage Expected(QSize logical, const QImage& picture, QPoint at) {
    QImage image(logical * 2, QImage::Format_ARGB32);
    image.setDevicePixelRatio(2);
    image.fill(kUnder);
    QPainter p(&image);
    p.drawImage(at, picture);
    return image;
}

QImage Dense(int id) {
    QImage image(SkinImagePath2x(id));
    image.setDevicePixelRatio(2);
    return image;
}

// Device pixels of area (device coordinates) that differ by more than rounding.
int Differences(const QImage& a, const QImage& b, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) count += Near(a.pixelColor(x, y), b.pixelColor(x, y)) ? 0 : 1;
    }
    return count;
}

}  // namespace

TEST(DoubleDensity, ImageButtonDrawsTheTwiceAsLargePicture) {
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "runs at QT_SCALE_FACTOR=2";
    for (const int id : {195, 196}) {
        CImageButton button;
        button.SetSizeMode(CImageButton::kImageSize);
        button.LoadImages(id, id);
        ASSERT_EQ(button.size(), QSize(54, 45));
        const QImage shot = Shot(button);
        ASSERT_EQ(shot.size(), QSize(108, 90));
        const QRect all(0, 0, 108, 90);
        EXPECT_EQ(Differences(shot, Expected(button.size(), Dense(id), QPoint(0, 0)), all), 0) << id;
        // The 1x picture blown up differs visibly: the check above tells them apart.
        QImage blown = QImage(SkinImagePath(id)).scaled(108, 90, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        blown.setDevicePixelRatio(2);
        EXPECT_GT(Differences(shot, Expected(button.size(), blown, QPoint(0, 0)), all), 200) << id;
    }
}

TEST(DoubleDensity, FaderCapAndStretchedTrackUseTheTwiceAsLargePictures) {
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "runs at QT_SCALE_FACTOR=2";
    CBitmapSlider fader(nullptr, 1);
    fader.SetVertical(true);
    fader.SetTrackBitmaps(191);
    fader.SetThumbBitmaps(192);
    fader.SetTrackLength(400);
    fader.SetRange(0, 70);
    fader.SetPos(35);
    const QImage shot = Shot(fader);
    const QImage cap = Dense(192);
    const QRect thumb = fader.ThumbRect();
    // The cap is opaque inside its rounded outline.
    const QRect inside(thumb.topLeft() * 2 + QPoint(4, 4), thumb.size() * 2 - QSize(8, 8));
    EXPECT_EQ(Differences(shot, Expected(fader.size(), cap, thumb.topLeft()), inside), 0);
    // The groove, stretched to 400 pixels, keeps its 2x detail across: the
    // lit edge beside it is one device pixel wide, as in the 2x track.
    const QImage track = Dense(191).convertToFormat(QImage::Format_ARGB32);
    const int row = 60;
    for (int x = 0; x < track.width(); ++x) {
        const QColor want = track.pixelColor(x, row);
        if (want.alpha() != 255) continue;
        EXPECT_TRUE(Near(shot.pixelColor(x, 2 * 40), want)) << x;
    }
}
