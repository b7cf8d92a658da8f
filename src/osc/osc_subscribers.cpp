#include "osc/osc_subscribers.h"

#include <algorithm>

namespace mixer {

bool OscSubscribers::Renew(const OscPeer& peer, MonotonicClock::Time now) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.peer == peer; });
    if (found != entries_.end()) {
        found->renewed = now;
        return true;
    }
    if (entries_.size() >= kMaxPeers) return false;
    entries_.push_back({peer, now});
    return true;
}

void OscSubscribers::Expire(MonotonicClock::Time now) {
    std::erase_if(entries_, [&](const Entry& e) { return now - e.renewed >= kLifetime; });
}

std::vector<OscPeer> OscSubscribers::Peers() const {
    std::vector<OscPeer> peers;
    for (const Entry& e : entries_) peers.push_back(e.peer);
    return peers;
}

}  // namespace mixer
