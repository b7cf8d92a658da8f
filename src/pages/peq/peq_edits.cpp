#include "pages/peq/peq_edits.h"

#include <algorithm>

#include "link/commands.h"

namespace mixer {

namespace {

bool ValidBand(int band) { return band >= 1 && band <= kPeqBandCount; }

struct FilterFields {
    int32_t& freq;
    int32_t& type;
    int32_t& slope;
    int32_t& on;
};

FilterFields Fields(StripRecord& r, PeqFilter filter) {
    if (filter == PeqFilter::kHighPass) return {r.hpfFreq, r.hpfType, r.hpfSlope, r.hpfOn};
    return {r.lpfFreq, r.lpfType, r.lpfSlope, r.lpfOn};
}

PeqChange FilterChange(PeqFilter filter) {
    return filter == PeqFilter::kHighPass ? kPeqChangeHighPass : kPeqChangeLowPass;
}

}  // namespace

bool IsPeqChannel(int channel) { return channel >= 0 && channel < kStripCount; }
bool HasPeqFilters(int channel) { return channel >= 0 && channel < kInputCount; }
int PeqPointCount(int channel) {
    if (HasPeqFilters(channel)) return kPeqBandCount + 2;
    return IsPeqChannel(channel) ? kPeqBandCount : 0;
}

Commands WritePeqBandGain(MixerState& s, int channel, int band, int gainCode) {
    if (!IsPeqChannel(channel) || !ValidBand(band)) return {};
    s.strips[channel].peqBands[band - 1].gain2 = std::clamp(gainCode, 0, kGainCodeMax);
    return PeqChangeCommands(s, channel, band);
}

Commands WritePeqBandFreq(MixerState& s, int channel, int band, int hz) {
    if (!IsPeqChannel(channel) || !ValidBand(band)) return {};
    s.strips[channel].peqBands[band - 1].freq = std::clamp(hz, kFreqMin, kFreqMax);
    return PeqChangeCommands(s, channel, band);
}

Commands WritePeqBandQ(MixerState& s, int channel, int band, int qCode) {
    if (!IsPeqChannel(channel) || !ValidBand(band)) return {};
    s.strips[channel].peqBands[band - 1].q = std::clamp(qCode, kQMin, kQMax);
    return PeqChangeCommands(s, channel, band);
}

Commands TogglePeqShelf(MixerState& s, int channel, int band) {
    if (!IsPeqChannel(channel) || (band != 1 && band != kPeqBandCount)) return {};
    int32_t& type = s.strips[channel].peqBands[band - 1].type;
    const int shelf = band == 1 ? 1 : 2;
    type = type == 0 ? shelf : 0;
    return PeqChangeCommands(s, channel, band);
}

Commands WritePeqFilterFreq(MixerState& s, int channel, PeqFilter filter, int hz) {
    if (!IsPeqChannel(channel)) return {};
    Fields(s.strips[channel], filter).freq = std::clamp(hz, kFreqMin, kFreqMax);
    return PeqChangeCommands(s, channel, FilterChange(filter));
}

Commands TogglePeqFilter(MixerState& s, int channel, PeqFilter filter) {
    if (!IsPeqChannel(channel)) return {};
    int32_t& on = Fields(s.strips[channel], filter).on;
    on = on ? 0 : 1;
    return PeqChangeCommands(s, channel, FilterChange(filter));
}

Commands WritePeqFilterSlope(MixerState& s, int channel, PeqFilter filter, int slope) {
    if (!IsPeqChannel(channel)) return {};
    Fields(s.strips[channel], filter).slope = std::clamp(slope, kSlopeMin, kSlopeMax);
    return PeqChangeCommands(s, channel, FilterChange(filter));
}

Commands TogglePeqPolarity(MixerState& s, int channel) {
    if (!IsPeqChannel(channel)) return {};
    int32_t& polarity = s.strips[channel].polarity;
    polarity = polarity ? 0 : 1;
    return PeqChangeCommands(s, channel, kPeqChangePolarity);
}

Commands ResetPeq(MixerState& s, int channel) {
    if (!IsPeqChannel(channel)) return {};
    StripRecord& r = s.strips[channel];
    for (int b = 0; b < kPeqBandCount; ++b) {
        PeqBand& band = r.peqBands[b];
        band.freq = kResetBandFreq[b];
        band.gain2 = kFlatGain;
        band.q = kResetQ;
        band.type = 0;
    }
    r.hpfFreq = kFreqMin;
    r.hpfSlope = kSlopeMin;
    r.hpfOn = 0;
    r.lpfFreq = kFreqMax;
    r.lpfSlope = kSlopeMin;
    r.lpfOn = 0;
    return PeqChangeCommands(s, channel, kPeqChangeAll);
}

Commands WritePeqPoint(MixerState& s, int channel, int point, int hz, int gainCode) {
    if (point == kPointHighPass) return WritePeqFilterFreq(s, channel, PeqFilter::kHighPass, hz);
    if (point == kPointLowPass) return WritePeqFilterFreq(s, channel, PeqFilter::kLowPass, hz);
    if (!IsPeqChannel(channel) || point < 0 || point >= kPeqBandCount) return {};
    PeqBand& band = s.strips[channel].peqBands[point];
    band.freq = std::clamp(hz, kFreqMin, kFreqMax);
    band.gain2 = std::clamp(gainCode, 0, kGainCodeMax);
    return PeqChangeCommands(s, channel, point + 1);
}

PeqChange PointChange(int point) {
    if (point == kPointHighPass) return kPeqChangeHighPass;
    if (point == kPointLowPass) return kPeqChangeLowPass;
    return static_cast<PeqChange>(std::clamp(point, 0, kPeqBandCount - 1) + 1);
}

Commands PeqChangeCommands(const MixerState& s, int channel, int change) {
    if (!IsPeqChannel(channel)) return {};
    const int index = channel + 1;
    const bool filters = HasPeqFilters(channel);
    if (change >= kPeqChangeBand1 && change <= kPeqBandCount) return {BuildG(s, index, change)};
    switch (change) {
    case kPeqChangeHighPass: return filters ? Commands{BuildF(s, index)} : Commands{};
    case kPeqChangeLowPass: return filters ? Commands{BuildE(s, index)} : Commands{};
    case kPeqChangePolarity: return filters ? Commands{BuildO(s, index)} : Commands{};
    case kPeqChangeAll: {
        Commands all;
        for (int band = 1; band <= kPeqBandCount; ++band) all.push_back(BuildG(s, index, band));
        if (filters) {
            all.push_back(BuildE(s, index));
            all.push_back(BuildF(s, index));
        }
        return all;
    }
    default: return {};
    }
}

void CopyPeqChange(MixerState& s, int from, int to, int change) {
    if (!IsPeqChannel(from) || !IsPeqChannel(to) || from == to) return;
    const StripRecord& src = s.strips[from];
    StripRecord& dst = s.strips[to];
    if (change >= kPeqChangeBand1 && change <= kPeqBandCount) {
        dst.peqBands[change - 1] = src.peqBands[change - 1];
        return;
    }
    const auto copyHighPass = [&] {
        dst.hpfFreq = src.hpfFreq;
        dst.hpfType = src.hpfType;
        dst.hpfSlope = src.hpfSlope;
        dst.hpfOn = src.hpfOn;
    };
    const auto copyLowPass = [&] {
        dst.lpfFreq = src.lpfFreq;
        dst.lpfType = src.lpfType;
        dst.lpfSlope = src.lpfSlope;
        dst.lpfOn = src.lpfOn;
    };
    switch (change) {
    case kPeqChangeHighPass: copyHighPass(); break;
    case kPeqChangeLowPass: copyLowPass(); break;
    case kPeqChangePolarity: dst.polarity = src.polarity; break;
    case kPeqChangeAll:
        std::copy(src.peqBands, src.peqBands + 5, dst.peqBands);
        copyHighPass();
        copyLowPass();
        break;
    default: break;
    }
}

}  // namespace mixer
