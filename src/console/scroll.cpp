#include "console/scroll.h"

#include <algorithm>

namespace mixer {

int ScrollRange::Highest() const { return std::max(minimum, maximum - page + 1); }

int NextScrollPosition(const ScrollRange& range, int position, ScrollAction action, int tracked) {
    const int lo = range.minimum;
    const int hi = range.Highest();
    switch (action) {
    case ScrollAction::LineUp: return std::max(lo, position - 1);
    case ScrollAction::LineDown: return std::min(hi, position + 1);
    case ScrollAction::PageUp: return std::max(lo, position - range.page);
    case ScrollAction::PageDown: return std::min(hi, position + range.page);
    case ScrollAction::ThumbTrack: return std::clamp(tracked, lo, hi);
    case ScrollAction::Top: return lo;
    case ScrollAction::Bottom: return hi;
    case ScrollAction::ThumbPosition:
    case ScrollAction::EndScroll: break;
    }
    return position;
}

}  // namespace mixer
