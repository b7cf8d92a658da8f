#pragma once
// The program's popup menu: built from a menu of menu_resources.h and drawn
// in the program's own look: light face, grey icon column, a framed
// highlight, "√" check marks and etched separators.
//
//   CMenuEx menu(page);
//   menu.LoadMenu(kChannelNameMenu);
//   if (menu.Track(QCursor::pos()) == kCmdChannelName) ...

#include <QColor>
#include <QMenu>
#include <vector>

class QStyleOptionMenuItem;

namespace mixer {

struct MenuEntry;

class CMenuEx : public QMenu {
    Q_OBJECT

public:
    static constexpr int kSeparatorHeight = 10;
    static constexpr int kIconWidth = 16;
    static constexpr int kIconHeight = 15;
    static constexpr int kIconColumn = kIconWidth + 5;
    static constexpr int kTextGap = 4;
    static constexpr int kFontHeight = 16;
    static const QColor kBackground;
    static const QColor kIconColumnColour;
    static const QColor kSeparatorDark;
    static const QColor kHighlightFrame;
    static const QColor kHighlightFill;
    static const QColor kGrayedText;

    explicit CMenuEx(QWidget* parent = nullptr);

    // Rebuilds this menu from menu `resourceId`: popups become submenus,
    // items keep their command, grayed and check state. False, leaving the
    // menu empty, for an unknown number.
    bool LoadMenu(int resourceId);
    // The items' texts in language 1 (English) or 2 (Chinese), submenus'
    // items too; other values change nothing.
    void SetLanguage(int language);
    // The index-th submenu built by LoadMenu, or nullptr.
    CMenuEx* SubMenu(int index) const;
    // Shows the resource's popup (the first submenu, or this menu when it has
    // none) at globalPos and waits; returns the chosen command, 0 for none.
    int Track(const QPoint& globalPos);

    static int CommandOf(const QAction* action);

    // The owner-draw callbacks: size and look of one item.
    QSize MeasureItem(const QStyleOptionMenuItem& item) const;
    void DrawItem(QPainter& painter, const QStyleOptionMenuItem& item) const;

private:
    void AddEntries(const std::vector<MenuEntry>& entries);

    void SetItemTexts(int resourceId, int language);

    int resource_ = 0;  // the menu LoadMenu built, 0 for none
    QColor highlightText_;
    QColor menuText_;
};

}  // namespace mixer
