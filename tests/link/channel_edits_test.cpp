#include "link/channel_edits.h"

#include <gtest/gtest.h>

#include <cstring>

#include "link/commands.h"

using namespace mixer;

namespace {

class ChannelEditsTest : public ::testing::Test {
protected:
    void SetUp() override { std::memset(&s, 0, sizeof s); }
    MixerState s;
};

}  // namespace

TEST_F(ChannelEditsTest, EffectReturnsUseTheirOwnCodes) {
    EXPECT_EQ(StripIndexA(0), 1);
    EXPECT_EQ(StripIndexA(15), 16);
    EXPECT_EQ(StripIndexA(kDelayReturn), 27);
    EXPECT_EQ(StripIndexA(kReverbReturn), 29);
    EXPECT_EQ(StripIndexK(0), 7);
    EXPECT_EQ(StripIndexK(kDelayReturn), 23);
    EXPECT_EQ(StripIndexK(kReverbReturn), 24);
    const Commands mute = WriteStripMute(s, kReverbReturn, 1);
    EXPECT_EQ(mute, Commands{BuildA(s, 29)});
    EXPECT_EQ(s.strips[kReverbReturn].mute, 1);
}

TEST_F(ChannelEditsTest, MainSendsBothSidesAndKeepsTheSecondRecordEqual) {
    const Commands level = WriteBusLevel(s, 0, 70);
    EXPECT_EQ(s.buses[1].level, 70);
    EXPECT_EQ(level, (Commands{BuildA(s, 17), BuildA(s, 18)}));
    WriteBusMute(s, 0, 1);
    EXPECT_EQ(s.buses[1].mute, 1);
    const Commands balance = WriteBusBalance(s, 0, 30);
    EXPECT_EQ(s.buses[1].balance, 30);
    EXPECT_EQ(balance, Commands{BuildL(s, 19)});
}

TEST_F(ChannelEditsTest, AuxBusesUseTheirCodes) {
    const Commands solo = WriteBusSolo(s, 4, 1);  // AUX 3
    EXPECT_EQ(solo, Commands{BuildK(s, 3)});
    const Commands level = WriteBusLevel(s, 4, 10);
    EXPECT_EQ(level, Commands{BuildA(s, 21)});
    const Commands mode = WriteBusMode(s, 4, 3);
    EXPECT_EQ(mode, Commands{BuildP(s, 5)});
    EXPECT_TRUE(WriteBusSolo(s, 0, 1).empty());
    EXPECT_TRUE(WriteBusBalance(s, 3, 1).empty());
}

TEST_F(ChannelEditsTest, ValuesAreClampedAndBadIndicesIgnored) {
    WriteStripLevel(s, 0, 99);
    EXPECT_EQ(s.strips[0].level, kLevelMax);
    WriteStripPan(s, 0, -5);
    EXPECT_EQ(s.strips[0].pan, 0);
    WriteBusMode(s, 2, 0);
    EXPECT_EQ(s.buses[2].busMode, 1);
    WriteStripMute(s, 1, 7);
    EXPECT_EQ(s.strips[1].mute, 1);
    const MixerState before = s;
    EXPECT_TRUE(WriteStripLevel(s, 18, 1).empty());
    EXPECT_TRUE(WriteStripSolo(s, -1, 1).empty());
    EXPECT_TRUE(WriteBusLevel(s, 8, 1).empty());
    EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0);
}
