#include "remote/remote_settings.h"

#include <QNetworkInterface>
#include <QSettings>
#include <QStringList>

#include "host/profile_file.h"

namespace mixer {

namespace {
const QString kOnKey = QStringLiteral("U_FONT_SECTION/remote");
const QString kPortKey = QStringLiteral("U_FONT_SECTION/remoteport");
const QString kCodesKey = QStringLiteral("U_FONT_SECTION/remotecodes");
}  // namespace

RemoteSettings ReadRemoteSettings(const QString& profileFile) {
    RemoteSettings settings;
    if (profileFile.isEmpty()) return settings;
    const QSettings profile(profileFile, QSettings::IniFormat);
    settings.on = profile.value(kOnKey).toString() == QLatin1String("1");
    settings.port = ProfilePort(profile, kPortKey).value_or(settings.port);
    const QStringList codes = profile.value(kCodesKey).toString().split(QLatin1Char('-'));
    if (codes.size() == remote::kAuxCount + 1) {
        remote::AccessCodes fixed;
        fixed.engineer = codes[0].toStdString();
        for (int a = 0; a < remote::kAuxCount; ++a) fixed.monitor[a] = codes[a + 1].toStdString();
        if (remote::ValidCodes(fixed)) settings.fixedCodes = fixed;
    }
    return settings;
}

bool StoreRemoteSettings(const QString& profileFile, const RemoteSettings& settings) {
    return WriteProfile(profileFile, [&](QSettings& profile) {
        profile.setValue(kOnKey, settings.on ? QStringLiteral("1") : QStringLiteral("0"));
        profile.setValue(kPortKey, QString::number(settings.port));
        if (settings.fixedCodes) {
            QStringList codes{QString::fromStdString(settings.fixedCodes->engineer)};
            for (const std::string& code : settings.fixedCodes->monitor) codes << QString::fromStdString(code);
            profile.setValue(kCodesKey, codes.join(QLatin1Char('-')));
        } else {
            profile.remove(kCodesKey);
        }
    });
}

std::optional<int> RemoteStartPort(const std::optional<int>& option, const RemoteSettings& settings) {
    if (option) return option;
    if (settings.on) return settings.port;
    return std::nullopt;
}

QString RemotePageAddress(const QString& bindAddress, int port) {
    QString host = bindAddress;
    if (host.isEmpty() || host == QLatin1String("0.0.0.0")) {
        host = QStringLiteral("127.0.0.1");
        for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) {
                host = a.toString();
                break;
            }
        }
    }
    return QStringLiteral("http://%1:%2/").arg(host).arg(port);
}

}  // namespace mixer
