#pragma once
// The session's undo history of the mirror. A step is one gesture of the
// user's: every local edit between Begin and its matching End (a drag from
// press to release, a recall with what the control groups repeat), or a
// single edit made outside any gesture. For each 32-bit word of the state
// that its edits changed, a step keeps the value before its first edit and
// after its last. So undo puts back only what the step itself changed, and
// a value the mixer reported meanwhile stays as reported; and a step costs
// what it changed, not the state's size.
//
// Names and meter levels are no part of the history: names are the user's
// work and stay as they are now, meters are measurements.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "link/mixer_state.h"

namespace mixer {

// What a step did, as its tooltip and the value display name it.
enum class StepAction : uint8_t {
    None,          // not named (yet)
    Parameter,     // one parameter of `channel`, numbered `kind` as the value display numbers them
    Edit,          // changes of `channel` that nothing named
    PeqReset,
    GeqReset,
    GeqStroke,
    GateReset,
    CompReset,
    LimiterReset,
    EffectReset,
    Bypass,
    PresetRecall,
    Phantom,
    SendPoint,
    SceneRecall,
    ClearMute,
    ClearSolo,
    MuteGroup,
    DeviceReset,
};

struct StepLabel {
    StepAction action = StepAction::None;
    int channel = -1;  // 0..17 strips, 18..25 buses (18 + bus); -1: the whole console
    int kind = 0;      // Parameter only
    // A switch of the window's own that the step moved with the values (the
    // engaged mute group 0..4, BYPASS 0 or 1), before and after the step.
    int switchBefore = 0;
    int switchAfter = 0;
    bool operator==(const StepLabel&) const = default;
};

class UndoHistory {
public:
    // The oldest steps are forgotten beyond this many.
    static constexpr std::size_t kDepth = 1000;

    // A gesture begins; nested gestures join the outermost one, whose step the
    // first label given names.
    void Begin(const StepLabel& label = {});
    // The gesture ends; the outermost end makes its step, unless its edits
    // changed nothing in the end. True when a step was made. An End without
    // a Begin does nothing.
    bool End();
    bool IsOpen() const { return depth_ > 0; }
    // Names the open step, unless something named it before.
    void Name(const StepLabel& label);
    // A local edit took the state from `before` to `after`: part of the open
    // step, or a step of its own when no gesture is open (then true when a
    // step was made).
    bool Record(const MixerState& before, const MixerState& after);

    // The step made last, to be extended later; 0 when there is none. Steps
    // are numbered from 1 as they are made.
    uint64_t LastStep() const { return done_.empty() ? 0 : done_.back().id; }
    // Edits that finish step `id` after it was made (a scene's timed levels)
    // join it, wherever it stands among the steps done. False, recording
    // nothing, when it is undone or forgotten.
    bool Extend(uint64_t id, const MixerState& before, const MixerState& after);
    // A step of its own for such an edit when its gesture made none, whatever
    // gesture is open now. Returns its number, 0 when it changed nothing.
    uint64_t Add(const StepLabel& label, const MixerState& before, const MixerState& after);

    std::size_t UndoCount() const { return done_.size(); }
    std::size_t RedoCount() const { return undone_.size(); }
    // The step Undo or Redo would apply; null when there is none.
    const StepLabel* UndoLabel() const { return done_.empty() ? nullptr : &done_.back().label; }
    const StepLabel* RedoLabel() const { return undone_.empty() ? nullptr : &undone_.back().label; }
    // An open gesture has changed something: undo and redo wait for its end.
    bool Busy() const { return depth_ > 0 && !open_.words.empty(); }

    // Writes the last step's values back (or the last undone step's values
    // forward again). False when there is nothing to apply or Busy().
    bool Undo(MixerState& s);
    bool Redo(MixerState& s);

private:
    struct Word {
        uint32_t index;  // of the 32-bit words of MixerState
        int32_t before;
        int32_t after;
    };
    struct Step {
        StepLabel label;
        std::vector<Word> words;  // by index
        uint64_t id = 0;
    };

    bool Commit();
    void Push(Step step);
    static std::vector<Word> ChangedWords(const MixerState& before, const MixerState& after);
    // Adds `changed` to `step`; a word the step changed before keeps its first value.
    static void Merge(Step& step, const std::vector<Word>& changed);

    std::deque<Step> done_;
    std::vector<Step> undone_;
    Step open_;
    int depth_ = 0;
    uint64_t made_ = 0;
};

}  // namespace mixer
