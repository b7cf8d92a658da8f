#include <gtest/gtest.h>

#include <cstring>

#include "console/sent_command.h"
#include "pages/peq/peq_bypass.h"
#include "pages/peq/peq_edits.h"

using namespace mixer;
using mixer::testing::ReadCommands;
using mixer::testing::SentCommand;

namespace {

class PeqEdits : public ::testing::Test {
protected:
    void SetUp() override {
        for (StripRecord& r : s.strips) {
            for (int b = 0; b < 5; ++b) r.peqBands[b] = PeqBand{1000 + b, 150, 20, {7, 8}, 0};
            r.hpfFreq = 80;
            r.hpfType = 3;
            r.hpfSlope = 4;
            r.hpfOn = 1;
            r.lpfFreq = 12000;
            r.lpfType = 5;
            r.lpfSlope = 6;
            r.lpfOn = 1;
        }
    }
    static std::vector<char> Letters(const Commands& commands) {
        std::vector<char> out;
        for (const SentCommand& c : ReadCommands(commands)) out.push_back(c.letter);
        return out;
    }
    MixerState s{};
};

TEST_F(PeqEdits, BandEditsWriteOneBandAndSendIt) {
    const Commands c = WritePeqBandGain(s, 2, 3, 210);
    EXPECT_EQ(s.strips[2].peqBands[2].gain2, 210);
    ASSERT_EQ(c.size(), 1u);
    // Channel 3, band 3, peaking (type + 1), 1002 Hz, gain halved, Q.
    EXPECT_EQ(ReadCommands(c)[0], (SentCommand{'G', 3, {0, 3, 1, 1002, 105, 20}}));
    WritePeqBandFreq(s, 2, 3, 50000);
    EXPECT_EQ(s.strips[2].peqBands[2].freq, 20000);
    WritePeqBandQ(s, 2, 3, 0);
    EXPECT_EQ(s.strips[2].peqBands[2].q, 1);
    // Nothing outside the channels and bands the page has.
    EXPECT_TRUE(WritePeqBandGain(s, 18, 1, 100).empty());
    EXPECT_TRUE(WritePeqBandGain(s, 0, 5, 100).empty());
    EXPECT_EQ(s.strips[0].peqBands[4].gain2, 150);
}

TEST_F(PeqEdits, ShelvesToggleOnlyOnTheOuterBands) {
    TogglePeqShelf(s, 0, 1);
    EXPECT_EQ(s.strips[0].peqBands[0].type, 1);
    TogglePeqShelf(s, 0, 4);
    EXPECT_EQ(s.strips[0].peqBands[3].type, 2);
    EXPECT_EQ(ReadCommands(TogglePeqShelf(s, 0, 4))[0].values[2], 1);
    EXPECT_EQ(s.strips[0].peqBands[3].type, 0);
    EXPECT_TRUE(TogglePeqShelf(s, 0, 2).empty());
    EXPECT_EQ(s.strips[0].peqBands[1].type, 0);
}

TEST_F(PeqEdits, EffectReturnsSendBandsButNeitherFiltersNorPolarity) {
    EXPECT_EQ(Letters(WritePeqBandGain(s, 16, 1, 160)), std::vector<char>{'G'});
    EXPECT_EQ(ReadCommands(WritePeqBandGain(s, 17, 1, 160))[0].code, 18);
    EXPECT_TRUE(TogglePeqPolarity(s, 16).empty());
    EXPECT_EQ(s.strips[16].polarity, 1);   // stored all the same
    EXPECT_EQ(Letters(TogglePeqPolarity(s, 15)), std::vector<char>{'O'});
    EXPECT_EQ(Letters(ResetPeq(s, 17)), (std::vector<char>{'G', 'G', 'G', 'G'}));
    EXPECT_EQ(Letters(ResetPeq(s, 0)), (std::vector<char>{'G', 'G', 'G', 'G', 'E', 'F'}));
}

TEST_F(PeqEdits, ResetLeavesPolarityAndFilterTypes) {
    s.strips[4].polarity = 1;
    ResetPeq(s, 4);
    const StripRecord& r = s.strips[4];
    EXPECT_EQ(r.polarity, 1);
    EXPECT_EQ(r.hpfType, 3);
    EXPECT_EQ(r.lpfType, 5);
    const int freqs[] = {200, 500, 1000, 5000};
    for (int b = 0; b < 4; ++b) {
        EXPECT_EQ(r.peqBands[b].freq, freqs[b]);
        EXPECT_EQ(r.peqBands[b].gain2, 150);
        EXPECT_EQ(r.peqBands[b].q, 20);
        EXPECT_EQ(r.peqBands[b].type, 0);
    }
    EXPECT_EQ(r.peqBands[4].freq, 1004);   // band 5 is not the page's
    EXPECT_EQ(r.hpfFreq, 20);
    EXPECT_EQ(r.hpfSlope, 2);
    EXPECT_EQ(r.hpfOn, 0);
    EXPECT_EQ(r.lpfFreq, 20000);
    EXPECT_EQ(r.lpfSlope, 2);
    EXPECT_EQ(r.lpfOn, 0);
}

TEST_F(PeqEdits, GraphPointsMoveBandsOrFilterFrequencies) {
    WritePeqPoint(s, 1, 2, 2500, 90);
    EXPECT_EQ(s.strips[1].peqBands[2].freq, 2500);
    EXPECT_EQ(s.strips[1].peqBands[2].gain2, 90);
    EXPECT_EQ(Letters(WritePeqPoint(s, 1, kPointHighPass, 120, 0)), std::vector<char>{'F'});
    EXPECT_EQ(s.strips[1].hpfFreq, 120);
    EXPECT_EQ(Letters(WritePeqPoint(s, 1, kPointLowPass, 9000, 0)), std::vector<char>{'E'});
    EXPECT_EQ(s.strips[1].lpfFreq, 9000);
    EXPECT_TRUE(WritePeqPoint(s, 1, 6, 100, 100).empty());
    EXPECT_EQ(PointChange(0), kPeqChangeBand1);
    EXPECT_EQ(PointChange(kPointLowPass), kPeqChangeLowPass);
}

TEST_F(PeqEdits, CopiesOnlyTheChangedPart) {
    MixerState before = s;
    s.strips[3].peqBands[1] = PeqBand{321, 12, 34, {1, 2}, 0};
    s.strips[3].hpfFreq = 333;
    s.strips[3].polarity = 1;
    CopyPeqChange(s, 3, 7, 2);
    EXPECT_EQ(s.strips[7].peqBands[1].freq, 321);
    EXPECT_EQ(s.strips[7].peqBands[1].other[1], 2);
    EXPECT_EQ(s.strips[7].hpfFreq, before.strips[7].hpfFreq);
    EXPECT_EQ(s.strips[7].polarity, 0);
    CopyPeqChange(s, 3, 7, kPeqChangePolarity);
    EXPECT_EQ(s.strips[7].polarity, 1);
    CopyPeqChange(s, 3, 7, kPeqChangeAll);
    EXPECT_EQ(s.strips[7].hpfFreq, 333);
    CopyPeqChange(s, 3, 40, kPeqChangeAll);   // no such channel: nothing
}

TEST_F(PeqEdits, BypassFlattensAndRestoresTheSameChannel) {
    PeqBypass bypass;
    s.strips[3].peqBands[0].gain2 = 250;
    const MixerState original = s;
    EXPECT_EQ(bypass.Toggle(s, 3), 3);
    EXPECT_TRUE(bypass.On());
    EXPECT_EQ(s.strips[3].peqBands[0].gain2, 150);
    EXPECT_EQ(s.strips[3].hpfOn, 0);
    EXPECT_EQ(s.strips[3].lpfOn, 0);
    EXPECT_EQ(s.strips[3].hpfFreq, 20);
    EXPECT_EQ(s.strips[3].lpfFreq, 20000);
    EXPECT_EQ(s.strips[3].peqBands[0].freq, 1000);   // frequencies and Q stay

    // Switched off while the page shows channel 5: channel 3 gets its EQ
    // back and channel 5 is not touched.
    const StripRecord five = s.strips[5];
    EXPECT_EQ(bypass.Toggle(s, 5), 3);
    EXPECT_FALSE(bypass.On());
    EXPECT_EQ(std::memcmp(&s.strips[5], &five, sizeof five), 0);
    EXPECT_EQ(std::memcmp(&s.strips[3], &original.strips[3], sizeof five), 0);
    EXPECT_EQ(bypass.Toggle(s, 30), -1);
    EXPECT_FALSE(bypass.On());
}

}  // namespace
