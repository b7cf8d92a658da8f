#pragma once
// The clients that asked to be told about changes: each renews its
// subscription every few seconds and is dropped once it has not for 10 s,
// so that a client that went away costs nothing for long. At most 16, so
// that a flood of subscriptions cannot multiply the feedback without bound.

#include <chrono>
#include <cstdint>
#include <vector>

#include "link/monotonic_clock.h"

namespace mixer {

struct OscPeer {
    uint32_t address = 0;  // IPv4, host order
    uint16_t port = 0;
    bool operator==(const OscPeer&) const = default;
};

class OscSubscribers {
public:
    static constexpr std::size_t kMaxPeers = 16;
    static constexpr std::chrono::milliseconds kLifetime{10000};

    // Adds the peer or renews its subscription; false for a new peer while
    // the table is full.
    bool Renew(const OscPeer& peer, MonotonicClock::Time now);
    // Drops every peer not renewed for kLifetime.
    void Expire(MonotonicClock::Time now);

    std::vector<OscPeer> Peers() const;
    bool Empty() const { return entries_.empty(); }

private:
    struct Entry {
        OscPeer peer;
        MonotonicClock::Time renewed;
    };
    std::vector<Entry> entries_;
};

}  // namespace mixer
