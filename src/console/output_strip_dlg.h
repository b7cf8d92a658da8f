#pragma once
// COutputStripDlg: the strip of one output bus (MAIN or AUX 1..6) or the
// detail views' output strip. It shows and edits the bus's fader, mute and
// name, MAIN's balance, an AUX's solo and send point, shows the graphic EQ as
// a thumbnail and opens the limiter and graphic EQ pages.

#include "console/strip_dlg_base.h"
#include "model/mixer_model.h"

class QComboBox;

namespace mixer {

class CSkinLabel;

class COutputStripDlg : public StripDlgBase {
    Q_OBJECT

public:
    static constexpr int kSendPointId = 1004;

    COutputStripDlg(AppContext& context, StripHost& host, int index, QWidget* parent);

    // Captions, meters' marks and the send point entries of the language,
    // the bus's send point still selected.
    void SetLabels(int language) override;
    // Name, which controls the bus has, their values and the thumbnail.
    void RefreshFromState() override;
    // MAIN shows its two records' meters, the other buses one.
    void UpdateMeters() override;

    // The edits as the controls make them.
    void OnFaderMoved(int position);
    void OnBalanceMoved(int position);
    void OnBalanceDoubleClicked();
    void OnMute();
    void OnSolo();
    // entry 0..2: pre fader, post fader, pre DSP.
    void OnSendPoint(int entry);
    // 1 limiter, 2 graphic EQ.
    void OpenModule(int module) override;
    void OnStateChanged(uint32_t parts) override;
    uint32_t ChangedParts(const ChangeSet& changes) const override;

    CBitmapSlider* Fader() const { return fader_; }
    CBitmapSlider* BalanceSlider() const { return balance_; }
    CSkinLabel* LeftLabel() const { return left_; }
    CSkinLabel* RightLabel() const { return right_; }
    CImageButton* LimiterButton() const { return limiter_; }
    QComboBox* SendPointSelector() const { return sendPoint_; }
    CImageButton* MuteButton() const { return mute_; }
    CImageButton* SoloButton() const { return solo_; }
    CLevelMeter* LeftMeter() const { return leftMeter_; }
    CLevelMeter* RightMeter() const { return rightMeter_; }

protected:
    NameField* Name() override;
    void LayOut(int width, int growth) override;

private:
    bool Valid() const { return index_ >= 0 && index_ < kBusCount; }
    bool IsMain() const { return IsMainBus(index_); }
    void ShowSendPoint();
    int DisplayChannel() const { return index_ + kFirstOutputChannel; }
    // Mute, solo, send point, fader and balance from the state.
    void RefreshControls();
    void Edit(const MixerModel::Write& write);

    CBitmapSlider* balance_;
    CSkinLabel* left_;
    CSkinLabel* right_;
    CImageButton* limiter_;
    QComboBox* sendPoint_;
    CBitmapSlider* fader_;
    CLevelMeter* leftMeter_;
    CLevelMeter* rightMeter_;
    CImageButton* mute_;
    CImageButton* solo_;
};

}  // namespace mixer
