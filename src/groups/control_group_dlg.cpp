#include "groups/control_group_dlg.h"

#include "host/app_context.h"
#include "groups/group_edits.h"
#include "skin/image_button.h"

namespace mixer {

namespace {

constexpr GroupPageCaptions kControlCaptions = {"CONTROL %1", "控制 %1", "CONTROL GROUP NAME", "控制分组名称"};

struct FunctionCaption {
    LinkFunction function;
    const char* english;
    const char* chinese;
};

// In the page's order, left to right.
constexpr std::array<FunctionCaption, kLinkFunctionCount> kFunctions = {{
    {kLinkEq, "EQ", "均衡"},
    {kLinkGate, "GATE", "限幅器"},
    {kLinkLimit, "LIMIT", "压缩器"},
    {kLinkVol, "VOL", "音量"},
    {kLinkMatrix, "MATRIX", "发送"},
    {kLinkSolo, "SOLO", "监听"},
    {kLinkPan, "PHASE", "声像"},
}};

}  // namespace

CControlGroupDlg::CControlGroupDlg(AppContext& context, QWidget* parent)
    : GroupPageBase(context, kControlCaptions, parent) {
    for (int k = 0; k < kLinkFunctionCount; ++k) {
        const int f = kFunctions[k].function;
        functions_[f] = MakeButton(kColumnX + k * kColumnPitch, kLowerRowY, 80, kNameButtonHeight);
        connect(functions_[f], &QAbstractButton::clicked, this, [this, f] { PressFunction(f); });
    }
    SetLabels(1);
}

void CControlGroupDlg::PressFunction(int function) {
    if (selected_ < 0 || !ToggleControlFunction(context_.groups.control[selected_], function)) return;
    functions_[function]->SetDown(context_.groups.control[selected_].functions[function] == 1);
    Save();
}

void CControlGroupDlg::SetMoreLabels(int language) {
    for (const FunctionCaption& c : kFunctions) {
        functions_[c.function]->setText(QString::fromUtf8(language == 1 ? c.english : c.chinese));
    }
}

bool CControlGroupDlg::ToggleMember(int group, int channel) {
    return ToggleControlMember(context_.groups.control[group], channel);
}

bool CControlGroupDlg::IsMember(int group, int channel) const {
    return context_.groups.control[group].members[channel] == 1;
}

std::string& CControlGroupDlg::Name(int group) { return context_.groups.control[group].name; }

void CControlGroupDlg::RefreshMore() {
    for (int f = 0; f < kLinkFunctionCount; ++f) {
        functions_[f]->SetDown(selected_ >= 0 && context_.groups.control[selected_].functions[f] == 1);
    }
}

}  // namespace mixer
