#include "link/state_reply.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string_view>
#include <vector>

#include "link/incoming.h"
#include "link/wire_format.h"
#include "link/random_state.h"

using namespace mixer;
using mixer::testing::RandomState;
using mixer::testing::SameState;

namespace {

MixerState Zero() {
    MixerState s;
    std::memset(&s, 0, sizeof s);
    return s;
}

// A reply with the given groups (1-based) and every other group empty.
std::string ReplyWithGroups(const std::vector<std::pair<int, std::string>>& groups, int groupCount = 27) {
    std::vector<std::string> fields(1 + groupCount);
    fields[0] = "01";
    for (const auto& [g, text] : groups) fields[g] = text;
    return FormatMessage('Z', fields);
}

// Feeds a message through the splitter in datagrams of at most 128 bytes and
// returns what the splitter delivers.
std::vector<std::string> Deliver(const std::string& message) {
    std::string residue;
    std::vector<std::string> out;
    for (std::size_t i = 0; i < message.size(); i += kMaxDatagram) SplitFrames(residue, message.substr(i, kMaxDatagram), out);
    return out;
}

}  // namespace

TEST(StateReply, RoundTripThroughDatagrams) {
    std::mt19937 rng(42);
    for (int trial = 0; trial < 50; ++trial) {
        const MixerState original = RandomState(rng);
        const std::string reply = BuildStateReply(original, "123");
        ASSERT_LE(reply.size(), kMaxMessageLength);
        const auto delivered = Deliver(reply);
        ASSERT_EQ(delivered.size(), 1u);

        // The reply carries no mode for the MAIN records: they keep theirs.
        MixerState parsed = Zero();
        parsed.buses[0].busMode = parsed.buses[1].busMode = original.buses[0].busMode;
        std::string version;
        ASSERT_EQ(OnMessage(delivered[0], parsed, version), IncomingKind::StateReply);
        EXPECT_EQ(version, "123");
        ASSERT_TRUE(SameState(parsed, original)) << "trial " << trial;
    }
}

TEST(StateReply, GainsAreDoubledOnArrivalAndTypesLowered) {
    // CH 1: band 1 type 2 (low shelf), 1000 Hz, gain 12, Q 5; band 2 freq 2000.
    const std::string band = "02" "03E8" "0C" "05";
    const std::string band2 = "01" "07D0" "00" "01";
    const std::string rest = "01" "0014" "00" "01";
    MixerState s = Zero();
    std::string version;
    // One whole record (four bands) and the first two bands of the next.
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{14, band + band2 + rest + rest + band + band2}}), s, version));
    EXPECT_EQ(s.strips[0].peqBands[0].type, 1);
    EXPECT_EQ(s.strips[0].peqBands[0].freq, 1000);
    EXPECT_EQ(s.strips[0].peqBands[0].gain2, 24);
    EXPECT_EQ(s.strips[0].peqBands[0].q, 5);
    EXPECT_EQ(s.strips[0].peqBands[1].freq, 2000);
    EXPECT_EQ(s.strips[0].peqBands[3].freq, 20);
    EXPECT_EQ(s.strips[1].peqBands[0].freq, 0);  // a partial record is not read at all
    EXPECT_EQ(s.strips[1].peqBands[0].gain2, 0);
}

TEST(StateReply, HighPassSwitchLeavesTheLowPassSwitchAlone) {
    MixerState s = Zero();
    std::string version;
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{9, "1010"}, {11, "0110"}}), s, version));
    EXPECT_EQ(s.strips[0].lpfOn, 1);
    EXPECT_EQ(s.strips[0].hpfOn, 0);
    EXPECT_EQ(s.strips[1].lpfOn, 0);
    EXPECT_EQ(s.strips[1].hpfOn, 1);
    EXPECT_EQ(s.strips[2].lpfOn, 1);
    EXPECT_EQ(s.strips[2].hpfOn, 1);
}

TEST(StateReply, NormalisationRunsAfterEveryReply) {
    MixerState s = Zero();
    s.strips[4].peqOn = 0;
    s.buses[3].geqOn = 0;
    std::string version;
    // CH 1 high-pass: type 7, 5 Hz, slope 9.
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{12, "07" "0005" "09" "00"}, {25, "0F"}}), s, version));
    for (const StripRecord& r : s.strips) {
        EXPECT_EQ(r.peqOn, 1);
        EXPECT_EQ(r.hpfType, 2);
        EXPECT_EQ(r.lpfType, 2);
    }
    for (const BusRecord& b : s.buses) EXPECT_EQ(b.geqOn, 1);
    EXPECT_EQ(s.strips[0].hpfFreq, 20);
    EXPECT_EQ(s.strips[0].hpfSlope, 8);
    EXPECT_EQ(s.buses[2].busMode, 1);  // "0F" read as 0 then 15: both clamped
    EXPECT_EQ(s.buses[3].busMode, 3);
}

TEST(StateReply, MissingEmptyAndPartialGroupsChangeOnlyWhatTheyHold) {
    MixerState s = Zero();
    for (StripRecord& r : s.strips) r.level = 33;
    std::string version = "99";
    // Group 1 holds one and a half records, group 2 is empty, the reply stops
    // after group 3.
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{1, "460"}, {3, "1"}}, 3), s, version));
    EXPECT_EQ(s.strips[0].level, 4);   // "460" is read "0460": 04, 60
    EXPECT_EQ(s.strips[1].level, 70);  // 0x60 clamped to the fader top
    EXPECT_EQ(s.strips[2].level, 33);
    EXPECT_EQ(s.strips[0].gateOn, 0);  // "1" is read "01"
    EXPECT_EQ(s.strips[1].gateOn, 1);
    EXPECT_EQ(version, "99");
}

// Whatever a reply does not carry keeps its value, in range or not: a later
// upload must not send values the mixer never had.
TEST(StateReply, AbsentGroupsAreLeftUntouched) {
    MixerState s = Zero();
    s.strips[5].comp[kDynRatio] = 0;
    s.buses[4].lim[kDynAttack] = 0;
    s.strips[2].hpfFreq = 5;
    s.strips[2].peqBands[1].q = 0;
    s.buses[6].busMode = 0;
    s.buses[1].geqBands[3].gain2 = 400;
    s.strips[17].reverbParams[kRevTime] = 0;
    MixerState before = s;
    std::string version;
    // Only the levels and the CH 1 compressor (ratio 0, below its range).
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{1, "46"}, {6, "00" "10" "10" "10" "10"}}), s, version));
    EXPECT_EQ(s.strips[0].level, 70);
    EXPECT_EQ(s.strips[0].comp[kDynRatio], 10);  // stored, so pulled into range
    before.strips[0].level = 70;
    std::memcpy(before.strips[0].comp, s.strips[0].comp, sizeof before.strips[0].comp);
    // What the normalisation always sets.
    for (StripRecord& r : before.strips) {
        r.peqOn = 1;
        r.hpfType = r.lpfType = 2;
    }
    for (BusRecord& b : before.buses) b.geqOn = 1;
    EXPECT_TRUE(SameState(s, before));
}

TEST(StateReply, ExtraRecordsAreIgnoredAndOnlyWholeRecordsRead) {
    MixerState s = Zero();
    std::string version;
    // Group 22 carries one record of 14 digits; send one and a half.
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{22, "03E8000A320014" "03E8"}}), s, version));
    EXPECT_EQ(s.strips[kDelayReturn].delayParams[kPreDelay1], 1000);
    EXPECT_EQ(s.strips[kDelayReturn].delayParams[kFeedback], 50);
    // Group 4 with a record and a half: only the whole one is stored.
    MixerState t = Zero();
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{4, "0A0B0C" "0D0E"}}), t, version));
    EXPECT_EQ(t.strips[0].gate[kGateThreshold], 10);
    EXPECT_EQ(t.strips[0].gate[kGateRelease], 20);  // 12 clamped to the minimum release
    EXPECT_EQ(t.strips[1].gate[kGateThreshold], 0);
}

TEST(StateReply, MainBalanceFillsBothMainRecordsAndSolosFollowTheKIndex) {
    MixerState s = Zero();
    std::string version;
    std::string pans(18 * 2, '0');
    pans += "C8";
    std::string solos = "100000" "01" + std::string(16, '0');
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{20, solos}, {21, pans}}), s, version));
    EXPECT_EQ(s.buses[0].balance, 200);
    EXPECT_EQ(s.buses[1].balance, 200);
    EXPECT_EQ(s.buses[2].solo, 1);  // AUX 1
    EXPECT_EQ(s.strips[1].solo, 1); // CH 2
    EXPECT_EQ(s.strips[0].solo, 0);
}

TEST(StateReply, VersionTextIsBoundedAndDecimal) {
    MixerState s = Zero();
    std::string version;
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{27, "12345678901234567890"}}), s, version));
    EXPECT_EQ(version, "123456789012345");
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{27, "1A"}}), s, version));
    EXPECT_EQ(version, "123456789012345");
}

TEST(StateReply, BrokenFramesChangeNothing) {
    MixerState s = Zero();
    s.strips[0].level = 5;
    std::string version;
    std::string reply = ReplyWithGroups({{1, "46"}});
    std::string badCrc = reply;
    badCrc[badCrc.size() - 2] = badCrc[badCrc.size() - 2] == '0' ? '1' : '0';
    EXPECT_FALSE(ParseStateReply(badCrc, s, version));
    EXPECT_FALSE(ParseStateReply(reply.substr(0, reply.size() - 1), s, version));
    EXPECT_FALSE(ParseStateReply(FormatMessage('Q', {"01", "46"}), s, version));
    EXPECT_EQ(s.strips[0].level, 5);
    EXPECT_EQ(s.strips[0].peqOn, 0);  // no normalisation either
}

TEST(StateReply, NonHexDigitsEndTheGroupWithoutStoringGarbage) {
    MixerState s = Zero();
    std::string version;
    ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{1, "4010ZZ20"}}), s, version));
    EXPECT_EQ(s.strips[0].level, 64);
    EXPECT_EQ(s.strips[1].level, 16);
    EXPECT_EQ(s.strips[2].level, 0);
    EXPECT_EQ(s.strips[3].level, 0);
}

// The parser and the simulator's reply builder share one layout table, so a
// round trip cannot tell two values of a record swapped in it. Each group
// without a literal record above is pinned here by wire text written out by
// hand, read and built back; so are the levels (the returns' items) and the
// gate (attack against release), which the records above leave open. The
// dynamics groups carry the ratio first.
TEST(StateReply, EachGroupReadsAndBuildsItsLiteralRecord) {
    struct Field {
        const char* name;
        std::function<int32_t(const MixerState&)> get;
        int value;
    };
    struct Pin {
        int group;
        std::string wire;
        std::vector<Field> fields;
    };
#define FIELD(expr, value) Field{#expr, [](const MixerState& s) { return s.expr; }, value}
    const Pin pins[] = {
        // CH 1, the buses, two ignored items, then the returns' input and output.
        {1, "0A" + std::string(30, '0') + "0000" "14" "0000000000" "0000" "1E" "28" "32" "3C",
         {FIELD(strips[0].level, 10), FIELD(buses[2].level, 20), FIELD(strips[16].level, 30),
          FIELD(strips[16].level2, 40), FIELD(strips[17].level, 50), FIELD(strips[17].level2, 60)}},
        {2, "1" + std::string(15, '0') + "00100000" "00" "0110",
         {FIELD(strips[0].mute, 1), FIELD(buses[2].mute, 1), FIELD(strips[16].mute, 0), FIELD(strips[16].mute2, 1),
          FIELD(strips[17].mute, 1), FIELD(strips[17].mute2, 0)}},
        {4, "0A" "0B" "1E",
         {FIELD(strips[0].gate[kGateThreshold], 10), FIELD(strips[0].gate[kGateAttack], 11),
          FIELD(strips[0].gate[kGateRelease], 30)}},
        {5, "01", {FIELD(strips[0].compOn, 0), FIELD(strips[1].compOn, 1)}},
        {6, "14" "28" "05" "32" "0C",
         {FIELD(strips[0].comp[kDynRatio], 20), FIELD(strips[0].comp[kDynThreshold], 40),
          FIELD(strips[0].comp[kDynAttack], 5), FIELD(strips[0].comp[kDynRelease], 50),
          FIELD(strips[0].comp[kDynGain], 12)}},
        {7, "01", {FIELD(buses[0].limOn, 0), FIELD(buses[1].limOn, 1)}},
        {8, "14" "28" "05" "0A" "0C",
         {FIELD(buses[0].lim[kDynRatio], 20), FIELD(buses[0].lim[kDynThreshold], 40),
          FIELD(buses[0].lim[kDynAttack], 5), FIELD(buses[0].lim[kDynRelease], 10),
          FIELD(buses[0].lim[kDynGain], 12)}},
        // Type, frequency, slope and an unused value; the type is set to 2 after every reply.
        {10, "02" "03E8" "06" "00", {FIELD(strips[0].lpfFreq, 1000), FIELD(strips[0].lpfSlope, 6)}},
        {13, "1", {FIELD(strips[0].peqOn, 1)}},
        {15, "1", {FIELD(buses[0].geqOn, 1)}},
        {16, "0A" "0B" + std::string(56, '0') + "96",
         {FIELD(buses[0].geqBands[0].gain2, 20), FIELD(buses[0].geqBands[1].gain2, 22),
          FIELD(buses[0].geqBands[30].gain2, 300), FIELD(buses[1].geqBands[0].gain2, 0)}},
        {17, "2A", {FIELD(strips[0].mainSend, 42)}},
        {18, "01" "02" "03" "04" "05" "06",
         {FIELD(strips[0].auxSend[0], 1), FIELD(strips[0].auxSend[1], 2), FIELD(strips[0].auxSend[2], 3),
          FIELD(strips[0].auxSend[3], 4), FIELD(strips[0].auxSend[4], 5), FIELD(strips[0].auxSend[5], 6)}},
        {19, "07" "09", {FIELD(strips[0].fxSend[0], 7), FIELD(strips[0].fxSend[1], 9)}},
        {23, "1E" "28" "32" "3C" "19" "1F40",
         {FIELD(strips[kReverbReturn].reverbParams[0], 30), FIELD(strips[kReverbReturn].reverbParams[1], 40),
          FIELD(strips[kReverbReturn].reverbParams[2], 50), FIELD(strips[kReverbReturn].reverbParams[3], 60),
          FIELD(strips[kReverbReturn].reverbParams[kRevTime], 25),
          FIELD(strips[kReverbReturn].reverbParams[kRevLpf], 8000)}},
        {24, "01", {FIELD(strips[0].polarity, 0), FIELD(strips[1].polarity, 1)}},
        {26, "10", {FIELD(strips[0].phantom, 1), FIELD(strips[1].phantom, 0)}},
    };
#undef FIELD
    for (const Pin& pin : pins) {
        SCOPED_TRACE("group " + std::to_string(pin.group));
        MixerState s = Zero();
        std::string version;
        ASSERT_TRUE(ParseStateReply(ReplyWithGroups({{pin.group, pin.wire}}), s, version));
        for (const Field& field : pin.fields) EXPECT_EQ(field.get(s), field.value) << field.name;
        const std::string built = BuildStateReply(s, "");
        const std::vector<std::string_view> parts = SplitParts(built);
        ASSERT_GT(parts.size(), static_cast<std::size_t>(pin.group) + 1);
        EXPECT_EQ(parts[pin.group + 1].substr(0, pin.wire.size()), pin.wire);
    }
}
