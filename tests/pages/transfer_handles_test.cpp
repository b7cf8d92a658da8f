#include <gtest/gtest.h>

#include <cmath>

#include "pages/dynamics/transfer_handles.h"

using namespace mixer;

namespace {

struct Comp {
    int32_t words[5]{};
    Comp(int threshold, int ratio, int gain) {
        words[kDynThreshold] = threshold;
        words[kDynRatio] = ratio;
        words[kDynGain] = gain;
    }
};

}  // namespace

TEST(TransferHandles, CompressorHandlesSitWhereTheCurvesRun) {
    const Comp c(30, 40, 60);   // -30 dB, 4:1, +6 dB
    const HandlePoint t = CompThresholdHandle(c.words);
    EXPECT_DOUBLE_EQ(t.input, -30.0);
    EXPECT_DOUBLE_EQ(t.output, -30.0);
    const HandlePoint r = CompRatioHandle(c.words);
    EXPECT_DOUBLE_EQ(r.input, 0.0);
    EXPECT_DOUBLE_EQ(r.output, -22.5);
    const HandlePoint g = CompGainHandle(c.words);
    EXPECT_DOUBLE_EQ(g.input, -60.0);
    EXPECT_DOUBLE_EQ(g.output, -54.0);

    // Threshold and ratio handles on the curve without gain, the gain handle
    // at the start of the lifted one.
    const TransferLine plain = CompCurve(c.words);
    const TransferLine lifted = CompCurveWithGain(c.words);
    EXPECT_DOUBLE_EQ(plain.output[1], t.output);
    EXPECT_DOUBLE_EQ(plain.output[2], r.output);
    EXPECT_DOUBLE_EQ(lifted.output[0], g.output);

    // Reading the handles back gives the codes they came from.
    EXPECT_EQ(RatioCodeFromHandles(r, t), 40);
    EXPECT_EQ(GainCodeFromHandle(g.output), 60);
    EXPECT_EQ(ThresholdCodeFromInput(t.input), 30);
}

TEST(TransferHandles, RatioDragRules) {
    const HandlePoint t{-20.0, -20.0};
    EXPECT_EQ(RatioCodeFromHandles({0.0, -20.0}, t), 100);   // level outputs
    EXPECT_EQ(RatioCodeFromHandles({0.0, -25.0}, t), 100);   // negative slope
    EXPECT_EQ(RatioCodeFromHandles({0.0, 0.0}, t), 10);      // unity
    EXPECT_EQ(RatioCodeFromHandles({0.0, 10.0}, t), 10);     // steeper than unity: limited to 1.0
    EXPECT_EQ(RatioCodeFromHandles({0.0, -18.0}, t), 100);   // 10.0 exactly
    EXPECT_EQ(RatioCodeFromHandles({0.0, -15.0}, t), 40);
    // The threshold at 0 dB puts both handles on one spot.
    EXPECT_EQ(RatioCodeFromHandles({0.0, 0.0}, {0.0, 0.0}), 100);
}

TEST(TransferHandles, DraggedLevelsBecomeCodesWithinTheirRanges) {
    EXPECT_EQ(ThresholdCodeFromInput(-12.7), 47);   // trunc(47.3)
    EXPECT_EQ(ThresholdCodeFromInput(-80.0), 0);
    EXPECT_EQ(ThresholdCodeFromInput(5.0), 60);
    EXPECT_EQ(ThresholdCodeFromInput(std::nan("")), 0);
    EXPECT_EQ(GainCodeFromHandle(-48.04), 120);
    EXPECT_EQ(GainCodeFromHandle(-10.0), 200);
    EXPECT_EQ(GainCodeFromHandle(-70.0), 0);

    // The gate's range is the distance below the threshold handle.
    const HandlePoint gate = GateThresholdHandle(40);
    EXPECT_DOUBLE_EQ(gate.input, -20.0);
    const HandlePoint range = GateRangeHandle(40, 15);
    EXPECT_DOUBLE_EQ(range.input, -20.0);
    EXPECT_DOUBLE_EQ(range.output, -35.0);
    EXPECT_EQ(GateRangeFromHandle(40, -35.0), 15);
    EXPECT_EQ(GateRangeFromHandle(40, -10.0), 0);
    // Below the graph's floor the handle stays on it.
    EXPECT_DOUBLE_EQ(GateRangeHandle(10, 60).output, -60.0);
}

TEST(TransferHandles, MetersFollowTheSectionsThatAreOn) {
    StripRecord r{};
    r.comp[kDynRatio] = 20;
    r.comp[kDynThreshold] = 40;   // -20 dB, 2:1
    r.gate[kGateThreshold] = 40;  // -20 dB
    r.gate[kGateUnused] = 10;
    const int loud = 255;         // +10 dB
    ChannelDynamicsLevels l = ChannelLevels(r, loud);
    EXPECT_NEAR(l.gate.inputDb, 10.0, 0.01);
    EXPECT_NEAR(l.comp.outputDb, 10.0, 0.01);
    EXPECT_DOUBLE_EQ(l.comp.reductionDb, 0.0);

    r.compOn = 1;
    l = ChannelLevels(r, loud);
    EXPECT_NEAR(l.comp.outputDb, -5.0, 0.01);
    EXPECT_NEAR(l.comp.reductionDb, 15.0, 0.01);
    EXPECT_DOUBLE_EQ(l.gate.reductionDb, 0.0);
    r.comp[kDynGain] = 50;   // make-up gain is no reduction
    l = ChannelLevels(r, loud);
    EXPECT_NEAR(l.comp.outputDb, 0.0, 0.01);
    EXPECT_NEAR(l.comp.reductionDb, 15.0, 0.01);

    r.gateOn = 1;
    const int quiet = 4;     // about -21 dB, under the gate's threshold
    l = ChannelLevels(r, quiet);
    EXPECT_NEAR(l.gate.reductionDb, 10.0, 0.01);
    EXPECT_DOUBLE_EQ(l.comp.inputDb, l.gate.outputDb);
    EXPECT_NEAR(l.comp.outputDb, l.gate.inputDb - 10.0 + 5.0, 0.01);
    EXPECT_DOUBLE_EQ(l.comp.reductionDb, 0.0);

    l = ChannelLevels(r, 0);
    EXPECT_DOUBLE_EQ(l.gate.inputDb, -60.0);
    EXPECT_DOUBLE_EQ(l.comp.reductionDb, 0.0);
    EXPECT_DOUBLE_EQ(MeterBarFromDb(l.comp.outputDb), 0.0);
    EXPECT_GT(MeterBarFromDb(0.0), MeterBarFromDb(-20.0));

    BusRecord b{};
    b.lim[kDynRatio] = 100;
    b.lim[kDynThreshold] = 60;
    EXPECT_DOUBLE_EQ(LimiterLevels(b, loud).reductionDb, 0.0);
    b.limOn = 1;
    EXPECT_NEAR(LimiterLevels(b, loud).reductionDb, 9.0, 0.01);
}
