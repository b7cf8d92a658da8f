#include <gtest/gtest.h>

#include <string>

#include "groups/mute_groups.h"

using namespace mixer;

namespace {

// "%A,01,1B,00,46,xxxx#": the letter, the protocol index (1B) and the first value (00).
struct Sent {
    char letter;
    int code;
    int value;
    bool operator==(const Sent&) const = default;
};

Sent Read(const std::string& m) { return {m[1], std::stoi(m.substr(6, 2), nullptr, 16), std::stoi(m.substr(9, 2), nullptr, 16)}; }

std::vector<int> Codes(const Commands& commands) {
    std::vector<int> codes;
    for (const std::string& c : commands) codes.push_back(Read(c).code);
    return codes;
}

TEST(MuteGroups, AnEngagedGroupOverAnotherLeavesItsMembersMuted) {
    MixerState s{};
    GroupTables groups;
    groups.mute[0].inputs[0] = groups.mute[0].inputs[1] = 1;
    groups.mute[1].inputs[1] = groups.mute[1].inputs[4] = 1;
    groups.mute[1].outputs[3] = 1;  // AUX 2
    int active = 0;

    EXPECT_EQ(Codes(PressMuteGroup(s, groups, active, 1)), (std::vector<int>{1, 2}));
    EXPECT_EQ(Codes(PressMuteGroup(s, groups, active, 2)), (std::vector<int>{2, 5, 20}));
    EXPECT_EQ(active, 2);
    EXPECT_EQ(s.strips[0].mute, 1);
    EXPECT_EQ(s.buses[3].mute, 1);

    // Releasing 2 unmutes only its members: CH 1 of group 1 stays muted.
    const Commands released = PressMuteGroup(s, groups, active, 2);
    EXPECT_EQ(Codes(released), (std::vector<int>{2, 5, 20}));
    EXPECT_EQ(active, 0);
    EXPECT_EQ(s.strips[0].mute, 1);
    EXPECT_EQ(s.strips[1].mute, 0);
    EXPECT_EQ(s.strips[4].mute, 0);
    EXPECT_EQ(s.buses[3].mute, 0);
    for (const std::string& c : released) EXPECT_EQ(Read(c).value, 0);
}

TEST(MuteGroups, MainOnlySendsBothMainRecordsAndTheReturnsTheirCodes) {
    MixerState s{};
    GroupTables groups;
    groups.mute[2].outputs[0] = 1;
    int active = 0;
    EXPECT_EQ(Codes(PressMuteGroup(s, groups, active, 3)), (std::vector<int>{17, 18}));
    EXPECT_EQ(s.buses[0].mute, 1);
    EXPECT_EQ(s.buses[1].mute, 1);
    EXPECT_EQ(Codes(PressMuteGroup(s, groups, active, 3)), (std::vector<int>{17, 18}));
    EXPECT_EQ(s.buses[1].mute, 0);

    groups.mute[2].inputs[kDelayReturn] = groups.mute[2].inputs[kReverbReturn] = 1;
    EXPECT_EQ(Codes(EngageMuteGroup(s, groups.mute[2])), (std::vector<int>{27, 29, 17, 18}));
}

TEST(MuteGroups, ReleaseUsesTheMembershipOfThatMoment) {
    MixerState s{};
    GroupTables groups;
    groups.mute[0].inputs[2] = 1;
    int active = 0;
    PressMuteGroup(s, groups, active, 1);
    groups.mute[0].inputs[2] = 0;
    groups.mute[0].inputs[7] = 1;
    EXPECT_EQ(Codes(PressMuteGroup(s, groups, active, 1)), (std::vector<int>{8}));
    EXPECT_EQ(s.strips[2].mute, 1);
    EXPECT_TRUE(PressMuteGroup(s, groups, active, 5).empty());
    EXPECT_EQ(active, 0);
}

TEST(MuteGroups, ClearSoloSendsEighteenInputsAndSixAuxNoneForMain) {
    MixerState s{};
    for (auto& strip : s.strips) strip.solo = 1;
    for (auto& bus : s.buses) bus.solo = 1;
    const Commands sent = ClearAllSolos(s);
    ASSERT_EQ(sent.size(), 24u);
    for (int i = 0; i < 18; ++i) EXPECT_EQ(Read(sent[i]), (Sent{'K', i + 7, 0}));
    for (int j = 0; j < 6; ++j) EXPECT_EQ(Read(sent[18 + j]), (Sent{'K', j + 1, 0}));
    for (const auto& strip : s.strips) EXPECT_EQ(strip.solo, 0);
    for (const auto& bus : s.buses) EXPECT_EQ(bus.solo, 0);
}

TEST(MuteGroups, ClearMuteReachesEveryChannelAndOutput) {
    MixerState s{};
    for (auto& strip : s.strips) strip.mute = 1;
    for (auto& bus : s.buses) bus.mute = 1;
    std::vector<int> expected;
    for (int i = 1; i <= 16; ++i) expected.push_back(i);
    expected.insert(expected.end(), {27, 29, 17, 18, 19, 20, 21, 22, 23, 24});
    EXPECT_EQ(Codes(ClearAllMutes(s)), expected);
    for (const auto& strip : s.strips) EXPECT_EQ(strip.mute, 0);
    for (const auto& bus : s.buses) EXPECT_EQ(bus.mute, 0);
}

}  // namespace
