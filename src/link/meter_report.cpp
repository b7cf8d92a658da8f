#include "link/meter_report.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "link/wire_format.h"

namespace mixer {

namespace {

// "%Q,uu," then the digits: value k starts at 6 + 2k of the whole message.
constexpr std::size_t kFirstDigit = 6;
constexpr std::size_t kDigitCount = 2 * kMeterValueCount;

template <typename State>
auto& MeterField(State& s, int k) {
    if (k < kInputCount) return s.strips[k].meter;
    switch (k) {
        case 16: return s.strips[kDelayReturn].meter;
        case 17: return s.strips[kDelayReturn].meter2;
        case 18: return s.strips[kReverbReturn].meter;
        case 19: return s.strips[kReverbReturn].meter2;
        case 28: return s.buses[0].meter2;
        case 29: return s.buses[1].meter2;
        default: return s.buses[k - 20].meter;
    }
}

}  // namespace

bool ParseMeterReport(std::string_view message, MixerState& state) {
    if (message.size() < kMinMessageLength || message.front() != '%' || message[1] != 'Q' || !CheckFrame(message))
        return false;
    // The digits must lie before the checksum's ",XXXX#".
    if (message.size() < kFirstDigit + kDigitCount + 6) return false;
    PackedReader reader(message.substr(kFirstDigit, kDigitCount));
    int values[kMeterValueCount];
    for (int& v : values)
        if (!reader.Read(2, v)) return false;
    for (int k = 0; k < kMeterValueCount; ++k) MeterField(state, k) = values[k];
    return true;
}

bool ClearMeterLevels(MixerState& state) {
    bool changed = false;
    for (int k = 0; k < kMeterValueCount; ++k) {
        auto& field = MeterField(state, k);
        changed = changed || field != 0;
        field = 0;
    }
    return changed;
}

void CopyMeterLevels(const MixerState& from, MixerState& to) {
    for (int k = 0; k < kMeterValueCount; ++k) MeterField(to, k) = MeterField(from, k);
}

int MeterLevel(const MixerState& state, int k) {
    return k >= 0 && k < kMeterValueCount ? MeterField(state, k) : 0;
}

std::string BuildMeterReport(const MixerState& state) {
    std::string digits;
    for (int k = 0; k < kMeterValueCount; ++k) digits += Hex2(MeterField(state, k));
    return FormatMessage('Q', {"01", digits});
}

double MeterBarHeight(int level) {
    level = std::clamp(level, 0, 255);
    // A silent channel draws no bar at all; the formula's floor (0.87) would
    // light a stripe as if it carried signal.
    if (level == 0) return 0.0;
    double d = 20.0 * std::log10(level * 0.021568627450980392) + 60.0;
    d = std::clamp(d, 0.0, 70.0);
    return kMeterBarMax - 100.0 * std::log10((70.0 - d) + 1.0);
}

}  // namespace mixer
