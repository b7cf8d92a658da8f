#include "skin/image_button.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "skin/skin_font.h"
#include "skin/skin_images.h"

namespace mixer {

namespace {

// The overview bars stand 8 pixels apart and change colour at these fractions
// of the bar area, like the meters they summarise.
constexpr int kBarStep = 8;
constexpr int kBarWidth = 5;
constexpr int kOverviewMargin = 6;      // above the bars and below the mute marks
constexpr int kOverviewMarkHeight = 3;  // the mute marks under the bars
constexpr double kGreenTop = 0.7;
constexpr double kAmberTop = 0.9;
constexpr double kRedTop = 1.0;

// A fitted caption keeps this far from the button's sides, and is never
// drawn smaller than this many points.
constexpr int kCaptionInset = 5;
constexpr int kSmallestCaption = 7;

}  // namespace

CImageButton::CImageButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

CImageButton::CImageButton(const QString& caption, QWidget* parent) : CImageButton(parent) {
    setText(caption);
}

void CImageButton::LoadImages(int upId, int downId) {
    upImage_ = LoadSkinPixmap(upId);
    downImage_ = LoadSkinPixmap(downId);
    imageSize_ = upImage_.size();
    if (sizeMode_ == kImageSize && !upImage_.isNull()) {
        setGeometry(QRect(pos(), imageSize_));
    } else if (sizeMode_ == kHalfImageSize && !upImage_.isNull()) {
        imageSize_ = QSize(upImage_.width() / 2, upImage_.height() / 2);
        setGeometry(QRect(pos(), imageSize_));
    }
    update();
}

void CImageButton::SetBehaviour(int behaviour) {
    behaviour_ = behaviour;
    update();
}

void CImageButton::SetDown(bool down) {
    if (down_ == down) return;
    down_ = down;
    update();
}

void CImageButton::SetShowCaption(bool show) {
    showCaption_ = show;
    update();
}

void CImageButton::SetSizeMode(int mode) { sizeMode_ = mode; }

void CImageButton::SetCaptionSize(int points) {
    captionSize_ = points;
    update();
}

void CImageButton::SetCaptionFits(bool on) {
    captionFits_ = on;
    update();
}

void CImageButton::SetCaptionElided(bool on) {
    captionElided_ = on;
    update();
}

CImageButton::CaptionLayout CImageButton::LayOutCaption() const {
    CaptionLayout layout;
    layout.flags = Qt::AlignCenter | Qt::TextSingleLine;
    layout.font = SkinFontPoints(captionSize_);
    layout.area = rect();
    layout.text = text();
    layout.bounds = QFontMetrics(layout.font).boundingRect(layout.area, layout.flags, layout.text);
    if (!captionFits_) return layout;
    const QRect inside = rect().adjusted(kCaptionInset, 0, -kCaptionInset, 0);
    for (int points = captionSize_; points >= kSmallestCaption; --points) {
        layout.font = SkinFontPoints(points);
        layout.bounds = QFontMetrics(layout.font).boundingRect(layout.area, layout.flags, layout.text);
        if (layout.bounds.width() <= inside.width()) return layout;
    }
    const QFontMetrics metrics(layout.font);
    if (captionElided_) {
        layout.text = metrics.elidedText(text(), Qt::ElideRight, inside.width());
        layout.bounds = metrics.boundingRect(layout.area, layout.flags, layout.text);
        return layout;
    }
    layout.flags = Qt::AlignCenter | Qt::TextWrapAnywhere;
    layout.area = inside;
    layout.bounds = metrics.boundingRect(layout.area, layout.flags, layout.text);
    return layout;
}

void CImageButton::SetCaptionColours(const QColor& up, const QColor& down) {
    captionUp_ = up;
    captionDown_ = down;
    update();
}

void CImageButton::SetStaticLook(bool on) {
    staticLook_ = on;
    update();
}

CImageButton::Face CImageButton::CurrentFace() const {
    if (behaviour_ == kPush) {
        if (staticLook_) return Face::Up;
        // A button that says it cannot be pressed does not light up under the mouse either.
        if (disabledLook_ && !isEnabled()) return Face::Up;
        if (isDown() || hovering_) return Face::Down;
        return Face::Up;
    }
    if (behaviour_ == kTwoState) return down_ ? Face::Down : Face::Up;
    return Face::None;
}

QColor CImageButton::CurrentCaptionColour() const {
    // The caption goes with the image it is drawn on: a push button shows its
    // down image under the mouse, and the up caption would not read there.
    const Face face = CurrentFace();
    const bool down = face == Face::None ? down_ : face == Face::Down;
    return down ? captionDown_ : captionUp_;
}

QSize CImageButton::ImageSize() const {
    if (sizeMode_ == kKeepSize || imageSize_.isEmpty()) return size();
    return imageSize_;
}

void CImageButton::EnableOverview(bool on) {
    overview_ = on;
    update();
}

void CImageButton::SetOverviewBarCount(int count) {
    overviewBars_ = std::clamp(count, 1, kMaxOverviewBars);
    update();
}

void CImageButton::SetOverviewLevel(int bar, int height) {
    if (bar < 0 || bar >= kMaxOverviewBars) return;
    height = std::clamp(height, 0, kOverviewRange);
    if (overviewLevels_[bar] == height) return;
    const int before = OverviewLitRows(overviewLevels_[bar]);
    overviewLevels_[bar] = height;
    // A bar is a few dozen pixels high: most meter ticks move none of them.
    if (overview_ && OverviewLitRows(height) != before) update(OverviewArea());
}

void CImageButton::SetOverviewMute(int bar, bool muted) {
    if (bar < 0 || bar >= kMaxOverviewBars || overviewMutes_[bar] == muted) return;
    overviewMutes_[bar] = muted;
    if (overview_) update(OverviewArea());
}

int CImageButton::OverviewLevel(int bar) const {
    return bar >= 0 && bar < kMaxOverviewBars ? overviewLevels_[bar] : 0;
}

bool CImageButton::OverviewMute(int bar) const {
    return bar >= 0 && bar < kMaxOverviewBars && overviewMutes_[bar];
}

QSize CImageButton::sizeHint() const {
    if (!imageSize_.isEmpty()) return sizeMode_ == kKeepSize ? upImage_.size() : imageSize_;
    return QSize(100, 28);
}

void CImageButton::paintEvent(QPaintEvent*) {
    if (!disabledLook_ || isEnabled()) {
        QPainter p(this);
        PaintFace(p);
        return;
    }
    // Faded as one picture: each piece faded on its own would let the image
    // show through the caption and the overview bars.
    const qreal ratio = devicePixelRatioF();
    QPixmap buffer(size() * ratio);
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(Qt::transparent);
    {
        QPainter p(&buffer);
        PaintFace(p);
    }
    QPainter screen(this);
    screen.setOpacity(kDisabledOpacity);
    screen.drawPixmap(0, 0, buffer);
}

void CImageButton::PaintFace(QPainter& p) const {
    const Face face = CurrentFace();
    if (face != Face::None) DrawSkinPixmap(p, QRect(QPoint(0, 0), ImageSize()), face == Face::Down ? downImage_ : upImage_);
    if (overview_) PaintOverview(p);
    if (showCaption_ && !text().isEmpty()) {
        p.setRenderHint(QPainter::TextAntialiasing);
        const CaptionLayout caption = LayOutCaption();
        p.setFont(caption.font);
        p.setPen(CurrentCaptionColour());
        p.drawText(caption.area, caption.flags, caption.text);
    }
}

void CImageButton::SetDisabledLook(bool on) {
    disabledLook_ = on;
    update();
}

QRect CImageButton::OverviewArea() const {
    const int span = (overviewBars_ - 1) * kBarStep + kBarWidth;
    return QRect((width() - span) / 2, kOverviewMargin, span, height() - 2 * kOverviewMargin);
}

int CImageButton::OverviewBarBottom() const { return height() - kOverviewMargin - kOverviewMarkHeight - 1; }

int CImageButton::OverviewLitRows(int level) const {
    const int area = OverviewBarBottom() - kOverviewMargin;
    return area > 0 ? level * area / kOverviewRange : 0;
}

void CImageButton::PaintOverview(QPainter& p) const {
    const int span = (overviewBars_ - 1) * kBarStep + kBarWidth;
    const int left = (width() - span) / 2;
    const int top = kOverviewMargin;
    const int markHeight = kOverviewMarkHeight;
    const int bottom = OverviewBarBottom();  // bar area ends above the mute marks
    const int area = bottom - top;
    if (area <= 0) return;
    const int greenTop = bottom - static_cast<int>(area * kGreenTop);
    const int amberTop = bottom - static_cast<int>(area * kAmberTop);
    const int redTop = bottom - static_cast<int>(area * kRedTop);
    for (int i = 0; i < overviewBars_; ++i) {
        const int x = left + i * kBarStep;
        p.fillRect(x, top, kBarWidth, area, QColor(0, 0, 0, 110));
        const int barTop = bottom - OverviewLitRows(overviewLevels_[i]);
        const auto fillZone = [&](int zoneTop, int zoneBottom, const QColor& colour) {
            const int y0 = std::max(zoneTop, barTop);
            if (y0 < zoneBottom) p.fillRect(x, y0, kBarWidth, zoneBottom - y0, colour);
        };
        const QColor dim = overviewMutes_[i] ? QColor(90, 90, 90) : QColor();
        fillZone(greenTop, bottom, dim.isValid() ? dim : QColor(120, 220, 60));
        fillZone(amberTop, greenTop, dim.isValid() ? dim : QColor(255, 176, 35));
        fillZone(redTop, amberTop, dim.isValid() ? dim : QColor(255, 45, 45));
        p.fillRect(x, bottom + 1, kBarWidth, markHeight,
                   overviewMutes_[i] ? QColor(255, 40, 40) : QColor(40, 70, 40));
    }
}

void CImageButton::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CImageButton::leaveEvent(QEvent* event) {
    hovering_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

}  // namespace mixer
