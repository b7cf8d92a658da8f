#pragma once
// The overview that each page button of the navigation bar draws: one bar and
// one mute mark per strip of its page.

#include <vector>

#include "link/mixer_state.h"

namespace mixer {

inline constexpr int kOverviewHeight = 186;  // height of the bar area

struct OverviewEntry {
    int bar = 0;        // 0..186: 186 at the fader's top, 1 at its bottom
    bool muted = false;
    bool operator==(const OverviewEntry&) const = default;
};

// 186 - trunc(100 * log10(71 - fader)), the fader clamped to 0..70.
int OverviewBar(int fader);

// The entries of console page 1..4 (CH1-8, CH9-16, EFFECT, AUX); empty for
// any other page.
std::vector<OverviewEntry> PageOverview(const MixerState& state, int page);

}  // namespace mixer
