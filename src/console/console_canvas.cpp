#include "console/console_canvas.h"

#include <QPainter>
#include <QPaintEvent>

#include "skin/skin_images.h"

namespace mixer {

ConsoleCanvas::ConsoleCanvas(QWidget* parent, int backgroundId)
    : QWidget(parent), background_(LoadBackground(backgroundId)) {
    resize(kWidth, kHeight);
}

void ConsoleCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (!PaintTiled(p, rect(), background_, event->rect())) p.fillRect(event->rect(), palette().window());
}

}  // namespace mixer
