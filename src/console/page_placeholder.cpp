#include "console/page_placeholder.h"

#include <QPainter>

#include "skin/skin_font.h"

namespace mixer {

namespace {

void PaintPlaceholder(QWidget& widget, const QString& title) {
    QPainter p(&widget);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(widget.rect()).adjusted(2.5, 2.5, -2.5, -2.5);
    p.setPen(QPen(QColor(150, 160, 175, 200), 1.0));
    p.setBrush(QColor(12, 14, 20, 150));
    p.drawRoundedRect(box, 6, 6);
    p.setPen(QColor(225, 230, 240));
    p.setFont(SkinFontPoints(11));
    p.drawText(box.adjusted(4, 10, -4, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, title);
}

}  // namespace

template <class Base>
void PagePlaceholder<Base>::paintEvent(QPaintEvent*) {
    PaintPlaceholder(*this, title_);
}

template class PagePlaceholder<PageView>;
template class PagePlaceholder<ChannelPageView>;

}  // namespace mixer
