#include "pages/dynamics/dynamics_edits.h"

#include <algorithm>

#include "link/commands.h"
#include "link/reset_defaults.h"

namespace mixer {

namespace {

int GateIndex(GateKnob knob) {
    switch (knob) {
    case GateKnob::kThreshold: return kGateThreshold;
    case GateKnob::kAttack: return kGateAttack;
    case GateKnob::kRelease: return kGateRelease;
    }
    return kGateThreshold;
}

int CompIndex(CompKnob knob) {
    switch (knob) {
    case CompKnob::kThreshold: return kDynThreshold;
    case CompKnob::kRatio: return kDynRatio;
    case CompKnob::kGain: return kDynGain;
    case CompKnob::kAttack: return kDynAttack;
    case CompKnob::kRelease: return kDynRelease;
    }
    return kDynThreshold;
}

Commands GateCommands(const MixerState& s, int channel) {
    if (!SendsDynamics(channel)) return {};
    return {BuildB(s, channel + 1)};
}

Commands CompCommands(const MixerState& s, int channel) {
    if (!SendsDynamics(channel)) return {};
    return {BuildC(s, channel + 1)};
}

int Clamp(int code, KnobRange range) { return std::clamp(code, range.minimum, range.maximum); }

}  // namespace

KnobRange GateKnobRange(GateKnob knob) {
    switch (knob) {
    case GateKnob::kThreshold: return {0, 60};
    case GateKnob::kAttack: return {1, 250};
    case GateKnob::kRelease: return {20, 250};
    }
    return {0, 0};
}

KnobRange CompKnobRange(CompKnob knob, bool limiter) {
    switch (knob) {
    case CompKnob::kThreshold: return {0, 60};
    case CompKnob::kRatio: return {10, 100};
    case CompKnob::kGain: return {0, 200};
    case CompKnob::kAttack: return {1, 250};
    case CompKnob::kRelease: return {limiter ? 1 : 20, 250};
    }
    return {0, 0};
}

int32_t& GateWord(int32_t (&gate)[4], GateKnob knob) { return gate[GateIndex(knob)]; }
int GateWord(const int32_t (&gate)[4], GateKnob knob) { return gate[GateIndex(knob)]; }

int32_t& CompWord(int32_t (&record)[5], CompKnob knob) { return record[CompIndex(knob)]; }
int CompWord(const int32_t (&record)[5], CompKnob knob) { return record[CompIndex(knob)]; }

bool IsDynamicsChannel(int channel) { return channel >= 0 && channel < kStripCount; }
bool SendsDynamics(int channel) { return channel >= 0 && channel < kInputCount; }

int GateDisplayKind(GateKnob knob) { return 51 + static_cast<int>(knob); }

int CompDisplayKind(CompKnob knob) {
    switch (knob) {
    case CompKnob::kThreshold: return 54;
    case CompKnob::kRatio: return 55;
    case CompKnob::kGain: return 58;
    case CompKnob::kAttack: return 56;
    case CompKnob::kRelease: return 57;
    }
    return 54;
}

DynamicsChange GateKnobChange(GateKnob knob) {
    switch (knob) {
    case GateKnob::kThreshold: return kGateChangeThreshold;
    case GateKnob::kAttack: return kGateChangeAttack;
    case GateKnob::kRelease: return kGateChangeRelease;
    }
    return kGateChangeAll;
}

DynamicsChange CompKnobChange(CompKnob knob) {
    switch (knob) {
    case CompKnob::kThreshold: return kCompChangeThreshold;
    case CompKnob::kRatio: return kCompChangeRatio;
    case CompKnob::kGain: return kCompChangeGain;
    case CompKnob::kAttack: return kCompChangeAttack;
    case CompKnob::kRelease: return kCompChangeRelease;
    }
    return kCompChangeAll;
}

Commands WriteGateKnob(MixerState& s, int channel, GateKnob knob, int code) {
    if (!IsDynamicsChannel(channel)) return {};
    GateWord(s.strips[channel].gate, knob) = Clamp(code, GateKnobRange(knob));
    return GateCommands(s, channel);
}

Commands WriteGateRange(MixerState& s, int channel, int range) {
    if (!IsDynamicsChannel(channel)) return {};
    s.strips[channel].gate[kGateUnused] = std::clamp(range, 0, kGateRangeMax);
    return GateCommands(s, channel);
}

Commands ToggleGate(MixerState& s, int channel) {
    if (!IsDynamicsChannel(channel)) return {};
    int32_t& on = s.strips[channel].gateOn;
    on = on != 0 ? 0 : 1;
    return GateCommands(s, channel);
}

Commands ResetGate(MixerState& s, int channel) {
    if (!IsDynamicsChannel(channel)) return {};
    StripRecord& r = s.strips[channel];
    r.gateOn = 1;
    ResetGateWords(r.gate);
    return GateCommands(s, channel);
}

Commands WriteCompKnob(MixerState& s, int channel, CompKnob knob, int code) {
    if (!IsDynamicsChannel(channel)) return {};
    CompWord(s.strips[channel].comp, knob) = Clamp(code, CompKnobRange(knob, false));
    return CompCommands(s, channel);
}

Commands ToggleComp(MixerState& s, int channel) {
    if (!IsDynamicsChannel(channel)) return {};
    int32_t& on = s.strips[channel].compOn;
    on = on != 0 ? 0 : 1;
    return CompCommands(s, channel);
}

Commands ResetComp(MixerState& s, int channel) {
    if (!IsDynamicsChannel(channel)) return {};
    StripRecord& r = s.strips[channel];
    r.compOn = 1;
    ResetDynamicsWords(r.comp, false);
    return CompCommands(s, channel);
}

Commands DynamicsChangeCommands(const MixerState& s, int channel, int change) {
    if (change >= kGateChangeOn && change <= kGateChangeAll) return GateCommands(s, channel);
    if (change >= kCompChangeOn && change <= kCompChangeGain) return CompCommands(s, channel);
    return {};
}

void CopyDynamicsChange(MixerState& s, int from, int to, int change) {
    if (!IsDynamicsChannel(from) || !IsDynamicsChannel(to)) return;
    const StripRecord& a = s.strips[from];
    StripRecord& b = s.strips[to];
    switch (change) {
    case kGateChangeOn: b.gateOn = a.gateOn; break;
    case kGateChangeThreshold: b.gate[kGateThreshold] = a.gate[kGateThreshold]; break;
    case kGateChangeAttack: b.gate[kGateAttack] = a.gate[kGateAttack]; break;
    case kGateChangeRelease: b.gate[kGateRelease] = a.gate[kGateRelease]; break;
    case kGateChangeAll:
        b.gateOn = a.gateOn;
        std::copy(std::begin(a.gate), std::end(a.gate), std::begin(b.gate));
        break;
    case kCompChangeOn: b.compOn = a.compOn; break;
    case kCompChangeThreshold: b.comp[kDynThreshold] = a.comp[kDynThreshold]; break;
    case kCompChangeRatio: b.comp[kDynRatio] = a.comp[kDynRatio]; break;
    case kCompChangeAttack: b.comp[kDynAttack] = a.comp[kDynAttack]; break;
    case kCompChangeRelease: b.comp[kDynRelease] = a.comp[kDynRelease]; break;
    case kCompChangeGain: b.comp[kDynGain] = a.comp[kDynGain]; break;
    case kCompChangeAll:
        b.compOn = a.compOn;
        std::copy(std::begin(a.comp), std::end(a.comp), std::begin(b.comp));
        break;
    default: break;
    }
}

}  // namespace mixer
