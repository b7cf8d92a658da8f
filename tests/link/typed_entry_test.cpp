#include "link/typed_entry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "link/commands.h"

using namespace mixer;

namespace {

class TypedEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(&s, 0, sizeof s);
        ClampToRanges(s);
    }

    // Types text into box 0 and returns the stored result.
    TypedEntryResult Type(int channel, int kind, const std::string& text) {
        return ApplyTypedValue(s, channel, kind, 0, text);
    }

    MixerState s;
};

// The expected commands are built from the state the entry left, so they are
// built only after it ran.
template <typename Expected>
void ExpectSends(const TypedEntryResult& result, Expected expected) {
    EXPECT_EQ(result.commands, expected());
}

constexpr int kMain = kFirstOutputChannel;
constexpr int kAux1 = kFirstOutputChannel + 2;

}  // namespace

TEST(ReadLeadingNumber, ReadsLikeTheUserMeantAndNeverYieldsNonFinite) {
    EXPECT_EQ(ReadLeadingInteger("12dB"), 12);
    EXPECT_EQ(ReadLeadingInteger("  -70"), -70);
    EXPECT_EQ(ReadLeadingInteger("+5"), 5);
    EXPECT_EQ(ReadLeadingInteger("abc"), 0);
    EXPECT_EQ(ReadLeadingInteger("99999999999999999999999"), LONG_MAX);
    EXPECT_DOUBLE_EQ(ReadLeadingReal("-0.25"), -0.25);
    EXPECT_DOUBLE_EQ(ReadLeadingReal("3.3kHz"), 3.3);
    EXPECT_DOUBLE_EQ(ReadLeadingReal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadLeadingReal("nan"), 0.0);
    EXPECT_DOUBLE_EQ(ReadLeadingReal("inf"), 0.0);
    EXPECT_DOUBLE_EQ(ReadLeadingReal("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(ReadLeadingReal("-"), 0.0);
    EXPECT_GT(ReadLeadingReal(std::string(400, '9')), 1e299);
    EXPECT_DOUBLE_EQ(ReadLeadingReal("0." + std::string(400, '0') + "1"), 0.0);
}

TEST_F(TypedEntryTest, FaderLevelsClampAndSendA) {
    EXPECT_TRUE(Type(0, 3, "-70").stored);
    EXPECT_EQ(s.strips[0].level, 0);
    Type(0, 3, "5");
    EXPECT_EQ(s.strips[0].level, 65);
    const TypedEntryResult r = Type(0, 3, "12");
    EXPECT_EQ(s.strips[0].level, 70);
    EXPECT_EQ(r.commands, std::vector<std::string>{BuildA(s, 1)});
    ExpectSends(Type(16, 3, "0"), [&] { return std::vector<std::string>{BuildA(s, kIndexDelayReturn)}; });
    ExpectSends(Type(17, 1, "OPEN"), [&] { return std::vector<std::string>{BuildA(s, kIndexReverbReturn)}; });
}

TEST_F(TypedEntryTest, OnOffWordsDependOnInputOrOutput) {
    EXPECT_TRUE(Type(2, 1, "open").stored);
    EXPECT_EQ(s.strips[2].mute, 1);
    EXPECT_FALSE(Type(2, 1, "关").stored);
    EXPECT_EQ(s.strips[2].mute, 1);
    EXPECT_TRUE(Type(2, 1, "close").stored);
    EXPECT_EQ(s.strips[2].mute, 0);

    EXPECT_FALSE(Type(kAux1, 1, "OPEN").stored);
    EXPECT_EQ(s.buses[2].mute, 0);
    EXPECT_TRUE(Type(kAux1, 1, "开").stored);
    EXPECT_EQ(s.buses[2].mute, 1);
}

TEST_F(TypedEntryTest, SoloSendsTheKIndexOfTheChannel) {
    ExpectSends(Type(0, 2, "OPEN"), [&] { return std::vector<std::string>{BuildK(s, 7)}; });
    const TypedEntryResult aux3 = Type(kFirstOutputChannel + 4, 2, "开");
    EXPECT_EQ(s.buses[4].solo, 1);
    EXPECT_EQ(aux3.commands, std::vector<std::string>{BuildK(s, 3)});
    // MAIN has no solo command.
    EXPECT_TRUE(Type(kMain, 2, "开").commands.empty());
}

TEST_F(TypedEntryTest, PanBalanceAndMainKeepsBothRecordsEqual) {
    Type(0, 4, "1.5");
    EXPECT_EQ(s.strips[0].pan, 200);
    Type(0, 4, "-0.25");
    EXPECT_EQ(s.strips[0].pan, 75);
    const TypedEntryResult r = Type(kMain, 4, "0.5");
    EXPECT_EQ(s.buses[0].balance, 150);
    EXPECT_EQ(s.buses[1].balance, 150);
    EXPECT_EQ(r.commands, std::vector<std::string>{BuildL(s, kIndexMainBalance)});
    EXPECT_TRUE(Type(kAux1, 4, "0.5").commands.empty());
}

TEST_F(TypedEntryTest, MainFaderSendsBothSidesAndKeepsThemEqual) {
    const TypedEntryResult r = Type(kMain, 3, "-10");
    EXPECT_EQ(s.buses[0].level, 50);
    EXPECT_EQ(s.buses[1].level, 50);
    EXPECT_EQ(r.commands, (std::vector<std::string>{BuildA(s, 17), BuildA(s, 18)}));
    ExpectSends(Type(kAux1, 3, "0"), [&] { return std::vector<std::string>{BuildA(s, 19)}; });
}

TEST_F(TypedEntryTest, EqBandsEveryBand) {
    for (int band = 1; band <= 5; ++band) {
        const int gainKind = 5 + 3 * (band - 1);
        Type(3, gainKind + 2, "3.3");
        EXPECT_EQ(s.strips[3].peqBands[band - 1].q, 33) << band;
        Type(3, gainKind, "-12");
        EXPECT_EQ(s.strips[3].peqBands[band - 1].gain2, 30) << band;
        Type(3, gainKind + 1, "1234.9");
        EXPECT_EQ(s.strips[3].peqBands[band - 1].freq, 1234) << band;
    }
    ExpectSends(Type(3, 5, "20"), [&] { return std::vector<std::string>{BuildG(s, 4, 1)}; });
    EXPECT_EQ(s.strips[3].peqBands[0].gain2, 300);
    Type(3, 7, "0.05");
    EXPECT_EQ(s.strips[3].peqBands[0].q, 1);
    Type(3, 6, "5");
    EXPECT_EQ(s.strips[3].peqBands[0].freq, 20);
    // The fifth slot is stored, but the mixer has four bands: nothing to send.
    EXPECT_TRUE(Type(3, 17, "1").commands.empty());
}

TEST_F(TypedEntryTest, SecondBoxTakesOnlyBandFrequencies) {
    TypedEntryResult r = ApplyTypedValue(s, 1, 23, 1, "2500");
    EXPECT_EQ(s.strips[1].peqBands[1].freq, 2500);
    EXPECT_EQ(r.commands, std::vector<std::string>{BuildG(s, 2, 2)});
    const MixerState before = s;
    EXPECT_FALSE(ApplyTypedValue(s, 1, 6, 1, "2500").stored);
    EXPECT_FALSE(ApplyTypedValue(s, kMain, 23, 1, "2500").stored);
    EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0);
}

TEST_F(TypedEntryTest, DynamicsRules) {
    Type(kAux1, 42, "30");
    EXPECT_EQ(s.buses[2].lim[kDynRatio], 100);
    Type(kAux1, 42, "2.5");
    EXPECT_EQ(s.buses[2].lim[kDynRatio], 25);
    Type(0, 58, "20.5");
    EXPECT_EQ(s.strips[0].comp[kDynGain], 200);
    Type(0, 54, "5");
    EXPECT_EQ(s.strips[0].comp[kDynThreshold], 60);
    Type(0, 53, "5");
    EXPECT_EQ(s.strips[0].gate[kGateRelease], 20);
    Type(0, 52, "999");
    EXPECT_EQ(s.strips[0].gate[kGateAttack], 250);
    const TypedEntryResult main = Type(kMain, 41, "-20");
    EXPECT_EQ(s.buses[0].lim[kDynThreshold], 40);
    EXPECT_EQ(s.buses[1].lim[kDynThreshold], 40);
    EXPECT_EQ(main.commands, (std::vector<std::string>{BuildD(s, 1), BuildD(s, 2)}));
}

TEST_F(TypedEntryTest, IndexLimitsOfTheRows) {
    // Filters, effect sends and dynamics go out only for CH 1..16.
    EXPECT_TRUE(Type(16, 20, "100").stored);
    EXPECT_TRUE(Type(16, 20, "100").commands.empty());
    ExpectSends(Type(15, 21, "100"), [&] { return std::vector<std::string>{BuildE(s, 16)}; });
    EXPECT_TRUE(Type(17, 48, "0").commands.empty());
    EXPECT_TRUE(Type(17, 51, "0").commands.empty());
    ExpectSends(Type(17, 41, "0"), [&] { return std::vector<std::string>{BuildI(s, 18)}; });
}

TEST_F(TypedEntryTest, EffectParametersLiveInTheirReturnRecord) {
    ExpectSends(Type(kReverbReturn, 66, "2.5"), [&] { return std::vector<std::string>{BuildM(s)}; });
    EXPECT_EQ(s.strips[kReverbReturn].reverbParams[kRevTime], 25);
    Type(kReverbReturn, 62, "10");
    EXPECT_EQ(s.strips[kReverbReturn].reverbParams[0], 30);
    ExpectSends(Type(kDelayReturn, 70, "150"), [&] { return std::vector<std::string>{BuildN(s)}; });
    EXPECT_EQ(s.strips[kDelayReturn].delayParams[kFeedback], 100);
    ExpectSends(Type(kDelayReturn, 61, "0"), [&] { return std::vector<std::string>{BuildA(s, kIndexDelayOut)}; });
    EXPECT_EQ(s.strips[kDelayReturn].level2, 60);
    // Not the matching return: nothing stored, nothing sent.
    EXPECT_FALSE(Type(kDelayReturn, 66, "2").stored);
    EXPECT_FALSE(Type(3, 70, "2").stored);
    EXPECT_FALSE(Type(3, 61, "2").stored);
}

TEST_F(TypedEntryTest, KindsWithoutARowAndBadChannelsChangeNothing) {
    const MixerState before = s;
    for (int kind : {29, 40, 50, 59, 60, 72, -1}) EXPECT_FALSE(Type(0, kind, "1").stored) << kind;
    for (int kind : {36, 40, 46}) EXPECT_FALSE(Type(kMain, kind, "1").stored) << kind;
    EXPECT_FALSE(Type(26, 3, "0").stored);
    EXPECT_FALSE(Type(-1, 3, "0").stored);
    EXPECT_FALSE(ApplyTypedValue(s, 0, 3, 2, "0").stored);
    EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0);
}
