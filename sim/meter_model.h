#pragma once
// Made-up programme material for the simulated mixer's meters: every input
// carries a signal whose loudness wanders, and each meter shows it after the
// faders, sends and mutes of the mixer's state, so that a user sees the
// meters follow the console.

#include <array>
#include <cstdint>
#include <random>

#include "link/mixer_state.h"

namespace mixer {

class MeterModel {
public:
    explicit MeterModel(uint32_t seed = 1);

    // Moves the signals one report on and writes every meter field of state.
    void Step(MixerState& state);

private:
    std::mt19937 rng_;
    std::array<double, kInputCount> sourceDb_{};  // slow wander of each input
};

}  // namespace mixer
