#pragma once
// What the mute, view and control group pages share: four radio selectors,
// a member button per input channel captioned with its name, and the
// selected group's name, which the user may type. Every edit is kept in the
// profile at once; editing a group sends nothing.

#include <QString>
#include <array>
#include <string>

#include "host/page_views.h"
#include "model/group_tables.h"

namespace mixer {

// A group page's own captions: the selectors' ("%1" stands for 1..4) and the
// name label's, in each language.
struct GroupPageCaptions {
    const char* selectorEnglish;
    const char* selectorChinese;
    const char* nameEnglish;
    const char* nameChinese;
};

struct AppContext;
class CImageButton;
class CSkinLabel;
class CTextField;

class GroupPageBase : public PageView {
    Q_OBJECT

public:
    void SetLabels(int language) override;

    // Selector g (0..3): selects that group, or deselects it when it is selected.
    void PressSelector(int g);
    // Member button of input channel 0..17; only while a group is selected.
    void PressMember(int channel);
    // The selected group's new name, as typed (cut to 15 characters).
    void RenameSelected(const QString& name);
    int Selected() const { return selected_; }

    // Buttons and name from the tables and the channel names.
    void RefreshPage();

    CImageButton* Selector(int g) const { return selectors_[g]; }
    CImageButton* Member(int channel) const { return members_[channel]; }
    CTextField* NameField() const { return name_; }
    CSkinLabel* NameCaption() const { return nameCaption_; }
    // Shown while the last edit could not be kept in the profile.
    CSkinLabel* SaveError() const { return saveError_; }

protected:
    static constexpr int kMemberRowY = 110;
    static constexpr int kLowerRowY = 230;  // outputs or functions, under the two member rows
    static constexpr int kColumnX = 40;
    static constexpr int kColumnPitch = 100;
    // Tall enough for a 15-byte name broken onto two lines.
    static constexpr int kNameButtonHeight = 30;

    GroupPageBase(AppContext& context, const GroupPageCaptions& captions, QWidget* parent);

    // Further captions of the page (outputs, functions).
    virtual void SetMoreLabels(int language) { (void)language; }
    virtual bool ToggleMember(int group, int channel) = 0;
    virtual bool IsMember(int group, int channel) const = 0;
    virtual std::string& Name(int group) = 0;
    // Further buttons from the selected group (all released when none is).
    virtual void RefreshMore() {}

    // A two-state button of the group pages' key images.
    CImageButton* MakeButton(int x, int y, int w, int h);
    // Keeps the tables in the profile, and says so on the page when it cannot.
    void Save();

    void showEvent(QShowEvent* event) override;

    AppContext& context_;
    int selected_ = -1;

private:
    GroupPageCaptions captions_;
    std::array<CImageButton*, kGroupCount> selectors_{};
    std::array<CImageButton*, kStripCount> members_{};
    CSkinLabel* nameCaption_;
    CTextField* name_;
    CSkinLabel* saveError_;
    int language_ = 1;
};

}  // namespace mixer
