// Cost of what a drag on the EQ graph does on every mouse move: recompute
// the channel's curve and repaint the graph. Run build/bench/curves_bench.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <memory>

#include "pages/curves/graph_setup.h"

using namespace mixer;

namespace {

// Every section doing work: shelves, peaks, an 8th-order high-pass and a
// 4th-order low-pass.
std::unique_ptr<MixerState> BusyState() {
    auto s = std::make_unique<MixerState>();
    StripRecord& strip = s->strips[0];
    strip.peqBands[0] = PeqBand{120, 195, 10, {0, 0}, kLowShelf};
    strip.peqBands[1] = PeqBand{450, 80, 25, {0, 0}, kPeaking};
    strip.peqBands[2] = PeqBand{2200, 230, 14, {0, 0}, kPeaking};
    strip.peqBands[3] = PeqBand{9000, 190, 20, {0, 0}, kHighShelf};
    strip.hpfFreq = 60;
    strip.hpfSlope = 8;
    strip.hpfOn = 1;
    strip.lpfFreq = 15000;
    strip.lpfSlope = 4;
    strip.lpfOn = 1;
    return s;
}

// Widgets need the one application object; made on first use, offscreen.
struct Application {
    Application() {
        static int argc = 1;
        static char name[] = "curves_bench";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance()) return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
};

// The EQ page's graph, already painted once.
struct PageGraph {
    PageGraph() : image(760, 340, QImage::Format_ARGB32_Premultiplied) {
        graph.resize(760, 340);
        graph.SetMargin(true);
        ShowChannelCurve(graph, ComputeChannelCurve(*state, 0), true);
        graph.SetPointCount(6);
        for (int i = 0; i < 6; ++i) graph.PlacePoint(i, 100.0 * (i + 1) * (i + 1), 0.0);
        graph.render(&image);
    }
    Application application;
    std::unique_ptr<MixerState> state = BusyState();
    CEqGraph graph;
    QImage image;
};

void BM_ChannelCurve(benchmark::State& st) {
    const auto state = BusyState();
    for (auto _ : st) {
        const ChannelCurve curve = ComputeChannelCurve(*state, 0);
        benchmark::DoNotOptimize(curve.total.data());
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_ChannelCurve)->Unit(benchmark::kMicrosecond);

// One mouse move of a band drag: the band changes, the curve is recomputed,
// handed to the graph and repainted.
void BM_DragStep(benchmark::State& st) {
    PageGraph page;
    int step = 0;
    for (auto _ : st) {
        PeqBand& band = page.state->strips[0].peqBands[2];
        band.gain2 = 150 + (step++ % 100);
        ShowChannelCurve(page.graph, ComputeChannelCurve(*page.state, 0), true);
        page.graph.PlacePoint(2, band.freq, BandGainDb(band.gain2));
        page.graph.render(&page.image);
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

// A repaint in which only a handle moved: the curve paths stay cached.
void BM_RepaintMovedHandle(benchmark::State& st) {
    PageGraph page;
    int step = 0;
    for (auto _ : st) {
        page.graph.PlacePoint(0, 100.0 + (step++ % 50), 3.0);
        page.graph.render(&page.image);
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_RepaintMovedHandle)->Unit(benchmark::kMicrosecond);

// A repaint from nothing cached, as after a resize.
void BM_RepaintEverything(benchmark::State& st) {
    PageGraph page;
    for (auto _ : st) {
        page.graph.Redraw();
        page.graph.render(&page.image);
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_RepaintEverything)->Unit(benchmark::kMicrosecond);

}  // namespace
