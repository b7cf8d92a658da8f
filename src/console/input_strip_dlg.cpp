#include "console/input_strip_dlg.h"

#include "host/app_context.h"
#include "host/strip_host.h"
#include "link/channel_edits.h"
#include "link/meter_report.h"
#include "pages/curves/channel_curve.h"
#include "pages/curves/graph_setup.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"

namespace mixer {

namespace {

constexpr int kBackground = 189;
constexpr int kFaderCap = 192;
constexpr int kDynamicsTop = 100;
constexpr int kEffectTop = 130;
constexpr int kMatrixTop = 160;
constexpr int kMeterWidth = 30;

}  // namespace

CInputStripDlg::CInputStripDlg(AppContext& context, StripHost& host, int index, bool detail, QWidget* parent)
    : StripDlgBase(context, host, index, kBackground, parent),
      detail_(detail),
      pan_(MakePan()),
      dynamics_(MakeButton(false)),
      effect_(MakeButton(false)),
      matrix_(MakeButton(false)),
      fader_(MakeFader(kFaderCap)),
      meter_(MakeMeter()),
      mute_(MakeButton(true)),
      solo_(MakeButton(true)) {
    connect(fader_, &CBitmapSlider::Moving, this, [this](int, int position) { OnFaderMoved(position); });
    connect(fader_, &CBitmapSlider::Moved, this, [this](int, int position) { OnFaderMoved(position); });
    connect(pan_, &CBitmapSlider::Moving, this, [this](int, int position) { OnPanMoved(position); });
    connect(pan_, &CBitmapSlider::Moved, this, [this](int, int position) { OnPanMoved(position); });
    connect(pan_, &CBitmapSlider::DoubleClicked, this, &CInputStripDlg::OnPanDoubleClicked);
    connect(mute_, &QAbstractButton::clicked, this, &CInputStripDlg::OnMute);
    connect(solo_, &QAbstractButton::clicked, this, &CInputStripDlg::OnSolo);
    connect(dynamics_, &QAbstractButton::clicked, this, [this] { OpenModule(kModuleGateComp); });
    connect(effect_, &QAbstractButton::clicked, this, [this] { OpenModule(kModuleEffect); });
    connect(matrix_, &QAbstractButton::clicked, this, [this] { OpenModule(kModuleSends); });

    SetLabels(1);
    resize(kButtonWidth, kNamePlace.y + kNamePlace.height);
    LayOutAll();
    RefreshFromState();
}

void CInputStripDlg::SetLabels(int language) {
    if (language == 1) {
        dynamics_->setText(QStringLiteral("GATE/COMP"));
        effect_->setText(QStringLiteral("EFFECT"));
        matrix_->setText(QStringLiteral("MATRIX"));
        mute_->setText(QStringLiteral("MUTE"));
        solo_->setText(QStringLiteral("SOLO"));
    } else if (language == 2) {
        // The words of the page the button opens: its gate and compressor sections.
        dynamics_->setText(QStringLiteral("噪声门/压缩器"));
        effect_->setText(QStringLiteral("效果"));
        matrix_->setText(QStringLiteral("发送"));
        mute_->setText(QStringLiteral("静音"));
        solo_->setText(QStringLiteral("监听"));
    } else {
        return;
    }
    meter_->SetLanguage(language);
    SetNameMenuLanguage(language);
}

void CInputStripDlg::SetIndex(int index) {
    if (detail_) {
        const auto* source = dynamic_cast<CInputStripDlg*>(host_.InputStrip(index));
        links_ = source ? source->Links() : StripLinks{};
    }
    StripDlgBase::SetIndex(index);
}

void CInputStripDlg::RefreshFromState() {
    ShowName();
    if (!Valid()) return;
    RefreshControls();
    dynamics_->setVisible(index_ < kInputCount);
    ShowCurve();
    UpdateMeters();
}

uint32_t CInputStripDlg::ChangedParts(const ChangeSet& changes) const { return Valid() ? changes.strips[index_] : 0; }

void CInputStripDlg::OnStateChanged(uint32_t parts) {
    if (parts & kPartName) ShowName();
    if (parts & (kPartLevel | kPartMute | kPartSolo | kPartPan)) RefreshControls();
    if (parts & (kPartPeq | kPartFilters)) ShowCurve();
    if (parts & kPartMeter) UpdateMeters();
}

void CInputStripDlg::ShowCurve() {
    ShowChannelCurve(*Thumbnail(), ComputeChannelCurve(context_.state, index_), false);
}

void CInputStripDlg::RefreshControls() {
    if (!Valid()) return;
    const StripRecord& r = context_.state.strips[index_];
    // A fader the user holds stays under the mouse.
    if (!fader_->IsDragging()) fader_->SetPos(FaderPositionFromLevel(r.level));
    if (!pan_->IsDragging()) pan_->SetPos(r.pan);
    mute_->SetDown(r.mute != 0);
    solo_->SetDown(r.solo != 0);
}

void CInputStripDlg::UpdateMeters() {
    if (Valid()) meter_->SetValue(0, MeterBarHeight(context_.state.strips[index_].meter));
}

void CInputStripDlg::OnFaderMoved(int position) {
    if (!Valid()) return;
    const int level = LevelFromFaderPosition(position);
    // A fader taken and let go without a move is only a look at its value.
    if (level != context_.state.strips[index_].level) Edit(StripParam::Fader, level);
    host_.ShowValue(index_, static_cast<int>(StripParam::Fader));
}

void CInputStripDlg::OnPanMoved(int position) {
    if (!Valid()) return;
    if (position != context_.state.strips[index_].pan) Edit(StripParam::Pan, position);
    host_.ShowValue(index_, static_cast<int>(StripParam::Pan));
}

void CInputStripDlg::OnPanDoubleClicked() {
    if (!Valid()) return;
    pan_->SetPos(kPanCentre);
    // Only this channel returns to the centre.
    context_.model.Edit([&](MixerState& s) { return WriteStripPan(s, index_, kPanCentre); });
    host_.ShowValue(index_, static_cast<int>(StripParam::Pan));
}

void CInputStripDlg::OnMute() {
    if (!Valid()) return;
    Edit(StripParam::Mute, context_.state.strips[index_].mute == 0);
    host_.ShowValue(index_, static_cast<int>(StripParam::Mute));
}

void CInputStripDlg::OnSolo() {
    if (!Valid()) return;
    Edit(StripParam::Solo, context_.state.strips[index_].solo == 0);
    host_.ShowValue(index_, static_cast<int>(StripParam::Solo));
}

void CInputStripDlg::OpenModule(int module) {
    if (Valid()) host_.OpenInputDetail(index_, module);
}

void CInputStripDlg::Edit(StripParam param, int value) {
    context_.model.Edit([&](MixerState& s) { return WriteLinkedStrip(s, links_, index_, param, value); });
}

StripDlgBase::NameField* CInputStripDlg::Name() {
    return Valid() ? &context_.model.Mirror().strips[index_].name : nullptr;
}

void CInputStripDlg::LayOut(int width, int growth) {
    PlaceButton(pan_, kPanTop, width);
    PlaceButton(dynamics_, kDynamicsTop, width);
    PlaceButton(effect_, kEffectTop, width);
    PlaceButton(matrix_, kMatrixTop, width);
    PlaceButton(mute_, kMuteTop + growth, width);
    PlaceButton(solo_, kSoloTop + growth, width);
    fader_->SetTrackLength(kFaderLength + growth);
    const FaderPair pair = PlaceFaderPair(width, {0, kFaderTop, fader_->width(), fader_->height()}, kMeterWidth);
    fader_->move(pair.fader.x, pair.fader.y);
    meter_->setGeometry(pair.meter.x, pair.meter.y, pair.meter.width, pair.meter.height);
}

}  // namespace mixer
