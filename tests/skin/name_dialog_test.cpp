#include "presets/name_dialog.h"

#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QTest>

#include "skin/image_button.h"
#include "skin/skin_font.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"

using namespace mixer;

TEST(CNameDlg, ShowsTheNameInBlueOnWhiteUnderItsCaptions) {
    CNameDlg dialog;
    dialog.SetName(QStringLiteral("CH 1"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("NAME"));
    bool caption = false;
    for (const CSkinLabel* label : dialog.findChildren<CSkinLabel*>()) caption |= label->DisplayText() == QStringLiteral("NAME:");
    EXPECT_TRUE(caption);
    CTextField* field = dialog.Field();
    EXPECT_EQ(field->text(), QStringLiteral("CH 1"));
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(field->font().family(), SkinFontFamily());
    EXPECT_EQ(field->font().pixelSize(), 20);
    for (CImageButton* button : {dialog.OkButton(), dialog.CancelButton()}) {
        EXPECT_EQ(button->CurrentFace(), CImageButton::Face::Up);
        EXPECT_FALSE(button->ImageSize().isEmpty());
    }
}

TEST(CNameDlg, OkHandsBackTheEditedText) {
    CNameDlg dialog;
    dialog.SetName(QStringLiteral("CH 1"));
    dialog.open();
    dialog.Field()->setText(QString());
    QTest::keyClicks(dialog.Field(), QStringLiteral("Kick drum long name"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name(), QStringLiteral("Kick drum long name"));  // the dialog itself does not cut names
}

TEST(CNameDlg, CancelAfterEditingKeepsTheName) {
    CNameDlg dialog;
    dialog.SetName(QStringLiteral("Vocal"));
    dialog.open();
    QTest::keyClicks(dialog.Field(), QStringLiteral("xyz"));
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Name(), QStringLiteral("Vocal"));
}

TEST(CNameDlg, ChineseNamesAreStoredAsTypedAndEnterConfirms) {
    CNameDlg dialog;
    dialog.SetName(QStringLiteral("CH 2"));
    dialog.open();
    dialog.Field()->setText(QString());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("主唱话筒"));
    QApplication::sendEvent(dialog.Field(), &commit);
    QTest::keyClick(dialog.Field(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name(), QStringLiteral("主唱话筒"));
}

TEST(CNameDlg, CaptionsFollowTheLanguageAndFitTheirButtons) {
    CNameDlg dialog;
    dialog.SetLabels(2);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("名称"));
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("确定"));
    EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("取消"));
    dialog.SetLabels(7);
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("确定"));
    dialog.SetLabels(1);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("NAME"));
    EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("Cancel"));
    for (const int language : {1, 2}) {
        dialog.SetLabels(language);
        for (CImageButton* button : {dialog.OkButton(), dialog.CancelButton()}) {
            const QFontMetrics metrics(SkinFontPoints(9));
            EXPECT_LE(metrics.horizontalAdvance(button->text()), button->width() - 8) << language;
        }
    }
}
