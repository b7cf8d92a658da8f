#include "host/language_choice.h"

#include <QSettings>

#include "host/profile_file.h"

namespace mixer {

namespace {

const QString kLanguageKey = QStringLiteral("U_FONT_SECTION/language");

}  // namespace

int LanguageForLocale(const QLocale& desktop) { return desktop.language() == QLocale::Chinese ? 2 : 1; }

int StartLanguage(std::optional<int> commandLine, std::optional<int> profile, const QLocale& desktop) {
    if (commandLine) return *commandLine;
    if (profile) return *profile;
    return LanguageForLocale(desktop);
}

std::optional<int> ProfileLanguage(const QString& profileFile) {
    if (profileFile.isEmpty()) return std::nullopt;
    const QSettings profile(profileFile, QSettings::IniFormat);
    const QString stored = profile.value(kLanguageKey).toString().trimmed();
    if (stored == QLatin1String("1")) return 1;
    if (stored == QLatin1String("2")) return 2;
    return std::nullopt;
}

bool StoreProfileLanguage(const QString& profileFile, int language) {
    return WriteProfile(profileFile, [&](QSettings& profile) { profile.setValue(kLanguageKey, language); });
}

}  // namespace mixer
