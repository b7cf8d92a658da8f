#pragma once
// A state whose every value the link carries lies in its range, for round
// trips through builders and parsers.

#include <cstring>
#include <random>

#include "link/mixer_state.h"

namespace mixer::testing {

inline MixerState RandomState(std::mt19937& rng) {
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    MixerState s;
    std::memset(&s, 0, sizeof s);
    for (StripRecord& r : s.strips) {
        for (int b = 0; b < kPeqBandCount; ++b) {
            PeqBand& p = r.peqBands[b];
            p.freq = in(20, 20000);
            p.gain2 = in(0, 150) * 2;  // the wire carries half: only even codes survive
            p.q = in(1, 200);
            p.type = in(0, 2);
        }
        r.peqOn = 1;
        r.hpfType = r.lpfType = 2;
        r.hpfFreq = in(20, 20000);
        r.lpfFreq = in(20, 20000);
        r.hpfSlope = in(2, 8);
        r.lpfSlope = in(2, 8);
        r.hpfOn = in(0, 1);
        r.lpfOn = in(0, 1);
        r.mute = in(0, 1);
        r.mute2 = in(0, 1);
        r.pan = in(0, 200);
        r.level = in(0, 70);
        r.level2 = in(0, 70);
        r.solo = in(0, 1);
        r.polarity = in(0, 1);
        r.phantom = in(0, 1);
        r.compOn = in(0, 1);
        r.comp[kDynThreshold] = in(0, 60);
        r.comp[kDynAttack] = in(1, 250);
        r.comp[kDynRelease] = in(20, 250);
        r.comp[kDynGain] = in(0, 200);
        r.comp[kDynRatio] = in(10, 100);
        r.gateOn = in(0, 1);
        r.gate[kGateThreshold] = in(0, 60);
        r.gate[kGateAttack] = in(1, 250);
        r.gate[kGateRelease] = in(20, 250);
        r.mainSend = in(0, 70);
        for (int32_t& v : r.auxSend) v = in(0, 70);
        for (int32_t& v : r.fxSend) v = in(0, 70);
        r.delayParams[kPreDelay1] = in(10, 1000);
        r.delayParams[kPreDelay2] = in(10, 1000);
        r.delayParams[kFeedback] = in(0, 100);
        r.delayParams[kDelayLpf] = in(20, 20000);
        for (int i = 0; i < 4; ++i) r.reverbParams[i] = in(30, 100);
        r.reverbParams[kRevTime] = in(1, 100);
        r.reverbParams[kRevLpf] = in(20, 20000);
    }
    for (BusRecord& b : s.buses) {
        for (GeqBand& g : b.geqBands) g.gain2 = in(0, 150) * 2;
        b.geqOn = 1;
        b.mute = in(0, 1);
        b.level = in(0, 70);
        b.solo = in(0, 1);
        b.busMode = in(1, 3);
        b.limOn = in(0, 1);
        b.lim[kDynThreshold] = in(0, 60);
        b.lim[kDynAttack] = in(1, 250);
        b.lim[kDynRelease] = in(1, 250);
        b.lim[kDynGain] = in(0, 200);
        b.lim[kDynRatio] = in(10, 100);
    }
    // Fields the reply does not carry for a strip stay zero.
    for (int i = 0; i < kStripCount; ++i) {
        StripRecord& r = s.strips[i];
        if (i != kDelayReturn) std::memset(r.delayParams, 0, sizeof r.delayParams);
        if (i != kReverbReturn) std::memset(r.reverbParams, 0, sizeof r.reverbParams);
        if (i < kInputCount) r.mute2 = r.level2 = 0;
        else r.gateOn = r.compOn = r.lpfOn = r.hpfOn = 0;
    }
    // The reply carries one balance for both MAIN records, solos only for
    // AUX buses and modes only for AUX buses.
    s.buses[0].balance = s.buses[1].balance = in(0, 200);
    s.buses[0].solo = s.buses[1].solo = 0;
    s.buses[0].busMode = s.buses[1].busMode = 1;
    return s;
}

inline bool SameState(const MixerState& a, const MixerState& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace mixer::testing
