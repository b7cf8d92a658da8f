#include "host/app_context.h"

#include <QDir>
#include <QSettings>

#include "host/language_choice.h"
#include "host/profile_file.h"
#include "link/reset_defaults.h"

namespace mixer {

void ApplyOptions(AppContext& context, const EditorOptions& options, const QString& programDir, const QLocale& desktop) {
    context.dataDir = options.dataDir.empty() ? programDir : QString::fromStdString(options.dataDir);
    context.profileFile = options.profileFile.empty() ? QDir(context.dataDir).filePath("mixer-editor.ini")
                                                      : QString::fromStdString(options.profileFile);
    context.updateUrl = QString::fromStdString(options.updateUrl);
    context.language = StartLanguage(options.language, ProfileLanguage(context.profileFile), desktop);
    context.resyncMs = options.resyncMs.value_or(ProfileResyncMs(context.profileFile).value_or(kDefaultResyncMs));
}

namespace {
const QString kResyncKey = QStringLiteral("U_FONT_SECTION/resync");
}

std::optional<int> ProfileResyncMs(const QString& profileFile) {
    if (profileFile.isEmpty()) return std::nullopt;
    const QSettings profile(profileFile, QSettings::IniFormat);
    if (!profile.contains(kResyncKey)) return std::nullopt;
    return ResyncMsFromText(profile.value(kResyncKey).toString().toStdString());
}

bool StoreProfileResyncMs(const QString& profileFile, int ms) {
    return WriteProfile(profileFile,
                        [&](QSettings& profile) { profile.setValue(kResyncKey, QString::fromStdString(ResyncText(ms))); });
}

void InitialiseState(AppContext& context) {
    context.model.Change([&](MixerState& s) {
        s = MixerState{};
        SetDefaultNames(s, context.language);
    });
}

void ReadDeviceAddress(AppContext& context) {
    QSettings profile(context.profileFile, QSettings::IniFormat);
    const QString key = QStringLiteral("U_FONT_SECTION/hostip");
    std::optional<std::string> stored;
    if (profile.contains(key)) stored = profile.value(key).toString().toStdString();
    context.deviceAddress =
        QString::fromStdString(DeviceAddressFromProfile(stored, context.deviceAddress.toStdString()));
}

}  // namespace mixer
