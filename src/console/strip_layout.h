#pragma once
// How a strip fits its controls to its width: the thumbnail spans the strip,
// everything else is centred, and the fader stands beside its meter.

#include "console/layout.h"

namespace mixer {

inline constexpr int kThumbnailInset = 4;
inline constexpr int kMeterGap = 1;      // between the fader and its meter
inline constexpr int kMeterDrop = 20;    // the meter starts this much lower than the fader
inline constexpr int kMeterShorter = 40; // and is this much shorter

// Left edge of a control `width` wide centred in the strip; 0 when the strip
// is narrower, so that the control's start stays in view.
int CentredLeft(int stripWidth, int width);

// The thumbnail keeps its top and height and spans the strip but for the inset.
PageRect ThumbnailRect(int stripWidth, const PageRect& placed);

struct FaderPair {
    PageRect fader;
    PageRect meter;  // all meter columns together
};

// The fader keeps its top and size; fader and meter are centred together.
FaderPair PlaceFaderPair(int stripWidth, const PageRect& fader, int meterWidth);

}  // namespace mixer
