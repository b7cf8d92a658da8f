#pragma once
// The console window as the editor shows it, offscreen, online and streaming
// meters, sending nowhere: what the console benchmarks measure in.

#include <QApplication>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "host/app_context.h"
#include "host/console_link.h"
#include "console/mixer_dlg.h"

namespace mixer {

// Widgets need the one application object; made on first use, offscreen.
struct Application {
    Application() {
        static int argc = 1;
        static char name[] = "mixer_bench";
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
    void MarkHeard() override {}
    LinkRecord Record() const override { return {}; }
    void SetLanguage(int) override {}
    void SetResyncPeriod(std::chrono::milliseconds) override {}
    void HoldResync(bool) override {}
    SyncStatus Sync() const override { return {}; }
    bool Send(const std::string&) override { return true; }
    void QueueTarget(const MixerState&, const Target&, bool) override {}
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

}  // namespace mixer
