#pragma once
// The edits the strips and the typed entry share: each writes one parameter
// of a channel or bus into the state and returns the commands that carry it
// to the mixer, in sending order. MAIN keeps its second record equal.

#include <string>
#include <vector>

#include "link/mixer_state.h"

namespace mixer {

using Commands = std::vector<std::string>;

// Protocol index of command A for strip 0..17 (inputs, then 27 and 29 for the
// effect returns); of command K for strip 0..17 (7..24).
int StripIndexA(int strip);
int StripIndexK(int strip);

Commands WriteStripLevel(MixerState& s, int strip, int level);
Commands WriteStripMute(MixerState& s, int strip, int mute);
Commands WriteStripSolo(MixerState& s, int strip, int solo);
Commands WriteStripPan(MixerState& s, int strip, int pan);

Commands WriteBusLevel(MixerState& s, int bus, int level);
Commands WriteBusMute(MixerState& s, int bus, int mute);
Commands WriteBusSolo(MixerState& s, int bus, int solo);          // sent for AUX only
Commands WriteBusBalance(MixerState& s, int bus, int balance);    // sent for MAIN only
Commands WriteBusMode(MixerState& s, int bus, int mode);          // send point 1..3

}  // namespace mixer
