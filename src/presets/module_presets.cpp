#include "presets/module_presets.h"

#include <algorithm>
#include <limits>

#include "presets/preset_codec.h"

namespace mixer {

namespace {

constexpr const char* kSaveEntry = "SAVE PRESET";

}  // namespace

ModulePresets::ModulePresets(PresetModule module, MixerState& state, PresetStore& store, Notifier& notifier,
                             NamePrompt& namePrompt, PresetMenu& menu)
    : module_(module), state_(state), store_(store), notifier_(notifier), namePrompt_(namePrompt), menu_(menu) {
    entries_.append(QString::fromLatin1(kSaveEntry));
}

void ModulePresets::SetLabels(int language) {
    if (language == 1 || language == 2) language_ = language;
}

// Table and column names come from the fixed table list, never from outside,
// and are quoted because LIMIT is an SQL keyword. Names, data and IDs are
// always bound values.
QString ModulePresets::Statement(const char* pattern) const {
    const PresetTableInfo& info = TableInfo(module_);
    return QString::fromLatin1(pattern)
        .replace(QStringLiteral("<table>"), QStringLiteral("\"%1\"").arg(QLatin1StringView(info.table)))
        .replace(QStringLiteral("<data>"), QStringLiteral("\"%1\"").arg(QLatin1StringView(info.dataColumn)));
}

void ModulePresets::Append(Id id, const QString& name) {
    stored_.push_back({id, name});
    entries_.append(QString::number(id) + QLatin1Char(':') + name);
}

void ModulePresets::Fill() {
    entries_ = QStringList{QString::fromLatin1(kSaveEntry)};
    stored_.clear();
    const auto rows = store_.Query(Statement("select ID, NAME from <table> order by ID"));
    if (!rows) return;
    stored_.reserve(rows->size());
    entries_.reserve(static_cast<qsizetype>(rows->size()) + 1);
    for (const PresetStore::Row& row : *rows) {
        bool isNumber = false;
        const Id id = row[0].toLongLong(&isNumber);
        // A row whose key is not a number cannot be recalled, renamed or deleted.
        if (isNumber) Append(id, row[1].toString());
    }
}

bool ModulePresets::Save() {
    const std::string data = EncodePreset(module_, state_, index_);
    if (data.empty()) return false;
    const auto top = store_.Query(Statement("select ID from <table> order by ID desc limit 1"));
    if (!top) return false;
    Id id = 1;
    if (!top->empty()) {
        bool isNumber = false;
        const Id highest = top->front()[0].toLongLong(&isNumber);
        if (!isNumber || highest == std::numeric_limits<Id>::max()) {
            Show({"No further preset can be saved in this list.", "此列表无法再保存预设。"});
            return false;
        }
        id = std::max<Id>(highest + 1, 1);
    }
    const QString name = QStringLiteral("SAVE%1").arg(id);
    if (!store_.Execute(Statement("insert into <table> values(?, ?, ?)"),
                        {id, name, QString::fromStdString(data)}))
        return false;
    Append(id, name);
    return true;
}

bool ModulePresets::Recall(Id id) {
    const auto rows = store_.Query(Statement("select <data> from <table> where ID=?"), {id});
    if (!rows) return false;
    if (rows->empty()) {
        Show({"The preset no longer exists.", "该预设已不存在。"});
        return false;
    }
    const std::string text = rows->front()[0].toString().toStdString();
    switch (DecodePreset(module_, text, state_, index_)) {
    case PresetDecodeResult::kStored:
        return true;
    case PresetDecodeResult::kStoredLimited:
        Show({"Some values of the preset were out of range and have been limited.",
              "预设中有数值超出范围，已被限制。"});
        return true;
    case PresetDecodeResult::kWrongLength:
    case PresetDecodeResult::kBadCharacter:
        Show({"The preset data is damaged; nothing was recalled.", "预设数据已损坏，未调用任何设置。"});
        return false;
    case PresetDecodeResult::kNoRecord:
        break;
    }
    return false;
}

bool ModulePresets::Rename(Id id, const QString& name) {
    const bool ok = store_.Execute(Statement("update <table> set NAME=? where ID=?"), {name, id});
    Fill();
    return ok;
}

bool ModulePresets::Delete(Id id) {
    const bool ok = store_.Execute(Statement("delete from <table>  where ID=?"), {id});
    Fill();
    return ok;
}

PresetAction ModulePresets::Select(int entry) {
    if (entry == 0) return Save() ? PresetAction::kSaved : PresetAction::kNone;
    if (entry < 0 || entry > static_cast<int>(stored_.size())) return PresetAction::kNone;
    // Copied: a refill replaces the list the entry belongs to.
    const Stored chosen = stored_[entry - 1];
    const PresetMenuIds& ids = TableInfo(module_).menu;
    const int command = menu_.ShowPresetMenu(ids);
    if (command == ids.recall) return Recall(chosen.id) ? PresetAction::kRecalled : PresetAction::kNone;
    if (command == ids.remove) return Delete(chosen.id) ? PresetAction::kDeleted : PresetAction::kNone;
    if (command == ids.name) {
        const auto name = namePrompt_.AskName(chosen.name);
        if (!name) return PresetAction::kNone;
        return Rename(chosen.id, *name) ? PresetAction::kRenamed : PresetAction::kNone;
    }
    return PresetAction::kNone;
}

void ModulePresets::Show(const Message& message) {
    notifier_.Show(language_ == 1 ? message.english : message.chinese, "");
}

}  // namespace mixer
