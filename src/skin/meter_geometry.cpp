#include "skin/meter_geometry.h"

#include <cmath>

namespace mixer {

MeterSpan MeterColumnSpan(int left, int width, int column, int columns) {
    if (columns < 1) columns = 1;
    const long long w = width;
    return {left + static_cast<int>(w * column / columns) + 1, left + static_cast<int>(w * (column + 1) / columns) - 1};
}

double ClampMeterValue(double value, double minimum, double maximum) {
    if (!(maximum > minimum) || std::isnan(value)) return minimum;
    if (value < minimum) return minimum;
    if (value > maximum) return maximum;
    return value;
}

int MeterLitHeight(double value, double minimum, double maximum, int height) {
    if (height <= 0 || !(maximum > minimum)) return 0;
    const double f = (ClampMeterValue(value, minimum, maximum) - minimum) / (maximum - minimum);
    const double top = f * height;
    int lit = 0;
    while (lit < top && lit < height) lit += kMeterStripe;
    return lit < height ? lit : height;
}

MeterZone MeterZoneAt(double r, double lowerLimit, double upperLimit) {
    if (r < lowerLimit) return MeterZone::Low;
    if (r < upperLimit) return MeterZone::Middle;
    return MeterZone::High;
}

}  // namespace mixer
