#include "pages/geq/geq_dlg.h"

#include "host/app_context.h"
#include "host/strip_host.h"
#include "pages/curves/channel_curve.h"
#include "pages/curves/graph_setup.h"
#include "pages/frame/preset_selector.h"
#include "pages/peq/peq_mapping.h"
#include "skin/image_button.h"

namespace mixer {

CGeqDlg::CGeqDlg(AppContext& context, StripHost& host, QWidget* parent)
    : CProcessingPage(context, host, PresetModule::kGeq, parent),
      graph_(new CEqGraph(this)),
      draw_(MakeKey(true)),
      reset_(MakeKey(false)) {
    SetupBandGraph(*graph_);
    graph_->SetMargin(true);
    graph_->SetUnitText(QStringLiteral(" :db"));
    connect(graph_, &CEqGraph::pointMoved, this,
            [this](int band, double x, double y, int held) { OnPointMoved(band, x, y, held); });
    connect(graph_, &CEqGraph::pointDoubleClicked, this, [this](int band) { OnPointDoubleClicked(band); });
    // The bars take the stored (rounded) heights once the stroke is done.
    connect(graph_, &CEqGraph::strokeFinished, this, [this] { RefreshFromState(); });
    connect(draw_, &QAbstractButton::clicked, this, &CGeqDlg::OnDraw);
    connect(reset_, &QAbstractButton::clicked, this, &CGeqDlg::OnReset);
    SetLabels(context.language);
}

void CGeqDlg::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    const bool en = language == 1;
    SetTitle(en ? QStringLiteral("GEQ") : QStringLiteral("增益均衡"));
    reset_->setText(en ? QStringLiteral("RESET") : QStringLiteral("复位"));
    draw_->setText(en ? QStringLiteral("DRAW") : QStringLiteral("画"));
    presets_->SetLabels(language);
}

void CGeqDlg::RefreshFromState() {
    if (!IsGeqOutput(channel_)) return;
    const auto gains = GeqGainsDb(context_.state, channel_);
    ShowBandGains(*graph_, gains);
}

void CGeqDlg::OnPointMoved(int band, double, double db, int held) {
    if (!IsGeqOutput(channel_) || band < 0 || band >= kGeqBandCount) return;
    // A stroke sets many bands: its step is the stroke, not the first band it crossed.
    if (graph_->Freehand()) context_.model.NameStep({StepAction::GeqStroke, GeqDisplayChannel(channel_)});
    Edit([&](MixerState& s) { return WriteGeqBand(s, channel_, band, GainCodeFromDb(db)); }, Sending::Later);
    host_.ShowValue(GeqDisplayChannel(channel_), GeqDisplayKind(band));
    ThrottlePoint(band, held != 0);
}

void CGeqDlg::SendPoint(int) { Send(GeqCommands(context_.state, channel_)); }

void CGeqDlg::OnPointDoubleClicked(int band) {
    if (!IsGeqOutput(channel_) || band < 0 || band >= kGeqBandCount) return;
    Edit([&](MixerState& s) { return WriteGeqBand(s, channel_, band, kGeqFlatGain); });
    host_.ShowValue(GeqDisplayChannel(channel_), GeqDisplayKind(band));
}

void CGeqDlg::OnDraw() {
    graph_->SetFreehand(!graph_->Freehand());
    draw_->SetDown(graph_->Freehand());
}

void CGeqDlg::OnReset() {
    if (!IsGeqOutput(channel_)) return;
    const StepScope step(context_.model, {StepAction::GeqReset, GeqDisplayChannel(channel_)});
    Edit([&](MixerState& s) { return ResetGeq(s, channel_); });
}

void CGeqDlg::OnPresetRecalled() {
    Edit([&](MixerState& s) { return GeqRecalled(s, channel_); });
}

void CGeqDlg::resizeEvent(QResizeEvent*) {
    PlaceTopRow({reset_, draw_});
    graph_->setGeometry(kMargin, kTitleHeight + 8, width() - 2 * kMargin, height() - kTitleHeight - 8 - kMargin);
}

}  // namespace mixer
