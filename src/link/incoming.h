#pragma once
// Dispatch of the messages the mixer sends.

#include <string>
#include <string_view>

#include "link/mixer_state.h"

namespace mixer {

enum class IncomingKind {
    Ignored,       // an unknown letter, "G", or a message that did not parse
    StateReply,    // "Z" applied: the connection completes, strips refresh
    MeterReport,   // "Q" applied: meters redraw
};

// Applies a checked message to state. The caller (the link) turns the result
// into its notifications.
IncomingKind OnMessage(std::string_view message, MixerState& state, std::string& firmwareVersion);

}  // namespace mixer
