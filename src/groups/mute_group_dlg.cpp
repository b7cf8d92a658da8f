#include "groups/mute_group_dlg.h"

#include "console/app_context.h"
#include "console/gbk_text.h"
#include "groups/group_edits.h"
#include "skin/image_button.h"

namespace mixer {

CMuteGroupDlg::CMuteGroupDlg(AppContext& context, QWidget* parent) : GroupPageBase(context, parent) {
    int place = 0;
    for (int j = 0; j < kBusCount; ++j) {
        outputs_[j] = MakeButton(kColumnX + place * kColumnPitch, kLowerRowY, 80, 24);
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

QString CMuteGroupDlg::SelectorCaption(int g, int language) const {
    return (language == 1 ? QStringLiteral("Mute %1") : QStringLiteral("静音 %1")).arg(g + 1);
}

QString CMuteGroupDlg::NameCaptionText(int language) const {
    return language == 1 ? QStringLiteral("MUTE GROUP NAME") : QStringLiteral("静音分组名称");
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
