#pragma once
// The gate and compressor page's edits: each writes one channel's gate or
// compressor record and returns the commands that carry it. Channels 0..17
// hold the records; only the inputs 0..15 have them on the mixer, so edits of
// the effect returns are stored and give no commands. Channels outside 0..17
// are left alone.

#include <array>

#include "link/channel_edits.h"
#include "link/mixer_state.h"

namespace mixer {

// What changed, as the page propagates it to linked channels.
enum DynamicsChange {
    kGateChangeOn = 1,
    kGateChangeThreshold = 2,
    kGateChangeAttack = 3,
    kGateChangeRelease = 4,
    kGateChangeAll = 5,
    kCompChangeOn = 6,
    kCompChangeThreshold = 7,
    kCompChangeRatio = 8,
    kCompChangeAttack = 9,
    kCompChangeRelease = 10,
    kCompChangeAll = 11,
    kCompChangeGain = 12,
};

enum class GateKnob { kThreshold, kAttack, kRelease };
// The compressor's and the limiter's knobs, top to bottom.
enum class CompKnob { kThreshold, kRatio, kGain, kAttack, kRelease };
inline constexpr std::array<CompKnob, 5> kCompKnobs = {CompKnob::kThreshold, CompKnob::kRatio, CompKnob::kGain,
                                                       CompKnob::kAttack, CompKnob::kRelease};

inline constexpr int kGateRangeMax = 60;

struct KnobRange {
    int minimum;
    int maximum;
};

KnobRange GateKnobRange(GateKnob knob);
// The limiter's release starts at 1, the compressor's at 20.
KnobRange CompKnobRange(CompKnob knob, bool limiter);
// The gate word a knob edits.
int32_t& GateWord(int32_t (&gate)[4], GateKnob knob);
int GateWord(const int32_t (&gate)[4], GateKnob knob);
// The compressor or limiter word a knob edits.
int32_t& CompWord(int32_t (&record)[5], CompKnob knob);
int CompWord(const int32_t (&record)[5], CompKnob knob);

bool IsDynamicsChannel(int channel);   // 0..17
bool SendsDynamics(int channel);       // 0..15

// The value display kinds (51..58) and the propagation codes of the knobs.
int GateDisplayKind(GateKnob knob);
int CompDisplayKind(CompKnob knob);
DynamicsChange GateKnobChange(GateKnob knob);
DynamicsChange CompKnobChange(CompKnob knob);

// Codes are clamped into the knob's range.
Commands WriteGateKnob(MixerState& s, int channel, GateKnob knob, int code);
Commands WriteGateRange(MixerState& s, int channel, int range);
Commands ToggleGate(MixerState& s, int channel);
// On, threshold 0, attack 1, release 20; the range stays.
Commands ResetGate(MixerState& s, int channel);

Commands WriteCompKnob(MixerState& s, int channel, CompKnob knob, int code);
Commands ToggleComp(MixerState& s, int channel);
// On, threshold 0, ratio 10, gain 0, attack 1, release 20.
Commands ResetComp(MixerState& s, int channel);

// The command of the section `change` belongs to (gate 1..5, compressor 6..12).
Commands DynamicsChangeCommands(const MixerState& s, int channel, int change);
// Copies the part of the record that `change` names from one channel to another.
void CopyDynamicsChange(MixerState& s, int from, int to, int change);

}  // namespace mixer
