#include "groups/phantom_dlg.h"

#include "host/app_context.h"
#include "host/gbk_text.h"
#include "host/strip_host.h"
#include "groups/phantom_edits.h"
#include "skin/image_button.h"
#include "skin/skin_label.h"

namespace mixer {

namespace {

constexpr int kButtonUp = 165;
constexpr int kButtonDown = 166;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 30;  // a 15-byte name broken onto two lines
constexpr int kTop = 130;

}  // namespace

CPhantomDlg::CPhantomDlg(AppContext& context, StripHost& host, QWidget* parent)
    : PageView(parent), context_(context), host_(host), title_(new CSkinLabel(this)) {
    title_->setGeometry(400, 50, 300, 50);
    title_->SetTransparent(true);
    title_->SetTextColour(Qt::white);
    title_->SetFontSize(16);
    title_->SetAlignment(Qt::AlignCenter);
    for (int i = 0; i < kInputCount; ++i) {
        auto* button = new CImageButton(this);
        button->resize(kButtonWidth, kButtonHeight);
        button->SetBehaviour(CImageButton::kTwoState);
        button->LoadImages(kButtonUp, kButtonDown);
        button->SetCaptionFits(true);
        connect(button, &QAbstractButton::clicked, this, [this, i] { PressChannel(i); });
        buttons_[i] = button;
    }
    SetLabels(1);
    LayOut();
}

void CPhantomDlg::SetLabels(int language) {
    if (language == 1) title_->SetText(QStringLiteral("PHANTOM"));
    if (language == 2) title_->SetText(QStringLiteral("幻象电源"));
}

void CPhantomDlg::ShowPhantomPage() {
    for (int i = 0; i < kInputCount; ++i) {
        buttons_[i]->setText(DecodeGbkName(context_.state.strips[i].name));
        buttons_[i]->SetDown(context_.state.strips[i].phantom == 1);
    }
}

void CPhantomDlg::PressChannel(int channel) {
    if (channel < 0 || channel >= kInputCount) return;
    const StepScope step(context_.model, {StepAction::Phantom, channel});
    context_.model.Edit([&](MixerState& s) { return TogglePhantom(s, channel); });
}

void CPhantomDlg::showEvent(QShowEvent* event) {
    PageView::showEvent(event);
    ShowPhantomPage();
}

void CPhantomDlg::resizeEvent(QResizeEvent* event) {
    PageView::resizeEvent(event);
    LayOut();
}

// Two rows of eight under the title, both centred on the page.
void CPhantomDlg::LayOut() {
    constexpr int kPitch = kButtonWidth + 20;
    const int left = std::max(10, (width() - 8 * kPitch) / 2);
    title_->move(std::max(0, (width() - title_->width()) / 2), title_->y());
    for (int i = 0; i < kInputCount; ++i) {
        buttons_[i]->move(left + (i % 8) * kPitch, kTop + (i / 8) * (kButtonHeight + 30));
    }
}

}  // namespace mixer
