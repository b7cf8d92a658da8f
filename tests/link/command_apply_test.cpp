#include "link/command_apply.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "link/commands.h"
#include "link/random_state.h"
#include "link/wire_format.h"

using namespace mixer;
using mixer::testing::RandomState;
using mixer::testing::SameState;

namespace {

// Every command the editor can send for the records of a state.
std::vector<std::string> EveryCommand(const MixerState& s) {
    std::vector<std::string> all;
    for (int i = 1; i <= 30; ++i) all.push_back(BuildA(s, i));
    for (int i = 1; i <= kStripCount; ++i) {
        for (auto build : {BuildB, BuildC, BuildE, BuildF, BuildI, BuildJ, BuildL, BuildO}) all.push_back(build(s, i));
        for (int band = 1; band <= kPeqBandCount; ++band) all.push_back(BuildG(s, i, band));
    }
    for (int i = 1; i <= 24; ++i) all.push_back(BuildK(s, i));
    all.push_back(BuildL(s, kIndexMainBalance));
    for (int i = 1; i <= kBusCount; ++i)
        for (auto build : {BuildD, BuildH, BuildP}) all.push_back(build(s, i));
    all.push_back(BuildM(s));
    all.push_back(BuildN(s));
    return all;
}

}  // namespace

TEST(ApplyCommand, EveryCommandCarriesItsFieldsToTheMixer) {
    std::mt19937 rng(3);
    for (int trial = 0; trial < 20; ++trial) {
        const MixerState editor = RandomState(rng);
        MixerState mixer = RandomState(rng);
        for (const std::string& c : EveryCommand(editor)) {
            // Indices 25 and 26 of A land on the same fields as 27.
            ASSERT_TRUE(ApplyCommand(c, mixer)) << c;
        }
        // What A, K and L do not carry for the MAIN side records.
        mixer.buses[1].solo = editor.buses[1].solo;
        mixer.buses[0].solo = editor.buses[0].solo;
        for (int b = kFirstAux; b < kBusCount; ++b) mixer.buses[b].balance = editor.buses[b].balance;
        for (int i = 0; i < kStripCount; ++i) {
            std::memcpy(mixer.strips[i].delayParams, editor.strips[i].delayParams, sizeof editor.strips[i].delayParams);
            std::memcpy(mixer.strips[i].reverbParams, editor.strips[i].reverbParams, sizeof editor.strips[i].reverbParams);
            if (i < kInputCount) {
                mixer.strips[i].mute2 = editor.strips[i].mute2;
                mixer.strips[i].level2 = editor.strips[i].level2;
            }
        }
        ASSERT_TRUE(SameState(mixer, editor)) << "trial " << trial;
    }
}

TEST(ApplyCommand, MainBalanceKeepsBothMainRecordsEqual) {
    MixerState s;
    std::memset(&s, 0, sizeof s);
    ASSERT_TRUE(ApplyCommand(FormatMessage('L', {"01", "13", "20"}), s));
    EXPECT_EQ(s.buses[0].balance, 0x20);
    EXPECT_EQ(s.buses[1].balance, 0x20);
}

TEST(ApplyCommand, RejectsWhatTheEditorNeverSends) {
    MixerState s;
    std::memset(&s, 0, sizeof s);
    const MixerState before = s;
    EXPECT_FALSE(ApplyCommand(FormatMessage('A', {"01", "1F"}), s));              // index only
    EXPECT_FALSE(ApplyCommand(FormatMessage('A', {"01", "00", "00", "10"}), s));  // index 0
    EXPECT_FALSE(ApplyCommand(FormatMessage('B', {"01", "13", "01", "01", "01", "01"}), s));
    EXPECT_FALSE(ApplyCommand(FormatMessage('G', {"01", "01", "01", "05", "01", "03E8", "00", "01"}), s));
    EXPECT_FALSE(ApplyCommand(FormatMessage('K', {"01", "19", "01"}), s));
    EXPECT_FALSE(ApplyCommand(FormatMessage('P', {"01", "01", "0A"}), s));  // not decimal
    EXPECT_FALSE(ApplyCommand(FormatMessage('H', {"01", "01", "01", "00"}), s));
    EXPECT_FALSE(ApplyCommand(FormatMessage('X', {"01", "01"}), s));
    EXPECT_FALSE(ApplyCommand(FormatMessage('A', {"01", "01", "0x", "10"}), s));
    EXPECT_FALSE(ApplyCommand("%A,01,01,00,10,0000#", s));
    EXPECT_TRUE(SameState(s, before));
}

TEST(ApplyCommand, ValuesAreClampedToTheirRanges) {
    MixerState s;
    std::memset(&s, 0, sizeof s);
    ASSERT_TRUE(ApplyCommand(FormatMessage('A', {"01", "01", "05", "FF"}), s));
    EXPECT_EQ(s.strips[0].mute, 1);
    EXPECT_EQ(s.strips[0].level, kLevelMax);
    ASSERT_TRUE(ApplyCommand(FormatMessage('F', {"01", "01", "01", "02", "FFFF", "20", "01"}), s));
    EXPECT_EQ(s.strips[0].hpfFreq, kFreqMax);
    EXPECT_EQ(s.strips[0].hpfSlope, kSlopeMax);
}
