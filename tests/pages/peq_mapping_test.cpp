#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "pages/peq/peq_mapping.h"

using namespace mixer;

TEST(PeqMapping, FrequencyKnobSpansTwentyHertzToJustUnderTwentyKilohertz) {
    EXPECT_EQ(FreqFromKnob(kFreqKnobMin), 20);
    EXPECT_EQ(FreqFromKnob(kFreqKnobMax), 19953);
    EXPECT_EQ(FreqFromKnob(200), 1000);
    // Stored values that no knob position gives still land on the knob.
    EXPECT_EQ(KnobFromFreq(20000), 330);
    EXPECT_EQ(KnobFromFreq(19953), 330);
    EXPECT_EQ(KnobFromFreq(20), 30);
    EXPECT_EQ(KnobFromFreq(100), 100);
    EXPECT_EQ(KnobFromFreq(1000), 200);
    EXPECT_EQ(KnobFromFreq(10000), 300);
    // Outside input (recalled presets, replies) stays on the knob.
    EXPECT_EQ(KnobFromFreq(0), kFreqKnobMin);
    EXPECT_EQ(KnobFromFreq(-5), kFreqKnobMin);
    EXPECT_EQ(KnobFromFreq(65535), kFreqKnobMax);
    EXPECT_EQ(FreqFromKnob(1000), 19953);
}

TEST(PeqMapping, EveryKnobPositionSurvivesTheRoundTrip) {
    // Whole hertz often lie just below a position's exact frequency (1023 Hz
    // for 201): the knob still shows where it was set. Only below 36 Hz,
    // where neighbouring positions share a whole hertz, may it show a neighbour.
    for (int p = kFreqKnobMin; p <= kFreqKnobMax; ++p) {
        const int back = KnobFromFreq(FreqFromKnob(p));
        EXPECT_LE(std::abs(back - p), 1) << p;
        if (FreqFromKnob(p) >= 36) {
            EXPECT_EQ(back, p) << p;
        }
    }
    EXPECT_EQ(KnobFromFreq(1023), 201);
    for (int p = 0; p <= kQKnobMax; ++p) EXPECT_EQ(KnobFromQCode(QCodeFromKnob(p)), p);
    for (int i = 0; i < kSlopeEntries; ++i) EXPECT_EQ(IndexFromSlope(SlopeFromIndex(i)), i);
}

TEST(PeqMapping, QAndSlopeKeepTheirRanges) {
    EXPECT_EQ(QCodeFromKnob(0), 1);
    EXPECT_EQ(QCodeFromKnob(199), 200);
    EXPECT_EQ(QCodeFromKnob(500), 200);
    EXPECT_EQ(KnobFromQCode(0), 0);
    EXPECT_EQ(SlopeFromIndex(0), 2);
    EXPECT_EQ(SlopeFromIndex(6), 8);
    EXPECT_EQ(SlopeFromIndex(9), 8);
    EXPECT_EQ(IndexFromSlope(99), 6);
    EXPECT_EQ(GainCodeFromKnob(-3), 0);
    EXPECT_EQ(GainCodeFromKnob(301), 300);
}

TEST(PeqMapping, GraphPointsTruncateAsTheMixerExpects) {
    EXPECT_EQ(GainCodeFromDb(0.0), 150);
    EXPECT_EQ(GainCodeFromDb(3.27), 182);
    EXPECT_EQ(GainCodeFromDb(-15.0), 0);
    EXPECT_EQ(GainCodeFromDb(40.0), 300);
    EXPECT_EQ(GainCodeFromDb(std::nan("")), 150);
    EXPECT_EQ(FreqFromGraph(1234.9), 1234);
    EXPECT_EQ(FreqFromGraph(5.0), 20);
    EXPECT_EQ(FreqFromGraph(1e9), 20000);
}
