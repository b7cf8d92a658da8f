#include <gtest/gtest.h>

#include <cmath>

#include "console/sent_command.h"
#include "pages/effect/effect_edits.h"

using namespace mixer;
using mixer::testing::ReadCommands;

TEST(EffectEdits, LevelKnobRunsFromSeventyAtTheTopToZero) {
    EXPECT_EQ(LevelFromKnob(0), 70);
    EXPECT_EQ(LevelFromKnob(186), 0);
    EXPECT_EQ(LevelFromKnob(100), 61);   // v = 10
    EXPECT_EQ(LevelFromKnob(185), 1);    // v = 70
    EXPECT_EQ(LevelFromKnob(500), 0);
    EXPECT_EQ(LevelFromKnob(-20), 70);
    // Every level the knob gives is shown where the knob gives it.
    for (int p = 0; p <= 186; ++p) EXPECT_EQ(LevelFromKnob(KnobFromLevel(LevelFromKnob(p))), LevelFromKnob(p)) << p;
    EXPECT_EQ(KnobFromLevel(70), 0);
    EXPECT_EQ(KnobFromLevel(99), 0);
    EXPECT_LE(KnobFromLevel(-3), 186);
    EXPECT_EQ(LevelFromKnob(KnobFromLevel(-3)), 0);
}

TEST(EffectEdits, ParametersAreClampedAndTravelInTheirEffectsCommand) {
    MixerState s{};
    auto sent = ReadCommands(WriteEffectParam(s, Effect::kReverb, 0, 10));
    EXPECT_EQ(s.strips[17].reverbParams[0], 30);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].letter, 'M');

    sent = ReadCommands(WriteEffectParam(s, Effect::kDelay, 1, 5000));
    EXPECT_EQ(s.strips[16].delayParams[1], 1000);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].letter, 'N');

    WriteEffectParam(s, Effect::kReverb, 5, 0);
    EXPECT_EQ(s.strips[17].reverbParams[5], 20);
    EXPECT_TRUE(WriteEffectParam(s, Effect::kDelay, 4, 1).empty());
    EXPECT_TRUE(WriteEffectParam(s, Effect::kReverb, -1, 1).empty());
    EXPECT_EQ(EffectParamKind(Effect::kReverb, 4), 66);
    EXPECT_EQ(EffectParamKind(Effect::kDelay, 3), 71);
}

TEST(EffectEdits, ReverbResetLeavesTheDelayAlone) {
    MixerState s{};
    s.strips[16].delayParams[0] = 900;
    s.strips[17].fxSend[0] = 33;
    const auto sent = ReadCommands(ResetEffect(s, Effect::kReverb));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].letter, 'M');
    EXPECT_EQ(s.strips[17].reverbParams[0], 61);
    EXPECT_EQ(s.strips[17].reverbParams[4], 3);
    EXPECT_EQ(s.strips[17].reverbParams[5], 20000);
    EXPECT_EQ(s.strips[16].delayParams[0], 900);
    EXPECT_EQ(s.strips[17].fxSend[0], 33);

    ResetEffect(s, Effect::kDelay);
    EXPECT_EQ(s.strips[16].delayParams[0], 133);
    EXPECT_EQ(s.strips[16].delayParams[2], 38);
}

TEST(EffectEdits, LevelsAndMutesAddressTheReturnsPaths) {
    MixerState s{};
    auto sent = ReadCommands(WriteEffectInputLevel(s, Effect::kReverb, 80));
    EXPECT_EQ(s.strips[17].level2, 70);
    EXPECT_EQ(sent[0].code, 30);
    sent = ReadCommands(WriteEffectOutputLevel(s, Effect::kDelay, 44));
    EXPECT_EQ(s.strips[16].level, 44);
    EXPECT_EQ(sent[0].code, 27);
    EXPECT_EQ(sent[0].values, (std::vector<int>{0, 44}));

    const int codes[kEffectMuteCount] = {30, 28, 29, 27};
    for (int b = 0; b < kEffectMuteCount; ++b) {
        sent = ReadCommands(ToggleEffectMute(s, b));
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].code, codes[b]);
        EXPECT_EQ(sent[0].values[0], 1);
        EXPECT_TRUE(EffectMuted(s, b));
    }
    EXPECT_EQ(s.strips[16].mute, 1);
    EXPECT_EQ(s.strips[17].mute2, 1);
    EXPECT_TRUE(ToggleEffectMute(s, 4).empty());
    EXPECT_FALSE(EffectMuted(s, -1));
}

TEST(EffectEdits, MeterBarsStayOnTheKnobScale) {
    EXPECT_NEAR(EffectMeterBar(0), 186 - 100 * std::log10(71.0), 1e-9);
    EXPECT_DOUBLE_EQ(EffectMeterBar(255), 186.0);
    EXPECT_GE(EffectMeterBar(255), EffectMeterBar(100));
    EXPECT_GE(EffectMeterBar(100), EffectMeterBar(3));
    EXPECT_EQ(EffectMeterBar(999), EffectMeterBar(255));
    EXPECT_EQ(EffectMeterBar(-5), EffectMeterBar(0));
}
