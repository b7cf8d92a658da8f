#pragma once
// How each view sets up its curve graph, so that the EQ page, the strip
// thumbnails, the graphic EQ and the dynamics pages all draw alike.

#include <span>

#include "pages/curves/channel_curve.h"
#include "pages/curves/eq_graph.h"
#include "pages/curves/transfer_curve.h"

namespace mixer {

inline constexpr double kEqRangeDb = 15.0;

// A channel's EQ over the frequency grid, -15..+15 dB: its total as trace 1
// and, for the EQ page, every section's curve under it (the thumbnails show
// the total only).
void ShowChannelCurve(CEqGraph& graph, const ChannelCurve& curve, bool withSections);

// The graphic EQ: one bar per band at positions 1..31 over 0..32, -15..+15 dB.
void SetupBandGraph(CEqGraph& graph);
// Puts bar i at gainsDb[i] (as many bars as there are gains, up to 31).
void ShowBandGains(CEqGraph& graph, std::span<const double> gainsDb);

// The dynamics pages: output over input level, both -60..0 dB and linear,
// captioned "INPUT" and "OUTPUT". The handles are the page's to place.
void SetupTransferGraph(CEqGraph& graph);
// The transfer graph's axis captions in language 1 (English) or 2 (Chinese);
// other values change nothing.
void CaptionTransferGraph(CEqGraph& graph, int language);
void ShowTransferLine(CEqGraph& graph, const TransferLine& line);
// A compressor's curve without make-up gain (trace 1) and with it (trace 2);
// both have the same corners.
void ShowCompressorCurves(CEqGraph& graph, const TransferLine& withoutGain, const TransferLine& withGain);

}  // namespace mixer
