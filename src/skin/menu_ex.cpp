#include "skin/menu_ex.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "skin/contrast.h"
#include "skin/menu_resources.h"
#include "skin/skin_font.h"

namespace mixer {

const QColor CMenuEx::kBackground = QColor(239, 243, 255);
const QColor CMenuEx::kIconColumnColour = QColor(210, 210, 210);
const QColor CMenuEx::kSeparatorDark = QColor(64, 0, 128);
const QColor CMenuEx::kHighlightFrame = QColor(49, 106, 197);
const QColor CMenuEx::kHighlightFill = QColor(193, 210, 238);
const QColor CMenuEx::kGrayedText = QColor(127, 127, 127);

namespace {

// Hands the menu's items to CMenuEx for measuring and drawing, and gives the
// panel the menu's face instead of the platform's.
class MenuExStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* menu = qobject_cast<const CMenuEx*>(widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuItem && menu && item) {
            menu->DrawItem(*painter, *item);
            return;
        }
        if (element == CE_MenuEmptyArea && menu) {
            painter->fillRect(option->rect, CMenuEx::kBackground);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if ((element == PE_PanelMenu || element == PE_FrameMenu) && qobject_cast<const CMenuEx*>(widget)) {
            if (element == PE_PanelMenu) painter->fillRect(option->rect, CMenuEx::kBackground);
            painter->setPen(QColor(128, 128, 128));
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        const auto* menu = qobject_cast<const CMenuEx*>(widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (type == CT_MenuItem && menu && item) return menu->MeasureItem(*item);
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (qobject_cast<const CMenuEx*>(widget)) {
            switch (metric) {
            case PM_MenuPanelWidth: return 1;
            case PM_MenuHMargin:
            case PM_MenuVMargin: return 1;
            default: break;
            }
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// One style for every menu of the process; it lives as long as the application.
QStyle* SharedMenuStyle() {
    static QPointer<MenuExStyle> style;
    if (!style) {
        style = new MenuExStyle;
        style->setParent(qApp);
    }
    return style;
}

QColor ReadableOn(const QColor& fill, const QColor& preferred) {
    const Rgb text = ReadableTextOn({fill.red(), fill.green(), fill.blue()},
                                    {preferred.red(), preferred.green(), preferred.blue()});
    return QColor(text.red, text.green, text.blue);
}

}  // namespace

CMenuEx::CMenuEx(QWidget* parent) : QMenu(parent) {
    const QPalette colours = QApplication::palette();
    // The desktop's text colours, unless they would not read on the menu's
    // own fixed fills (white selected text on the light highlight, or a dark
    // theme's light text on the light menu).
    highlightText_ = ReadableOn(kHighlightFill, colours.color(QPalette::HighlightedText));
    menuText_ = ReadableOn(kBackground, colours.color(QPalette::WindowText));
    setStyle(SharedMenuStyle());
    setFont(SkinFontPixels(kFontHeight));
}

bool CMenuEx::LoadMenu(int resourceId) {
    for (QMenu* old : findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) delete old;
    clear();
    resource_ = 0;
    const std::vector<MenuEntry>* entries = FindMenuResource(resourceId);
    if (!entries) return false;
    resource_ = resourceId;
    AddEntries(*entries);
    return true;
}

void CMenuEx::SetLanguage(int language) {
    if (language == 1 || language == 2) SetItemTexts(resource_, language);
}

void CMenuEx::SetItemTexts(int resourceId, int language) {
    for (QAction* action : actions()) {
        if (auto* sub = qobject_cast<CMenuEx*>(action->menu())) {
            sub->SetItemTexts(resourceId, language);
        } else if (const MenuEntry* entry = FindMenuCommand(resourceId, CommandOf(action))) {
            const std::string& text = language == 2 && !entry->chinese.empty() ? entry->chinese : entry->text;
            action->setText(QString::fromStdString(text));
        }
    }
}

void CMenuEx::AddEntries(const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        const QString text = QString::fromStdString(entry.text);
        if (entry.separator) {
            addSeparator();
        } else if (entry.IsPopup()) {
            auto* sub = new CMenuEx(this);
            sub->setTitle(text);
            sub->AddEntries(entry.items);
            addMenu(sub);
        } else {
            QAction* action = addAction(text);
            action->setData(entry.command);
            action->setEnabled(!entry.grayed);
            action->setCheckable(entry.checked);
            action->setChecked(entry.checked);
        }
    }
}

CMenuEx* CMenuEx::SubMenu(int index) const {
    int seen = 0;
    for (QAction* action : actions()) {
        auto* sub = qobject_cast<CMenuEx*>(action->menu());
        if (sub && seen++ == index) return sub;
    }
    return nullptr;
}

int CMenuEx::Track(const QPoint& globalPos) {
    CMenuEx* popup = SubMenu(0);
    return CommandOf((popup ? popup : this)->exec(globalPos));
}

int CMenuEx::CommandOf(const QAction* action) { return action ? action->data().toInt() : 0; }

QSize CMenuEx::MeasureItem(const QStyleOptionMenuItem& item) const {
    if (item.menuItemType == QStyleOptionMenuItem::Separator) return QSize(kIconColumn, kSeparatorHeight);
    // Measured with the font the item is drawn in, so that no caption is cut.
    const QFontMetrics metrics(SkinFontPixels(kFontHeight));
    int width = metrics.horizontalAdvance(item.text) + kIconWidth + 30;
    if (item.menuItemType == QStyleOptionMenuItem::SubMenu) width += 15;
    return QSize(width, kIconHeight + 4);
}

void CMenuEx::DrawItem(QPainter& p, const QStyleOptionMenuItem& item) const {
    const QRect r = item.rect;
    const bool grayed = !(item.state & QStyle::State_Enabled);
    const bool selected = (item.state & QStyle::State_Selected) && !grayed;
    p.save();
    p.fillRect(r, kBackground);
    p.fillRect(QRect(r.left(), r.top(), kIconColumn, r.height()), kIconColumnColour);
    const int textLeft = r.left() + kIconColumn + kTextGap;

    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
        const int y = r.top() + r.height() / 2;
        p.setPen(kSeparatorDark);
        p.drawLine(textLeft, y - 1, r.right() - 2, y - 1);
        p.setPen(Qt::white);
        p.drawLine(textLeft, y, r.right() - 2, y);
        p.restore();
        return;
    }

    if (selected) {
        p.setPen(kHighlightFrame);
        p.setBrush(kHighlightFill);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.setFont(SkinFontPixels(kFontHeight));
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor text = selected ? highlightText_ : menuText_;
    const QRect iconBox(r.left(), r.top(), kIconColumn, r.height());
    const QRect textBox(textLeft, r.top(), r.right() - textLeft, r.height());
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const auto etched = [&](const QRect& box, int align, const QString& s) {
        // The disabled look: a white relief under a grey caption.
        p.setPen(Qt::white);
        p.drawText(box.translated(1, 1), align, s);
        p.setPen(kGrayedText);
        p.drawText(box, align, s);
    };

    if (item.checked) {
        const QString mark = QStringLiteral("√");
        if (grayed) {
            etched(iconBox, Qt::AlignCenter, mark);
        } else {
            p.setPen(text);
            p.drawText(iconBox, Qt::AlignCenter, mark);
        }
    } else if (!item.icon.isNull()) {
        const QRect box(r.left() + 2, r.top() + (r.height() - kIconHeight) / 2, kIconWidth, kIconHeight);
        item.icon.paint(&p, box, Qt::AlignCenter, selected ? QIcon::Selected : (grayed ? QIcon::Disabled : QIcon::Normal));
    }

    if (grayed) {
        etched(textBox, flags, item.text);
    } else {
        p.setPen(text);
        p.drawText(textBox, flags, item.text);
    }

    if (item.menuItemType == QStyleOptionMenuItem::SubMenu) {
        const int cx = r.right() - 8;
        const int cy = r.center().y();
        p.setPen(Qt::NoPen);
        p.setBrush(grayed ? kGrayedText : text);
        p.drawPolygon(QPolygon({QPoint(cx - 2, cy - 4), QPoint(cx + 2, cy), QPoint(cx - 2, cy + 4)}));
    }
    p.restore();
}

}  // namespace mixer
