#pragma once
// The mixer's side of the editor's commands A to P: applies one checked
// message to a state. The simulated mixer keeps its state with it.

#include <string_view>

#include "link/mixer_state.h"

namespace mixer {

// Applies a parameter command to state; false (nothing changed) for a broken
// frame, an unknown letter, a missing or malformed field or an index outside
// the command's range. Stored values are clamped to their ranges.
bool ApplyCommand(std::string_view message, MixerState& state);

}  // namespace mixer
