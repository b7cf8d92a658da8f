#include "host/value_display.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace mixer {

namespace {

std::string Printf(const char* fmt, ...) {
    char buf[64];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    return buf;
}

std::string OnOff(int flag) { return flag ? "OPEN" : "CLOSE"; }
std::string Level(int v) { return Printf("%ddB", v - 60); }
std::string EqGain(int v) { return Printf("%0.1fdB", (v - 150) * 0.1); }
std::string Balance(int v) { return Printf("%0.2f", (v - 100) * 0.01); }
std::string Hz(int v) { return Printf("%dHz", v); }
std::string Ms(int v) { return Printf("%dms", v); }
std::string Ratio(int v) { return Printf("1:%0.1f", v * 0.1); }
std::string TenthsDb(int v) { return Printf("%0.1fdB", v * 0.1); }

std::string NameOf(const char (&field)[kNameSize]) { return std::string(field, strnlen(field, kNameSize)); }

struct Names {
    std::string english;
    std::string chinese;
};

void Row(ValueDisplayText& out, int language, const Names& names, std::string box1, std::string box2 = {}) {
    out.hasRow = true;
    out.parameter = language == 2 ? names.chinese : names.english;
    out.box1 = std::move(box1);
    out.box2 = std::move(box2);
}

void FormatInput(ValueDisplayText& out, const StripRecord& s, int kind, int language) {
    const auto n = [](int k) { return std::to_string(k); };
    if (kind >= 5 && kind <= 19) {
        const int band = (kind - 5) / 3 + 1;
        const PeqBand& p = s.peqBands[band - 1];
        switch ((kind - 5) % 3) {
            case 0: Row(out, language, {"BAND" + n(band) + " GAIN", "频段" + n(band) + "增益"}, EqGain(p.gain2)); break;
            case 1: Row(out, language, {"BAND" + n(band) + " FRE", "频段" + n(band) + "频率"}, Hz(p.freq)); break;
            default: Row(out, language, {"BAND" + n(band) + " Q", "频段" + n(band) + "Q值"}, Printf("%0.2f", p.q * 0.1)); break;
        }
        return;
    }
    if (kind >= 22 && kind <= 26) {
        const int band = kind - 21;
        const PeqBand& p = s.peqBands[band - 1];
        // Bands 2 and 3 have always shown their unit in capitals.
        const char* unit = (kind == 23 || kind == 24) ? "%dHZ" : "%dHz";
        Row(out, language, {"BAND" + n(band), "频段" + n(band)}, EqGain(p.gain2), Printf(unit, p.freq));
        return;
    }
    if (kind >= 42 && kind <= 47) {
        Row(out, language, {"AUX" + n(kind - 41), "辅助" + n(kind - 41)}, Level(s.auxSend[kind - 42]));
        return;
    }
    if (kind >= 62 && kind <= 65) {
        Row(out, language, {"Delay" + n(kind - 61), "延时" + n(kind - 61)}, Ms(s.reverbParams[kind - 62]));
        return;
    }
    switch (kind) {
        case 0: Row(out, language, {"", ""}, ""); break;
        case 1: Row(out, language, {"MUTE", "静音"}, OnOff(s.mute)); break;
        case 2: Row(out, language, {"SOLO", "监听"}, OnOff(s.solo)); break;
        case 3: Row(out, language, {"VOL", "音量"}, Level(s.level)); break;
        case 4: Row(out, language, {"PHASE", "声像"}, Balance(s.pan)); break;
        case 20:
        case 27: Row(out, language, {"HPF", "高通"}, Hz(s.hpfFreq)); break;
        case 21:
        case 28: Row(out, language, {"LPF", "低通"}, Hz(s.lpfFreq)); break;
        case 41: Row(out, language, {"MAIN VOL", "主音量"}, Level(s.mainSend)); break;
        case 48: Row(out, language, {"Delay", "延时"}, Level(s.fxSend[0])); break;
        case 49: Row(out, language, {"Reverberation", "混响"}, Level(s.fxSend[1])); break;
        case 51: Row(out, language, {"Threshold", "阀值"}, Level(s.gate[kGateThreshold])); break;
        case 52: Row(out, language, {"Attack", "启动时间"}, Ms(s.gate[kGateAttack])); break;
        case 53: Row(out, language, {"Release", "释放时间"}, Ms(s.gate[kGateRelease])); break;
        case 54: Row(out, language, {"Threshold", "阀值"}, Level(s.comp[kDynThreshold])); break;
        case 55: Row(out, language, {"Ratio", "斜率"}, Ratio(s.comp[kDynRatio])); break;
        case 56: Row(out, language, {"Attack", "启动时间"}, Ms(s.comp[kDynAttack])); break;
        case 57: Row(out, language, {"Release", "释放时间"}, Ms(s.comp[kDynRelease])); break;
        case 58: Row(out, language, {"Gain", "增益"}, TenthsDb(s.comp[kDynGain])); break;
        case 61: Row(out, language, {"OUT VOL", "输出音量"}, Level(s.level2)); break;
        case 66: Row(out, language, {"Rev time", "混响时间"}, Printf("%0.1fs", s.reverbParams[kRevTime] * 0.1)); break;
        case 67: Row(out, language, {"LPF", "低通"}, Hz(s.reverbParams[kRevLpf])); break;
        case 68: Row(out, language, {"Pre delay1", "预延时1"}, Ms(s.delayParams[kPreDelay1])); break;
        case 69: Row(out, language, {"Pre delay2", "预延时2"}, Ms(s.delayParams[kPreDelay2])); break;
        case 70: Row(out, language, {"Feedback", "反馈"}, Printf("%d%%", s.delayParams[kFeedback])); break;
        case 71: Row(out, language, {"LPF", "低通"}, Hz(s.delayParams[kDelayLpf])); break;
        default: break;
    }
}

void FormatOutput(ValueDisplayText& out, const BusRecord& b, int kind, int language) {
    if (kind >= 5 && kind <= 35) {
        const std::string band = std::to_string(kind - 4);
        Row(out, language, {"BAND" + band, "频段" + band}, EqGain(b.geqBands[kind - 5].gain2));
        return;
    }
    switch (kind) {
        case 0: Row(out, language, {"", ""}, ""); break;
        case 1: Row(out, language, {"MUTE", "静音"}, OnOff(b.mute)); break;
        case 2: Row(out, language, {"SOLO", "监听"}, OnOff(b.solo)); break;
        case 3: Row(out, language, {"VOL", "音量"}, Level(b.level)); break;
        case 4: Row(out, language, {"PHASE", "声像"}, Balance(b.balance)); break;
        case 41: Row(out, language, {"Threshold", "阀值"}, Level(b.lim[kDynThreshold])); break;
        case 42: Row(out, language, {"Ratio", "比例"}, Ratio(b.lim[kDynRatio])); break;
        case 43: Row(out, language, {"Attack", "启动时间"}, Ms(b.lim[kDynAttack])); break;
        case 44: Row(out, language, {"Release", "释放时间"}, Ms(b.lim[kDynRelease])); break;
        case 45: Row(out, language, {"Gain", "增益"}, TenthsDb(b.lim[kDynGain])); break;
        default: break;
    }
}

}  // namespace

ValueDisplayText FormatValueDisplay(const MixerState& state, int channel, int kind, int language) {
    ValueDisplayText out;
    if (channel < 0 || channel >= kDisplayChannelCount) return out;
    if (channel < kFirstOutputChannel) {
        const StripRecord& s = state.strips[channel];
        out.channelName = NameOf(s.name);
        FormatInput(out, s, kind, language);
    } else {
        const BusRecord& b = state.buses[channel - kFirstOutputChannel];
        out.channelName = NameOf(b.name);
        FormatOutput(out, b, kind, language);
    }
    return out;
}

}  // namespace mixer
