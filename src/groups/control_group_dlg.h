#pragma once
// CControlGroupDlg: the members of each of the four control groups and the
// functions they share. The navigation bar's control group buttons switch
// them on; changes made here reach the strips when a group is next switched on.

#include "groups/group_page_base.h"

namespace mixer {

class CControlGroupDlg : public GroupPageBase {
    Q_OBJECT

public:
    CControlGroupDlg(AppContext& context, QWidget* parent);

    // Function button of a LinkFunction; only while a group is selected.
    void PressFunction(int function);
    CImageButton* Function(int function) const { return functions_[function]; }

protected:
    void SetMoreLabels(int language) override;
    bool ToggleMember(int group, int channel) override;
    bool IsMember(int group, int channel) const override;
    std::string& Name(int group) override;
    void RefreshMore() override;

private:
    std::array<CImageButton*, kLinkFunctionCount> functions_{};
};

}  // namespace mixer
