#include "host/value_display.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mixer;

namespace {

class ValueDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { std::memset(&s, 0, sizeof s); }

    ValueDisplayText Show(int channel, int kind, int language = 1) { return FormatValueDisplay(s, channel, kind, language); }

    MixerState s;
};

}  // namespace

TEST_F(ValueDisplayTest, LevelsBalanceAndGains) {
    s.strips[0].level = 70;
    EXPECT_EQ(Show(0, 3).box1, "10dB");
    s.strips[0].level = 60;
    EXPECT_EQ(Show(0, 3).box1, "0dB");
    s.strips[0].level = 0;
    EXPECT_EQ(Show(0, 3).box1, "-60dB");
    s.strips[0].pan = 0;
    EXPECT_EQ(Show(0, 4).box1, "-1.00");
    s.strips[0].pan = 100;
    EXPECT_EQ(Show(0, 4).box1, "0.00");
    s.strips[0].pan = 200;
    EXPECT_EQ(Show(0, 4).box1, "1.00");
    s.strips[0].peqBands[0].gain2 = 150;
    EXPECT_EQ(Show(0, 5).box1, "0.0dB");
    s.strips[0].peqBands[0].gain2 = 30;
    EXPECT_EQ(Show(0, 5).box1, "-12.0dB");
    s.strips[0].peqBands[4].q = 7;
    EXPECT_EQ(Show(0, 19).box1, "0.70");
    EXPECT_EQ(Show(0, 19).parameter, "BAND5 Q");
}

TEST_F(ValueDisplayTest, OnOffAndLanguages) {
    s.strips[2].mute = 1;
    SetName(s.strips[2].name, "\xcd\xa8\xb5\xc0 3");  // "通道 3" in GBK
    const ValueDisplayText zh = Show(2, 1, 2);
    EXPECT_EQ(zh.box1, "OPEN");
    EXPECT_EQ(zh.parameter, "静音");
    EXPECT_EQ(zh.channelName, "\xcd\xa8\xb5\xc0 3");
    s.strips[2].mute = 0;
    EXPECT_EQ(Show(2, 1).box1, "CLOSE");
    EXPECT_EQ(Show(2, 1).parameter, "MUTE");
    EXPECT_TRUE(Show(2, 1).box2.empty());
}

TEST_F(ValueDisplayTest, BandRowsFillBothBoxesWithTheirUnits) {
    for (PeqBand& p : s.strips[1].peqBands) p.freq = 1000;
    EXPECT_EQ(Show(1, 22).box2, "1000Hz");
    EXPECT_EQ(Show(1, 23).box2, "1000HZ");
    EXPECT_EQ(Show(1, 24).box2, "1000HZ");
    EXPECT_EQ(Show(1, 25).box2, "1000Hz");
    EXPECT_EQ(Show(1, 26).box2, "1000Hz");
    EXPECT_EQ(Show(1, 23, 2).parameter, "频段2");
}

TEST_F(ValueDisplayTest, DynamicsAndEffectFormats) {
    StripRecord& ch = s.strips[0];
    ch.comp[kDynRatio] = 25;
    ch.comp[kDynGain] = 35;
    ch.gate[kGateAttack] = 12;
    EXPECT_EQ(Show(0, 55).box1, "1:2.5");
    EXPECT_EQ(Show(0, 55, 2).parameter, "斜率");
    EXPECT_EQ(Show(0, 58).box1, "3.5dB");
    EXPECT_EQ(Show(0, 52).box1, "12ms");
    s.strips[kReverbReturn].reverbParams[kRevTime] = 25;
    EXPECT_EQ(Show(kReverbReturn, 66).box1, "2.5s");
    s.strips[kDelayReturn].delayParams[kFeedback] = 40;
    EXPECT_EQ(Show(kDelayReturn, 70).box1, "40%");
    s.buses[3].lim[kDynRatio] = 100;
    EXPECT_EQ(Show(kFirstOutputChannel + 3, 42).box1, "1:10.0");
    EXPECT_EQ(Show(kFirstOutputChannel + 3, 42, 2).parameter, "比例");
    s.buses[3].geqBands[30].gain2 = 300;
    EXPECT_EQ(Show(kFirstOutputChannel + 3, 35).box1, "15.0dB");
    EXPECT_EQ(Show(kFirstOutputChannel + 3, 35).parameter, "BAND31");
}

TEST_F(ValueDisplayTest, KindsWithoutARowOnlySetTheChannelName) {
    SetName(s.buses[0].name, "MAIN");
    const ValueDisplayText t = Show(kFirstOutputChannel, 38);
    EXPECT_FALSE(t.hasRow);
    EXPECT_EQ(t.channelName, "MAIN");
    EXPECT_FALSE(Show(0, 30).hasRow);
    EXPECT_TRUE(Show(0, 0).hasRow);
    EXPECT_TRUE(Show(0, 0).box1.empty());
    EXPECT_EQ(Show(26, 3).channelName, "");
    EXPECT_FALSE(Show(26, 3).hasRow);
}
