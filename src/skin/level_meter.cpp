#include "skin/level_meter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "skin/skin_font.h"

namespace mixer {

namespace {

// What of a column is lit: the bar's lowest `rows`, a solid bar in the colour
// of `solidZone`, and the "Peak" mark.
struct Lighting {
    int rows;
    MeterZone solidZone;
    bool peak;
};

const QColor kPeakUnlitBackdrop(40, 12, 12);
const QColor kPeakUnlitText(210, 130, 130);
const QColor kCaptionBackdrop(14, 16, 22);

// The "Peak" mark's font: 10 pixels high, or smaller until the mark fits a
// narrow column with a pixel to spare on each side.
QFont PeakFont(int columnWidth, const QString& mark) {
    constexpr int kLargest = 10;
    constexpr int kSmallest = 6;
    for (int pixels = kLargest; pixels > kSmallest; --pixels) {
        QFont font = SkinFontPixels(pixels);
        if (QFontMetrics(font).boundingRect(mark).width() <= columnWidth - 4) return font;
    }
    return SkinFontPixels(kSmallest);
}

MeterZone ReachedZone(const MeterColumnLook& look, int lit) {
    const int height = look.bottom - look.top;
    return MeterZoneAt(static_cast<double>(lit - 1) / height, look.lowerLimit, look.upperLimit);
}

void PaintSegmented(QPainter& p, const MeterColumnLook& look, int lit) {
    const int height = look.bottom - look.top;
    const int width = look.span.right - look.span.left + 1;
    for (int y = 0; y < height; y += kMeterStripe) {
        const MeterZone zone = MeterZoneAt(static_cast<double>(y) / height, look.lowerLimit, look.upperLimit);
        const int rows = std::min(kMeterStripe, height - y);
        p.fillRect(look.span.left, look.bottom - y - rows, width, rows,
                   y < lit ? CLevelMeter::LitColour(zone) : CLevelMeter::UnlitColour(zone));
    }
}

void PaintSolid(QPainter& p, const MeterColumnLook& look, int lit, MeterZone zone) {
    const int width = look.span.right - look.span.left + 1;
    p.fillRect(look.span.left, look.top, width, look.bottom - look.top, look.background);
    if (lit > 0) p.fillRect(look.span.left, look.bottom - lit, width, lit, CLevelMeter::LitColour(zone));
}

void PaintColumn(QPainter& p, const MeterColumnLook& look, const Lighting& light) {
    if (look.span.right < look.span.left) return;
    const int width = look.span.right - look.span.left + 1;
    if (look.style == CLevelMeter::kSegmented) {
        PaintSegmented(p, look, light.rows);
    } else if (look.style == CLevelMeter::kSolid) {
        PaintSolid(p, look, light.rows, light.solidZone);
    }
    p.setRenderHint(QPainter::TextAntialiasing);
    // "Peak" and the captions carry their own backdrop: the strips' and pages'
    // pictures behind a meter are dark in places and bright in others, and a
    // lit bar is bright, so no one text colour would read on all of them.
    const QRect peak(look.span.left, 0, width, std::max(10, look.top));
    p.fillRect(peak, light.peak ? CLevelMeter::LitColour(MeterZone::High) : kPeakUnlitBackdrop);
    p.setFont(PeakFont(width, look.peak));
    p.setPen(light.peak ? Qt::black : kPeakUnlitText);
    p.drawText(peak, Qt::AlignCenter | Qt::TextSingleLine, look.peak);
    if (!look.caption.isEmpty()) {
        const int band = CLevelMeter::kCaptionBand;
        const QRect caption(look.span.left, look.meterHeight - band, width, band);
        p.fillRect(caption, kCaptionBackdrop);
        p.setFont(SkinFontPixels(16));
        p.setPen(Qt::white);
        p.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, look.caption);
    }
}

// Copies the device pixels of `area` between pictures of the same size, four
// bytes a pixel.
void CopyPixels(QImage& to, const QImage& from, const QRect& area) {
    const QRect clipped = area & to.rect();
    if (clipped.isEmpty()) return;
    const qsizetype bytes = static_cast<qsizetype>(clipped.width()) * 4;
    // One detach for the whole copy, not one per row.
    uchar* target = to.bits() + clipped.top() * to.bytesPerLine() + clipped.left() * 4;
    const uchar* source = from.constBits() + clipped.top() * from.bytesPerLine() + clipped.left() * 4;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        std::memcpy(target, source, bytes);
        target += to.bytesPerLine();
        source += from.bytesPerLine();
    }
}

}  // namespace

void PaintMeterColumn(QPainter& painter, const MeterColumnLook& look, int lit) {
    const int height = look.bottom - look.top;
    const bool full = lit >= height && lit > 0;
    PaintColumn(painter, look, {lit, lit > 0 ? ReachedZone(look, lit) : MeterZone::Low, full});
}

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
    DropPictures();
}

void CLevelMeter::SetValue(int column, double value) {
    if (!Valid(column)) return;
    Column& c = column_[column];
    const int before = LitHeight(column);
    c.value = ClampMeterValue(value, c.minimum, c.maximum);
    // Meter reports arrive many times a second; most do not move a stripe.
    const int after = LitHeight(column);
    if (after != before) RepaintRows(column, before, after);
}

double CLevelMeter::Value(int column) const { return Valid(column) ? column_[column].value : 0.0; }

void CLevelMeter::SetRange(int column, double minimum, double maximum) {
    if (!Valid(column)) return;
    Column& c = column_[column];
    c.minimum = minimum;
    c.maximum = maximum;
    c.value = ClampMeterValue(c.value, minimum, maximum);
    update();
}

void CLevelMeter::SetCaption(int column, const QString& caption) {
    if (!Valid(column) || column_[column].caption == caption) return;
    column_[column].caption = caption;
    DropPictures();
}

void CLevelMeter::SetLanguage(int language) {
    if (language != 1 && language != 2) return;
    const QString caption = language == 1 ? QStringLiteral("Peak") : QStringLiteral("峰值");
    if (caption == peakCaption_) return;
    peakCaption_ = caption;
    DropPictures();
}

void CLevelMeter::SetStyle(int column, int style) {
    if (!Valid(column)) return;
    column_[column].style = style;
    DropPictures();
}

void CLevelMeter::SetMargins(int top, int bottom) {
    topMargin_ = std::max(0, top);
    bottomMargin_ = std::max(0, bottom);
    DropPictures();
}

void CLevelMeter::SetZoneLimits(double lower, double upper) {
    lowerLimit_ = lower;
    upperLimit_ = upper;
    DropPictures();
}

void CLevelMeter::SetBackgroundColour(const QColor& colour) {
    background_ = colour;
    DropPictures();
}

bool CLevelMeter::HasCaptions() const {
    return std::any_of(column_.begin(), column_.begin() + columns_, [](const Column& c) { return !c.caption.isEmpty(); });
}

int CLevelMeter::ColumnBottom() const {
    // Captions stand under the bars, never over them.
    return height() - std::max(bottomMargin_, HasCaptions() ? kCaptionBand : 0);
}

int CLevelMeter::ColumnHeight() const { return std::max(0, ColumnBottom() - ColumnTop()); }

int CLevelMeter::LitHeight(int column) const {
    if (!Valid(column)) return 0;
    const Column& c = column_[column];
    return MeterLitHeight(c.value, c.minimum, c.maximum, ColumnHeight());
}

MeterSpan CLevelMeter::ColumnSpan(int column) const { return MeterColumnSpan(0, width(), column, columns_); }

MeterColumnLook CLevelMeter::Look(int column) const {
    MeterColumnLook look;
    look.span = ColumnSpan(column);
    look.top = ColumnTop();
    look.bottom = ColumnTop() + ColumnHeight();
    look.meterHeight = height();
    look.style = column_[column].style;
    look.lowerLimit = lowerLimit_;
    look.upperLimit = upperLimit_;
    look.background = background_;
    look.caption = column_[column].caption;
    look.peak = peakCaption_;
    return look;
}

CLevelMeter::Picture CLevelMeter::LitPicture(int column, int lit) const {
    if (column_[column].style != kSolid) return kLitHigh;
    switch (ReachedZone(Look(column), lit)) {
    case MeterZone::Low: return kLitLow;
    case MeterZone::Middle: return kLitMiddle;
    case MeterZone::High: break;
    }
    return kLitHigh;
}

const QImage& CLevelMeter::CachedPicture(Picture kind) {
    QImage& picture = pictures_[kind];
    if (!picture.isNull()) return picture;
    picture = QImage(size() * pictureRatio_, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(pictureRatio_);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    const int height = ColumnHeight();
    for (int i = 0; i < columns_; ++i) {
        const MeterColumnLook look = Look(i);
        switch (kind) {
        case kUnlit: PaintMeterColumn(p, look, 0); break;
        case kFull: PaintMeterColumn(p, look, height); break;
        case kLitLow: PaintColumn(p, look, {height, MeterZone::Low, false}); break;
        case kLitMiddle: PaintColumn(p, look, {height, MeterZone::Middle, false}); break;
        case kLitHigh: PaintColumn(p, look, {height, MeterZone::High, false}); break;
        case kPictureCount: break;
        }
    }
    return picture;
}

void CLevelMeter::DropPictures() {
    pictures_ = {};
    shown_ = QImage();
    update();
}

void CLevelMeter::RepaintRows(int column, int before, int after) {
    const MeterSpan span = ColumnSpan(column);
    const int width = span.right - span.left + 1;
    const int full = ColumnHeight();
    QRect rows(span.left, 0, width, height());  // a full bar changes the "Peak" mark too
    if (before != full && after != full) {
        const int high = std::max(before, after);
        // A solid bar changes colour with the zone it reaches.
        const int low = column_[column].style == kSolid ? 0 : std::min(before, after);
        rows = QRect(span.left, ColumnBottom() - high, width, high - low);
    }
    // At a fractional device pixel ratio the meter may stand between device
    // pixels, and a changed device pixel reaches into the logical pixels around.
    const qreal ratio = devicePixelRatioF();
    if (ratio != std::floor(ratio)) rows.adjust(-1, -1, 1, 1);
    // One rectangle for the whole meter: a region of many small pieces costs
    // more to repaint beneath and over than the few rows between them.
    pendingRows_ |= rows;
    update(pendingRows_);
}

void CLevelMeter::resizeEvent(QResizeEvent*) {
    pictures_ = {};
    shown_ = QImage();
}

void CLevelMeter::PrepareShown() {
    const qreal ratio = devicePixelRatioF();
    if (ratio != pictureRatio_) {
        pictures_ = {};
        shown_ = QImage();
        pictureRatio_ = ratio;
    }
    if (shown_.isNull()) {
        shown_ = CachedPicture(kUnlit);
        shownLit_.fill(0);
    }
    for (int i = 0; i < columns_; ++i) {
        const int lit = LitHeight(i);
        if (lit != shownLit_[i]) ComposeColumn(i, lit);
    }
}

int CLevelMeter::DeviceEdge(int logical) const { return qRound(logical * pictureRatio_); }

void CLevelMeter::ComposeColumn(int column, int lit) {
    const int before = shownLit_[column];
    shownLit_[column] = lit;
    const MeterSpan span = ColumnSpan(column);
    if (span.right < span.left) return;
    const int left = DeviceEdge(span.left);
    const int width = DeviceEdge(span.right + 1) - left;
    const int full = ColumnHeight();
    if (lit >= full && lit > 0) {
        CopyPixels(shown_, CachedPicture(kFull), QRect(left, 0, width, shown_.height()));
        return;
    }
    const int bottom = ColumnTop() + full;
    // A striped bar only gains or loses the rows between its two heights; a
    // solid one changes colour with its zone, and one that was full drops
    // its "Peak" mark, so those are composed whole.
    if (column_[column].style != kSolid && before < full) {
        const int top = DeviceEdge(bottom - std::max(before, lit));
        const int end = DeviceEdge(bottom - std::min(before, lit));
        CopyPixels(shown_, CachedPicture(lit > before ? LitPicture(column, lit) : kUnlit), QRect(left, top, width, end - top));
        return;
    }
    CopyPixels(shown_, CachedPicture(kUnlit), QRect(left, 0, width, shown_.height()));
    if (lit <= 0) return;
    const int top = DeviceEdge(bottom - lit);
    CopyPixels(shown_, CachedPicture(LitPicture(column, lit)), QRect(left, top, width, DeviceEdge(bottom) - top));
}

void CLevelMeter::paintEvent(QPaintEvent*) {
    pendingRows_ = QRect();
    PrepareShown();
    QPainter(this).drawImage(0, 0, shown_);
}

}  // namespace mixer
