// Cost of the meter path in the console window: one meter report parsed into
// the state, the meters of the visible strips and the page overviews
// updated, and the window's repaint done, offscreen. At 50 reports a second
// the share of one core is 50 × the time per iteration.
// Run build/bench/console_meter_bench.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <array>
#include <memory>
#include <string>

#include "console_fixture.h"
#include "link/meter_report.h"

using namespace mixer;

namespace {

// Reports whose 30 levels move like music: every meter differs from the
// report before.
std::array<std::string, 16> MovingReports() {
    std::array<std::string, 16> reports;
    auto state = std::make_unique<MixerState>();
    for (int r = 0; r < static_cast<int>(reports.size()); ++r) {
        for (int k = 0; k < kStripCount; ++k) state->strips[k].meter = (r * 37 + k * 53) % 256;
        for (int b = 0; b < kBusCount; ++b) state->buses[b].meter = (r * 41 + b * 29) % 256;
        reports[r] = BuildMeterReport(*state);
    }
    return reports;
}

void BM_MeterReportMovingLevels(benchmark::State& bench) {
    Console console;
    const auto reports = MovingReports();
    std::size_t i = 0;
    for (auto _ : bench) {
        ParseMeterReport(reports[i++ % reports.size()], console.context.model.Mirror());
        console.window->UpdateMeters();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_MeterReportMovingLevels)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// Silence: the same report again changes no drawn height, so nothing repaints.
void BM_MeterReportUnchanged(benchmark::State& bench) {
    Console console;
    const std::string report = MovingReports()[3];
    for (auto _ : bench) {
        ParseMeterReport(report, console.context.model.Mirror());
        console.window->UpdateMeters();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_MeterReportUnchanged)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// The two parts of the moving case: the visible strips' meters alone, and the
// four page buttons' overview bars alone.
void BM_StripMetersOnly(benchmark::State& bench) {
    Console console;
    const auto reports = MovingReports();
    std::size_t i = 0;
    ConsolePages& pages = console.window->Pages();
    for (auto _ : bench) {
        ParseMeterReport(reports[i++ % reports.size()], console.context.model.Mirror());
        for (PageId kind : {PageId::InputStrip, PageId::OutputStrip}) {
            for (PageView* view : pages.All(kind)) {
                if (!view->isHidden()) static_cast<StripView*>(view)->UpdateMeters();
            }
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StripMetersOnly)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_OverviewsOnly(benchmark::State& bench) {
    Console console;
    const auto reports = MovingReports();
    std::size_t i = 0;
    for (auto _ : bench) {
        ParseMeterReport(reports[i++ % reports.size()], console.context.model.Mirror());
        console.window->RefreshPageOverviews();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OverviewsOnly)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
