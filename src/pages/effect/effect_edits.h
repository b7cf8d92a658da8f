#pragma once
// The effect page's edits. The reverb's parameters live in the record of the
// reverb return (channel 17) and go out in the `M` command; the delay's live
// in the delay return (channel 16) and go out in `N`. Each return has an
// input level (`level2`, command A 28 / 30) and an output level (`level`,
// the return strip's fader, command A 27 / 29), and a mute for each path.

#include <array>

#include "link/channel_edits.h"
#include "link/mixer_state.h"

namespace mixer {

enum class Effect { kReverb, kDelay };

inline constexpr int kReverbParamCount = 6;
inline constexpr int kDelayParamCount = 4;
inline constexpr int kEffectLevelKnobMax = 186;
inline constexpr int kEffectMuteCount = 4;

struct ParamRange {
    int minimum;
    int maximum;
};

// The return channel that holds an effect's record: 17 reverb, 16 delay.
int EffectChannel(Effect effect);
int EffectParamCount(Effect effect);
ParamRange EffectParamRange(Effect effect, int param);
// The value display's kind of a parameter: 62..67 reverb, 68..71 delay.
int EffectParamKind(Effect effect, int param);
int EffectParam(const MixerState& s, Effect effect, int param);

// Clamped into the parameter's range; nothing for a parameter out of range.
Commands WriteEffectParam(MixerState& s, Effect effect, int param, int value);
// The effect's reset values; the other effect stays as it is.
Commands ResetEffect(MixerState& s, Effect effect);
// The command that carries the effect's parameters.
Commands EffectCommands(const MixerState& s, Effect effect);

// The level knobs run 0 (top, level 70) to 186 (level 0) along a log scale.
int LevelFromKnob(int position);
int KnobFromLevel(int level);

// The input level (`level2`) and the output level (`level`, the fader).
Commands WriteEffectInputLevel(MixerState& s, Effect effect, int level);
Commands WriteEffectOutputLevel(MixerState& s, Effect effect, int level);
Commands EffectLevelCommands(const MixerState& s, Effect effect, bool input);

// The four MUTEs, top to bottom: reverb input, delay input, reverb output,
// delay output (command A 30, 28, 29, 27).
struct EffectMute {
    Effect effect;
    bool input;
};
EffectMute EffectMuteAt(int button);
bool EffectMuted(const MixerState& s, int button);
Commands ToggleEffectMute(MixerState& s, int button);
// The meter value (0..255) beside each MUTE.
int EffectMeterValue(const MixerState& s, int button);
// A meter value 0..255 to the bar position 0..186 the page draws.
double EffectMeterBar(int value);

}  // namespace mixer
