#include "skin/slider_geometry.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace mixer {

namespace {

// Span the thumb's centre can travel over; zero or less when it cannot move.
long long Travel(const SliderAxis& a) {
    return static_cast<long long>(a.trackLength) - a.endMargin - a.startMargin - a.thumbLength;
}

int ToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);  // truncates toward zero
}

}  // namespace

int SliderPixel(const SliderAxis& a, int value) {
    const int base = a.thumbLength / 2 + a.startMargin;
    const long long span = static_cast<long long>(a.maximum) - a.minimum;
    if (span <= 0) return base;
    const double fraction = static_cast<double>(static_cast<long long>(value) - a.minimum) / static_cast<double>(span);
    return base + ToInt(fraction * static_cast<double>(Travel(a)));
}

int SliderValue(const SliderAxis& a, int pixel) {
    const long long travel = Travel(a);
    if (travel <= 0) return a.minimum;
    const double along = static_cast<double>(static_cast<long long>(pixel) - a.thumbLength / 2 - a.startMargin);
    const double span = static_cast<double>(static_cast<long long>(a.maximum) - a.minimum);
    // The truncated estimate, or its neighbour when that one's thumb centre
    // lies nearer: a thumb dragged onto the pixel of a value gives that value.
    const int estimate = ToInt(std::floor(along / static_cast<double>(travel) * span + a.minimum));
    const auto distance = [&](long long value) {
        return std::llabs(static_cast<long long>(SliderPixel(a, static_cast<int>(value))) - pixel);
    };
    int best = estimate;
    for (const long long candidate : {estimate + 1LL, estimate - 1LL}) {
        if (candidate < std::numeric_limits<int>::min() || candidate > std::numeric_limits<int>::max()) continue;
        if (distance(candidate) < distance(best)) best = static_cast<int>(candidate);
    }
    return best;
}

int SliderCentreMin(const SliderAxis& a) { return a.startMargin + a.thumbLength / 2; }

int SliderCentreMax(const SliderAxis& a) {
    const int last = a.trackLength - a.endMargin - a.thumbLength / 2;
    return last < SliderCentreMin(a) ? SliderCentreMin(a) : last;
}

int SliderDragOffset(const SliderAxis& a, int position, int press) {
    const int offset = press - SliderPixel(a, position);
    return std::abs(offset) <= a.thumbLength / 2 ? offset : 0;
}

std::string FormatSliderReadout(const SliderReadout& r, int minimum, int maximum, int position) {
    char text[64];
    if (r.mode == 2) {
        std::snprintf(text, sizeof text, "%d", ToInt(r.divisor));
        return text;
    }
    if (r.mode != 1) return {};
    const long long span = static_cast<long long>(maximum) - minimum;
    if (span <= 0 || r.divisor == 0.0 || !std::isfinite(r.divisor)) return {};
    if (position < minimum) position = minimum;
    if (position > maximum) position = maximum;
    // Whole-number arithmetic with a truncating division, held in a wide type
    // so that extreme ranges cannot overflow.
    const long double scaled = static_cast<long double>(static_cast<long long>(r.top) - r.bottom) *
                               static_cast<long double>(static_cast<long long>(maximum) - position);
    const long long m = static_cast<long long>(std::trunc(scaled / static_cast<long double>(span))) + r.bottom;
    std::snprintf(text, sizeof text, "%0.2f", static_cast<double>(m) / r.divisor);
    // A whole value, or any negative one, is shown as its whole-number part.
    const double shown = std::strtod(text, nullptr);
    if (shown - std::trunc(shown) <= 0.0) std::snprintf(text, sizeof text, "%d", ToInt(shown));
    return text;
}

}  // namespace mixer
