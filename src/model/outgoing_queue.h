#pragma once
// What waits to go to the mixer. Targets wait, not datagrams: each target is
// queued at most once and its text is built from the state when it leaves,
// so the newest value always wins, the queue never holds more entries than
// there are targets, and nothing is dropped.
//
// Two lanes share the wire, at least 10 ms apart:
//   - in the order they were queued: targets of the user's edits (a target
//     keeps its first place) and texts that go out as they are (the
//     connection's requests, the full upload), so a request for the state
//     leaves after the edits queued before it;
//   - paced targets (a whole record copied to a linked channel), each of
//     which holds the paced lane for 100 ms after it has left, so the mixer
//     has time to take it; other traffic goes out in that pause.
// A target whose text equals what last went out for it is not sent again:
// an edit that changes nothing sends nothing.

#include <array>
#include <chrono>
#include <deque>
#include <optional>
#include <string>

#include "link/monotonic_clock.h"
#include "model/target.h"

namespace mixer {

class OutgoingQueue {
public:
    using Ms = std::chrono::milliseconds;
    static constexpr Ms kGap{10};
    static constexpr Ms kPacedPause{100};

    explicit OutgoingQueue(const MonotonicClock& clock) : clock_(&clock) {}

    void Push(const Target& target, bool paced = false);
    void PushText(std::string text);

    // The next datagram that may leave now, built from `state`, or none.
    std::optional<std::string> TakeDue(const MixerState& state);
    // Time until TakeDue may give something (zero: now); none when empty.
    std::optional<Ms> NextIn() const;

    bool Empty() const { return lane_.empty() && paced_.empty(); }
    std::size_t Size() const { return lane_.size() + paced_.size(); }
    // The target waits to leave.
    bool Queued(const Target& target) const;
    void Clear();

    // What the mixer holds as of `state` (a full-state reply, for example):
    // a target is sent only when its text differs from this.
    void SetBaseline(const MixerState& state);
    // The same for one target.
    void SetBaselineOf(const Target& target, std::string text);
    // The mixer's state is unknown again: every target goes out.
    void ForgetBaseline();

private:
    struct Entry {
        Target target;
        std::string text;  // sent as it is when not empty
    };

    std::optional<std::string> Take(std::deque<Entry>& lane, const MixerState& state);
    void NoteSent(const std::string& text);

    const MonotonicClock* clock_;
    std::deque<Entry> lane_;
    std::deque<Entry> paced_;
    std::array<bool, kTargetSlotCount> queued_{};
    std::array<std::string, kTargetSlotCount> lastSent_{};
    MonotonicClock::Time lastSend_{};
    MonotonicClock::Time pacedReadyAt_{};
    bool sentBefore_ = false;
};

}  // namespace mixer
