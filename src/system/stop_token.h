#pragma once
// Tells a worker thread to end, and lets its pauses end early when told.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace mixer {

class StopToken {
public:
    void Request() {
        {
            std::lock_guard lock(mutex_);
            requested_ = true;
        }
        wake_.notify_all();
    }

    bool Requested() const {
        std::lock_guard lock(mutex_);
        return requested_;
    }

    // Waits ms milliseconds; false (at once) when an end is requested.
    bool Wait(int ms) {
        std::unique_lock lock(mutex_);
        return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return requested_; });
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool requested_ = false;
};

}  // namespace mixer
