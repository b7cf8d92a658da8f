#include "pages/effect/effect_dlg.h"

#include <QComboBox>

#include "host/app_context.h"
#include "host/strip_host.h"
#include "pages/frame/page_knob.h"
#include "pages/frame/preset_selector.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"
#include "skin/skin_font.h"
#include "skin/skin_label.h"

namespace mixer {

namespace {

constexpr int kMuteKind = 1;
constexpr int kOutputVolumeKind = 3;
constexpr int kInputVolumeKind = 61;
constexpr int kLevelUnit = 60;
constexpr int kSectionHeight = 300;
constexpr int kParamRowHeight = 38;
constexpr int kCaptionWidth = 110;
constexpr int kKnobLength = 200;
constexpr int kLevelKnobLength = 190;
constexpr int kLevelColumn = 96;
constexpr int kMeterWidth = 4 * 54;
constexpr int kFaderTrack = 191;
constexpr int kFaderCap = 192;
constexpr int kFaderCapHeld = 209;

QString ParamValueText(Effect effect, int param, int value) {
    if (effect == Effect::kReverb) {
        if (param == kRevTime) return QString::asprintf("%0.1fs", value * 0.1);
        if (param == kRevLpf) return QString::asprintf("%dHz", value);
        return QString::asprintf("%dms", value);
    }
    if (param == kFeedback) return QString::asprintf("%d%%", value);
    if (param == kDelayLpf) return QString::asprintf("%dHz", value);
    return QString::asprintf("%dms", value);
}

// Throttled points: the parameters of each effect, then the level knobs.
constexpr int kPointDelayParams = 1;
constexpr int kFirstLevelPoint = 2;

int ParamPoint(Effect effect) { return effect == Effect::kReverb ? 0 : kPointDelayParams; }
int LevelPoint(Effect effect, bool input) { return kFirstLevelPoint + 2 * ParamPoint(effect) + (input ? 0 : 1); }

int LevelOf(const MixerState& s, Effect effect, bool input) {
    const StripRecord& r = s.strips[EffectChannel(effect)];
    return input ? r.level2 : r.level;
}

}  // namespace

CEffectDlg::CEffectDlg(AppContext& context, StripHost& host, QWidget* parent)
    : CProcessingPage(context, host, PresetModule::kRev, parent),
      delayPresets_(new CPresetSelector(PresetModule::kDelay, context, this)),
      meter_(new CLevelMeter(this)) {
    channel_ = kDelayReturn;
    BuildSection(Effect::kReverb);
    BuildSection(Effect::kDelay);
    connect(delayPresets_, &CPresetSelector::recalled, this, [this] { Recalled(Effect::kDelay); });
    meter_->SetColumnCount(kEffectMuteCount);
    for (int b = 0; b < kEffectMuteCount; ++b) {
        meter_->SetRange(b, 0, kEffectLevelKnobMax);
        mutes_[b] = MakeKey(true);
        connect(mutes_[b], &QAbstractButton::clicked, this, [this, b] { OnMute(b); });
    }
    meterTimer_.setInterval(50);
    connect(&meterTimer_, &QTimer::timeout, this, &CEffectDlg::UpdateMeters);
    SetLabels(context.language);
}

void CEffectDlg::BuildSection(Effect effect) {
    Section& section = At(effect);
    section.title = MakePageCaption(this);
    section.title->SetFontSize(13);
    section.title->SetTextColour(QColor(120, 205, 255));
    for (int param = 0; param < EffectParamCount(effect); ++param) {
        const ParamRange range = EffectParamRange(effect, param);
        ParamControls c{MakePageCaption(this), MakePageKnob(this, range.minimum, range.maximum), MakePageValueBox(this)};
        c.knob->SetTrackLength(kKnobLength);
        c.knob->SetPageSize(std::max(1, (range.maximum - range.minimum) / 20));
        connect(c.knob, &CBitmapSlider::Moving, this, [this, effect, param](int, int p) { OnParamKnob(effect, param, p, true); });
        connect(c.knob, &CBitmapSlider::Moved, this, [this, effect, param](int, int p) { OnParamKnob(effect, param, p, false); });
        section.params.push_back(c);
    }
    for (int k = 0; k < 2; ++k) {
        const bool input = k == 0;
        LevelControls& c = section.levels[k];
        c.caption = MakePageCaption(this);
        c.caption->SetAlignment(Qt::AlignCenter);
        c.knob = new CBitmapSlider(this);
        c.knob->SetVertical(true);
        c.knob->SetTrackBitmaps(kFaderTrack);
        c.knob->SetThumbBitmaps(kFaderCap, kFaderCapHeld);
        c.knob->SetRange(0, kEffectLevelKnobMax);
        c.knob->SetPageSize(10);
        c.knob->SetTrackLength(kLevelKnobLength);
        c.knob->SetMarks({{KnobFromLevel(70), QStringLiteral("+10"), false},
                          {KnobFromLevel(60), QStringLiteral("0"), true},
                          {KnobFromLevel(50), QStringLiteral("-10"), false},
                          {KnobFromLevel(30), QStringLiteral("-30"), false},
                          {KnobFromLevel(0), QString::fromUtf8("-\u221E"), false}});
        c.value = MakePageValueBox(this);
        connect(c.knob, &CBitmapSlider::Moving, this, [this, effect, input](int, int p) { OnLevelKnob(effect, input, p, true); });
        connect(c.knob, &CBitmapSlider::Moved, this, [this, effect, input](int, int p) { OnLevelKnob(effect, input, p, false); });
    }
    section.reset = MakeKey(false);
    connect(section.reset, &QAbstractButton::clicked, this, [this, effect] { OnReset(effect); });
    section.presets = effect == Effect::kReverb ? presets_ : delayPresets_;
    section.hold = new QComboBox(this);
    // Two entries captioned by SetLabels, which keeps the one chosen.
    section.hold->addItems({QString(), QString()});
    section.hold->setFont(SkinFontPoints(9));
    section.hold->setFocusPolicy(Qt::NoFocus);
}

void CEffectDlg::SetChannel(int channel) {
    CProcessingPage::SetChannel(channel);
    presets_->SetIndex(kReverbReturn);
    delayPresets_->SetIndex(kDelayReturn);
    RefreshFromState();
}

void CEffectDlg::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    const bool en = language == 1;
    SetTitle(en ? QStringLiteral("EFFECT") : QStringLiteral("效果"));
    reverb_.title->SetText(en ? QStringLiteral("Reverberation") : QStringLiteral("混响"));
    delay_.title->SetText(en ? QStringLiteral("Delay") : QStringLiteral("延时"));
    const QStringList reverbEn = {"Delay1", "Delay2", "Delay3", "Delay4", "Rev time", "LPF"};
    const QStringList reverbZh = {"延时1", "延时2", "延时3", "延时4", "混响时间", "低通"};
    const QStringList delayEn = {"Pre delay1", "Pre delay2", "Feedback", "LPF"};
    const QStringList delayZh = {"预延时1", "预延时2", "反馈", "低通"};
    for (int p = 0; p < kReverbParamCount; ++p) reverb_.params[p].caption->SetText(en ? reverbEn[p] : reverbZh[p]);
    for (int p = 0; p < kDelayParamCount; ++p) delay_.params[p].caption->SetText(en ? delayEn[p] : delayZh[p]);
    reverb_.levels[0].caption->SetText(en ? QStringLiteral("INPUT") : QStringLiteral("输入"));
    reverb_.levels[1].caption->SetText(en ? QStringLiteral("OUTPUT") : QStringLiteral("输出"));
    delay_.levels[0].caption->SetText(en ? QStringLiteral("INPUT") : QStringLiteral("输入"));
    delay_.levels[1].caption->SetText(en ? QStringLiteral("OUPUT") : QStringLiteral("输出"));
    const QStringList holdEn = {"keep on", "30s"};
    const QStringList holdZh = {"保持", "30秒"};
    for (Section* section : {&reverb_, &delay_}) {
        section->reset->setText(en ? QStringLiteral("RESET") : QStringLiteral("复位"));
        section->presets->SetLabels(language);
        for (int entry = 0; entry < 2; ++entry) section->hold->setItemText(entry, en ? holdEn[entry] : holdZh[entry]);
    }
    const QStringList meterEn = {"R IN", "D IN", "R OUT", "D OUT"};
    const QStringList meterZh = {"混响入", "延时入", "混响出", "延时出"};
    for (int b = 0; b < kEffectMuteCount; ++b) {
        meter_->SetCaption(b, en ? meterEn[b] : meterZh[b]);
        mutes_[b]->setText(en ? QStringLiteral("MUTE") : QStringLiteral("静音"));
    }
    meter_->SetLanguage(language);
}

CBitmapSlider* CEffectDlg::ParamKnob(Effect effect, int param) const {
    const Section& section = At(effect);
    return param >= 0 && param < static_cast<int>(section.params.size()) ? section.params[param].knob : nullptr;
}

CBitmapSlider* CEffectDlg::LevelKnob(Effect effect, bool input) const { return At(effect).levels[input ? 0 : 1].knob; }
CImageButton* CEffectDlg::ResetButton(Effect effect) const { return At(effect).reset; }
QComboBox* CEffectDlg::HoldSelector(Effect effect) const { return At(effect).hold; }

QString CEffectDlg::ParamText(Effect effect, int param) const {
    const Section& section = At(effect);
    return param >= 0 && param < static_cast<int>(section.params.size()) ? section.params[param].value->DisplayText()
                                                                          : QString();
}

QString CEffectDlg::LevelText(Effect effect, bool input) const {
    return At(effect).levels[input ? 0 : 1].value->DisplayText();
}

QString CEffectDlg::LevelCaption(Effect effect, bool input) const {
    return At(effect).levels[input ? 0 : 1].caption->DisplayText();
}

void CEffectDlg::RefreshFromState() {
    ShowSection(Effect::kReverb);
    ShowSection(Effect::kDelay);
    for (int b = 0; b < kEffectMuteCount; ++b) mutes_[b]->SetDown(EffectMuted(context_.state, b));
}

void CEffectDlg::ShowSection(Effect effect) {
    Section& section = At(effect);
    for (int param = 0; param < EffectParamCount(effect); ++param) {
        const int value = EffectParam(context_.state, effect, param);
        ParamControls& c = section.params[param];
        // A knob the user holds stays under the mouse.
        if (!c.knob->IsDragging()) c.knob->SetPos(value);
        c.value->SetText(ParamValueText(effect, param, value));
    }
    for (int k = 0; k < 2; ++k) {
        const int level = LevelOf(context_.state, effect, k == 0);
        LevelControls& c = section.levels[k];
        if (!c.knob->IsDragging()) c.knob->SetPos(KnobFromLevel(level));
        c.value->SetText(QString::asprintf("%ddB", level - kLevelUnit));
    }
}

void CEffectDlg::OnParamKnob(Effect effect, int param, int position, bool held) {
    if (param < 0 || param >= EffectParamCount(effect)) return;
    Edit([&](MixerState& s) { return WriteEffectParam(s, effect, param, position); }, Sending::Later);
    host_.ShowValue(EffectChannel(effect), EffectParamKind(effect, param));
    ThrottlePoint(ParamPoint(effect), held);
}

void CEffectDlg::OnLevelKnob(Effect effect, bool input, int position, bool held) {
    const int level = LevelFromKnob(position);
    Edit(
        [&](MixerState& s) {
            return input ? WriteEffectInputLevel(s, effect, level) : WriteEffectOutputLevel(s, effect, level);
        },
        Sending::Later);
    host_.ShowValue(EffectChannel(effect), input ? kInputVolumeKind : kOutputVolumeKind);
    ThrottlePoint(LevelPoint(effect, input), held);
}

void CEffectDlg::SendPoint(int point) {
    if (point < kFirstLevelPoint) {
        Send(EffectCommands(context_.state, point == kPointDelayParams ? Effect::kDelay : Effect::kReverb));
        return;
    }
    const int level = point - kFirstLevelPoint;
    Send(EffectLevelCommands(context_.state, level >= 2 ? Effect::kDelay : Effect::kReverb, level % 2 == 0));
}

void CEffectDlg::OnReset(Effect effect) {
    const StepScope step(context_.model, {StepAction::EffectReset, EffectChannel(effect)});
    Edit([&](MixerState& s) { return ResetEffect(s, effect); });
}

void CEffectDlg::OnMute(int button) {
    Commands commands;
    Edit([&](MixerState& s) { return commands = ToggleEffectMute(s, button); });
    if (commands.empty()) return;
    const EffectMute mute = EffectMuteAt(button);
    // The return strip's MUTE is the output path's; the value display's MUTE
    // reads that flag too, so the input paths leave it as it is.
    if (!mute.input) host_.ShowValue(EffectChannel(mute.effect), kMuteKind);
}

void CEffectDlg::UpdateMeters() {
    for (int b = 0; b < kEffectMuteCount; ++b) meter_->SetValue(b, EffectMeterBar(EffectMeterValue(context_.state, b)));
}

void CEffectDlg::OnPresetRecalled() { Recalled(Effect::kReverb); }

void CEffectDlg::Recalled(Effect effect) { Send(EffectCommands(context_.state, effect)); }

void CEffectDlg::showEvent(QShowEvent* event) {
    CProcessingPage::showEvent(event);
    delayPresets_->Fill();
    RefreshFromState();
    UpdateMeters();
    meterTimer_.start();
}

void CEffectDlg::hideEvent(QHideEvent* event) {
    CProcessingPage::hideEvent(event);
    meterTimer_.stop();
}

void CEffectDlg::LayOutSection(Effect effect, int top) {
    Section& section = At(effect);
    const int x = kMargin + 16;
    section.title->setGeometry(x, top, 300, 28);
    int y = top + 34;
    for (ParamControls& c : section.params) {
        c.caption->setGeometry(x, y, kCaptionWidth, 26);
        c.knob->move(x + kCaptionWidth, y + 2);
        c.value->move(c.knob->x() + c.knob->width() + 10, y + 2);
        y += kParamRowHeight;
    }
    const int lx = x + kCaptionWidth + kKnobLength + kPageValueWidth + 36;
    for (int k = 0; k < 2; ++k) {
        LevelControls& c = section.levels[k];
        const int cx = lx + k * kLevelColumn;
        c.caption->setGeometry(cx, top + 4, kPageValueWidth + 10, 24);
        c.knob->move(cx + (kPageValueWidth + 10 - c.knob->width()) / 2, top + 34);
        c.value->move(cx + 5, top + 34 + c.knob->height() + 6);
    }
    const int rx = lx + 2 * kLevelColumn + 16;
    section.reset->move(rx, top + 34);
    section.presets->setGeometry(rx, top + 34 + kKeyHeight + 12, kSelectorWidth, kKeyHeight);
    section.hold->setGeometry(rx, top + 34 + 2 * (kKeyHeight + 12), kSelectorWidth, kKeyHeight);
}

void CEffectDlg::resizeEvent(QResizeEvent*) {
    LayOutSection(Effect::kReverb, kTitleHeight + 8);
    LayOutSection(Effect::kDelay, kTitleHeight + 8 + kSectionHeight);
    const int mx = width() - kMargin - kMeterWidth - 8;
    const int meterTop = kTitleHeight + 16;
    const int meterHeight = std::max(200, height() - meterTop - kKeyHeight - 3 * kMargin);
    meter_->setGeometry(mx, meterTop, kMeterWidth, meterHeight);
    for (int b = 0; b < kEffectMuteCount; ++b) {
        const int column = kMeterWidth / kEffectMuteCount;
        mutes_[b]->resize(column - 8, kKeyHeight);
        mutes_[b]->move(mx + b * column + 4, meterTop + meterHeight + kMargin);
    }
}

}  // namespace mixer
