#pragma once
// CEffectDlg: the two internal effects at once, the reverb (kept in the
// reverb return, channel 17) above and the delay (the delay return, 16)
// below. Each has its parameter knobs, RESET, an input and an output level
// knob, its preset selector and a "keep on" / "30s" selector; four MUTEs and
// four meters watch the effects' inputs and outputs. The output level is the
// return strip's fader, which follows.

#include <QTimer>
#include <array>
#include <vector>

#include "pages/effect/effect_edits.h"
#include "pages/frame/processing_page.h"

class QComboBox;

namespace mixer {

class CBitmapSlider;
class CImageButton;
class CLevelMeter;
class CSkinLabel;

class CEffectDlg : public CProcessingPage {
    Q_OBJECT

public:
    CEffectDlg(AppContext& context, StripHost& host, QWidget* parent);

    // The page shows both effects whichever return opened it.
    void SetChannel(int channel) override;
    void SetLabels(int language) override;
    void RefreshFromState() override;

    // The controls' handlers, callable without the mouse. `held` is true
    // while the knob is dragged: the sends are then paced by the span time.
    void OnParamKnob(Effect effect, int param, int position, bool held);
    void OnLevelKnob(Effect effect, bool input, int position, bool held);
    void OnReset(Effect effect);
    void OnMute(int button);
    // The meters from the state (every 50 ms while shown).
    void UpdateMeters();

    CBitmapSlider* ParamKnob(Effect effect, int param) const;
    CBitmapSlider* LevelKnob(Effect effect, bool input) const;
    CImageButton* ResetButton(Effect effect) const;
    CImageButton* MuteButton(int button) const { return mutes_[button]; }
    CPresetSelector* DelayPresets() const { return delayPresets_; }
    CLevelMeter* Meter() const { return meter_; }
    QString ParamText(Effect effect, int param) const;
    QString LevelText(Effect effect, bool input) const;
    QString LevelCaption(Effect effect, bool input) const;
    QComboBox* HoldSelector(Effect effect) const;

protected:
    bool ValidChannel(int channel) const override { return channel == kDelayReturn || channel == kReverbReturn; }
    // Both returns are on the page, whichever opened it.
    bool Shows(const ChangeSet& changes) const override {
        const uint32_t shown = kPartEffect | kPartLevel | kPartMute;
        return changes.Strip(kDelayReturn, shown) || changes.Strip(kReverbReturn, shown);
    }
    void SendPoint(int point) override;
    void OnPresetRecalled() override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct ParamControls {
        CSkinLabel* caption = nullptr;
        CBitmapSlider* knob = nullptr;
        CSkinLabel* value = nullptr;
    };
    struct LevelControls {
        CSkinLabel* caption = nullptr;
        CBitmapSlider* knob = nullptr;
        CSkinLabel* value = nullptr;
    };
    struct Section {
        CSkinLabel* title = nullptr;
        std::vector<ParamControls> params;
        std::array<LevelControls, 2> levels{};   // input, output
        CImageButton* reset = nullptr;
        CPresetSelector* presets = nullptr;
        QComboBox* hold = nullptr;               // "keep on" / "30s": read by nothing
    };

    Section& At(Effect effect) { return effect == Effect::kReverb ? reverb_ : delay_; }
    const Section& At(Effect effect) const { return effect == Effect::kReverb ? reverb_ : delay_; }
    void BuildSection(Effect effect);
    void ShowSection(Effect effect);
    void LayOutSection(Effect effect, int top);
    void Recalled(Effect effect);

    CPresetSelector* delayPresets_;
    Section reverb_;
    Section delay_;
    CLevelMeter* meter_;
    std::array<CImageButton*, kEffectMuteCount> mutes_{};
    QTimer meterTimer_;
};

}  // namespace mixer
