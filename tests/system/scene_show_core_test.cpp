// Recall safes and timed recalls as pure logic: which fields a safe keeps,
// the "all" of a row or a kind, and levels that glide, stop when touched and
// give way to the next recall.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

#include "link/monotonic_clock.h"
#include "system/level_fade.h"
#include "system/recall_safes.h"
#include "../link/random_state.h"

using namespace mixer;
using Ms = std::chrono::milliseconds;

namespace {

TEST(RecallSafes, AllOfARowOrAKindTakesOnlyWhatAppliesAndTheProfileTextKeepsIt) {
    RecallSafes safes;
    safes.ToggleKind(kSafePhantom);
    EXPECT_TRUE(safes.KindSafe(kSafePhantom));
    EXPECT_TRUE(safes.Safe(15, kSafePhantom));
    EXPECT_FALSE(safes.Safe(kDelayReturn, kSafePhantom));
    EXPECT_FALSE(safes.Safe(kSafeMainRow, kSafePhantom));
    safes.ToggleRow(kReverbReturn);
    EXPECT_TRUE(safes.RowSafe(kReverbReturn));
    EXPECT_TRUE(safes.Safe(kReverbReturn, kSafeEffects));
    safes.ToggleRow(kSafeRowCount - 1);
    EXPECT_TRUE(safes.RowSafe(kSafeRowCount - 1));
    EXPECT_FALSE(safes.Safe(kSafeRowCount - 1, kSafeSends));
    safes.Set(kSafeMainRow, kSafeSends, true);
    EXPECT_FALSE(safes.Safe(kSafeMainRow, kSafeSends));

    EXPECT_EQ(RecallSafes::FromText(safes.Text()), safes);
    // Bits of cells that do not apply, and words, are not taken.
    EXPECT_EQ(RecallSafes::FromText("127,x,-1").Text(), RecallSafes::FromText("127").Text());
    EXPECT_FALSE(RecallSafes::FromText("").Any());

    safes.ToggleKind(kSafePhantom);
    safes.ToggleRow(kReverbReturn);
    safes.ToggleRow(kSafeRowCount - 1);
    EXPECT_FALSE(safes.Any());
}

TEST(RecallSafes, EachSafeKeepsItsFieldsLiveAndTheRestComesFromTheScene) {
    std::mt19937 rng(6);
    MixerState live = mixer::testing::RandomState(rng);
    MixerState scene = mixer::testing::RandomState(rng);
    live.strips[4].meter = 77;
    live.strips[4].phantom = !scene.strips[4].phantom;
    using Field = std::function<int(const MixerState&)>;
    const struct {
        int row, kind;
        Field kept, taken;  // a field of the safe part, one of the same record that is not
    } cases[] = {
        {4, kSafeFader, [](auto& s) { return s.strips[4].level * 2 + s.strips[4].mute; },
         [](auto& s) { return s.strips[4].pan; }},
        {kDelayReturn, kSafeFader, [](auto& s) { return s.strips[kDelayReturn].level2; },
         [](auto& s) { return s.strips[kDelayReturn].delayParams[kFeedback]; }},
        {4, kSafePan, [](auto& s) { return s.strips[4].pan; }, [](auto& s) { return s.strips[4].level; }},
        {4, kSafeEq, [](auto& s) { return s.strips[4].peqBands[2].freq + s.strips[4].hpfFreq; },
         [](auto& s) { return s.strips[4].comp[kDynRatio]; }},
        {4, kSafeDynamics, [](auto& s) { return s.strips[4].gate[kGateAttack] + s.strips[4].comp[kDynGain]; },
         [](auto& s) { return s.strips[4].auxSend[5]; }},
        {4, kSafeSends, [](auto& s) { return s.strips[4].auxSend[5] + s.strips[4].fxSend[1]; },
         [](auto& s) { return s.strips[4].phantom * 1000 + s.strips[4].lpfFreq; }},
        {kReverbReturn, kSafeEffects, [](auto& s) { return s.strips[kReverbReturn].reverbParams[kRevTime]; },
         [](auto& s) { return s.strips[kReverbReturn].level; }},
        {4, kSafePhantom, [](auto& s) { return s.strips[4].phantom * 2 + s.strips[4].polarity; },
         [](auto& s) { return s.strips[4].solo * 1000 + s.strips[4].gateOn * 100 + s.strips[4].pan; }},
        {kSafeMainRow, kSafeFader, [](auto& s) { return s.buses[0].level + s.buses[1].level * 100; },
         [](auto& s) { return s.buses[0].geqBands[3].gain2; }},
        {kSafeMainRow + 6, kSafeEq, [](auto& s) { return s.buses[7].geqBands[30].gain2; },
         [](auto& s) { return s.buses[7].lim[kDynThreshold]; }},
        {kSafeMainRow + 1, kSafeDynamics, [](auto& s) { return s.buses[2].lim[kDynRatio]; },
         [](auto& s) { return s.buses[2].balance * 1000 + s.buses[2].level; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.row << " " << c.kind);
        ASSERT_NE(c.kept(live), c.kept(scene));
        ASSERT_NE(c.taken(live), c.taken(scene));
        RecallSafes safes;
        safes.Set(c.row, c.kind, true);
        const MixerState recalled = RecalledState(live, scene, safes);
        EXPECT_EQ(c.kept(recalled), c.kept(live));
        EXPECT_EQ(c.taken(recalled), c.taken(scene));
        EXPECT_EQ(recalled.strips[4].meter, 77);
    }
}

class Fade : public ::testing::Test {
protected:
    // Steps the fade every 50 ms until it ends; the values `field` took, in order.
    std::vector<int> Run(MixerState& s, const std::function<int(const MixerState&)>& field) {
        std::vector<int> values;
        while (fade.Running()) {
            clock.Advance(Ms(50));
            fade.Step(s, clock.Now());
            if (values.empty() || values.back() != field(s)) values.push_back(field(s));
        }
        return values;
    }

    ManualClock clock;
    LevelFade fade;
};

TEST_F(Fade, FiveSecondsOfMainFromMinusSixtyToZeroDbGlideInOneDbStepsAndEndExactly) {
    MixerState live{}, scene{};
    scene.buses[0].level = scene.buses[1].level = 60;
    scene.strips[3].pan = 150;
    MixerState recalled = scene;
    fade.Start(live, recalled, Ms(5000), clock.Now());
    EXPECT_EQ(recalled.buses[0].level, 0);  // still where it stands
    EXPECT_EQ(recalled.strips[3].pan, 150);  // switched at once
    EXPECT_EQ(fade.Fading(), 2);

    const std::vector<int> values = Run(recalled, [](const MixerState& s) { return s.buses[0].level; });
    EXPECT_EQ(clock.Now(), Ms(5000));
    // Every dB on the way, one after the other, at 20 steps a second.
    EXPECT_EQ(values.size(), 60u);
    EXPECT_EQ(values.front(), 1);
    EXPECT_EQ(values.back(), 60);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_EQ(recalled.buses[1].level, 60);
}

TEST_F(Fade, ATouchedLevelStopsWhereItIsTheOthersFinishAndASecondRecallTakesOver) {
    MixerState live{}, scene{};
    for (StripRecord& r : scene.strips) r.level = 70, r.auxSend[2] = 40;
    MixerState s = scene;
    fade.Start(live, s, Ms(2000), clock.Now());
    EXPECT_EQ(fade.Fading(), 2 * kStripCount);
    clock.Advance(Ms(1000));
    fade.Step(s, clock.Now());
    ASSERT_EQ(s.strips[1].level, 35);
    s.strips[1].level = 50;  // a hand on the fader
    s.strips[2].auxSend[2] = 20;  // the same value the fade wrote last: not a touch
    fade.StopTouched(s);
    EXPECT_EQ(fade.Fading(), 2 * kStripCount - 1);
    clock.Advance(Ms(500));
    fade.Step(s, clock.Now());
    EXPECT_EQ(s.strips[1].level, 50);

    // A recall back to 0 dB from wherever each fader stands.
    MixerState next = s;
    for (StripRecord& r : next.strips) r.level = 60, r.auxSend[2] = 30;
    fade.Start(s, next, Ms(1000), clock.Now());
    EXPECT_EQ(fade.Fading(), kStripCount);  // the sends stand where the second scene has them
    const std::vector<int> values = Run(next, [](const MixerState& m) { return m.strips[0].level; });
    EXPECT_EQ(values.front(), 53);  // three quarters of the way to +10 dB
    EXPECT_EQ(next.strips[0].level, 60);
    EXPECT_EQ(next.strips[1].level, 60);
    EXPECT_EQ(next.strips[0].auxSend[2], 30);
}

}  // namespace
