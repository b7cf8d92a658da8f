// The console window's part in the groups: the navigation bar's mute and
// control group buttons, the side panel's requests, and what they do to the
// strips.

#include "console/mixer_dlg.h"

#include "host/app_context.h"
#include "console/input_strip_dlg.h"
#include "console/navigation_bar.h"
#include "groups/control_groups.h"
#include "groups/group_panel_dlg.h"
#include "groups/mute_groups.h"
#include "skin/image_button.h"

namespace mixer {

void CMixerDlg::ConnectGroupControls() {
    for (int i = 0; i < kGroupCount; ++i) {
        connect(nav_->muteGroupButtons[i], &QAbstractButton::clicked, this, [this, i] { OnMuteGroupButton(i + 1); });
        connect(nav_->controlGroupButtons[i], &QAbstractButton::clicked, this,
                [this, i] { OnControlGroupButton(i + 1); });
    }
    auto* panel = dynamic_cast<CGroupPanelDlg*>(pages_.sidePanel);
    if (!panel) return;
    connect(panel, &CGroupPanelDlg::scrollResetRequested, this, &CMixerDlg::ResetScrollPositions);
    connect(panel, &CGroupPanelDlg::modeRequested, this, [this](int mode) { ShowPage(page_, selectedOutput_, mode); });
    connect(panel, &CGroupPanelDlg::clearMuteRequested, this, &CMixerDlg::ClearMutes);
    connect(panel, &CGroupPanelDlg::clearSoloRequested, this, &CMixerDlg::ClearSolos);
    connect(panel, &CGroupPanelDlg::viewGroupRequested, this, &CMixerDlg::ShowViewGroup);
    connect(panel, &CGroupPanelDlg::outputRequested, this, &CMixerDlg::SelectOutput);
}

void CMixerDlg::OnMuteGroupButton(int k) {
    if (k < 1 || k > kGroupCount) return;
    const int before = context_.activeMuteGroup;
    const StepScope step(context_.model, {StepAction::MuteGroup, -1, 0, before, before == k ? 0 : k});
    context_.model.Edit(
        [&](MixerState& s) { return PressMuteGroup(s, context_.groups, context_.activeMuteGroup, k); });
    for (int i = 0; i < kGroupCount; ++i) nav_->muteGroupButtons[i]->SetDown(i + 1 == context_.activeMuteGroup);
}

void CMixerDlg::OnControlGroupButton(int k) {
    if (k < 1 || k > kGroupCount) return;
    int& enabled = context_.controlGroupEnabled[k - 1];
    enabled = enabled == 0 ? 1 : 0;
    nav_->controlGroupButtons[k - 1]->SetDown(enabled == 1);
    ApplyControlGroup(k - 1);
}

void CMixerDlg::ApplyControlGroup(int g) {
    if (g < 0 || g >= kGroupCount) return;
    std::array<CInputStripDlg*, kStripCount> strips{};
    StripGroupTies ties;
    for (int i = 0; i < kStripCount; ++i) {
        strips[i] = dynamic_cast<CInputStripDlg*>(pages_.inputs[i]);
        if (!strips[i]) continue;
        ties.links[i] = strips[i]->Links();
        ties.badges[i] = BadgeOfBackground(strips[i]->Badge());
    }
    mixer::ApplyControlGroup(context_.groups.control[g], g, context_.controlGroupEnabled[g] == 1, ties);
    for (int i = 0; i < kStripCount; ++i) {
        if (!strips[i]) continue;
        strips[i]->SetLinks(ties.links[i]);
        strips[i]->SetBadge(BadgeBackground(ties.badges[i]));
    }
    // The detail strip edits with the links of the channel it shows.
    auto* detail = dynamic_cast<CInputStripDlg*>(pages_.detailInput);
    if (detail && detail->Index() >= 0 && detail->Index() < kStripCount) detail->SetLinks(ties.links[detail->Index()]);
}

void CMixerDlg::LeaveViewGroup() {
    context_.activeViewGroup = 0;
    if (auto* panel = dynamic_cast<CGroupPanelDlg*>(pages_.sidePanel)) panel->ReleaseViewGroup();
}

void CMixerDlg::ReleaseGroups() {
    context_.activeMuteGroup = 0;
    LeaveViewGroup();
    for (int g = 0; g < kGroupCount; ++g) {
        nav_->muteGroupButtons[g]->SetDown(false);
        nav_->controlGroupButtons[g]->SetDown(false);
        if (context_.controlGroupEnabled[g] == 0) continue;
        context_.controlGroupEnabled[g] = 0;
        ApplyControlGroup(g);
    }
}

void CMixerDlg::ShowViewGroup(int g) {
    context_.activeViewGroup = g >= 1 && g <= kGroupCount ? g : 0;
    ShowPage(page_, selectedOutput_, kModeStrips);
}

void CMixerDlg::ClearMutes() {
    const StepScope step(context_.model, {StepAction::ClearMute});
    context_.model.Edit([](MixerState& s) { return ClearAllMutes(s); });
}

void CMixerDlg::ClearSolos() {
    const StepScope step(context_.model, {StepAction::ClearSolo});
    context_.model.Edit([](MixerState& s) { return ClearAllSolos(s); });
}

void CMixerDlg::SelectOutput(int selectedOutput) {
    if (IsShownOutput(selectedOutput)) ShowPage(page_, selectedOutput, kModeStrips);
}

}  // namespace mixer
