#pragma once
// Typed value entry: the text a user types into a value box of the console's
// value display, converted to state units, clamped and stored, and the
// commands that carry the change to the mixer.

#include <string>
#include <string_view>
#include <vector>

#include "link/mixer_state.h"

namespace mixer {

struct TypedEntryResult {
    bool stored = false;                // a row applied and a value was stored
    std::vector<std::string> commands;  // to send, in order, while connected
};

// Leading-number readers of typed text: whitespace, an optional sign, decimal
// digits (and for reals a fraction). Anything unreadable reads as 0; the
// result is always finite.
long ReadLeadingInteger(std::string_view text);
double ReadLeadingReal(std::string_view text);

// Applies text typed into value box `box` (0 or 1) for the parameter the
// display shows (channel, kind). Box 0 handles every kind with a row; box 1
// only the band frequencies of input kinds 22..26.
TypedEntryResult ApplyTypedValue(MixerState& state, int channel, int kind, int box, std::string_view text);

}  // namespace mixer
