#pragma once
// The meter report "Q": 30 levels of two hex digits at fixed positions.

#include <string>
#include <string_view>

#include "link/mixer_state.h"

namespace mixer {

inline constexpr int kMeterValueCount = 30;
inline constexpr int kMeterBarMax = 186;

// Checks the frame and stores the 30 levels; false (nothing changed) for a
// broken frame or fewer than 60 hex digits.
bool ParseMeterReport(std::string_view message, MixerState& state);

// Sets every metered level to silence, for when nothing is measured any
// more; true when one of them was not silent already.
bool ClearMeterLevels(MixerState& state);

// The metered levels of `from` into `to`: state read from a file keeps the
// levels measured now, never those measured when it was written.
void CopyMeterLevels(const MixerState& from, MixerState& to);

// Level k 0..29 of the report as the state holds it: CH 1..16, the DELAY
// and Reverb returns (two each), buses 0..7, then the second levels of
// buses 0 and 1; 0 outside.
int MeterLevel(const MixerState& state, int k);

// The report a mixer sends for the meter fields of state.
std::string BuildMeterReport(const MixerState& state);

// Bar height 0..186 for a reported level 0..255 (values outside are clamped);
// level 0 is silence and gives 0.
double MeterBarHeight(int level);

}  // namespace mixer
