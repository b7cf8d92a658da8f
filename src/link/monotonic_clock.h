#pragma once
// The time source of the link's time-outs. It never jumps with the wall
// clock, and a test replaces it to move time forward without waiting.

#include <chrono>

namespace mixer {

class MonotonicClock {
public:
    using Time = std::chrono::milliseconds;  // since an arbitrary start

    virtual ~MonotonicClock() = default;
    virtual Time Now() const = 0;
};

class SteadyClock final : public MonotonicClock {
public:
    Time Now() const override {
        return std::chrono::duration_cast<Time>(std::chrono::steady_clock::now().time_since_epoch());
    }
};

// Moves only when told to.
class ManualClock final : public MonotonicClock {
public:
    Time Now() const override { return now_; }
    void Advance(Time by) { now_ += by; }

private:
    Time now_{0};
};

}  // namespace mixer
