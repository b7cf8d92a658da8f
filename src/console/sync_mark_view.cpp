#include "console/sync_mark_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace mixer {

SyncMarkView::SyncMarkView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TranslucentBackground); }

void SyncMarkView::SetMark(SyncMark mark) {
    if (mark == mark_) return;
    mark_ = mark;
    update();
}

bool SyncMarkView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && tooltip_ && mark_ != SyncMark::None) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tooltip_(), this);
        return true;
    }
    return QWidget::event(event);
}

void SyncMarkView::paintEvent(QPaintEvent*) {
    if (mark_ == SyncMark::None) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(mark_ == SyncMark::InStep ? QColor(60, 200, 90) : QColor(240, 170, 40));
    const qreal side = std::min(width(), height()) - 2;
    painter.drawEllipse(QRectF((width() - side) / 2, (height() - side) / 2, side, side));
}

}  // namespace mixer
