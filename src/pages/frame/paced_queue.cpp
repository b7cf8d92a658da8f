#include "pages/frame/paced_queue.h"

#include <algorithm>

namespace mixer {

void PacedQueue::Push(Build build, Ms pauseAfter) {
    steps_.push_back({std::move(build), std::max(pauseAfter, Ms(0))});
}

Commands PacedQueue::TakeDue() {
    Commands due;
    const MonotonicClock::Time now = clock_->Now();
    while (!steps_.empty() && now >= readyAt_) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        Commands built = step.build();
        due.insert(due.end(), built.begin(), built.end());
        readyAt_ = now + step.pauseAfter;
    }
    return due;
}

std::optional<PacedQueue::Ms> PacedQueue::NextIn() const {
    if (steps_.empty()) return std::nullopt;
    return std::max(Ms(0), std::chrono::duration_cast<Ms>(readyAt_ - clock_->Now()));
}

}  // namespace mixer
