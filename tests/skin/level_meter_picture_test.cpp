// The meter composes each column from pictures painted once per size and
// look. Whatever it shows must be exactly what painting every column from
// scratch gives, after any sequence of values, resizes and changes of look.
// These tests also run on a screen at a fractional device pixel ratio, where
// the meter's rows and columns fall between device pixels (two_screens.json).
// The reference and the comparison are in meter_picture_probe.h.
#include "skin/level_meter.h"

#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QTest>

#include <cmath>
#include <string>

#include "meter_picture_probe.h"

using namespace mixer;
using namespace skin_test;

namespace {

std::string Text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// Records what the meter was asked to repaint.
class RegionMeter : public CLevelMeter {
public:
    QRegion painted;

protected:
    void paintEvent(QPaintEvent* event) override {
        painted += event->region();
        CLevelMeter::paintEvent(event);
    }
};

}  // namespace

TEST(LevelMeterPictures, MatchAFullRenderAtEveryLevelInEveryLayout) {
    struct Margins {
        int top;
        int bottom;
    };
    // Default margins; "Peak" overlapping the top of the bars; captions below them.
    for (const Margins margins : {Margins{10, 0}, Margins{4, 0}, Margins{20, 30}}) {
        SCOPED_TRACE("margins " + std::to_string(margins.top) + ", " + std::to_string(margins.bottom));
        Look look = MixedLook();
        look.top = margins.top;
        look.bottom = margins.bottom;
        CLevelMeter meter;
        meter.resize(121, 201);  // odd: the top stripe is one row
        Apply(meter, look);
        for (double level : kLevels) {
            SCOPED_TRACE("level " + std::to_string(level));
            SetAll(meter, level);
            ASSERT_EQ(Difference(Shot(meter), FullRender(meter, look)), "");
        }
    }
}

TEST(LevelMeterPictures, FollowEveryChangeOfSizeAndLook) {
    Look look = MixedLook();
    CLevelMeter meter;
    meter.resize(120, 200);
    Apply(meter, look);
    SetAll(meter, 30);
    ASSERT_EQ(Difference(Shot(meter), FullRender(meter, look)), "");

    QImage before = FullRender(meter, look);
    auto expectRedrawn = [&](const char* change) {
        SCOPED_TRACE(change);
        const QImage expected = FullRender(meter, look);
        EXPECT_NE(expected, before) << "the change shows no difference to check";
        EXPECT_EQ(Difference(Shot(meter), expected), "");
        before = expected;
    };

    meter.resize(160, 260);
    expectRedrawn("taller and wider");
    meter.resize(160, 150);
    expectRedrawn("lower");
    look.lower = 0.2;
    look.upper = 0.9;
    meter.SetZoneLimits(look.lower, look.upper);
    expectRedrawn("zone limits");
    look.top = 16;
    look.bottom = 8;
    meter.SetMargins(look.top, look.bottom);
    expectRedrawn("margins");
    look.background = QColor(10, 20, 30);
    meter.SetBackgroundColour(look.background);
    expectRedrawn("solid background");
    look.captions[2] = QStringLiteral("R");
    meter.SetCaption(2, look.captions[2]);
    expectRedrawn("caption");
    look.styles[0] = CLevelMeter::kSolid;
    meter.SetStyle(0, look.styles[0]);
    expectRedrawn("style");
    meter.SetColumnCount(6);
    SetAll(meter, 45);
    expectRedrawn("more columns");
    meter.SetRange(1, 0, 200);
    expectRedrawn("range");
}

TEST(LevelMeterPictures, TheWindowShowsAFullRenderAfterPartialRepaints) {
    const Look look = MixedLook();
    Windows windows(look);
    ASSERT_TRUE(windows.Exposed());
    CLevelMeter& meter = *windows.meter;
    for (double level : kLevels) {
        SCOPED_TRACE("level " + std::to_string(level));
        SetAll(meter, level);
        ASSERT_EQ(windows.Difference(), "");
    }
    // Columns moved one at a time, each by a few stripes.
    for (int i = 0; i < meter.ColumnCount(); ++i) {
        SCOPED_TRACE("column " + std::to_string(i));
        meter.SetValue(i, meter.Value(i) + 7);
        ASSERT_EQ(windows.Difference(), "");
    }
    meter.SetRange(1, 0, 200);
    EXPECT_EQ(windows.Difference(), "") << "after a change of range";
}

TEST(LevelMeterPictures, AMoveRepaintsOnlyTheRowsBetweenTheHeights) {
    RegionMeter meter;
    meter.resize(60, 200);
    meter.SetColumnCount(2);
    meter.SetStyle(1, CLevelMeter::kSolid);
    meter.SetValue(0, 10);
    meter.SetValue(1, 10);
    meter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&meter));
    const int bottom = meter.ColumnBottom();
    // Rows top..top+rows-1 of a column; a pixel wider on every side at a
    // fractional ratio, where device pixels straddle logical ones.
    auto area = [&](int column, int top, int rows) {
        const MeterSpan span = meter.ColumnSpan(column);
        QRect r(span.left, top, span.right - span.left + 1, rows);
        const qreal ratio = meter.devicePixelRatioF();
        if (ratio != std::floor(ratio)) r.adjust(-1, -1, 1, 1);
        return r & meter.rect();
    };
    auto painted = [&] {
        QCoreApplication::processEvents();
        const QRegion region = meter.painted;
        meter.painted = QRegion();
        return Text(region.boundingRect()) + (region.rectCount() > 1 ? " in pieces" : "");
    };
    QCoreApplication::processEvents();
    meter.painted = QRegion();

    const int low = meter.LitHeight(0);
    meter.SetValue(0, 12);
    const int high = meter.LitHeight(0);
    ASSERT_GT(high, low);
    EXPECT_EQ(painted(), Text(area(0, bottom - high, high - low)));

    // A solid bar may change colour with its height, so all of it is redrawn.
    meter.SetValue(1, 12);
    EXPECT_EQ(painted(), Text(area(1, bottom - meter.LitHeight(1), meter.LitHeight(1))));

    // Both columns at once: one rectangle over both.
    const int solidBefore = meter.LitHeight(1);
    meter.SetValue(0, 14);
    meter.SetValue(1, 8);
    ASSERT_LT(meter.LitHeight(1), solidBefore);
    EXPECT_EQ(painted(), Text(area(0, bottom - meter.LitHeight(0), meter.LitHeight(0) - high) |
                              area(1, bottom - solidBefore, solidBefore)));

    // Filling a column lights "Peak" above it.
    meter.SetValue(0, 50);
    EXPECT_EQ(painted(), Text(area(0, 0, 200)));
}
