#include "skin/level_meter.h"

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>

#include "widget_probe.h"

using namespace mixer;
using namespace skin_test;

namespace {

// The row holding the stripe whose base stands `above` pixels over the
// bottom of a 200-pixel meter with the default margins (column 10..199).
int Row(int above) { return 199 - above; }

QColor Lit(MeterZone zone) { return CLevelMeter::LitColour(zone); }
QColor Unlit(MeterZone zone) { return CLevelMeter::UnlitColour(zone); }

class CountingMeter : public CLevelMeter {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        CLevelMeter::paintEvent(event);
    }
};

}  // namespace

TEST(LevelMeter, ColumnsStandWhereTheWidthSplits) {
    CLevelMeter meter;
    meter.resize(100, 200);
    const QImage shot = Snapshot(meter);
    const int bottom = Row(0);
    EXPECT_EQ(shot.pixelColor(0, bottom), kUnder);
    EXPECT_EQ(shot.pixelColor(1, bottom), Unlit(MeterZone::Low));
    EXPECT_EQ(shot.pixelColor(24, bottom), Unlit(MeterZone::Low));
    EXPECT_EQ(shot.pixelColor(25, bottom), kUnder);
    EXPECT_EQ(shot.pixelColor(75, bottom), kUnder);
    EXPECT_EQ(shot.pixelColor(76, bottom), Unlit(MeterZone::Low));
    EXPECT_EQ(shot.pixelColor(99, bottom), Unlit(MeterZone::Low));
    EXPECT_NE(shot.pixelColor(52, 10), kUnder);  // the columns begin under the top margin
}

TEST(LevelMeter, HalfTheRangeLightsTheFirstZoneAndHalfTheSecond) {
    CLevelMeter meter;
    meter.resize(100, 200);
    meter.SetValue(0, 25);
    EXPECT_EQ(meter.LitHeight(0), 96);
    const QImage shot = Snapshot(meter);
    EXPECT_EQ(shot.pixelColor(10, Row(0)), Lit(MeterZone::Low));
    EXPECT_EQ(shot.pixelColor(10, Row(80)), Lit(MeterZone::Low));     // r = 0.42
    EXPECT_EQ(shot.pixelColor(10, Row(82)), Lit(MeterZone::Middle));  // r = 0.43
    EXPECT_EQ(shot.pixelColor(10, Row(95)), Lit(MeterZone::Middle));  // r = 0.5
    EXPECT_EQ(shot.pixelColor(10, Row(96)), Unlit(MeterZone::Middle));
    EXPECT_EQ(shot.pixelColor(10, Row(110)), Unlit(MeterZone::Middle));  // r = 0.579
    EXPECT_EQ(shot.pixelColor(10, Row(112)), Unlit(MeterZone::High));    // r = 0.589
    EXPECT_EQ(shot.pixelColor(10, Row(189)), Unlit(MeterZone::High));
    EXPECT_EQ(shot.pixelColor(35, Row(0)), Unlit(MeterZone::Low));  // column 1 shows nothing
}

TEST(LevelMeter, ValuesOutsideTheRangeAreStoredClamped) {
    CLevelMeter meter;
    meter.resize(100, 200);
    meter.SetValue(2, 80);
    meter.SetValue(3, -5);
    EXPECT_EQ(meter.Value(2), 50);
    EXPECT_EQ(meter.Value(3), 0);
    const QImage shot = Snapshot(meter);
    EXPECT_EQ(shot.pixelColor(60, 10), Lit(MeterZone::High));  // the very top row is lit
    EXPECT_EQ(shot.pixelColor(85, Row(0)), Unlit(MeterZone::Low));

    meter.SetRange(2, 0, 100);
    EXPECT_EQ(meter.Value(2), 50);
    EXPECT_EQ(meter.LitHeight(2), 96);
    meter.SetValue(11, 30);  // no such column
    EXPECT_EQ(meter.Value(11), 0);
}

TEST(LevelMeter, SolidStyleUsesTheZoneItReachesOverTheBackground) {
    CLevelMeter meter;
    meter.resize(100, 200);
    meter.SetStyle(1, CLevelMeter::kSolid);
    meter.SetValue(1, 10);  // a fifth: the first zone
    QImage shot = Snapshot(meter);
    EXPECT_EQ(shot.pixelColor(35, Row(0)), Lit(MeterZone::Low));
    EXPECT_EQ(shot.pixelColor(35, Row(150)), QColor(192, 192, 192));
    meter.SetValue(1, 50);
    shot = Snapshot(meter);
    EXPECT_EQ(shot.pixelColor(35, Row(0)), Lit(MeterZone::High));
}

TEST(LevelMeter, ColumnCountAndMarginsShapeThePlot) {
    CLevelMeter meter;
    meter.resize(30, 200);
    meter.SetColumnCount(12);
    EXPECT_EQ(meter.ColumnCount(), 8);
    meter.SetColumnCount(0);
    EXPECT_EQ(meter.ColumnCount(), 1);
    meter.SetMargins(20, 30);
    meter.SetValue(0, 50);
    EXPECT_EQ(meter.LitHeight(0), 150);
    const QImage shot = Snapshot(meter);
    EXPECT_EQ(shot.pixelColor(15, 20), Lit(MeterZone::High));
    EXPECT_EQ(shot.pixelColor(15, 169), Lit(MeterZone::Low));
    EXPECT_NE(shot.pixelColor(15, 171), Lit(MeterZone::Low));  // the bottom margin stays clear of bars
}

TEST(LevelMeter, RepaintsOnlyWhenADrawnHeightChanges) {
    CountingMeter meter;
    meter.resize(30, 200);
    meter.SetColumnCount(1);
    meter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&meter));
    meter.SetValue(0, 25);
    QTest::qWait(50);
    meter.paints = 0;
    meter.SetValue(0, 25.05);  // the same stripes
    meter.SetValue(0, 25);
    QTest::qWait(50);
    EXPECT_EQ(meter.paints, 0);
    meter.SetValue(0, 30);
    QTest::qWait(50);
    EXPECT_GE(meter.paints, 1);
}

// Narrow columns, as MAIN's two meters stand side by side: each "Peak" mark
// stays whole inside its own column instead of running into its neighbour.
TEST(LevelMeter, PeakMarksFitNarrowColumns) {
    for (const int width : {20, 24, 30}) {
        SCOPED_TRACE(width);
        CLevelMeter meter;
        meter.SetColumnCount(1);
        meter.SetMargins(16, 0);
        meter.resize(width, 200);
        const QImage shot = Snapshot(meter);
        const MeterSpan span = meter.ColumnSpan(0);
        // The mark's letters, on the backdrop it brings along.
        const QColor backdrop = shot.pixelColor(span.left, 0);
        int left = width;
        int right = -1;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < width; ++x) {
                if (shot.pixelColor(x, y) == kUnder || shot.pixelColor(x, y) == backdrop) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        ASSERT_LE(left, right);  // the mark is drawn
        EXPECT_GT(left, span.left);
        EXPECT_LT(right, span.right);
    }
}
