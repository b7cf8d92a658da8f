#include "link/reset_defaults.h"

#include <cstring>
#include <memory>
#include <string>

namespace mixer {

namespace {

constexpr int kResetBandFreq[kPeqBandCount] = {200, 500, 1000, 5000};
// A reset also clears the fifth PEQ slot's gain, Q and type.
constexpr int kResetBandSlots = 5;

void ResetStrip(StripRecord& s, int index) {
    for (int b = 0; b < kPeqBandCount; ++b) s.peqBands[b].freq = kResetBandFreq[b];
    for (int b = 0; b < kResetBandSlots; ++b) {
        PeqBand& p = s.peqBands[b];
        p.gain2 = 150;
        p.q = 20;
        p.other[0] = p.other[1] = 0;
        p.type = 0;
    }
    s.peqOn = 1;
    s.hpfFreq = kFreqMin;
    s.hpfType = 2;
    s.hpfSlope = 2;
    s.lpfFreq = kFreqMax;
    s.lpfType = 2;
    s.lpfSlope = 2;
    s.mute = s.mute2 = 0;
    s.pan = 100;
    s.level = 60;
    s.level2 = 0;
    s.solo = 0;
    s.phantom = 0;
    s.polarity = 0;
    s.compOn = 0;
    ResetDynamicsWords(s.comp, false);
    s.gateOn = 0;
    ResetGateWords(s.gate);
    s.gate[kGateUnused] = 20;
    s.other2[0] = 0;
    s.mainSend = 60;
    for (int32_t& v : s.auxSend) v = 60;
    for (int32_t& v : s.fxSend) v = 60;
    s.delayParams[kPreDelay1] = 133;
    s.delayParams[kPreDelay2] = 232;
    s.delayParams[kFeedback] = 38;
    s.delayParams[kDelayLpf] = kFreqMax;
    s.reverbParams[0] = 61;
    s.reverbParams[1] = 48;
    s.reverbParams[2] = 47;
    s.reverbParams[3] = 50;
    s.reverbParams[kRevTime] = 3;
    s.reverbParams[kRevLpf] = kFreqMax;
    s.index = index;
}

void ResetBus(BusRecord& b, int index) {
    for (GeqBand& g : b.geqBands) {
        g.other0 = 0;
        g.gain2 = 150;
        g.other[0] = 25;
        g.other[1] = g.other[2] = g.other[3] = 0;
    }
    b.geqOn = 1;
    b.mute = 0;
    b.balance = 100;
    b.level = 60;
    b.solo = 0;
    b.busMode = 1;
    b.limOn = 0;
    ResetDynamicsWords(b.lim, false);
    b.index = index;
}

}  // namespace

void ResetDynamicsWords(int32_t (&words)[5], bool keepGain) {
    words[kDynThreshold] = 0;
    words[kDynAttack] = 1;
    words[kDynRelease] = 20;
    words[kDynRatio] = 10;
    if (!keepGain) words[kDynGain] = 0;
}

void ResetGateWords(int32_t (&words)[4]) {
    words[kGateThreshold] = 0;
    words[kGateAttack] = 1;
    words[kGateRelease] = 20;
}

void ResetDefaults(MixerState& state) {
    for (int i = 0; i < kStripCount; ++i) ResetStrip(state.strips[i], i);
    // The effect returns come back closed, and so does MAIN.
    state.strips[kDelayReturn].level = 0;
    state.strips[kReverbReturn].level = 0;
    for (int i = 0; i < kBusCount; ++i) ResetBus(state.buses[i], i);
    state.buses[0].level = 0;
    state.buses[1].level = 0;
}

void SetDefaultNames(MixerState& state, int language) {
    const bool chinese = language == 2;
    // GBK bytes of "通道", "延时", "混响", "主音量" and "辅助".
    const std::string channel = chinese ? "\xCD\xA8\xB5\xC0 " : "CH ";
    const std::string aux = chinese ? "\xB8\xA8\xD6\xFA " : "AUX ";
    for (int i = 0; i < kInputCount; ++i) SetName(state.strips[i].name, (channel + std::to_string(i + 1)).c_str());
    SetName(state.strips[kDelayReturn].name, chinese ? "\xD1\xD3\xCA\xB1" : "DELAY");
    SetName(state.strips[kReverbReturn].name, chinese ? "\xBB\xEC\xCF\xEC" : "Reverb");
    SetName(state.buses[0].name, chinese ? "\xD6\xF7\xD2\xF4\xC1\xBF" : "MAIN");
    SetName(state.buses[1].name, "MAIN");
    for (int i = kFirstAux; i < kBusCount; ++i)
        SetName(state.buses[i].name, (aux + std::to_string(i - kFirstAux + 1)).c_str());
}

namespace {

void SwitchName(char (&name)[kNameSize], const char (&from)[kNameSize], const char (&to)[kNameSize]) {
    if (std::strncmp(name, from, kNameSize) == 0) std::memcpy(name, to, kNameSize);
}

}  // namespace

void SwitchDefaultNames(MixerState& state, int from, int to) {
    // Whole states, so that SetDefaultNames stays the only source of the default names.
    const auto before = std::make_unique<MixerState>();
    const auto after = std::make_unique<MixerState>();
    SetDefaultNames(*before, from);
    SetDefaultNames(*after, to);
    for (int i = 0; i < kStripCount; ++i) SwitchName(state.strips[i].name, before->strips[i].name, after->strips[i].name);
    for (int i = 0; i < kBusCount; ++i) SwitchName(state.buses[i].name, before->buses[i].name, after->buses[i].name);
}

}  // namespace mixer
