#include "sim/lossy_channel.h"

#include <memory>
#include <random>
#include <utility>

namespace mixer {

Chance SeededChance(uint64_t seed, Direction direction) {
    std::seed_seq sequence{static_cast<uint32_t>(seed), static_cast<uint32_t>(seed >> 32),
                           static_cast<uint32_t>(direction)};
    auto engine = std::make_shared<std::mt19937_64>(sequence);
    // The top 53 bits as a fraction: the same numbers with every standard
    // library, where uniform_real_distribution may differ.
    return [engine] { return static_cast<double>((*engine)() >> 11) * 0x1.0p-53; };
}

LossyChannel::LossyChannel(const NetworkFaults& faults, Chance chance)
    : faults_(faults), chance_(std::move(chance)) {}

std::vector<Datagram> LossyChannel::Pass(Datagram datagram) {
    if (!faults_.Any()) return {std::move(datagram)};
    const bool lost = chance_() < faults_.loss;
    const bool twice = chance_() < faults_.duplicate;
    const bool hold = chance_() < faults_.reorder;
    std::vector<Datagram> now;
    if (!lost) {
        now.push_back(datagram);
        if (twice) now.push_back(datagram);
    }
    if (!lost && hold && held_.empty()) {
        held_ = std::move(now);
        return {};
    }
    for (Datagram& late : held_) now.push_back(std::move(late));
    held_.clear();
    return now;
}

std::vector<Datagram> LossyChannel::Release() { return std::exchange(held_, {}); }

}  // namespace mixer
