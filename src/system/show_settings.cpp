#include "system/show_settings.h"

#include <QSettings>

#include "host/profile_file.h"

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
    return WriteProfile(profileFile,
                        [&](QSettings& profile) { profile.setValue(kSafesKey, QString::fromStdString(safes.Text())); });
}

}  // namespace mixer
