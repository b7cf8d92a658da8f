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
