#include "console/app_context.h"

#include <QDir>
#include <QSettings>

#include "console/default_names.h"
#include "console/gbk_text.h"

namespace mixer {

void ApplyOptions(AppContext& context, const EditorOptions& options, const QString& programDir) {
    context.language = options.language;
    context.dataDir = options.dataDir.empty() ? programDir : QString::fromStdString(options.dataDir);
    context.profileFile = options.profileFile.empty() ? QDir(context.dataDir).filePath("mixer-editor.ini")
                                                      : QString::fromStdString(options.profileFile);
    context.updateUrl = QString::fromStdString(options.updateUrl);
}

void InitialiseState(AppContext& context) {
    context.state = MixerState{};
    for (int i = 0; i < kStripCount; ++i) {
        SetGbkName(context.state.strips[i].name, QString::fromStdString(DefaultInputName(i, context.language)));
    }
    for (int i = 0; i < kBusCount; ++i) {
        SetGbkName(context.state.buses[i].name, QString::fromStdString(DefaultOutputName(i, context.language)));
    }
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
