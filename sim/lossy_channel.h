#pragma once
// A network that is not to be trusted, for one direction of the simulated
// mixer's traffic: each datagram may be lost, arrive twice, or be held back
// until the next one has passed. Chance is drawn from a function, so that a
// seed replays a run and a test can script every draw.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mixer {

// Probabilities from 0 to 1, per datagram.
struct NetworkFaults {
    double loss = 0;
    double duplicate = 0;
    double reorder = 0;

    bool Any() const { return loss > 0 || duplicate > 0 || reorder > 0; }
};

struct Datagram {
    std::string bytes;
    uint32_t ipv4 = 0;  // the peer: the sender of one received, the receiver of one sent
    uint16_t port = 0;
};

// Uniform in [0, 1).
using Chance = std::function<double()>;

// The two directions draw from streams of their own, so that what one loses
// does not depend on how much traffic the other had.
enum class Direction : uint64_t { kIncoming, kOutgoing };

Chance SeededChance(uint64_t seed, Direction direction);

class LossyChannel {
public:
    // Every datagram takes three draws, loss, duplicate and reorder in that
    // order, whether or not they matter, so a run replays draw for draw.
    LossyChannel(const NetworkFaults& faults, Chance chance);

    // The datagrams to deliver now, in order, for one put in: none, it, it
    // twice, and behind it the one held back before.
    std::vector<Datagram> Pass(Datagram datagram);
    // The datagram held back, given up waiting for another to follow.
    std::vector<Datagram> Release();
    bool Holding() const { return !held_.empty(); }
    // The network changes (a venue's network gets busy); the draws go on.
    void SetFaults(const NetworkFaults& faults) { faults_ = faults; }

private:
    NetworkFaults faults_;
    Chance chance_;
    // One held datagram (with its duplicate) at most: one arriving while
    // another waits goes straight through, so that the waiting one lands
    // after it and neither waits for long.
    std::vector<Datagram> held_;
};

}  // namespace mixer
