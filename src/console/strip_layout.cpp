#include "console/strip_layout.h"

#include <algorithm>

namespace mixer {

int CentredLeft(int stripWidth, int width) { return std::max(0, (stripWidth - width) / 2); }

PageRect ThumbnailRect(int stripWidth, const PageRect& placed) {
    return {kThumbnailInset, placed.y, std::max(0, stripWidth - 2 * kThumbnailInset), placed.height};
}

FaderPair PlaceFaderPair(int stripWidth, const PageRect& fader, int meterWidth) {
    const int left = CentredLeft(stripWidth, fader.width + kMeterGap + meterWidth);
    FaderPair pair;
    pair.fader = {left, fader.y, fader.width, fader.height};
    pair.meter = {left + fader.width + kMeterGap, fader.y + kMeterDrop, meterWidth,
                  std::max(0, fader.height - kMeterShorter)};
    return pair;
}

}  // namespace mixer
