#pragma once
// The limiter page's edits: each writes one output's limiter record and
// returns the commands that carry it. MAIN's two records are one pair led by
// output 0: an edit of output 0 writes output 1 too and sends both; any other
// output touches only itself. Outputs outside 0..7 are left alone.

#include "link/channel_edits.h"
#include "link/mixer_state.h"
#include "pages/dynamics/dynamics_edits.h"

namespace mixer {

// Output 1's threshold after a RESET of MAIN.
inline constexpr int kMainPairResetThreshold = 30;

bool IsLimiterOutput(int output);   // 0..7

Commands WriteLimiterKnob(MixerState& s, int output, CompKnob knob, int code);
Commands ToggleLimiter(MixerState& s, int output);
// On, threshold 0, ratio 10, attack 1, release 20; the gain stays. On
// output 0, output 1 is reset as well, with threshold 30.
Commands ResetLimiter(MixerState& s, int output);
// After a preset was stored into the output's record: output 1 follows
// output 0, and what changed goes out.
Commands LimiterRecalled(MixerState& s, int output);
Commands LimiterCommands(const MixerState& s, int output);

// The value display kinds 41..45 and its channel for the output.
int LimiterDisplayKind(CompKnob knob);
int LimiterDisplayChannel(int output);

}  // namespace mixer
