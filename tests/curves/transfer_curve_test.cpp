#include "pages/curves/transfer_curve.h"

#include <gtest/gtest.h>

#include <limits>

namespace mixer {
namespace {

// Output level at an input level, read off the corners as the graph draws
// them (straight lines between corners; at a step the upper corner wins).
double OutputAt(const TransferLine& line, double input) {
    for (int i = line.count - 1; i > 0; --i) {
        const double x0 = line.input[i - 1], x1 = line.input[i];
        if (input >= x0 && input <= x1) {
            if (x1 == x0) return line.output[i];
            return line.output[i - 1] + (input - x0) / (x1 - x0) * (line.output[i] - line.output[i - 1]);
        }
    }
    return std::numeric_limits<double>::quiet_NaN();
}

TEST(CompressorTransfer, IsUnityBelowTheThresholdAndOneOverRatioAbove) {
    const TransferLine line = CompressorTransfer(-30.0, 4.0, 0.0);
    EXPECT_DOUBLE_EQ(line.input.front(), kTransferMinDb);
    EXPECT_DOUBLE_EQ(line.input[line.count - 1], kTransferMaxDb);
    EXPECT_DOUBLE_EQ(OutputAt(line, -50.0), -50.0);
    EXPECT_DOUBLE_EQ(OutputAt(line, -30.0), -30.0);
    EXPECT_DOUBLE_EQ(OutputAt(line, -10.0), -25.0);
    // The corner over 0 dB input is where the compressor page puts its ratio
    // handle: T (1 - 1/R).
    EXPECT_DOUBLE_EQ(OutputAt(line, 0.0), -30.0 * (1 - 1 / 4.0));
}

TEST(CompressorTransfer, MakeUpGainLiftsTheWholeLine) {
    const TransferLine plain = CompressorTransfer(-20.0, 2.0, 0.0);
    const TransferLine lifted = CompressorTransfer(-20.0, 2.0, 6.5);
    for (double in : {-60.0, -40.0, -20.0, -5.0, 0.0})
        EXPECT_DOUBLE_EQ(OutputAt(lifted, in), OutputAt(plain, in) + 6.5);
    EXPECT_DOUBLE_EQ(OutputAt(lifted, -60.0), -60.0 + 6.5);
}

TEST(CompressorTransfer, KeepsRatioAndThresholdInRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double ratio : {0.0, -3.0, 0.5, nan}) {
        const TransferLine line = CompressorTransfer(-30.0, ratio, 0.0);
        EXPECT_DOUBLE_EQ(OutputAt(line, -10.0), -10.0) << ratio;
    }
    const TransferLine high = CompressorTransfer(12.0, 4.0, 0.0);
    EXPECT_DOUBLE_EQ(OutputAt(high, -1.0), -1.0);
    const TransferLine low = CompressorTransfer(-90.0, 2.0, 0.0);
    EXPECT_DOUBLE_EQ(OutputAt(low, -40.0), -60.0 + 20.0 / 2.0);
}

TEST(GateTransfer, StepsDownByTheRangeBelowTheThreshold) {
    const TransferLine line = GateTransfer(-40.0, 20.0);
    EXPECT_DOUBLE_EQ(OutputAt(line, -20.0), -20.0);
    EXPECT_DOUBLE_EQ(OutputAt(line, -40.0), -40.0);
    EXPECT_DOUBLE_EQ(OutputAt(line, -40.5), -60.5);
    EXPECT_DOUBLE_EQ(OutputAt(line, -60.0), -80.0);
    const TransferLine open = GateTransfer(-40.0, -5.0);
    EXPECT_DOUBLE_EQ(OutputAt(open, -50.0), -50.0);
}

}  // namespace
}  // namespace mixer
