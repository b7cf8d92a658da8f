#pragma once
// The bitmap slider's arithmetic: where the thumb stands for a value, which
// value a thumb position means, and the value readout. Lengths run along the
// slider's travel: widths and the start/end margins for a horizontal slider,
// heights and the top/bottom margins for a vertical one.

#include <string>

namespace mixer {

struct SliderAxis {
    int trackLength = 0;  // length of the track bitmap (or of the control)
    int thumbLength = 0;  // length of the thumb bitmap
    int startMargin = 0;
    int endMargin = 0;
    int minimum = 0;
    int maximum = 100;
};

// Centre of the thumb, in pixels from the track's start, for value.
int SliderPixel(const SliderAxis& axis, int value);

// The value whose thumb centre is at pixel, not yet clamped to the range.
// The minimum when the thumb has no room to travel.
int SliderValue(const SliderAxis& axis, int pixel);

// The range of centres the thumb may be dragged to: [first, second].
int SliderCentreMin(const SliderAxis& axis);
int SliderCentreMax(const SliderAxis& axis);

// Where a drag grips the thumb: the press's distance from the thumb centre
// when the press lies within half a thumb of it, else 0 (the thumb jumps).
int SliderDragOffset(const SliderAxis& axis, int position, int press);

struct SliderReadout {
    int mode = 1;      // 1 = mapped value, 2 = the divisor as a whole number, else nothing
    int top = 10;      // shown at the minimum end
    int bottom = -50;  // shown at the maximum end
    double divisor = 1.0;
};

// The readout text of a slider at position within [minimum, maximum].
std::string FormatSliderReadout(const SliderReadout& readout, int minimum, int maximum, int position);

}  // namespace mixer
