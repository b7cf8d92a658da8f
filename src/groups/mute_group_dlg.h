#pragma once
// CMuteGroupDlg: which inputs and outputs belong to each of the four mute
// groups. The navigation bar's mute group buttons engage them.

#include "groups/group_page_base.h"

namespace mixer {

class CMuteGroupDlg : public GroupPageBase {
    Q_OBJECT

public:
    CMuteGroupDlg(AppContext& context, QWidget* parent);

    // Output button 0..7 (the second MAIN record's stays hidden); only while a group is selected.
    void PressOutput(int output);
    CImageButton* Output(int output) const { return outputs_[output]; }

protected:
    bool ToggleMember(int group, int channel) override;
    bool IsMember(int group, int channel) const override;
    std::string& Name(int group) override;
    void RefreshMore() override;

private:
    std::array<CImageButton*, kBusCount> outputs_{};
};

}  // namespace mixer
