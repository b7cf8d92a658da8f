// Targets: each message the mixer can be sent names exactly one target, and
// the text a target builds names it back.

#include "model/target.h"

#include <gtest/gtest.h>

#include <set>

#include "../link/random_state.h"
#include "link/command_apply.h"

using namespace mixer;

namespace {

std::vector<Target> EveryTarget() {
    std::vector<Target> all;
    for (int s = 0; s < kStripCount; ++s) all.insert(all.end(), StripTargets(s).begin(), StripTargets(s).end());
    for (int b = 0; b < kBusCount; ++b) all.insert(all.end(), BusTargets(b).begin(), BusTargets(b).end());
    return all;
}

TEST(Target, EveryTextNamesItsTargetAndEveryTargetHasASlotOfItsOwn) {
    std::mt19937 rng(7);
    const MixerState state = mixer::testing::RandomState(rng);
    const std::vector<Target> all = EveryTarget();
    // 16 A + 4 effect-return A, 18 each of B C E F I J K L O, 72 G, M, N;
    // per bus A D H P, K for the six AUX, L for MAIN.
    EXPECT_EQ(all.size(), 20u + 9 * 18 + 72 + 2 + 4 * 8 + 6 + 1);
    std::set<int> slots;
    for (const Target& t : all) {
        const std::string text = BuildTarget(state, t);
        ASSERT_FALSE(text.empty()) << t.letter << t.index;
        const auto back = TargetOf(text);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(*back, t) << text;
        const int slot = TargetSlot(t);
        EXPECT_TRUE(slot >= 0 && slot < kTargetSlotCount) << text;
        EXPECT_TRUE(slots.insert(slot).second) << text;
    }
}

TEST(Target, TextsThatSetNoStateOrAreBrokenNameNone) {
    for (const char* text : {"%Q,01,01,25E0#", "%Z,01,F143#", "", "%", "%A,01#", "%G,01,03,00,09,0001,4B,14,ABCD#",
                             "%A,01,ZZ,00,46,ABCD#", "%A,01,20,00,46,ABCD#", "A,01,03,00,46,ABCD#"}) {
        EXPECT_FALSE(TargetOf(text)) << text;
    }
}

// What DifferingTargets finds is what a search of every target finds, and
// sending exactly those to a mixer holding one state brings it to the other:
// for states that differ everywhere and for states one command apart.
TEST(Target, DifferingTargetsAreExactlyWhatBringsOneStateToTheOther) {
    std::mt19937 rng(11);
    const std::vector<Target> all = EveryTarget();
    for (int round = 0; round < 40; ++round) {
        MixerState a = mixer::testing::RandomState(rng);
        MixerState b = mixer::testing::RandomState(rng);
        if (round % 2 == 1) {
            b = a;
            const Target& t = all[rng() % all.size()];
            ASSERT_TRUE(ApplyCommand(BuildTarget(mixer::testing::RandomState(rng), t), b));
        }
        std::set<Target> searched;
        for (const Target& t : all) {
            if (BuildTarget(a, t) != BuildTarget(b, t)) searched.insert(t);
        }
        const std::vector<Target> found = DifferingTargets(a, b);
        EXPECT_EQ(std::set<Target>(found.begin(), found.end()), searched) << "round " << round;
        EXPECT_EQ(found.size(), searched.size()) << "each once, round " << round;
        for (const Target& t : found) ASSERT_TRUE(ApplyCommand(BuildTarget(b, t), a));
        EXPECT_TRUE(DifferingTargets(a, b).empty()) << "round " << round;
    }
}

}  // namespace
