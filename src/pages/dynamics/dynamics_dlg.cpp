#include "pages/dynamics/dynamics_dlg.h"

#include <QPainter>

#include <array>

#include "host/app_context.h"
#include "host/strip_host.h"
#include "host/value_display.h"
#include "pages/curves/eq_graph.h"
#include "pages/curves/graph_setup.h"
#include "pages/dynamics/dynamics_panel.h"
#include "pages/dynamics/transfer_handles.h"
#include "pages/frame/preset_selector.h"
#include "skin/image_button.h"
#include "skin/skin_font.h"

namespace mixer {

namespace {

constexpr std::array<GateKnob, 3> kGateKnobs = {GateKnob::kThreshold, GateKnob::kAttack, GateKnob::kRelease};

// The gate's range has no knob of its own: its graph handle sets it.
const std::array<CDynamicsPanel::Row, 3> kGateRows = {{
    {"Threshold", "阀值", GateKnobRange(GateKnob::kThreshold)},
    {"Attack", "启动时间", GateKnobRange(GateKnob::kAttack)},
    {"Release", "释放时间", GateKnobRange(GateKnob::kRelease)},
}};

constexpr int kHeaderHeight = 40;
constexpr int kHalfGap = 10;

QString Title(bool gate, int language) {
    if (gate) return language == 1 ? QStringLiteral("NOISE GATE") : QStringLiteral("噪声门");
    return language == 1 ? QStringLiteral("COMP") : QStringLiteral("压缩器");
}

}  // namespace

CDynamicsDlg::CDynamicsDlg(AppContext& context, StripHost& host, QWidget* parent)
    : CProcessingPage(context, host, PresetModule::kNoise, parent),
      gate_(new CDynamicsPanel(kGateRows, this)),
      comp_(new CDynamicsPanel(CompressorRows(false), this)),
      gateOn_(MakeKey(true)),
      gateReset_(MakeKey(false)),
      compOn_(MakeKey(true)),
      compReset_(MakeKey(false)),
      compPresets_(new CPresetSelector(PresetModule::kCompressor, context, this)) {
    CEqGraph* gateGraph = gate_->Graph();
    gateGraph->SetPointCount(2);
    gateGraph->SetPointLabel(kGatePointThreshold, QStringLiteral("T"));
    gateGraph->SetPointLabel(kGatePointRange, QStringLiteral("R"));
    CEqGraph* compGraph = comp_->Graph();
    SetupCompressorHandles(*compGraph);

    connect(gate_, &CDynamicsPanel::knobMoved, this,
            [this](int row, int p, bool changed) { OnGateKnob(kGateKnobs[row], p, changed); });
    connect(comp_, &CDynamicsPanel::knobMoved, this,
            [this](int row, int p, bool changed) { OnCompKnob(kCompKnobs[row], p, changed); });
    connect(gateGraph, &CEqGraph::pointMoved, this, &CDynamicsDlg::OnGatePoint);
    connect(compGraph, &CEqGraph::pointMoved, this, &CDynamicsDlg::OnCompPoint);
    connect(gateOn_, &QAbstractButton::clicked, this, &CDynamicsDlg::OnGateButton);
    connect(compOn_, &QAbstractButton::clicked, this, &CDynamicsDlg::OnCompButton);
    connect(gateReset_, &QAbstractButton::clicked, this, &CDynamicsDlg::OnGateReset);
    connect(compReset_, &QAbstractButton::clicked, this, &CDynamicsDlg::OnCompReset);
    connect(compPresets_, &CPresetSelector::recalled, this, [this] {
        Send(DynamicsChangeCommands(context_.state, channel_, kCompChangeAll));
        PropagateChange(kCompChangeAll);
    });
    SetLabels(context.language);
}

void CDynamicsDlg::SetChannel(int channel) {
    CProcessingPage::SetChannel(channel);
    compPresets_->SetIndex(channel);
}

void CDynamicsDlg::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    SetTitle(Title(true, language));
    compTitle_ = Title(false, language);
    gateOn_->setText(Title(true, language));
    compOn_->setText(compTitle_);
    const QString reset = language == 1 ? QStringLiteral("RESET") : QStringLiteral("复位");
    gateReset_->setText(reset);
    compReset_->setText(reset);
    gate_->SetLabels(language);
    comp_->SetLabels(language);
    presets_->SetLabels(language);
    compPresets_->SetLabels(language);
    if (IsDynamicsChannel(channel_)) RefreshFromState();
    update();
}

void CDynamicsDlg::RefreshFromState() {
    if (!IsDynamicsChannel(channel_)) return;
    ShowGate();
    ShowComp();
    UpdateMeters();
}

QString CDynamicsDlg::ValueText(int displayKind) const {
    return QString::fromStdString(FormatValueDisplay(context_.state, channel_, displayKind, context_.language).box1);
}

void CDynamicsDlg::ShowGate() {
    const StripRecord& r = context_.state.strips[channel_];
    for (int row = 0; row < static_cast<int>(kGateKnobs.size()); ++row) {
        const GateKnob knob = kGateKnobs[row];
        gate_->ShowKnob(row, GateWord(r.gate, knob), ValueText(GateDisplayKind(knob)));
    }
    gateOn_->SetDown(r.gateOn != 0);
    CEqGraph* graph = gate_->Graph();
    const HandlePoint t = GateThresholdHandle(r.gate[kGateThreshold]);
    const HandlePoint range = GateRangeHandle(r.gate[kGateThreshold], r.gate[kGateUnused]);
    // The range handle moves only straight down from the threshold.
    graph->SetPointLimits(kGatePointRange, t.input, t.input, kTransferMinDb, t.output);
    graph->PlacePoint(kGatePointThreshold, t.input, t.output);
    graph->PlacePoint(kGatePointRange, range.input, range.output);
    ShowTransferLine(*graph, GateCurve(r));
}

void CDynamicsDlg::ShowComp() {
    const StripRecord& r = context_.state.strips[channel_];
    for (int row = 0; row < static_cast<int>(kCompKnobs.size()); ++row) {
        const CompKnob knob = kCompKnobs[row];
        comp_->ShowKnob(row, CompWord(r.comp, knob), ValueText(CompDisplayKind(knob)));
    }
    compOn_->SetDown(r.compOn != 0);
    ShowCompressorHandles(*comp_->Graph(), r.comp);
}

void CDynamicsDlg::UpdateMeters() {
    if (!IsDynamicsChannel(channel_)) return;
    const StripRecord& r = context_.state.strips[channel_];
    const ChannelDynamicsLevels levels = ChannelLevels(r, r.meter);
    gate_->ShowLevels(levels.gate);
    comp_->ShowLevels(levels.comp);
}

void CDynamicsDlg::PropagateChange(int change) {
    const LinkFunction function = change <= kGateChangeAll ? kLinkGate : kLinkLimit;
    Propagate(channel_, {function, [change](MixerState& s, int from, int to) { CopyDynamicsChange(s, from, to, change); },
                         [change](const MixerState& s, int channel) { return DynamicsChangeCommands(s, channel, change); }});
}

void CDynamicsDlg::OnGateKnob(GateKnob knob, int position, bool changed) {
    if (!IsDynamicsChannel(channel_)) return;
    Edit([&](MixerState& s) { return WriteGateKnob(s, channel_, knob, position); },
         changed ? Sending::Now : Sending::Later);
    host_.ShowValue(channel_, GateDisplayKind(knob));
    if (changed) PropagateChange(GateKnobChange(knob));
}

void CDynamicsDlg::OnCompKnob(CompKnob knob, int position, bool changed) {
    if (!IsDynamicsChannel(channel_)) return;
    Edit([&](MixerState& s) { return WriteCompKnob(s, channel_, knob, position); },
         changed ? Sending::Now : Sending::Later);
    host_.ShowValue(channel_, CompDisplayKind(knob));
    if (changed) PropagateChange(CompKnobChange(knob));
}

void CDynamicsDlg::OnGateButton() {
    if (!IsDynamicsChannel(channel_)) return;
    Edit([&](MixerState& s) { return ToggleGate(s, channel_); });
    PropagateChange(kGateChangeOn);
}

void CDynamicsDlg::OnCompButton() {
    if (!IsDynamicsChannel(channel_)) return;
    Edit([&](MixerState& s) { return ToggleComp(s, channel_); });
    PropagateChange(kCompChangeOn);
}

void CDynamicsDlg::OnGateReset() {
    if (!IsDynamicsChannel(channel_)) return;
    const StepScope step(context_.model, {StepAction::GateReset, channel_});
    Edit([&](MixerState& s) { return ResetGate(s, channel_); });
    PropagateChange(kGateChangeAll);
}

void CDynamicsDlg::OnCompReset() {
    if (!IsDynamicsChannel(channel_)) return;
    const StepScope step(context_.model, {StepAction::CompReset, channel_});
    Edit([&](MixerState& s) { return ResetComp(s, channel_); });
    PropagateChange(kCompChangeAll);
}

void CDynamicsDlg::OnGatePoint(int point, double input, double output, int held) {
    if (!IsDynamicsChannel(channel_)) return;
    if (point == kGatePointThreshold) {
        Edit([&](MixerState& s) { return WriteGateKnob(s, channel_, GateKnob::kThreshold, ThresholdCodeFromInput(input)); },
             Sending::Later);
        host_.ShowValue(channel_, GateDisplayKind(GateKnob::kThreshold));
        ThrottlePoint(point, held != 0);
    } else if (point == kGatePointRange) {
        // The range is the editor's own: the mixer is neither told nor asked.
        context_.model.Change([&](MixerState& s) {
            WriteGateRange(s, channel_, GateRangeFromHandle(s.strips[channel_].gate[kGateThreshold], output));
        });
    }
}

void CDynamicsDlg::OnCompPoint(int point, double input, double output, int held) {
    if (!IsDynamicsChannel(channel_) || point < kCompPointThreshold || point > kCompPointGain) return;
    const CompKnob knob = CompPointKnob(point);
    Edit(
        [&](MixerState& s) {
            return WriteCompKnob(s, channel_, knob, CompCodeFromHandle(s.strips[channel_].comp, point, input, output));
        },
        Sending::Later);
    host_.ShowValue(channel_, CompDisplayKind(knob));
    ThrottlePoint(kCompPointBase + point, held != 0);
}

void CDynamicsDlg::SendPoint(int point) {
    const int change = point >= kCompPointBase ? CompKnobChange(CompPointKnob(point - kCompPointBase)) : kGateChangeThreshold;
    Send(DynamicsChangeCommands(context_.state, channel_, change));
    PropagateChange(change);
}

void CDynamicsDlg::OnPresetRecalled() {
    Send(DynamicsChangeCommands(context_.state, channel_, kGateChangeAll));
    PropagateChange(kGateChangeAll);
}

void CDynamicsDlg::showEvent(QShowEvent* event) {
    CProcessingPage::showEvent(event);
    compPresets_->Fill();
}

void CDynamicsDlg::resizeEvent(QResizeEvent*) {
    const int w = width();
    const int half = (height() - kHalfGap) / 2;
    PlaceTopRow({gateReset_, gateOn_});
    const int top = half + kHalfGap;
    PlaceKeyRow(compPresets_, top + 10, {compReset_, compOn_});
    const int panelWidth = w - 2 * kMargin;
    gate_->setGeometry(kMargin, kHeaderHeight + 4, panelWidth, half - kHeaderHeight - 4);
    comp_->setGeometry(kMargin, top + kHeaderHeight + 4, panelWidth, height() - top - kHeaderHeight - 4 - kMargin);
}

void CDynamicsDlg::paintEvent(QPaintEvent* event) {
    CProcessingPage::paintEvent(event);
    QPainter p(this);
    const int top = (height() - kHalfGap) / 2 + kHalfGap;
    p.setPen(QColor(90, 100, 118));
    p.drawLine(kMargin, top - kHalfGap / 2, width() - kMargin, top - kHalfGap / 2);
    p.setPen(QColor(235, 240, 248));
    p.setFont(SkinFontPoints(15));
    p.drawText(QRect(16, top + 4, width() / 2, kHeaderHeight), Qt::AlignLeft | Qt::AlignVCenter, compTitle_);
}

}  // namespace mixer
