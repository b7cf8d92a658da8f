#include "host/osc_settings.h"

#include "host/profile_file.h"

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
    settings.port = ProfilePort(profile, kPortKey).value_or(settings.port);
    return settings;
}

bool StoreProfileOsc(const QString& profileFile, const OscSettings& settings) {
    return WriteProfile(profileFile, [&](QSettings& profile) {
        profile.setValue(kEnabledKey, settings.enabled ? 1 : 0);
        profile.setValue(kPortKey, settings.port);
    });
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
