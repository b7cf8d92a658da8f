#include "pages/dynamics/dynamics_panel.h"

#include <algorithm>

#include "link/meter_report.h"
#include "pages/curves/eq_graph.h"
#include "pages/curves/graph_setup.h"
#include "pages/curves/plot_mapping.h"
#include "pages/frame/page_knob.h"
#include "skin/bitmap_slider.h"
#include "skin/level_meter.h"
#include "skin/skin_label.h"

namespace mixer {

namespace {

constexpr int kGap = 14;
constexpr int kMeterWidth = 120;
constexpr int kColumnIn = 0;
constexpr int kColumnReduction = 1;
constexpr int kColumnOut = 2;
constexpr double kReductionMaxDb = 30.0;

// The largest graph within the bounds whose plot (the graph less its scale
// margins) is square, so the unity line of a transfer curve runs at 45 degrees.
QSize SquarePlotGraph(int maxWidth, int maxHeight) {
    for (int h = maxHeight; h > 0; --h) {
        const PlotRect plotHigh = PlotArea(0, h, true);
        const int side = plotHigh.bottom - plotHigh.top;
        for (int w = side; w <= std::min(maxWidth, 2 * side); ++w) {
            const PlotRect plot = PlotArea(w, h, true);
            if (plot.right - plot.left == side) return {w, h};
        }
    }
    return {maxWidth, maxHeight};
}

}  // namespace

CDynamicsPanel::CDynamicsPanel(std::span<const Row> rows, QWidget* parent)
    : QWidget(parent), graph_(new CEqGraph(this)), meter_(new CLevelMeter(this)) {
    SetupTransferGraph(*graph_);
    graph_->SetMargin(true);
    graph_->SetUnitText(QStringLiteral(" :db"));

    meter_->SetColumnCount(3);
    meter_->SetRange(kColumnIn, 0, kMeterBarMax);
    meter_->SetRange(kColumnReduction, 0, kReductionMaxDb);
    meter_->SetRange(kColumnOut, 0, kMeterBarMax);
    meter_->SetStyle(kColumnReduction, CLevelMeter::kSolid);
    meter_->SetBackgroundColour(QColor(14, 16, 22));

    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const Row& row = rows[i];
        RowControls c{row, new CSkinLabel(this), MakePageKnob(this, row.range.minimum, row.range.maximum), MakePageValueBox(this)};
        c.caption->SetFontSize(11);
        c.caption->SetTextColour(QColor(200, 208, 220));
        connect(c.knob, &CBitmapSlider::Moving, this, [this, i](int, int p) { emit knobMoved(i, p, false); });
        connect(c.knob, &CBitmapSlider::Moved, this, [this, i](int, int p) { emit knobMoved(i, p, true); });
        rows_.push_back(c);
    }
}

void CDynamicsPanel::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    const bool en = language == 1;
    for (RowControls& c : rows_) c.caption->SetText(QString::fromUtf8(en ? c.row.english : c.row.chinese));
    meter_->SetCaption(kColumnIn, en ? QStringLiteral("IN") : QStringLiteral("输入"));
    meter_->SetCaption(kColumnReduction, en ? QStringLiteral("GR") : QStringLiteral("衰减"));
    meter_->SetCaption(kColumnOut, en ? QStringLiteral("OUT") : QStringLiteral("输出"));
    meter_->SetLanguage(language);
    CaptionTransferGraph(*graph_, language);
}

CBitmapSlider* CDynamicsPanel::Knob(int row) const {
    return row >= 0 && row < RowCount() ? rows_[row].knob : nullptr;
}

QString CDynamicsPanel::ValueText(int row) const {
    return row >= 0 && row < RowCount() ? rows_[row].value->DisplayText() : QString();
}

void CDynamicsPanel::ShowKnob(int row, int position, const QString& text) {
    if (row < 0 || row >= RowCount()) return;
    RowControls& c = rows_[row];
    // A knob the user holds stays under the mouse.
    if (!c.knob->IsDragging()) c.knob->SetPos(position);
    c.value->SetText(text);
}

void CDynamicsPanel::ShowLevels(const DynamicsLevels& levels) {
    meter_->SetValue(kColumnIn, MeterBarFromDb(levels.inputDb));
    meter_->SetValue(kColumnReduction, std::clamp(levels.reductionDb, 0.0, kReductionMaxDb));
    meter_->SetValue(kColumnOut, MeterBarFromDb(levels.outputDb));
}

void CDynamicsPanel::resizeEvent(QResizeEvent*) {
    const int h = height();
    const QSize graph = SquarePlotGraph(std::max(120, width() / 2), h);
    graph_->setGeometry(0, (h - graph.height()) / 2, graph.width(), graph.height());
    const int x0 = graph.width() + kGap;
    // The meter stands right of the knobs rather than at the far edge, so
    // the eye need not cross the page between a knob and what it does.
    const int knobsWidth = rows_.empty() ? 0 : kCaptionWidth + rows_[0].knob->width() + 6 + kPageValueWidth;
    meter_->setGeometry(std::min(width() - kMeterWidth, x0 + knobsWidth + 3 * kGap), 0, kMeterWidth, h);
    const int top = std::max(0, (h - RowCount() * kRowHeight) / 2);
    for (int i = 0; i < RowCount(); ++i) {
        RowControls& c = rows_[i];
        const int y = top + i * kRowHeight;
        c.caption->setGeometry(x0, y, kCaptionWidth, 25);
        c.knob->move(x0 + kCaptionWidth, y);
        c.value->move(c.knob->x() + c.knob->width() + 6, y + 1);
    }
}

std::array<CDynamicsPanel::Row, 5> CompressorRows(bool limiter) {
    return {{
        {"Threshold", "阀值", CompKnobRange(CompKnob::kThreshold, limiter)},
        {"Ratio", "比例", CompKnobRange(CompKnob::kRatio, limiter)},
        {"Gain", "增益", CompKnobRange(CompKnob::kGain, limiter)},
        {"Attack", "启动时间", CompKnobRange(CompKnob::kAttack, limiter)},
        {"Release", "释放时间", CompKnobRange(CompKnob::kRelease, limiter)},
    }};
}

void SetupCompressorHandles(CEqGraph& graph) {
    graph.SetPointCount(3);
    graph.SetPointLabel(kCompPointThreshold, QStringLiteral("T"));
    graph.SetPointLabel(kCompPointRatio, QStringLiteral("R"));
    graph.SetPointLabel(kCompPointGain, QStringLiteral("G"));
    graph.SetPointLimits(kCompPointRatio, kTransferMaxDb, kTransferMaxDb, kTransferMinDb, kTransferMaxDb);
    graph.SetPointLimits(kCompPointGain, kTransferMinDb, kTransferMinDb, kTransferMinDb, kTransferMinDb + 20.0);
}

void ShowCompressorHandles(CEqGraph& graph, const int32_t (&record)[5]) {
    const HandlePoint t = CompThresholdHandle(record);
    const HandlePoint ratio = CompRatioHandle(record);
    const HandlePoint gain = CompGainHandle(record);
    graph.PlacePoint(kCompPointThreshold, t.input, t.output);
    graph.PlacePoint(kCompPointRatio, ratio.input, ratio.output);
    graph.PlacePoint(kCompPointGain, gain.input, gain.output);
    ShowCompressorCurves(graph, CompCurve(record), CompCurveWithGain(record));
}

}  // namespace mixer
