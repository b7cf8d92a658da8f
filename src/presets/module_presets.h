#pragma once
// The preset flow one processing page shares with all others, for one module
// table: the selector's entries, save, the NAME / RECALL / DELETE popup menu,
// recall into the module's record, rename and delete. The page maps its
// selector and its refresh, send and propagate onto these methods; nothing
// here touches a widget.

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <vector>

#include "link/mixer_state.h"
#include "link/notifier.h"
#include "presets/name_prompt.h"
#include "presets/preset_menu.h"
#include "presets/preset_store.h"
#include "presets/preset_tables.h"

namespace mixer {

// What a selection did; after kRecalled the page refreshes, sends and
// propagates the module's record.
enum class PresetAction { kNone, kSaved, kRecalled, kRenamed, kDeleted };

class ModulePresets {
public:
    using Id = qint64;

    ModulePresets(PresetModule module, MixerState& state, PresetStore& store, Notifier& notifier,
                  NamePrompt& namePrompt, PresetMenu& menu);

    // The strip (PEQ, NOISE, Compressor) or bus (LIMIT, GEQ) the page edits;
    // DELAY and REV always work on their return strips.
    void SetIndex(int index) { index_ = index; }
    // 1 English, 2 Chinese (the initial language); other values change nothing.
    void SetLabels(int language);

    // Selector entries: "SAVE PRESET", then "ID:NAME" per stored preset in
    // ascending ID order. A failing query leaves only the first entry.
    void Fill();
    const QStringList& Entries() const { return entries_; }

    // The user picked selector entry `entry`: 0 saves, any other entry opens
    // the popup menu and carries out the chosen command.
    PresetAction Select(int entry);

    // Stores the module's current settings as preset highest ID + 1 (1 in an
    // empty table) named "SAVE<ID>" and appends its entry.
    bool Save();
    // Reads the preset into the module's record; a damaged text changes nothing.
    bool Recall(Id id);
    // Both refill the entries afterwards.
    bool Rename(Id id, const QString& name);
    bool Delete(Id id);

private:
    struct Stored {
        Id id;
        QString name;
    };
    struct Message {
        const char* english;
        const char* chinese;
    };

    void Show(const Message& message);
    void Append(Id id, const QString& name);
    QString Statement(const char* pattern) const;

    PresetModule module_;
    MixerState& state_;
    PresetStore& store_;
    Notifier& notifier_;
    NamePrompt& namePrompt_;
    PresetMenu& menu_;
    int index_ = 0;
    int language_ = 2;
    QStringList entries_;
    std::vector<Stored> stored_;
};

}  // namespace mixer
