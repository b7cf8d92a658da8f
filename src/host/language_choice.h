#pragma once
// Which language the window starts in, and the user's choice kept in the
// profile (section "U_FONT_SECTION", key "language", 1 English or 2 Chinese).

#include <QLocale>
#include <QString>
#include <optional>

namespace mixer {

// Chinese for a Chinese desktop, whatever its script or country; English for
// every other.
int LanguageForLocale(const QLocale& desktop);

// The command line's language, else the profile's, else the desktop's.
int StartLanguage(std::optional<int> commandLine, std::optional<int> profile, const QLocale& desktop);

// The profile's language: 1 or 2, or nothing when the profile has none or
// holds anything else (the file may have been edited by hand).
std::optional<int> ProfileLanguage(const QString& profileFile);

// Keeps the language in the profile, other entries untouched; false when the
// file could not be written.
bool StoreProfileLanguage(const QString& profileFile, int language);

}  // namespace mixer
