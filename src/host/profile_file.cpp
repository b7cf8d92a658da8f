#include "host/profile_file.h"

namespace mixer {

bool WriteProfile(const QString& profileFile, const std::function<void(QSettings&)>& write) {
    if (profileFile.isEmpty()) return true;
    QSettings profile(profileFile, QSettings::IniFormat);
    write(profile);
    profile.sync();
    return profile.status() == QSettings::NoError;
}

std::optional<int> ProfilePort(const QSettings& profile, const QString& key) {
    bool number = false;
    const int port = profile.value(key).toString().trimmed().toInt(&number);
    if (number && port >= 1 && port <= 65535) return port;
    return std::nullopt;
}

}  // namespace mixer
