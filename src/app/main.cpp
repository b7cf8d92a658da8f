// mixer-editor: the remote-control editor of the VantorDIGITAL mixer.

#include <QApplication>
#include <QStandardPaths>
#include <QTextStream>

#include "app/discover_run.h"
#include "app/data_location.h"
#include "app/editor_link.h"
#include "host/app_context.h"
#include "host/editor_options.h"
#include "host/language_choice.h"
#include "console/message_box_notifier.h"
#include "console/mixer_app.h"
#include "presets/preset_store.h"
#include "remote/remote_server.h"
#include "remote/remote_settings.h"

int main(int argc, char** argv) {
    // The options are read before the application object exists, so that
    // --help and a mistyped option answer without a display.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(QString::fromLocal8Bit(argv[i]).toStdString());
    const mixer::ParsedOptions parsed = mixer::ParseEditorOptions(args);
    if (!parsed.error.empty()) {
        QTextStream(stderr) << "mixer-editor: " << QString::fromStdString(parsed.error)
                            << "\nTry mixer-editor --help.\n";
        return 2;
    }
    if (parsed.help) {
        QTextStream(stdout) << QString::fromStdString(mixer::EditorHelpText());
        return 0;
    }

    if (parsed.options.discover) {
        // No window: the search needs no display.
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return mixer::RunDiscovery(parsed.options, out, err);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mixer-editor"));
    mixer::EditorOptions options = parsed.options;
    mixer::AppContext context;
    mixer::MessageBoxNotifier notifier;
    QString defaultDataDir = QApplication::applicationDirPath();
    if (options.dataDir.empty()) {
        // The profile lies in the data folder, so its language cannot speak here yet.
        const int language = mixer::StartLanguage(options.language, std::nullopt, QLocale::system());
        const mixer::DataDirChoice choice = mixer::DefaultDataDir(
            defaultDataDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), language);
        if (!choice.error.isEmpty()) notifier.Show(choice.error.toStdString(), {});
        defaultDataDir = choice.dir;
    }
    mixer::ApplyOptions(context, options, defaultDataDir);
    mixer::PresetStore presets(context.dataDir, notifier, context.language);
    // Made at start in a data folder without one; what stands in the way is
    // told when a page first needs the presets.
    presets.MakeIfMissing();
    context.presets = &presets;
    context.notifier = &notifier;
    mixer::EditorLink link = mixer::BuildEditorLink(context, options, notifier);
    // After the link, which settles the bind address the remote listens on.
    mixer::RemoteServer remote(context);
    context.remote = &remote;
    const mixer::RemoteSettings remoteSettings = mixer::ReadRemoteSettings(context.profileFile);
    if (remoteSettings.fixedCodes) remote.SetCodes(*remoteSettings.fixedCodes);
    if (const auto port = mixer::RemoteStartPort(options.remotePort, remoteSettings)) {
        QString error;
        if (!remote.Start(context.bindAddress, *port, error))
            QTextStream(stderr) << "mixer-editor: the web remote did not start: " << error << "\n";
    }
    mixer::CMixerApp mixerApp(context, *link.link, options);
    return mixerApp.InitInstance();
}
