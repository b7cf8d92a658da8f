#include "pages/curves/filter_response.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace mixer {
namespace {

const auto& Grid() { return FrequencyGrid(); }

double At(const Response& r, double hz) { return r[GridIndex(hz)]; }

// Ideal Butterworth magnitude of order n, carried to 96 kHz by the bilinear
// transform with the corner prewarped: the reference every high- and
// low-pass must follow, whatever sections it is built from.
double IdealDb(double hz, double cornerHz, int order, bool highPass) {
    const double k = std::numbers::pi / kSampleRate;
    const double omega = std::tan(k * hz) / std::tan(k * cornerHz);
    const double ratio = highPass ? 1.0 / omega : omega;
    return -10.0 * std::log10(1.0 + std::pow(ratio, 2 * order));
}

void ExpectFlat(const Response& r) {
    for (int i = 0; i < kGridSize; ++i) ASSERT_EQ(r[i], 0.0) << "row " << i;
}

void ExpectFinite(const Response& r) {
    for (int i = 0; i < kGridSize; ++i) ASSERT_TRUE(std::isfinite(r[i])) << "row " << i;
}

TEST(HighPass, TwelveDbPerOctaveAtOneKilohertz) {
    const Response r = HighPassResponse(1000.0, 0);
    EXPECT_NEAR(At(r, 1000), -3.0, 0.1);
    EXPECT_NEAR(At(r, 500), -12.3, 0.3);
    EXPECT_NEAR(At(r, 250) - At(r, 125), 12.0, 0.3);
    EXPECT_NEAR(At(r, 125) - At(r, 62.49), 12.0, 0.3);
    EXPECT_NEAR(At(r, 20000), 0.0, 0.01);
}

TEST(HighPassAndLowPass, FollowTheIdealButterworthOfEveryOrder) {
    for (int code = 0; code <= kOrderCodeMax; ++code) {
        for (double corner : {100.0, 1000.0, 5000.0}) {
            const Response hp = HighPassResponse(corner, code);
            const Response lp = LowPassResponse(corner, code);
            for (int i = 0; i < kGridSize; ++i) {
                const double hz = Grid()[i];
                const double idealHp = IdealDb(hz, corner, code + 2, true);
                const double idealLp = IdealDb(hz, corner, code + 2, false);
                if (idealHp > -80) {
                    ASSERT_NEAR(hp[i], idealHp, 0.15) << "code " << code << " at " << hz;
                }
                if (idealLp > -80) {
                    ASSERT_NEAR(lp[i], idealLp, 0.15) << "code " << code << " at " << hz;
                }
            }
        }
    }
}

TEST(HighPassAndLowPass, FallSixDbPerOctavePerOrderFarFromTheCorner) {
    for (int code = 0; code <= kOrderCodeMax; ++code) {
        const double slope = 6.0 * (code + 2);
        const Response hp = HighPassResponse(8000.0, code);
        EXPECT_NEAR(hp[GridIndex(1000)] - hp[GridIndex(500)], slope, 0.1 * slope) << "code " << code;
        const Response lp = LowPassResponse(200.0, code);
        EXPECT_NEAR(lp[GridIndex(800)] - lp[GridIndex(1600)], slope, 0.1 * slope) << "code " << code;
    }
}

TEST(HighPassAndLowPass, OrderCodesOutsideTheTableAreClamped) {
    EXPECT_EQ(HighPassResponse(1000, -3), HighPassResponse(1000, 0));
    EXPECT_EQ(LowPassResponse(1000, 99), LowPassResponse(1000, kOrderCodeMax));
}

TEST(Peaking, PeaksAtItsGainOnTheGridPointOfItsCentre) {
    const Response r = PeakingResponse(1000.0, 6.0, 2.0);
    const int centre = GridIndex(1000.0);
    EXPECT_NEAR(r[centre], 6.0, 1e-6);
    for (int i = 0; i < kGridSize; ++i) EXPECT_LE(r[i], r[centre] + 1e-9);
    // 1/Q is the width in half-octaves at half the boost in dB.
    EXPECT_NEAR(At(r, 707), 3.0, 0.05);
    EXPECT_NEAR(At(r, 1414), 3.0, 0.05);
    EXPECT_NEAR(At(r, 20), 0.0, 0.01);
    EXPECT_NEAR(At(r, 20000), 0.0, 0.01);
}

TEST(Peaking, SnapsAnOffGridCentreToTheNearestGridFrequency) {
    const Response r = PeakingResponse(1010.0, -9.5, 4.0);
    EXPECT_NEAR(r[GridIndex(1000.0)], -9.5, 1e-6);
    EXPECT_EQ(r, PeakingResponse(1000.0, -9.5, 4.0));
}

TEST(Peaking, CutMirrorsBoost) {
    const Response boost = PeakingResponse(250.0, 12.5, 0.7);
    const Response cut = PeakingResponse(250.0, -12.5, 0.7);
    for (int i = 0; i < kGridSize; ++i) ASSERT_NEAR(boost[i], -cut[i], 1e-9);
}

TEST(Shelves, ReachTheirGainOnTheirSideAndHalfOfItAtTheScaledCorner) {
    // The low shelf's corner sits 14/11 above its frequency, the high
    // shelf's 10/13 below: 990 Hz and 1300 Hz both turn at a grid point.
    const Response low = ShelfResponse(990.0, Shelf::kLow, 12.0);
    EXPECT_NEAR(At(low, 20), 12.0, 0.05);
    EXPECT_NEAR(At(low, 20000), 0.0, 0.05);
    EXPECT_NEAR(At(low, 1260), 6.0, 0.02);
    const Response high = ShelfResponse(1300.0, Shelf::kHigh, 12.0);
    EXPECT_NEAR(At(high, 20), 0.0, 0.05);
    EXPECT_NEAR(At(high, 20000), 12.0, 0.05);
    EXPECT_NEAR(At(high, 1000), 6.0, 0.02);
    // A slope just over 1 overshoots, but by hundredths of a dB at most.
    for (int i = 1; i < kGridSize; ++i) {
        ASSERT_LE(low[i], low[i - 1] + 0.01);
        ASSERT_GE(high[i], high[i - 1] - 0.01);
    }
}

TEST(Shelves, CutMirrorsBoost) {
    for (Shelf shelf : {Shelf::kLow, Shelf::kHigh}) {
        const Response boost = ShelfResponse(300.0, shelf, 15.0);
        const Response cut = ShelfResponse(300.0, shelf, -15.0);
        for (int i = 0; i < kGridSize; ++i) ASSERT_NEAR(boost[i], -cut[i], 1e-9);
    }
}

TEST(ZeroGain, IsExactlyFlat) {
    ExpectFlat(PeakingResponse(1000.0, 0.0, 2.0));
    ExpectFlat(PeakingResponse(20.0, -0.0, 20.0));
    ExpectFlat(ShelfResponse(100.0, Shelf::kLow, 0.0));
    ExpectFlat(ShelfResponse(10000.0, Shelf::kHigh, 0.0));
}

TEST(Responses, StayFiniteForValuesNoKnobCanSet) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double hz : {0.0, -100.0, 1e9, nan, inf}) {
        ExpectFinite(PeakingResponse(hz, 6.0, 1.0));
        ExpectFinite(ShelfResponse(hz, Shelf::kLow, 6.0));
        ExpectFinite(ShelfResponse(hz, Shelf::kHigh, -6.0));
        ExpectFinite(HighPassResponse(hz, 6));
        ExpectFinite(LowPassResponse(hz, 6));
    }
    for (double q : {0.0, -1.0, nan, 1e6}) ExpectFinite(PeakingResponse(1000.0, 6.0, q));
    for (double gain : {100.0, -1e9, inf, nan}) {
        ExpectFinite(PeakingResponse(1000.0, gain, 1.0));
        ExpectFinite(ShelfResponse(1000.0, Shelf::kLow, gain));
    }
    // An 8th-order high-pass at 20 kHz is far below anything the graph shows
    // at 20 Hz, but still a number.
    const Response deep = HighPassResponse(20000.0, kOrderCodeMax);
    ExpectFinite(deep);
    EXPECT_LT(deep[0], -200.0);
}

}  // namespace
}  // namespace mixer
