#include "groups/group_panel_dlg.h"

#include <QPaintEvent>
#include <QPainter>

#include "host/console_modes.h"
#include "skin/image_button.h"
#include "skin/skin_images.h"
#include "skin/skin_label.h"

namespace mixer {

namespace {

constexpr int kDesignWidth = 110;  // the controls' places are for a panel this wide, centred
constexpr int kListUp = 165;
constexpr int kListDown = 166;
constexpr int kBackground = 189;

struct Caption {
    const char* english;
    const char* chinese;
    QString In(int language) const { return QString::fromUtf8(language == 1 ? english : chinese); }
};

// Main level: SYSTEM, GROUP, PHANTOM, CLEAR MUTE, CLEAR SOLO, AUX; a button every 80 pixels.
constexpr std::array<Caption, 6> kMainCaptions = {{{"SYSTEM", "系统"},
                                                    {"GROUP", "分组"},
                                                    {"PHANTOM", "幻象电源"},
                                                    {"CLEAR MUTE", "清除静音"},
                                                    {"CLEAR SOLO", "清除监听"},
                                                    {"AUX", "AUX"}}};
constexpr std::array<std::array<int, 2>, 6> kMainImages = {{{195, 196}, {199, 200}, {201, 202}, {203, 204}, {205, 206}, {197, 198}}};
constexpr int kMainPitch = 80;

}  // namespace

CGroupPanelDlg::CGroupPanelDlg(QWidget* parent) : SidePanelView(parent) {
    // Every pixel is painted here: nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    std::array<CImageButton*, 6> main{};
    for (int k = 0; k < 6; ++k) {
        main[k] = MainButton(30, 20 + k * kMainPitch, kMainImages[k][0], kMainImages[k][1]);
        mainLabels_[k] = MainLabel(70 + k * kMainPitch);
    }
    system_ = main[0];
    group_ = main[1];
    phantom_ = main[2];
    clearMute_ = main[3];
    clearSolo_ = main[4];
    outputs_ = main[5];
    clearMute_->SetBehaviour(CImageButton::kPush);
    clearSolo_->SetBehaviour(CImageButton::kPush);
    group_->SetBehaviour(CImageButton::kPush);
    outputs_->SetBehaviour(CImageButton::kPush);

    groupHeader_ = ListButton(20, kGroupLevel);
    groupHeader_->SetStaticLook(true);
    groupHeader_->SetBehaviour(CImageButton::kPush);
    mute_ = ListButton(60, kGroupLevel);
    view_ = ListButton(100, kGroupLevel);
    control_ = ListButton(140, kGroupLevel);
    groupReturn_ = ListButton(180, kGroupLevel);
    groupReturn_->SetBehaviour(CImageButton::kPush);
    for (int k = 0; k < 4; ++k) viewGroups_[k] = ListButton(240 + k * 30, kGroupLevel);

    outputHeader_ = ListButton(20, kOutputLevel);
    outputHeader_->SetStaticLook(true);
    outputHeader_->SetBehaviour(CImageButton::kPush);
    for (int k = 0; k < kOutputChoices; ++k) outputChoices_[k] = ListButton(60 + k * 40, kOutputLevel);
    outputReturn_ = ListButton(60 + kOutputChoices * 40, kOutputLevel);
    outputReturn_->SetBehaviour(CImageButton::kPush);

    connect(system_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnSystem);
    connect(group_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnGroup);
    connect(phantom_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnPhantom);
    connect(clearMute_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnClearMute);
    connect(clearSolo_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnClearSolo);
    connect(outputs_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnOutputs);
    connect(mute_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnMute);
    connect(view_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnView);
    connect(control_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnControl);
    connect(groupReturn_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnReturn);
    connect(outputReturn_, &QAbstractButton::clicked, this, &CGroupPanelDlg::OnReturn);
    for (int k = 0; k < 4; ++k) {
        connect(viewGroups_[k], &QAbstractButton::clicked, this, [this, k] { OnViewGroup(k + 1); });
    }
    for (int k = 0; k < kOutputChoices; ++k) {
        connect(outputChoices_[k], &QAbstractButton::clicked, this, [this, k] { OnOutputChoice(k); });
    }
    outputChoices_[0]->SetDown(true);
    SetLabels(1);
    RefreshPanel(kMainLevel);
}

CImageButton* CGroupPanelDlg::MainButton(int x, int y, int up, int down) {
    auto* button = new CImageButton(this);
    button->setGeometry(x, y, 50, 45);
    button->SetBehaviour(CImageButton::kTwoState);
    button->SetShowCaption(false);
    button->LoadImages(up, down);
    entries_.push_back({{button, x, y}, kMainLevel});
    return button;
}

CSkinLabel* CGroupPanelDlg::MainLabel(int y) {
    auto* label = new CSkinLabel(this);
    label->setGeometry(5, y, 100, 24);
    label->SetTransparent(true);
    label->SetTextColour(Qt::white);
    label->SetAlignment(Qt::AlignCenter);
    entries_.push_back({{label, 5, y}, kMainLevel});
    return label;
}

CImageButton* CGroupPanelDlg::ListButton(int y, int level) {
    auto* button = new CImageButton(this);
    button->setGeometry(15, y, 80, 20);
    button->SetBehaviour(CImageButton::kTwoState);
    button->LoadImages(kListUp, kListDown);
    entries_.push_back({{button, 15, y}, level});
    return button;
}

void CGroupPanelDlg::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    for (int k = 0; k < 6; ++k) mainLabels_[k]->SetText(kMainCaptions[k].In(language));
    groupHeader_->setText(Caption{"GROUP", "分组"}.In(language));
    mute_->setText(Caption{"MUTE", "静音分组"}.In(language));
    view_->setText(Caption{"VIEW", "视图分组"}.In(language));
    control_->setText(Caption{"CONTROL", "控制分组"}.In(language));
    groupReturn_->setText(Caption{"RETURN", "返回"}.In(language));
    outputReturn_->setText(Caption{"RETURN", "返回"}.In(language));
    for (int k = 0; k < 4; ++k) {
        viewGroups_[k]->setText((language == 1 ? QStringLiteral("VIEW %1") : QStringLiteral("视图 %1")).arg(k + 1));
    }
    outputHeader_->setText(Caption{"OUTPUT", "输出"}.In(language));
    outputChoices_[0]->setText(QStringLiteral("LR"));
    for (int k = 1; k < kOutputChoices; ++k) outputChoices_[k]->setText(QStringLiteral("AUX%1").arg(k));
}

void CGroupPanelDlg::RefreshPanel(int level) {
    if (level < kMainLevel || level > kOutputLevel) return;
    level_ = level;
    if (level == kMainLevel) {
        for (CImageButton* b : {system_, phantom_, mute_, view_, control_}) b->SetDown(false);
    }
    for (const auto& [entry, entryLevel] : entries_) entry.control->setVisible(entryLevel == level);
}

void CGroupPanelDlg::SetSystemDown(bool down) { system_->SetDown(down); }

void CGroupPanelDlg::SetPhantomDown(bool down) { phantom_->SetDown(down); }

void CGroupPanelDlg::PressForMode(int mode) {
    RefreshPanel(mode == kModeMuteGroups || mode == kModeViewGroups || mode == kModeControlGroups ? kGroupLevel
                                                                                                    : kMainLevel);
    system_->SetDown(mode == kModeSystem);
    phantom_->SetDown(mode == kModePhantom);
    mute_->SetDown(mode == kModeMuteGroups);
    view_->SetDown(mode == kModeViewGroups);
    control_->SetDown(mode == kModeControlGroups);
}

void CGroupPanelDlg::RequestMode(int mode) {
    const int level = level_;
    emit modeRequested(mode);
    KeepLevel(level);
}

// Showing the strips returns the panel to its main level; a choice made on
// another level stays there, so that the next choice is one press away.
void CGroupPanelDlg::KeepLevel(int level) {
    if (level_ != level) RefreshPanel(level);
}

void CGroupPanelDlg::TogglePage(CImageButton* button, std::initializer_list<CImageButton*> released, int mode) {
    emit scrollResetRequested();
    const bool open = !button->GetDown();
    button->SetDown(open);
    if (open) {
        for (CImageButton* b : released) b->SetDown(false);
    }
    RequestMode(open ? mode : kModeStrips);
}

void CGroupPanelDlg::OnSystem() { TogglePage(system_, {phantom_}, kModeSystem); }

void CGroupPanelDlg::OnPhantom() { TogglePage(phantom_, {system_}, kModePhantom); }

void CGroupPanelDlg::OnGroup() {
    emit scrollResetRequested();
    for (CImageButton* b : {system_, phantom_, mute_, view_}) b->SetDown(false);
    RefreshPanel(kGroupLevel);
    OnMute();
}

void CGroupPanelDlg::OnMute() { TogglePage(mute_, {view_, control_}, kModeMuteGroups); }

void CGroupPanelDlg::OnView() { TogglePage(view_, {mute_, control_}, kModeViewGroups); }

void CGroupPanelDlg::OnControl() { TogglePage(control_, {mute_, view_}, kModeControlGroups); }

void CGroupPanelDlg::OnReturn() {
    emit scrollResetRequested();
    RefreshPanel(kMainLevel);
    emit modeRequested(kModeStrips);
}

void CGroupPanelDlg::OnClearMute() {
    emit scrollResetRequested();
    emit clearMuteRequested();
}

void CGroupPanelDlg::OnClearSolo() {
    emit scrollResetRequested();
    emit clearSoloRequested();
}

void CGroupPanelDlg::OnOutputs() {
    emit scrollResetRequested();
    RefreshPanel(kOutputLevel);
}

void CGroupPanelDlg::ReleaseViewGroup() {
    viewShown_ = 0;
    for (CImageButton* b : viewGroups_) b->SetDown(false);
}

void CGroupPanelDlg::OnViewGroup(int k) {
    if (k < 1 || k > 4) return;
    emit scrollResetRequested();
    viewShown_ = viewShown_ == k ? 0 : k;
    for (int i = 0; i < 4; ++i) viewGroups_[i]->SetDown(i + 1 == viewShown_);
    // A view group takes the strips' place, so no page may stand over it.
    for (CImageButton* b : {mute_, view_, control_}) b->SetDown(false);
    const int level = level_;
    emit viewGroupRequested(viewShown_);
    KeepLevel(level);
}

void CGroupPanelDlg::OnOutputChoice(int choice) {
    if (choice < 0 || choice >= kOutputChoices) return;
    emit scrollResetRequested();
    for (int k = 0; k < kOutputChoices; ++k) outputChoices_[k]->SetDown(k == choice);
    const int level = level_;
    emit outputRequested(choice == 0 ? 1 : choice + 2);
    KeepLevel(level);
}

void CGroupPanelDlg::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (!PaintTiled(p, rect(), LoadBackground(kBackground), event->region())) p.fillRect(rect(), QColor(44, 48, 56));
}

void CGroupPanelDlg::resizeEvent(QResizeEvent* event) {
    SidePanelView::resizeEvent(event);
    LayOut();
}

void CGroupPanelDlg::LayOut() {
    const int left = std::max(0, (width() - kDesignWidth) / 2);
    for (const auto& [entry, level] : entries_) entry.control->move(left + entry.x, entry.y);
}

}  // namespace mixer
