#include "pages/geq/geq_edits.h"

#include <algorithm>

#include "link/commands.h"

namespace mixer {

namespace {

constexpr int kFirstKind = 5;

bool ValidBand(int band) { return band >= 0 && band < kGeqBandCount; }

void WriteGain(MixerState& s, int output, int band, int code) {
    if (IsMainBus(output)) {
        s.buses[0].geqBands[band].gain2 = code;
        s.buses[1].geqBands[band].gain2 = code;
    } else {
        s.buses[output].geqBands[band].gain2 = code;
    }
}

}  // namespace

bool IsGeqOutput(int output) { return output >= 0 && output < kBusCount; }

Commands GeqCommands(const MixerState& s, int output) {
    if (!IsGeqOutput(output)) return {};
    if (IsMainBus(output)) return {BuildH(s, 1), BuildH(s, 2)};
    return {BuildH(s, output + 1)};
}

Commands WriteGeqBand(MixerState& s, int output, int band, int gainCode) {
    if (!IsGeqOutput(output) || !ValidBand(band)) return {};
    WriteGain(s, output, band, std::clamp(gainCode, 0, kGainCodeMax));
    return GeqCommands(s, output);
}

Commands ResetGeq(MixerState& s, int output) {
    if (!IsGeqOutput(output)) return {};
    for (int band = 0; band < kGeqBandCount; ++band) WriteGain(s, output, band, kGeqFlatGain);
    return GeqCommands(s, output);
}

Commands GeqRecalled(MixerState& s, int output) {
    if (!IsGeqOutput(output)) return {};
    if (IsMainBus(output)) {
        for (int band = 0; band < kGeqBandCount; ++band) WriteGain(s, output, band, s.buses[output].geqBands[band].gain2);
    }
    return GeqCommands(s, output);
}

int GeqDisplayChannel(int output) { return output + kFirstOutputChannel; }
int GeqDisplayKind(int band) { return band + kFirstKind; }

}  // namespace mixer
