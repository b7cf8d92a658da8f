#include "presets/name_dialog.h"

#include <QPaintEvent>
#include <QPainter>

#include "skin/image_button.h"
#include "skin/skin_font.h"
#include "skin/skin_images.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"

namespace mixer {

namespace {

constexpr int kBackgroundImage = 171;
constexpr int kButtonUp = 165;
constexpr int kButtonDown = 166;

}  // namespace

CNameDlg::CNameDlg(QWidget* parent)
    : QDialog(parent),
      caption_(new CSkinLabel(QStringLiteral("NAME:"), this)),
      field_(new CTextField(this)),
      ok_(new CImageButton(QStringLiteral("OK"), this)),
      cancel_(new CImageButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QStringLiteral("NAME"));
    setFixedSize(270, 150);

    caption_->setGeometry(24, 33, 92, 26);
    caption_->SetFontSize(11);

    // Names may be Chinese: the field's font covers both scripts. Names are
    // not cut here; whoever stores one fits it to its field.
    field_->setGeometry(143, 30, 107, 30);
    field_->setMaxLength(32767);
    field_->setFont(SkinFontPixels(20));
    field_->SetTextColour(QColor(0, 0, 255));
    field_->SetBackgroundColour(Qt::white);
    field_->SetFocusColour(Qt::white);

    for (CImageButton* button : {ok_, cancel_}) {
        button->SetBehaviour(CImageButton::kPush);
        button->SetCaptionSize(9);
    }
    ok_->setGeometry(59, 107, 75, 23);
    cancel_->setGeometry(147, 109, 75, 23);
    ok_->LoadImages(kButtonUp, kButtonDown);
    cancel_->LoadImages(kButtonUp, kButtonDown);

    connect(ok_, &CImageButton::clicked, this, &CNameDlg::accept);
    connect(cancel_, &CImageButton::clicked, this, &CNameDlg::reject);
    // Enter in the field confirms, as the dialog's default button would.
    connect(field_, &CTextField::EnterPressed, this, &CNameDlg::accept);
    field_->setFocus();
}

void CNameDlg::SetLabels(int language) {
    if (language == 1) {
        setWindowTitle(QStringLiteral("NAME"));
        caption_->SetText(QStringLiteral("NAME:"));
        ok_->setText(QStringLiteral("OK"));
        cancel_->setText(QStringLiteral("Cancel"));
    } else if (language == 2) {
        setWindowTitle(QStringLiteral("名称"));
        caption_->SetText(QStringLiteral("名称："));
        ok_->setText(QStringLiteral("确定"));
        cancel_->setText(QStringLiteral("取消"));
    }
}

void CNameDlg::SetName(const QString& name) {
    name_ = name;
    field_->setText(name);
    field_->selectAll();
}

void CNameDlg::accept() {
    name_ = field_->text();
    QDialog::accept();
}

void CNameDlg::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (!PaintTiled(p, rect(), LoadBackground(kBackgroundImage), event->region())) p.fillRect(rect(), QColor(36, 39, 46));
}

}  // namespace mixer
