#pragma once
// The level meter's arithmetic: where each column stands, how high it is lit
// and which colour zone a height belongs to.

namespace mixer {

inline constexpr int kMeterStripe = 2;  // the bar lights in stripes of this many pixels

// Column of a meter `width` pixels wide split into `columns`: pixels
// left..right, both included.
struct MeterSpan {
    int left;
    int right;
};
MeterSpan MeterColumnSpan(int left, int width, int column, int columns);

// value pulled into [minimum, maximum]; an empty or reversed range gives minimum.
double ClampMeterValue(double value, double minimum, double maximum);

// Pixels lit from the bottom of a column `height` pixels high: whole stripes
// up to the value's share of the height, never more than the column.
int MeterLitHeight(double value, double minimum, double maximum, int height);

enum class MeterZone { Low, Middle, High };
// Zone of a stripe whose base stands at fraction r of the column height.
MeterZone MeterZoneAt(double r, double lowerLimit, double upperLimit);

}  // namespace mixer
