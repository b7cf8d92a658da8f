#pragma once
// The fixed frequencies at which every response curve is evaluated and drawn:
// 241 points from 19.71 Hz to 20 kHz, about 24 to the octave.

#include <array>

namespace mixer {

inline constexpr int kGridSize = 241;

// Strictly ascending, in Hz.
const std::array<double, kGridSize>& FrequencyGrid();

// Index of the grid frequency nearest to hz. Half-way between two grid values
// gives the upper one; anything at or below the first value gives 0 and
// anything above the last gives kGridSize - 1 (NaN gives 0).
int GridIndex(double hz);

}  // namespace mixer
