#include "groups/mute_group_dlg.h"

#include "host/app_context.h"
#include "host/gbk_text.h"
#include "groups/group_edits.h"
#include "skin/image_button.h"

namespace mixer {

namespace {

constexpr GroupPageCaptions kMuteCaptions = {"Mute %1", "静音 %1", "MUTE GROUP NAME", "静音分组名称"};

}  // namespace

CMuteGroupDlg::CMuteGroupDlg(AppContext& context, QWidget* parent)
    : GroupPageBase(context, kMuteCaptions, parent) {
    int place = 0;
    for (int j = 0; j < kBusCount; ++j) {
        outputs_[j] = MakeButton(kColumnX + place * kColumnPitch, kLowerRowY, 80, kNameButtonHeight);
        connect(outputs_[j], &QAbstractButton::clicked, this, [this, j] { PressOutput(j); });
        if (j == 1) {
            outputs_[j]->hide();
            continue;
        }
        ++place;
    }
    SetLabels(1);
}

void CMuteGroupDlg::PressOutput(int output) {
    if (selected_ < 0 || !ToggleMuteOutput(context_.groups.mute[selected_], output)) return;
    outputs_[output]->SetDown(context_.groups.mute[selected_].outputs[output] == 1);
    Save();
}

bool CMuteGroupDlg::ToggleMember(int group, int channel) {
    return ToggleMuteInput(context_.groups.mute[group], channel);
}

bool CMuteGroupDlg::IsMember(int group, int channel) const {
    return context_.groups.mute[group].inputs[channel] == 1;
}

std::string& CMuteGroupDlg::Name(int group) { return context_.groups.mute[group].name; }

void CMuteGroupDlg::RefreshMore() {
    for (int j = 0; j < kBusCount; ++j) {
        outputs_[j]->setText(DecodeGbkName(context_.state.buses[j].name));
        outputs_[j]->SetDown(selected_ >= 0 && context_.groups.mute[selected_].outputs[j] == 1);
    }
}

}  // namespace mixer
