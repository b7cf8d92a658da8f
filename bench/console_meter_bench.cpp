// Cost of the meter path in the console window: one meter report parsed into
// the state, the meters of the visible strips and the page overviews
// updated, and the window's repaint done, offscreen. At 50 reports a second
// the share of one core is 50 × the time per iteration.
// Run build/bench/console_meter_bench.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <array>
#include <memory>
#include <string>

#include "console/app_context.h"
#include "console/console_link.h"
#include "console/mixer_dlg.h"
#include "link/meter_report.h"

using namespace mixer;

namespace {

// Widgets need the one application object; made on first use, offscreen.
struct Application {
    Application() {
        static int argc = 1;
        static char name[] = "console_meter_bench";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance()) return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
};

// Online and streaming, sending nowhere.
class StreamingLink : public ConsoleLink {
public:
    void Connect() override {}
    void Disconnect() override {}
    void OnTick() override {}
    void Shutdown() override {}
    bool IsReceiving() const override { return true; }
    bool IsConnected() const override { return true; }
    bool ConnectionLit() const override { return true; }
    bool StatusOnline() const override { return true; }
    bool HomeActive() const override { return true; }
    bool Send(const std::string&) override { return true; }
};

// The window as the editor shows it, with the meters already streaming.
struct Console {
    Console() {
        context.dataDir = dir.path();
        context.profileFile = dir.filePath("mixer-editor.ini");
        window = std::make_unique<CMixerDlg>(context, link);
        window->resize(1640, 1040);
        window->show();
        emit link.meterReportApplied();
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    Application app;
    AppContext context;
    StreamingLink link;
    std::unique_ptr<CMixerDlg> window;
};

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
        ParseMeterReport(reports[i++ % reports.size()], console.context.state);
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
        ParseMeterReport(report, console.context.state);
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
        ParseMeterReport(reports[i++ % reports.size()], console.context.state);
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
        ParseMeterReport(reports[i++ % reports.size()], console.context.state);
        console.window->RefreshPageOverviews();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OverviewsOnly)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
