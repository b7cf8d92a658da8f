#include "groups/view_group_dlg.h"

#include "console/app_context.h"
#include "groups/group_edits.h"

namespace mixer {

CViewGroupDlg::CViewGroupDlg(AppContext& context, QWidget* parent) : GroupPageBase(context, parent) { SetLabels(1); }

QString CViewGroupDlg::SelectorCaption(int g, int language) const {
    return (language == 1 ? QStringLiteral("VIEW %1") : QStringLiteral("视图 %1")).arg(g + 1);
}

QString CViewGroupDlg::NameCaptionText(int language) const {
    return language == 1 ? QStringLiteral("VIEW GROUP NAME") : QStringLiteral("视图分组名称");
}

bool CViewGroupDlg::ToggleMember(int group, int channel) {
    return ToggleViewMember(context_.groups.view[group], channel);
}

bool CViewGroupDlg::IsMember(int group, int channel) const {
    return context_.groups.view[group].members[channel] == 1;
}

std::string& CViewGroupDlg::Name(int group) { return context_.groups.view[group].name; }

}  // namespace mixer
