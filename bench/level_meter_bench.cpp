// Cost of one level meter following a moving level: the value set, the
// repaint done and flushed, offscreen, as a strip's meter does for every
// report that moves it. Every thread's CPU is counted, so work that Qt spreads
// over its pool shows up too.
// Run build/bench/level_meter_bench.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>

#include "skin/level_meter.h"

using namespace mixer;

namespace {

struct Application {
    Application() {
        static int argc = 1;
        static char name[] = "level_meter_bench";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance()) return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
};

// A parent with a tiled background, as a strip has, so that what the meter
// leaves transparent is repainted beneath it.
class Backdrop : public QWidget {
public:
    Backdrop() : tile_(64, 64) {
        tile_.fill(QColor(44, 48, 56));
        QPainter(&tile_).fillRect(0, 0, 32, 32, QColor(52, 56, 64));
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawTiledPixmap(rect(), tile_); }

private:
    QPixmap tile_;
};

// The meter beside a strip's fader: one column 30 × 200 (range 0..186), or
// eight columns as a processor page shows them.
void MovingMeter(benchmark::State& bench, int columns, int width) {
    Application app;
    Backdrop window;
    window.resize(width + 20, 240);
    auto* meter = new CLevelMeter(&window);
    meter->setGeometry(10, 20, width, 200);
    meter->SetColumnCount(columns);
    for (int c = 0; c < columns; ++c) meter->SetRange(c, 0, 186);
    window.show();
    QCoreApplication::processEvents();
    int step = 0;
    for (auto _ : bench) {
        ++step;
        for (int c = 0; c < columns; ++c) meter->SetValue(c, (step * 37 + c * 53) % 187);
        QCoreApplication::processEvents();
    }
}

void BM_OneColumnMoving(benchmark::State& bench) { MovingMeter(bench, 1, 30); }
BENCHMARK(BM_OneColumnMoving)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_EightColumnsMoving(benchmark::State& bench) { MovingMeter(bench, 8, 240); }
BENCHMARK(BM_EightColumnsMoving)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
