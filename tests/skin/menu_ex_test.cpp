#include "skin/menu_ex.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionMenuItem>
#include <QTest>
#include <QTimer>

#include "skin/contrast.h"
#include "skin/menu_resources.h"
#include "skin/skin_font.h"

using namespace mixer;

namespace {

struct Item {
    QString text;
    int command;
};

QList<Item> Items(const QMenu* menu) {
    QList<Item> out;
    for (const QAction* action : menu->actions()) out << Item{action->text(), CMenuEx::CommandOf(action)};
    return out;
}

QStyleOptionMenuItem Option(const QString& text, bool selected, bool enabled) {
    QStyleOptionMenuItem option;
    option.rect = QRect(0, 0, 120, 19);
    option.text = text;
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.state = QStyle::State_None;
    if (selected) option.state |= QStyle::State_Selected;
    if (enabled) option.state |= QStyle::State_Enabled;
    return option;
}

QImage Draw(const CMenuEx& menu, const QStyleOptionMenuItem& option) {
    QImage image(option.rect.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    menu.DrawItem(painter, option);
    return image;
}

// Chooses the index-th item of the menu that pops up next, or closes it when index is -1.
void ChooseInNextPopup(int index) {
    QTimer::singleShot(50, [index] {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup) return;
        if (index < 0) {
            QTest::keyClick(popup, Qt::Key_Escape);
            return;
        }
        for (int k = 0; k <= index; ++k) QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
    });
}

}  // namespace

TEST(CMenuEx, ChannelNameMenuHoldsNameWithItsCommand) {
    CMenuEx menu;
    ASSERT_TRUE(menu.LoadMenu(kChannelNameMenu));
    const CMenuEx* popup = menu.SubMenu(0);
    ASSERT_NE(popup, nullptr);
    const QList<Item> items = Items(popup);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].text, QStringLiteral("NAME"));
    EXPECT_EQ(items[0].command, 32775);
    EXPECT_EQ(menu.SubMenu(1), nullptr);
}

TEST(CMenuEx, PresetMenusCarryTheirOwnCommands) {
    CMenuEx first;
    ASSERT_TRUE(first.LoadMenu(kFirstPresetMenu));
    EXPECT_EQ(first.SubMenu(0)->title(), QStringLiteral("SAVE"));
    QList<Item> items = Items(first.SubMenu(0));
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].text + items[1].text + items[2].text, QStringLiteral("NAMERECALLDELETE"));
    EXPECT_EQ(items[0].command, 32771);
    EXPECT_EQ(items[1].command, 32773);
    EXPECT_EQ(items[2].command, 32774);

    CMenuEx second;
    ASSERT_TRUE(second.LoadMenu(kSecondPresetMenu));
    items = Items(second.SubMenu(0));
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].command, 32775);
    EXPECT_EQ(items[1].command, 32776);
    EXPECT_EQ(items[2].command, 32777);

    EXPECT_FALSE(second.LoadMenu(4242));
    EXPECT_TRUE(second.actions().isEmpty());
    EXPECT_EQ(second.SubMenu(0), nullptr);
}

TEST(CMenuEx, ReloadingAndDestroyingFreeTheSubmenus) {
    auto* menu = new CMenuEx;
    menu->LoadMenu(kFirstPresetMenu);
    QPointer<CMenuEx> old = menu->SubMenu(0);
    menu->LoadMenu(kChannelNameMenu);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(menu->findChildren<CMenuEx*>().size(), 1);
    QPointer<CMenuEx> current = menu->SubMenu(0);
    delete menu;
    EXPECT_TRUE(current.isNull());
}

TEST(CMenuEx, TrackReturnsTheChosenCommandOrNone) {
    CMenuEx menu;
    menu.LoadMenu(kSecondPresetMenu);
    ChooseInNextPopup(1);
    EXPECT_EQ(menu.Track(QPoint(100, 100)), kCmdSecondRecall);
    ChooseInNextPopup(-1);
    EXPECT_EQ(menu.Track(QPoint(100, 100)), 0);
}

TEST(CMenuEx, ItemsMeasureByTheirTextAndIconColumn) {
    CMenuEx menu;
    QStyleOptionMenuItem separator = Option(QString(), false, true);
    separator.menuItemType = QStyleOptionMenuItem::Separator;
    EXPECT_EQ(menu.MeasureItem(separator).height(), 10);
    const QSize plain = menu.MeasureItem(Option(QStringLiteral("RECALL"), false, true));
    EXPECT_EQ(plain.height(), 19);
    EXPECT_EQ(plain.width(), QFontMetrics(SkinFontPixels(16)).horizontalAdvance(QStringLiteral("RECALL")) + 16 + 30);
    QStyleOptionMenuItem popup = Option(QStringLiteral("RECALL"), false, true);
    popup.menuItemType = QStyleOptionMenuItem::SubMenu;
    EXPECT_EQ(menu.MeasureItem(popup).width(), plain.width() + 15);
}

TEST(CMenuEx, SelectedItemIsFramedButAGrayedOneNeverHighlights) {
    CMenuEx menu;
    QImage plain = Draw(menu, Option(QStringLiteral("NAME"), false, true));
    EXPECT_EQ(plain.pixelColor(2, 2), CMenuEx::kIconColumnColour);
    EXPECT_EQ(plain.pixelColor(115, 2), CMenuEx::kBackground);

    QImage selected = Draw(menu, Option(QStringLiteral("NAME"), true, true));
    EXPECT_EQ(selected.pixelColor(0, 0), CMenuEx::kHighlightFrame);
    EXPECT_EQ(selected.pixelColor(119, 18), CMenuEx::kHighlightFrame);
    EXPECT_EQ(selected.pixelColor(2, 2), CMenuEx::kHighlightFill);
    EXPECT_EQ(selected.pixelColor(115, 2), CMenuEx::kHighlightFill);

    QImage grayed = Draw(menu, Option(QStringLiteral("NAME"), true, false));
    EXPECT_EQ(grayed.pixelColor(0, 0), CMenuEx::kIconColumnColour);
    EXPECT_EQ(grayed.pixelColor(115, 2), CMenuEx::kBackground);
    bool etched = false;
    for (int y = 0; y < grayed.height(); ++y) {
        for (int x = CMenuEx::kIconColumn; x < grayed.width(); ++x) etched |= grayed.pixelColor(x, y) == CMenuEx::kGrayedText;
    }
    EXPECT_TRUE(etched);
}

// The menu's fills are fixed and light, whatever the desktop's theme: the
// captions must read on them, the selected one too.
TEST(CMenuEx, CaptionsReadOnTheirFillsUnderAnyTheme) {
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    CMenuEx menu;
    QApplication::setPalette(saved);
    for (const bool selected : {false, true}) {
        SCOPED_TRACE(selected);
        const QImage item = Draw(menu, Option(QStringLiteral("NAME"), selected, true));
        const QColor fill = selected ? CMenuEx::kHighlightFill : CMenuEx::kBackground;
        double best = 1.0;
        for (int y = 0; y < item.height(); ++y) {
            for (int x = CMenuEx::kIconColumn + 2; x < item.width() - 2; ++x) {
                const QColor c = item.pixelColor(x, y);
                best = std::max(best, ContrastRatio({c.red(), c.green(), c.blue()}, {fill.red(), fill.green(), fill.blue()}));
            }
        }
        EXPECT_GE(best, kReadableContrast);
    }
}

TEST(CMenuEx, SeparatorIsAnEtchedLineAndChecksShowTheMark) {
    CMenuEx menu;
    QStyleOptionMenuItem separator = Option(QString(), false, true);
    separator.menuItemType = QStyleOptionMenuItem::Separator;
    separator.rect = QRect(0, 0, 120, 10);
    const QImage line = Draw(menu, separator);
    const int textColumn = CMenuEx::kIconColumn + CMenuEx::kTextGap;
    EXPECT_EQ(line.pixelColor(textColumn, 4), CMenuEx::kSeparatorDark);
    EXPECT_EQ(line.pixelColor(textColumn, 5), QColor(Qt::white));
    EXPECT_EQ(line.pixelColor(117, 4), CMenuEx::kSeparatorDark);
    EXPECT_EQ(line.pixelColor(118, 4), CMenuEx::kBackground);
    EXPECT_EQ(line.pixelColor(CMenuEx::kIconColumn - 1, 4), CMenuEx::kIconColumnColour);
    EXPECT_EQ(line.pixelColor(textColumn - 1, 4), CMenuEx::kBackground);

    QStyleOptionMenuItem checked = Option(QStringLiteral("NAME"), false, true);
    checked.checked = true;
    const QImage marked = Draw(menu, checked);
    const QImage unmarked = Draw(menu, Option(QStringLiteral("NAME"), false, true));
    EXPECT_NE(marked.copy(0, 0, CMenuEx::kIconColumn, 19), unmarked.copy(0, 0, CMenuEx::kIconColumn, 19));
}
