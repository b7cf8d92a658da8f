#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>
#include <string_view>

#include "skin/skin_font.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"
#include "widget_probe.h"

using namespace mixer;
using namespace skin_test;

TEST(SkinFont, CoversTheChineseCaptions) {
    const QFontMetrics metrics(SkinFontPoints(8));
    for (const char32_t c : std::u32string_view(U"静音监听效果通道辅组输出")) {
        EXPECT_TRUE(metrics.inFontUcs4(c)) << static_cast<unsigned>(c);
    }
}

TEST(SkinLabel, NumericModeFormatsAndTextModeShowsTheText) {
    CSkinLabel label(QStringLiteral("GAIN"), nullptr);
    EXPECT_TRUE(label.IsTextMode());
    EXPECT_EQ(label.DisplayText(), QStringLiteral("GAIN"));
    label.SetDivisor(10);
    label.SetSuffix(QStringLiteral("dB"));
    label.SetValue(35);
    EXPECT_FALSE(label.IsTextMode());
    EXPECT_EQ(label.DisplayText(), QStringLiteral("3.5dB"));
    label.SetValue(30);
    EXPECT_EQ(label.DisplayText(), QStringLiteral("3dB"));
    label.SetPrefix(QStringLiteral("门限 "));
    label.SetOffMode(1);
    label.SetOffValues(0, 10);
    label.SetValue(0);
    EXPECT_EQ(label.DisplayText(), QStringLiteral("门限 OFF"));
    label.SetText(QStringLiteral("静音"));
    EXPECT_TRUE(label.IsTextMode());
    EXPECT_EQ(label.DisplayText(), QStringLiteral("静音"));
}

TEST(SkinLabel, TransparentOverThePageOrFilledWithItsColour) {
    QWidget page;
    page.resize(120, 40);
    page.setAutoFillBackground(true);
    QPalette red = page.palette();
    red.setColor(QPalette::Window, QColor(200, 0, 0));
    page.setPalette(red);
    CSkinLabel label(QStringLiteral("MUTE"), &page);
    label.setGeometry(10, 5, 100, 30);
    label.SetAlignment(Qt::AlignCenter);
    const QPoint clear(14, 8);  // inside the label, away from the text

    EXPECT_EQ(page.grab().toImage().pixelColor(clear), QColor(200, 0, 0));
    label.SetTransparent(false);
    label.SetBackgroundColour(QColor(0, 0, 90));
    EXPECT_EQ(page.grab().toImage().pixelColor(clear), QColor(0, 0, 90));
    const QImage shot = page.grab().toImage();
    EXPECT_TRUE(AnyPixel(shot, label.geometry(), [](const QColor& c) { return c.red() > 200 && c.blue() > 200; }));
}

TEST(SkinLabel, ImageModeDrawsTheImageOrNothing) {
    CSkinLabel logo(nullptr);
    logo.resize(150, 30);
    logo.SetImage(180);
    EXPECT_TRUE(AnyPixel(Snapshot(logo), logo.rect(), [](const QColor& c) { return c != kUnder; }));
    logo.SetImage(9999);
    logo.SetText(QString());
    EXPECT_FALSE(AnyPixel(Snapshot(logo), logo.rect(), [](const QColor& c) { return c != kUnder; }));
}

TEST(TextField, TakesAtMostItsLengthAndTellsOnlyAcceptedCharacters) {
    CTextField field(nullptr, 7);
    QSignalSpy changed(&field, &CTextField::Changed);
    QSignalSpy entered(&field, &CTextField::EnterPressed);
    QTest::keyClicks(&field, QStringLiteral("123456789"));
    EXPECT_EQ(field.text(), QStringLiteral("12345678"));
    EXPECT_EQ(changed.count(), 8);
    EXPECT_EQ(changed.front().at(0).toInt(), 7);

    QTest::keyClick(&field, Qt::Key_Return);
    QTest::keyClick(&field, Qt::Key_Enter);
    EXPECT_EQ(entered.count(), 2);
    EXPECT_EQ(entered.front().at(0).toInt(), 7);
    EXPECT_EQ(field.text(), QStringLiteral("12345678"));

    QTest::keyClick(&field, Qt::Key_Backspace);  // an edit, but no typed character
    EXPECT_EQ(field.text(), QStringLiteral("1234567"));
    EXPECT_EQ(changed.count(), 8);

    field.setMaxLength(20);
    QTest::keyClicks(&field, QStringLiteral(".5"));
    EXPECT_EQ(field.text(), QStringLiteral("1234567.5"));
    EXPECT_EQ(changed.count(), 10);
}

TEST(TextField, TextFromAnInputMethodCountsAsTyped) {
    CTextField field(nullptr, 3);
    QSignalSpy changed(&field, &CTextField::Changed);
    QInputMethodEvent composing(QStringLiteral("tongdao"), {});
    QApplication::sendEvent(&field, &composing);
    EXPECT_EQ(changed.count(), 0);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("通道"));
    QApplication::sendEvent(&field, &commit);
    EXPECT_EQ(field.text(), QStringLiteral("通道"));
    EXPECT_EQ(changed.count(), 1);
}

TEST(TextField, FocusColourWhileFocusedAndNoticeWhenLeft) {
    QWidget page;
    page.resize(300, 60);
    CTextField field(&page, 11);
    CTextField other(&page, 12);
    other.move(150, 0);
    field.SetBackgroundColour(QColor(0, 0, 0));
    field.SetFocusColour(QColor(60, 60, 0));
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    QSignalSpy lost(&field, &CTextField::FocusLost);
    field.setFocus();
    EXPECT_EQ(field.CurrentBackground(), QColor(60, 60, 0));
    other.setFocus();
    EXPECT_EQ(field.CurrentBackground(), QColor(0, 0, 0));
    ASSERT_EQ(lost.count(), 1);
    EXPECT_EQ(lost.front().at(0).toInt(), 11);
}
