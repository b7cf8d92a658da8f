#pragma once
// Runs a timed scene recall's fade on the window's thread: a tick every
// 50 ms (20 updates a second per level at most) writes the levels due on the
// injected clock through the model, so that views, the web remote and OSC
// follow and the outgoing queue keeps the wire within its pacing. Each tick
// joins the recall's undo step. A change of a fading level that is not the
// fade's own stops that level where it is.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>

#include "link/monotonic_clock.h"
#include "model/mixer_model.h"
#include "system/level_fade.h"

namespace mixer {

class SceneFader : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kTick{50};

    explicit SceneFader(MixerModel& model, QObject* parent = nullptr);

    // The clock the fade's times are read from; a test's ManualClock.
    void SetClock(const MonotonicClock& clock) { clock_ = &clock; }
    const MonotonicClock& Clock() const { return *clock_; }

    // A recall is about to replace `live` with `recalled`: the levels that
    // differ will fade over `duration` and keep, in `recalled`, their live
    // values. A fade under way gives way.
    void Prepare(const MixerState& live, MixerState& recalled, std::chrono::milliseconds duration);
    // The recall's undo step, which the fade's edits join (0: none was made).
    void Begin(uint64_t step);
    // Writes what is due now; the timer calls it, a test may too.
    void Tick();
    void Stop();
    bool Running() const { return fade_.Running(); }
    int Fading() const { return fade_.Fading(); }

signals:
    // Every level has arrived or been let go.
    void finished();

private:
    void OnChanged();

    MixerModel& model_;
    SteadyClock steady_;
    const MonotonicClock* clock_ = &steady_;
    LevelFade fade_;
    QTimer timer_;
    uint64_t step_ = 0;
    bool writing_ = false;
};

}  // namespace mixer
