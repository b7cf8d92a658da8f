#include "console/strip_layout.h"

#include <gtest/gtest.h>

using namespace mixer;

TEST(StripLayout, ThumbnailSpansTheStripAndControlsAreCentred) {
    EXPECT_EQ(ThumbnailRect(150, {2, 5, 100, 60}), (PageRect{4, 5, 142, 60}));
    EXPECT_EQ(ThumbnailRect(6, {2, 5, 100, 60}), (PageRect{4, 5, 0, 60}));
    EXPECT_EQ(CentredLeft(150, 100), 25);
    EXPECT_EQ(CentredLeft(151, 122), 14);
    EXPECT_EQ(CentredLeft(100, 122), 0);
}

TEST(StripLayout, MeterStandsBesideTheFaderLowerAndShorter) {
    // Fader 52 wide, meter 30: the pair is 83 wide.
    const FaderPair pair = PlaceFaderPair(150, {2, 190, 52, 280}, 30);
    EXPECT_EQ(pair.fader, (PageRect{33, 190, 52, 280}));
    EXPECT_EQ(pair.meter, (PageRect{86, 210, 30, 240}));
    const FaderPair wide = PlaceFaderPair(301, {2, 190, 52, 280}, 40);
    EXPECT_EQ(wide.fader.x, 104);
    EXPECT_EQ(wide.meter.x, 157);
}
