#pragma once
// Edits made at the mixer's own panel, written as the editor's commands A to
// P in wire form, one per line. The checksum may be left out, as nobody
// works one out by hand: "%A,01,03,00,46,#", "%A,01,03,00,46," and
// "%A,01,03,00,46#" all stand for the same command. A last part of four hex
// digits is taken for the checksum, and then it must match.

#include <string>
#include <string_view>

#include "link/mixer_state.h"

namespace mixer {

enum class PanelOutcome { kApplied, kBlank, kRefused };

// Applies one line to state; kRefused, with the reason in error and state as
// it was, for a line that is not such a command.
PanelOutcome ApplyPanelLine(std::string_view line, MixerState& state, std::string& error);

}  // namespace mixer
