// The undo history: what makes a step, what an undo writes back and what it
// leaves alone.

#include <gtest/gtest.h>

#include <functional>

#include "model/undo_history.h"

using namespace mixer;

namespace {

// A local edit, recorded as the model records it.
void Local(UndoHistory& history, MixerState& s, const std::function<void(MixerState&)>& write) {
    const MixerState before = s;
    write(s);
    history.Record(before, s);
}

TEST(UndoHistory, AGestureIsOneStepThatPutsBackOnlyWhatItsOwnEditsChanged) {
    UndoHistory history;
    MixerState s{};
    s.strips[0].level = 10;
    history.Begin();
    history.Begin({StepAction::PeqReset, 4});  // a nested gesture joins
    Local(history, s, [](MixerState& m) { m.strips[0].level = 20; });
    history.End();
    // The mixer's reports in the middle of the gesture are not local edits.
    s.strips[0].level = 25;
    s.strips[1].level = 55;
    Local(history, s, [](MixerState& m) {
        m.strips[0].level = m.strips[2].level = 30;
        SetName(m.strips[2].name, "Kick");
        m.strips[2].meter = 9;
    });
    EXPECT_FALSE(history.Undo(s));  // still under way
    history.End();
    // Names and meters alone, and a drag back to where it started, make no step.
    Local(history, s, [](MixerState& m) { m.buses[0].meter2 = 4; });
    history.Begin();
    Local(history, s, [](MixerState& m) { m.buses[2].level = 44; });
    Local(history, s, [](MixerState& m) { m.buses[2].level = 0; });
    history.End();

    ASSERT_EQ(history.UndoCount(), 1u);
    EXPECT_EQ(*history.UndoLabel(), (StepLabel{StepAction::PeqReset, 4}));
    ASSERT_TRUE(history.Undo(s));
    EXPECT_EQ(s.strips[0].level, 10);
    EXPECT_EQ(s.strips[2].level, 0);
    EXPECT_EQ(s.strips[1].level, 55);
    EXPECT_STREQ(s.strips[2].name, "Kick");
    EXPECT_EQ(s.strips[2].meter, 9);
    ASSERT_TRUE(history.Redo(s));
    EXPECT_EQ(s.strips[0].level, 30);
}

TEST(UndoHistory, ALoneEditIsAStepANewStepDropsTheRedoBranchAndTheDepthIsBounded) {
    UndoHistory history;
    MixerState s{};
    for (std::size_t k = 1; k <= UndoHistory::kDepth + 5; ++k) {
        Local(history, s, [&](MixerState& m) { m.buses[k % kBusCount].balance = static_cast<int32_t>(k); });
    }
    EXPECT_EQ(history.UndoCount(), UndoHistory::kDepth);
    EXPECT_EQ(*history.UndoLabel(), (StepLabel{StepAction::Edit, kFirstOutputChannel + 5}));
    ASSERT_TRUE(history.Undo(s) && history.Undo(s));
    Local(history, s, [](MixerState& m) { m.strips[0].solo = 1; });
    EXPECT_EQ(history.RedoCount(), 0u);
    EXPECT_EQ(history.UndoCount(), UndoHistory::kDepth - 1);
}

}  // namespace

namespace {

// A scene's fade finishes its recall's step after later steps were made,
// and makes one of its own when the recall changed nothing else.
TEST(UndoHistory, LaterEditsExtendTheirStepWhereverItStandsUntilItIsUndone) {
    UndoHistory history;
    MixerState s{};
    Local(history, s, [](MixerState& m) { m.strips[0].pan = 30; });
    const uint64_t recall = history.LastStep();
    Local(history, s, [](MixerState& m) { m.strips[5].mute = 1; });
    const auto extend = [&](uint64_t step, int level) {
        const MixerState before = s;
        s.buses[0].level = level;
        return history.Extend(step, before, s);
    };
    EXPECT_TRUE(extend(recall, 40));
    EXPECT_TRUE(extend(recall, 60));
    EXPECT_FALSE(extend(0, 61));
    ASSERT_TRUE(history.Undo(s));
    EXPECT_EQ(s.strips[5].mute, 0);
    EXPECT_EQ(s.buses[0].level, 61);
    ASSERT_TRUE(history.Undo(s));
    EXPECT_EQ(s.buses[0].level, 0);
    EXPECT_EQ(s.strips[0].pan, 0);
    EXPECT_FALSE(extend(recall, 50));

    MixerState moved = s;
    moved.buses[0].level = 20;
    const uint64_t own = history.Add({StepAction::SceneRecall}, s, moved);
    EXPECT_GT(own, recall);
    EXPECT_EQ(history.UndoLabel()->action, StepAction::SceneRecall);
    EXPECT_EQ(history.RedoCount(), 0u);
    EXPECT_EQ(history.Add({StepAction::SceneRecall}, s, s), 0u);
}

}  // namespace
