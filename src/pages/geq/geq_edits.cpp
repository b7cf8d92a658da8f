#include "pages/geq/geq_edits.h"

#include <algorithm>

#include "link/commands.h"

namespace mixer {

namespace {

constexpr int kFirstKind = 5;

bool ValidBand(int band) { return band >= 0 && band < kGeqBandCount; }

}  // namespace

bool IsGeqOutput(int output) { return output >= 0 && output < kBusCount; }

Commands GeqCommands(const MixerState& s, int output) {
    if (!IsGeqOutput(output)) return {};
    Commands c{BuildH(s, output + 1)};
    if (output == 0) c.push_back(BuildH(s, 2));
    return c;
}

Commands WriteGeqBand(MixerState& s, int output, int band, int gainCode) {
    if (!IsGeqOutput(output) || !ValidBand(band)) return {};
    const int code = std::clamp(gainCode, 0, kGainCodeMax);
    s.buses[output].geqBands[band].gain2 = code;
    if (output == 0) s.buses[1].geqBands[band].gain2 = code;
    return GeqCommands(s, output);
}

Commands ResetGeq(MixerState& s, int output) {
    if (!IsGeqOutput(output)) return {};
    for (int band = 0; band < kGeqBandCount; ++band) {
        s.buses[output].geqBands[band].gain2 = kGeqFlatGain;
        if (output == 0) s.buses[1].geqBands[band].gain2 = kGeqFlatGain;
    }
    return GeqCommands(s, output);
}

Commands GeqRecalled(MixerState& s, int output) {
    if (!IsGeqOutput(output)) return {};
    if (output == 0) {
        for (int band = 0; band < kGeqBandCount; ++band) s.buses[1].geqBands[band].gain2 = s.buses[0].geqBands[band].gain2;
    }
    return GeqCommands(s, output);
}

int GeqDisplayChannel(int output) { return output + kFirstOutputChannel; }
int GeqDisplayKind(int band) { return band + kFirstKind; }

}  // namespace mixer
