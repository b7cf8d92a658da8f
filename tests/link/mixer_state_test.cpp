#include "link/mixer_state.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mixer;

TEST(FaderPosition, TopBottomAndClamping) {
    EXPECT_EQ(FaderPositionFromLevel(70), 0);
    EXPECT_EQ(FaderPositionFromLevel(0), 185);
    EXPECT_EQ(FaderPositionFromLevel(60), 104);  // 0 dB: 100 * log10(11)
    EXPECT_EQ(FaderPositionFromLevel(500), 0);
    EXPECT_EQ(FaderPositionFromLevel(-3), 185);
}

TEST(FaderPosition, BackFromThePositionCoversTheWholeRangeDownward) {
    EXPECT_EQ(LevelFromFaderPosition(0), 70);
    EXPECT_EQ(LevelFromFaderPosition(104), 61);  // 10^1.04 = 10.96
    EXPECT_EQ(LevelFromFaderPosition(105), 60);
    EXPECT_EQ(LevelFromFaderPosition(186), 0);  // 10^1.86 = 72.4, clamped to 71
    EXPECT_EQ(LevelFromFaderPosition(-20), 70);
    int previous = kLevelMax;
    for (int p = 0; p <= 186; ++p) {
        const int level = LevelFromFaderPosition(p);
        EXPECT_LE(level, previous) << p;
        EXPECT_GE(level, 0);
        previous = level;
    }
}

TEST(SetName, CutsAt15BytesAndTerminates) {
    char field[kNameSize];
    std::memset(field, 'x', sizeof field);
    SetName(field, "a name much longer than fifteen");
    EXPECT_STREQ(field, "a name much lon");
    SetName(field, nullptr);
    EXPECT_STREQ(field, "");
}

TEST(ClampToRanges, PullsEveryCarriedValueIntoItsRange) {
    MixerState s;
    std::memset(&s, 0xFF, sizeof s);  // every int is -1, every name unterminated
    ClampToRanges(s);
    EXPECT_EQ(s.strips[3].level, 0);
    EXPECT_EQ(s.strips[3].peqBands[0].freq, 20);
    EXPECT_EQ(s.strips[3].peqBands[0].q, 1);
    EXPECT_EQ(s.strips[3].comp[kDynRatio], 10);
    EXPECT_EQ(s.strips[3].gate[kGateRelease], 20);
    EXPECT_EQ(s.buses[2].lim[kDynRelease], 1);
    EXPECT_EQ(s.buses[2].busMode, 1);
    EXPECT_EQ(s.strips[0].name[kNameSize - 1], '\0');
    EXPECT_EQ(s.buses[7].name[kNameSize - 1], '\0');

    std::memset(&s, 0x7F, sizeof s);
    ClampToRanges(s);
    EXPECT_EQ(s.strips[17].reverbParams[kRevTime], 100);
    EXPECT_EQ(s.strips[16].delayParams[kPreDelay1], 1000);
    EXPECT_EQ(s.buses[0].balance, 200);
    EXPECT_EQ(s.buses[0].geqBands[30].gain2, 300);
    EXPECT_EQ(s.strips[5].mute, 1);
}
