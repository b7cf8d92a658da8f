#include "pages/limiter/limiter_edits.h"

#include <algorithm>

#include "link/commands.h"
#include "link/reset_defaults.h"

namespace mixer {

namespace {

void Reset(BusRecord& b, int threshold) {
    b.limOn = 1;
    ResetDynamicsWords(b.lim, true);
    b.lim[kDynThreshold] = threshold;
}

void CopyToPair(MixerState& s, int output) {
    if (!IsMainBus(output)) return;
    const BusRecord& from = s.buses[output];
    BusRecord& to = s.buses[1 - output];
    to.limOn = from.limOn;
    std::copy(std::begin(from.lim), std::end(from.lim), std::begin(to.lim));
}

}  // namespace

bool IsLimiterOutput(int output) { return output >= 0 && output < kBusCount; }

Commands LimiterCommands(const MixerState& s, int output) {
    if (!IsLimiterOutput(output)) return {};
    if (IsMainBus(output)) return {BuildD(s, 1), BuildD(s, 2)};
    return {BuildD(s, output + 1)};
}

Commands WriteLimiterKnob(MixerState& s, int output, CompKnob knob, int code) {
    if (!IsLimiterOutput(output)) return {};
    const KnobRange range = CompKnobRange(knob, true);
    const int value = std::clamp(code, range.minimum, range.maximum);
    CompWord(s.buses[output].lim, knob) = value;
    CopyToPair(s, output);
    return LimiterCommands(s, output);
}

Commands ToggleLimiter(MixerState& s, int output) {
    if (!IsLimiterOutput(output)) return {};
    const int on = s.buses[output].limOn != 0 ? 0 : 1;
    s.buses[output].limOn = on;
    CopyToPair(s, output);
    return LimiterCommands(s, output);
}

Commands ResetLimiter(MixerState& s, int output) {
    if (!IsLimiterOutput(output)) return {};
    if (IsMainBus(output)) {
        Reset(s.buses[0], 0);
        Reset(s.buses[1], kMainPairResetThreshold);
    } else {
        Reset(s.buses[output], 0);
    }
    return LimiterCommands(s, output);
}

Commands LimiterRecalled(MixerState& s, int output) {
    if (!IsLimiterOutput(output)) return {};
    CopyToPair(s, output);
    return LimiterCommands(s, output);
}

int LimiterDisplayKind(CompKnob knob) {
    switch (knob) {
    case CompKnob::kThreshold: return 41;
    case CompKnob::kRatio: return 42;
    case CompKnob::kGain: return 45;
    case CompKnob::kAttack: return 43;
    case CompKnob::kRelease: return 44;
    }
    return 41;
}

int LimiterDisplayChannel(int output) { return output + kFirstOutputChannel; }

}  // namespace mixer
