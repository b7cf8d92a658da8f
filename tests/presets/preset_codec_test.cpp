#include "presets/preset_codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "link/random_state.h"

using namespace mixer;
using mixer::testing::RandomState;
using mixer::testing::SameState;

namespace {

class PresetCodecTest : public ::testing::Test {
protected:
    void SetUp() override { std::memset(&s, 0, sizeof s); }

    MixerState s;
};

bool InRanges(const MixerState& state) {
    MixerState clamped = state;
    ClampToRanges(clamped);
    return SameState(clamped, state);
}

}  // namespace

TEST_F(PresetCodecTest, TextLengths) {
    EXPECT_EQ(PresetTextLength(PresetModule::kPeq), 82);
    EXPECT_EQ(PresetTextLength(PresetModule::kNoise), 8);
    EXPECT_EQ(PresetTextLength(PresetModule::kCompressor), 12);
    EXPECT_EQ(PresetTextLength(PresetModule::kLimit), 12);
    EXPECT_EQ(PresetTextLength(PresetModule::kGeq), 124);
    EXPECT_EQ(PresetTextLength(PresetModule::kDelay), 14);
    EXPECT_EQ(PresetTextLength(PresetModule::kRev), 14);
}

TEST_F(PresetCodecTest, PeqTextIsBandsThenBothFiltersInFieldOrder) {
    StripRecord& r = s.strips[5];
    const int freqs[4] = {200, 500, 1000, 5000};
    for (int b = 0; b < 4; ++b) {
        r.peqBands[b].freq = freqs[b];
        r.peqBands[b].gain2 = 150 + b;
        r.peqBands[b].q = 20;
    }
    r.peqBands[0].type = 1;
    r.peqBands[3].type = 2;
    r.hpfOn = 1;
    r.hpfType = 2;
    r.hpfSlope = 4;
    r.hpfFreq = 80;
    r.lpfType = 0xAB;
    r.lpfSlope = 8;
    r.lpfFreq = 20000;

    EXPECT_EQ(EncodePreset(PresetModule::kPeq, s, 5),
              "01001400960" "0C8"
              "00001400970" "1F4"
              "00001400980" "3E8"
              "02001400991" "388"
              ",0102000400" "50"
              ",00AB00084E" "20");
}

TEST_F(PresetCodecTest, DynamicsAndEffectTextsInFieldOrder) {
    StripRecord& ch = s.strips[2];
    ch.gateOn = 1;
    ch.gate[kGateThreshold] = 60;
    ch.gate[kGateUnused] = 99;
    ch.gate[kGateAttack] = 10;
    ch.gate[kGateRelease] = 250;
    EXPECT_EQ(EncodePreset(PresetModule::kNoise, s, 2), "013C0AFA");

    ch.compOn = 1;
    ch.comp[kDynThreshold] = 0x11;
    ch.comp[kDynRatio] = 0x22;
    ch.comp[kDynAttack] = 0x33;
    ch.comp[kDynRelease] = 0x44;
    ch.comp[kDynGain] = 0x55;
    EXPECT_EQ(EncodePreset(PresetModule::kCompressor, s, 2), "011122334455");

    BusRecord& aux = s.buses[4];
    aux.lim[kDynThreshold] = 0x30;
    aux.lim[kDynRatio] = 0x0A;
    aux.lim[kDynAttack] = 0x01;
    aux.lim[kDynRelease] = 0x02;
    aux.lim[kDynGain] = 0xC8;
    EXPECT_EQ(EncodePreset(PresetModule::kLimit, s, 4), "00300A0102C8");

    for (int b = 0; b < kGeqBandCount; ++b) aux.geqBands[b].gain2 = 150;
    aux.geqBands[30].gain2 = 300;
    const std::string geq = EncodePreset(PresetModule::kGeq, s, 4);
    EXPECT_EQ(geq.substr(0, 8), "00960096");
    EXPECT_EQ(geq.substr(120), "012C");

    // Reset values of both effects.
    int32_t (&d)[4] = s.strips[kDelayReturn].delayParams;
    d[kPreDelay1] = 133;
    d[kPreDelay2] = 232;
    d[kFeedback] = 38;
    d[kDelayLpf] = 20000;
    EXPECT_EQ(EncodePreset(PresetModule::kDelay, s, kDelayReturn), "008500E8264E20");
    int32_t (&v)[6] = s.strips[kReverbReturn].reverbParams;
    v[0] = 61;
    v[1] = 48;
    v[2] = 47;
    v[3] = 50;
    v[kRevTime] = 3;
    v[kRevLpf] = 20000;
    EXPECT_EQ(EncodePreset(PresetModule::kRev, s, kReverbReturn), "3D302F32034E20");
}

TEST_F(PresetCodecTest, EffectsUseTheirReturnStripsWhateverTheIndex) {
    s.strips[kDelayReturn].delayParams[kFeedback] = 7;
    s.strips[0].delayParams[kFeedback] = 99;
    EXPECT_EQ(EncodePreset(PresetModule::kDelay, s, 0), EncodePreset(PresetModule::kDelay, s, kDelayReturn));
    EXPECT_EQ(EncodePreset(PresetModule::kDelay, s, 0).substr(8, 2), "07");

    ASSERT_EQ(DecodePreset(PresetModule::kRev, "3D302F32034E20", s, 3), PresetDecodeResult::kStored);
    EXPECT_EQ(s.strips[kReverbReturn].reverbParams[kRevDelay1], 61);
    EXPECT_EQ(s.strips[3].reverbParams[kRevDelay1], 0);
}

TEST_F(PresetCodecTest, RoundTripOfEveryModuleOnRandomStates) {
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        const MixerState from = RandomState(rng);
        MixerState to = RandomState(rng);
        for (PresetModule m : kPresetModules) {
            const int index = (m == PresetModule::kLimit || m == PresetModule::kGeq) ? round % kBusCount
                                                                                     : round % kStripCount;
            const std::string text = EncodePreset(m, from, index);
            ASSERT_EQ(static_cast<int>(text.size()), PresetTextLength(m));

            MixerState same = from;
            ASSERT_EQ(DecodePreset(m, text, same, index), PresetDecodeResult::kStored);
            EXPECT_TRUE(SameState(same, from)) << text;

            ASSERT_EQ(DecodePreset(m, text, to, index), PresetDecodeResult::kStored);
            EXPECT_EQ(EncodePreset(m, to, index), text);
        }
    }
}

TEST_F(PresetCodecTest, PeqRecallLeavesPolarityBandFiveAndOtherWordsAlone) {
    std::mt19937 rng(3);
    const MixerState source = RandomState(rng);
    const std::string text = EncodePreset(PresetModule::kPeq, source, 1);

    StripRecord& r = s.strips[7];
    r.polarity = 1;
    r.peqOn = 1;
    r.peqBands[0].other[0] = 11;
    r.peqBands[3].other[1] = 12;
    r.peqBands[4].freq = 4321;
    ASSERT_EQ(DecodePreset(PresetModule::kPeq, text, s, 7), PresetDecodeResult::kStored);

    for (int b = 0; b < 4; ++b) {
        EXPECT_EQ(r.peqBands[b].freq, source.strips[1].peqBands[b].freq);
        EXPECT_EQ(r.peqBands[b].gain2, source.strips[1].peqBands[b].gain2);
        EXPECT_EQ(r.peqBands[b].q, source.strips[1].peqBands[b].q);
        EXPECT_EQ(r.peqBands[b].type, source.strips[1].peqBands[b].type);
    }
    EXPECT_EQ(r.hpfFreq, source.strips[1].hpfFreq);
    EXPECT_EQ(r.lpfSlope, source.strips[1].lpfSlope);
    EXPECT_EQ(r.polarity, 1);
    EXPECT_EQ(r.peqOn, 1);
    EXPECT_EQ(r.peqBands[0].other[0], 11);
    EXPECT_EQ(r.peqBands[3].other[1], 12);
    EXPECT_EQ(r.peqBands[4].freq, 4321);
}

TEST_F(PresetCodecTest, DamagedTextsAreRejectedWithoutTouchingTheState) {
    std::mt19937 rng(11);
    s = RandomState(rng);
    const MixerState before = s;
    const std::string peq = EncodePreset(PresetModule::kPeq, s, 0);

    EXPECT_EQ(DecodePreset(PresetModule::kPeq, "", s, 0), PresetDecodeResult::kWrongLength);
    EXPECT_EQ(DecodePreset(PresetModule::kPeq, peq.substr(1), s, 0), PresetDecodeResult::kWrongLength);
    EXPECT_EQ(DecodePreset(PresetModule::kPeq, peq + "0", s, 0), PresetDecodeResult::kWrongLength);
    EXPECT_EQ(DecodePreset(PresetModule::kNoise, "013C0AF", s, 0), PresetDecodeResult::kWrongLength);

    std::string noComma = peq;
    noComma[56] = '0';
    EXPECT_EQ(DecodePreset(PresetModule::kPeq, noComma, s, 0), PresetDecodeResult::kBadCharacter);
    std::string movedComma = peq;
    std::swap(movedComma[69], movedComma[70]);
    EXPECT_EQ(DecodePreset(PresetModule::kPeq, movedComma, s, 0), PresetDecodeResult::kBadCharacter);
    // The damage may sit in the last field, after every other field was read.
    std::string lastDigit = peq;
    lastDigit[81] = 'G';
    EXPECT_EQ(DecodePreset(PresetModule::kPeq, lastDigit, s, 0), PresetDecodeResult::kBadCharacter);

    EXPECT_EQ(DecodePreset(PresetModule::kNoise, "01 C0AFA", s, 0), PresetDecodeResult::kBadCharacter);
    EXPECT_EQ(DecodePreset(PresetModule::kNoise, "-13C0AFA", s, 0), PresetDecodeResult::kBadCharacter);
    EXPECT_EQ(DecodePreset(PresetModule::kCompressor, std::string("0111\0""2334455", 12), s, 0),
              PresetDecodeResult::kBadCharacter);
    EXPECT_EQ(DecodePreset(PresetModule::kGeq, std::string(124, ','), s, 0), PresetDecodeResult::kBadCharacter);

    EXPECT_TRUE(SameState(s, before));
}

TEST_F(PresetCodecTest, OutOfRangeValuesAreLimitedAndReported) {
    ASSERT_EQ(DecodePreset(PresetModule::kNoise, "02FF00FF", s, 0), PresetDecodeResult::kStoredLimited);
    EXPECT_EQ(s.strips[0].gateOn, 1);
    EXPECT_EQ(s.strips[0].gate[kGateThreshold], 60);
    EXPECT_EQ(s.strips[0].gate[kGateAttack], 1);
    EXPECT_EQ(s.strips[0].gate[kGateRelease], 250);

    ASSERT_EQ(DecodePreset(PresetModule::kDelay, "FFFF0000FF0000", s, 0), PresetDecodeResult::kStoredLimited);
    EXPECT_EQ(s.strips[kDelayReturn].delayParams[kPreDelay1], 1000);
    EXPECT_EQ(s.strips[kDelayReturn].delayParams[kPreDelay2], 10);
    EXPECT_EQ(s.strips[kDelayReturn].delayParams[kFeedback], 100);
    EXPECT_EQ(s.strips[kDelayReturn].delayParams[kDelayLpf], 20);

    ASSERT_EQ(DecodePreset(PresetModule::kLimit, "000000000000", s, 1), PresetDecodeResult::kStoredLimited);
    EXPECT_EQ(s.buses[1].lim[kDynRatio], 10);
    EXPECT_EQ(s.buses[1].lim[kDynRelease], 1);

    // Lower-case digits are still hex digits.
    EXPECT_EQ(DecodePreset(PresetModule::kCompressor, "011e0a0114c8", s, 3), PresetDecodeResult::kStored);
    EXPECT_EQ(s.strips[3].comp[kDynThreshold], 30);
    EXPECT_EQ(s.strips[3].comp[kDynGain], 200);
}

TEST_F(PresetCodecTest, EncodingLimitsValuesSoTheTextKeepsItsLength) {
    s.strips[0].peqBands[0].freq = 70000;
    s.strips[0].peqBands[1].gain2 = -4;
    s.strips[0].hpfType = 300;
    s.strips[kReverbReturn].reverbParams[kRevLpf] = -1;
    const std::string peq = EncodePreset(PresetModule::kPeq, s, 0);
    ASSERT_EQ(peq.size(), 82u);
    EXPECT_EQ(peq.substr(10, 4), "4E20");
    EXPECT_EQ(peq.substr(20, 4), "0000");
    EXPECT_EQ(peq.substr(59, 2), "FF");
    EXPECT_EQ(EncodePreset(PresetModule::kRev, s, 0).substr(10), "0014");
}

TEST_F(PresetCodecTest, IndicesWithoutARecordAreRefused) {
    EXPECT_EQ(EncodePreset(PresetModule::kPeq, s, kStripCount), "");
    EXPECT_EQ(EncodePreset(PresetModule::kNoise, s, -1), "");
    EXPECT_EQ(EncodePreset(PresetModule::kGeq, s, kBusCount), "");
    EXPECT_EQ(DecodePreset(PresetModule::kLimit, "013C0A0114C8", s, kBusCount), PresetDecodeResult::kNoRecord);
    EXPECT_EQ(DecodePreset(PresetModule::kCompressor, "013C0A0114C8", s, -1), PresetDecodeResult::kNoRecord);
    // Buses are fewer than strips.
    EXPECT_EQ(EncodePreset(PresetModule::kLimit, s, 9), "");
    EXPECT_EQ(EncodePreset(PresetModule::kPeq, s, 9).size(), 82u);
}

TEST_F(PresetCodecTest, RandomTextsNeverLeaveAValueOutOfRange) {
    static const char kAlphabet[] = "0123456789ABCDEFabcdef,G \x80";
    std::mt19937 rng(5);
    s = RandomState(rng);
    for (int round = 0; round < 5000; ++round) {
        const PresetModule m = kPresetModules[round % kPresetModules.size()];
        std::string text(PresetTextLength(m) + (round % 13 == 0 ? 1 : 0), '0');
        for (char& c : text) c = kAlphabet[rng() % (sizeof kAlphabet - 1)];
        if (round % 2 == 0)  // mostly hex, so that values are reached
            for (char& c : text) c = c == ',' || c == 'G' || c == ' ' ? 'F' : c;
        if (m == PresetModule::kPeq && text.size() == 82) text[56] = text[69] = ',';
        const MixerState before = s;
        const PresetDecodeResult r = DecodePreset(m, text, s, round % kBusCount);
        if (r != PresetDecodeResult::kStored && r != PresetDecodeResult::kStoredLimited) {
            ASSERT_TRUE(SameState(s, before)) << text;
        }
        ASSERT_TRUE(InRanges(s)) << text;
    }
}
