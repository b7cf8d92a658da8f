// The editor for the browser tests: the console window (off-screen) with the
// real link, connected to the in-process simulated mixer on loopback, and
// the web remote on 127.0.0.1. A test drives it through stdin, one command a
// line, and reads one answer line each:
//   window-level CH LEVEL   the window's fader of input CH set, as a hand does
//   window-fader CH         the level the window's fader of CH shows
//   panel-level CH LEVEL    the level set at the simulated mixer's panel
//   mixer strip|out N FIELD what the simulated mixer holds (FIELD level, mute,
//                           or sendA for AUX A; out N is bus N)
//   cpu                     this process's CPU time so far, in milliseconds
// It prints "ready PORT" once the remote listens.

#include <QApplication>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/resource.h>

#include <iostream>
#include <sstream>

#include "app/editor_link.h"
#include "console/input_strip_dlg.h"
#include "console/mixer_dlg.h"
#include "host/app_context.h"
#include "link/channel_edits.h"
#include "link/notifier.h"
#include "loopback.h"
#include "presets/preset_database.h"
#include "presets/preset_store.h"
#include "remote/remote_server.h"
#include "sim/simulated_mixer.h"
#include "skin/bitmap_slider.h"

namespace {

int FreeTcpPort() {
    QTcpServer probe;
    probe.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0);
    return probe.serverPort();
}

long CpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000L + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000L;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    mixer::AppContext context;
    context.dataDir = dir.path();
    context.profileFile = dir.filePath(QStringLiteral("mixer-editor.ini"));
    context.language = 1;
    mixer::RecordingNotifier notifier;
    if (!mixer::CreatePresetDatabase(QStringLiteral(KORVEL_SCHEMA_PATH), dir.filePath(mixer::PresetStore::kFileName)).isEmpty())
        return 1;
    mixer::PresetStore presets(dir.path(), notifier);
    context.presets = &presets;
    context.notifier = &notifier;
    mixer::EditorOptions options;
    options.port = mixer::testing::FreeLoopbackPort();
    options.demo = true;
    mixer::EditorLink built = mixer::BuildEditorLink(context, options, notifier);
    if (!built.demoMixer) return 1;
    mixer::SimulatedMixer& sim = *built.demoMixer;
    mixer::CMixerDlg window(context, *built.link);
    context.deviceAddress = QString::fromStdString(*options.deviceAddress);
    window.resize(1640, 1040);
    window.show();
    // Short, so that a panel edit reaches the pages in a fraction of a second.
    built.link->SetResyncPeriod(std::chrono::milliseconds(200));
    built.link->Connect();

    mixer::RemoteServer remote(context);
    context.remote = &remote;
    remote.SetInputLinks([&window](int channel) { return window.InputLinks(channel); });
    remote.SetCodes({"135790", {"200001", "200002", "200003", "200004", "200005", "200006"}});
    QString error;
    if (!remote.Start(QStringLiteral("127.0.0.1"), FreeTcpPort(), error)) {
        std::cerr << error.toStdString() << "\n";
        return 1;
    }

    auto input = [&](int channel) { return static_cast<mixer::CInputStripDlg*>(window.Pages().inputs[channel]); };

    QSocketNotifier commands(0, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&commands, &QSocketNotifier::activated, [&] {
        char buffer[512];
        const ssize_t n = read(0, buffer, sizeof buffer);
        if (n <= 0) {
            app.quit();
            return;
        }
        pending.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::istringstream line(pending.substr(0, end));
            pending.erase(0, end + 1);
            std::string verb, kind, field;
            int a = 0, b = 0;
            line >> verb;
            std::string answer = "ok";
            if (verb == "window-level" && line >> a >> b && a >= 0 && a < mixer::kStripCount) {
                input(a)->Fader()->SetPos(mixer::FaderPositionFromLevel(b));
                input(a)->OnFaderMoved(mixer::FaderPositionFromLevel(b));
            } else if (verb == "window-fader" && line >> a && a >= 0 && a < mixer::kStripCount) {
                answer = std::to_string(mixer::LevelFromFaderPosition(input(a)->Fader()->GetPos()));
            } else if (verb == "panel-level" && line >> a >> b) {
                mixer::MixerState copy = sim.State();
                std::string why;
                sim.ApplyPanel(mixer::WriteStripLevel(copy, a, b).front(), why);
            } else if (verb == "mixer" && line >> kind >> a >> field) {
                const mixer::MixerState& s = sim.State();
                if (kind == "strip" && a >= 0 && a < mixer::kStripCount) {
                    const mixer::StripRecord& r = s.strips[a];
                    answer = std::to_string(field == "level" ? r.level
                                            : field == "mute" ? r.mute
                                            : field.starts_with("send") ? r.auxSend[std::clamp(field.back() - '1', 0, 5)]
                                                                        : -1);
                } else if (kind == "out" && a >= 0 && a < mixer::kBusCount) {
                    answer = std::to_string(field == "level" ? s.buses[a].level : s.buses[a].mute);
                }
            } else if (verb == "cpu") {
                answer = std::to_string(CpuMs());
            } else {
                answer = "?";
            }
            std::cout << answer << std::endl;
        }
    });
    std::cout << "ready " << remote.Port() << std::endl;
    return app.exec();
}
