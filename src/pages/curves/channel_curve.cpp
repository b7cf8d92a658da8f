#include "pages/curves/channel_curve.h"

#include <algorithm>

namespace mixer {

namespace {

EqSection FilterSection(SectionKind kind, int32_t freq, int32_t slope, int32_t on) {
    EqSection s;
    s.kind = kind;
    s.freqHz = freq;
    s.orderCode = OrderCodeFromSlope(slope);
    s.on = on != 0;
    return s;
}

}  // namespace

double BandGainDb(int gainCode) { return (gainCode - 150) / 10.0; }

int OrderCodeFromSlope(int slopeCode) { return std::clamp(slopeCode - kSlopeMin, 0, kOrderCodeMax); }

SectionList ChannelSections(const MixerState& state, int channel) {
    SectionList list;
    if (channel < 0 || channel >= kStripCount) return list;
    const StripRecord& strip = state.strips[channel];
    for (int b = 0; b < kPeqBandCount; ++b) {
        const PeqBand& band = strip.peqBands[b];
        EqSection& s = list.sections[list.count++];
        s.freqHz = band.freq;
        s.gainDb = BandGainDb(band.gain2);
        s.q = band.q / 10.0;
        s.type = band.type;
    }
    if (channel < kInputCount) {
        list.sections[list.count++] = FilterSection(SectionKind::kHighPass, strip.hpfFreq, strip.hpfSlope, strip.hpfOn);
        list.sections[list.count++] = FilterSection(SectionKind::kLowPass, strip.lpfFreq, strip.lpfSlope, strip.lpfOn);
    }
    return list;
}

Response SectionResponse(const EqSection& section) {
    switch (section.kind) {
    case SectionKind::kHighPass:
        if (section.on) return HighPassResponse(section.freqHz, section.orderCode);
        break;
    case SectionKind::kLowPass:
        if (section.on) return LowPassResponse(section.freqHz, section.orderCode);
        break;
    case SectionKind::kBand:
        if (section.type == kLowShelf) return ShelfResponse(section.freqHz, Shelf::kLow, section.gainDb);
        if (section.type == kHighShelf) return ShelfResponse(section.freqHz, Shelf::kHigh, section.gainDb);
        return PeakingResponse(section.freqHz, section.gainDb, section.q);
    }
    Response flat;
    flat.fill(0.0);
    return flat;
}

ChannelCurve ComputeChannelCurve(const SectionList& list) {
    ChannelCurve curve;
    curve.count = std::clamp(list.count, 0, kMaxSections);
    curve.total.fill(0.0);
    for (int s = 0; s < curve.count; ++s) {
        curve.sections[s] = SectionResponse(list.sections[s]);
        for (int i = 0; i < kGridSize; ++i) curve.total[i] += curve.sections[s][i];
    }
    return curve;
}

ChannelCurve ComputeChannelCurve(const MixerState& state, int channel) {
    return ComputeChannelCurve(ChannelSections(state, channel));
}

std::array<double, kGeqBandCount> GeqGainsDb(const MixerState& state, int bus) {
    std::array<double, kGeqBandCount> gains{};
    if (bus < 0 || bus >= kBusCount) return gains;
    for (int b = 0; b < kGeqBandCount; ++b) gains[b] = BandGainDb(state.buses[bus].geqBands[b].gain2);
    return gains;
}

}  // namespace mixer
