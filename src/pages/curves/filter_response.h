#pragma once
// Magnitude responses, in dB on the frequency grid, of the sections the
// mixer's channel EQ is built from. The curves are for display: they model
// 96 kHz biquads the way the mixer's processor runs them.

#include <array>

#include "pages/curves/frequency_grid.h"

namespace mixer {

using Response = std::array<double, kGridSize>;   // dB at FrequencyGrid()[i]

inline constexpr double kSampleRate = 96000.0;
inline constexpr int kOrderCodeMax = 6;           // order code = filter order - 2

enum class Shelf { kLow, kHigh };

// Peaking band; the centre is snapped to the nearest grid frequency so that
// the peak lands on a drawn point. Gain 0 dB is exactly flat.
Response PeakingResponse(double centreHz, double gainDb, double q);

// Shelving band with a fixed slope; exactly 0 dB gain is exactly flat.
Response ShelfResponse(double cornerHz, Shelf shelf, double gainDb);

// Butterworth-style high- and low-pass filters of order orderCode + 2
// (12 to 48 dB per octave), as a cascade of second-order sections behind one
// first-order section for odd orders.
Response HighPassResponse(double cornerHz, int orderCode);
Response LowPassResponse(double cornerHz, int orderCode);

}  // namespace mixer
