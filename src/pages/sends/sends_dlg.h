#pragma once
// CSendsDlg: the send levels of one input channel (CH 1..16) or effect
// return (16, 17): AUX 1..6, DELAY and Reverberation, each a caption, a knob,
// its level and a MUTE. The effect returns show the AUX rows only. A knob
// drag goes out at most once per span time and its last place when let go;
// every sent change repeats on the channels that the channel's control
// group ties for MATRIX.

#include <array>

#include "pages/frame/processing_page.h"
#include "pages/sends/sends_edits.h"

namespace mixer {

class CBitmapSlider;
class CImageButton;
class CSkinLabel;

class CSendsDlg : public CProcessingPage {
    Q_OBJECT

public:
    CSendsDlg(AppContext& context, StripHost& host, QWidget* parent);

    void SetLabels(int language) override;
    // Rows shown for the channel, knobs and MUTEs from the state.
    void RefreshFromState() override;

    // The controls' handlers, callable without the mouse. `held` is true
    // while the knob is dragged.
    void OnKnob(int row, int position, bool held);
    void OnMute(int row);

    CBitmapSlider* Knob(int row) const;
    CImageButton* MuteButton(int row) const;
    QString LevelText(int row) const;
    bool RowShown(int row) const;

protected:
    bool ValidChannel(int channel) const override { return IsSendsChannel(channel); }
    bool Shows(const ChangeSet& changes) const override { return changes.Strip(channel_, kPartSends); }
    void SendPoint(int row) override;
    void OnPresetRecalled() override {}
    void resizeEvent(QResizeEvent* event) override;

private:
    struct RowControls {
        CSkinLabel* caption = nullptr;
        CBitmapSlider* knob = nullptr;
        CSkinLabel* value = nullptr;
        CImageButton* mute = nullptr;
    };

    void ShowRow(int row);
    void SendRow(int row);

    SendMutes mutes_;
    std::array<RowControls, kSendRowCount> rows_{};
};

}  // namespace mixer
