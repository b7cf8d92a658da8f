#include "pages/curves/plot_mapping.h"

#include <gtest/gtest.h>

#include <cmath>

#include "pages/curves/graph_scale.h"

namespace mixer {
namespace {

TEST(PlotArea, LeavesTheMarginForTheScales) {
    const PlotRect r = PlotArea(400, 300, true);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.right, 380);
    EXPECT_EQ(r.top, 15);
    EXPECT_EQ(r.bottom, 270);
    const PlotRect full = PlotArea(100, 60, false);
    EXPECT_EQ(full.left, 0);
    EXPECT_EQ(full.right, 100);
    EXPECT_EQ(full.top, 0);
    EXPECT_EQ(full.bottom, 60);
}

TEST(PlotMapping, LogarithmicFrequencyAxis) {
    const PlotMapping map({20, 15, 380, 270}, 20, 20000, true, -15, 15);
    EXPECT_DOUBLE_EQ(map.XToPixel(20), 20);
    EXPECT_DOUBLE_EQ(map.XToPixel(20000), 380);
    EXPECT_NEAR(map.XToPixel(632.4555), 200, 1e-3);   // the geometric middle
    EXPECT_EQ(map.HandleX(1000), 20 + 203);           // 203.88.. truncated
    EXPECT_EQ(map.ColumnX(1000), 224);
    for (double hz : {20.0, 99.0, 1000.0, 15000.0}) EXPECT_NEAR(map.PixelToX(map.XToPixel(hz)), hz, 1e-9 * hz);
}

TEST(PlotMapping, PlusMinusFifteenFillsThePlotFromTheMiddle) {
    const PlotMapping map({20, 15, 380, 270}, 20, 20000, true, -15, 15);
    EXPECT_DOUBLE_EQ(map.YToPixel(15), 15);
    EXPECT_DOUBLE_EQ(map.YToPixel(-15), 270);
    EXPECT_DOUBLE_EQ(map.YToPixel(0), 142.5);
    // (bottom - top) * y / 30 above the middle
    EXPECT_DOUBLE_EQ(map.YToPixel(6), 142.5 - 255 * 6 / 30.0);
    EXPECT_DOUBLE_EQ(map.PixelToY(15), 15);
    EXPECT_DOUBLE_EQ(map.PixelToY(270), -15);
}

TEST(PlotMapping, LinearAxesOfTheTransferGraph) {
    const PlotMapping map({0, 0, 300, 300}, -60, 0, false, -60, 0);
    EXPECT_DOUBLE_EQ(map.XToPixel(-30), 150);
    EXPECT_DOUBLE_EQ(map.YToPixel(-60), 300);
    EXPECT_DOUBLE_EQ(map.YToPixel(0), 0);
    EXPECT_DOUBLE_EQ(map.PixelToX(100), -40);
    EXPECT_DOUBLE_EQ(map.PixelToY(100), -20);
}

TEST(PlotMapping, DegenerateAxesDoNotDivideByZero) {
    const PlotMapping badLog({0, 0, 100, 100}, 0, 100, true, 5, 5);
    EXPECT_FALSE(badLog.LogX());
    EXPECT_DOUBLE_EQ(badLog.XToPixel(50), 50);
    EXPECT_TRUE(std::isfinite(badLog.YToPixel(5)));
    const PlotMapping empty({10, 10, 10, 10}, 20, 20000, true, -15, 15);
    EXPECT_DOUBLE_EQ(empty.PixelToX(10), 20);
    EXPECT_DOUBLE_EQ(empty.PixelToY(10), -15);
}

TEST(GraphScale, LabelsOfTheAxes) {
    EXPECT_EQ(FrequencyLabel(20), "20");
    EXPECT_EQ(FrequencyLabel(500), "500");
    EXPECT_EQ(FrequencyLabel(30), "");
    EXPECT_EQ(FrequencyLabel(1000), "1K");
    EXPECT_EQ(FrequencyLabel(3000), "");
    EXPECT_EQ(FrequencyLabel(10000), "10K");
    EXPECT_EQ(FrequencyLabel(20000), "20K");
    EXPECT_EQ(LevelLabel(-15, 15, 0), "-15");
    EXPECT_EQ(LevelLabel(-15, 15, 4), "-3");
    EXPECT_EQ(LevelLabel(-15, 15, 5), "0");
    EXPECT_EQ(LevelLabel(-15, 15, 10), "15dB");
    EXPECT_EQ(LevelLabel(0, 100, 10), "100dB");
    const auto lines = StepLines(-60, 0, 10);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_DOUBLE_EQ(lines.front(), -60);
    EXPECT_DOUBLE_EQ(lines.back(), 0);
    EXPECT_TRUE(StepLines(-60, 0, 0).empty());
    EXPECT_TRUE(StepLines(0, -60, 10).empty());
}

TEST(GraphScale, ThirdOctaveBandNames) {
    const auto& labels = ThirdOctaveLabels();
    EXPECT_STREQ(labels[0], "20");
    EXPECT_STREQ(labels[2], "31.5");
    EXPECT_STREQ(labels[17], "1k");
    EXPECT_STREQ(labels[18], "1k25");
    EXPECT_STREQ(labels[22], "3k15");
    EXPECT_STREQ(labels[28], "12k5");
    EXPECT_STREQ(labels[30], "20k");
}

}  // namespace
}  // namespace mixer
