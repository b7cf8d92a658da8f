#include "groups/view_group_dlg.h"

#include "host/app_context.h"
#include "groups/group_edits.h"

namespace mixer {

namespace {

constexpr GroupPageCaptions kViewCaptions = {"VIEW %1", "视图 %1", "VIEW GROUP NAME", "视图分组名称"};

}  // namespace

CViewGroupDlg::CViewGroupDlg(AppContext& context, QWidget* parent)
    : GroupPageBase(context, kViewCaptions, parent) {
    SetLabels(1);
}

bool CViewGroupDlg::ToggleMember(int group, int channel) {
    return ToggleViewMember(context_.groups.view[group], channel);
}

bool CViewGroupDlg::IsMember(int group, int channel) const {
    return context_.groups.view[group].members[channel] == 1;
}

std::string& CViewGroupDlg::Name(int group) { return context_.groups.view[group].name; }

}  // namespace mixer
