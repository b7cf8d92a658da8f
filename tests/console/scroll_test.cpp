#include "console/scroll.h"

#include <gtest/gtest.h>

using namespace mixer;

TEST(Scroll, LineAndPageStepsStayWithinTheRange) {
    const ScrollRange r{0, kHorizontalScrollMax, 1000};  // highest position 601
    EXPECT_EQ(r.Highest(), 601);
    EXPECT_EQ(NextScrollPosition(r, 0, ScrollAction::LineUp), 0);
    EXPECT_EQ(NextScrollPosition(r, 10, ScrollAction::LineUp), 9);
    EXPECT_EQ(NextScrollPosition(r, 10, ScrollAction::LineDown), 11);
    EXPECT_EQ(NextScrollPosition(r, 601, ScrollAction::LineDown), 601);
    EXPECT_EQ(NextScrollPosition(r, 500, ScrollAction::PageUp), 0);
    EXPECT_EQ(NextScrollPosition(r, 0, ScrollAction::PageDown), 601);
    EXPECT_EQ(NextScrollPosition(r, 300, ScrollAction::Top), 0);
    EXPECT_EQ(NextScrollPosition(r, 0, ScrollAction::Bottom), 601);

    const ScrollRange v{0, kVerticalScrollMax, 300};
    EXPECT_EQ(NextScrollPosition(v, 100, ScrollAction::PageDown), 400);
    EXPECT_EQ(NextScrollPosition(v, 400, ScrollAction::PageUp), 100);
}

TEST(Scroll, ThumbTrackIsClampedAndOtherCodesDoNothing) {
    const ScrollRange r{0, kVerticalScrollMax, 600};
    EXPECT_EQ(NextScrollPosition(r, 0, ScrollAction::ThumbTrack, 250), 250);
    EXPECT_EQ(NextScrollPosition(r, 0, ScrollAction::ThumbTrack, 5000), 401);
    EXPECT_EQ(NextScrollPosition(r, 0, ScrollAction::ThumbTrack, -4), 0);
    EXPECT_EQ(NextScrollPosition(r, 77, ScrollAction::ThumbPosition, 300), 77);
    EXPECT_EQ(NextScrollPosition(r, 77, ScrollAction::EndScroll, 300), 77);
}

TEST(Scroll, AClientLargerThanTheContentCannotScroll) {
    const ScrollRange r{0, kHorizontalScrollMax, 1920};
    EXPECT_EQ(r.Highest(), 0);
    EXPECT_EQ(NextScrollPosition(r, 0, ScrollAction::LineDown), 0);
    EXPECT_EQ(NextScrollPosition(r, 0, ScrollAction::PageDown), 0);
    EXPECT_EQ(NextScrollPosition(r, 0, ScrollAction::Bottom), 0);
}
