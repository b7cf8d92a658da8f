#include "pages/curves/graph_setup.h"

#include <algorithm>

#include "pages/curves/graph_scale.h"

namespace mixer {

void ShowChannelCurve(CEqGraph& graph, const ChannelCurve& curve, bool withSections) {
    graph.SetYRange(-kEqRangeDb, kEqRangeDb);
    graph.SetLogX(true);
    graph.SetXValues(FrequencyGrid());
    const int sections = withSections ? curve.count : 0;
    graph.SetSectionCount(sections);
    for (int s = 0; s < sections; ++s) graph.SetSectionCurve(s, curve.sections[s]);
    graph.SetTrace(1, curve.total);
}

void SetupBandGraph(CEqGraph& graph) {
    graph.SetMode(GraphMode::kBars);
    graph.SetLogX(false);
    graph.SetXRange(0, kThirdOctaveBands + 1);
    graph.SetYRange(-kEqRangeDb, kEqRangeDb);
    graph.SetPointCount(kThirdOctaveBands);
    for (int i = 0; i < kThirdOctaveBands; ++i) graph.PlacePoint(i, i + 1, 0.0);
}

void ShowBandGains(CEqGraph& graph, std::span<const double> gainsDb) {
    const int n = std::min<int>(static_cast<int>(gainsDb.size()), graph.PointCount());
    for (int i = 0; i < n; ++i) graph.PlacePoint(i, i + 1, gainsDb[i]);
}

void SetupTransferGraph(CEqGraph& graph) {
    graph.SetMode(GraphMode::kTransfer);
    graph.SetLogX(false);
    graph.SetXRange(kTransferMinDb, kTransferMaxDb);
    graph.SetYRange(kTransferMinDb, kTransferMaxDb);
    CaptionTransferGraph(graph, 1);
}

void CaptionTransferGraph(CEqGraph& graph, int language) {
    if (language == 1) graph.SetAxisCaptions(QStringLiteral("INPUT"), QStringLiteral("OUTPUT"));
    if (language == 2) graph.SetAxisCaptions(QStringLiteral("输入"), QStringLiteral("输出"));
}

void ShowTransferLine(CEqGraph& graph, const TransferLine& line) {
    const auto n = static_cast<std::size_t>(std::clamp(line.count, 0, 4));
    graph.SetXValues(std::span<const double>(line.input.data(), n));
    graph.SetTrace(1, std::span<const double>(line.output.data(), n));
}

void ShowCompressorCurves(CEqGraph& graph, const TransferLine& withoutGain, const TransferLine& withGain) {
    ShowTransferLine(graph, withoutGain);
    const auto n = static_cast<std::size_t>(std::clamp(withGain.count, 0, 4));
    graph.SetTrace(2, std::span<const double>(withGain.output.data(), n));
}

}  // namespace mixer
