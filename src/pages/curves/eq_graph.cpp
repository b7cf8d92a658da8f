#include "pages/curves/eq_graph.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

#include "pages/curves/channel_curve.h"

namespace mixer {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t kMaxStrokePoints = 4096;

bool ValidTrace(int trace) { return trace >= 1 && trace <= CEqGraph::kMaxTraces; }

std::vector<double> FirstN(std::span<const double> values, std::size_t n) {
    return {values.begin(), values.begin() + static_cast<std::ptrdiff_t>(std::min(values.size(), n))};
}

void SetAt(std::vector<double>& v, int index, double value, int limit) {
    if (index < 0 || index >= limit) return;
    if (static_cast<std::size_t>(index) >= v.size()) v.resize(static_cast<std::size_t>(index) + 1, kNaN);
    v[static_cast<std::size_t>(index)] = value;
}

// Clamp into lo..hi where the two ranges that make the bounds may not meet:
// then the value sits at the nearer end of the point's own limits.
double Within(double v, double lo, double hi) { return std::clamp(v, lo, std::max(lo, hi)); }

}  // namespace

CEqGraph::CEqGraph(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize CEqGraph::sizeHint() const { return {480, 260}; }

PlotMapping CEqGraph::Mapping() const {
    return PlotMapping(PlotArea(width(), height(), model_.margin), model_.xmin, model_.xmax, model_.logX,
                       model_.ymin, model_.ymax);
}

void CEqGraph::AxesChanged() {
    backgroundDirty_ = pathsDirty_ = frameDirty_ = true;
    update();
}

void CEqGraph::CurvesChanged() {
    pathsDirty_ = frameDirty_ = true;
    update();
}

void CEqGraph::PointsChanged() {
    frameDirty_ = true;
    update();
}

void CEqGraph::Redraw() { AxesChanged(); }

void CEqGraph::SetMode(GraphMode mode) {
    if (mode == model_.mode) return;
    model_.mode = mode;
    AxesChanged();
}

void CEqGraph::SetXRange(double xmin, double xmax) {
    if (!(xmin < xmax) || !std::isfinite(xmin) || !std::isfinite(xmax)) return;
    if (xmin == model_.xmin && xmax == model_.xmax) return;
    model_.xmin = xmin;
    model_.xmax = xmax;
    AxesChanged();
}

void CEqGraph::SetYRange(double ymin, double ymax) {
    if (!(ymin < ymax) || !std::isfinite(ymin) || !std::isfinite(ymax)) return;
    if (ymin == model_.ymin && ymax == model_.ymax) return;
    model_.ymin = ymin;
    model_.ymax = ymax;
    AxesChanged();
}

void CEqGraph::SetLogX(bool on) {
    if (on == model_.logX) return;
    model_.logX = on;
    AxesChanged();
}

void CEqGraph::SetMargin(bool on) {
    if (on == model_.margin) return;
    model_.margin = on;
    AxesChanged();
}

void CEqGraph::SetUnitText(const QString& unit) {
    model_.unit = unit;
    PointsChanged();
}

void CEqGraph::SetAxisCaptions(const QString& x, const QString& y) {
    model_.xCaption = x;
    model_.yCaption = y;
    AxesChanged();
}

void CEqGraph::SetXValue(int index, double x) {
    SetAt(model_.xs, index, x, kMaxTracePoints);
    CurvesChanged();
}

void CEqGraph::SetXValues(std::span<const double> xs) {
    model_.xs = FirstN(xs, kMaxTracePoints);
    CurvesChanged();
}

void CEqGraph::SetTracePoint(int trace, int index, double value) {
    if (!ValidTrace(trace)) return;
    SetAt(model_.traces[trace - 1], index, value, kMaxTracePoints);
    CurvesChanged();
}

void CEqGraph::SetTrace(int trace, std::span<const double> values) {
    if (!ValidTrace(trace)) return;
    model_.traces[trace - 1] = FirstN(values, kMaxTracePoints);
    CurvesChanged();
}

void CEqGraph::ClearTrace(int trace) {
    if (!ValidTrace(trace)) return;
    model_.traces[trace - 1].clear();
    CurvesChanged();
}

void CEqGraph::SetSectionCount(int count) {
    model_.sections.resize(static_cast<std::size_t>(std::clamp(count, 0, kMaxSections)));
    CurvesChanged();
}

void CEqGraph::SetSectionPoint(int section, int index, double value) {
    if (section < 0 || section >= static_cast<int>(model_.sections.size())) return;
    SetAt(model_.sections[section], index, value, kGridSize);
    CurvesChanged();
}

void CEqGraph::SetSectionCurve(int section, std::span<const double> values) {
    if (section < 0 || section >= static_cast<int>(model_.sections.size())) return;
    model_.sections[section] = FirstN(values, kGridSize);
    CurvesChanged();
}

void CEqGraph::SetPointCount(int count) {
    const int n = std::clamp(count, 0, kMaxPoints);
    const int old = PointCount();
    model_.points.resize(static_cast<std::size_t>(n));
    for (int i = old; i < n; ++i) {
        const QPointF v = Clamped(i, model_.xmin, 0.0);
        model_.points[i].x = v.x();
        model_.points[i].y = v.y();
    }
    if (selected_ >= n) {
        selected_ = -1;
        held_ = dragged_ = false;
    }
    if (hover_ >= n) hover_ = -1;
    PointsChanged();
}

QPointF CEqGraph::Clamped(int index, double x, double y) const {
    const GraphPoint& pt = model_.points[index];
    double xlo = model_.xmin, xhi = model_.xmax, ylo = model_.ymin, yhi = model_.ymax;
    if (pt.limited) {
        xlo = std::max(xlo, pt.xmin);
        xhi = std::min(xhi, pt.xmax);
        ylo = std::max(ylo, pt.ymin);
        yhi = std::min(yhi, pt.ymax);
    }
    return {Within(std::isnan(x) ? pt.x : x, xlo, xhi), Within(std::isnan(y) ? pt.y : y, ylo, yhi)};
}

void CEqGraph::PlacePoint(int index, double x, double y) {
    // A stroke under way keeps the heights it drew: a value stored from it
    // comes back rounded, and would be drawn again at the next move.
    if (index < 0 || index >= PointCount() || strokeActive_) return;
    const QPointF v = Clamped(index, x, y);
    model_.points[index].x = v.x();
    model_.points[index].y = v.y();
    PointsChanged();
}

QPointF CEqGraph::PointValue(int index) const {
    if (index < 0 || index >= PointCount()) return {};
    return {model_.points[index].x, model_.points[index].y};
}

void CEqGraph::SetPointLimits(int index, double xmin, double xmax, double ymin, double ymax) {
    if (index < 0 || index >= PointCount() || !(xmin <= xmax) || !(ymin <= ymax)) return;
    GraphPoint& pt = model_.points[index];
    pt.limited = true;
    pt.xmin = xmin;
    pt.xmax = xmax;
    pt.ymin = ymin;
    pt.ymax = ymax;
    PlacePoint(index, pt.x, pt.y);
}

void CEqGraph::SetPointLabel(int index, const QString& text) {
    if (index < 0 || index >= PointCount()) return;
    model_.points[index].label = text;
    PointsChanged();
}

QPoint CEqGraph::PointPixel(int index) const {
    if (index < 0 || index >= PointCount()) return {};
    return HandleCentres(model_, Mapping())[static_cast<std::size_t>(index)];
}

QPoint CEqGraph::ValuePixel(int index) const {
    const PlotMapping map = Mapping();
    return {map.HandleX(model_.points[index].x), map.HandleY(model_.points[index].y)};
}

void CEqGraph::SetFreehand(bool on) {
    freehand_ = on;
    strokeActive_ = false;
    stroke_.clear();
    selected_ = -1;
    held_ = dragged_ = false;
    setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
    PointsChanged();
}

int CEqGraph::HitTest(const QPoint& pos) const {
    int best = -1;
    int bestDistance = 0;
    const std::vector<QPoint> centres = HandleCentres(model_, Mapping());
    for (int i = 0; i < PointCount(); ++i) {
        const QPoint c = centres[static_cast<std::size_t>(i)];
        const QRect square(c.x() - kHandleSize / 2, c.y() - kHandleSize / 2, kHandleSize, kHandleSize);
        if (!square.contains(pos)) continue;
        const int distance = (pos - c).manhattanLength();
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void CEqGraph::UpdateCursor(const QPoint& pos) {
    if (freehand_) {
        setCursor(Qt::CrossCursor);
    } else if (selected_ >= 0) {
        setCursor(Qt::ClosedHandCursor);
    } else {
        setCursor(HitTest(pos) >= 0 ? Qt::OpenHandCursor : Qt::ArrowCursor);
    }
}

// A point keeps its value along an axis on which its handle did not move a
// whole pixel, so that a vertical drag never nudges a band's frequency.
void CEqGraph::DragTo(const QPoint& centre) {
    const PlotMapping map = Mapping();
    GraphPoint& pt = model_.points[selected_];
    double x = pt.x, y = pt.y;
    if (model_.mode != GraphMode::kBars && centre.x() != map.HandleX(pt.x)) x = map.PixelToX(centre.x());
    if (centre.y() != map.HandleY(pt.y)) y = map.PixelToY(centre.y());
    const QPointF v = Clamped(selected_, x, y);
    pt.x = v.x();
    pt.y = v.y();
    dragged_ = held_ = true;
    PointsChanged();
    emit pointMoved(selected_, v.x(), v.y(), 1);
}

// Every point whose column lies within kFreehandReach pixels of the stroke
// segment takes the stroke's height at that column. Taking the segment rather
// than only its end keeps fast strokes from skipping bands.
void CEqGraph::ApplyStroke(const QPoint& from, const QPoint& to) {
    const PlotMapping map = Mapping();
    const int lo = std::min(from.x(), to.x()) - kFreehandReach;
    const int hi = std::max(from.x(), to.x()) + kFreehandReach;
    struct Change {
        int index;
        double x, y;
    };
    std::vector<Change> changes;
    for (int i = 0; i < PointCount(); ++i) {
        GraphPoint& pt = model_.points[i];
        const int column = map.ColumnX(pt.x);
        if (column < lo || column > hi) continue;
        double cursorY = to.y();
        if (from.x() != to.x()) {
            const double t = std::clamp(double(column - from.x()) / (to.x() - from.x()), 0.0, 1.0);
            cursorY = from.y() + t * (to.y() - from.y());
        }
        const double y = Clamped(i, pt.x, map.PixelToY(cursorY)).y();
        if (y == pt.y) continue;
        pt.y = y;
        changes.push_back({i, pt.x, y});
    }
    if (changes.empty()) return;
    PointsChanged();
    for (const Change& c : changes) emit pointMoved(c.index, c.x, c.y, 0);
}

void CEqGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    if (freehand_) {
        strokeActive_ = true;
        stroke_.assign(1, pos);
        update();
        return;
    }
    const int hit = HitTest(pos);
    if (hit >= 0) {
        selected_ = hit;
        dragged_ = false;
        // Taken from the value's place, not the handle's: a handle standing
        // beside another keeps its value where it is when first moved.
        dragOffset_ = pos - ValuePixel(hit);
        UpdateCursor(pos);
        PointsChanged();
        return;
    }
    rubberActive_ = true;
    rubberOrigin_ = pos;
    rubber_ = QRect();
    emit clicked();
}

void CEqGraph::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (strokeActive_) {
        const QPoint from = stroke_.back();
        if (stroke_.size() >= kMaxStrokePoints) stroke_.erase(stroke_.begin(), stroke_.begin() + kMaxStrokePoints / 2);
        stroke_.push_back(pos);
        update();
        ApplyStroke(from, pos);
        return;
    }
    if (selected_ >= 0) {
        DragTo(pos - dragOffset_);
        return;
    }
    if (rubberActive_) {
        rubber_ = QRect(rubberOrigin_, pos).normalized();
        update();
        return;
    }
    const int hover = freehand_ ? -1 : HitTest(pos);
    if (hover != hover_) {
        hover_ = hover;
        PointsChanged();
    }
    UpdateCursor(pos);
}

void CEqGraph::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (strokeActive_) {
        strokeActive_ = false;
        stroke_.clear();
        update();
        emit strokeFinished(kStrokeFinished);
        return;
    }
    rubberActive_ = false;
    rubber_ = QRect();
    update();
    if (selected_ < 0) return;
    const int index = selected_;
    const bool moved = dragged_;
    selected_ = -1;
    held_ = dragged_ = false;
    UpdateCursor(pos);
    PointsChanged();
    // A click without a drag changed nothing, so nothing is reported.
    if (moved) emit pointMoved(index, model_.points[index].x, model_.points[index].y, 0);
}

void CEqGraph::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || freehand_) {
        mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const int hit = HitTest(pos);
    if (hit < 0) {
        mousePressEvent(event);
        return;
    }
    selected_ = hit;
    dragged_ = false;
    dragOffset_ = pos - ValuePixel(hit);
    PointsChanged();
    emit pointDoubleClicked(hit);
}

void CEqGraph::leaveEvent(QEvent* event) {
    if (hover_ >= 0) {
        hover_ = -1;
        PointsChanged();
    }
    QWidget::leaveEvent(event);
}

void CEqGraph::resizeEvent(QResizeEvent* event) {
    AxesChanged();
    QWidget::resizeEvent(event);
}

void CEqGraph::RebuildPaths() {
    paths_ = BuildGraphPaths(model_, Mapping());
    pathsDirty_ = false;
}

void CEqGraph::paintEvent(QPaintEvent*) {
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = size() * dpr;
    const PlotMapping map = Mapping();
    if (backgroundDirty_ || background_.size() != pixels) {
        background_ = QPixmap(pixels);
        background_.setDevicePixelRatio(dpr);
        QPainter p(&background_);
        PaintGraphBackground(p, size(), model_, map);
        backgroundDirty_ = false;
        frameDirty_ = true;
    }
    if (pathsDirty_) RebuildPaths();
    if (frameDirty_ || frame_.size() != pixels) {
        if (frame_.size() != pixels) {
            frame_ = QPixmap(pixels);
            frame_.setDevicePixelRatio(dpr);
        }
        QPainter p(&frame_);
        p.drawPixmap(0, 0, background_);
        PaintGraphContent(p, model_, map, paths_, hover_, selected_);
        frameDirty_ = false;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, frame_);
    GraphOverlay overlay;
    overlay.rubber = rubber_;
    overlay.stroke = stroke_;
    overlay.readoutPoint = selected_;
    PaintGraphOverlay(p, size(), model_, map, overlay);
}

}  // namespace mixer
