#pragma once
// Paces the sends of a dragged curve point. While the button is held, a move
// goes out only when more than the span time has passed since the last send;
// every move is remembered as pending, and the page's 50 ms timer sends the
// pending point once it has rested 200 ms, so the last position of a drag
// always reaches the mixer. Moves without the button held (the start and end
// of a drag, freehand strokes, double clicks) go out at once.
//
// Times come from the injected monotonic clock: a wall clock would jump at
// midnight or when the user sets the time, and stall or flood the sends.

#include <chrono>
#include <optional>

#include "link/monotonic_clock.h"

namespace mixer {

class DragThrottle {
public:
    using Ms = std::chrono::milliseconds;
    static constexpr Ms kTick{50};     // the page timer's period
    static constexpr Ms kSettle{200};  // rest before the pending point is sent

    explicit DragThrottle(const MonotonicClock& clock) : clock_(&clock) {}

    void SetClock(const MonotonicClock& clock) { clock_ = &clock; }

    // A point moved; true when it is to be sent now. spanMs is read at every
    // move so that a changed span time applies at once (negative counts as 0).
    bool OnMove(int point, bool held, int spanMs);
    // The page timer: the pending point when it is due, which is then cleared.
    std::optional<int> OnTick();
    // The pending point regardless of its age, cleared: before the page
    // changes channel or is hidden, so that no drag is lost.
    std::optional<int> TakePending();
    bool HasPending() const { return pending_.has_value(); }

private:
    struct Pending {
        int point;
        MonotonicClock::Time changed;
    };

    const MonotonicClock* clock_;
    MonotonicClock::Time reference_{};
    std::optional<Pending> pending_;
};

}  // namespace mixer
