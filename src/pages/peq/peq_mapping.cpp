#include "pages/peq/peq_mapping.h"

#include <algorithm>
#include <cmath>

#include "link/mixer_state.h"

namespace mixer {

int GainCodeFromKnob(int position) { return std::clamp(position, 0, kGainKnobMax); }
int KnobFromGainCode(int code) { return std::clamp(code, 0, kGainKnobMax); }

int FreqFromKnob(int position) {
    const int p = std::clamp(position, kFreqKnobMin, kFreqKnobMax);
    return static_cast<int>(std::trunc(std::pow(10.0, (p + 100) / 100.0) + 0.5));
}

int KnobFromFreq(int hz) {
    // Rounded, not truncated: a knob position stores its frequency rounded to
    // whole hertz, which often lies just below the position's exact value, so
    // truncating would show the knob one step lower than where it was set and
    // a one-step nudge after a refresh would store the same frequency again.
    const double p = 100.0 * std::log10(std::max(hz, 1)) - 100.0;
    return std::clamp(static_cast<int>(std::lround(p)), kFreqKnobMin, kFreqKnobMax);
}

int QCodeFromKnob(int position) { return std::clamp(position, 0, kQKnobMax) + 1; }
int KnobFromQCode(int code) { return std::clamp(code - 1, 0, kQKnobMax); }
int SlopeFromIndex(int index) { return std::clamp(index, 0, kSlopeEntries - 1) + kSlopeMin; }
int IndexFromSlope(int slope) { return std::clamp(slope - kSlopeMin, 0, kSlopeEntries - 1); }

int GainCodeFromDb(double db) {
    if (!std::isfinite(db)) return kGainKnobMax / 2;
    return std::clamp(static_cast<int>(std::trunc(db * 10.0 + 150.0)), 0, kGainCodeMax);
}

int FreqFromGraph(double hz) {
    if (!std::isfinite(hz)) return kFreqMin;
    return std::clamp(static_cast<int>(std::trunc(hz)), kFreqMin, kFreqMax);
}

}  // namespace mixer
