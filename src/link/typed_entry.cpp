#include "link/typed_entry.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

#include "link/channel_edits.h"
#include "link/commands.h"

namespace mixer {

namespace {

std::string Upper(std::string_view text) {
    std::string t(text);
    for (char& c : t)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return t;
}

std::size_t SkipSpace(std::string_view t, std::size_t i) {
    while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
    return i;
}

// Integer part of a finite real, saturated to int.
int Truncate(double x) {
    if (x >= INT_MAX) return INT_MAX;
    if (x <= INT_MIN) return INT_MIN;
    return static_cast<int>(x);
}

// --- conversion rules; each returns the value to store ---

// "OPEN"/"CLOSE" for inputs, "开"/"关" for outputs; -1 leaves the value.
int OnOff(const std::string& upper, bool output) {
    if (output) {
        if (upper == "开") return 1;
        if (upper == "关") return 0;
    } else {
        if (upper == "OPEN") return 1;
        if (upper == "CLOSE") return 0;
    }
    return -1;
}

int LevelRule(std::string_view t) {
    const long db = ReadLeadingInteger(t);
    if (db < -60) return 0;
    if (db > 10) return kLevelMax;
    return static_cast<int>(db + 60);
}

int ThresholdRule(std::string_view t) {
    const long db = ReadLeadingInteger(t);
    if (db < -60) return 0;
    if (db > 0) return 60;
    return static_cast<int>(db + 60);
}

int BalanceRule(std::string_view t) {
    const double x = ReadLeadingReal(t);
    if (x < -1.0) return 0;
    if (x > 1.0) return kPanMax;
    return Truncate((x + 1.0) * 100.0);
}

int EqGainRule(std::string_view t) {
    const double x = ReadLeadingReal(t);
    if (x < -15.0) return 0;
    if (x > 15.0) return kGainCodeMax;
    return Truncate(x * 10.0 + 150.0);
}

int FrequencyRule(std::string_view t) {
    const double x = ReadLeadingReal(t);
    if (x < kFreqMin) return kFreqMin;
    if (x > kFreqMax) return kFreqMax;
    return Truncate(x);
}

// Real x stored as tenths within [lo/10, hi/10], below lo stores loStore.
int TenthsRule(std::string_view t, double lo, double hi, int loStore, int hiStore) {
    const double x = ReadLeadingReal(t);
    if (x < lo) return loStore;
    if (x > hi) return hiStore;
    return Truncate(x * 10.0);
}

int QRule(std::string_view t) { return TenthsRule(t, 0.1, 20.0, kQMin, kQMax); }
int RatioRule(std::string_view t) { return TenthsRule(t, 1.0, 10.0, 10, 100); }
int GainRule(std::string_view t) { return TenthsRule(t, 0.0, 20.0, 0, 200); }
int TimeTenthsRule(std::string_view t) { return TenthsRule(t, 0.1, 10.0, 1, 100); }

int RangeRule(std::string_view t, int lo, int hi) {
    return static_cast<int>(std::clamp<long>(ReadLeadingInteger(t), lo, hi));
}

// --- the tables ---

TypedEntryResult Stored(const Commands& commands) {
    TypedEntryResult r;
    r.stored = true;
    for (const std::string& c : commands)
        if (!c.empty()) r.commands.push_back(c);
    return r;
}

bool IsInputChannel(int channel) { return channel < kInputCount; }

TypedEntryResult ApplyInput(MixerState& state, int channel, int kind, std::string_view text) {
    StripRecord& s = state.strips[channel];
    const int ch = channel + 1;
    const std::string upper = Upper(text);
    // Commands that only the input channels (not the returns) take.
    auto inputOnly = [&](std::string command) { return IsInputChannel(channel) ? command : std::string(); };

    if (kind >= 5 && kind <= 19) {  // band b gain, frequency, Q
        const int band = (kind - 5) / 3 + 1;
        PeqBand& p = s.peqBands[band - 1];
        switch ((kind - 5) % 3) {
            case 0: p.gain2 = EqGainRule(text); break;
            case 1: p.freq = FrequencyRule(text); break;
            default: p.q = QRule(text); break;
        }
        return Stored({BuildG(state, ch, band)});
    }
    if (kind >= 22 && kind <= 26) {
        const int band = kind - 21;
        s.peqBands[band - 1].gain2 = EqGainRule(text);
        return Stored({BuildG(state, ch, band)});
    }
    if (kind >= 42 && kind <= 47) {
        s.auxSend[kind - 42] = LevelRule(text);
        return Stored({BuildI(state, ch)});
    }
    // The effect parameters live in their return's record only.
    if ((kind >= 62 && kind <= 67 && channel != kReverbReturn) || (kind >= 68 && kind <= 71 && channel != kDelayReturn))
        return {};
    if (kind >= 62 && kind <= 65) {
        s.reverbParams[kind - 62] = RangeRule(text, 30, 100);
        return Stored({BuildM(state)});
    }
    switch (kind) {
        case 1:
        case 2: {
            const int v = OnOff(upper, false);
            if (v < 0) return {};
            return Stored(kind == 1 ? WriteStripMute(state, channel, v) : WriteStripSolo(state, channel, v));
        }
        case 3: return Stored(WriteStripLevel(state, channel, LevelRule(text)));
        case 4: return Stored(WriteStripPan(state, channel, BalanceRule(text)));
        case 20:
        case 27: s.hpfFreq = FrequencyRule(text); return Stored({inputOnly(BuildF(state, ch))});
        case 21:
        case 28: s.lpfFreq = FrequencyRule(text); return Stored({inputOnly(BuildE(state, ch))});
        case 41: s.mainSend = LevelRule(text); return Stored({BuildI(state, ch)});
        case 48:
        case 49: s.fxSend[kind - 48] = LevelRule(text); return Stored({inputOnly(BuildJ(state, ch))});
        case 51: s.gate[kGateThreshold] = ThresholdRule(text); return Stored({inputOnly(BuildB(state, ch))});
        case 52: s.gate[kGateAttack] = RangeRule(text, 1, 250); return Stored({inputOnly(BuildB(state, ch))});
        case 53: s.gate[kGateRelease] = RangeRule(text, 20, 250); return Stored({inputOnly(BuildB(state, ch))});
        case 54: s.comp[kDynThreshold] = ThresholdRule(text); return Stored({inputOnly(BuildC(state, ch))});
        case 55: s.comp[kDynRatio] = RatioRule(text); return Stored({inputOnly(BuildC(state, ch))});
        case 56: s.comp[kDynAttack] = RangeRule(text, 1, 250); return Stored({inputOnly(BuildC(state, ch))});
        case 57: s.comp[kDynRelease] = RangeRule(text, 20, 250); return Stored({inputOnly(BuildC(state, ch))});
        case 58: s.comp[kDynGain] = GainRule(text); return Stored({inputOnly(BuildC(state, ch))});
        case 61:
            if (channel < kDelayReturn) return {};  // only the effect returns have an output path
            s.level2 = LevelRule(text);
            return Stored({BuildA(state, channel == kDelayReturn ? kIndexDelayOut : kIndexReverbOut)});
        case 66: s.reverbParams[kRevTime] = TimeTenthsRule(text); return Stored({BuildM(state)});
        case 67: s.reverbParams[kRevLpf] = FrequencyRule(text); return Stored({BuildM(state)});
        case 68:
        case 69: s.delayParams[kind - 68] = RangeRule(text, 10, 1000); return Stored({BuildN(state)});
        case 70: s.delayParams[kFeedback] = RangeRule(text, 0, 100); return Stored({BuildN(state)});
        case 71: s.delayParams[kDelayLpf] = FrequencyRule(text); return Stored({BuildN(state)});
        default: return {};
    }
}

TypedEntryResult ApplyOutput(MixerState& state, int bus, int kind, std::string_view text) {
    const std::string upper = Upper(text);
    // Every value stored on MAIN goes to both of its records.
    auto storeLim = [&](int which, int value) {
        if (!IsMainBus(bus)) {
            state.buses[bus].lim[which] = value;
            return Stored({BuildD(state, bus + 1)});
        }
        state.buses[0].lim[which] = state.buses[1].lim[which] = value;
        return Stored({BuildD(state, 1), BuildD(state, 2)});
    };

    if (kind >= 5 && kind <= 35) {
        const int band = kind - 5;
        if (!IsMainBus(bus)) {
            state.buses[bus].geqBands[band].gain2 = EqGainRule(text);
            return Stored({BuildH(state, bus + 1)});
        }
        state.buses[0].geqBands[band].gain2 = state.buses[1].geqBands[band].gain2 = EqGainRule(text);
        return Stored({BuildH(state, 1), BuildH(state, 2)});
    }
    switch (kind) {
        case 1:
        case 2: {
            const int v = OnOff(upper, true);
            if (v < 0) return {};
            return Stored(kind == 1 ? WriteBusMute(state, bus, v) : WriteBusSolo(state, bus, v));
        }
        case 3: return Stored(WriteBusLevel(state, bus, LevelRule(text)));
        case 4: return Stored(WriteBusBalance(state, bus, BalanceRule(text)));
        case 41: return storeLim(kDynThreshold, ThresholdRule(text));
        case 42: return storeLim(kDynRatio, RatioRule(text));
        case 43: return storeLim(kDynAttack, RangeRule(text, 1, 250));
        case 44: return storeLim(kDynRelease, RangeRule(text, 1, 250));
        case 45: return storeLim(kDynGain, GainRule(text));
        default: return {};
    }
}

}  // namespace

long ReadLeadingInteger(std::string_view t) {
    std::size_t i = SkipSpace(t, 0);
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    long value = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
        if (value < LONG_MAX / 10) value = value * 10 + (t[i] - '0');
        else value = LONG_MAX;  // saturate: every rule clamps far below this
    }
    return negative ? -value : value;
}

double ReadLeadingReal(std::string_view t) {
    // Only sign, digits and one point are taken, so that "inf", "nan" or hex
    // floats can never reach the rules.
    const std::size_t start = SkipSpace(t, 0);
    std::size_t i = start;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const std::size_t digitsFrom = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i < t.size() && t[i] == '.')
        for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9';) ++i;
    std::string number(t.substr(digitsFrom, i - digitsFrom));
    if (number.empty() || number == ".") return 0.0;
    double value = 0.0;
    const std::errc error = std::from_chars(number.data(), number.data() + number.size(), value).ec;
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: far outside every rule's range either way.
        const bool large = number.find_first_of("123456789") < number.find('.');
        value = large ? 1e300 : 0.0;
    } else if (error != std::errc()) {
        return 0.0;
    }
    return t[start] == '-' ? -value : value;
}

TypedEntryResult ApplyTypedValue(MixerState& state, int channel, int kind, int box, std::string_view text) {
    if (channel < 0 || channel >= kDisplayChannelCount) return {};
    if (box == 1) {
        if (channel >= kFirstOutputChannel || kind < 22 || kind > 26) return {};
        const int band = kind - 21;
        state.strips[channel].peqBands[band - 1].freq = FrequencyRule(text);
        return Stored({BuildG(state, channel + 1, band)});
    }
    if (box != 0) return {};
    if (channel >= kFirstOutputChannel) return ApplyOutput(state, channel - kFirstOutputChannel, kind, text);
    return ApplyInput(state, channel, kind, text);
}

}  // namespace mixer
