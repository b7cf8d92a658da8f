#include "link/typed_entry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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

namespace {

// What typing one text stores; no value: the row does not take the text.
struct Probe {
    const char* text;
    std::optional<int> stored;
};

// Below the range, its low end, a value inside it, its high end and above it.
std::vector<Probe> Range(const char* below, const char* low, int lowStored, const char* inside, int insideStored,
                         const char* high, int highStored, const char* above) {
    return {{below, lowStored}, {low, lowStored}, {inside, insideStored}, {high, highStored}, {above, highStored}};
}

struct TableRow {
    std::string what;
    int channel;
    int kind;
    int box;
    std::function<int32_t&(MixerState&)> field;
    std::vector<Probe> probes;
};

// Every row of the typed-entry table with the range its rule takes, written
// out here rather than taken from the code: the ends in the user's units and
// what each stores.
std::vector<TableRow> EveryRow() {
    const auto level = Range("-61", "-60", 0, "-12", 48, "10", 70, "11");
    const auto threshold = Range("-61", "-60", 0, "-20", 40, "0", 60, "1");
    const auto balance = Range("-1.01", "-1", 0, "-0.25", 75, "1", 200, "1.01");
    const auto eqGain = Range("-15.1", "-15", 0, "-7.5", 75, "15", 300, "15.1");
    const auto frequency = Range("19", "20", 20, "1000.7", 1000, "20000", 20000, "20001");
    const auto q = Range("0.09", "0.1", 1, "3.5", 35, "20", 200, "20.1");
    const auto ratio = Range("0.9", "1", 10, "2.5", 25, "10", 100, "10.1");
    const auto gain = Range("-0.1", "0", 0, "12.5", 125, "20", 200, "20.1");
    const auto attack = Range("0", "1", 1, "100", 100, "250", 250, "251");
    const auto stripRelease = Range("19", "20", 20, "100", 100, "250", 250, "251");
    const auto limiterRelease = Range("0", "1", 1, "5", 5, "250", 250, "251");
    const auto reverbParam = Range("29", "30", 30, "64", 64, "100", 100, "101");
    const auto reverbTime = Range("0.09", "0.1", 1, "2.5", 25, "10", 100, "10.1");
    const auto preDelay = Range("9", "10", 10, "500", 500, "1000", 1000, "1001");
    const auto feedback = Range("-1", "0", 0, "50", 50, "100", 100, "101");
    const std::vector<Probe> inputWords = {{"OPEN", 1}, {"close", 0}, {"开", std::nullopt}};
    const std::vector<Probe> outputWords = {{"开", 1}, {"关", 0}, {"OPEN", std::nullopt}};

#define STRIP(channel, expr) [=](MixerState& s) -> int32_t& { return s.strips[channel].expr; }
#define BUS(expr) [=](MixerState& s) -> int32_t& { return s.buses[kAux1 - kFirstOutputChannel].expr; }
    std::vector<TableRow> rows = {
        {"CH mute", 0, 1, 0, STRIP(0, mute), inputWords},
        {"CH solo", 0, 2, 0, STRIP(0, solo), inputWords},
        {"CH level", 0, 3, 0, STRIP(0, level), level},
        {"CH pan", 0, 4, 0, STRIP(0, pan), balance},
        {"high-pass", 0, 20, 0, STRIP(0, hpfFreq), frequency},
        {"high-pass, second row", 0, 27, 0, STRIP(0, hpfFreq), frequency},
        {"low-pass", 0, 21, 0, STRIP(0, lpfFreq), frequency},
        {"low-pass, second row", 0, 28, 0, STRIP(0, lpfFreq), frequency},
        {"main send", 0, 41, 0, STRIP(0, mainSend), level},
        {"delay send", 0, 48, 0, STRIP(0, fxSend[0]), level},
        {"reverb send", 0, 49, 0, STRIP(0, fxSend[1]), level},
        {"gate threshold", 0, 51, 0, STRIP(0, gate[kGateThreshold]), threshold},
        {"gate attack", 0, 52, 0, STRIP(0, gate[kGateAttack]), attack},
        {"gate release", 0, 53, 0, STRIP(0, gate[kGateRelease]), stripRelease},
        {"compressor threshold", 0, 54, 0, STRIP(0, comp[kDynThreshold]), threshold},
        {"compressor ratio", 0, 55, 0, STRIP(0, comp[kDynRatio]), ratio},
        {"compressor attack", 0, 56, 0, STRIP(0, comp[kDynAttack]), attack},
        {"compressor release", 0, 57, 0, STRIP(0, comp[kDynRelease]), stripRelease},
        {"compressor gain", 0, 58, 0, STRIP(0, comp[kDynGain]), gain},
        {"delay return output", kDelayReturn, 61, 0, STRIP(kDelayReturn, level2), level},
        {"reverb return output", kReverbReturn, 61, 0, STRIP(kReverbReturn, level2), level},
        {"reverb time", kReverbReturn, 66, 0, STRIP(kReverbReturn, reverbParams[kRevTime]), reverbTime},
        {"reverb low-pass", kReverbReturn, 67, 0, STRIP(kReverbReturn, reverbParams[kRevLpf]), frequency},
        {"pre-delay 1", kDelayReturn, 68, 0, STRIP(kDelayReturn, delayParams[kPreDelay1]), preDelay},
        {"pre-delay 2", kDelayReturn, 69, 0, STRIP(kDelayReturn, delayParams[kPreDelay2]), preDelay},
        {"delay feedback", kDelayReturn, 70, 0, STRIP(kDelayReturn, delayParams[kFeedback]), feedback},
        {"delay low-pass", kDelayReturn, 71, 0, STRIP(kDelayReturn, delayParams[kDelayLpf]), frequency},
        {"AUX mute", kAux1, 1, 0, BUS(mute), outputWords},
        {"AUX solo", kAux1, 2, 0, BUS(solo), outputWords},
        {"AUX level", kAux1, 3, 0, BUS(level), level},
        {"AUX balance", kAux1, 4, 0, BUS(balance), balance},
        {"limiter threshold", kAux1, 41, 0, BUS(lim[kDynThreshold]), threshold},
        {"limiter ratio", kAux1, 42, 0, BUS(lim[kDynRatio]), ratio},
        {"limiter attack", kAux1, 43, 0, BUS(lim[kDynAttack]), attack},
        {"limiter release", kAux1, 44, 0, BUS(lim[kDynRelease]), limiterRelease},
        {"limiter gain", kAux1, 45, 0, BUS(lim[kDynGain]), gain},
    };
    for (int b = 0; b < 5; ++b) {
        const std::string band = " of band " + std::to_string(b + 1);
        rows.push_back({"gain" + band, 0, 5 + 3 * b, 0, STRIP(0, peqBands[b].gain2), eqGain});
        rows.push_back({"frequency" + band, 0, 6 + 3 * b, 0, STRIP(0, peqBands[b].freq), frequency});
        rows.push_back({"Q" + band, 0, 7 + 3 * b, 0, STRIP(0, peqBands[b].q), q});
        rows.push_back({"graph gain" + band, 0, 22 + b, 0, STRIP(0, peqBands[b].gain2), eqGain});
        rows.push_back({"graph frequency" + band, 0, 22 + b, 1, STRIP(0, peqBands[b].freq), frequency});
    }
    for (int k = 0; k < 6; ++k)
        rows.push_back({"send to AUX " + std::to_string(k + 1), 0, 42 + k, 0, STRIP(0, auxSend[k]), level});
    for (int k = 0; k < 4; ++k) {
        rows.push_back({"reverb value " + std::to_string(k + 1), kReverbReturn, 62 + k, 0,
                        STRIP(kReverbReturn, reverbParams[k]), reverbParam});
    }
    for (int k = 0; k < kGeqBandCount; ++k)
        rows.push_back({"GEQ band " + std::to_string(k + 1), kAux1, 5 + k, 0, BUS(geqBands[k].gain2), eqGain});
#undef STRIP
#undef BUS
    return rows;
}

}  // namespace

TEST_F(TypedEntryTest, EveryRowStoresItsRangeAndClampsWhatLiesOutside) {
    constexpr int kUntouched = -7;
    for (const TableRow& row : EveryRow()) {
        for (const Probe& probe : row.probes) {
            SCOPED_TRACE(row.what + " typed \"" + probe.text + "\"");
            row.field(s) = kUntouched;
            const bool stored = ApplyTypedValue(s, row.channel, row.kind, row.box, probe.text).stored;
            EXPECT_EQ(stored, probe.stored.has_value());
            EXPECT_EQ(row.field(s), probe.stored.value_or(kUntouched));
        }
    }
}
