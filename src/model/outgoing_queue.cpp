#include "model/outgoing_queue.h"

#include <algorithm>

namespace mixer {

void OutgoingQueue::Push(const Target& target, bool paced) {
    const int slot = TargetSlot(target);
    if (slot < 0 || slot >= kTargetSlotCount || queued_[slot]) return;
    queued_[slot] = true;
    (paced ? paced_ : lane_).push_back({target, {}});
}

void OutgoingQueue::PushText(std::string text) {
    if (!text.empty()) lane_.push_back({{}, std::move(text)});
}

void OutgoingQueue::Clear() {
    lane_.clear();
    paced_.clear();
    queued_.fill(false);
}

void OutgoingQueue::SetBaseline(const MixerState& state) {
    ForgetBaseline();
    for (const Target& t : AllTargets()) lastSent_[TargetSlot(t)] = BuildTarget(state, t);
}

void OutgoingQueue::SetBaselineOf(const Target& target, std::string text) {
    lastSent_[TargetSlot(target)] = std::move(text);
}

bool OutgoingQueue::Queued(const Target& target) const { return queued_[TargetSlot(target)]; }

void OutgoingQueue::ForgetBaseline() {
    for (std::string& text : lastSent_) text.clear();
}

void OutgoingQueue::NoteSent(const std::string& text) {
    // A text sent as it is (the full upload) tells what the mixer holds too.
    if (const auto target = TargetOf(text)) lastSent_[TargetSlot(*target)] = text;
}

std::optional<std::string> OutgoingQueue::Take(std::deque<Entry>& lane, const MixerState& state) {
    while (!lane.empty()) {
        Entry entry = std::move(lane.front());
        lane.pop_front();
        if (!entry.text.empty()) return std::move(entry.text);
        const int slot = TargetSlot(entry.target);
        queued_[slot] = false;
        std::string text = BuildTarget(state, entry.target);
        if (!text.empty() && text != lastSent_[slot]) return text;
    }
    return std::nullopt;
}

std::optional<std::string> OutgoingQueue::TakeDue(const MixerState& state) {
    const MonotonicClock::Time now = clock_->Now();
    if (sentBefore_ && now - lastSend_ < kGap) return std::nullopt;
    std::optional<std::string> text;
    if (!paced_.empty() && now >= pacedReadyAt_) {
        text = Take(paced_, state);
        // The clock counts whole milliseconds: one more keeps the real pause
        // at 100 ms or longer.
        if (text) pacedReadyAt_ = now + kPacedPause + Ms(1);
    }
    if (!text) text = Take(lane_, state);
    if (!text) return std::nullopt;
    NoteSent(*text);
    lastSend_ = now;
    sentBefore_ = true;
    return text;
}

std::optional<OutgoingQueue::Ms> OutgoingQueue::NextIn() const {
    if (Empty()) return std::nullopt;
    const MonotonicClock::Time now = clock_->Now();
    Ms wait = sentBefore_ ? std::max(Ms(0), lastSend_ + kGap - now) : Ms(0);
    if (lane_.empty()) wait = std::max(wait, pacedReadyAt_ - now);
    return wait;
}

}  // namespace mixer
