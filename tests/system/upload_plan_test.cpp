#include <gtest/gtest.h>

#include <map>

#include "link/reset_defaults.h"
#include "link/wire_format.h"
#include "system/upload_plan.h"

using namespace mixer;

namespace {

std::string Key(const UploadStep& s) {
    return std::string(1, s.letter) + std::to_string(s.index) + (s.band ? "/" + std::to_string(s.band) : "");
}

TEST(UploadAllPlan, HoldsTheCommandsOfEveryPassInOrder) {
    const std::vector<UploadStep>& plan = UploadAllPlan();
    ASSERT_EQ(plan.size(), 283u);

    std::map<char, int> perLetter;
    for (const UploadStep& s : plan) ++perLetter[s.letter];
    const std::map<char, int> expected = {{'A', 28}, {'B', 16}, {'C', 16}, {'D', 8},  {'E', 16}, {'F', 16},
                                          {'G', 72}, {'H', 8},  {'I', 18}, {'J', 16}, {'K', 24}, {'L', 19},
                                          {'M', 1},  {'N', 1},  {'O', 16}, {'P', 6},  {'Q', 2}};
    EXPECT_EQ(perLetter, expected);

    // Landmarks at the start and end of each pass.
    const std::vector<std::pair<int, std::string>> landmarks = {
        {0, "Q0"},     {1, "A1"},    {2, "K1"},    {47, "A24"},  {48, "K24"},  {49, "A27"},
        {52, "A30"},   {53, "B1"},   {58, "O1"},   {148, "O16"}, {149, "D1"},  {150, "H1"},
        {164, "H8"},   {165, "G1/1"}, {168, "G1/4"}, {169, "I1"}, {254, "I18"}, {255, "L1"},
        {273, "L19"},  {274, "P3"},  {279, "P8"},  {280, "M0"},  {281, "N0"},  {282, "Q0"}};
    for (const auto& [at, key] : landmarks) EXPECT_EQ(Key(plan[at]), key) << at;
}

TEST(UploadAllPlan, RestartsTheSilenceWatchAfterEveryPass) {
    const std::vector<UploadStep>& plan = UploadAllPlan();
    int passes = 0;
    for (const UploadStep& s : plan) passes += s.passEnd ? 1 : 0;
    // The first meters-off, 24 + 4 + 16 + 8 + 18 + 19 + 6 loop passes, the closing three.
    EXPECT_EQ(passes, 1 + 24 + 4 + 16 + 8 + 18 + 19 + 6 + 1);
    EXPECT_TRUE(plan.front().passEnd);
    EXPECT_TRUE(plan.back().passEnd);
    EXPECT_FALSE(plan[1].passEnd);  // A1 is followed by K1 in the same pass
    EXPECT_TRUE(plan[2].passEnd);
}

TEST(UploadAllPlan, EveryStepBuildsAValidMessageOfItsLetter) {
    MixerState state{};
    ResetDefaults(state);
    for (const UploadStep& s : UploadAllPlan()) {
        const std::string message = BuildUploadMessage(state, s);
        ASSERT_GE(message.size(), 3u) << Key(s);
        EXPECT_EQ(message[1], s.letter) << Key(s);
        EXPECT_TRUE(CheckFrame(message)) << message;
    }
    EXPECT_EQ(BuildUploadMessage(state, UploadAllPlan().front()), "%Q,01,00,25E0#");
}

}  // namespace
