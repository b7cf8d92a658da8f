#include "console/page_overview.h"

#include <gtest/gtest.h>

#include "link/meter_report.h"

using namespace mixer;

TEST(PageOverview, BarFollowsTheFader) {
    EXPECT_EQ(OverviewBar(70), 186);
    EXPECT_EQ(OverviewBar(60), 81);  // 186 - the fader's position at 0 dB
    EXPECT_EQ(OverviewBar(0), 0);
    EXPECT_EQ(OverviewBar(-5), 0);
    EXPECT_EQ(OverviewBar(255), 186);
}

TEST(PageOverview, EachPageTakesItsStrips) {
    MixerState s{};
    s.strips[8].level = 70;
    s.strips[15].mute = 1;
    s.strips[17].level = 60;
    s.buses[1].level = 70;  // the second MAIN slot belongs to no page
    s.buses[7].mute = 1;

    const auto ch9 = PageOverview(s, 2);
    ASSERT_EQ(ch9.size(), 8u);
    EXPECT_EQ(ch9[0], (OverviewEntry{186, false}));
    EXPECT_EQ(ch9[7], (OverviewEntry{0, true}));

    const auto effect = PageOverview(s, 3);
    ASSERT_EQ(effect.size(), 2u);
    EXPECT_EQ(effect[1].bar, 81);

    const auto aux = PageOverview(s, 4);
    ASSERT_EQ(aux.size(), 6u);
    for (const auto& e : aux) EXPECT_EQ(e.bar, 0);
    EXPECT_TRUE(aux[5].muted);

    EXPECT_EQ(PageOverview(s, 1).size(), 8u);
    EXPECT_TRUE(PageOverview(s, 0).empty());
    EXPECT_TRUE(PageOverview(s, 5).empty());
}

TEST(PageOverview, MetersGiveWholeBarHeights) {
    MixerState s{};
    s.strips[0].level = 70;
    s.strips[0].meter = 0;
    s.strips[7].meter = 255;
    s.strips[7].mute = 1;
    s.strips[16].meter = 255;
    s.strips[16].meter2 = 0;  // the returns' second meters are not shown
    s.buses[2].meter = 128;
    s.buses[1].meter = 255;   // nor is the second MAIN record

    const auto ch1 = PageOverview(s, 1, OverviewSource::Meters);
    EXPECT_EQ(ch1[0], (OverviewEntry{0, false}));  // silence, whatever the fader
    EXPECT_EQ(ch1[7], (OverviewEntry{186, true}));
    EXPECT_EQ(PageOverview(s, 3, OverviewSource::Meters)[0].bar, 186);
    const auto aux = PageOverview(s, 4, OverviewSource::Meters);
    EXPECT_EQ(aux[0].bar, static_cast<int>(MeterBarHeight(128)));
    EXPECT_EQ(aux[1].bar, 0);
}
