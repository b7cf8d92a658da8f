#include "groups/group_store.h"

#include <QSettings>

#include "groups/group_edits.h"
#include "groups/group_text.h"
#include "host/profile_file.h"

namespace mixer {

namespace {

QString Key(const char* kind, int g, const char* field) {
    return QStringLiteral("GROUPS/%1%2_%3").arg(QLatin1String(kind)).arg(g + 1).arg(QLatin1String(field));
}

template <std::size_t N>
void Read(const QSettings& profile, const QString& key, std::array<int, N>& flags) {
    DecodeFlags(profile.value(key).toString().toStdString(), flags);
}

template <std::size_t N>
void Write(QSettings& profile, const QString& key, const std::array<int, N>& flags) {
    profile.setValue(key, QString::fromStdString(EncodeFlags(flags)));
}

std::string ReadName(const QSettings& profile, const QString& key) {
    return profile.value(key).toString().toStdString();
}

void WriteName(QSettings& profile, const QString& key, const std::string& name) {
    profile.setValue(key, QString::fromStdString(name));
}

}  // namespace

GroupTables LoadGroups(const QString& profileFile) {
    GroupTables groups;
    if (profileFile.isEmpty()) return groups;
    const QSettings profile(profileFile, QSettings::IniFormat);
    for (int g = 0; g < kGroupCount; ++g) {
        Read(profile, Key("mute", g, "inputs"), groups.mute[g].inputs);
        Read(profile, Key("mute", g, "outputs"), groups.mute[g].outputs);
        groups.mute[g].name = ReadName(profile, Key("mute", g, "name"));
        Read(profile, Key("view", g, "members"), groups.view[g].members);
        groups.view[g].name = ReadName(profile, Key("view", g, "name"));
        Read(profile, Key("control", g, "members"), groups.control[g].members);
        Read(profile, Key("control", g, "functions"), groups.control[g].functions);
        groups.control[g].name = ReadName(profile, Key("control", g, "name"));
    }
    NormaliseGroups(groups);
    return groups;
}

bool SaveGroups(const QString& profileFile, const GroupTables& groups) {
    return WriteProfile(profileFile, [&](QSettings& profile) {
        for (int g = 0; g < kGroupCount; ++g) {
            Write(profile, Key("mute", g, "inputs"), groups.mute[g].inputs);
            Write(profile, Key("mute", g, "outputs"), groups.mute[g].outputs);
            WriteName(profile, Key("mute", g, "name"), groups.mute[g].name);
            Write(profile, Key("view", g, "members"), groups.view[g].members);
            WriteName(profile, Key("view", g, "name"), groups.view[g].name);
            Write(profile, Key("control", g, "members"), groups.control[g].members);
            Write(profile, Key("control", g, "functions"), groups.control[g].functions);
            WriteName(profile, Key("control", g, "name"), groups.control[g].name);
        }
    });
}

}  // namespace mixer
