#pragma once
// Helpers for looking at what a skin control drew and for feeding it mouse
// and hover events directly, without a window manager.

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

namespace skin_test {

// A colour no skin picture uses, so that untouched pixels are recognised.
inline const QColor kUnder(255, 0, 255);

// The control's own drawing over kUnder, without any palette background.
inline QImage Snapshot(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(kUnder);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

inline bool Near(const QColor& a, const QColor& b, int tolerance = 2) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Number of pixel columns of area holding at least one pixel near colour.
inline int ColumnsWith(const QImage& image, const QColor& colour, const QRect& area) {
    int count = 0;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (Near(image.pixelColor(x, y), colour)) {
                ++count;
                break;
            }
        }
    }
    return count;
}

// True when some pixel of area satisfies test.
template <typename Test>
bool AnyPixel(const QImage& image, const QRect& area, Test test) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixelColor(x, y))) return true;
        }
    }
    return false;
}

inline void Hover(QWidget& widget, bool inside) {
    if (inside) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(&widget, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&widget, &leave);
    }
}

inline void Mouse(QWidget& widget, QEvent::Type type, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

}  // namespace skin_test
