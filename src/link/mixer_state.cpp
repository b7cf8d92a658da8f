#include "link/mixer_state.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace mixer {

int FaderPositionFromLevel(int level) {
    level = std::clamp(level, 0, kLevelMax);
    // The logarithmic taper, stretched to the whole travel. At the bottom
    // it crowds the levels closer than one position apart; there each level
    // keeps one position of its own instead.
    const double taper = kFaderPositionMax * std::log10(kLevelMax + 1.0 - level) / std::log10(kLevelMax + 1.0);
    return std::min(static_cast<int>(std::lround(taper)), kFaderPositionMax - level);
}

int LevelFromFaderPosition(int position) {
    int best = 0;
    int bestDistance = std::abs(FaderPositionFromLevel(0) - position);
    for (int level = 1; level <= kLevelMax; ++level) {
        const int distance = std::abs(FaderPositionFromLevel(level) - position);
        if (distance < bestDistance) {
            best = level;
            bestDistance = distance;
        }
    }
    return best;
}

void SetName(char (&field)[kNameSize], const char* text) {
    std::memset(field, 0, kNameSize);
    if (text) std::strncpy(field, text, kNameSize - 1);
}

namespace {

void Clamp(int32_t& v, int lo, int hi) { v = std::clamp<int32_t>(v, lo, hi); }
void ClampFlag(int32_t& v) { Clamp(v, 0, 1); }

void ClampDynamics(int32_t (&d)[5], int releaseMin) {
    Clamp(d[kDynThreshold], 0, 60);
    Clamp(d[kDynAttack], 1, 250);
    Clamp(d[kDynRelease], releaseMin, 250);
    Clamp(d[kDynGain], 0, 200);
    Clamp(d[kDynRatio], 10, 100);
}

void ClampStrip(StripRecord& s) {
    for (int b = 0; b < kPeqBandCount; ++b) {
        PeqBand& p = s.peqBands[b];
        Clamp(p.freq, kFreqMin, kFreqMax);
        Clamp(p.gain2, 0, kGainCodeMax);
        Clamp(p.q, kQMin, kQMax);
        Clamp(p.type, 0, kPeqTypeMax);
    }
    ClampFlag(s.peqOn);
    Clamp(s.hpfFreq, kFreqMin, kFreqMax);
    Clamp(s.hpfType, 0, 255);
    Clamp(s.hpfSlope, kSlopeMin, kSlopeMax);
    ClampFlag(s.hpfOn);
    Clamp(s.lpfFreq, kFreqMin, kFreqMax);
    Clamp(s.lpfType, 0, 255);
    Clamp(s.lpfSlope, kSlopeMin, kSlopeMax);
    ClampFlag(s.lpfOn);
    ClampFlag(s.mute);
    ClampFlag(s.mute2);
    Clamp(s.pan, 0, kPanMax);
    Clamp(s.level, 0, kLevelMax);
    Clamp(s.level2, 0, kLevelMax);
    ClampFlag(s.solo);
    Clamp(s.meter, 0, 255);
    Clamp(s.meter2, 0, 255);
    ClampFlag(s.phantom);
    ClampFlag(s.polarity);
    ClampFlag(s.compOn);
    ClampDynamics(s.comp, 20);
    ClampFlag(s.gateOn);
    Clamp(s.gate[kGateThreshold], 0, 60);
    Clamp(s.gate[kGateAttack], 1, 250);
    Clamp(s.gate[kGateRelease], 20, 250);
    Clamp(s.mainSend, 0, kLevelMax);
    for (int32_t& v : s.auxSend) Clamp(v, 0, kLevelMax);
    for (int32_t& v : s.fxSend) Clamp(v, 0, kLevelMax);
    s.name[kNameSize - 1] = '\0';
}

void ClampDelay(int32_t (&p)[4]) {
    Clamp(p[kPreDelay1], 10, 1000);
    Clamp(p[kPreDelay2], 10, 1000);
    Clamp(p[kFeedback], 0, 100);
    Clamp(p[kDelayLpf], kFreqMin, kFreqMax);
}

void ClampReverb(int32_t (&p)[6]) {
    for (int i = kRevDelay1; i < kRevTime; ++i) Clamp(p[i], 30, 100);
    Clamp(p[kRevTime], 1, 100);
    Clamp(p[kRevLpf], kFreqMin, kFreqMax);
}

void ClampBus(BusRecord& b) {
    for (GeqBand& g : b.geqBands) Clamp(g.gain2, 0, kGainCodeMax);
    ClampFlag(b.geqOn);
    ClampFlag(b.mute);
    Clamp(b.balance, 0, kPanMax);
    Clamp(b.level, 0, kLevelMax);
    ClampFlag(b.solo);
    Clamp(b.meter, 0, 255);
    Clamp(b.meter2, 0, 255);
    Clamp(b.busMode, kBusModeMin, kBusModeMax);
    ClampFlag(b.limOn);
    ClampDynamics(b.lim, 1);
    b.name[kNameSize - 1] = '\0';
}

}  // namespace

void ClampToRanges(MixerState& state) {
    for (StripRecord& s : state.strips) ClampStrip(s);
    ClampDelay(state.strips[kDelayReturn].delayParams);
    ClampReverb(state.strips[kReverbReturn].reverbParams);
    for (BusRecord& b : state.buses) ClampBus(b);
}

}  // namespace mixer
