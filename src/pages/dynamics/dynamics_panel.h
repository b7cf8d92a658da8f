#pragma once
// CDynamicsPanel: one dynamics section as the gate and compressor page and
// the limiter page lay it out: the transfer graph at the left, the knob rows
// (caption, knob, value box) in the middle and the IN / GR / OUT meter at the
// right. The page owns the section's keys and everything an edit does; the
// panel only shows and reports.

#include <QString>
#include <QWidget>

#include <array>
#include <span>
#include <vector>

#include "pages/dynamics/dynamics_edits.h"
#include "pages/dynamics/transfer_handles.h"

namespace mixer {

class CBitmapSlider;
class CEqGraph;
class CLevelMeter;
class CSkinLabel;

class CDynamicsPanel : public QWidget {
    Q_OBJECT

public:
    struct Row {
        const char* english;
        const char* chinese;
        KnobRange range;
    };

    static constexpr int kRowHeight = 34;
    static constexpr int kCaptionWidth = 96;

    CDynamicsPanel(std::span<const Row> rows, QWidget* parent);

    void SetLabels(int language);

    CEqGraph* Graph() const { return graph_; }
    CLevelMeter* Meter() const { return meter_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    CBitmapSlider* Knob(int row) const;
    QString ValueText(int row) const;

    // Puts the knob at `position` unless the user holds it, and shows `text` beside it.
    void ShowKnob(int row, int position, const QString& text);
    void ShowLevels(const DynamicsLevels& levels);

signals:
    // changed is false while the knob moves and true once it is let go.
    void knobMoved(int row, int position, bool changed);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct RowControls {
        Row row;
        CSkinLabel* caption;
        CBitmapSlider* knob;
        CSkinLabel* value;
    };

    CEqGraph* graph_;
    CLevelMeter* meter_;
    std::vector<RowControls> rows_;
};

// The compressor's and the limiter's knob rows, in the order of kCompKnobs.
std::array<CDynamicsPanel::Row, 5> CompressorRows(bool limiter);

// The compressor's and limiter's graph: threshold, ratio and gain handles;
// the ratio handle stays at 0 dB input, the gain handle at -60 dB input.
void SetupCompressorHandles(CEqGraph& graph);
// The handles and both curves of a compressor or limiter record.
void ShowCompressorHandles(CEqGraph& graph, const int32_t (&record)[5]);

}  // namespace mixer
