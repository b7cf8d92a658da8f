#include "app/discover_run.h"

#include <QEventLoop>
#include <QTimer>

#include "link/link_state.h"
#include "link/link_texts.h"

namespace mixer {

namespace {
// How long answers to the last probes are awaited after it has gone out.
constexpr int kLateAnswerMs = 300;
}  // namespace

int RunDiscovery(const EditorOptions& options, QTextStream& out, QTextStream& err,
                 DeviceDiscovery::InterfaceSource source) {
    DeviceDiscovery discovery;
    discovery.SetInterfaceSource(std::move(source));
    discovery.SetLocal(QString::fromStdString(options.bindAddress), static_cast<quint16>(options.port));
    QEventLoop loop;
    QObject::connect(&discovery, &DeviceDiscovery::deviceFound, [&out](const QString& address) {
        out << address << '\n';
        out.flush();
    });
    QObject::connect(&discovery, &DeviceDiscovery::scanFinished,
                     [&loop] { QTimer::singleShot(kLateAnswerMs, &loop, &QEventLoop::quit); });

    switch (discovery.Start()) {
    case DeviceDiscovery::StartResult::NoOrigin:
        err << "mixer-editor: no address to search from: no network interface is up with an IPv4 address "
               "other than loopback; give one with --bind\n";
        return 1;
    case DeviceDiscovery::StartResult::SocketError:
        err << "mixer-editor: " << QString::fromStdString(LinkTextFor(LinkText::SocketError, kLanguageEnglish))
            << " (port " << options.port << " on " << QString::fromStdString(options.bindAddress)
            << " cannot be bound)\n";
        return 1;
    case DeviceDiscovery::StartResult::Started: break;
    }
    // A scan over before the loop runs still leaves its quit timer pending.
    loop.exec();
    discovery.Stop();
    return 0;
}

}  // namespace mixer
