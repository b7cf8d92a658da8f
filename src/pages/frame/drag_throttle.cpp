#include "pages/frame/drag_throttle.h"

#include <algorithm>

namespace mixer {

bool DragThrottle::OnMove(int point, bool held, int spanMs) {
    const MonotonicClock::Time now = clock_->Now();
    if (!held) {
        reference_ = now;
        // What goes out now is the point's latest value.
        if (pending_ && pending_->point == point) pending_.reset();
        return true;
    }
    pending_ = Pending{point, now};
    if (now - reference_ > Ms(std::max(spanMs, 0))) {
        reference_ = now;
        return true;
    }
    return false;
}

std::optional<int> DragThrottle::OnTick() {
    if (!pending_ || clock_->Now() - pending_->changed <= kSettle) return std::nullopt;
    return TakePending();
}

std::optional<int> DragThrottle::TakePending() {
    if (!pending_) return std::nullopt;
    const int point = pending_->point;
    pending_.reset();
    return point;
}

}  // namespace mixer
