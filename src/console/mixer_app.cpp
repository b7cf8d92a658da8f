#include "console/mixer_app.h"

#include <QEventLoop>
#include <QScreen>
#include <QTextStream>
#include <memory>

#include "host/app_context.h"
#include "host/console_link.h"
#include "console/console_osc_host.h"
#include "console/mixer_dlg.h"
#include "console/screenshot.h"
#include "console/termination_watcher.h"
#include "osc/osc_server.h"
#include "remote/remote_server.h"

namespace mixer {

namespace {
// Large enough for the whole console without scroll bars.
constexpr QSize kScreenshotSize(1640, 1040);
}

CMixerApp::CMixerApp(AppContext& context, ConsoleLink& link, const EditorOptions& options)
    : context_(context), link_(link), options_(options) {}

int CMixerApp::InitInstance() {
    CMixerDlg window(context_, link_);
    // A page's fader moves the channels the window's control groups tie, as the strip's own does.
    if (context_.remote) context_.remote->SetInputLinks([&window](int channel) { return window.InputLinks(channel); });
    // The command line outranks the profile the window has just read.
    if (options_.deviceAddress) context_.deviceAddress = QString::fromStdString(*options_.deviceAddress);
    ConsoleOscHost oscHost(window);
    OscServer osc(context_, oscHost);
    context_.osc = &osc;
    const OscSettings oscSettings = StartOscSettings(options_, ProfileOscSettings(context_.profileFile));
    if (!osc.Apply(oscSettings)) {
        QTextStream(stderr) << QStringLiteral("mixer-editor: OSC cannot listen on %1:%2: %3\n")
                                   .arg(QString::fromStdString(oscSettings.bindAddress))
                                   .arg(oscSettings.port)
                                   .arg(osc.LastError());
    }

    QEventLoop loop;
    QObject::connect(&window, &CMixerDlg::ended, &loop, &QEventLoop::quit);
    TerminationWatcher watcher;
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested, &window, &QWidget::close);

    std::unique_ptr<ScreenshotTaker> screenshot;
    if (!options_.screenshotFile.empty()) {
        screenshot = std::make_unique<ScreenshotTaker>(window, link_, QString::fromStdString(options_.screenshotFile),
                                                       options_.connect);
        QSize size = kScreenshotSize;
        if (window.screen()) size = size.expandedTo(window.screen()->availableGeometry().size());
        window.resize(size);
        window.show();
    } else {
        window.showMaximized();
    }
    if (options_.page) window.OpenRequestedPage(*options_.page);
    if (options_.connect) link_.Connect();
    if (screenshot) screenshot->Start();

    loop.exec();
    context_.osc = nullptr;
    if (context_.remote) context_.remote->SetInputLinks({});
    return screenshot && !screenshot->Error().isEmpty() ? 1 : 0;
}

}  // namespace mixer
