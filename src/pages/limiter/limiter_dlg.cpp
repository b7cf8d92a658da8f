#include "pages/limiter/limiter_dlg.h"

#include "host/app_context.h"
#include "host/strip_host.h"
#include "host/value_display.h"
#include "pages/curves/eq_graph.h"
#include "pages/curves/graph_setup.h"
#include "pages/dynamics/dynamics_panel.h"
#include "pages/dynamics/transfer_handles.h"
#include "pages/frame/preset_selector.h"
#include "skin/image_button.h"

namespace mixer {

CLimiterDlg::CLimiterDlg(AppContext& context, StripHost& host, QWidget* parent)
    : CProcessingPage(context, host, PresetModule::kLimit, parent),
      panel_(new CDynamicsPanel(CompressorRows(true), this)),
      onOff_(MakeKey(true)),
      reset_(MakeKey(false)) {
    SetupCompressorHandles(*panel_->Graph());
    connect(panel_, &CDynamicsPanel::knobMoved, this,
            [this](int row, int p, bool changed) { OnKnob(kCompKnobs[row], p, changed); });
    connect(panel_->Graph(), &CEqGraph::pointMoved, this, &CLimiterDlg::OnPoint);
    connect(onOff_, &QAbstractButton::clicked, this, &CLimiterDlg::OnButton);
    connect(reset_, &QAbstractButton::clicked, this, &CLimiterDlg::OnReset);
    SetLabels(context.language);
}

void CLimiterDlg::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    const QString title = language == 1 ? QStringLiteral("COMP") : QStringLiteral("压缩器");
    SetTitle(title);
    onOff_->setText(title);
    reset_->setText(language == 1 ? QStringLiteral("RESET") : QStringLiteral("复位"));
    panel_->SetLabels(language);
    presets_->SetLabels(language);
    if (IsLimiterOutput(channel_)) RefreshFromState();
}

void CLimiterDlg::RefreshFromState() {
    if (!IsLimiterOutput(channel_)) return;
    const BusRecord& b = context_.state.buses[channel_];
    const int displayChannel = LimiterDisplayChannel(channel_);
    for (int row = 0; row < static_cast<int>(kCompKnobs.size()); ++row) {
        const CompKnob knob = kCompKnobs[row];
        const ValueDisplayText text = FormatValueDisplay(context_.state, displayChannel, LimiterDisplayKind(knob), context_.language);
        panel_->ShowKnob(row, CompWord(b.lim, knob), QString::fromStdString(text.box1));
    }
    onOff_->SetDown(b.limOn != 0);
    ShowCompressorHandles(*panel_->Graph(), b.lim);
    UpdateMeters();
}

void CLimiterDlg::UpdateMeters() {
    if (!IsLimiterOutput(channel_)) return;
    const BusRecord& b = context_.state.buses[channel_];
    panel_->ShowLevels(LimiterLevels(b, b.meter));
}

void CLimiterDlg::OnKnob(CompKnob knob, int position, bool changed) {
    if (!IsLimiterOutput(channel_)) return;
    Edit([&](MixerState& s) { return WriteLimiterKnob(s, channel_, knob, position); },
         changed ? Sending::Now : Sending::Later);
    host_.ShowValue(LimiterDisplayChannel(channel_), LimiterDisplayKind(knob));
}

void CLimiterDlg::OnButton() {
    if (!IsLimiterOutput(channel_)) return;
    Edit([&](MixerState& s) { return ToggleLimiter(s, channel_); });
}

void CLimiterDlg::OnReset() {
    if (!IsLimiterOutput(channel_)) return;
    const StepScope step(context_.model, {StepAction::LimiterReset, LimiterDisplayChannel(channel_)});
    Edit([&](MixerState& s) { return ResetLimiter(s, channel_); });
}

void CLimiterDlg::OnPoint(int point, double input, double output, int held) {
    if (!IsLimiterOutput(channel_) || point < kCompPointThreshold || point > kCompPointGain) return;
    const CompKnob knob = CompPointKnob(point);
    Edit(
        [&](MixerState& s) {
            return WriteLimiterKnob(s, channel_, knob, CompCodeFromHandle(s.buses[channel_].lim, point, input, output));
        },
        Sending::Later);
    host_.ShowValue(LimiterDisplayChannel(channel_), LimiterDisplayKind(knob));
    ThrottlePoint(point, held != 0);
}

void CLimiterDlg::SendPoint(int) { Send(LimiterCommands(context_.state, channel_)); }

void CLimiterDlg::OnPresetRecalled() {
    Edit([&](MixerState& s) { return LimiterRecalled(s, channel_); });
}

void CLimiterDlg::resizeEvent(QResizeEvent*) {
    PlaceTopRow({reset_, onOff_});
    const int top = kTitleHeight + 8;
    panel_->setGeometry(kMargin, top, width() - 2 * kMargin, height() - top - kMargin);
}

}  // namespace mixer
