#include "pages/curves/filter_response.h"

#include <algorithm>
#include <cmath>

namespace mixer {

namespace {

// w of a grid frequency, and w0 of a section's own frequency: both are
// 2 pi f / 96000, the second with the coarser constant the mixer uses.
constexpr double kGridOmegaPerHz = 6.544984694978735e-05;
constexpr double kOmegaPerHz = 6.544985e-05;
constexpr double kLn2 = 0.69314718;
constexpr double kShelfSlope = 1.05;
constexpr double kLowShelfScale = 1.2727272727;
constexpr double kHighShelfScale = 0.76923076923;

// Frequencies, gains and Q outside these limits would put poles on or outside
// the unit circle or overflow; nothing the mixer holds comes near them.
constexpr double kMinHz = 1.0;
constexpr double kMaxHz = 40000.0;
constexpr double kMaxGainDb = 30.0;
constexpr double kMinQ = 0.1;
constexpr double kMaxQ = 20.0;

// The power ratio is kept inside 1e-40 .. 1e40 so that a response is always
// a finite number of dB, even at an exact zero.
constexpr double kMinPowerRatio = 1e-40;
constexpr double kMaxPowerRatio = 1e40;

double Limit(double v, double lo, double hi, double fallback) {
    if (std::isnan(v)) return fallback;
    return std::clamp(v, lo, hi);
}

struct Biquad {
    double b0, b1, b2, a1, a2;   // a0 divided out
};

Biquad Normalise(double b0, double b1, double b2, double a0, double a1, double a2) {
    if (a0 == 0.0) a0 = 1e-10;
    return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

struct GridTrig {
    std::array<double, kGridSize> cosW;
    std::array<double, kGridSize> sinW;
};

const GridTrig& Trig() {
    static const GridTrig trig = [] {
        GridTrig t{};
        const auto& grid = FrequencyGrid();
        for (int i = 0; i < kGridSize; ++i) {
            const double w = kGridOmegaPerHz * grid[i];
            t.cosW[i] = std::cos(w);
            t.sinW[i] = std::sin(w);
        }
        return t;
    }();
    return trig;
}

using PowerRatio = std::array<double, kGridSize>;

// Multiplies |H(e^jw)|^2 of one section into the ratio at every grid point;
// a cascade's dB are the sum of its sections' dB, i.e. the log of the product.
void Apply(const Biquad& s, PowerRatio& ratio) {
    const GridTrig& t = Trig();
    const double nc = s.b0 + s.b2, ns = s.b0 - s.b2;
    const double dc = 1.0 + s.a2, ds = 1.0 - s.a2;
    for (int i = 0; i < kGridSize; ++i) {
        const double c = t.cosW[i], sn = t.sinW[i];
        const double nr = nc * c + s.b1, ni = ns * sn;
        const double dr = dc * c + s.a1, di = ds * sn;
        ratio[i] *= (nr * nr + ni * ni) / (dr * dr + di * di);
    }
}

Response ToDb(const PowerRatio& ratio) {
    Response out;
    for (int i = 0; i < kGridSize; ++i) {
        double r = ratio[i];
        if (!(r > kMinPowerRatio)) r = kMinPowerRatio;
        if (r > kMaxPowerRatio) r = kMaxPowerRatio;
        out[i] = 10.0 * std::log10(r);
    }
    return out;
}

Response Single(const Biquad& s) {
    PowerRatio ratio;
    ratio.fill(1.0);
    Apply(s, ratio);
    return ToDb(ratio);
}

Response Flat() {
    Response r;
    r.fill(0.0);
    return r;
}

double Amplitude(double gainDb) { return std::pow(10.0, gainDb * 0.025); }

// Butterworth pole pairs of each order, as Q of the second-order sections.
struct FilterLayout {
    bool firstOrder;
    int pairs;
    std::array<double, 4> q;
};

constexpr std::array<FilterLayout, kOrderCodeMax + 1> kLayouts = {{
    {false, 1, {0.71}},
    {true, 1, {1.0}},
    {false, 2, {0.54, 1.31}},
    {true, 2, {0.62, 1.62}},
    {false, 3, {0.52, 0.71, 1.93}},
    {true, 3, {0.55, 0.80, 2.25}},
    {false, 4, {0.51, 0.60, 0.90, 2.56}},
}};

enum class Pass { kHigh, kLow };

Response PassResponse(double cornerHz, int orderCode, Pass pass) {
    const double f0 = Limit(cornerHz, kMinHz, kMaxHz, kMinHz);
    const FilterLayout& layout = kLayouts[std::clamp(orderCode, 0, kOrderCodeMax)];
    const double w0 = kOmegaPerHz * f0;
    const double c = std::cos(w0), s = std::sin(w0), t = std::tan(w0 / 2.0);

    PowerRatio ratio;
    ratio.fill(1.0);
    if (layout.firstOrder) {
        Apply(pass == Pass::kLow ? Normalise(t, t, 0.0, t + 1.0, t - 1.0, 0.0)
                                 : Normalise(1.0, -1.0, 0.0, t + 1.0, t - 1.0, 0.0),
              ratio);
    }
    for (int i = 0; i < layout.pairs; ++i) {
        const double alpha = s / (2.0 * layout.q[i]);
        const double a0 = 1.0 + alpha, a1 = -2.0 * c, a2 = 1.0 - alpha;
        if (pass == Pass::kLow) {
            const double b = (1.0 - c) / 2.0;
            Apply(Normalise(b, 1.0 - c, b, a0, a1, a2), ratio);
        } else {
            const double b = (1.0 + c) / 2.0;
            Apply(Normalise(b, -(1.0 + c), b, a0, a1, a2), ratio);
        }
    }
    return ToDb(ratio);
}

}  // namespace

Response PeakingResponse(double centreHz, double gainDb, double q) {
    const double gain = Limit(gainDb, -kMaxGainDb, kMaxGainDb, 0.0);
    if (gain == 0.0) return Flat();
    const double f0 = FrequencyGrid()[GridIndex(centreHz)];
    const double bandwidth = 1.0 / Limit(q, kMinQ, kMaxQ, kMaxQ);
    const double w0 = kOmegaPerHz * f0;
    const double A = Amplitude(gain);
    const double sw = std::sin(w0), cw = std::cos(w0);
    const double alpha = sw * std::sinh(kLn2 * bandwidth * w0 / sw);
    return Single(Normalise(1.0 + alpha * A, -2.0 * cw, 1.0 - alpha * A,
                            1.0 + alpha / A, -2.0 * cw, 1.0 - alpha / A));
}

Response ShelfResponse(double cornerHz, Shelf shelf, double gainDb) {
    const double gain = Limit(gainDb, -kMaxGainDb, kMaxGainDb, 0.0);
    if (gain == 0.0) return Flat();
    const double f0 = Limit(cornerHz, kMinHz, kMaxHz, kMinHz);
    const double w0 = kOmegaPerHz * f0 * (shelf == Shelf::kLow ? kLowShelfScale : kHighShelfScale);
    const double A = Amplitude(gain);
    const double c = std::cos(w0);
    const double root = std::max(0.0, (A + 1.0 / A) * (1.0 / kShelfSlope - 1.0) + 2.0);
    const double alpha = std::sin(w0) / 2.0 * std::sqrt(root);
    const double K = 2.0 * std::sqrt(A) * alpha;
    if (shelf == Shelf::kLow) {
        return Single(Normalise(A * ((A + 1) - (A - 1) * c + K), 2 * A * ((A - 1) - (A + 1) * c),
                                A * ((A + 1) - (A - 1) * c - K), (A + 1) + (A - 1) * c + K,
                                -2 * ((A - 1) + (A + 1) * c), (A + 1) + (A - 1) * c - K));
    }
    return Single(Normalise(A * ((A + 1) + (A - 1) * c + K), -2 * A * ((A - 1) + (A + 1) * c),
                            A * ((A + 1) + (A - 1) * c - K), (A + 1) - (A - 1) * c + K,
                            2 * ((A - 1) - (A + 1) * c), (A + 1) - (A - 1) * c - K));
}

Response HighPassResponse(double cornerHz, int orderCode) {
    return PassResponse(cornerHz, orderCode, Pass::kHigh);
}

Response LowPassResponse(double cornerHz, int orderCode) {
    return PassResponse(cornerHz, orderCode, Pass::kLow);
}

}  // namespace mixer
