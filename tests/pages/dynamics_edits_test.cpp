#include <gtest/gtest.h>

#include <cstring>

#include "console/sent_command.h"
#include "pages/dynamics/dynamics_edits.h"
#include "pages/limiter/limiter_edits.h"

using namespace mixer;
using mixer::testing::ReadCommands;

TEST(DynamicsEdits, KnobsClampAndSendTheirSectionsCommand) {
    MixerState s{};
    auto sent = ReadCommands(WriteGateKnob(s, 3, GateKnob::kRelease, 5));
    EXPECT_EQ(s.strips[3].gate[kGateRelease], 20);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].letter, 'B');
    EXPECT_EQ(sent[0].code, 4);

    sent = ReadCommands(WriteCompKnob(s, 0, CompKnob::kRatio, 250));
    EXPECT_EQ(s.strips[0].comp[kDynRatio], 100);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].letter, 'C');
    EXPECT_EQ(sent[0].code, 1);
    WriteCompKnob(s, 0, CompKnob::kGain, -4);
    EXPECT_EQ(s.strips[0].comp[kDynGain], 0);
    WriteCompKnob(s, 0, CompKnob::kGain, 150);
    EXPECT_EQ(s.strips[0].comp[kDynGain], 150);
    EXPECT_EQ(s.strips[0].comp[kDynRatio], 100);
}

TEST(DynamicsEdits, EffectReturnsAreStoredButNotSent) {
    MixerState s{};
    for (int channel : {16, 17}) {
        EXPECT_TRUE(WriteGateKnob(s, channel, GateKnob::kThreshold, 33).empty());
        EXPECT_TRUE(ToggleComp(s, channel).empty());
        EXPECT_TRUE(ResetGate(s, channel).empty());
        EXPECT_EQ(s.strips[channel].compOn, 1);
        EXPECT_EQ(s.strips[channel].gateOn, 1);
        EXPECT_TRUE(DynamicsChangeCommands(s, channel, kCompChangeAll).empty());
    }
    EXPECT_TRUE(WriteCompKnob(s, 18, CompKnob::kGain, 10).empty());
    EXPECT_TRUE(ToggleGate(s, -1).empty());
}

TEST(DynamicsEdits, ResetSwitchesTheSectionOnAndLeavesTheOtherAlone) {
    MixerState s{};
    StripRecord& r = s.strips[5];
    r.gateOn = 0;
    r.gate[kGateThreshold] = 44;
    r.gate[kGateUnused] = 12;
    r.compOn = 0;
    r.comp[kDynGain] = 77;
    ResetGate(s, 5);
    EXPECT_EQ(r.gateOn, 1);
    EXPECT_EQ(r.gate[kGateThreshold], 0);
    EXPECT_EQ(r.gate[kGateAttack], 1);
    EXPECT_EQ(r.gate[kGateRelease], 20);
    EXPECT_EQ(r.gate[kGateUnused], 12);
    EXPECT_EQ(r.compOn, 0);
    EXPECT_EQ(r.comp[kDynGain], 77);
    ResetComp(s, 5);
    EXPECT_EQ(r.compOn, 1);
    EXPECT_EQ(r.comp[kDynThreshold], 0);
    EXPECT_EQ(r.comp[kDynRatio], 10);
    EXPECT_EQ(r.comp[kDynGain], 0);
    EXPECT_EQ(r.comp[kDynAttack], 1);
    EXPECT_EQ(r.comp[kDynRelease], 20);
}

TEST(DynamicsEdits, PropagationCopiesOnlyTheNamedPart) {
    MixerState s{};
    StripRecord& a = s.strips[1];
    a.gateOn = 1;
    a.gate[kGateThreshold] = 40;
    a.gate[kGateAttack] = 100;
    a.compOn = 1;
    a.comp[kDynRatio] = 45;
    a.comp[kDynGain] = 60;
    CopyDynamicsChange(s, 1, 2, kGateChangeThreshold);
    CopyDynamicsChange(s, 1, 2, kCompChangeGain);
    const StripRecord& b = s.strips[2];
    EXPECT_EQ(b.gate[kGateThreshold], 40);
    EXPECT_EQ(b.gate[kGateAttack], 0);
    EXPECT_EQ(b.gateOn, 0);
    EXPECT_EQ(b.comp[kDynGain], 60);
    EXPECT_EQ(b.comp[kDynRatio], 0);
    CopyDynamicsChange(s, 1, 3, kCompChangeAll);
    EXPECT_EQ(s.strips[3].compOn, 1);
    EXPECT_EQ(s.strips[3].comp[kDynRatio], 45);
    EXPECT_EQ(s.strips[3].gate[kGateThreshold], 0);
    CopyDynamicsChange(s, 1, 4, kGateChangeAll);
    EXPECT_EQ(s.strips[4].gate[kGateAttack], 100);
    EXPECT_EQ(s.strips[4].compOn, 0);

    EXPECT_EQ(ReadCommands(DynamicsChangeCommands(s, 2, kGateChangeRelease))[0].letter, 'B');
    EXPECT_EQ(ReadCommands(DynamicsChangeCommands(s, 2, kCompChangeGain))[0].letter, 'C');
    EXPECT_TRUE(DynamicsChangeCommands(s, 2, 13).empty());
}

TEST(DynamicsEdits, KnobsKnowTheirDisplayAndPropagationCodes) {
    EXPECT_EQ(GateDisplayKind(GateKnob::kThreshold), 51);
    EXPECT_EQ(GateDisplayKind(GateKnob::kRelease), 53);
    EXPECT_EQ(CompDisplayKind(CompKnob::kRatio), 55);
    EXPECT_EQ(CompDisplayKind(CompKnob::kGain), 58);
    EXPECT_EQ(CompDisplayKind(CompKnob::kRelease), 57);
    EXPECT_EQ(GateKnobChange(GateKnob::kAttack), kGateChangeAttack);
    EXPECT_EQ(CompKnobChange(CompKnob::kGain), kCompChangeGain);
    EXPECT_EQ(CompKnobChange(CompKnob::kAttack), kCompChangeAttack);
    EXPECT_EQ(CompKnobRange(CompKnob::kRelease, true).minimum, 1);
    EXPECT_EQ(CompKnobRange(CompKnob::kRelease, false).minimum, 20);
}

TEST(LimiterEdits, MainWritesItsPairAndOtherOutputsStayAlone) {
    MixerState s{};
    auto sent = ReadCommands(WriteLimiterKnob(s, 0, CompKnob::kRatio, 40));
    EXPECT_EQ(s.buses[0].lim[kDynRatio], 40);
    EXPECT_EQ(s.buses[1].lim[kDynRatio], 40);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].letter, 'D');
    EXPECT_EQ(sent[0].code, 1);
    EXPECT_EQ(sent[1].code, 2);

    const MixerState before = s;
    sent = ReadCommands(WriteLimiterKnob(s, 2, CompKnob::kRelease, 0));
    EXPECT_EQ(s.buses[2].lim[kDynRelease], 1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, 3);
    for (int o : {0, 1, 3, 4, 5, 6, 7}) {
        EXPECT_EQ(std::memcmp(&s.buses[o], &before.buses[o], sizeof(BusRecord)), 0) << o;
    }
    ToggleLimiter(s, 2);
    EXPECT_EQ(s.buses[2].limOn, 1);
    EXPECT_EQ(s.buses[1].limOn, 0);
    ToggleLimiter(s, 0);
    EXPECT_EQ(s.buses[1].limOn, 1);
    EXPECT_TRUE(WriteLimiterKnob(s, 8, CompKnob::kGain, 1).empty());
}

TEST(LimiterEdits, ResetOfMainLeavesTheSecondRecordAtThreshold30AndKeepsTheGain) {
    MixerState s{};
    for (int o : {0, 1}) {
        s.buses[o].lim[kDynThreshold] = 50;
        s.buses[o].lim[kDynGain] = 120 + o;
        s.buses[o].lim[kDynRatio] = 80;
    }
    EXPECT_EQ(ResetLimiter(s, 0).size(), 2u);
    EXPECT_EQ(s.buses[0].lim[kDynThreshold], 0);
    EXPECT_EQ(s.buses[1].lim[kDynThreshold], 30);
    for (int o : {0, 1}) {
        EXPECT_EQ(s.buses[o].limOn, 1);
        EXPECT_EQ(s.buses[o].lim[kDynRatio], 10);
        EXPECT_EQ(s.buses[o].lim[kDynAttack], 1);
        EXPECT_EQ(s.buses[o].lim[kDynRelease], 20);
        EXPECT_EQ(s.buses[o].lim[kDynGain], 120 + o);
    }
    s.buses[6].lim[kDynGain] = 9;
    EXPECT_EQ(ResetLimiter(s, 6).size(), 1u);
    EXPECT_EQ(s.buses[6].lim[kDynThreshold], 0);
    EXPECT_EQ(s.buses[6].lim[kDynGain], 9);
    EXPECT_EQ(s.buses[7].limOn, 0);

    s.buses[0].lim[kDynAttack] = 99;
    EXPECT_EQ(LimiterRecalled(s, 0).size(), 2u);
    EXPECT_EQ(s.buses[1].lim[kDynAttack], 99);
    EXPECT_EQ(s.buses[1].lim[kDynThreshold], 0);
}
