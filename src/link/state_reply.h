#pragma once
// The mixer's full-state reply "Z": 27 packed groups that fill the whole
// state, the last holding the firmware version text.

#include <string>
#include <string_view>

#include "link/mixer_state.h"

namespace mixer {

inline constexpr int kStateGroupCount = 27;
inline constexpr std::size_t kMaxVersionLength = 15;

// Checks the frame and reads every group present into state, only whole
// records and at most the records of each group; a missing or empty group
// changes nothing. Every value read is clamped to its range, then the state
// is normalised. The
// version text of group 27 goes into firmwareVersion (digits only, at most 15
// characters). Returns false, changing nothing, when the frame is not a valid
// "Z" message.
bool ParseStateReply(std::string_view message, MixerState& state, std::string& firmwareVersion);
// The same without the normalisation: only what the reply carries changes.
bool ReadStateReply(std::string_view message, MixerState& state, std::string& firmwareVersion);

// What every accepted reply is followed by: switches the PEQ and GEQ on and
// sets the filter types.
void NormaliseAfterReply(MixerState& state);

// The reply a mixer sends for state and version (the inverse of the parser).
std::string BuildStateReply(const MixerState& state, std::string_view version);

}  // namespace mixer
