#pragma once
// The parametric EQ page's edits: each writes one channel's PEQ record (or
// polarity) in the state and returns the commands that carry it to the
// mixer, in sending order, within each command's index limits: bands for
// channels 0..17, the filters and polarity for the inputs 0..15 only.
// Channels outside 0..17 are left alone and give no commands.

#include "link/channel_edits.h"
#include "link/mixer_state.h"

namespace mixer {

// What changed, as the page propagates it to linked channels.
enum PeqChange {
    kPeqChangeBand1 = 1,   // 1..4: that band's record
    kPeqChangeHighPass = 5,
    kPeqChangeLowPass = 6,
    kPeqChangePolarity = 7,
    kPeqChangeAll = 8,     // band slots 1..5 and both filters
};

enum class PeqFilter { kHighPass, kLowPass };

// Graph points: 0..3 bands 1..4, then the filters (input channels only).
inline constexpr int kPointHighPass = 4;
inline constexpr int kPointLowPass = 5;

bool IsPeqChannel(int channel);        // 0..17
bool HasPeqFilters(int channel);       // 0..15: the HPF/LPF row and polarity are sent
int PeqPointCount(int channel);        // 6 for inputs, 4 for the effect returns, else 0

// The default band frequencies after RESET.
inline constexpr int kResetBandFreq[kPeqBandCount] = {200, 500, 1000, 5000};
inline constexpr int kFlatGain = 150;
inline constexpr int kResetQ = 20;

Commands WritePeqBandGain(MixerState& s, int channel, int band, int gainCode);
Commands WritePeqBandFreq(MixerState& s, int channel, int band, int hz);
Commands WritePeqBandQ(MixerState& s, int channel, int band, int qCode);
// Band 1 flips between peaking and low shelf, band 4 between peaking and
// high shelf; other bands do nothing.
Commands TogglePeqShelf(MixerState& s, int channel, int band);

Commands WritePeqFilterFreq(MixerState& s, int channel, PeqFilter filter, int hz);
Commands TogglePeqFilter(MixerState& s, int channel, PeqFilter filter);
Commands WritePeqFilterSlope(MixerState& s, int channel, PeqFilter filter, int slope);

// Stored for every channel; sent for the inputs only.
Commands TogglePeqPolarity(MixerState& s, int channel);

// Bands 1..4 to 200, 500, 1000, 5000 Hz, flat, Q 2.0, peaking; both filters
// off at 20 Hz / 20000 Hz, -12dB/Oct. Polarity and the filter-type bytes stay.
Commands ResetPeq(MixerState& s, int channel);

// A graph point moved to (hz, gain code): bands take both, filters the
// frequency only.
Commands WritePeqPoint(MixerState& s, int channel, int point, int hz, int gainCode);
// The change a point's edit propagates: bands 1..4, high-pass, low-pass.
PeqChange PointChange(int point);

// The commands that carry `change` of a channel: a band, the high-pass
// filter, the low-pass filter, polarity, or for kPeqChangeAll bands 1..4,
// then low-pass and high-pass.
Commands PeqChangeCommands(const MixerState& s, int channel, int change);
// Copies the part of the record that `change` names from one channel to another.
void CopyPeqChange(MixerState& s, int from, int to, int change);

}  // namespace mixer
