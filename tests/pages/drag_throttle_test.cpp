#include <gtest/gtest.h>

#include <vector>

#include "pages/frame/drag_throttle.h"

using namespace mixer;
using namespace std::chrono_literals;

namespace {

// Drives a throttle like a page: every `step` of a drag moves the point,
// the 50 ms timer ticks in between; records what was sent when.
struct Drag {
    ManualClock clock;
    DragThrottle throttle{clock};
    std::vector<long> sentAt;

    void Move(bool held, int span = 100) {
        if (throttle.OnMove(0, held, span)) sentAt.push_back(static_cast<long>(clock.Now().count()));
    }
    void Tick() {
        if (throttle.OnTick()) sentAt.push_back(static_cast<long>(clock.Now().count()));
    }
};

}  // namespace

TEST(DragThrottle, ARapidDragSendsAtMostOncePerSpanAndTheLastPositionArrives) {
    Drag d;
    d.Move(false);   // the press: sent at once
    long last = 0;
    for (int ms = 5; ms <= 1000; ms += 5) {
        d.clock.Advance(5ms);
        d.Move(true);
        if (ms % 50 == 0) d.Tick();
        last = ms;
    }
    // Every send of the drag is more than 100 ms after the one before.
    for (std::size_t i = 1; i < d.sentAt.size(); ++i) EXPECT_GT(d.sentAt[i] - d.sentAt[i - 1], 100) << i;
    EXPECT_LE(d.sentAt.size(), 11u);
    EXPECT_TRUE(d.throttle.HasPending());

    // Without a release, the timer sends the last position once it rested 200 ms.
    const std::size_t before = d.sentAt.size();
    for (int t = 0; t < 5; ++t) {
        d.clock.Advance(50ms);
        d.Tick();
    }
    ASSERT_EQ(d.sentAt.size(), before + 1);
    EXPECT_GT(d.sentAt.back() - last, 200);
    EXPECT_FALSE(d.throttle.HasPending());
}

TEST(DragThrottle, TheSpanTimeIsReadAtEveryMove) {
    Drag d;
    d.Move(false);
    for (int i = 0; i < 10; ++i) {
        d.clock.Advance(30ms);
        d.Move(true, 0);
    }
    EXPECT_EQ(d.sentAt.size(), 11u);
    d.clock.Advance(30ms);
    d.Move(true, 1000);
    d.clock.Advance(30ms);
    d.Move(true, -5);   // a broken setting sends every move rather than none
    EXPECT_EQ(d.sentAt.size(), 12u);
}

TEST(DragThrottle, ReleaseAndFreehandGoOutAtOnceAndPendingCanBeTaken) {
    Drag d;
    d.Move(true);
    EXPECT_TRUE(d.throttle.HasPending());
    d.Move(false);   // the release carries the last position
    EXPECT_FALSE(d.throttle.HasPending());
    d.clock.Advance(10ms);
    d.throttle.OnMove(3, true, 100);
    EXPECT_FALSE(d.throttle.OnTick());   // not rested yet
    EXPECT_EQ(d.throttle.TakePending(), 3);
    EXPECT_EQ(d.throttle.TakePending(), std::nullopt);
    // The time of day plays no part: the clock may start anywhere.
    ManualClock late;
    late.Advance(std::chrono::hours(23) + 59min + 59s + 950ms);
    DragThrottle t(late);
    EXPECT_TRUE(t.OnMove(0, false, 100));
    late.Advance(100ms);   // past midnight on a wall clock
    EXPECT_FALSE(t.OnMove(0, true, 100));
    late.Advance(1ms);
    EXPECT_TRUE(t.OnMove(0, true, 100));
}
