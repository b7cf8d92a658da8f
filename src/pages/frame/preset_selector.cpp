#include "pages/frame/preset_selector.h"

#include <QCursor>

#include "host/app_context.h"
#include "pages/frame/preset_menu_resource.h"
#include "presets/name_dialog.h"
#include "skin/menu_ex.h"
#include "skin/skin_font.h"

namespace mixer {

CPresetSelector::CPresetSelector(PresetModule module, AppContext& context, QWidget* parent)
    : QComboBox(parent), module_(module), model_(context.model), menu_(new CMenuEx(this)) {
    setFont(SkinFontPoints(10));
    setFocusPolicy(Qt::NoFocus);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    const PresetMenuIds& ids = TableInfo(module).menu;
    menu_->LoadMenu(PresetMenuResource(ids.name));
    popup_ = menu_->SubMenu(0) ? menu_->SubMenu(0) : menu_;
    connect(popup_, &QMenu::triggered, this, [this](QAction* action) { OnMenuCommand(CMenuEx::CommandOf(action)); });
    // A dismissed menu leaves the selector as it was before the pick.
    connect(popup_, &QMenu::aboutToHide, this, [this] {
        const QSignalBlocker quiet(this);
        setCurrentIndex(0);
    });
    connect(this, &QComboBox::activated, this, [this](int entry) { Choose(entry, QCursor::pos()); });
    if (context.presets) {
        NamePrompt& prompt = *this;
        PresetMenu& menu = *this;
        // A recall writes the record in place; Run() reports it through the model.
        presets_ = std::make_unique<ModulePresets>(module, context.model.Mirror(), *context.presets,
                                                   context.presets->MessageNotifier(), prompt, menu);
    }
    setEnabled(presets_ != nullptr);
    SetLabels(context.language == 2 ? 2 : 1);
}

CPresetSelector::~CPresetSelector() = default;

void CPresetSelector::SetIndex(int index) {
    if (presets_) presets_->SetIndex(index);
    const bool output = module_ == PresetModule::kLimit || module_ == PresetModule::kGeq;
    displayChannel_ = output ? kFirstOutputChannel + index : index;
}

void CPresetSelector::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    language_ = language;
    if (presets_) presets_->SetLabels(language);
    menu_->SetLanguage(language);
    ShowEntries();
}

void CPresetSelector::Fill() {
    if (presets_) presets_->Fill();
    ShowEntries();
}

void CPresetSelector::ShowEntries() {
    const QSignalBlocker quiet(this);
    clear();
    if (presets_) addItems(presets_->Entries());
    else addItem(QString());
    // The flow's first entry is its command to save, captioned here in the window's language.
    setItemText(0, language_ == 1 ? QStringLiteral("SAVE PRESET") : QStringLiteral("保存预设"));
    setCurrentIndex(0);
}

void CPresetSelector::Choose(int entry, const QPoint& globalPos) {
    if (!presets_) return;
    if (entry == 0) {
        Run(0, 0, std::nullopt);
        return;
    }
    if (entry < 0 || entry >= presets_->Entries().size()) return;
    chosenEntry_ = entry;
    popup_->popup(globalPos);
}

void CPresetSelector::OnMenuCommand(int command) {
    if (!presets_ || chosenEntry_ <= 0 || command == 0) return;
    Run(chosenEntry_, command, std::nullopt);
}

void CPresetSelector::OnNameEntered(const QString& name) {
    if (!presets_ || chosenEntry_ <= 0) return;
    Run(chosenEntry_, TableInfo(module_).menu.name, name);
}

void CPresetSelector::Run(int entry, int command, std::optional<QString> name) {
    answerCommand_ = command;
    answerName_ = std::move(name);
    // A recall writes the channel's record: the model reports it to every
    // view. With what the page repeats for it on linked channels it is one
    // undo step.
    const StepScope step(model_, {});
    PresetAction action = PresetAction::kNone;
    model_.Change([&](MixerState&) { action = presets_->Select(entry); });
    answerCommand_ = 0;
    answerName_.reset();
    ShowEntries();
    if (action == PresetAction::kRecalled) {
        model_.NameStep({StepAction::PresetRecall, displayChannel_});
        emit recalled();
    }
}

int CPresetSelector::ShowPresetMenu(const PresetMenuIds&) { return answerCommand_; }

std::optional<QString> CPresetSelector::AskName(const QString& current) {
    if (answerName_) return answerName_;
    auto* dialog = new CNameDlg(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->SetLabels(language_);
    dialog->SetName(current);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { OnNameEntered(dialog->Name()); });
    dialog->open();
    return std::nullopt;
}

}  // namespace mixer
