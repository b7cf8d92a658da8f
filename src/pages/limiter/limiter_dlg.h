#pragma once
// CLimiterDlg: the limiter of one output (MAIN, AUX 1..6), laid out as the
// compressor half of the gate and compressor page: the transfer graph with
// its threshold, ratio and gain handles, five knobs, the on/off key, RESET
// (which leaves the gain), the LIMIT presets and the IN / GR / OUT meter.
// MAIN's two records are one pair led by output 0.

#include "pages/dynamics/dynamics_edits.h"
#include "pages/frame/processing_page.h"
#include "pages/limiter/limiter_edits.h"

namespace mixer {

class CDynamicsPanel;
class CImageButton;

class CLimiterDlg : public CProcessingPage {
    Q_OBJECT

public:
    CLimiterDlg(AppContext& context, StripHost& host, QWidget* parent);

    void SetLabels(int language) override;
    void RefreshFromState() override;
    void UpdateMeters() override;

    // The controls' handlers, callable without the mouse.
    void OnKnob(CompKnob knob, int position, bool changed);
    void OnButton();
    void OnReset();
    void OnPoint(int point, double input, double output, int held);

    CDynamicsPanel* Panel() const { return panel_; }
    CImageButton* OnOffButton() const { return onOff_; }
    CImageButton* ResetButton() const { return reset_; }

protected:
    bool ValidChannel(int output) const override { return IsLimiterOutput(output); }
    bool Shows(const ChangeSet& changes) const override { return changes.Bus(channel_, kPartLimiter); }
    void SendPoint(int point) override;
    void OnPresetRecalled() override;
    void resizeEvent(QResizeEvent* event) override;

private:

    CDynamicsPanel* panel_;
    CImageButton* onOff_;
    CImageButton* reset_;
};

}  // namespace mixer
