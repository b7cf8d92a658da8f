#pragma once
// The window's scroll arithmetic: where a scroll request moves the position.

namespace mixer {

// The window scrolls over a fixed content area; the positions start at 0,
// the position it resets to.
inline constexpr int kHorizontalScrollMax = 1600;
inline constexpr int kVerticalScrollMax = 1000;

enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, ThumbTrack, ThumbPosition, Top, Bottom, EndScroll };

struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
    int page = 0;  // the visible extent: client width or height

    // The largest position: maximum - page + 1, never below the minimum.
    int Highest() const;
};

// The new position for a request; `tracked` is the thumb's position for
// ThumbTrack. Thumb position and the end of scrolling leave it unchanged.
int NextScrollPosition(const ScrollRange& range, int position, ScrollAction action, int tracked = 0);

}  // namespace mixer
