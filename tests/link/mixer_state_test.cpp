#include "link/mixer_state.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mixer;

TEST(FaderPosition, TopBottomAndClamping) {
    EXPECT_EQ(FaderPositionFromLevel(70), 0);
    EXPECT_EQ(FaderPositionFromLevel(0), kFaderPositionMax);
    EXPECT_EQ(FaderPositionFromLevel(60), 105);  // 0 dB: 186 * log10(11) / log10(71)
    EXPECT_EQ(FaderPositionFromLevel(500), 0);
    EXPECT_EQ(FaderPositionFromLevel(-3), kFaderPositionMax);
}

// A fader taken and let go where it stands must keep its level: every level
// needs a position of its own, and the way back must find it.
TEST(FaderPosition, EveryLevelSurvivesTheRoundTrip) {
    int previous = -1;
    for (int level = kLevelMax; level >= 0; --level) {
        const int position = FaderPositionFromLevel(level);
        EXPECT_GT(position, previous) << level;
        EXPECT_EQ(LevelFromFaderPosition(position), level) << level;
        previous = position;
    }
}

TEST(FaderPosition, BackFromAnyPositionTakesTheNearestLevel) {
    EXPECT_EQ(LevelFromFaderPosition(-20), 70);
    EXPECT_EQ(LevelFromFaderPosition(400), 0);
    // 0 dB stands at 105, +1 dB at 100: 103 is nearer to 0 dB, 102 to +1 dB.
    EXPECT_EQ(LevelFromFaderPosition(103), 60);
    EXPECT_EQ(LevelFromFaderPosition(102), 61);
    int previous = kLevelMax;
    for (int p = 0; p <= kFaderPositionMax; ++p) {
        const int level = LevelFromFaderPosition(p);
        EXPECT_LE(level, previous) << p;
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
