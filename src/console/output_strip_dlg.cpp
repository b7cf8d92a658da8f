#include "console/output_strip_dlg.h"

#include <QComboBox>

#include <algorithm>

#include "host/app_context.h"
#include "host/strip_host.h"
#include "host/strip_links.h"
#include "link/channel_edits.h"
#include "link/meter_report.h"
#include "pages/curves/channel_curve.h"
#include "pages/curves/graph_setup.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"
#include "skin/skin_font.h"
#include "skin/skin_label.h"

namespace mixer {

namespace {

constexpr int kBackground = 190;
constexpr int kFaderCap = 207;
constexpr int kLimiterTop = 100;
constexpr int kSendPointTop = 130;
constexpr int kMeterWidth = 24;  // each of MAIN's two, room for their "Peak" marks
constexpr int kEndLabelWidth = 12;
constexpr int kEndLabelGap = 2;

}  // namespace

COutputStripDlg::COutputStripDlg(AppContext& context, StripHost& host, int index, QWidget* parent)
    : StripDlgBase(context, host, index, kBackground, parent),
      balance_(MakePan()),
      left_(new CSkinLabel(QStringLiteral("L"), this)),
      right_(new CSkinLabel(QStringLiteral("R"), this)),
      limiter_(MakeButton(false)),
      sendPoint_(new QComboBox(this)),
      fader_(MakeFader(kFaderCap)),
      leftMeter_(MakeMeter()),
      rightMeter_(MakeMeter()),
      mute_(MakeButton(true)),
      solo_(MakeButton(true)) {
    SetupBandGraph(*Thumbnail());

    for (CSkinLabel* label : {left_, right_}) {
        label->resize(kEndLabelWidth, balance_->height());
        label->SetAlignment(Qt::AlignCenter);
        label->SetFontSize(9);
    }
    sendPoint_->setObjectName(QStringLiteral("sendPoint"));
    sendPoint_->resize(kButtonWidth, kButtonHeight);
    sendPoint_->setFont(SkinFontPoints(9));
    sendPoint_->setStyleSheet(QStringLiteral(
        "QComboBox#sendPoint { color: white; background: #16181d; border: 1px solid #5a6070;"
        " border-radius: 3px; padding-left: 6px; }"
        "QComboBox#sendPoint QAbstractItemView { color: white; background: #16181d;"
        " selection-background-color: #2d6fb0; }"));

    connect(fader_, &CBitmapSlider::Moving, this, [this](int, int position) { OnFaderMoved(position); });
    connect(fader_, &CBitmapSlider::Moved, this, [this](int, int position) { OnFaderMoved(position); });
    connect(balance_, &CBitmapSlider::Moving, this, [this](int, int position) { OnBalanceMoved(position); });
    connect(balance_, &CBitmapSlider::Moved, this, [this](int, int position) { OnBalanceMoved(position); });
    connect(balance_, &CBitmapSlider::DoubleClicked, this, &COutputStripDlg::OnBalanceDoubleClicked);
    connect(mute_, &QAbstractButton::clicked, this, &COutputStripDlg::OnMute);
    connect(solo_, &QAbstractButton::clicked, this, &COutputStripDlg::OnSolo);
    connect(sendPoint_, &QComboBox::activated, this, &COutputStripDlg::OnSendPoint);
    connect(limiter_, &QAbstractButton::clicked, this, [this] { OpenModule(kModuleLimiter); });

    SetLabels(1);
    resize(kButtonWidth, kNamePlace.y + kNamePlace.height);
    LayOutAll();
    RefreshFromState();
}

void COutputStripDlg::SetLabels(int language) {
    QStringList entries;
    if (language == 1) {
        limiter_->setText(QStringLiteral("LIMIT"));
        mute_->setText(QStringLiteral("MUTE"));
        solo_->setText(QStringLiteral("SOLO"));
        entries = {QStringLiteral("PRE FADER"), QStringLiteral("POST FADER"), QStringLiteral("PRE DSP")};
    } else if (language == 2) {
        // The limiter page calls itself the compressor in Chinese.
        limiter_->setText(QStringLiteral("压缩器"));
        mute_->setText(QStringLiteral("静音"));
        solo_->setText(QStringLiteral("监听"));
        entries = {QStringLiteral("推子前"), QStringLiteral("推子后"), QStringLiteral("DSP前")};
    } else {
        return;
    }
    sendPoint_->clear();
    sendPoint_->addItems(entries);
    // Refilling selects the first entry; the bus keeps its own.
    if (Valid()) ShowSendPoint();
    for (CLevelMeter* meter : {leftMeter_, rightMeter_}) meter->SetLanguage(language);
    SetNameMenuLanguage(language);
}

void COutputStripDlg::ShowSendPoint() {
    sendPoint_->setCurrentIndex(std::clamp(context_.state.buses[index_].busMode, kBusModeMin, kBusModeMax) - kBusModeMin);
}

void COutputStripDlg::RefreshFromState() {
    ShowName();
    if (!Valid()) return;
    balance_->setVisible(IsMain());
    left_->setVisible(IsMain());
    right_->setVisible(IsMain());
    rightMeter_->setVisible(IsMain());
    sendPoint_->setVisible(!IsMain());
    solo_->setVisible(!IsMain());
    LayOut(width(), Growth());
    RefreshControls();
    ShowBandGains(*Thumbnail(), GeqGainsDb(context_.state, index_));
    UpdateMeters();
}

void COutputStripDlg::RefreshControls() {
    const BusRecord& r = context_.state.buses[index_];
    mute_->SetDown(r.mute != 0);
    solo_->SetDown(r.solo != 0);
    ShowSendPoint();
    // A fader the user holds stays under the mouse.
    if (!fader_->IsDragging()) fader_->SetPos(FaderPositionFromLevel(r.level));
    if (!balance_->IsDragging()) balance_->SetPos(r.balance);
}

uint32_t COutputStripDlg::ChangedParts(const ChangeSet& changes) const {
    if (!Valid()) return 0;
    // MAIN's strip shows the meter of the second record too.
    // MAIN's strip shows the meters of both records.
    if (IsMain()) return changes.buses[index_] | ((changes.buses[0] | changes.buses[1]) & kPartMeter);
    return changes.buses[index_];
}

void COutputStripDlg::OnStateChanged(uint32_t parts) {
    if (parts & kPartName) ShowName();
    if (parts & (kPartLevel | kPartMute | kPartSolo | kPartPan | kPartBusMode)) RefreshControls();
    if (parts & kPartGeq) ShowBandGains(*Thumbnail(), GeqGainsDb(context_.state, index_));
    if (parts & kPartMeter) UpdateMeters();
}

void COutputStripDlg::UpdateMeters() {
    if (!Valid()) return;
    leftMeter_->SetValue(0, MeterBarHeight(context_.state.buses[IsMain() ? 0 : index_].meter));
    if (IsMain()) rightMeter_->SetValue(0, MeterBarHeight(context_.state.buses[1].meter));
}

void COutputStripDlg::OnFaderMoved(int position) {
    if (!Valid()) return;
    const int level = LevelFromFaderPosition(position);
    // A fader taken and let go without a move is only a look at its value.
    if (level != context_.state.buses[index_].level) Edit([&](MixerState& s) { return WriteBusLevel(s, index_, level); });
    host_.ShowValue(DisplayChannel(), static_cast<int>(StripParam::Fader));
}

void COutputStripDlg::OnBalanceMoved(int position) {
    if (!Valid() || !IsMain()) return;
    Edit([&](MixerState& s) { return WriteBusBalance(s, index_, position); });
    host_.ShowValue(DisplayChannel(), static_cast<int>(StripParam::Pan));
}

void COutputStripDlg::OnBalanceDoubleClicked() {
    if (!Valid() || !IsMain()) return;
    balance_->SetPos(kPanCentre);
    OnBalanceMoved(kPanCentre);
}

void COutputStripDlg::OnMute() {
    if (!Valid()) return;
    const bool mute = context_.state.buses[index_].mute == 0;
    Edit([&](MixerState& s) { return WriteBusMute(s, index_, mute); });
    host_.ShowValue(DisplayChannel(), static_cast<int>(StripParam::Mute));
}

void COutputStripDlg::OnSolo() {
    if (!Valid() || IsMain()) return;
    const bool solo = context_.state.buses[index_].solo == 0;
    Edit([&](MixerState& s) { return WriteBusSolo(s, index_, solo); });
    host_.ShowValue(DisplayChannel(), static_cast<int>(StripParam::Solo));
}

void COutputStripDlg::OnSendPoint(int entry) {
    if (!Valid()) return;
    const StepScope step(context_.model, {StepAction::SendPoint, DisplayChannel()});
    Edit([&](MixerState& s) { return WriteBusMode(s, index_, entry + kBusModeMin); });
}

void COutputStripDlg::Edit(const MixerModel::Write& write) { context_.model.Edit(write); }

void COutputStripDlg::OpenModule(int module) {
    if (Valid()) host_.OpenOutputDetail(index_, module);
}

StripDlgBase::NameField* COutputStripDlg::Name() {
    return Valid() ? &context_.model.Mirror().buses[index_].name : nullptr;
}

void COutputStripDlg::LayOut(int width, int growth) {
    PlaceButton(balance_, kPanTop, width);
    left_->move(balance_->x() - kEndLabelGap - kEndLabelWidth, kPanTop);
    right_->move(balance_->x() + balance_->width() + kEndLabelGap, kPanTop);
    PlaceButton(limiter_, kLimiterTop, width);
    PlaceButton(sendPoint_, kSendPointTop, width);
    PlaceButton(mute_, kMuteTop + growth, width);
    PlaceButton(solo_, kSoloTop + growth, width);
    fader_->SetTrackLength(kFaderLength + growth);
    const FaderPair pair =
        PlaceFaderPair(width, {0, kFaderTop, fader_->width(), fader_->height()}, 2 * kMeterWidth);
    fader_->move(pair.fader.x, pair.fader.y);
    // A bus with one meter gives it the room of both.
    const int leftWidth = IsMain() ? kMeterWidth : 2 * kMeterWidth;
    leftMeter_->setGeometry(pair.meter.x, pair.meter.y, leftWidth, pair.meter.height);
    rightMeter_->setGeometry(pair.meter.x + kMeterWidth, pair.meter.y, kMeterWidth, pair.meter.height);
}

}  // namespace mixer
