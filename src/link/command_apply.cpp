#include "link/command_apply.h"

#include <vector>

#include "link/commands.h"
#include "link/wire_format.h"

namespace mixer {

namespace {

// The fields after the unit field, decoded: hex, or decimal for P's value.
class Fields {
public:
    Fields(const std::vector<std::string_view>& parts, bool decimalLast) {
        // parts: letter, unit, fields..., checksum
        for (std::size_t i = 2; i + 1 < parts.size(); ++i) {
            const bool decimal = decimalLast && i + 2 == parts.size();
            int value = 0;
            if (!Decode(parts[i], decimal ? 10 : 16, value)) {
                ok_ = false;
                return;
            }
            values_.push_back(value);
        }
    }

    bool Has(std::size_t count) const { return ok_ && values_.size() >= count; }
    int operator[](std::size_t i) const { return values_[i]; }

private:
    static bool Decode(std::string_view text, int base, int& value) {
        if (text.empty() || text.size() > 4) return false;
        value = 0;
        for (char c : text) {
            int d = -1;
            if (c >= '0' && c <= '9') d = c - '0';
            else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
            if (d < 0) return false;
            value = value * base + d;
        }
        return true;
    }

    std::vector<int> values_;
    bool ok_ = true;
};

bool StripIndex(int index) { return index >= 1 && index <= kStripCount; }
bool BusIndex(int index) { return index >= 1 && index <= kBusCount; }

bool ApplyA(const Fields& f, MixerState& s) {
    if (!f.Has(3)) return false;
    const int index = f[0];
    int32_t* mute = nullptr;
    int32_t* level = nullptr;
    if (index >= 1 && index <= kInputCount) {
        mute = &s.strips[index - 1].mute;
        level = &s.strips[index - 1].level;
    } else if (index >= kFirstBusIndexA && index < kFirstBusIndexA + kBusCount) {
        mute = &s.buses[index - kFirstBusIndexA].mute;
        level = &s.buses[index - kFirstBusIndexA].level;
    } else if (index >= 25 && index <= kIndexReverbOut) {
        StripRecord& r = s.strips[index <= kIndexDelayOut ? kDelayReturn : kReverbReturn];
        const bool second = index == kIndexDelayOut || index == kIndexReverbOut;
        mute = second ? &r.mute2 : &r.mute;
        level = second ? &r.level2 : &r.level;
    } else {
        return false;
    }
    *mute = f[1];
    *level = f[2];
    return true;
}

bool ApplyDynamics(const Fields& f, int32_t& on, int32_t (&d)[5]) {
    on = f[1];
    d[kDynRatio] = f[2];
    d[kDynThreshold] = f[3];
    d[kDynAttack] = f[4];
    d[kDynRelease] = f[5];
    d[kDynGain] = f[6];
    return true;
}

bool ApplyFilter(const Fields& f, int32_t& on, int32_t& type, int32_t& freq, int32_t& slope) {
    on = f[1];
    type = f[2];
    freq = f[3];
    slope = f[4];
    return true;
}

bool Apply(char letter, const Fields& f, MixerState& s) {
    const int index = f.Has(1) ? f[0] : 0;
    switch (letter) {
        case 'A': return ApplyA(f, s);
        case 'B': {
            if (!f.Has(5) || !StripIndex(index)) return false;
            StripRecord& r = s.strips[index - 1];
            r.gateOn = f[1];
            r.gate[kGateThreshold] = f[2];
            r.gate[kGateAttack] = f[3];
            r.gate[kGateRelease] = f[4];
            return true;
        }
        case 'C':
            if (!f.Has(7) || !StripIndex(index)) return false;
            return ApplyDynamics(f, s.strips[index - 1].compOn, s.strips[index - 1].comp);
        case 'D':
            if (!f.Has(7) || !BusIndex(index)) return false;
            return ApplyDynamics(f, s.buses[index - 1].limOn, s.buses[index - 1].lim);
        case 'E': {
            if (!f.Has(5) || !StripIndex(index)) return false;
            StripRecord& r = s.strips[index - 1];
            return ApplyFilter(f, r.lpfOn, r.lpfType, r.lpfFreq, r.lpfSlope);
        }
        case 'F': {
            if (!f.Has(5) || !StripIndex(index)) return false;
            StripRecord& r = s.strips[index - 1];
            return ApplyFilter(f, r.hpfOn, r.hpfType, r.hpfFreq, r.hpfSlope);
        }
        case 'G': {
            if (!f.Has(7) || !StripIndex(index) || f[2] < 1 || f[2] > kPeqBandCount) return false;
            StripRecord& r = s.strips[index - 1];
            PeqBand& p = r.peqBands[f[2] - 1];
            r.peqOn = f[1];
            p.type = f[3] - 1;
            p.freq = f[4];
            p.gain2 = f[5] * 2;
            p.q = f[6];
            return true;
        }
        case 'H': {
            if (!f.Has(2 + kGeqBandCount) || !BusIndex(index)) return false;
            BusRecord& b = s.buses[index - 1];
            b.geqOn = f[1];
            for (int k = 0; k < kGeqBandCount; ++k) b.geqBands[k].gain2 = f[2 + k] * 2;
            return true;
        }
        case 'I': {
            if (!f.Has(8) || !StripIndex(index)) return false;
            StripRecord& r = s.strips[index - 1];
            r.mainSend = f[1];
            for (int k = 0; k < 6; ++k) r.auxSend[k] = f[2 + k];
            return true;
        }
        case 'J':
            if (!f.Has(3) || !StripIndex(index)) return false;
            s.strips[index - 1].fxSend[0] = f[1];
            s.strips[index - 1].fxSend[1] = f[2];
            return true;
        case 'K':
            if (!f.Has(2)) return false;
            if (index >= 1 && index < kFirstStripIndexK) s.buses[index + 1].solo = f[1];
            else if (index >= kFirstStripIndexK && index < kFirstStripIndexK + kStripCount)
                s.strips[index - kFirstStripIndexK].solo = f[1];
            else return false;
            return true;
        case 'L':
            if (!f.Has(2)) return false;
            if (StripIndex(index)) s.strips[index - 1].pan = f[1];
            else if (index == kIndexMainBalance) s.buses[0].balance = s.buses[1].balance = f[1];
            else return false;
            return true;
        case 'M': {
            if (!f.Has(6)) return false;
            for (int k = 0; k < 6; ++k) s.strips[kReverbReturn].reverbParams[k] = f[k];
            return true;
        }
        case 'N': {
            if (!f.Has(4)) return false;
            for (int k = 0; k < 4; ++k) s.strips[kDelayReturn].delayParams[k] = f[k];
            return true;
        }
        case 'O':
            if (!f.Has(3) || !StripIndex(index)) return false;
            s.strips[index - 1].polarity = f[1];
            s.strips[index - 1].phantom = f[2];
            return true;
        case 'P':
            if (!f.Has(2) || !BusIndex(index)) return false;
            s.buses[index - 1].busMode = f[1];
            return true;
        default:
            return false;
    }
}

}  // namespace

bool ApplyCommand(std::string_view message, MixerState& state) {
    if (message.size() < kMinMessageLength || message.front() != '%' || !CheckFrame(message)) return false;
    const std::vector<std::string_view> parts = SplitParts(message);
    if (parts.size() < 3 || parts[0].size() != 1) return false;
    const char letter = parts[0][0];
    MixerState edited = state;
    if (!Apply(letter, Fields(parts, letter == 'P'), edited)) return false;
    ClampToRanges(edited);
    state = edited;
    return true;
}

}  // namespace mixer
