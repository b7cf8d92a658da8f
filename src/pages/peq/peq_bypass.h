#pragma once
// BYPASS of the parametric EQ page: switching on saves a channel's bands and
// filters and flattens them in the state (both filters off at 20 Hz and
// 20000 Hz, all four gains 0 dB); switching off puts the saved settings back.
// The mixer has no bypass of its own, so this is what it hears.
//
// The flag and the save area belong to the page, but the saved settings are
// only ever restored into the channel they were taken from: switching off
// while the page shows another channel must not write one channel's EQ into
// another.

#include "link/mixer_state.h"

namespace mixer {

class PeqBypass {
public:
    bool On() const { return on_; }

    // Switches on for `channel` or off (restoring the saved channel). Returns
    // the channel whose EQ changed, or -1 when nothing changed (a channel
    // outside 0..17 while off).
    int Toggle(MixerState& s, int channel);
    // An undo or redo of a BYPASS step leaves the flag `on`: switched on, the
    // channel's settings in `s`, as they stand before the step's values come
    // back, are what switching off gives back.
    void Follow(const MixerState& s, int channel, bool on);

private:
    struct Saved {
        int channel = -1;
        PeqBand bands[kPeqBandCount]{};
        int32_t hpf[4]{};   // frequency, type, slope, on
        int32_t lpf[4]{};
    };

    void Save(const StripRecord& r, int channel);

    bool on_ = false;
    Saved saved_;
};

}  // namespace mixer
