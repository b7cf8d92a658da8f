#include "skin/png_button.h"

#include <QPainter>

#include <algorithm>

#include "skin/skin_font.h"

namespace mixer {

PngButton::PngButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    colours_[static_cast<int>(State::Normal)] = {QColor(200, 200, 250), QColor(38, 42, 52), QColor(255, 255, 255)};
    colours_[static_cast<int>(State::Over)] = {QColor(255, 255, 0), QColor(54, 58, 72), QColor(255, 255, 0)};
    colours_[static_cast<int>(State::Down)] = {QColor(0, 255, 255), QColor(22, 24, 30), QColor(0, 255, 255)};
    colours_[static_cast<int>(State::Gray)] = {QColor(110, 110, 118), QColor(46, 46, 50), QColor(128, 128, 134)};
}

PngButton::PngButton(const QString& caption, QWidget* parent) : PngButton(parent) { setText(caption); }

void PngButton::SetColours(State state, const Colours& colours) {
    colours_[static_cast<int>(state)] = colours;
    update();
}

PngButton::Colours PngButton::GetColours(State state) const { return colours_[static_cast<int>(state)]; }

PngButton::State PngButton::CurrentState() const {
    if (!isEnabled()) return State::Gray;
    if (hovering_) return isDown() ? State::Down : State::Over;
    return State::Normal;
}

QSize PngButton::sizeHint() const { return QSize(100, 24); }

void PngButton::paintEvent(QPaintEvent*) {
    const State state = CurrentState();
    const Colours& c = colours_[static_cast<int>(state)];
    QPainter p(this);
    p.fillRect(rect(), c.face);
    p.setPen(c.frame);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // The pressed caption sinks one pixel, the way a pushed key does.
    const QRect box = state == State::Down ? rect().translated(1, 1) : rect();
    p.setPen(c.text);
    if (PaintGlyph(p, box)) return;
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(SkinFontPoints(9));
    p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text());
}

// Window-control captions are drawn as their symbols: "maxed" a window box,
// "maxed_mini" two stacked boxes (restore), "toped" a pin raised to a bar
// (keep on top), "toped_mini" the pin released.
bool PngButton::PaintGlyph(QPainter& p, const QRect& box) const {
    const QString caption = text();
    if (caption != QLatin1String("maxed") && caption != QLatin1String("maxed_mini") &&
        caption != QLatin1String("toped") && caption != QLatin1String("toped_mini")) {
        return false;
    }
    const int side = std::max(6, std::min(box.width(), box.height()) / 2);
    const QRect g(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    p.setBrush(Qt::NoBrush);
    if (caption == QLatin1String("maxed")) {
        p.drawRect(g);
        p.drawLine(g.left(), g.top() + 1, g.right(), g.top() + 1);
    } else if (caption == QLatin1String("maxed_mini")) {
        const int d = side / 3;
        p.drawRect(g.adjusted(d, 0, 0, -d));
        p.fillRect(g.adjusted(0, d, -d, 0), colours_[static_cast<int>(CurrentState())].face);
        p.drawRect(g.adjusted(0, d, -d, 0));
    } else {
        const bool raised = caption == QLatin1String("toped");
        const int cx = g.center().x();
        if (raised) p.drawLine(g.left(), g.top(), g.right(), g.top());
        const int headTop = raised ? g.top() + 2 : g.top() + side / 3;
        p.drawRect(cx - side / 4, headTop, side / 2, side / 3);
        p.drawLine(cx, headTop + side / 3, cx, g.bottom());
    }
    return true;
}

void PngButton::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PngButton::leaveEvent(QEvent* event) {
    hovering_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

}  // namespace mixer
