#include "skin/meter_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mixer;

TEST(MeterGeometry, ColumnsSplitTheWidthWithOnePixelGaps) {
    EXPECT_EQ(MeterColumnSpan(0, 100, 0, 4).left, 1);
    EXPECT_EQ(MeterColumnSpan(0, 100, 0, 4).right, 24);
    EXPECT_EQ(MeterColumnSpan(0, 100, 3, 4).left, 76);
    EXPECT_EQ(MeterColumnSpan(0, 100, 3, 4).right, 99);
    EXPECT_EQ(MeterColumnSpan(10, 30, 0, 1).left, 11);
    EXPECT_EQ(MeterColumnSpan(10, 30, 0, 1).right, 39);
    // Eight columns of a 30-pixel meter: the integer division decides the edges.
    EXPECT_EQ(MeterColumnSpan(0, 30, 1, 8).left, 4);
    EXPECT_EQ(MeterColumnSpan(0, 30, 1, 8).right, 6);
    EXPECT_EQ(MeterColumnSpan(0, 100, 0, 0).right, 99);  // no columns counts as one
}

TEST(MeterGeometry, LitHeightInWholeStripes) {
    EXPECT_EQ(MeterLitHeight(0, 0, 50, 190), 0);
    EXPECT_EQ(MeterLitHeight(25, 0, 50, 190), 96);  // half of 190 is 95: the stripe from 94 covers it
    EXPECT_EQ(MeterLitHeight(50, 0, 50, 190), 190);
    EXPECT_EQ(MeterLitHeight(0.1, 0, 50, 190), 2);  // any signal lights a stripe
    EXPECT_EQ(MeterLitHeight(50, 0, 50, 191), 191);  // an odd height is filled to the top, not beyond
    EXPECT_EQ(MeterLitHeight(10, -10, 30, 100), 50);
}

TEST(MeterGeometry, OutOfRangeValuesAreClamped) {
    EXPECT_EQ(MeterLitHeight(80, 0, 50, 190), 190);
    EXPECT_EQ(MeterLitHeight(-5, 0, 50, 190), 0);
    EXPECT_EQ(ClampMeterValue(80, 0, 50), 50);
    EXPECT_EQ(ClampMeterValue(-5, 0, 50), 0);
    EXPECT_EQ(ClampMeterValue(std::nan(""), 0, 50), 0);
    EXPECT_EQ(MeterLitHeight(std::nan(""), 0, 50, 190), 0);
    // An empty or reversed range lights nothing instead of dividing by zero.
    EXPECT_EQ(MeterLitHeight(5, 5, 5, 190), 0);
    EXPECT_EQ(MeterLitHeight(5, 50, 0, 190), 0);
    EXPECT_EQ(MeterLitHeight(5, 0, 50, 0), 0);
}

TEST(MeterGeometry, ZonesChangeAtTheLimits) {
    EXPECT_EQ(MeterZoneAt(0.0, 0.43, 0.58), MeterZone::Low);
    EXPECT_EQ(MeterZoneAt(0.4299, 0.43, 0.58), MeterZone::Low);
    EXPECT_EQ(MeterZoneAt(0.43, 0.43, 0.58), MeterZone::Middle);
    EXPECT_EQ(MeterZoneAt(0.5, 0.43, 0.58), MeterZone::Middle);
    EXPECT_EQ(MeterZoneAt(0.58, 0.43, 0.58), MeterZone::High);
    EXPECT_EQ(MeterZoneAt(1.0, 0.43, 0.58), MeterZone::High);
}
