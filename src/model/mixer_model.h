#pragma once
// The one owner of the editor's copy of the mixer. Every change goes through
// it: strips, pages, typed values, control groups, presets, scenes, RESET,
// the mixer's replies and meter reports. It writes the state with the pure
// edit functions, reports exactly what changed to every view, and hands the
// messages that carry an edit to the outgoing queue. Views never refresh one
// another; they listen to `changed`.

#include <QObject>
#include <functional>

#include "link/channel_edits.h"
#include "link/mixer_state.h"
#include "model/change_set.h"
#include "model/target_sink.h"

namespace mixer {

// Where a change came from.
enum class Origin { Local, Device };

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

signals:
    void changed(const mixer::ChangeSet& changes, mixer::Origin origin);
    void metersChanged();

private:
    MixerState state_{};
    TargetSink* sink_ = nullptr;
};

}  // namespace mixer
