#pragma once
// The values a mixer returns to when it is reset, and the names the console
// gives its strips and buses at start. Both are pure so that the console, the
// reset page and the simulated mixer share them.

#include "link/mixer_state.h"

namespace mixer {

// Restores every parameter a reset covers. Names, meters and the fields a
// reset does not cover keep their values; each record's index is rewritten.
void ResetDefaults(MixerState& state);

// The reset values of a compressor's or limiter's words (threshold, attack,
// release, ratio; the gain only when keepGain is false) and of a gate's
// threshold, attack and release. The processing pages' RESET buttons share
// them with the device reset.
void ResetDynamicsWords(int32_t (&words)[5], bool keepGain);
void ResetGateWords(int32_t (&words)[4]);

// Writes the default names: language 2 gives the Chinese names (GBK bytes),
// any other language the English ones.
void SetDefaultNames(MixerState& state, int language);

// Every name still as SetDefaultNames writes it for language `from` becomes
// the one it writes for `to`; names the user gave stay as they are.
void SwitchDefaultNames(MixerState& state, int from, int to);

}  // namespace mixer
