#include "skin/bitmap_slider.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "skin/skin_font.h"
#include "skin/skin_images.h"

namespace mixer {

namespace {

// Thumb length used when the page's thumb bitmap is missing.
constexpr int kPlainThumbLength = 12;

// How much of a disabled knob shows.
constexpr qreal kDisabledOpacity = 0.35;

// Scale marks: line length and text height in pixels, and their colours.
constexpr int kMarkLine = 5;
constexpr int kMarkPixels = 9;
const QColor kPlainMark(150, 158, 172);
const QColor kAccentMark(160, 232, 255);

SkinPixmap LoadMasked(int id, bool transparent, const QColor& colour) {
    if (id < 0) return {};
    SkinPixmap image = LoadSkinPixmap(id);
    if (image.isNull() || !transparent || !colour.isValid()) return image;
    for (QPixmap* density : {&image.normal, &image.dense}) {
        if (!density->isNull()) density->setMask(density->createMaskFromColor(colour, Qt::MaskInColor));
    }
    return image;
}

}  // namespace

CBitmapSlider::CBitmapSlider(QWidget* parent, int id) : QWidget(parent), id_(id) {
    setFocusPolicy(Qt::StrongFocus);
}

void CBitmapSlider::SetRange(int minimum, int maximum, bool redraw) {
    if (maximum < minimum) std::swap(minimum, maximum);
    minimum_ = minimum;
    maximum_ = maximum;
    position_ = std::clamp(position_, minimum_, maximum_);
    if (redraw) update();
}

void CBitmapSlider::SetPos(int value) {
    value = std::clamp(value, minimum_, maximum_);
    if (value == position_) return;
    position_ = value;
    update();
}

void CBitmapSlider::SetVertical(bool vertical) {
    vertical_ = vertical;
    update();
}

void CBitmapSlider::SetMargin(int start, int top, int end, int bottom) {
    marginStart_ = start;
    marginTop_ = top;
    marginEnd_ = end;
    marginBottom_ = bottom;
    update();
}

void CBitmapSlider::SetTrackBitmaps(int trackId, int activeId, bool transparent, const QColor& transparentColour) {
    track_ = LoadMasked(trackId, transparent, transparentColour);
    activeTrack_ = LoadMasked(activeId, transparent, transparentColour);
    if (!track_.isNull()) resize(TrackSize());
    update();
}

void CBitmapSlider::SetThumbBitmaps(int thumbId, int activeId, bool transparent, const QColor& transparentColour) {
    thumb_ = LoadMasked(thumbId, transparent, transparentColour);
    activeThumb_ = LoadMasked(activeId, transparent, transparentColour);
    update();
}

void CBitmapSlider::SetTrackLength(int length) {
    trackLength_ = std::max(0, length);
    if (!track_.isNull()) resize(TrackSize());
    update();
}

void CBitmapSlider::SetMarks(std::vector<Mark> marks) {
    marks_ = std::move(marks);
    update();
}

void CBitmapSlider::SetReadoutShown(bool shown) {
    readoutShown_ = shown;
    update();
}

void CBitmapSlider::SetReadout(const SliderReadout& readout) {
    readout_ = readout;
    update();
}

QString CBitmapSlider::ReadoutText() const {
    return QString::fromStdString(FormatSliderReadout(readout_, minimum_, maximum_, position_));
}

void CBitmapSlider::SetReadoutBand(int pixels) {
    readoutBand_ = std::max(0, pixels);
    update();
}

void CBitmapSlider::SetTickCount(int count) {
    tickCount_ = std::max(0, count);
    update();
}

QSize CBitmapSlider::TrackSize() const {
    if (track_.isNull()) return size();
    if (trackLength_ <= 0) return track_.size();
    return vertical_ ? QSize(track_.width(), trackLength_) : QSize(trackLength_, track_.height());
}

QSize CBitmapSlider::ThumbSize() const {
    if (!thumb_.isNull()) return thumb_.size();
    const QSize track = TrackSize();
    return vertical_ ? QSize(std::max(1, track.width() - marginStart_), kPlainThumbLength)
                     : QSize(kPlainThumbLength, std::max(1, track.height() - marginTop_));
}

SliderAxis CBitmapSlider::Axis() const {
    const QSize track = TrackSize();
    const QSize thumb = ThumbSize();
    SliderAxis a;
    a.trackLength = vertical_ ? track.height() : track.width();
    a.thumbLength = vertical_ ? thumb.height() : thumb.width();
    a.startMargin = vertical_ ? marginTop_ : marginStart_;
    a.endMargin = vertical_ ? marginBottom_ : marginEnd_;
    a.minimum = minimum_;
    a.maximum = maximum_;
    return a;
}

QRect CBitmapSlider::ThumbRect() const {
    const QSize thumb = ThumbSize();
    const int centre = SliderPixel(Axis(), position_);
    if (vertical_) return QRect(marginStart_, centre - thumb.height() / 2, thumb.width(), thumb.height());
    return QRect(centre - thumb.width() / 2, marginTop_, thumb.width(), thumb.height());
}

QSize CBitmapSlider::sizeHint() const { return track_.isNull() ? QSize(100, 20) : TrackSize(); }

void CBitmapSlider::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    QPixmap buffer(size() * ratio);
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(Qt::transparent);
    {
        QPainter p(&buffer);
        // A disabled knob takes no mouse, and would look no different without this.
        if (!isEnabled()) p.setOpacity(kDisabledOpacity);
        const QSize track = TrackSize();
        if (!track_.isNull()) {
            DrawStretched(p, track_, QRect(QPoint(0, 0), track));
        } else {
            // Plain groove when the page's track bitmap is missing.
            const QRect groove = vertical_ ? QRect(track.width() / 2 - 2, 0, 4, track.height())
                                           : QRect(0, track.height() / 2 - 2, track.width(), 4);
            p.fillRect(groove, QColor(20, 22, 26));
        }
        if (!activeTrack_.isNull()) {
            const int centre = SliderPixel(Axis(), position_);
            const QRect lit = vertical_ ? QRect(0, centre, track.width(), track.height() - centre)
                                        : QRect(0, 0, centre, track.height());
            p.save();
            p.setClipRect(lit);
            DrawStretched(p, activeTrack_, QRect(QPoint(0, 0), track));
            p.restore();
        }
        PaintTicks(p);
        PaintMarks(p);
        const QRect thumbRect = ThumbRect();
        const SkinPixmap& thumb = dragging_ && !activeThumb_.isNull() ? activeThumb_ : thumb_;
        if (!thumb.isNull()) {
            DrawSkinPixmap(p, thumbRect, thumb);
        } else {
            p.fillRect(thumbRect, QColor(200, 204, 212));
            p.fillRect(vertical_ ? thumbRect.adjusted(0, thumbRect.height() / 2, 0, -thumbRect.height() / 2 + 1)
                                 : thumbRect.adjusted(thumbRect.width() / 2, 0, -thumbRect.width() / 2 + 1, 0),
                       QColor(30, 30, 30));
        }
        if (hasFocus()) {
            p.setPen(QPen(QColor(0, 200, 255), 1, Qt::DotLine));
            p.drawRect(thumbRect.adjusted(0, 0, -1, -1));
        }
        PaintReadout(p);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void CBitmapSlider::DrawStretched(QPainter& p, const SkinPixmap& image, const QRect& target) const {
    const int imageLength = vertical_ ? image.height() : image.width();
    const int targetLength = vertical_ ? target.height() : target.width();
    // The ends, as far as the thumb's centre reaches, keep their size; only
    // the groove between them is stretched.
    const int end = std::min(imageLength / 2, (vertical_ ? ThumbSize().height() : ThumbSize().width()) / 2 + 2);
    if (targetLength == imageLength || targetLength < 2 * end) {
        DrawSkinPixmap(p, target, image);
        return;
    }
    const QPixmap& picture = image.For(p.device()->devicePixelRatioF());
    const int scale = qRound(picture.devicePixelRatio());
    const auto span = [&](int from, int length, int across) {
        return vertical_ ? QRect(0, from, across, length) : QRect(from, 0, length, across);
    };
    const int across = vertical_ ? image.width() : image.height();
    // Sources are cut in the picture's own pixels, targets in logical ones.
    const auto part = [&](int to, int toLength, int from, int fromLength) {
        p.drawPixmap(span(to, toLength, across), picture, span(from * scale, fromLength * scale, across * scale));
    };
    part(0, end, 0, end);
    part(end, targetLength - 2 * end, end, imageLength - 2 * end);
    part(targetLength - end, end, imageLength - end, end);
}

void CBitmapSlider::PaintTicks(QPainter& p) const {
    if (tickCount_ <= 0) return;
    const SliderAxis axis = Axis();
    const QSize track = TrackSize();
    p.setPen(QColor(150, 156, 168));
    for (int k = 0; k < tickCount_; ++k) {
        const long long span = static_cast<long long>(maximum_) - minimum_;
        const int value = tickCount_ == 1 ? static_cast<int>(minimum_ + span / 2)
                                          : static_cast<int>(minimum_ + span * k / (tickCount_ - 1));
        const int at = SliderPixel(axis, value);
        if (vertical_) {
            p.drawLine(track.width() - 5, at, track.width() - 1, at);
        } else {
            p.drawLine(at, track.height() - 4, at, track.height() - 1);
        }
    }
}

void CBitmapSlider::PaintMarks(QPainter& p) const {
    if (marks_.empty()) return;
    const QSize track = TrackSize();
    const int lineStart = ThumbSize().width() + marginStart_ + 1;
    p.setFont(SkinFontPixels(kMarkPixels));
    for (const Mark& mark : marks_) {
        if (mark.value < minimum_ || mark.value > maximum_) continue;
        const int at = PixelOf(mark.value);
        p.setPen(mark.accent ? kAccentMark : kPlainMark);
        if (vertical_) {
            p.drawLine(lineStart, at, lineStart + kMarkLine - 1, at);
            p.drawText(QRect(lineStart + kMarkLine - 2, at - kMarkPixels, track.width() - lineStart - kMarkLine + 1,
                             2 * kMarkPixels),
                       Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, mark.text);
        } else {
            p.drawLine(at, track.height() - kMarkLine, at, track.height() - 1);
        }
    }
}

void CBitmapSlider::PaintReadout(QPainter& p) const {
    if (!readoutShown_ || readoutBand_ <= 0) return;
    const QSize track = TrackSize();
    QRect band;
    if (vertical_ && marginBottom_ >= readoutBand_) {
        band = QRect(0, track.height() - readoutBand_, track.width(), readoutBand_);
    } else if (!vertical_ && marginEnd_ >= readoutBand_) {
        band = QRect(track.width() - marginEnd_, 0, marginEnd_, track.height());
    } else {
        return;
    }
    const QString text = ReadoutText();
    if (text.isEmpty()) return;
    p.setFont(SkinFontPixels(std::min(12, std::max(8, readoutBand_ - 4))));
    p.setPen(QColor(230, 232, 236));
    p.drawText(band, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (vertical_) {
        // A fader moves only when its cap is taken, never by a stray click on the track.
        const QRect thumb = ThumbRect();
        if (at.y() < thumb.top() || at.y() > thumb.bottom() || at.x() < thumb.left() || at.x() > thumb.right()) {
            return;
        }
    }
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    dragOffset_ = SliderDragOffset(Axis(), position_, Along(at));
    DragTo(Along(at));
    update();
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    DragTo(Along(event->position().toPoint()));
}

void CBitmapSlider::DragTo(int along) {
    const SliderAxis axis = Axis();
    const int centre = std::clamp(along - dragOffset_, SliderCentreMin(axis), SliderCentreMax(axis));
    if (centre == SliderPixel(axis, position_)) return;
    const int value = std::clamp(SliderValue(axis, centre), minimum_, maximum_);
    if (value == position_) return;
    position_ = value;
    update();
    emit Moving(id_, position_);
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    dragging_ = false;
    update();
    emit Moved(id_, position_);
}

void CBitmapSlider::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    emit DoubleClicked(id_, position_);
    update();
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
    if (!isEnabled()) return;
    long long target = position_;
    switch (event->key()) {
    case Qt::Key_PageUp: target -= pageStep_; break;
    case Qt::Key_PageDown: target += pageStep_; break;
    case Qt::Key_End: target = maximum_; break;
    case Qt::Key_Home: target = minimum_; break;
    case Qt::Key_Left:
    case Qt::Key_Up: target -= 1; break;
    case Qt::Key_Right:
    case Qt::Key_Down: target += 1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    SetPos(static_cast<int>(std::clamp<long long>(target, minimum_, maximum_)));
    emit Moved(id_, position_);
    event->accept();
}

}  // namespace mixer
