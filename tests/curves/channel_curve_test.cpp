#include "pages/curves/channel_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace mixer {
namespace {

// A state as the link leaves it after a reply: every band at 1 kHz, 0 dB,
// Q 2, peaking; both filters off at the ends of the range.
std::unique_ptr<MixerState> FlatState() {
    auto s = std::make_unique<MixerState>();
    for (StripRecord& strip : s->strips) {
        for (PeqBand& band : strip.peqBands) band = PeqBand{1000, 150, 20, {0, 0}, kPeaking};
        strip.hpfFreq = 20;
        strip.hpfSlope = 2;
        strip.lpfFreq = 20000;
        strip.lpfSlope = 2;
    }
    return s;
}

double At(const Response& r, double hz) { return r[GridIndex(hz)]; }

TEST(ChannelSections, ReadsBandsAndFiltersInTheirOwnUnits) {
    auto s = FlatState();
    StripRecord& strip = s->strips[3];
    strip.peqBands[0] = PeqBand{120, 90, 7, {0, 0}, kLowShelf};   // -6 dB, Q 0.7
    strip.peqBands[3] = PeqBand{8000, 300, 200, {0, 0}, kHighShelf};
    strip.hpfFreq = 80;
    strip.hpfSlope = 5;
    strip.hpfOn = 1;
    strip.lpfSlope = 8;
    const SectionList list = ChannelSections(*s, 3);
    ASSERT_EQ(list.count, 6);
    EXPECT_EQ(list.sections[0].kind, SectionKind::kBand);
    EXPECT_EQ(list.sections[0].freqHz, 120);
    EXPECT_DOUBLE_EQ(list.sections[0].gainDb, -6.0);
    EXPECT_DOUBLE_EQ(list.sections[0].q, 0.7);
    EXPECT_EQ(list.sections[0].type, kLowShelf);
    EXPECT_DOUBLE_EQ(list.sections[3].gainDb, 15.0);
    EXPECT_DOUBLE_EQ(list.sections[3].q, 20.0);
    EXPECT_EQ(list.sections[4].kind, SectionKind::kHighPass);
    EXPECT_EQ(list.sections[4].freqHz, 80);
    EXPECT_EQ(list.sections[4].orderCode, 3);
    EXPECT_TRUE(list.sections[4].on);
    EXPECT_EQ(list.sections[5].kind, SectionKind::kLowPass);
    EXPECT_EQ(list.sections[5].orderCode, 6);
    EXPECT_FALSE(list.sections[5].on);
}

TEST(ChannelSections, EffectReturnsHaveNoFiltersAndBadIndexesNothing) {
    auto s = FlatState();
    EXPECT_EQ(ChannelSections(*s, 0).count, 6);
    EXPECT_EQ(ChannelSections(*s, 15).count, 6);
    EXPECT_EQ(ChannelSections(*s, kDelayReturn).count, 4);
    EXPECT_EQ(ChannelSections(*s, kReverbReturn).count, 4);
    EXPECT_EQ(ChannelSections(*s, -1).count, 0);
    EXPECT_EQ(ChannelSections(*s, kStripCount).count, 0);
    const ChannelCurve none = ComputeChannelCurve(*s, 99);
    EXPECT_EQ(none.count, 0);
    for (double db : none.total) EXPECT_EQ(db, 0.0);
}

TEST(OrderCodeFromSlope, MapsSlopeCodesTwoToEightOntoZeroToSix) {
    EXPECT_EQ(OrderCodeFromSlope(2), 0);
    EXPECT_EQ(OrderCodeFromSlope(5), 3);
    EXPECT_EQ(OrderCodeFromSlope(8), 6);
    EXPECT_EQ(OrderCodeFromSlope(0), 0);
    EXPECT_EQ(OrderCodeFromSlope(200), 6);
}

TEST(ChannelCurve, SlopeCodeIsTheFilterOrder) {
    auto s = FlatState();
    StripRecord& strip = s->strips[0];
    strip.hpfFreq = 8000;
    strip.hpfOn = 1;
    for (int slope = kSlopeMin; slope <= kSlopeMax; ++slope) {
        strip.hpfSlope = slope;
        const Response r = ComputeChannelCurve(*s, 0).total;
        EXPECT_NEAR(At(r, 1000) - At(r, 500), 6.0 * slope, 0.6 * slope) << "slope code " << slope;
    }
}

TEST(ChannelCurve, AFilterThatIsOffContributesExactlyNothing) {
    auto s = FlatState();
    StripRecord& strip = s->strips[2];
    strip.hpfFreq = 5000;
    strip.hpfSlope = 8;
    strip.lpfFreq = 100;
    strip.lpfSlope = 8;
    const ChannelCurve off = ComputeChannelCurve(*s, 2);
    for (int i = 0; i < kGridSize; ++i) {
        ASSERT_EQ(off.sections[4][i], 0.0);
        ASSERT_EQ(off.sections[5][i], 0.0);
        ASSERT_EQ(off.total[i], 0.0);
    }
    strip.hpfOn = 1;
    const ChannelCurve on = ComputeChannelCurve(*s, 2);
    EXPECT_LT(At(on.total, 1000), -80.0);
    for (double db : on.sections[5]) ASSERT_EQ(db, 0.0);
}

TEST(ChannelCurve, TotalIsTheSumOfItsSections) {
    auto s = FlatState();
    StripRecord& strip = s->strips[7];
    strip.peqBands[0] = PeqBand{80, 200, 10, {0, 0}, kLowShelf};
    strip.peqBands[1] = PeqBand{400, 100, 30, {0, 0}, kPeaking};
    strip.peqBands[2] = PeqBand{2500, 190, 15, {0, 0}, kPeaking};
    strip.peqBands[3] = PeqBand{9000, 120, 20, {0, 0}, kHighShelf};
    strip.hpfFreq = 40;
    strip.hpfOn = 1;
    strip.lpfFreq = 16000;
    strip.lpfSlope = 4;
    strip.lpfOn = 1;
    const ChannelCurve c = ComputeChannelCurve(*s, 7);
    ASSERT_EQ(c.count, 6);
    EXPECT_NEAR(At(c.sections[1], 400), -5.0, 1e-6);
    EXPECT_NEAR(At(c.sections[2], 2500), 4.0, 1e-6);
    for (int i = 0; i < kGridSize; ++i) {
        double sum = 0;
        for (int k = 0; k < 6; ++k) sum += c.sections[k][i];
        ASSERT_NEAR(c.total[i], sum, 1e-9);
    }
    EXPECT_EQ(c.sections[0], ShelfResponse(80, Shelf::kLow, 5.0));
    EXPECT_EQ(c.sections[3], ShelfResponse(9000, Shelf::kHigh, -3.0));
}

TEST(ChannelCurve, ShelvesAtZeroDbAndFlatBandsGiveAFlatChannel) {
    auto s = FlatState();
    s->strips[5].peqBands[0].type = kLowShelf;
    s->strips[5].peqBands[3].type = kHighShelf;
    for (int channel : {5, kReverbReturn}) {
        const ChannelCurve c = ComputeChannelCurve(*s, channel);
        for (double db : c.total) ASSERT_EQ(db, 0.0);
    }
}

TEST(ChannelCurve, SurvivesAStateNobodyHasFilledIn) {
    auto s = std::make_unique<MixerState>();   // every field 0: 0 Hz, Q 0, gain code 0
    s->strips[0].peqBands[1].type = 77;
    s->strips[0].hpfOn = 1;
    s->strips[0].lpfOn = 1;
    for (int channel : {0, kDelayReturn}) {
        const ChannelCurve c = ComputeChannelCurve(*s, channel);
        for (double db : c.total) ASSERT_TRUE(std::isfinite(db));
    }
}

TEST(GeqGainsDb, ConvertsTheBandCodesOfOneBus) {
    auto s = FlatState();
    s->buses[4].geqBands[0].gain2 = 0;
    s->buses[4].geqBands[15].gain2 = 150;
    s->buses[4].geqBands[30].gain2 = 275;
    const auto gains = GeqGainsDb(*s, 4);
    EXPECT_DOUBLE_EQ(gains[0], -15.0);
    EXPECT_DOUBLE_EQ(gains[15], 0.0);
    EXPECT_DOUBLE_EQ(gains[30], 12.5);
    for (double g : GeqGainsDb(*s, kBusCount)) EXPECT_EQ(g, 0.0);
}

}  // namespace
}  // namespace mixer
