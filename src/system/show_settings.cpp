#include "system/show_settings.h"

#include <QSettings>

namespace mixer {

namespace {

const QString kSafesKey = QStringLiteral("SHOW/safes");

}  // namespace

RecallSafes ProfileRecallSafes(const QString& profileFile) {
    if (profileFile.isEmpty()) return {};
    const QSettings profile(profileFile, QSettings::IniFormat);
    // A comma-separated value reads back as a list.
    return RecallSafes::FromText(profile.value(kSafesKey).toStringList().join(QLatin1Char(',')).toStdString());
}

bool StoreProfileRecallSafes(const QString& profileFile, const RecallSafes& safes) {
    if (profileFile.isEmpty()) return true;
    QSettings profile(profileFile, QSettings::IniFormat);
    profile.setValue(kSafesKey, QString::fromStdString(safes.Text()));
    profile.sync();
    return profile.status() == QSettings::NoError;
}

}  // namespace mixer
