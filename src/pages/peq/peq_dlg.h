#pragma once
// CPeqDlg: the parametric EQ page of one input channel (CH 1..16) or effect
// return (16, 17): four bands with gain, frequency and Q knobs, the band-1
// low-shelf and band-4 high-shelf toggles, the high- and low-pass filters
// with their slopes (inputs only), POLAR, BYPASS, RESET, the PEQ presets and
// the response graph whose points drag the bands and filters.
//
// A knob that moves stores its value and redraws the curve; nothing is sent
// until it is let go. Every sent change repeats on the channels that the
// channel's control group ties for EQ.

#include <array>

#include "pages/frame/processing_page.h"
#include "pages/peq/peq_bypass.h"
#include "pages/peq/peq_edits.h"

class QComboBox;

namespace mixer {

class CBitmapSlider;
class CEqGraph;
class CImageButton;
class CSkinLabel;

class CPeqDlg : public CProcessingPage {
    Q_OBJECT

public:
    enum class Knob { kGain, kFreq, kQ };

    CPeqDlg(AppContext& context, StripHost& host, QWidget* parent);

    void SetLabels(int language) override;
    // Knobs, buttons, the filter row (shown for the inputs only), graph
    // points and curve from the state.
    void RefreshFromState() override;

    // The controls' handlers, callable without the mouse. `changed` is false
    // while a knob moves (store and redraw only) and true when it is let go.
    void OnBandKnob(int band, Knob knob, int position, bool changed);
    void OnFilterKnob(PeqFilter filter, int position, bool changed);
    void OnShelf(int band);
    void OnFilterButton(PeqFilter filter);
    void OnSlope(PeqFilter filter, int index);
    void OnPolarity();
    void OnReset();
    void OnBypass();
    void OnPointMoved(int point, double hz, double db, int held);
    void OnPointDoubleClicked(int point);

    bool BypassOn() const { return bypass_.On(); }

    CEqGraph* Graph() const { return graph_; }
    CBitmapSlider* BandKnob(int band, Knob knob) const;
    CBitmapSlider* FilterKnob(PeqFilter filter) const;
    CImageButton* FilterButton(PeqFilter filter) const;
    QComboBox* SlopeSelector(PeqFilter filter) const;
    CImageButton* ShelfButton(int band) const;
    CImageButton* PolarityButton() const { return polarity_; }
    CImageButton* BypassButton() const { return bypassButton_; }
    CImageButton* ResetButton() const { return reset_; }
    // The knob's value as the page shows it beside the knob.
    QString KnobText(int band, Knob knob) const;

protected:
    bool ValidChannel(int channel) const override { return IsPeqChannel(channel); }
    bool Shows(const ChangeSet& changes) const override {
        return changes.Strip(channel_, kPartPeq | kPartFilters | kPartInput);
    }
    void SendPoint(int point) override;
    void OnPresetRecalled() override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct BandControls {
        CSkinLabel* heading = nullptr;
        std::array<CBitmapSlider*, 3> knobs{};
        std::array<CSkinLabel*, 3> values{};
    };
    struct FilterControls {
        CImageButton* button = nullptr;
        CBitmapSlider* knob = nullptr;
        CSkinLabel* value = nullptr;
        QComboBox* slope = nullptr;
    };

    FilterControls& Filter(PeqFilter filter) { return filters_[filter == PeqFilter::kHighPass ? 0 : 1]; }
    const FilterControls& Filter(PeqFilter filter) const { return filters_[filter == PeqFilter::kHighPass ? 0 : 1]; }
    void ShowKnobValues();
    // Curve, points and knob values from the state.
    void DrawCurve();
    // A knob or key's edit: written, shown on the value display, and on
    // release sent and repeated on the linked channels.
    void Commit(const MixerModel::Write& write, int displayKind, int change, bool release);
    void PropagateChange(int source, int change);
    // BYPASS follows an undo or redo of its step.
    void OnStepApplying(const StepLabel& label, bool undo);
    void LayOutControls();

    PeqBypass bypass_;
    CEqGraph* graph_;
    std::array<CSkinLabel*, 3> rowLabels_{};
    std::array<BandControls, kPeqBandCount> bands_{};
    std::array<FilterControls, 2> filters_{};
    CImageButton* lowShelf_;
    CImageButton* highShelf_;
    CImageButton* polarity_;
    CImageButton* bypassButton_;
    CImageButton* reset_;
};

}  // namespace mixer
