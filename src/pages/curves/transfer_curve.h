#pragma once
// Static input/output level curves of the gate, the compressor and the
// limiter, as the dynamics pages draw them: a few straight segments in dB.

#include <array>

namespace mixer {

inline constexpr double kTransferMinDb = -60.0;
inline constexpr double kTransferMaxDb = 0.0;

// Corner points from the lowest input level (-60 dB) to 0 dB, in input order;
// two corners may share an input level where the curve steps.
struct TransferLine {
    int count = 0;
    std::array<double, 4> input{};
    std::array<double, 4> output{};
};

// Unity above the threshold; below it the level drops by rangeDb.
TransferLine GateTransfer(double thresholdDb, double rangeDb);

// Unity below the threshold, slope 1/ratio above it, all lifted by the
// make-up gain. Ratios below 1 are taken as 1.
TransferLine CompressorTransfer(double thresholdDb, double ratio, double gainDb);

}  // namespace mixer
