// Time from a mouse move on the parametric EQ page's graph to the redrawn
// page: the move handled by the graph, the band stored, the knobs, the curve
// of the page and of the strips beside it recomputed, the throttled send,
// and the repaint of the window, offscreen. It must stay well under one
// 60 Hz frame (16.7 ms) so that a drag never stalls.
// Run build/bench/peq_drag_bench.
#include <benchmark/benchmark.h>

#include <QMouseEvent>

#include "console_fixture.h"
#include "pages/curves/eq_graph.h"
#include "pages/peq/peq_dlg.h"

using namespace mixer;

namespace {

void Mouse(QWidget* target, QEvent::Type type, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void BM_PeqGraphDragMove(benchmark::State& bench) {
    Console console;
    console.window->OpenInputDetail(2, kModulePeq);
    auto* page = static_cast<CPeqDlg*>(console.window->Pages().peq);
    CEqGraph* graph = page->Graph();
    QCoreApplication::processEvents();
    const QPoint start = graph->PointPixel(1);
    Mouse(graph, QEvent::MouseButtonPress, start);
    int step = 0;
    for (auto _ : bench) {
        // Back and forth over 40 pixels, so the band moves at every step.
        const int offset = (step++ % 40) - 20;
        Mouse(graph, QEvent::MouseMove, start + QPoint(3 * offset, 2 * offset));
        QCoreApplication::processEvents();
    }
    Mouse(graph, QEvent::MouseButtonRelease, start);
}
BENCHMARK(BM_PeqGraphDragMove)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
