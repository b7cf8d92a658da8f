#include "pages/sends/sends_dlg.h"

#include "host/app_context.h"
#include "host/strip_host.h"
#include "pages/frame/page_knob.h"
#include "pages/frame/preset_selector.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/skin_label.h"

namespace mixer {

namespace {

constexpr int kRowTop = CProcessingPage::kTitleHeight + 24;
constexpr int kRowHeight = 44;
constexpr int kCaptionWidth = 150;
constexpr int kKnobWidth = 360;
constexpr int kLevelUnit = 60;   // send code 60 is 0 dB

QString LevelDb(int level) { return QString::asprintf("%ddB", level - kLevelUnit); }

}  // namespace

CSendsDlg::CSendsDlg(AppContext& context, StripHost& host, QWidget* parent)
    : CProcessingPage(context, host, PresetModule::kPeq, parent) {
    // The sends have no preset table.
    presets_->hide();
    for (int row = 0; row < kSendRowCount; ++row) {
        RowControls& c = rows_[row];
        c.caption = MakePageCaption(this);
        c.knob = MakePageKnob(this, 0, kSendLevelMax);
        c.knob->SetTrackLength(kKnobWidth);
        c.value = MakePageValueBox(this);
        c.mute = MakeKey(true);
        connect(c.knob, &CBitmapSlider::Moving, this, [this, row](int, int p) { OnKnob(row, p, true); });
        connect(c.knob, &CBitmapSlider::Moved, this, [this, row](int, int p) { OnKnob(row, p, false); });
        connect(c.mute, &QAbstractButton::clicked, this, [this, row] { OnMute(row); });
        // Row 0, the MAIN send, is kept in the state but never shown.
        if (row == 0) {
            c.caption->hide();
            c.knob->hide();
            c.value->hide();
            c.mute->hide();
        }
    }
    SetLabels(context.language);
}

void CSendsDlg::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    const bool en = language == 1;
    SetTitle(en ? QStringLiteral("SENDS") : QStringLiteral("发送"));
    rows_[0].caption->SetText(QStringLiteral("主音量"));
    for (int row = kSendRowFirstAux; row < kSendRowDelay; ++row) {
        rows_[row].caption->SetText((en ? QStringLiteral("AUX %1") : QStringLiteral("辅助 %1")).arg(row));
    }
    rows_[kSendRowDelay].caption->SetText(en ? QStringLiteral("DELAY") : QStringLiteral("延时"));
    rows_[kSendRowReverb].caption->SetText(en ? QStringLiteral("Reverberation") : QStringLiteral("混响"));
    for (RowControls& c : rows_) c.mute->setText(en ? QStringLiteral("MUTE") : QStringLiteral("静音"));
}

CBitmapSlider* CSendsDlg::Knob(int row) const { return IsSendRow(row) ? rows_[row].knob : nullptr; }
CImageButton* CSendsDlg::MuteButton(int row) const { return IsSendRow(row) ? rows_[row].mute : nullptr; }
QString CSendsDlg::LevelText(int row) const { return IsSendRow(row) ? rows_[row].value->DisplayText() : QString(); }
bool CSendsDlg::RowShown(int row) const { return IsSendRow(row) && !rows_[row].knob->isHidden(); }

void CSendsDlg::RefreshFromState() {
    if (!IsSendsChannel(channel_)) return;
    for (int row = kSendRowFirstAux; row < kSendRowCount; ++row) {
        const bool shown = SendRowShown(channel_, row);
        RowControls& c = rows_[row];
        c.caption->setVisible(shown);
        c.knob->setVisible(shown);
        c.value->setVisible(shown);
        c.mute->setVisible(shown);
        ShowRow(row);
    }
}

void CSendsDlg::ShowRow(int row) {
    RowControls& c = rows_[row];
    const int level = mutes_.KnobLevel(context_.state, channel_, row);
    // A knob the user holds stays under the mouse.
    if (!c.knob->IsDragging()) c.knob->SetPos(level);
    c.mute->SetDown(mutes_.Muted(context_.state, channel_, row));
    c.value->SetText(LevelDb(level));
}

void CSendsDlg::OnKnob(int row, int position, bool held) {
    if (!IsSendsChannel(channel_) || !IsSendRow(row)) return;
    const bool live = !mutes_.Muted(context_.state, channel_, row);
    Edit([&](MixerState& s) { return mutes_.MoveKnob(s, channel_, row, position); }, Sending::Later);
    // A muted row's knob is the page's own: the model reports no change.
    if (!live) ShowRow(row);
    host_.ShowValue(channel_, SendDisplayKind(row));
    // A muted row only moves its knob: nothing changes on the mixer.
    if (live) ThrottlePoint(row, held);
}

void CSendsDlg::OnMute(int row) {
    if (!IsSendsChannel(channel_) || !IsSendRow(row)) return;
    Edit([&](MixerState& s) { return mutes_.Toggle(s, channel_, row, rows_[row].knob->GetPos()); }, Sending::Later);
    ShowRow(row);
    host_.ShowValue(channel_, SendDisplayKind(row));
    SendRow(row);
    SendRow(row);
}

void CSendsDlg::SendPoint(int row) { SendRow(row); }

void CSendsDlg::SendRow(int row) {
    Send(SendRowCommands(context_.state, channel_, row));
    Propagate(channel_, LinkedEdit{kLinkMatrix,
                                   [row](MixerState& s, int from, int to) { CopySendRow(s, from, to, row); },
                                   [row](const MixerState& s, int channel) { return SendRowCommands(s, channel, row); }});
}

void CSendsDlg::resizeEvent(QResizeEvent*) {
    const int x = kMargin + 24;
    for (int row = kSendRowFirstAux; row < kSendRowCount; ++row) {
        RowControls& c = rows_[row];
        const int y = kRowTop + (row - kSendRowFirstAux) * kRowHeight;
        c.caption->setGeometry(x, y, kCaptionWidth, 26);
        c.knob->move(x + kCaptionWidth, y + 2);
        c.value->move(c.knob->x() + c.knob->width() + 12, y + 2);
        c.mute->move(c.value->x() + kPageValueWidth + 16, y);
    }
}

}  // namespace mixer
