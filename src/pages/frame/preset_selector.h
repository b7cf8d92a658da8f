#pragma once
// The preset selector of a processing page: "SAVE PRESET" and one entry per
// stored preset of the page's module. Its first entry saves the module's
// current settings; any other opens the NAME / RECALL / DELETE menu (CMenuEx)
// at the mouse position, and NAME opens the NAME dialog (CNameDlg).
//
// Menu and dialog are shown without a nested event loop, so the link and the
// meters keep running meanwhile. Once the user has chosen, the selection runs
// through the shared ModulePresets flow, which asks this selector for the
// menu's command and the name: it answers with what the user already chose.

#include <QComboBox>
#include <QPoint>
#include <memory>
#include <optional>

#include "presets/module_presets.h"

namespace mixer {

struct AppContext;
class CMenuEx;
class MixerModel;

class CPresetSelector : public QComboBox, private NamePrompt, private PresetMenu {
    Q_OBJECT

public:
    // Without a preset database (context.presets null) the selector is disabled.
    CPresetSelector(PresetModule module, AppContext& context, QWidget* parent);
    ~CPresetSelector() override;

    // The channel or output whose settings are saved and recalled.
    void SetIndex(int index);
    // The save entry and the menu in language 1 or 2; other values change nothing.
    void SetLabels(int language);
    // Reads the entries from the database again.
    void Fill();

    // What picking entry `entry` does: 0 saves, any other opens the menu at globalPos.
    void Choose(int entry, const QPoint& globalPos);
    // The menu's command for the entry chosen last (0 when dismissed).
    void OnMenuCommand(int command);
    // The NAME dialog closed with OK for the entry chosen last.
    void OnNameEntered(const QString& name);

    // The popup the menu shows (for tests and the screenshots).
    CMenuEx* Menu() const { return popup_; }

signals:
    // A preset was stored into the module's record: the page refreshes,
    // sends and propagates it.
    void recalled();

private:
    std::optional<QString> AskName(const QString& current) override;
    int ShowPresetMenu(const PresetMenuIds& ids) override;
    void Run(int entry, int command, std::optional<QString> name);
    void ShowEntries();

    PresetModule module_;
    MixerModel& model_;
    int displayChannel_ = -1;  // the index as the value display numbers channels
    std::unique_ptr<ModulePresets> presets_;
    CMenuEx* menu_;
    CMenuEx* popup_;
    int chosenEntry_ = -1;
    int language_ = 1;
    // The answers the flow receives while a choice is replayed through it.
    int answerCommand_ = 0;
    std::optional<QString> answerName_;
};

}  // namespace mixer
