#include "sim/faulty_path.h"

#include <utility>

namespace mixer {

FaultyPath::FaultyPath(const NetworkFaults& faults, Chance chance, Deliver deliver)
    : channel_(faults, std::move(chance)), deliver_(std::move(deliver)) {
    release_.setSingleShot(true);
    release_.setInterval(kHoldMs);
    QObject::connect(&release_, &QTimer::timeout, [this] { DeliverAll(channel_.Release()); });
}

void FaultyPath::Pass(Datagram datagram) {
    const std::vector<Datagram> now = channel_.Pass(std::move(datagram));
    if (!channel_.Holding()) release_.stop();
    else if (!release_.isActive()) release_.start();
    DeliverAll(now);
}

void FaultyPath::Clear() {
    release_.stop();
    channel_.Release();
}

void FaultyPath::DeliverAll(const std::vector<Datagram>& datagrams) {
    for (const Datagram& d : datagrams) deliver_(d);
}

}  // namespace mixer
