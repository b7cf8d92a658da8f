#include "pages/effect/effect_edits.h"

#include <algorithm>
#include <cmath>

#include "link/commands.h"

namespace mixer {

namespace {

constexpr std::array<ParamRange, kReverbParamCount> kReverbRanges = {
    ParamRange{30, 100}, {30, 100}, {30, 100}, {30, 100}, {1, 100}, {20, 20000}};
constexpr std::array<ParamRange, kDelayParamCount> kDelayRanges = {
    ParamRange{10, 1000}, {10, 1000}, {0, 100}, {20, 20000}};
constexpr std::array<int, kReverbParamCount> kReverbReset = {61, 48, 47, 50, 3, 20000};
constexpr std::array<int, kDelayParamCount> kDelayReset = {133, 232, 38, 20000};
constexpr int kFirstReverbKind = 62;
constexpr int kFirstDelayKind = 68;
constexpr int kLevelTop = 71;
constexpr int kMeterLevelMax = 70;

bool ValidParam(Effect effect, int param) { return param >= 0 && param < EffectParamCount(effect); }

template <class State>
auto* Params(State& s, Effect effect) {
    return effect == Effect::kReverb ? s.strips[kReverbReturn].reverbParams : s.strips[kDelayReturn].delayParams;
}

int LevelIndex(Effect effect, bool input) {
    if (effect == Effect::kReverb) return input ? kIndexReverbOut : kIndexReverbReturn;
    return input ? kIndexDelayOut : kIndexDelayReturn;
}

}  // namespace

int EffectChannel(Effect effect) { return effect == Effect::kReverb ? kReverbReturn : kDelayReturn; }
int EffectParamCount(Effect effect) { return effect == Effect::kReverb ? kReverbParamCount : kDelayParamCount; }

ParamRange EffectParamRange(Effect effect, int param) {
    if (!ValidParam(effect, param)) return {0, 0};
    return effect == Effect::kReverb ? kReverbRanges[param] : kDelayRanges[param];
}

int EffectParamKind(Effect effect, int param) {
    return (effect == Effect::kReverb ? kFirstReverbKind : kFirstDelayKind) +
           std::clamp(param, 0, EffectParamCount(effect) - 1);
}

int EffectParam(const MixerState& s, Effect effect, int param) {
    if (!ValidParam(effect, param)) return 0;
    return Params(s, effect)[param];
}

Commands WriteEffectParam(MixerState& s, Effect effect, int param, int value) {
    if (!ValidParam(effect, param)) return {};
    const ParamRange range = EffectParamRange(effect, param);
    Params(s, effect)[param] = std::clamp(value, range.minimum, range.maximum);
    return EffectCommands(s, effect);
}

Commands ResetEffect(MixerState& s, Effect effect) {
    int32_t* params = Params(s, effect);
    if (effect == Effect::kReverb) std::copy(kReverbReset.begin(), kReverbReset.end(), params);
    else std::copy(kDelayReset.begin(), kDelayReset.end(), params);
    return EffectCommands(s, effect);
}

Commands EffectCommands(const MixerState& s, Effect effect) {
    return {effect == Effect::kReverb ? BuildM(s) : BuildN(s)};
}

int LevelFromKnob(int position) {
    const int v = static_cast<int>(std::pow(10.0, std::clamp(position, 0, kEffectLevelKnobMax) / 100.0));
    return kLevelTop - std::clamp(v, 1, kLevelTop);
}

int KnobFromLevel(int level) {
    const int v = kLevelTop - std::clamp(level, 0, kLevelTop - 1);
    // The least position that gives the level back.
    int position = static_cast<int>(std::ceil(100.0 * std::log10(v) - 1e-9));
    while (position > 0 && LevelFromKnob(position - 1) == level) --position;
    while (position < kEffectLevelKnobMax && LevelFromKnob(position) > level) ++position;
    return std::clamp(position, 0, kEffectLevelKnobMax);
}

Commands WriteEffectInputLevel(MixerState& s, Effect effect, int level) {
    s.strips[EffectChannel(effect)].level2 = std::clamp(level, 0, kLevelTop - 1);
    return EffectLevelCommands(s, effect, true);
}

Commands WriteEffectOutputLevel(MixerState& s, Effect effect, int level) {
    s.strips[EffectChannel(effect)].level = std::clamp(level, 0, kLevelTop - 1);
    return EffectLevelCommands(s, effect, false);
}

Commands EffectLevelCommands(const MixerState& s, Effect effect, bool input) {
    return {BuildA(s, LevelIndex(effect, input))};
}

EffectMute EffectMuteAt(int button) {
    switch (button) {
    case 0: return {Effect::kReverb, true};
    case 1: return {Effect::kDelay, true};
    case 2: return {Effect::kReverb, false};
    default: return {Effect::kDelay, false};
    }
}

bool EffectMuted(const MixerState& s, int button) {
    if (button < 0 || button >= kEffectMuteCount) return false;
    const EffectMute m = EffectMuteAt(button);
    const StripRecord& r = s.strips[EffectChannel(m.effect)];
    return (m.input ? r.mute2 : r.mute) != 0;
}

Commands ToggleEffectMute(MixerState& s, int button) {
    if (button < 0 || button >= kEffectMuteCount) return {};
    const EffectMute m = EffectMuteAt(button);
    StripRecord& r = s.strips[EffectChannel(m.effect)];
    int32_t& flag = m.input ? r.mute2 : r.mute;
    flag = flag ? 0 : 1;
    return EffectLevelCommands(s, m.effect, m.input);
}

int EffectMeterValue(const MixerState& s, int button) {
    if (button < 0 || button >= kEffectMuteCount) return 0;
    const EffectMute m = EffectMuteAt(button);
    const StripRecord& r = s.strips[EffectChannel(m.effect)];
    return m.input ? r.meter2 : r.meter;
}

double EffectMeterBar(int value) {
    const double m = std::clamp(value, 0, 255);
    const double level = m <= 0 ? 0.0 : std::clamp(20.0 * std::log10(m * 0.021568627450980392) + 60.0, 0.0, 70.0);
    return kEffectLevelKnobMax - 100.0 * std::log10(kMeterLevelMax - level + 1.0);
}

}  // namespace mixer
