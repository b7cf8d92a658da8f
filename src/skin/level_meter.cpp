#include "skin/level_meter.h"

#include <QPainter>

#include <algorithm>

#include "skin/skin_font.h"

namespace mixer {

CLevelMeter::CLevelMeter(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QColor CLevelMeter::LitColour(MeterZone zone) {
    switch (zone) {
    case MeterZone::Low: return QColor(219, 254, 36);
    case MeterZone::Middle: return QColor(255, 176, 35);
    case MeterZone::High: break;
    }
    return QColor(255, 35, 35);
}

QColor CLevelMeter::UnlitColour(MeterZone zone) {
    switch (zone) {
    case MeterZone::Low: return QColor(61, 73, 1);
    case MeterZone::Middle: return QColor(72, 48, 0);
    case MeterZone::High: break;
    }
    return QColor(72, 0, 1);
}

void CLevelMeter::SetColumnCount(int count) {
    count = std::clamp(count, 1, kMaxColumns);
    if (count == columns_) return;
    columns_ = count;
    Invalidate();
}

void CLevelMeter::SetValue(int column, double value) {
    if (!Valid(column)) return;
    Column& c = column_[column];
    const int before = LitHeight(column);
    c.value = ClampMeterValue(value, c.minimum, c.maximum);
    // Meter reports arrive many times a second; most do not move a stripe.
    if (LitHeight(column) != before) Invalidate();
}

double CLevelMeter::Value(int column) const { return Valid(column) ? column_[column].value : 0.0; }

void CLevelMeter::SetRange(int column, double minimum, double maximum) {
    if (!Valid(column)) return;
    Column& c = column_[column];
    c.minimum = minimum;
    c.maximum = maximum;
    c.value = ClampMeterValue(c.value, minimum, maximum);
    Invalidate();
}

void CLevelMeter::SetCaption(int column, const QString& caption) {
    if (!Valid(column) || column_[column].caption == caption) return;
    column_[column].caption = caption;
    Invalidate();
}

void CLevelMeter::SetStyle(int column, int style) {
    if (!Valid(column)) return;
    column_[column].style = style;
    Invalidate();
}

void CLevelMeter::SetMargins(int top, int bottom) {
    topMargin_ = std::max(0, top);
    bottomMargin_ = std::max(0, bottom);
    Invalidate();
}

void CLevelMeter::SetZoneLimits(double lower, double upper) {
    lowerLimit_ = lower;
    upperLimit_ = upper;
    Invalidate();
}

void CLevelMeter::SetBackgroundColour(const QColor& colour) {
    background_ = colour;
    Invalidate();
}

int CLevelMeter::ColumnHeight() const { return std::max(0, ColumnBottom() - ColumnTop()); }

int CLevelMeter::LitHeight(int column) const {
    if (!Valid(column)) return 0;
    const Column& c = column_[column];
    return MeterLitHeight(c.value, c.minimum, c.maximum, ColumnHeight());
}

MeterSpan CLevelMeter::ColumnSpan(int column) const { return MeterColumnSpan(0, width(), column, columns_); }

void CLevelMeter::Invalidate() {
    stale_ = true;
    update();
}

void CLevelMeter::resizeEvent(QResizeEvent*) { stale_ = true; }

void CLevelMeter::paintEvent(QPaintEvent*) {
    if (stale_ || picture_.size() != size() * devicePixelRatioF()) Render();
    QPainter(this).drawPixmap(0, 0, picture_);
}

void CLevelMeter::Render() {
    const qreal ratio = devicePixelRatioF();
    picture_ = QPixmap(size() * ratio);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(Qt::transparent);
    stale_ = false;
    QPainter p(&picture_);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (int i = 0; i < columns_; ++i) {
        const MeterSpan span = ColumnSpan(i);
        if (span.right < span.left) continue;
        const int lit = LitHeight(i);
        if (column_[i].style == kSegmented) {
            PaintSegmented(p, span, lit);
        } else if (column_[i].style == kSolid) {
            PaintSolid(p, span, lit);
        }
        const QRect peakBand(span.left, 0, span.right - span.left + 1, std::max(10, ColumnTop()));
        p.setFont(SkinFontPixels(10));
        p.setPen(lit >= ColumnHeight() && lit > 0 ? LitColour(MeterZone::High) : QColor(120, 36, 36));
        p.drawText(peakBand, Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("Peak"));
        if (!column_[i].caption.isEmpty()) {
            const QRect band(span.left, height() - kCaptionBand, span.right - span.left + 1, kCaptionBand);
            p.setFont(SkinFontPixels(16));
            p.setPen(Qt::white);
            p.drawText(band, Qt::AlignCenter | Qt::TextSingleLine, column_[i].caption);
        }
    }
}

void CLevelMeter::PaintSegmented(QPainter& p, const MeterSpan& span, int lit) const {
    const int height = ColumnHeight();
    const int bottom = ColumnBottom();
    const int width = span.right - span.left + 1;
    for (int y = 0; y < height; y += kMeterStripe) {
        const MeterZone zone = MeterZoneAt(static_cast<double>(y) / height, lowerLimit_, upperLimit_);
        const int rows = std::min(kMeterStripe, height - y);
        p.fillRect(span.left, bottom - y - rows, width, rows, y < lit ? LitColour(zone) : UnlitColour(zone));
    }
}

void CLevelMeter::PaintSolid(QPainter& p, const MeterSpan& span, int lit) const {
    const int height = ColumnHeight();
    const int bottom = ColumnBottom();
    const int width = span.right - span.left + 1;
    p.fillRect(span.left, ColumnTop(), width, height, background_);
    if (lit <= 0) return;
    const MeterZone reached = MeterZoneAt(static_cast<double>(lit - 1) / height, lowerLimit_, upperLimit_);
    p.fillRect(span.left, bottom - lit, width, lit, LitColour(reached));
}

}  // namespace mixer
