#include "console/page_placeholder.h"

#include <QPainter>

#include "console/app_context.h"
#include "console/gbk_text.h"
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

StripPlaceholder::StripPlaceholder(AppContext& context, bool output, int index, QWidget* parent)
    : StripView(parent), context_(context), output_(output), index_(index) {
    RefreshFromState();
}

void StripPlaceholder::SetLabels(int) {}

void StripPlaceholder::SetIndex(int index) {
    index_ = index;
    RefreshFromState();
}

void StripPlaceholder::RefreshFromState() {
    const int count = output_ ? kBusCount : kStripCount;
    if (index_ < 0 || index_ >= count) return;
    title_ = output_ ? DecodeGbkName(context_.state.buses[index_].name)
                     : DecodeGbkName(context_.state.strips[index_].name);
    update();
}

void StripPlaceholder::paintEvent(QPaintEvent*) { PaintPlaceholder(*this, title_); }

template <class Base>
void PagePlaceholder<Base>::paintEvent(QPaintEvent*) {
    PaintPlaceholder(*this, title_);
}

template class PagePlaceholder<PageView>;
template class PagePlaceholder<ChannelPageView>;
template class PagePlaceholder<SidePanelView>;

void SidePanelPlaceholder::RefreshPanel(int level) {
    level_ = level;
    if (level == 1) {
        systemDown_ = false;
        phantomDown_ = false;
    }
}

}  // namespace mixer
