// A 5 s scene fade of 26 fader records in real time: the editor's window
// with its real pages, shown, connected over loopback to a simulated mixer
// that runs on a thread of its own and stamps every message it receives on
// the steady clock, so that what it records does not wait on the window.
// MAIN starts at -60 dB, the scene holds it at 0 dB; every other fader
// record (16 inputs, the two returns, MAIN's partner record, AUX 1..6) also
// stands away from the scene's value. The recall goes the way RECALL goes,
// with FADE TIME at 5 s (and the full upload, should the recall start one).
//
// The same thread posts an event to the window's thread every 5 ms; the
// longest wait of one of them is the window's longest stall, while idle
// (meters streaming) and from the recall until the fade and any upload have
// ended and the outgoing queue is empty.
//
// Run inside a private network namespace:
//   unshare -n bash -c "ip link set lo up && build/bench/scene_fade_timing"
// The window is drawn offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "app/editor_link.h"
#include "console/mixer_dlg.h"
#include "host/app_context.h"
#include "link/channel_edits.h"
#include "link/command_apply.h"
#include "link/mixer_link.h"
#include "link/notifier.h"
#include "presets/preset_store.h"
#include "sim/simulated_mixer.h"
#include "skin/image_button.h"
#include "skin/text_field.h"
#include "system/scene_fader.h"
#include "system/system_dlg.h"
#include "system/upload_all.h"

using namespace mixer;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

constexpr int kMainSilent = 0;   // -60 dB
constexpr int kMainScene = 60;   // 0 dB
constexpr milliseconds kFade{5000};
constexpr milliseconds kProbeEvery{5};
constexpr milliseconds kIdleSpan{3000};
const std::string kMainPrefix = "%A,01,11,";  // MAIN's first record

double MsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Runs the window's event loop until done() holds or the time is up.
bool RunUntil(const std::function<bool()>& done, milliseconds limit) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit.count()) return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void RunFor(milliseconds span) {
    const Clock::time_point end = Clock::now() + span;
    RunUntil([&] { return Clock::now() >= end; }, span + milliseconds(1000));
}

// The 26 fader records' levels: every strip's fader, every bus's.
std::vector<int> FaderLevels(const MixerState& s) {
    std::vector<int> levels;
    for (const StripRecord& r : s.strips) levels.push_back(r.level);
    for (const BusRecord& b : s.buses) levels.push_back(b.level);
    return levels;
}

// Writes one level per fader record, from `strip` and `bus` by index, and MAIN's.
Commands WriteFaders(MixerState& s, int main, const std::function<int(int)>& strip, const std::function<int(int)>& bus) {
    Commands commands;
    const auto add = [&](Commands more) { commands.insert(commands.end(), more.begin(), more.end()); };
    for (int k = 0; k < kStripCount; ++k) add(WriteStripLevel(s, k, strip(k)));
    add(WriteBusLevel(s, 0, main));
    for (int b = kFirstAux; b < kBusCount; ++b) add(WriteBusLevel(s, b, bus(b)));
    return commands;
}

struct Arrival {
    Clock::time_point at;
    std::string message;
};

// Waits of the events posted to the window's thread, per phase.
struct Stalls {
    enum Phase { kNone, kIdle, kFade };
    Phase phase = kNone;
    std::vector<double> idle;
    std::vector<double> fade;

    void Add(double waitedMs) {
        if (phase == kIdle) idle.push_back(waitedMs);
        if (phase == kFade) fade.push_back(waitedMs);
    }
};

void PrintStalls(const char* what, std::vector<double> waits) {
    if (waits.empty()) return;
    std::sort(waits.begin(), waits.end());
    const double p99 = waits[std::min(waits.size() - 1, waits.size() * 99 / 100)];
    std::printf("  %-24s longest %.1f ms, 99th percentile %.1f ms, %zu events\n", what, waits.back(), p99,
                waits.size());
}

// The mixer and the probe on a thread of their own; made, used and ended there.
class MixerThread {
public:
    explicit MixerThread(QObject* window) : window_(window) {
        thread_.start();
        anchor_.moveToThread(&thread_);
    }
    ~MixerThread() {
        Run([this] {
            probe_.reset();
            mixer_.reset();
        });
        thread_.quit();
        thread_.wait();
    }

    void Run(const std::function<void()>& work) {
        QMetaObject::invokeMethod(&anchor_, work, Qt::BlockingQueuedConnection);
    }

    bool Start(const SimOptions& options, Stalls& stalls, QString& error) {
        bool started = false;
        Run([&] {
            mixer_ = std::make_unique<SimulatedMixer>(options);
            QObject::connect(mixer_.get(), &SimulatedMixer::received, [this](const QString& message) {
                const Clock::time_point at = Clock::now();
                const std::lock_guard lock(mutex_);
                arrivals_.push_back({at, message.toStdString()});
            });
            started = mixer_->Start(error);
            probe_ = std::make_unique<QTimer>();
            probe_->setTimerType(Qt::PreciseTimer);
            probe_->setInterval(kProbeEvery);
            QObject::connect(probe_.get(), &QTimer::timeout, [this, &stalls] {
                const Clock::time_point posted = Clock::now();
                QMetaObject::invokeMethod(
                    window_, [&stalls, posted] { stalls.Add(MsBetween(posted, Clock::now())); },
                    Qt::QueuedConnection);
            });
            probe_->start();
        });
        return started;
    }

    MixerState State() {
        MixerState state{};
        Run([&] { state = mixer_->State(); });
        return state;
    }

    std::vector<Arrival> ArrivalsSince(Clock::time_point from) {
        const std::lock_guard lock(mutex_);
        std::vector<Arrival> since;
        for (const Arrival& a : arrivals_)
            if (a.at >= from) since.push_back(a);
        return since;
    }

private:
    QObject* window_;
    QThread thread_;
    QObject anchor_;
    std::unique_ptr<SimulatedMixer> mixer_;
    std::unique_ptr<QTimer> probe_;
    std::mutex mutex_;
    std::vector<Arrival> arrivals_;
};

void Report(const std::vector<Arrival>& arrivals, const MixerState& before, const MixerState& scene,
            Clock::time_point recalled, Clock::time_point fadeEnded) {
    std::vector<int> main;
    Clock::time_point lastMain = recalled;
    MixerState held = before;
    const std::vector<int> wanted = FaderLevels(scene);
    Clock::time_point allArrived = recalled;
    bool allHeld = FaderLevels(held) == wanted;
    for (const Arrival& a : arrivals) {
        if (a.message.starts_with(kMainPrefix)) {
            main.push_back(std::stoi(a.message.substr(kMainPrefix.size() + 3, 2), nullptr, 16));
            lastMain = a.at;
        }
        ApplyCommand(a.message, held);
        const bool now = FaderLevels(held) == wanted;
        if (now && !allHeld) allArrived = a.at;
        allHeld = now;
    }
    std::printf("messages received from the recall on: %zu\n", arrivals.size());
    std::printf("MAIN level updates: %zu messages, %zu distinct levels; last %d (scene %d): %s\n", main.size(),
                std::set<int>(main.begin(), main.end()).size(), main.empty() ? -1 : main.back(), kMainScene,
                !main.empty() && main.back() == kMainScene ? "exact" : "NOT the scene's");
    std::printf("recall to the last MAIN update at the mixer: %.0f ms (goal 5000 +- 300)\n",
                MsBetween(recalled, lastMain));
    std::printf("recall to every fader record at its scene level at the mixer: %s%.0f ms\n",
                allHeld ? "" : "NEVER; last change at ", MsBetween(recalled, allArrived));
    std::printf("recall to the fade's end in the window: %.0f ms\n", MsBetween(recalled, fadeEnded));
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    RecordingNotifier notifier;
    AppContext context;
    context.dataDir = dir.path();
    context.profileFile = dir.filePath("mixer-editor.ini");
    context.notifier = &notifier;
    PresetStore presets(context.dataDir, notifier);
    presets.MakeIfMissing();
    context.presets = &presets;

    EditorOptions options;
    options.bindAddress = kDemoBindAddress;
    options.deviceAddress = kDemoMixerAddress;
    options.port = 15000 + static_cast<int>(QCoreApplication::applicationPid() % 20000);
    EditorLink built = BuildEditorLink(context, options, notifier);
    context.deviceAddress = QString::fromStdString(*options.deviceAddress);
    auto window = std::make_unique<CMixerDlg>(context, *built.link);
    window->resize(1640, 1040);
    window->show();

    Stalls stalls;
    MixerThread mixer(window.get());
    SimOptions sim;
    sim.address = kDemoMixerAddress;
    sim.port = static_cast<uint16_t>(options.port);
    QString error;
    if (!mixer.Start(sim, stalls, error)) {
        std::fprintf(stderr, "the simulated mixer did not start: %s\n", qPrintable(error));
        return 1;
    }
    built.link->Connect();
    const auto drained = [&] { return built.mixerLink->QueuedCount() == 0; };
    if (!RunUntil([&] { return built.link->IsConnected(); }, milliseconds(3000)) || !RunUntil(drained, milliseconds(5000))) {
        std::fprintf(stderr, "the simulated mixer did not answer\n");
        return 1;
    }

    auto* system = qobject_cast<CSystemDlg*>(window->Pages().system);
    // The scene, saved as RECALL finds it, then the live state the show stands in.
    context.model.Edit([](MixerState& s) {
        return WriteFaders(s, kMainScene, [](int k) { return 40 + k; }, [](int b) { return 50 + b; });
    });
    const MixerState scene = context.state;
    system->SaveButton()->click();
    context.model.Edit([](MixerState& s) {
        return WriteFaders(s, kMainSilent, [](int k) { return 30 - k; }, [](int b) { return 10 + b; });
    });
    RunUntil(drained, milliseconds(5000));
    RunFor(milliseconds(500));

    stalls.phase = Stalls::kIdle;
    RunFor(kIdleSpan);
    stalls.phase = Stalls::kNone;

    const MixerState before = mixer.State();
    if (FaderLevels(before) != FaderLevels(context.state)) {
        std::fprintf(stderr, "the mixer does not hold the live faders before the recall\n");
        return 1;
    }
    Clock::time_point fadeEnded{};
    QObject::connect(&system->Fader(), &SceneFader::finished, [&] { fadeEnded = Clock::now(); });
    system->FadeField()->setText(QString::number(kFade.count() / 1000.0));
    stalls.phase = Stalls::kFade;
    const Clock::time_point recalled = Clock::now();
    system->RecallScene(1);
    const int fading = system->Fader().Fading();
    RunUntil([&] { return fadeEnded != Clock::time_point{} && !system->Upload()->IsRunning() && drained(); },
             milliseconds(30000));
    stalls.phase = Stalls::kNone;
    RunFor(milliseconds(300));

    std::printf("platform %s; fader records fading: %d\n", qPrintable(QApplication::platformName()), fading);
    Report(mixer.ArrivalsSince(recalled), before, scene, recalled, fadeEnded);
    std::printf("window's thread, wait of an event posted every %lld ms:\n", static_cast<long long>(kProbeEvery.count()));
    PrintStalls("idle, meters streaming:", stalls.idle);
    PrintStalls("recall to fade's end:", stalls.fade);
    for (const std::string& text : notifier.Texts()) std::printf("told: %s\n", text.c_str());

    window->close();
    RunUntil([&] { return window->HasEnded(); }, milliseconds(3000));
    return 0;
}
