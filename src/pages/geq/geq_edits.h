#pragma once
// The graphic EQ page's edits: each writes band gains of one output and
// returns the commands that carry them. MAIN's two records are one pair, so
// an edit of output 0 writes output 1 too and sends both; so does an edit of
// output 1 (only a page opened on it by name shows it), which must not part
// the pair either. Outputs outside 0..7 and bands outside 0..30 are left
// alone and give no commands.
//
// The mixer's GEQ command carries all 31 bands of an output, so "send a band"
// is one command for the output (and one for its pair).

#include "link/channel_edits.h"
#include "link/mixer_state.h"

namespace mixer {

inline constexpr int kGeqFlatGain = 150;   // 0 dB

bool IsGeqOutput(int output);   // 0..7

// Band 0..30 to a gain code, clamped to 0..300.
Commands WriteGeqBand(MixerState& s, int output, int band, int gainCode);
// Every band to 0 dB.
Commands ResetGeq(MixerState& s, int output);
// After a preset was stored into the output's record: MAIN's other record
// follows, and both go out.
Commands GeqRecalled(MixerState& s, int output);
// The commands that carry the output's bands (both records for MAIN).
Commands GeqCommands(const MixerState& s, int output);

// The value display numbers the GEQ bands of output o as channel 18 + o,
// kind band + 5.
int GeqDisplayChannel(int output);
int GeqDisplayKind(int band);

}  // namespace mixer
