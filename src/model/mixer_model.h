#pragma once
// The one owner of the editor's copy of the mixer. Every change goes through
// it: strips, pages, typed values, control groups, presets, scenes, RESET,
// the mixer's replies and meter reports. It writes the state with the pure
// edit functions, reports exactly what changed to every view, and hands the
// messages that carry an edit to the outgoing queue. Views never refresh one
// another; they listen to `changed`. It keeps the undo history of the user's
// edits, and undo and redo take the same path.

#include <QObject>
#include <functional>
#include <optional>

#include "link/channel_edits.h"
#include "link/mixer_state.h"
#include "model/change_set.h"
#include "model/target_sink.h"
#include "model/undo_history.h"

namespace mixer {

// Where a change came from. Only local changes become undo steps.
enum class Origin {
    Local,
    Device,   // the mixer's replies and reports
    History,  // an undo or redo
};

// What happens to the messages an edit returns.
enum class Sending {
    Now,    // queued at once
    Paced,  // queued on the paced lane: a whole record for a linked channel
    Later,  // not queued: a throttled drag sends them with Send() when its turn comes
    None,   // never: replies from the mixer, or state the full upload will send
};

class MixerModel : public QObject {
    Q_OBJECT

public:
    using Write = std::function<Commands(MixerState&)>;

    explicit MixerModel(QObject* parent = nullptr);

    const MixerState& State() const { return state_; }
    // Direct access for what fills the state in place (the link's parser,
    // a test's set-up); a change made through it is reported by Edit only.
    MixerState& Mirror() { return state_; }

    void SetSink(TargetSink* sink) { sink_ = sink; }

    // Runs `write` on the state, reports what changed and queues the
    // messages it returns as `sending` says.
    void Edit(const Write& write, Sending sending = Sending::Now, Origin origin = Origin::Local);
    // The same for a write that returns nothing to send.
    void Change(const std::function<void(MixerState&)>& write, Origin origin = Origin::Local);
    // Meter levels: reported as metersChanged, without comparing the records.
    void EditMeters(const std::function<bool(MixerState&)>& write);
    // Queues the targets of `commands` (a throttled drag's turn has come).
    void Send(const Commands& commands, bool paced = false);

    // A gesture of the user's: the local edits until the matching EndStep
    // make one undo step (see UndoHistory).
    void BeginStep(const StepLabel& label = {});
    void EndStep();
    // Names the open step, unless something named it before.
    void NameStep(const StepLabel& label);
    const UndoHistory& History() const { return history_; }
    // An edit that finishes step `step` after its gesture ended (a scene's
    // timed levels), sent at once: it joins that step, or, when `step` is 0,
    // makes one named `label` if it changes anything. Returns the step it
    // belongs to (0 while none), or none, writing nothing, when that step
    // has been undone or forgotten meanwhile.
    std::optional<uint64_t> Continue(uint64_t step, const StepLabel& label, const Write& write);

    // Puts back the values of the last step (or, redoing, those an undo took
    // back) and queues only the targets whose texts this changed. Nothing
    // happens while a gesture that changed something is still open. Returns
    // the step applied.
    std::optional<StepLabel> Undo();
    std::optional<StepLabel> Redo();

signals:
    void changed(const mixer::ChangeSet& changes, mixer::Origin origin);
    void metersChanged();
    // Steps were added, undone or redone.
    void historyChanged();
    // A step is about to be undone (`undo`) or redone, so that a switch of
    // the window's own can follow its values.
    void stepApplying(const mixer::StepLabel& label, bool undo);

private:
    std::optional<StepLabel> Apply(bool undo);

    MixerState state_{};
    TargetSink* sink_ = nullptr;
    UndoHistory history_;
};

// One named undo step for the edits made while it lives.
class StepScope {
public:
    StepScope(MixerModel& model, const StepLabel& label) : model_(model) { model_.BeginStep(label); }
    ~StepScope() { model_.EndStep(); }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

private:
    MixerModel& model_;
};

}  // namespace mixer
