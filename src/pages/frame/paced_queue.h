#pragma once
// Commands that must keep a pause after each send (a whole EQ copied to a
// linked channel waits 100 ms after every command). The queue only says what
// is due; a timer on the page drives it, so the window never blocks.
//
// Each step builds its commands when it is sent, from the state as it is
// then: an edit made while a sequence is still running is never overwritten
// by an older value that was waiting in the queue.

#include <chrono>
#include <deque>
#include <functional>
#include <optional>

#include "link/channel_edits.h"
#include "link/monotonic_clock.h"

namespace mixer {

class PacedQueue {
public:
    using Ms = std::chrono::milliseconds;
    using Build = std::function<Commands()>;

    explicit PacedQueue(const MonotonicClock& clock) : clock_(&clock) {}
    void SetClock(const MonotonicClock& clock) { clock_ = &clock; }

    // Appends a step; the step after it waits pauseAfter once it is sent.
    void Push(Build build, Ms pauseAfter);
    // The commands of every step that is due now, in order.
    Commands TakeDue();
    // Time until the next step is due (zero when it is due); none when empty.
    std::optional<Ms> NextIn() const;
    bool Empty() const { return steps_.empty(); }

private:
    struct Step {
        Build build;
        Ms pauseAfter;
    };

    const MonotonicClock* clock_;
    std::deque<Step> steps_;
    MonotonicClock::Time readyAt_{};
};

}  // namespace mixer
