#include "pages/peq/peq_bypass.h"

#include <algorithm>

#include "pages/peq/peq_edits.h"

namespace mixer {

int PeqBypass::Toggle(MixerState& s, int channel) {
    if (on_) {
        on_ = false;
        StripRecord& r = s.strips[saved_.channel];
        std::copy(saved_.bands, saved_.bands + kPeqBandCount, r.peqBands);
        r.hpfFreq = saved_.hpf[0];
        r.hpfType = saved_.hpf[1];
        r.hpfSlope = saved_.hpf[2];
        r.hpfOn = saved_.hpf[3];
        r.lpfFreq = saved_.lpf[0];
        r.lpfType = saved_.lpf[1];
        r.lpfSlope = saved_.lpf[2];
        r.lpfOn = saved_.lpf[3];
        return saved_.channel;
    }
    if (!IsPeqChannel(channel)) return -1;
    StripRecord& r = s.strips[channel];
    Save(r, channel);
    r.hpfOn = 0;
    r.lpfOn = 0;
    r.hpfFreq = kFreqMin;
    r.lpfFreq = kFreqMax;
    for (int b = 0; b < kPeqBandCount; ++b) r.peqBands[b].gain2 = kFlatGain;
    on_ = true;
    return channel;
}

void PeqBypass::Follow(const MixerState& s, int channel, bool on) {
    on_ = on && IsPeqChannel(channel);
    if (on_) Save(s.strips[channel], channel);
}

void PeqBypass::Save(const StripRecord& r, int channel) {
    saved_.channel = channel;
    std::copy(r.peqBands, r.peqBands + kPeqBandCount, saved_.bands);
    saved_.hpf[0] = r.hpfFreq;
    saved_.hpf[1] = r.hpfType;
    saved_.hpf[2] = r.hpfSlope;
    saved_.hpf[3] = r.hpfOn;
    saved_.lpf[0] = r.lpfFreq;
    saved_.lpf[1] = r.lpfType;
    saved_.lpf[2] = r.lpfSlope;
    saved_.lpf[3] = r.lpfOn;
}

}  // namespace mixer
