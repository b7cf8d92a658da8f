#include "host/osc_settings.h"

#include <QSettings>

namespace mixer {

namespace {

const QString kEnabledKey = QStringLiteral("OSC/enabled");
const QString kPortKey = QStringLiteral("OSC/port");

}  // namespace

OscSettings ProfileOscSettings(const QString& profileFile) {
    OscSettings settings;
    if (profileFile.isEmpty()) return settings;
    const QSettings profile(profileFile, QSettings::IniFormat);
    settings.enabled = profile.value(kEnabledKey).toString().trimmed() == QLatin1String("1");
    bool number = false;
    const int port = profile.value(kPortKey).toString().trimmed().toInt(&number);
    if (number && port >= 1 && port <= 65535) settings.port = port;
    return settings;
}

bool StoreProfileOsc(const QString& profileFile, const OscSettings& settings) {
    if (profileFile.isEmpty()) return true;
    QSettings profile(profileFile, QSettings::IniFormat);
    profile.setValue(kEnabledKey, settings.enabled ? 1 : 0);
    profile.setValue(kPortKey, settings.port);
    profile.sync();
    return profile.status() == QSettings::NoError;
}

OscSettings StartOscSettings(const EditorOptions& options, OscSettings profile) {
    if (options.oscPort) {
        profile.enabled = true;
        profile.port = *options.oscPort;
    }
    profile.bindAddress = options.oscBind;
    profile.allowed = options.oscAllow;
    return profile;
}

}  // namespace mixer
