#include "groups/group_page_base.h"

#include "host/app_context.h"
#include "host/gbk_text.h"
#include "groups/group_edits.h"
#include "groups/group_store.h"
#include "skin/image_button.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"

namespace mixer {

namespace {

constexpr int kButtonUp = 165;
constexpr int kButtonDown = 166;
constexpr int kMembersPerRow = 9;

}  // namespace

GroupPageBase::GroupPageBase(AppContext& context, const GroupPageCaptions& captions, QWidget* parent)
    : PageView(parent),
      context_(context),
      captions_(captions),
      nameCaption_(new CSkinLabel(this)),
      name_(new CTextField(this)),
      saveError_(new CSkinLabel(this)) {
    for (int g = 0; g < kGroupCount; ++g) {
        selectors_[g] = MakeButton(kColumnX + g * 120, 30, 100, 30);
        connect(selectors_[g], &QAbstractButton::clicked, this, [this, g] { PressSelector(g); });
    }
    for (int i = 0; i < kStripCount; ++i) {
        const int x = kColumnX + (i % kMembersPerRow) * kColumnPitch;
        const int y = kMemberRowY + (i / kMembersPerRow) * 40;
        members_[i] = MakeButton(x, y, 80, kNameButtonHeight);
        connect(members_[i], &QAbstractButton::clicked, this, [this, i] { PressMember(i); });
    }
    nameCaption_->setGeometry(kColumnX + 4 * 120 + 20, 30, 200, 30);
    nameCaption_->SetTransparent(true);
    nameCaption_->SetTextColour(Qt::white);
    nameCaption_->SetAlignment(Qt::AlignVCenter | Qt::AlignRight);
    name_->setGeometry(kColumnX + 4 * 120 + 230, 30, 200, 30);
    name_->setMaxLength(kGroupNameMaxChars);
    name_->setEnabled(false);
    connect(name_, &QLineEdit::textEdited, this, &GroupPageBase::RenameSelected);
    saveError_->setGeometry(kColumnX, kLowerRowY + 60, 880, 30);
    saveError_->SetTransparent(true);
    saveError_->SetTextColour(QColor(255, 96, 64));
    saveError_->hide();
}

CImageButton* GroupPageBase::MakeButton(int x, int y, int w, int h) {
    auto* button = new CImageButton(this);
    button->setGeometry(x, y, w, h);
    button->SetBehaviour(CImageButton::kTwoState);
    button->LoadImages(kButtonUp, kButtonDown);
    // Members and outputs carry names of up to 15 bytes, as the strips' name
    // buttons do.
    button->SetCaptionFits(true);
    return button;
}

void GroupPageBase::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    language_ = language;
    const bool english = language == 1;
    const QString selector = QString::fromUtf8(english ? captions_.selectorEnglish : captions_.selectorChinese);
    for (int g = 0; g < kGroupCount; ++g) selectors_[g]->setText(selector.arg(g + 1));
    nameCaption_->SetText(QString::fromUtf8(english ? captions_.nameEnglish : captions_.nameChinese));
    SetMoreLabels(language);
}

void GroupPageBase::PressSelector(int g) {
    selected_ = NextSelection(selected_, g);
    RefreshPage();
}

void GroupPageBase::PressMember(int channel) {
    if (selected_ < 0 || !ToggleMember(selected_, channel)) return;
    members_[channel]->SetDown(IsMember(selected_, channel));
    Save();
}

void GroupPageBase::RenameSelected(const QString& name) {
    if (selected_ < 0) return;
    Name(selected_) = name.left(kGroupNameMaxChars).toStdString();
    Save();
}

void GroupPageBase::RefreshPage() {
    for (int g = 0; g < kGroupCount; ++g) selectors_[g]->SetDown(g == selected_);
    for (int i = 0; i < kStripCount; ++i) {
        members_[i]->setText(DecodeGbkName(context_.state.strips[i].name));
        members_[i]->SetDown(selected_ >= 0 && IsMember(selected_, i));
    }
    name_->setEnabled(selected_ >= 0);
    name_->setText(selected_ >= 0 ? QString::fromStdString(Name(selected_)) : QString());
    RefreshMore();
}

void GroupPageBase::Save() {
    const bool kept = SaveGroups(context_.profileFile, context_.groups);
    if (!kept) {
        saveError_->SetText(language_ == 1 ? QStringLiteral("The groups could not be saved in %1").arg(context_.profileFile)
                                           : QStringLiteral("分组无法保存到 %1").arg(context_.profileFile));
    }
    saveError_->setVisible(!kept);
}

void GroupPageBase::showEvent(QShowEvent* event) {
    PageView::showEvent(event);
    RefreshPage();
}

}  // namespace mixer
