#include "pages/curves/eq_graph.h"

#include <QFontMetricsF>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "pages/curves/graph_setup.h"

namespace mixer {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 320;

// The EQ page's graph: four bands, the high-pass and the low-pass point.
class PeqGraph : public ::testing::Test {
protected:
    void SetUp() override {
        graph.resize(kWidth, kHeight);
        graph.SetMargin(true);
        graph.SetYRange(-15, 15);
        graph.SetPointCount(6);
        graph.PlacePoint(0, 100, 3);
        graph.PlacePoint(1, 500, -6);
        graph.PlacePoint(2, 2000, 0);
        graph.PlacePoint(3, 8000, 9);
        graph.PlacePoint(4, 40, 0);
        graph.PlacePoint(5, 16000, 0);
    }

    PlotMapping Map() const { return PlotMapping(PlotArea(kWidth, kHeight, true), 20, 20000, true, -15, 15); }

    CEqGraph graph;
};

struct Moved {
    int index;
    double x, y;
    int held;
};

Moved At(const QSignalSpy& spy, int i) {
    const QList<QVariant>& args = spy.at(i);
    return {args[0].toInt(), args[1].toDouble(), args[2].toDouble(), args[3].toInt()};
}

TEST_F(PeqGraph, DraggingReportsEveryMoveHeldAndTheLastPositionReleased) {
    QSignalSpy moved(&graph, &CEqGraph::pointMoved);
    const QPoint grab = graph.PointPixel(1) + QPoint(4, -3);   // off the handle's centre
    QTest::mousePress(&graph, Qt::LeftButton, {}, grab);
    EXPECT_EQ(graph.SelectedPoint(), 1);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_FALSE(graph.Held());

    QTest::mouseMove(&graph, grab + QPoint(20, -30));
    EXPECT_TRUE(graph.Held());
    QTest::mouseMove(&graph, grab + QPoint(60, -60));
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, grab + QPoint(60, -60));
    EXPECT_FALSE(graph.Held());
    EXPECT_EQ(graph.SelectedPoint(), -1);

    ASSERT_EQ(moved.count(), 3);
    const Moved first = At(moved, 0), second = At(moved, 1), last = At(moved, 2);
    EXPECT_EQ(first.index, 1);
    EXPECT_EQ(first.held, 1);
    EXPECT_EQ(second.held, 1);
    EXPECT_EQ(last.index, 1);
    EXPECT_EQ(last.held, 0);
    EXPECT_EQ(last.x, second.x);
    EXPECT_EQ(last.y, second.y);

    // The handle keeps the offset at which it was taken.
    const QPoint centre = grab + QPoint(60, -60) - QPoint(4, -3);
    EXPECT_NEAR(second.x, Map().PixelToX(centre.x()), 1e-9);
    EXPECT_NEAR(second.y, Map().PixelToY(centre.y()), 1e-9);
    EXPECT_EQ(graph.PointValue(1), QPointF(second.x, second.y));
    EXPECT_LE((graph.PointPixel(1) - centre).manhattanLength(), 1);
}

TEST_F(PeqGraph, ADragStaysInsideThePointsLimitsAndTheAxes) {
    graph.SetPointLimits(4, 20, 1000, 0, 0);   // a filter point moves only across
    QSignalSpy moved(&graph, &CEqGraph::pointMoved);
    const QPoint start = graph.PointPixel(4);
    QTest::mousePress(&graph, Qt::LeftButton, {}, start);
    QTest::mouseMove(&graph, start + QPoint(500, -120));
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, start + QPoint(500, -120));
    EXPECT_EQ(graph.PointValue(4), QPointF(1000, 0));

    const QPoint band = graph.PointPixel(0);
    QTest::mousePress(&graph, Qt::LeftButton, {}, band);
    QTest::mouseMove(&graph, QPoint(-50, -400));
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, QPoint(-50, -400));
    EXPECT_EQ(graph.PointValue(0), QPointF(20, 15));
    ASSERT_GE(moved.count(), 2);
    EXPECT_EQ(At(moved, moved.count() - 1).y, 15);
}

TEST_F(PeqGraph, AVerticalDragLeavesTheFrequencyAlone) {
    const QPoint start = graph.PointPixel(3) + QPoint(-2, 2);
    QTest::mousePress(&graph, Qt::LeftButton, {}, start);
    QTest::mouseMove(&graph, start + QPoint(0, 25));
    QTest::mouseMove(&graph, start + QPoint(0, 70));
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, start + QPoint(0, 70));
    EXPECT_EQ(graph.PointValue(3).x(), 8000);
    EXPECT_LT(graph.PointValue(3).y(), 9);
}

TEST_F(PeqGraph, AClickWithoutADragOrOnNothingReportsNoMove) {
    QSignalSpy moved(&graph, &CEqGraph::pointMoved);
    QSignalSpy clicked(&graph, &CEqGraph::clicked);
    QTest::mouseClick(&graph, Qt::LeftButton, {}, graph.PointPixel(2));
    EXPECT_EQ(clicked.count(), 0);
    const QPoint empty(kWidth / 2, 40);
    QTest::mousePress(&graph, Qt::LeftButton, {}, empty);
    QTest::mouseMove(&graph, empty + QPoint(80, 60));   // a rubber band, selecting nothing
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, empty + QPoint(80, 60));
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_FALSE(graph.Held());
    EXPECT_EQ(graph.PointValue(2), QPointF(2000, 0));
}

TEST_F(PeqGraph, ADoubleClickOnAPointReportsItsIndex) {
    QSignalSpy doubled(&graph, &CEqGraph::pointDoubleClicked);
    QSignalSpy moved(&graph, &CEqGraph::pointMoved);
    const QPoint p = graph.PointPixel(3) + QPoint(10, 10);   // inside the 32 x 32 square
    QTest::mouseClick(&graph, Qt::LeftButton, {}, p);
    QTest::mouseDClick(&graph, Qt::LeftButton, {}, p);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, p);
    ASSERT_EQ(doubled.count(), 1);
    EXPECT_EQ(doubled.at(0).at(0).toInt(), 3);
    EXPECT_EQ(moved.count(), 0);

    const QPoint outside = graph.PointPixel(3) + QPoint(17, 0);
    QTest::mouseClick(&graph, Qt::LeftButton, {}, outside);
    QTest::mouseDClick(&graph, Qt::LeftButton, {}, outside);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, outside);
    EXPECT_EQ(doubled.count(), 1);
}

TEST_F(PeqGraph, NoHandleHidesAnotherAndEachTakesItsOwnDrag) {
    // Points at one place (a filter on a band's frequency, a range on its
    // threshold), points a few pixels apart, and three on top of each other.
    const std::vector<std::vector<QPointF>> layouts = {
        {{1000, 0}, {1000, 0}},
        {{1000, 0}, {1100, 0}},
        {{2000, 6}, {2000, 6}, {2000, 6}},
        {{20, -15}, {20, -15}},  // in a corner
    };
    for (const auto& layout : layouts) {
        for (std::size_t k = 0; k < layout.size(); ++k) {
            graph.SetPointCount(static_cast<int>(layout.size()));
            for (std::size_t i = 0; i < layout.size(); ++i) graph.PlacePoint(static_cast<int>(i), layout[i].x(), layout[i].y());
            const int point = static_cast<int>(k);
            const QPoint start = graph.PointPixel(point);
            ASSERT_TRUE(graph.rect().contains(start)) << layout.size() << k;
            QSignalSpy moved(&graph, &CEqGraph::pointMoved);
            QTest::mousePress(&graph, Qt::LeftButton, {}, start);
            EXPECT_EQ(graph.SelectedPoint(), point) << layout.size() << k;
            // The first step moves the value by the step, not by the handle's distance from it.
            QTest::mouseMove(&graph, start + QPoint(0, -3));
            QTest::mouseRelease(&graph, Qt::LeftButton, {}, start + QPoint(0, -3));
            ASSERT_GE(moved.count(), 1) << layout.size() << k;
            EXPECT_EQ(moved.back().at(0).toInt(), point);
            EXPECT_NEAR(moved.back().at(1).toDouble(), layout[k].x(), 1e-6) << layout.size() << k;
            EXPECT_GT(moved.back().at(2).toDouble(), layout[k].y()) << layout.size() << k;
            EXPECT_LT(moved.back().at(2).toDouble(), layout[k].y() + 1.0) << layout.size() << k;
        }
    }
}

TEST_F(PeqGraph, DroppingPointsWhileDraggingEndsTheDrag) {
    const QPoint start = graph.PointPixel(5);
    QTest::mousePress(&graph, Qt::LeftButton, {}, start);
    graph.SetPointCount(4);
    QSignalSpy moved(&graph, &CEqGraph::pointMoved);
    QTest::mouseMove(&graph, start + QPoint(-40, 0));
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, start + QPoint(-40, 0));
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(graph.SelectedPoint(), -1);
}

// The graphic EQ page's graph with the DRAW toggle on.
class FreehandBars : public ::testing::Test {
protected:
    void SetUp() override {
        graph.resize(700, 300);
        graph.SetMargin(true);
        SetupBandGraph(graph);
        graph.SetFreehand(true);
    }

    PlotMapping Map() const { return PlotMapping(PlotArea(700, 300, true), 0, 32, false, -15, 15); }
    int Column(int band) const { return Map().ColumnX(band); }
    int Row(double db) const { return static_cast<int>(std::lround(Map().YToPixel(db))); }

    void Stroke(std::initializer_list<QPoint> points) {
        auto it = points.begin();
        QTest::mousePress(&graph, Qt::LeftButton, {}, *it);
        for (++it; it != points.end(); ++it) QTest::mouseMove(&graph, *it);
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, *(points.end() - 1));
    }

    CEqGraph graph;
};

TEST_F(FreehandBars, SetsExactlyThePointsUnderTheStroke) {
    QSignalSpy moved(&graph, &CEqGraph::pointMoved);
    QSignalSpy finished(&graph, &CEqGraph::strokeFinished);
    // From 3 px left of band 8 to 5 px right of band 12, at +6 dB.
    const int y = Row(6.0);
    Stroke({QPoint(Column(8) - 3, y), QPoint(Column(12) + 5, y)});

    const double height = Map().PixelToY(y);
    EXPECT_NEAR(height, 6.0, 0.1);
    for (int i = 0; i < 31; ++i) {
        const bool under = i + 1 >= 8 && i + 1 <= 12;
        EXPECT_EQ(graph.PointValue(i).y(), under ? height : 0.0) << "band " << i + 1;
        EXPECT_EQ(graph.PointValue(i).x(), i + 1);
    }
    ASSERT_EQ(moved.count(), 5);
    std::set<int> seen;
    for (int i = 0; i < moved.count(); ++i) {
        const Moved m = At(moved, i);
        EXPECT_EQ(m.held, 0);
        EXPECT_EQ(m.x, m.index + 1);
        seen.insert(m.index);
    }
    EXPECT_EQ(seen, (std::set<int>{7, 8, 9, 10, 11}));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 40);
}

TEST_F(FreehandBars, ReachesFivePixelsEitherSideOfTheCursor) {
    Stroke({QPoint(Column(20) + 5, Row(3)), QPoint(Column(20) + 5, Row(3) - 1)});
    EXPECT_NE(graph.PointValue(19).y(), 0.0);
    Stroke({QPoint(Column(25) - 6, Row(3)), QPoint(Column(25) - 6, Row(3) - 1)});
    EXPECT_EQ(graph.PointValue(24).y(), 0.0);
}

TEST_F(FreehandBars, AFastSlopedStrokeSetsEveryBandItCrosses) {
    Stroke({QPoint(Column(2), Row(-10)), QPoint(Column(10), Row(10))});
    for (int band = 2; band <= 10; ++band) {
        const double expected = -10.0 + (band - 2) * 20.0 / 8;
        EXPECT_NEAR(graph.PointValue(band - 1).y(), expected, 0.3) << "band " << band;
    }
    EXPECT_EQ(graph.PointValue(10).y(), 0.0);
}

TEST_F(FreehandBars, HeightsStopAtTheAxisAndUnchangedBandsAreNotReported) {
    Stroke({QPoint(Column(30), -50), QPoint(Column(31), -60)});
    EXPECT_EQ(graph.PointValue(29).y(), 15.0);
    EXPECT_EQ(graph.PointValue(30).y(), 15.0);
    QSignalSpy moved(&graph, &CEqGraph::pointMoved);
    Stroke({QPoint(Column(30), -10), QPoint(Column(31), -20)});
    EXPECT_EQ(moved.count(), 0);
}

TEST_F(FreehandBars, DrawingNeverSelectsAPointAndOffDragsAgain) {
    const QPoint bar = graph.PointPixel(4);
    QTest::mousePress(&graph, Qt::LeftButton, {}, bar);
    EXPECT_EQ(graph.SelectedPoint(), -1);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, bar);

    graph.SetFreehand(false);
    QSignalSpy moved(&graph, &CEqGraph::pointMoved);
    QTest::mousePress(&graph, Qt::LeftButton, {}, bar);
    QTest::mouseMove(&graph, bar + QPoint(40, -30));   // bars move only up and down
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, bar + QPoint(40, -30));
    ASSERT_EQ(moved.count(), 2);
    EXPECT_EQ(graph.PointValue(4).x(), 5);
    EXPECT_GT(graph.PointValue(4).y(), 0.0);
}

TEST_F(FreehandBars, ABarAtEitherEndOfTheRangeKeepsItsWholeCap) {
    const QColor cap(226, 244, 245);
    for (const double db : {15.0, -15.0}) {
        SCOPED_TRACE(db);
        graph.PlacePoint(3, 4, db);
        QImage shot(graph.size(), QImage::Format_RGB32);
        graph.render(&shot, QPoint(), QRegion(), QWidget::RenderFlags());
        const QPoint centre = graph.PointPixel(3);
        for (const int dy : {-2, 0, 2}) EXPECT_EQ(shot.pixelColor(centre + QPoint(0, dy)), cap) << dy;
    }
}

// No scale label lies under a handle standing in a corner of the plot, on
// the EQ page's graph and on the dynamics pages' large and small ones.
TEST(GraphLabels, KeepClearOfHandlesInTheCorners) {
    struct Graph {
        GraphMode mode;
        double xmin, xmax, ymin, ymax;
        bool logX;
        QSize size;
    };
    const Graph graphs[] = {{GraphMode::kCurve, 20, 20000, -15, 15, true, {1140, 600}},
                            {GraphMode::kCurve, 20, 20000, -15, 15, true, {640, 320}},
                            {GraphMode::kTransfer, -60, 0, -60, 0, false, {680, 720}},
                            {GraphMode::kTransfer, -60, 0, -60, 0, false, {260, 276}}};
    for (const Graph& g : graphs) {
        SCOPED_TRACE(g.size.width());
        GraphModel model;
        model.mode = g.mode;
        model.xmin = g.xmin;
        model.xmax = g.xmax;
        model.ymin = g.ymin;
        model.ymax = g.ymax;
        model.logX = g.logX;
        model.margin = true;
        const PlotMapping map(PlotArea(g.size.width(), g.size.height(), true), g.xmin, g.xmax, g.logX, g.ymin, g.ymax);
        const std::vector<ScaleLabel> labels = ScaleLabels(model, map);
        ASSERT_GT(labels.size(), 10u);
        for (const double x : {g.xmin, g.xmax}) {
            for (const double y : {g.ymin, g.ymax}) {
                const QPointF centre(map.HandleX(x), map.HandleY(y));
                const QRectF handle(centre - QPointF(CEqGraph::kHandleSize / 2.0, CEqGraph::kHandleSize / 2.0),
                                    QSizeF(CEqGraph::kHandleSize, CEqGraph::kHandleSize));
                for (const ScaleLabel& label : labels) {
                    const QRectF text = QFontMetricsF(label.font).boundingRect(label.box, label.flags, label.text);
                    EXPECT_FALSE(text.intersects(handle)) << label.text.toStdString() << " at " << x << ", " << y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace mixer
