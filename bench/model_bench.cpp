// The one path of every change: an edit through the model (write, compare,
// report, queue its targets) and the outgoing queue building what leaves;
// then the storm of a freehand scribble on MAIN's graphic EQ, from letting
// go to the last datagram at the simulated mixer, in real time.
// Run build/bench/model_bench.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <functional>

#include "app/editor_link.h"
#include "host/app_context.h"
#include "console/mixer_dlg.h"
#include "link/channel_edits.h"
#include "link/mixer_link.h"
#include "link/notifier.h"
#include "model/outgoing_queue.h"
#include "pages/curves/eq_graph.h"
#include "pages/geq/geq_dlg.h"
#include "pages/geq/geq_edits.h"
#include "sim/simulated_mixer.h"
#include "skin/image_button.h"

using namespace mixer;

namespace {

// The link's part: every target into a queue that the benchmark drains.
class QueueSink : public TargetSink {
public:
    explicit QueueSink(const MonotonicClock& clock) : queue(clock) {}
    void QueueTarget(const MixerState&, const Target& target, bool paced) override { queue.Push(target, paced); }
    OutgoingQueue queue;
};

// Edits through the model into a queue, each with the next value of a cycle.
void EditsThroughTheModel(benchmark::State& st, const std::function<Commands(MixerState&, int)>& write) {
    MixerModel model;
    ManualClock clock;
    QueueSink sink(clock);
    model.SetSink(&sink);
    int step = 0;
    for (auto _ : st) model.Edit([&](MixerState& s) { return write(s, ++step); });
}

void BM_FaderEditThroughTheModel(benchmark::State& st) {
    EditsThroughTheModel(st, [](MixerState& s, int step) { return WriteStripLevel(s, 3, step % 71); });
}
BENCHMARK(BM_FaderEditThroughTheModel);

void BM_MainGeqBandEditThroughTheModel(benchmark::State& st) {
    EditsThroughTheModel(st, [](MixerState& s, int step) {
        const int gain = step * 7 % 301;
        return WriteGeqBand(s, 0, gain % kGeqBandCount, gain);
    });
}
BENCHMARK(BM_MainGeqBandEditThroughTheModel);

void BM_QueueTakeDue(benchmark::State& st) {
    MixerState state{};
    ManualClock clock;
    OutgoingQueue queue(clock);
    int level = 0;
    for (auto _ : st) {
        level = (level + 1) % 71;
        WriteStripLevel(state, 3, level);
        queue.Push({'A', 4});
        clock.Advance(OutgoingQueue::kGap);
        benchmark::DoNotOptimize(queue.TakeDue(state));
    }
}
BENCHMARK(BM_QueueTakeDue);

void Mouse(QWidget* target, QEvent::Type type, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// The editor in demo mode, offscreen: its window, its link and the mixer inside it.
struct DemoEditor {
    DemoEditor() {
        static int argc = 1;
        static char name[] = "model_bench";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            new QApplication(argc, argv);
        }
        context.dataDir = dir.path();
        context.profileFile = dir.filePath("mixer-editor.ini");
        options.demo = true;
        options.port = 15000 + static_cast<int>(QCoreApplication::applicationPid() % 20000);
        built = BuildEditorLink(context, options, notifier);
        window = std::make_unique<CMixerDlg>(context, *built.link);
        context.deviceAddress = QString::fromStdString(*options.deviceAddress);
        window->resize(1640, 1040);
        window->show();
        built.link->Connect();
        QElapsedTimer wait;
        wait.start();
        while (!built.link->IsConnected() && wait.elapsed() < 3000) QCoreApplication::processEvents();
    }
    ~DemoEditor() {
        window->close();
        QElapsedTimer wait;
        wait.start();
        while (!window->HasEnded() && wait.elapsed() < 3000) QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    RecordingNotifier notifier;
    AppContext context;
    EditorOptions options;
    EditorLink built;
    std::unique_ptr<CMixerDlg> window;
};

// One mouse move of a freehand stroke across the whole graph of MAIN's
// graphic EQ, up to the repainted window: every band edited, both MAIN
// records compared, reported and queued, the page and strips redrawn.
// MAIN's graphic EQ with DRAW pressed.
CEqGraph* OpenFreehandGeq(DemoEditor& editor) {
    editor.window->OpenOutputDetail(0, kModuleGeq);
    auto* page = static_cast<CGeqDlg*>(editor.window->Pages().geq);
    page->DrawButton()->click();
    return page->Graph();
}

void BM_FreehandStrokeMove(benchmark::State& st) {
    DemoEditor editor;
    CEqGraph* graph = OpenFreehandGeq(editor);
    const int left = graph->PointPixel(0).x();
    const int right = graph->PointPixel(kGeqBandCount - 1).x();
    const int middle = graph->PointPixel(0).y();
    Mouse(graph, QEvent::MouseButtonPress, QPoint(left, middle));
    int k = 0;
    for (auto _ : st) {
        ++k;
        Mouse(graph, QEvent::MouseMove, QPoint(k % 2 ? right : left, middle + (k % 2 ? -120 : 120)));
        QCoreApplication::processEvents();
    }
    Mouse(graph, QEvent::MouseButtonRelease, QPoint(left, middle));
}
BENCHMARK(BM_FreehandStrokeMove)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 6 s scribble back and forth over every band, then one straight stroke
// at +6 dB; the time from letting go until the mixer holds the stroke on
// both MAIN records, and the most entries that waited in the queue.
void BM_FreehandStormLag(benchmark::State& st) {
    DemoEditor editor;
    if (!editor.built.link->IsConnected()) {
        st.SkipWithError("the demo mixer did not answer");
        return;
    }
    CEqGraph* graph = OpenFreehandGeq(editor);
    const int left = graph->PointPixel(0).x();
    const int right = graph->PointPixel(kGeqBandCount - 1).x();
    const int middle = graph->PointPixel(0).y();
    for (auto _ : st) {
        std::size_t mostQueued = 0;
        Mouse(graph, QEvent::MouseButtonPress, QPoint(left, middle));
        QElapsedTimer clock;
        clock.start();
        for (int k = 0; clock.elapsed() < 6000; ++k) {
            Mouse(graph, QEvent::MouseMove, QPoint(left + (k * 37) % (right - left + 1), middle + (k % 2 ? -120 : 120)));
            QCoreApplication::processEvents();
            mostQueued = std::max(mostQueued, editor.built.mixerLink->QueuedCount());
        }
        const int plus6 = middle - 120 * 6 / 15;
        for (int x = left; x <= right; x += 4) Mouse(graph, QEvent::MouseMove, QPoint(x, plus6));
        Mouse(graph, QEvent::MouseButtonRelease, QPoint(right, plus6));
        clock.restart();
        const BusRecord& shown = editor.context.state.buses[0];
        const auto arrived = [&] {
            for (int bus : {0, 1}) {
                const BusRecord& held = editor.built.demoMixer->State().buses[bus];
                for (int b = 0; b < kGeqBandCount; ++b) {
                    if (held.geqBands[b].gain2 / 2 != shown.geqBands[b].gain2 / 2) return false;
                }
            }
            return true;
        };
        while (!arrived() && clock.elapsed() < 5000) QCoreApplication::processEvents();
        st.counters["lag_ms"] = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        st.counters["most_queued"] = static_cast<double>(mostQueued);
    }
}
BENCHMARK(BM_FreehandStormLag)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
