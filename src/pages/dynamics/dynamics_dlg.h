#pragma once
// CDynamicsDlg: the noise gate (upper half) and compressor (lower half) of
// one input channel or effect return. Each half has its transfer graph with
// handles, its knobs, an on/off key captioned with the section's name, RESET
// (which also switches the section on), its preset selector (NOISE presets
// for the gate, Compressor presets for the compressor) and an IN / GR / OUT
// meter worked out from the channel's reported level.
//
// Knobs store and show while they move; they send once let go. Every sent
// change repeats on the channels the channel's control group ties: the gate
// for GATE, the compressor for LIMIT. Only the inputs 0..15 are sent; the
// effect returns are stored and shown.

#include "pages/dynamics/dynamics_edits.h"
#include "pages/frame/processing_page.h"

namespace mixer {

class CDynamicsPanel;
class CImageButton;

class CDynamicsDlg : public CProcessingPage {
    Q_OBJECT

public:
    // Point numbers the page gives the drag throttle: the gate graph's
    // points as they are, the compressor graph's after kCompPointBase.
    static constexpr int kCompPointBase = 10;

    CDynamicsDlg(AppContext& context, StripHost& host, QWidget* parent);

    void SetChannel(int channel) override;
    void SetLabels(int language) override;
    void RefreshFromState() override;
    void UpdateMeters() override;

    // The controls' handlers, callable without the mouse.
    void OnGateKnob(GateKnob knob, int position, bool changed);
    void OnCompKnob(CompKnob knob, int position, bool changed);
    void OnGateButton();
    void OnCompButton();
    void OnGateReset();
    void OnCompReset();
    void OnGatePoint(int point, double input, double output, int held);
    void OnCompPoint(int point, double input, double output, int held);

    CDynamicsPanel* GatePanel() const { return gate_; }
    CDynamicsPanel* CompPanel() const { return comp_; }
    CImageButton* GateButton() const { return gateOn_; }
    CImageButton* CompButton() const { return compOn_; }
    CImageButton* GateResetButton() const { return gateReset_; }
    CImageButton* CompResetButton() const { return compReset_; }
    CPresetSelector* CompPresetSelector() const { return compPresets_; }

protected:
    bool ValidChannel(int channel) const override { return IsDynamicsChannel(channel); }
    bool Shows(const ChangeSet& changes) const override { return changes.Strip(channel_, kPartGate | kPartComp); }
    void SendPoint(int point) override;
    void OnPresetRecalled() override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowGate();
    void ShowComp();
    // The knob's value as the value display shows it.
    QString ValueText(int displayKind) const;
    // Edit pattern tail: the strips follow, send, propagate.
    void PropagateChange(int change);

    CDynamicsPanel* gate_;
    CDynamicsPanel* comp_;
    CImageButton* gateOn_;
    CImageButton* gateReset_;
    CImageButton* compOn_;
    CImageButton* compReset_;
    CPresetSelector* compPresets_;
    QString compTitle_;
};

}  // namespace mixer
