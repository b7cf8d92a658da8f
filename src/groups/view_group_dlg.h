#pragma once
// CViewGroupDlg: which input strips (at most eight) each of the four view
// groups shows side by side.

#include "groups/group_page_base.h"

namespace mixer {

class CViewGroupDlg : public GroupPageBase {
    Q_OBJECT

public:
    CViewGroupDlg(AppContext& context, QWidget* parent);

protected:
    bool ToggleMember(int group, int channel) override;
    bool IsMember(int group, int channel) const override;
    std::string& Name(int group) override;
};

}  // namespace mixer
