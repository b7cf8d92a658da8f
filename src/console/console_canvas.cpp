#include "console/console_canvas.h"

#include <QPainter>
#include <QPaintEvent>

#include "skin/skin_images.h"

namespace mixer {

ConsoleCanvas::ConsoleCanvas(QWidget* parent, int backgroundId)
    : QWidget(parent), background_(LoadBackground(backgroundId)) {
    // Every pixel is painted here: nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kWidth, kHeight);
}

void ConsoleCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (!PaintTiled(p, rect(), background_, event->region())) p.fillRect(event->rect(), palette().window());
}

}  // namespace mixer
