#pragma once
// CInputStripDlg: the strip of one input channel (CH 1..16, the DELAY and
// Reverb returns) or the detail view's input strip. It shows and edits the
// channel's fader, pan, mute, solo and name, shows its EQ as a thumbnail and
// opens its processing pages. Fader, pan, mute and solo edits repeat on the
// channels its control group links.

#include "console/strip_dlg_base.h"
#include "host/strip_links.h"

namespace mixer {

class CBitmapSlider;
class CLevelMeter;

class CInputStripDlg : public StripDlgBase {
    Q_OBJECT

public:
    // detail: the input detail view's strip, which takes over the control-group
    // links of the console strip of the channel it is given.
    CInputStripDlg(AppContext& context, StripHost& host, int index, bool detail, QWidget* parent);

    void SetLabels(int language) override;
    void SetIndex(int index) override;
    // Name, fader, pan, mute, solo, the dynamics button and the thumbnail.
    void RefreshFromState() override;
    void UpdateMeters() override;
    // Fader, pan, mute and solo from the state: what a linked edit changes.
    void RefreshControls();

    const StripLinks& Links() const { return links_; }
    void SetLinks(const StripLinks& links) { links_ = links; }

    // The edits as the controls make them.
    void OnFaderMoved(int position);
    void OnPanMoved(int position);
    void OnPanDoubleClicked();
    void OnMute();
    void OnSolo();
    // 1 gate and compressor, 2 EQ, 3 effect, 4 sends.
    void OpenModule(int module) override;
    void OnStateChanged(uint32_t parts) override;
    uint32_t ChangedParts(const ChangeSet& changes) const override;

    CBitmapSlider* Fader() const { return fader_; }
    CBitmapSlider* PanSlider() const { return pan_; }
    CLevelMeter* Meter() const { return meter_; }
    CImageButton* DynamicsButton() const { return dynamics_; }
    CImageButton* EffectButton() const { return effect_; }
    CImageButton* MatrixButton() const { return matrix_; }
    CImageButton* MuteButton() const { return mute_; }
    CImageButton* SoloButton() const { return solo_; }

protected:
    NameField* Name() override;
    void LayOut(int width, int growth) override;

private:
    bool Valid() const { return index_ >= 0 && index_ < kStripCount; }
    void ShowCurve();
    // Sets `param` on the channel and on the channels linked to it.
    void Edit(StripParam param, int value);

    bool detail_;
    StripLinks links_;
    CBitmapSlider* pan_;
    CImageButton* dynamics_;
    CImageButton* effect_;
    CImageButton* matrix_;
    CBitmapSlider* fader_;
    CLevelMeter* meter_;
    CImageButton* mute_;
    CImageButton* solo_;
};

}  // namespace mixer
