#include "skin/bitmap_slider.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "widget_probe.h"

using namespace mixer;
using namespace skin_test;

namespace {

constexpr int kFaderId = 1012;
constexpr int kPanId = 1013;

// The input strip's fader: track 191, caps 192 and 209, range 0..186.
void MakeFader(CBitmapSlider& s) {
    s.SetId(kFaderId);
    s.SetVertical(true);
    s.SetTrackBitmaps(191);
    s.SetThumbBitmaps(192, 209);
    s.SetRange(0, 186);
}

// The strip's pan control: track 185/186, knob 187, range 0..200.
void MakePan(CBitmapSlider& s) {
    s.SetId(kPanId);
    s.SetTrackBitmaps(185, 186);
    s.SetThumbBitmaps(187);
    s.SetRange(0, 200);
    s.SetPos(100);
}

QList<int> Positions(const QSignalSpy& spy, int id) {
    QList<int> out;
    for (const QList<QVariant>& args : spy) {
        EXPECT_EQ(args.at(0).toInt(), id);
        out << args.at(1).toInt();
    }
    return out;
}

}  // namespace

TEST(BitmapSlider, FaderAtItsMaximumDrawsTheCapAtTheBottomEnd) {
    CBitmapSlider fader;
    MakeFader(fader);
    EXPECT_EQ(fader.size(), QSize(52, 280));  // sized by its track
    fader.SetPos(186);
    EXPECT_EQ(fader.ThumbRect(), QRect(0, 227, 26, 53));
    const QImage shot = Snapshot(fader);
    const QImage cap = QImage(QStringLiteral(":/skin/192.png")).convertToFormat(QImage::Format_ARGB32);
    for (int y = 4; y < 50; y += 8) EXPECT_EQ(shot.pixelColor(13, 227 + y), cap.pixelColor(13, y)) << y;
    fader.SetPos(0);
    EXPECT_EQ(Snapshot(fader).pixelColor(13, 25), cap.pixelColor(13, 25));
}

TEST(BitmapSlider, KeysMoveByStepsAndPostMoved) {
    CBitmapSlider fader;
    MakeFader(fader);
    QSignalSpy moved(&fader, &CBitmapSlider::Moved);
    QSignalSpy moving(&fader, &CBitmapSlider::Moving);
    QTest::keyClick(&fader, Qt::Key_End);
    QTest::keyClick(&fader, Qt::Key_PageUp);
    QTest::keyClick(&fader, Qt::Key_Up);
    QTest::keyClick(&fader, Qt::Key_Left);
    QTest::keyClick(&fader, Qt::Key_Home);
    QTest::keyClick(&fader, Qt::Key_PageDown);
    QTest::keyClick(&fader, Qt::Key_Down);
    QTest::keyClick(&fader, Qt::Key_Right);
    QTest::keyClick(&fader, Qt::Key_Home);
    QTest::keyClick(&fader, Qt::Key_Up);  // already at the minimum: clamped, still posted
    EXPECT_EQ(Positions(moved, kFaderId), (QList<int>{186, 166, 165, 164, 0, 20, 21, 22, 0, 0}));
    EXPECT_EQ(moving.count(), 0);
    fader.SetPageSize(50);
    QTest::keyClick(&fader, Qt::Key_PageDown);
    EXPECT_EQ(fader.GetPos(), 50);
}

TEST(BitmapSlider, TabMovesTheFocusInsteadOfTheThumb) {
    QWidget page;
    page.resize(200, 300);
    CBitmapSlider first(&page, 1);
    CBitmapSlider second(&page, 2);
    MakeFader(first);
    MakeFader(second);
    second.move(60, 0);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    first.setFocus();
    ASSERT_TRUE(first.hasFocus());
    QSignalSpy firstMoved(&first, &CBitmapSlider::Moved);
    QTest::keyClick(&first, Qt::Key_Tab);
    EXPECT_TRUE(second.hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(first.GetPos(), 0);
    EXPECT_EQ(second.GetPos(), 1);
    EXPECT_EQ(firstMoved.count(), 0);
}

TEST(BitmapSlider, VerticalSliderMovesOnlyWhenItsCapIsTaken) {
    CBitmapSlider fader;
    MakeFader(fader);
    QSignalSpy moving(&fader, &CBitmapSlider::Moving);
    QSignalSpy moved(&fader, &CBitmapSlider::Moved);

    Mouse(fader, QEvent::MouseButtonPress, QPoint(13, 150));  // on the track, below the cap
    Mouse(fader, QEvent::MouseMove, QPoint(13, 200));
    Mouse(fader, QEvent::MouseButtonRelease, QPoint(13, 200));
    Mouse(fader, QEvent::MouseButtonPress, QPoint(40, 30));  // beside the cap, on the scale
    Mouse(fader, QEvent::MouseButtonRelease, QPoint(40, 30));
    EXPECT_EQ(moving.count() + moved.count(), 0);
    EXPECT_EQ(fader.GetPos(), 0);

    // Taken 4 pixels below its centre: the cap keeps that grip instead of jumping.
    Mouse(fader, QEvent::MouseButtonPress, QPoint(13, 30));
    EXPECT_TRUE(fader.IsDragging());
    EXPECT_EQ(moving.count(), 0);
    Mouse(fader, QEvent::MouseMove, QPoint(13, 130));  // centre 126: where 82 is drawn
    Mouse(fader, QEvent::MouseMove, QPoint(13, 900));  // far below: held at the end
    Mouse(fader, QEvent::MouseButtonRelease, QPoint(13, 900));
    EXPECT_FALSE(fader.IsDragging());
    EXPECT_EQ(Positions(moving, kFaderId), (QList<int>{82, 186}));
    EXPECT_EQ(Positions(moved, kFaderId), (QList<int>{186}));
}

TEST(BitmapSlider, HorizontalSliderJumpsToThePressAndReportsDoubleClicks) {
    CBitmapSlider pan;
    MakePan(pan);
    EXPECT_EQ(pan.size(), QSize(122, 25));
    QSignalSpy moving(&pan, &CBitmapSlider::Moving);
    QSignalSpy moved(&pan, &CBitmapSlider::Moved);
    QSignalSpy doubled(&pan, &CBitmapSlider::DoubleClicked);

    Mouse(pan, QEvent::MouseButtonPress, QPoint(20, 12));  // far from the knob at 61
    Mouse(pan, QEvent::MouseButtonRelease, QPoint(20, 12));
    Mouse(pan, QEvent::MouseButtonDblClick, QPoint(20, 12));
    Mouse(pan, QEvent::MouseButtonRelease, QPoint(20, 12));
    EXPECT_EQ(Positions(moving, kPanId), (QList<int>{20}));  // the value drawn at 20
    EXPECT_EQ(Positions(moved, kPanId), (QList<int>{20}));
    EXPECT_EQ(Positions(doubled, kPanId), (QList<int>{20}));

    // Pressed within half a knob of its centre, the knob does not jump.
    pan.SetPos(100);
    moving.clear();
    Mouse(pan, QEvent::MouseButtonPress, QPoint(66, 12));
    EXPECT_EQ(moving.count(), 0);
    Mouse(pan, QEvent::MouseMove, QPoint(76, 12));
    Mouse(pan, QEvent::MouseButtonRelease, QPoint(76, 12));
    EXPECT_EQ(Positions(moving, kPanId), (QList<int>{120}));  // centre 71: the value drawn there
}

TEST(BitmapSlider, DisabledSliderIgnoresMouseAndKeysAndLooksDimmed) {
    CBitmapSlider pan;
    MakePan(pan);
    // Drawn on black, dimmed track and thumb come out darker everywhere they are drawn.
    const auto lightness = [&pan] {
        QImage image(pan.size(), QImage::Format_ARGB32);
        image.fill(Qt::black);
        pan.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        std::vector<int> values;
        for (const QRect& area : {pan.ThumbRect(), QRect(0, 0, pan.width(), pan.height())}) {
            long sum = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) sum += image.pixelColor(x, y).lightness();
            values.push_back(static_cast<int>(sum / (area.width() * area.height())));
        }
        return values;
    };
    const std::vector<int> enabled = lightness();
    pan.Enable(false);
    const std::vector<int> disabled = lightness();
    for (std::size_t i = 0; i < enabled.size(); ++i) EXPECT_LT(disabled[i], enabled[i] * 0.6) << i;
    QSignalSpy moved(&pan, &CBitmapSlider::Moved);
    QSignalSpy moving(&pan, &CBitmapSlider::Moving);
    QTest::keyClick(&pan, Qt::Key_End);
    Mouse(pan, QEvent::MouseButtonPress, QPoint(20, 12));
    Mouse(pan, QEvent::MouseButtonRelease, QPoint(20, 12));
    EXPECT_EQ(moved.count() + moving.count(), 0);
    EXPECT_EQ(pan.GetPos(), 100);
    pan.Enable(true);
    QTest::keyClick(&pan, Qt::Key_End);
    EXPECT_EQ(pan.GetPos(), 200);
}

TEST(BitmapSlider, MissingBitmapsLeaveAWorkingPlainSlider) {
    CBitmapSlider slider(nullptr, 5);
    slider.resize(100, 20);
    slider.SetTrackBitmaps(9991, 9992);
    slider.SetThumbBitmaps(9993);
    slider.SetRange(0, 100);
    EXPECT_EQ(slider.size(), QSize(100, 20));
    QSignalSpy moving(&slider, &CBitmapSlider::Moving);
    Mouse(slider, QEvent::MouseButtonPress, QPoint(94, 10));
    Mouse(slider, QEvent::MouseButtonRelease, QPoint(94, 10));
    EXPECT_EQ(Positions(moving, 5), (QList<int>{100}));
    const QImage shot = Snapshot(slider);
    EXPECT_NE(shot.pixelColor(slider.ThumbRect().center()), kUnder);  // a plain thumb is drawn
}

TEST(BitmapSlider, RangeSettersKeepThePositionInside) {
    CBitmapSlider slider;
    slider.SetRange(0, 100);
    slider.SetPos(90);
    slider.SetRange(0, 50);
    EXPECT_EQ(slider.GetPos(), 50);
    slider.SetRange(80, 20);  // given backwards
    EXPECT_EQ(slider.GetRangeMin(), 20);
    EXPECT_EQ(slider.GetRangeMax(), 80);
    slider.SetPos(-7);
    EXPECT_EQ(slider.GetPos(), 20);
}

TEST(BitmapSlider, ReadoutIsDrawnInTheBandThePageLeavesForIt) {
    CBitmapSlider slider;
    slider.SetVertical(true);
    slider.SetTrackBitmaps(158, 159);
    slider.SetThumbBitmaps(160);
    slider.SetRange(0, 100);
    SliderReadout readout;
    readout.top = 25;
    readout.bottom = -25;
    readout.divisor = 10;
    slider.SetReadout(readout);
    EXPECT_EQ(slider.ReadoutText(), QStringLiteral("2.50"));
    const QRect band(0, 158 - 18, 50, 18);
    const auto bright = [](const QColor& c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; };
    slider.SetMargin(0, 0, 0, 0);
    EXPECT_FALSE(AnyPixel(Snapshot(slider), band, bright));
    slider.SetMargin(0, 0, 0, 18);
    EXPECT_TRUE(AnyPixel(Snapshot(slider), band, bright));
    slider.SetReadoutShown(false);
    EXPECT_FALSE(AnyPixel(Snapshot(slider), band, bright));
}
