#include "console/console_canvas.h"

#include <QPainter>
#include <QPaintEvent>

#include "skin/skin_images.h"

namespace mixer {

ConsoleCanvas::ConsoleCanvas(QWidget* parent, int backgroundId)
    : QWidget(parent), background_(LoadResourceImage(backgroundId)) {
    resize(kWidth, kHeight);
}

void ConsoleCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setClipRect(event->rect());
    if (!PaintTiled(p, rect(), background_)) p.fillRect(rect(), palette().window());
}

}  // namespace mixer
