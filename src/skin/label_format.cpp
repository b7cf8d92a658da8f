#include "skin/label_format.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace mixer {

namespace {

long long WholePart(double v) {
    constexpr double kLimit = static_cast<double>(std::numeric_limits<int>::max());
    if (std::isnan(v)) return 0;
    return static_cast<long long>(std::trunc(std::fmax(-kLimit - 1.0, std::fmin(kLimit, v))));
}

}  // namespace

std::string FormatLabelValue(const LabelNumberFormat& f, double value) {
    if ((f.offMode == 1 && value == f.offValue1) || (f.offMode == 2 && value == f.offValue2)) {
        return f.prefix + "OFF";
    }
    const double divisor = f.divisor == 0.0 || std::isnan(f.divisor) ? 1.0 : f.divisor;
    const double v = value / divisor;
    char number[48];
    if (!std::isfinite(v) || v == std::trunc(v)) {
        std::snprintf(number, sizeof number, "%lld", WholePart(v - f.offset));
    } else {
        const double shown = v - f.offset;
        std::snprintf(number, sizeof number, "%0.1f", std::isfinite(shown) ? shown : 0.0);
    }
    return f.prefix + number + f.suffix;
}

}  // namespace mixer
