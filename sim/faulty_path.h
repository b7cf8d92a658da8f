#pragma once
// One direction of the simulated mixer's traffic through a LossyChannel. A
// datagram held back goes out behind the next one or, when none follows in
// time, on its own: holding one back never loses it.

#include <QTimer>
#include <functional>
#include <vector>

#include "sim/lossy_channel.h"

namespace mixer {

// Long enough to land behind a datagram that follows at once (the pieces of a
// reply), short enough that a lone request is not taken for lost.
inline constexpr int kHoldMs = 30;

class FaultyPath {
public:
    using Deliver = std::function<void(const Datagram&)>;

    FaultyPath(const NetworkFaults& faults, Chance chance, Deliver deliver);

    void Pass(Datagram datagram);
    // Forgets a datagram held back, as the network of a stopped mixer does.
    void Clear();
    void SetFaults(const NetworkFaults& faults) { channel_.SetFaults(faults); }

private:
    void DeliverAll(const std::vector<Datagram>& datagrams);

    LossyChannel channel_;
    Deliver deliver_;
    QTimer release_;
};

}  // namespace mixer
