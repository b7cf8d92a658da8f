#include "link/reset_defaults.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "link/random_state.h"
#include "link/state_reply.h"

using namespace mixer;

TEST(ResetDefaults, RestoresTheDefaultsAndKeepsWhatAResetDoesNotCover) {
    std::mt19937 rng(7);
    MixerState s = mixer::testing::RandomState(rng);
    SetDefaultNames(s, 1);
    s.strips[3].meter = 99;
    s.strips[3].hpfOn = 1;
    s.buses[5].meter = 77;
    ResetDefaults(s);

    for (int i = 0; i < kStripCount; ++i) {
        const StripRecord& r = s.strips[i];
        EXPECT_EQ(r.index, i);
        EXPECT_EQ(r.peqBands[0].freq, 200);
        EXPECT_EQ(r.peqBands[3].freq, 5000);
        EXPECT_EQ(r.peqBands[2].gain2, 150);  // 0 dB
        EXPECT_EQ(r.pan, 100);
        EXPECT_EQ(r.hpfFreq, 20);
        EXPECT_EQ(r.lpfFreq, 20000);
        EXPECT_EQ(r.comp[kDynRatio], 10);
        EXPECT_EQ(r.auxSend[5], 60);
        EXPECT_EQ(r.mute, 0);
    }
    EXPECT_EQ(s.strips[0].level, 60);
    EXPECT_EQ(s.strips[kDelayReturn].level, 0);
    EXPECT_EQ(s.strips[kReverbReturn].level, 0);
    EXPECT_EQ(s.strips[kDelayReturn].delayParams[kPreDelay2], 232);
    EXPECT_EQ(s.strips[kReverbReturn].reverbParams[kRevTime], 3);
    for (int b = 0; b < kBusCount; ++b) {
        EXPECT_EQ(s.buses[b].index, b);
        EXPECT_EQ(s.buses[b].geqBands[30].gain2, 150);
        EXPECT_EQ(s.buses[b].busMode, 1);
        EXPECT_EQ(s.buses[b].lim[kDynRelease], 20);
    }
    EXPECT_EQ(s.buses[0].level, 0);
    EXPECT_EQ(s.buses[1].level, 0);
    EXPECT_EQ(s.buses[2].level, 60);

    EXPECT_STREQ(s.strips[17].name, "Reverb");
    EXPECT_EQ(s.strips[3].meter, 99);
    EXPECT_EQ(s.strips[3].hpfOn, 1);
    EXPECT_EQ(s.buses[5].meter, 77);
}

TEST(ResetDefaults, SurviveTheRangesAndTheStateReplyUnchanged) {
    MixerState reset{};
    ResetDefaults(reset);
    MixerState clamped = reset;
    ClampToRanges(clamped);
    EXPECT_EQ(std::memcmp(&clamped, &reset, sizeof reset), 0);

    // What a freshly reset mixer reports is exactly what it holds.
    MixerState received = reset;
    received.strips[0].peqBands[1].freq = 7000;
    received.buses[3].level = 5;
    received.strips[9].auxSend[2] = 0;
    std::string version;
    ASSERT_TRUE(ParseStateReply(BuildStateReply(reset, "12"), received, version));
    EXPECT_EQ(std::memcmp(&received, &reset, sizeof reset), 0);
}

TEST(DefaultNames, EnglishAndChinese) {
    MixerState s{};
    SetDefaultNames(s, 1);
    EXPECT_STREQ(s.strips[0].name, "CH 1");
    EXPECT_STREQ(s.strips[15].name, "CH 16");
    EXPECT_STREQ(s.strips[16].name, "DELAY");
    EXPECT_STREQ(s.strips[17].name, "Reverb");
    EXPECT_STREQ(s.buses[0].name, "MAIN");
    EXPECT_STREQ(s.buses[1].name, "MAIN");
    EXPECT_STREQ(s.buses[2].name, "AUX 1");
    EXPECT_STREQ(s.buses[7].name, "AUX 6");

    SetDefaultNames(s, 2);
    EXPECT_STREQ(s.strips[15].name, "\xCD\xA8\xB5\xC0 16");
    EXPECT_STREQ(s.buses[1].name, "MAIN");  // the hidden MAIN side keeps its English name
    EXPECT_STREQ(s.buses[7].name, "\xB8\xA8\xD6\xFA 6");
}
