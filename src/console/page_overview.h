#pragma once
// The overview that each page button of the navigation bar draws: one bar and
// one mute mark per strip of its page.

#include <vector>

#include "link/mixer_state.h"

namespace mixer {

inline constexpr int kOverviewHeight = 186;  // height of the bar area

struct OverviewEntry {
    int bar = 0;        // 0..186: the fader's place (1 at its bottom) or the meter's height
    bool muted = false;
    bool operator==(const OverviewEntry&) const = default;
};

// What the bars show: the faders, or the live meters while the mixer streams them.
enum class OverviewSource { Faders, Meters };

// 186 - the fader's position for its level (0..70, clamped): 186 at the top, 0 closed.
int OverviewBar(int fader);

// The entries of console page 1..4 (CH1-8, CH9-16, EFFECT, AUX); empty for
// any other page. The meters are the strips' first meters (the effect
// returns' `meter`) and the AUX buses' meters, as whole bar heights.
std::vector<OverviewEntry> PageOverview(const MixerState& state, int page,
                                        OverviewSource source = OverviewSource::Faders);

}  // namespace mixer
