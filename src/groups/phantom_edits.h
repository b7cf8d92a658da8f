#pragma once
// Phantom power of the microphone inputs CH 1..16.

#include "link/channel_edits.h"

namespace mixer {

// Flips the phantom supply of input 0..15 and returns its command (code
// channel + 1, which carries the polarity too); nothing for other channels.
Commands TogglePhantom(MixerState& s, int channel);

}  // namespace mixer
