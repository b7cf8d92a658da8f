#pragma once
// The profile (an INI file beside the data) as its sections' readers and
// writers share it.

#include <QSettings>
#include <QString>
#include <functional>
#include <optional>

namespace mixer {

// Runs `write` on the profile and says whether it reached the disk; without
// a profile there is nothing to write, which is no failure.
bool WriteProfile(const QString& profileFile, const std::function<void(QSettings&)>& write);

// The port stored under `key`, when it is a number from 1 to 65535.
std::optional<int> ProfilePort(const QSettings& profile, const QString& key);

}  // namespace mixer
