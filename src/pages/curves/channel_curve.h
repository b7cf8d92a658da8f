#pragma once
// The EQ of one channel as a list of sections, and its response: the curve
// of every section and their sum, as the EQ page and the strip thumbnails
// draw them.

#include <array>

#include "link/mixer_state.h"
#include "pages/curves/filter_response.h"

namespace mixer {

enum class SectionKind { kBand, kHighPass, kLowPass };

// Band types as the state stores them.
inline constexpr int kPeaking = 0;
inline constexpr int kLowShelf = 1;
inline constexpr int kHighShelf = 2;

struct EqSection {
    SectionKind kind = SectionKind::kBand;
    double freqHz = 1000.0;
    double gainDb = 0.0;   // bands
    double q = 1.0;        // bands
    int type = kPeaking;   // bands
    int orderCode = 0;     // filters: slope code - 2
    bool on = false;       // filters; bands are always on
};

// Bands 1..4, then the high-pass and the low-pass filter (input channels
// only), in the order of the EQ page's graph points.
inline constexpr int kMaxSections = kPeqBandCount + 2;

struct SectionList {
    std::array<EqSection, kMaxSections> sections{};
    int count = 0;
};

struct ChannelCurve {
    std::array<Response, kMaxSections> sections{};   // first `count` are used
    int count = 0;
    Response total{};
};

double BandGainDb(int gainCode);           // (code - 150) / 10
int OrderCodeFromSlope(int slopeCode);     // slope code 2..8 -> order code 0..6, clamped

// Six sections for CH 1..16, four for the effect returns; an empty list for
// an index outside 0..17.
SectionList ChannelSections(const MixerState& state, int channel);

// A filter that is off gives exactly 0 dB.
Response SectionResponse(const EqSection& section);
ChannelCurve ComputeChannelCurve(const SectionList& list);
ChannelCurve ComputeChannelCurve(const MixerState& state, int channel);

// The 31 graphic EQ band gains of a bus in dB (a bus outside 0..7 is flat).
std::array<double, kGeqBandCount> GeqGainsDb(const MixerState& state, int bus);

}  // namespace mixer
