#include "skin/skin_label.h"

#include <QPainter>

#include "skin/skin_font.h"
#include "skin/skin_images.h"

namespace mixer {

CSkinLabel::CSkinLabel(QWidget* parent) : QWidget(parent) {
    setFont(SkinFontPoints(8));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

CSkinLabel::CSkinLabel(const QString& text, QWidget* parent) : CSkinLabel(parent) { text_ = text; }

void CSkinLabel::SetText(const QString& text) {
    textMode_ = true;
    text_ = text;
    update();
}

void CSkinLabel::SetValue(double value) {
    textMode_ = false;
    value_ = value;
    update();
}

QString CSkinLabel::DisplayText() const {
    return textMode_ ? text_ : QString::fromStdString(FormatLabelValue(format_, value_));
}

void CSkinLabel::SetDivisor(double divisor) {
    format_.divisor = divisor;
    update();
}

void CSkinLabel::SetOffset(double offset) {
    format_.offset = offset;
    update();
}

void CSkinLabel::SetPrefix(const QString& prefix) {
    format_.prefix = prefix.toStdString();
    update();
}

void CSkinLabel::SetSuffix(const QString& suffix) {
    format_.suffix = suffix.toStdString();
    update();
}

void CSkinLabel::SetOffMode(int mode) {
    format_.offMode = mode;
    update();
}

void CSkinLabel::SetOffValues(double offValue1, double offValue2) {
    format_.offValue1 = offValue1;
    format_.offValue2 = offValue2;
    update();
}

void CSkinLabel::SetFontSize(int points) { setFont(SkinFontPoints(points)); }

void CSkinLabel::SetTextColour(const QColor& colour) {
    textColour_ = colour;
    update();
}

void CSkinLabel::SetBackgroundColour(const QColor& colour) {
    background_ = colour;
    update();
}

void CSkinLabel::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void CSkinLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    update();
}

void CSkinLabel::SetSunken(bool sunken) {
    sunken_ = sunken;
    update();
}

void CSkinLabel::SetImage(int id) {
    image_ = id < 0 ? SkinPixmap() : LoadSkinPixmap(id);
    update();
}

void CSkinLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect area = rect();
    if (!transparent_) p.fillRect(area, background_);
    if (sunken_) {
        p.setPen(QColor(20, 20, 22));
        p.drawLine(area.topLeft(), area.topRight());
        p.drawLine(area.topLeft(), area.bottomLeft());
        p.setPen(QColor(150, 150, 156));
        p.drawLine(area.bottomLeft(), area.bottomRight());
        p.drawLine(area.topRight(), area.bottomRight());
        area.adjust(2, 1, -2, -1);
    }
    if (!image_.isNull()) {
        const QSize fitted = image_.size().scaled(area.size(), Qt::KeepAspectRatio);
        const QRect target(QPoint(area.left() + (area.width() - fitted.width()) / 2,
                                  area.top() + (area.height() - fitted.height()) / 2),
                           fitted);
        DrawSkinPixmap(p, target, image_);
        return;
    }
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font());
    p.setPen(textColour_);
    p.drawText(area, static_cast<int>(alignment_) | Qt::TextSingleLine, DisplayText());
}

}  // namespace mixer
