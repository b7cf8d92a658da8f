#include "link/send_queue.h"

namespace mixer {

SendQueue::SendQueue(Sender sender, QObject* parent) : QObject(parent), sender_(std::move(sender)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SendQueue::SendDue);
}

bool SendQueue::Enqueue(Datagram datagram) {
    if (pending_.size() >= kCapacity) return false;
    pending_.push_back(std::move(datagram));
    if (!timer_.isActive()) SendDue();
    return true;
}

void SendQueue::Clear() {
    pending_.clear();
    timer_.stop();
}

void SendQueue::SendDue() {
    if (pending_.empty()) return;
    const auto now = std::chrono::steady_clock::now();
    if (sentBefore_ && now - lastSend_ < kGap) {
        // A timer may wake a little early; wait out the rest of the gap.
        const auto rest = std::chrono::ceil<std::chrono::milliseconds>(kGap - (now - lastSend_));
        timer_.start(rest);
        return;
    }
    const Datagram next = std::move(pending_.front());
    pending_.pop_front();
    sender_(next);
    lastSend_ = std::chrono::steady_clock::now();
    sentBefore_ = true;
    if (pending_.empty()) emit drained();
    else timer_.start(kGap);
}

}  // namespace mixer
