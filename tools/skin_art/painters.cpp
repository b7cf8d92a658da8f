#include "painters.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skin_art {

namespace {

// A transparent picture of size logical pixels at scale device pixels each;
// painters draw on it in logical pixels.
QImage Blank(QSize size, int scale) {
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

QFont ArtFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// A small deterministic jitter per row, for the brushed look of the panels.
int Brush(int row) {
    unsigned h = static_cast<unsigned>(row) * 2654435761u;
    h ^= h >> 13;
    return static_cast<int>(h % 5) - 2;
}

QColor Shade(const QColor& c, int delta) {
    return QColor(std::clamp(c.red() + delta, 0, 255), std::clamp(c.green() + delta, 0, 255),
                  std::clamp(c.blue() + delta, 0, 255));
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    return QColor(static_cast<int>(a.red() * (1 - t) + b.red() * t), static_cast<int>(a.green() * (1 - t) + b.green() * t),
                  static_cast<int>(a.blue() * (1 - t) + b.blue() * t));
}

// The body every key shares: outline, face gradient, bevel lines.
void PaintKeyBody(QPainter& p, const QRectF& r, double radius, bool lit, const QColor& litTop, const QColor& litBottom) {
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath outer;
    outer.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.fillPath(outer, kOutline);
    const QRectF face = r.adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath body;
    body.addRoundedRect(face, radius - 1, radius - 1);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    if (lit) {
        fill.setColorAt(0, litTop);
        fill.setColorAt(1, litBottom);
    } else {
        fill.setColorAt(0, QColor(74, 80, 91));
        fill.setColorAt(0.5, QColor(52, 57, 66));
        fill.setColorAt(1, QColor(36, 40, 47));
    }
    p.fillPath(body, fill);
    p.save();
    p.setClipPath(body);
    p.setPen(QPen(QColor(255, 255, 255, lit ? 150 : 55), 1));
    p.drawLine(QPointF(face.left() + radius, face.top() + 0.5), QPointF(face.right() - radius, face.top() + 0.5));
    p.setPen(QPen(QColor(0, 0, 0, lit ? 60 : 90), 1));
    p.drawLine(QPointF(face.left() + radius, face.bottom() - 0.5), QPointF(face.right() - radius, face.bottom() - 0.5));
    if (lit) {
        // The glow of a backlit key: brightest in the middle.
        QRadialGradient glow(face.center(), std::max(face.width(), face.height()) * 0.6);
        glow.setColorAt(0, QColor(255, 255, 255, 70));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillPath(body, glow);
    }
    p.restore();
}

void PaintIcon(QPainter& p, const QRectF& box, Icon icon, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = box.center();
    const double s = std::min(box.width(), box.height());
    QPen pen(colour, std::max(1.5, s / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (icon) {
    case Icon::Gear: {
        QPainterPath gear;
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const double a0 = std::numbers::pi * 2 * i / (teeth * 2);
            const double a1 = std::numbers::pi * 2 * (i + 1) / (teeth * 2);
            const double rad = (i % 2 == 0) ? s * 0.46 : s * 0.34;
            const QPointF p0(c.x() + rad * std::cos(a0), c.y() + rad * std::sin(a0));
            const QPointF p1(c.x() + rad * std::cos(a1), c.y() + rad * std::sin(a1));
            if (i == 0) gear.moveTo(p0); else gear.lineTo(p0);
            gear.lineTo(p1);
        }
        gear.closeSubpath();
        gear.addEllipse(c, s * 0.15, s * 0.15);
        gear.setFillRule(Qt::OddEvenFill);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(gear);
        break;
    }
    case Icon::Outputs: {
        for (int k = -1; k <= 1; ++k) {
            const double y = c.y() + k * s * 0.3;
            p.drawLine(QPointF(c.x() - s * 0.4, y), QPointF(c.x() + s * 0.3, y));
            p.drawLine(QPointF(c.x() + s * 0.15, y - s * 0.12), QPointF(c.x() + s * 0.3, y));
            p.drawLine(QPointF(c.x() + s * 0.15, y + s * 0.12), QPointF(c.x() + s * 0.3, y));
        }
        break;
    }
    case Icon::Link: {
        const QRectF a(c.x() - s * 0.45, c.y() - s * 0.18, s * 0.5, s * 0.36);
        const QRectF b(c.x() - s * 0.05, c.y() - s * 0.18, s * 0.5, s * 0.36);
        p.drawRoundedRect(a, s * 0.17, s * 0.17);
        p.drawRoundedRect(b, s * 0.17, s * 0.17);
        break;
    }
    case Icon::Phantom: {
        p.setFont(ArtFont(static_cast<int>(s * 0.42), true));
        p.drawText(box.adjusted(-s * 0.3, 0, s * 0.3, 0), Qt::AlignCenter, QStringLiteral("+48V"));
        break;
    }
    case Icon::ClearMute: {
        QPainterPath speaker;
        speaker.moveTo(c.x() - s * 0.42, c.y() - s * 0.12);
        speaker.lineTo(c.x() - s * 0.25, c.y() - s * 0.12);
        speaker.lineTo(c.x() - s * 0.02, c.y() - s * 0.34);
        speaker.lineTo(c.x() - s * 0.02, c.y() + s * 0.34);
        speaker.lineTo(c.x() - s * 0.25, c.y() + s * 0.12);
        speaker.lineTo(c.x() - s * 0.42, c.y() + s * 0.12);
        speaker.closeSubpath();
        p.setBrush(colour);
        p.drawPath(speaker);
        p.drawLine(QPointF(c.x() + s * 0.12, c.y() - s * 0.15), QPointF(c.x() + s * 0.42, c.y() + s * 0.15));
        p.drawLine(QPointF(c.x() + s * 0.12, c.y() + s * 0.15), QPointF(c.x() + s * 0.42, c.y() - s * 0.15));
        break;
    }
    case Icon::ClearSolo: {
        const QRectF arc(c.x() - s * 0.36, c.y() - s * 0.4, s * 0.72, s * 0.7);
        p.drawArc(arc, 0, 180 * 16);
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(c.x() - s * 0.42, c.y() - s * 0.02, s * 0.16, s * 0.32), 2, 2);
        p.drawRoundedRect(QRectF(c.x() + s * 0.26, c.y() - s * 0.02, s * 0.16, s * 0.32), 2, 2);
        p.drawLine(QPointF(c.x() - s * 0.12, c.y() + s * 0.02), QPointF(c.x() + s * 0.12, c.y() + s * 0.26));
        p.drawLine(QPointF(c.x() - s * 0.12, c.y() + s * 0.26), QPointF(c.x() + s * 0.12, c.y() + s * 0.02));
        break;
    }
    case Icon::Home: {
        QPainterPath house;
        house.moveTo(c.x() - s * 0.42, c.y() - s * 0.02);
        house.lineTo(c.x(), c.y() - s * 0.4);
        house.lineTo(c.x() + s * 0.42, c.y() - s * 0.02);
        p.drawPath(house);
        p.drawRect(QRectF(c.x() - s * 0.28, c.y() - s * 0.05, s * 0.56, s * 0.42));
        p.setBrush(colour);
        p.drawRect(QRectF(c.x() - s * 0.08, c.y() + s * 0.12, s * 0.16, s * 0.25));
        break;
    }
    }
    p.restore();
}

}  // namespace

QImage Key(QSize size, int scale, bool lit, const QColor& litTop, const QColor& litBottom) {
    QImage image = Blank(size, scale);
    QPainter p(&image);
    PaintKeyBody(p, QRectF(QPointF(0, 0), QSizeF(size)), 4, lit, litTop, litBottom);
    return image;
}

QImage IconKey(QSize size, int scale, bool lit, Icon icon) {
    QImage image = Key(size, scale, lit);
    QPainter p(&image);
    const double side = std::min(size.width(), size.height()) * 0.6;
    const QRectF box((size.width() - side) / 2, (size.height() - side) / 2, side, side);
    PaintIcon(p, box, icon, lit ? kGlyphLit : kGlyph);
    return image;
}

QImage PageKey(QSize size, int scale, bool lit) {
    QImage image = Blank(size, scale);
    QPainter p(&image);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    PaintKeyBody(p, r, 5, false, kLitTop, kLitBottom);
    // The little screen on which the button draws the page's faders.
    const QRectF screen = r.adjusted(5, 5, -5, -5);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? QColor(22, 30, 40) : QColor(11, 13, 17));
    p.drawRoundedRect(screen, 3, 3);
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    for (double y = screen.top() + 6; y < screen.bottom() - 2; y += 6) p.drawLine(QPointF(screen.left() + 2, y), QPointF(screen.right() - 2, y));
    if (lit) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kLitBottom, 2));
        p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 4, 4);
        p.setPen(QPen(QColor(255, 200, 90, 90), 1));
        p.drawRoundedRect(screen.adjusted(-1, -1, 1, 1), 3, 3);
    }
    return image;
}

QImage NameKey(QSize size, int scale, bool lit) {
    QImage image = Blank(size, scale);
    QPainter p(&image);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    if (lit) {
        PaintKeyBody(p, r, 5, true, QColor(226, 246, 255), QColor(150, 210, 240));
    } else {
        PaintKeyBody(p, r, 5, false, kLitTop, kLitBottom);
        // A dim scribble strip on which the channel name is written.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(24, 34, 46));
        p.drawRoundedRect(r.adjusted(5, 8, -5, -8), 3, 3);
    }
    return image;
}

QImage ConnectKey(QSize size, int scale, bool online) {
    QImage image = Blank(size, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    const double d = std::min(r.width(), r.height()) - 2;
    const QRectF disc(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawEllipse(disc);
    QRadialGradient body(disc.center() - QPointF(0, d * 0.2), d * 0.7);
    body.setColorAt(0, QColor(78, 84, 96));
    body.setColorAt(1, QColor(30, 33, 39));
    p.setBrush(body);
    p.drawEllipse(disc.adjusted(2, 2, -2, -2));
    const QColor ring = online ? QColor(70, 230, 120) : QColor(170, 52, 52);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ring, d * 0.07));
    p.drawEllipse(disc.adjusted(d * 0.09, d * 0.09, -d * 0.09, -d * 0.09));
    if (online) {
        p.setPen(QPen(QColor(70, 230, 120, 70), d * 0.14));
        p.drawEllipse(disc.adjusted(d * 0.09, d * 0.09, -d * 0.09, -d * 0.09));
    }
    // Three linked nodes: the network the mixer is reached through.
    const QColor glyph = online ? QColor(200, 255, 215) : QColor(150, 156, 166);
    const QPointF c = disc.center();
    const double s = d * 0.22;
    const QPointF top(c.x(), c.y() - s), left(c.x() - s, c.y() + s * 0.7), right(c.x() + s, c.y() + s * 0.7);
    p.setPen(QPen(glyph, d * 0.05, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(top, left);
    p.drawLine(top, right);
    p.drawLine(left, right);
    p.setPen(Qt::NoPen);
    p.setBrush(glyph);
    for (const QPointF& node : {top, left, right}) p.drawEllipse(node, d * 0.07, d * 0.07);
    return image;
}

QImage Logo(QSize size, int scale) {
    // Laid out for the 150 x 30 box the navigation bar shows it in and drawn
    // at `k` times that, so it is shown at its own size or halved, never
    // blurred by an odd factor.
    QImage image = Blank(size, scale);
    QPainter p(&image);
    const double k = size.height() / 30.0;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Three fader caps as the mark.
    for (int cap = 0; cap < 3; ++cap) {
        const double x = 3 + cap * 8;
        p.fillRect(QRectF((x + 2.25) * k, 3 * k, 1.5 * k, 24 * k), QColor(70, 76, 88));
        const double y = 6 + (cap == 1 ? 10 : cap * 4);
        p.setPen(Qt::NoPen);
        p.setBrush(cap == 1 ? kCyanBottom : QColor(200, 206, 216));
        p.drawRoundedRect(QRectF(x * k, y * k, 6 * k, 8 * k), 1.5 * k, 1.5 * k);
    }
    // The word mark on the first line, as large as fits beside the mark;
    // "MIXER" under it in capitals some 8 pixels high, where they read.
    const QString word = QStringLiteral("Vantor");
    const QString second = QStringLiteral("DIGITAL");
    const double left = 30 * k;
    const double room = 148 * k - left;
    int pixels = static_cast<int>(15 * k);
    const auto width = [](const QString& text, int px, bool bold) {
        return QFontMetricsF(ArtFont(px, bold)).horizontalAdvance(text);
    };
    while (pixels > 8 * k && width(word, pixels, true) + width(second, pixels, false) + k > room) --pixels;
    p.setFont(ArtFont(pixels, true));
    p.setPen(QColor(236, 240, 246));
    p.drawText(QPointF(left, 14 * k), word);
    p.setFont(ArtFont(pixels, false));
    p.setPen(kCyanBottom);
    p.drawText(QPointF(left + width(word, pixels, true) + k, 14 * k), second);
    QFont small = ArtFont(static_cast<int>(11 * k), true);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 4.5 * k);
    p.setFont(small);
    p.setPen(QColor(170, 178, 192));
    p.drawText(QPointF(left + k, 28 * k), QStringLiteral("MIXER"));
    return image;
}

QImage AppIcon(QSize size, int scale) {
    QImage image = Blank(size, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    QLinearGradient bg(r.topLeft(), r.bottomLeft());
    bg.setColorAt(0, QColor(58, 63, 73));
    bg.setColorAt(1, QColor(22, 24, 29));
    p.setPen(QPen(kOutline, 2));
    p.setBrush(bg);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), size.width() * 0.18, size.width() * 0.18);
    const double w = r.width();
    const double lane[3] = {0.28, 0.5, 0.72};
    const double cap[3] = {0.55, 0.32, 0.62};
    for (int k = 0; k < 3; ++k) {
        const double x = w * lane[k];
        p.fillRect(QRectF(x - w * 0.02, w * 0.18, w * 0.04, w * 0.64), QColor(10, 11, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(k == 1 ? kCyanBottom : QColor(214, 220, 230));
        p.drawRoundedRect(QRectF(x - w * 0.08, w * cap[k] - w * 0.06, w * 0.16, w * 0.12), w * 0.03, w * 0.03);
    }
    return image;
}

QImage ConsoleBackground(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    for (int y = 0; y < size.height(); ++y) {
        const double t = std::min(1.0, y / 1200.0);
        p.fillRect(0, y, size.width(), 1, Shade(Mix(QColor(40, 44, 51), QColor(21, 23, 27), t), Brush(y)));
    }
    // The rule under the navigation bar, where the strips begin.
    p.fillRect(0, 97, size.width(), 1, QColor(10, 11, 13));
    p.fillRect(0, 98, size.width(), 1, QColor(70, 76, 88));
    return image;
}

QImage StripBackground(QSize size, const QColor& tint, bool badge) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    for (int y = 0; y < size.height(); ++y) {
        const double t = std::min(1.0, y / 900.0);
        const QColor base = Mix(QColor(50, 54, 62), QColor(30, 33, 39), t);
        p.fillRect(0, y, size.width(), 1, Shade(Mix(base, tint, 0.12), Brush(y)));
    }
    // Each strip starts with a groove, so neighbouring strips read apart.
    p.fillRect(0, 0, 1, size.height(), QColor(12, 13, 16));
    p.fillRect(1, 0, 1, size.height(), QColor(78, 84, 96));
    if (badge) {
        p.fillRect(2, 0, size.width() - 2, 4, tint);
        p.fillRect(2, 4, size.width() - 2, 1, Shade(tint, -70));
    }
    return image;
}

QImage PageBackground(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    for (int y = 0; y < size.height(); ++y) p.fillRect(0, y, size.width(), 1, Shade(QColor(33, 36, 42), Brush(y)));
    p.setPen(QColor(40, 44, 51));
    for (int x = 0; x < size.width(); x += 40) p.drawLine(x, 0, x, size.height() - 1);
    for (int y = 0; y < size.height(); y += 40) p.drawLine(0, y, size.width() - 1, y);
    return image;
}

QImage FaderTrack(QSize size, int scale, int thumbHeight) {
    QImage image = Blank(size, scale);
    QPainter p(&image);
    const int half = thumbHeight / 2;
    const int travel = size.height() - thumbHeight;
    const int groove = 13;  // the cap is 26 wide and stands at the left edge
    p.fillRect(groove - 2, half - 2, 4, travel + 4, kOutline);
    p.fillRect(groove - 1, half - 1, 2, travel + 2, QColor(4, 4, 6));
    p.fillRect(groove + 2, half - 2, 1, travel + 4, QColor(80, 86, 98));
    return image;
}

QImage FaderCap(QSize size, int scale, const QColor& line, bool lit) {
    QImage image = Blank(size, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    QLinearGradient body(r.topLeft(), r.bottomLeft());
    body.setColorAt(0, lit ? QColor(140, 146, 156) : QColor(112, 118, 128));
    body.setColorAt(0.45, lit ? QColor(70, 76, 86) : QColor(54, 58, 66));
    body.setColorAt(0.55, lit ? QColor(70, 76, 86) : QColor(54, 58, 66));
    body.setColorAt(1, lit ? QColor(150, 156, 166) : QColor(120, 126, 136));
    p.setBrush(body);
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int y = 6; y < size.height() - 5; y += 4) {
        if (std::abs(y - size.height() / 2) < 4) continue;
        p.fillRect(3, y, size.width() - 6, 1, QColor(0, 0, 0, 70));
        p.fillRect(3, y + 1, size.width() - 6, 1, QColor(255, 255, 255, 40));
    }
    p.fillRect(2, size.height() / 2 - 1, size.width() - 4, 2, line);
    return image;
}

QImage VerticalTrack(QSize size, int scale, int groove, int thumbHeight, bool lit) {
    QImage image = Blank(size, scale);
    QPainter p(&image);
    const int half = thumbHeight / 2;
    const int travel = size.height() - thumbHeight;
    p.fillRect(groove - 2, half - 2, 4, travel + 4, kOutline);
    p.fillRect(groove - 1, half - 1, 2, travel + 2, lit ? kLitBottom : QColor(4, 4, 6));
    p.fillRect(groove + 2, half - 2, 1, travel + 4, QColor(80, 86, 98));
    p.setPen(QColor(120, 128, 140));
    for (int k = 0; k <= 10; ++k) {
        const int y = half + k * travel / 10;
        const int length = k % 5 == 0 ? 7 : 4;
        p.drawLine(groove + 6, y, groove + 6 + length, y);
    }
    return image;
}

QImage HorizontalTrack(QSize size, int scale, int groove, int thumbWidth, bool lit, bool centreMark) {
    QImage image = Blank(size, scale);
    QPainter p(&image);
    const int half = thumbWidth / 2;
    const int travel = size.width() - thumbWidth;
    p.fillRect(half - 2, groove - 2, travel + 4, 4, kOutline);
    p.fillRect(half - 1, groove - 1, travel + 2, 2, lit ? kLitBottom : QColor(4, 4, 6));
    p.fillRect(half - 2, groove + 2, travel + 4, 1, QColor(80, 86, 98));
    const int tickTop = groove + 4;
    if (tickTop + 2 < size.height()) {
        p.setPen(QColor(120, 128, 140));
        for (int k = 0; k <= 4; ++k) {
            const int x = half + k * travel / 4;
            const bool major = k == 0 || k == 4 || (centreMark && k == 2);
            p.drawLine(x, tickTop, x, std::min(size.height() - 1, tickTop + (major ? 4 : 2)));
        }
        if (centreMark) p.fillRect(half + travel / 2, tickTop, 1, std::min(5, size.height() - tickTop), kCyanTop);
    }
    return image;
}

QImage KnobThumb(QSize size, int scale) {
    QImage image = Blank(size, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
    p.setPen(QPen(kOutline, 1.5));
    QRadialGradient body(r.center() - QPointF(r.width() * 0.2, r.height() * 0.25), r.width() * 0.8);
    body.setColorAt(0, QColor(170, 176, 186));
    body.setColorAt(1, QColor(56, 60, 68));
    p.setBrush(body);
    p.drawEllipse(r);
    p.setPen(QPen(kCyanBottom, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.center().x(), r.top() + 2.5), QPointF(r.center().x(), r.center().y()));
    return image;
}

QImage SliderCap(QSize size, int scale, bool vertical) {
    QImage image = FaderCap(size, scale, kCyanBottom, false);
    if (!vertical) return image;
    QPainter p(&image);
    p.fillRect(size.width() / 2, 3, 1, size.height() - 6, QColor(255, 255, 255, 60));
    return image;
}

QImage Frame(QSize size, int scale, FramePart part) {
    if (part == FramePart::Title) {
        QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        QPainter p(&image);
        QLinearGradient band(0, 0, 0, size.height());
        band.setColorAt(0, QColor(64, 70, 80));
        band.setColorAt(1, QColor(36, 40, 47));
        p.fillRect(QRect(QPoint(0, 0), size), band);
        p.fillRect(0, size.height() - 1, size.width(), 1, kOutline);
        return image;
    }
    // Every piece is cut from one framed panel, so the corners meet the edges.
    const QImage whole = [scale] {
        QImage panel = Blank(QSize(32, 32), scale);
        QPainter p(&panel);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kOutline, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);
        QLinearGradient bevel(0, 0, 32, 32);
        bevel.setColorAt(0, kEdgeLight);
        bevel.setColorAt(1, QColor(34, 37, 43));
        p.setPen(QPen(QBrush(bevel), 1));
        p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 4, 4);
        return panel;
    }();
    const int w = size.width();
    const int h = size.height();
    // Cuts are given in logical pixels of the panel; an edge is one pixel
    // line of it drawn out to the piece's length.
    const auto cut = [&](int x, int y, int cw, int ch) {
        QImage piece = whole.copy(x * scale, y * scale, cw * scale, ch * scale);
        if (cw != w || ch != h) piece = piece.scaled(w * scale, h * scale);
        piece.setDevicePixelRatio(scale);
        return piece;
    };
    switch (part) {
    case FramePart::TopLeft: return cut(0, 0, w, h);
    case FramePart::TopRight: return cut(32 - w, 0, w, h);
    case FramePart::BottomLeft: return cut(0, 32 - h, w, h);
    case FramePart::BottomRight: return cut(32 - w, 32 - h, w, h);
    case FramePart::Top: return cut(8, 0, 1, h);
    case FramePart::Bottom: return cut(8, 32 - h, 1, h);
    case FramePart::Left: return cut(0, 8, w, 1);
    case FramePart::Right: return cut(32 - w, 8, w, 1);
    case FramePart::Title: break;
    }
    return whole;
}

QImage TitleGlyph(QSize size, int scale, TitleButton button) {
    QImage image = Key(size, scale, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF g = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(4.5, 4.5, -4.5, -4.5);
    p.setPen(QPen(kGlyph, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    switch (button) {
    case TitleButton::Exit:
        p.drawLine(g.topLeft(), g.bottomRight());
        p.drawLine(g.topRight(), g.bottomLeft());
        break;
    case TitleButton::Maxed: p.drawRect(g); break;
    case TitleButton::Tray: p.drawLine(QPointF(g.left(), g.bottom()), g.bottomRight()); break;
    case TitleButton::Toped:
        p.drawLine(g.topLeft(), g.topRight());
        p.drawLine(QPointF(g.center().x(), g.top() + 2), QPointF(g.center().x(), g.bottom()));
        break;
    case TitleButton::Color:
        p.setBrush(kLitBottom);
        p.drawEllipse(g);
        break;
    case TitleButton::Plus:
        p.drawLine(QPointF(g.center().x(), g.top()), QPointF(g.center().x(), g.bottom()));
        p.drawLine(QPointF(g.left(), g.center().y()), QPointF(g.right(), g.center().y()));
        break;
    case TitleButton::Menu:
        for (int k = 0; k < 3; ++k) {
            const double y = g.top() + 1 + k * (g.height() - 2) / 2;
            p.drawLine(QPointF(g.left(), y), QPointF(g.right(), y));
        }
        break;
    }
    return image;
}

}  // namespace skin_art
