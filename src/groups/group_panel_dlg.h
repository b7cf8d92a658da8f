#pragma once
// CGroupPanelDlg: the narrow panel at the console's right edge. Its main
// level opens the system page and the phantom power page, clears every mute
// or solo, and leads to the group level (mute, view and control group pages,
// showing a view group) and to the output level (which output strip stands
// at the right). It asks the console for all of it through its signals.

#include <array>
#include <initializer_list>
#include <vector>

#include "host/page_views.h"

namespace mixer {

class CImageButton;
class CSkinLabel;

class CGroupPanelDlg : public SidePanelView {
    Q_OBJECT

public:
    enum Level { kMainLevel = 1, kGroupLevel = 2, kOutputLevel = 3 };
    static constexpr int kOutputChoices = 7;  // LR, AUX1..AUX6

    explicit CGroupPanelDlg(QWidget* parent);

    void SetLabels(int language) override;
    // Shows the controls of one level; the main level also releases the
    // buttons of the pages over the strips, which are gone when it is shown.
    void RefreshPanel(int level) override;
    void SetSystemDown(bool down) override;
    void SetPhantomDown(bool down) override;
    // Drawn as its buttons leave it when they open `mode`.
    void PressForMode(int mode) override;

    // The buttons.
    void OnSystem();
    void OnPhantom();
    void OnGroup();
    void OnMute();
    void OnView();
    void OnControl();
    void OnReturn();
    void OnClearMute();
    void OnClearSolo();
    void OnOutputs();
    // View group 1..4: shows it, or returns to the strips when it is shown.
    void OnViewGroup(int k);
    // Output choice 0 (MAIN) .. 6 (AUX 6).
    void OnOutputChoice(int choice);

    int Level() const { return level_; }
    int ShownViewGroup() const { return viewShown_; }
    // The view group has been left from elsewhere (HOME, RESET): its button rises.
    void ReleaseViewGroup();
    CImageButton* SystemButton() const { return system_; }
    CImageButton* PhantomButton() const { return phantom_; }
    CImageButton* GroupButton() const { return group_; }
    CImageButton* ClearMuteButton() const { return clearMute_; }
    CImageButton* ClearSoloButton() const { return clearSolo_; }
    CImageButton* OutputsButton() const { return outputs_; }
    CImageButton* MuteButton() const { return mute_; }
    CImageButton* ViewButton() const { return view_; }
    CImageButton* ControlButton() const { return control_; }
    CImageButton* GroupReturnButton() const { return groupReturn_; }
    CImageButton* ViewGroupButton(int k) const { return viewGroups_[k - 1]; }
    CImageButton* OutputChoiceButton(int choice) const { return outputChoices_[choice]; }
    CImageButton* OutputReturnButton() const { return outputReturn_; }

signals:
    // Every button asks for this first.
    void scrollResetRequested();
    // The console shows its strips (0) or the page of a mode over them.
    void modeRequested(int mode);
    void clearMuteRequested();
    void clearSoloRequested();
    // View group 1..4 shown in place of the strips, 0 back to the strips.
    void viewGroupRequested(int group);
    // The output strip at the right: 1 MAIN, 3..8 AUX 1..6.
    void outputRequested(int selectedOutput);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Entry {
        QWidget* control;
        int x, y;
    };
    CImageButton* MainButton(int x, int y, int up, int down);
    CImageButton* ListButton(int y, int level);
    CSkinLabel* MainLabel(int y);
    // A button that opens a page over the strips: pressed, it releases the
    // others and opens `mode`; pressed again, it returns to the strips.
    void TogglePage(CImageButton* button, std::initializer_list<CImageButton*> released, int mode);
    // Asks for a mode, and stays on the level the button was pressed on.
    void RequestMode(int mode);
    void KeepLevel(int level);
    void LayOut();

    int level_ = kMainLevel;
    int viewShown_ = 0;
    std::vector<std::pair<Entry, int>> entries_;  // control, its place and its level
    CImageButton* system_;
    CImageButton* group_;
    CImageButton* phantom_;
    CImageButton* clearMute_;
    CImageButton* clearSolo_;
    CImageButton* outputs_;
    std::array<CSkinLabel*, 6> mainLabels_{};
    CImageButton* groupHeader_;
    CImageButton* mute_;
    CImageButton* view_;
    CImageButton* control_;
    CImageButton* groupReturn_;
    std::array<CImageButton*, 4> viewGroups_{};
    CImageButton* outputHeader_;
    std::array<CImageButton*, kOutputChoices> outputChoices_{};
    CImageButton* outputReturn_;
};

}  // namespace mixer
