#include "pages/curves/transfer_curve.h"

#include <algorithm>
#include <cmath>

namespace mixer {

namespace {

double Threshold(double thresholdDb) {
    if (std::isnan(thresholdDb)) return kTransferMaxDb;
    return std::clamp(thresholdDb, kTransferMinDb, kTransferMaxDb);
}

}  // namespace

TransferLine GateTransfer(double thresholdDb, double rangeDb) {
    const double t = Threshold(thresholdDb);
    const double range = std::isnan(rangeDb) ? 0.0 : std::max(0.0, rangeDb);
    TransferLine line;
    line.count = 4;
    line.input = {kTransferMinDb, t, t, kTransferMaxDb};
    line.output = {kTransferMinDb - range, t - range, t, kTransferMaxDb};
    return line;
}

TransferLine CompressorTransfer(double thresholdDb, double ratio, double gainDb) {
    const double t = Threshold(thresholdDb);
    const double r = ratio >= 1.0 ? ratio : 1.0;   // also catches NaN
    const double g = std::isnan(gainDb) ? 0.0 : gainDb;
    TransferLine line;
    line.count = 3;
    line.input = {kTransferMinDb, t, kTransferMaxDb};
    line.output = {kTransferMinDb + g, t + g, t + (kTransferMaxDb - t) / r + g};
    return line;
}

}  // namespace mixer
