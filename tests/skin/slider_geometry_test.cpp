#include "skin/slider_geometry.h"

#include <gtest/gtest.h>

using namespace mixer;

namespace {

// The channel fader: track 191 (280 high), cap 192 (53 high), range 0..186.
SliderAxis Fader() {
    SliderAxis a;
    a.trackLength = 280;
    a.thumbLength = 53;
    a.minimum = 0;
    a.maximum = 186;
    return a;
}

}  // namespace

TEST(SliderGeometry, FaderEndsReachTheTrackEnds) {
    const SliderAxis a = Fader();
    EXPECT_EQ(SliderPixel(a, 0), 26);
    EXPECT_EQ(SliderPixel(a, 186), 253);  // cap spans 227..279, the track's last row
    EXPECT_EQ(SliderCentreMin(a), 26);
    EXPECT_EQ(SliderCentreMax(a), 254);
    EXPECT_EQ(SliderValue(a, 26), 0);
    EXPECT_EQ(SliderValue(a, 253), 186);
}

// A thumb dragged onto the pixel where a value is drawn must give that value
// back, on the reference track and on a longer one.
TEST(SliderGeometry, PixelAndValueAgreeAndGrowTogether) {
    for (const int length : {280, 281, 333, 560, 1000}) {
        SliderAxis a = Fader();
        a.trackLength = length;
        int previous = -1;
        for (int v = a.minimum; v <= a.maximum; ++v) {
            const int px = SliderPixel(a, v);
            EXPECT_GT(px, previous) << length << " " << v;
            previous = px;
            EXPECT_EQ(SliderValue(a, px), v) << length << " " << v;
        }
    }
}

TEST(SliderGeometry, MarginsNarrowTheTravel) {
    SliderAxis a;
    a.trackLength = 122;
    a.thumbLength = 20;
    a.startMargin = 5;
    a.endMargin = 7;
    a.minimum = 0;
    a.maximum = 200;
    EXPECT_EQ(SliderPixel(a, 0), 15);
    EXPECT_EQ(SliderPixel(a, 200), 15 + 90);  // 122 - 7 - 20 - 5 = 90 pixels of travel
    EXPECT_EQ(SliderCentreMax(a), 122 - 7 - 10);
    EXPECT_EQ(SliderValue(a, 15 + 45), 100);
    // Beyond the travel the value runs out of range; the slider clamps it.
    EXPECT_LT(SliderValue(a, 0), 0);
    EXPECT_GT(SliderValue(a, 122), 200);
}

TEST(SliderGeometry, DegenerateShapesNeitherDivideByZeroNorInvert) {
    SliderAxis a = Fader();
    a.minimum = a.maximum = 50;
    EXPECT_EQ(SliderPixel(a, 50), 26);
    EXPECT_EQ(SliderValue(a, 100), 50);

    SliderAxis tiny;
    tiny.trackLength = 10;
    tiny.thumbLength = 53;  // thumb longer than the track: no travel at all
    EXPECT_EQ(SliderValue(tiny, 5), tiny.minimum);
    EXPECT_GE(SliderCentreMax(tiny), SliderCentreMin(tiny));

    SliderAxis wide = Fader();
    wide.minimum = -2147483647 - 1;
    wide.maximum = 2147483647;
    EXPECT_EQ(SliderPixel(wide, wide.minimum), 26);
    EXPECT_EQ(SliderPixel(wide, wide.maximum), 253);
}

TEST(SliderGeometry, DragGripsTheThumbOnlyWithinHalfAThumb) {
    const SliderAxis a = Fader();
    EXPECT_EQ(SliderDragOffset(a, 0, 26 + 10), 10);
    EXPECT_EQ(SliderDragOffset(a, 0, 26 - 26), -26);
    EXPECT_EQ(SliderDragOffset(a, 0, 26 + 27), 0);  // beyond the cap: the thumb jumps to the mouse
}

TEST(SliderReadout, MappedValueWithTwoDecimalsOrWhole) {
    SliderReadout r;
    EXPECT_EQ(FormatSliderReadout(r, 0, 100, 0), "10");
    EXPECT_EQ(FormatSliderReadout(r, 0, 100, 100), "-50");
    EXPECT_EQ(FormatSliderReadout(r, 0, 100, 50), "-20");

    r.top = 25;
    r.bottom = -25;
    r.divisor = 10;
    EXPECT_EQ(FormatSliderReadout(r, 0, 100, 0), "2.50");   // m = 25
    EXPECT_EQ(FormatSliderReadout(r, 0, 100, 100), "-2");   // m = -25: negatives show the whole part
    EXPECT_EQ(FormatSliderReadout(r, 0, 100, 60), "0");   // m = -5 gives -0.50, shown as its whole part
    EXPECT_EQ(FormatSliderReadout(r, 0, 100, 30), "1");   // m = 10 gives 1.00, a whole value
}

TEST(SliderReadout, MappedValueTruncatesInWholeNumbers) {
    SliderReadout r;
    r.top = 10;
    r.bottom = 0;
    // (10 - 0) * (3 - 1) / 3 = 6.67, truncated to 6.
    EXPECT_EQ(FormatSliderReadout(r, 0, 3, 1), "6");
}

TEST(SliderReadout, OtherModesAndBadDivisors) {
    SliderReadout r;
    r.mode = 2;
    r.divisor = 3.7;
    EXPECT_EQ(FormatSliderReadout(r, 0, 100, 40), "3");
    r.mode = 0;
    EXPECT_EQ(FormatSliderReadout(r, 0, 100, 40), "");
    r.mode = 1;
    r.divisor = 0;
    EXPECT_EQ(FormatSliderReadout(r, 0, 100, 40), "");
    r.divisor = 1;
    EXPECT_EQ(FormatSliderReadout(r, 5, 5, 5), "");
}
