// mixer-sim: the simulated mixer as a program of its own.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include "sim/panel_input.h"
#include "sim/quit_on_signal.h"
#include "sim/sim_options.h"
#include "sim/simulated_mixer.h"

namespace {

// Long messages (state replies, firmware blocks) are shown by their start.
QString Shorten(const QString& message) {
    constexpr int kShown = 100;
    if (message.size() <= kShown) return message;
    return QStringLiteral("%1... (%2 characters)").arg(message.left(kShown)).arg(message.size());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("mixer-sim");

    QCommandLineParser parser;
    mixer::AddSimOptions(parser);
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    mixer::SimOptions options;
    QString error;
    if (!mixer::ReadSimOptions(parser, options, error)) {
        err << "mixer-sim: " << error << Qt::endl;
        return 2;
    }

    mixer::SimulatedMixer mixer(options);
    mixer::PanelInput panel([&](const QString& where, const std::string& line) {
        std::string problem;
        const mixer::PanelOutcome outcome = mixer.ApplyPanel(line, problem);
        if (outcome == mixer::PanelOutcome::kRefused)
            err << "mixer-sim: panel " << where << ": " << QString::fromStdString(problem) << Qt::endl;
        else if (outcome == mixer::PanelOutcome::kApplied && options.verbose)
            out << "panel " << where << " " << Shorten(QString::fromStdString(line).trimmed()) << Qt::endl;
    });
    // Files first: the state they set is there before any editor asks for it.
    for (const QString& file : options.panelFiles) {
        if (!panel.ReadFile(file, error)) {
            err << "mixer-sim: " << error << Qt::endl;
            return 1;
        }
    }
    if (!mixer.Start(error)) {
        err << "mixer-sim: cannot listen on " << QString::fromStdString(options.address) << ":" << options.port << ": "
            << error << Qt::endl;
        return 1;
    }
    if (options.verbose) {
        QObject::connect(&mixer, &mixer::SimulatedMixer::received, [&](const QString& message, const QString& peer) {
            out << "<- " << peer << " " << Shorten(message) << Qt::endl;
        });
        QObject::connect(&mixer, &mixer::SimulatedMixer::sent, [&](const QString& message, const QString& peer) {
            out << "-> " << peer << " " << Shorten(message) << Qt::endl;
        });
    }
    // Always: what a firmware update brought is what a test or a user checks.
    // The line says what the editor was told, and why when it was a failure.
    QObject::connect(&mixer, &mixer::SimulatedMixer::imageReceived,
                     [&](int target, int length, quint16 checksum, bool accepted) {
                         const bool matched = mixer.LastImage() && mixer.LastImage()->accepted;
                         const char* verdict = accepted  ? ", accepted"
                                               : matched ? ", reported failed (--refuse-firmware)"
                                                         : ", reported failed (checksum mismatch)";
                         out << "image for target " << target << ": " << length << " bytes, checksum "
                             << QStringLiteral("%1").arg(checksum, 4, 16, QLatin1Char('0')).toUpper() << verdict
                             << Qt::endl;
                     });
    out << "mixer-sim listening on " << QString::fromStdString(options.address) << ":" << options.port << Qt::endl;
    if (options.incoming.Any() || options.outgoing.Any())
        out << "network faults drawn from seed " << static_cast<qulonglong>(options.seed) << " (--seed "
            << static_cast<qulonglong>(options.seed) << " replays them)" << Qt::endl;
    if (options.panelStdin) panel.FollowStdin();

    mixer::QuitOnSignal(&app);
    const int result = QCoreApplication::exec();
    mixer.Stop();
    out << "mixer-sim stopped" << Qt::endl;
    return result;
}
