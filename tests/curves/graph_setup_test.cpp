#include "pages/curves/graph_setup.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace mixer {
namespace {

// Brightest grey level in the 5 x 5 pixels around p: the curves are drawn
// antialiased and a little wide, so one of them lies on the line.
int Brightness(const QImage& image, QPointF p) {
    int best = 0;
    for (int dx = -2; dx <= 2; ++dx) {
        for (int dy = -2; dy <= 2; ++dy) {
            const QPoint q(static_cast<int>(std::lround(p.x())) + dx, static_cast<int>(std::lround(p.y())) + dy);
            if (image.rect().contains(q)) best = std::max(best, qGray(image.pixel(q)));
        }
    }
    return best;
}

std::unique_ptr<MixerState> OneBandState(int gainCode) {
    auto s = std::make_unique<MixerState>();
    StripRecord& strip = s->strips[0];
    for (int b = 0; b < kPeqBandCount; ++b) strip.peqBands[b] = PeqBand{200 << b, 150, 20, {0, 0}, kPeaking};
    strip.peqBands[2] = PeqBand{1000, gainCode, 20, {0, 0}, kPeaking};
    strip.hpfFreq = 20;
    strip.hpfSlope = 2;
    strip.lpfFreq = 20000;
    strip.lpfSlope = 2;
    return s;
}

TEST(ShowChannelCurve, DrawsTheTotalWhereItsValuesAreAndFollowsChanges) {
    CEqGraph graph;
    graph.resize(600, 300);
    graph.SetMargin(true);
    ShowChannelCurve(graph, ComputeChannelCurve(*OneBandState(270), 0), true);   // +12 dB at 1 kHz
    PlotMapping map(PlotArea(600, 300, true), 20, 20000, true, -15, 15);
    const double x = map.XToPixel(1000);
    QImage image = graph.grab().toImage();
    EXPECT_GT(Brightness(image, {x, map.YToPixel(12)}), 200);
    EXPECT_LT(Brightness(image, {x, map.YToPixel(-12)}), 120);

    ShowChannelCurve(graph, ComputeChannelCurve(*OneBandState(30), 0), true);    // -12 dB
    image = graph.grab().toImage();
    EXPECT_LT(Brightness(image, {x, map.YToPixel(12)}), 120);
    EXPECT_GT(Brightness(image, {x, map.YToPixel(-12)}), 200);

    graph.resize(900, 400);
    const PlotMapping wide(PlotArea(900, 400, true), 20, 20000, true, -15, 15);
    image = graph.grab().toImage();
    ASSERT_EQ(image.size(), QSize(900, 400));
    EXPECT_GT(Brightness(image, {wide.XToPixel(1000), wide.YToPixel(-12)}), 200);
    EXPECT_GT(Brightness(image, {wide.XToPixel(50), wide.YToPixel(0)}), 200);
}

TEST(ShowChannelCurve, ThumbnailsShowTheTotalOnly) {
    CEqGraph page, thumbnail;
    page.resize(100, 60);
    thumbnail.resize(100, 60);
    const ChannelCurve curve = ComputeChannelCurve(*OneBandState(270), 0);
    ShowChannelCurve(page, curve, true);
    ShowChannelCurve(thumbnail, curve, false);
    // Under the peak, the page fills the band's area in its colour; the
    // thumbnail leaves the background.
    const PlotMapping map(PlotArea(100, 60, false), 20, 20000, true, -15, 15);
    const QPoint inside(static_cast<int>(map.XToPixel(1000)), static_cast<int>(map.YToPixel(3)));
    EXPECT_NE(page.grab().toImage().pixel(inside), thumbnail.grab().toImage().pixel(inside));
}

TEST(SetupBandGraph, ThirtyOneBarsAtTheirPositions) {
    CEqGraph graph;
    SetupBandGraph(graph);
    EXPECT_EQ(graph.Mode(), GraphMode::kBars);
    ASSERT_EQ(graph.PointCount(), 31);
    const double gains[] = {-15, 3.5, 40, 0};
    ShowBandGains(graph, gains);
    EXPECT_EQ(graph.PointValue(0), QPointF(1, -15));
    EXPECT_EQ(graph.PointValue(1), QPointF(2, 3.5));
    EXPECT_EQ(graph.PointValue(2), QPointF(3, 15));   // held to the axis
    EXPECT_EQ(graph.PointValue(30), QPointF(31, 0));
}

TEST(SetupTransferGraph, DrawsTheLineOverLevelAxes) {
    CEqGraph graph;
    graph.resize(320, 320);
    graph.SetMargin(true);
    SetupTransferGraph(graph);
    ShowTransferLine(graph, CompressorTransfer(-20, 4, 0));
    graph.SetPointCount(1);
    graph.PlacePoint(0, -20, -20);
    const PlotMapping map(PlotArea(320, 320, true), -60, 0, false, -60, 0);
    EXPECT_EQ(graph.PointPixel(0), QPoint(map.HandleX(-20), map.HandleY(-20)));
    const QImage image = graph.grab().toImage();
    EXPECT_GT(Brightness(image, {map.XToPixel(-45), map.YToPixel(-45)}), 150);
    EXPECT_GT(Brightness(image, {map.XToPixel(-4), map.YToPixel(-16)}), 150);
    // The line is not where an uncompressed one would run.
    EXPECT_LT(Brightness(image, {map.XToPixel(-4), map.YToPixel(-4)}), 120);
}

// Columns of a picture where a vertical grid line stands out from the panel,
// counted along the row at a quarter of the height (clear of the level lines).
int VerticalGridLines(const QImage& image) {
    const int y = image.height() / 4;
    int lines = 0;
    for (int x = 3; x < image.width() - 3; ++x) {
        const int here = qGray(image.pixel(x, y));
        if (here > qGray(image.pixel(x - 2, y)) + 6 && here > qGray(image.pixel(x + 2, y)) + 6) ++lines;
    }
    return lines;
}

// The strips' thumbnails: an output's graphic EQ shows the same kind of grid
// as an input's curve, not a bare field.
TEST(SetupBandGraph, AThumbnailShowsAGridLikeTheChannelCurves) {
    CEqGraph curve;
    curve.resize(92, 60);
    ShowChannelCurve(curve, ComputeChannelCurve(*OneBandState(150), 0), false);
    CEqGraph bars;
    bars.resize(92, 60);
    SetupBandGraph(bars);
    const int curveLines = VerticalGridLines(curve.grab().toImage());
    const int barLines = VerticalGridLines(bars.grab().toImage());
    EXPECT_GE(curveLines, 6);
    EXPECT_GE(barLines, curveLines - 2);
}

}  // namespace
}  // namespace mixer
