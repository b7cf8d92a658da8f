#include "pages/curves/eq_graph_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

#include <algorithm>
#include <cmath>

#include "pages/curves/graph_scale.h"

namespace mixer {

namespace {

const QColor kGrid(128, 128, 128);
const QColor kScaleText(184, 190, 198);
const QColor kTotal(246, 244, 236);
const QColor kTransferLine(255, 194, 75);
const QColor kBar(63, 193, 201);
constexpr double kTransferStep = 10.0;
constexpr int kHandleSprite = 32;
// Below these plot sizes (the strips' thumbnails) the fine grid lines and the
// wide strokes would bury the curve.
constexpr double kSmallPlotWidth = 200.0;
constexpr double kSmallPlotHeight = 120.0;

bool SmallPlot(const PlotMapping& map) {
    const PlotRect& a = map.Area();
    return a.right - a.left < kSmallPlotWidth || a.bottom - a.top < kSmallPlotHeight;
}

QColor WithAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

QFont ScaleFont() {
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(11);
    return f;
}

QFont ValueFont() {
    QFont f(QStringLiteral("Arial Unicode MS"));
    f.setPixelSize(11);
    return f;
}

QFont HandleFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    f.setBold(true);
    return f;
}

QRectF PlotRectF(const PlotMapping& map) {
    const PlotRect& a = map.Area();
    return QRectF(a.left, a.top, a.right - a.left, a.bottom - a.top);
}

double ZeroY(const GraphModel& model, const PlotMapping& map) {
    return map.YToPixel(std::clamp(0.0, model.ymin, model.ymax));
}

// Curves far outside the plot are pulled in to two heights of it, so that
// -400 dB does not turn into a coordinate the rasteriser chokes on.
QPainterPath CurvePath(const std::vector<double>& xs, const std::vector<double>& ys, const GraphModel& model,
                       const PlotMapping& map) {
    QPainterPath path;
    const double span = model.ymax - model.ymin;
    const std::size_t n = std::min(xs.size(), ys.size());
    bool open = false;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = xs[i], y = ys[i];
        if (!std::isfinite(x) || !std::isfinite(y) || (map.LogX() && x <= 0.0)) {
            open = false;
            continue;
        }
        const QPointF pt(map.XToPixel(x), map.YToPixel(std::clamp(y, model.ymin - 2 * span, model.ymax + 2 * span)));
        if (open) {
            path.lineTo(pt);
        } else {
            path.moveTo(pt);
            open = true;
        }
    }
    return path;
}

QPainterPath ClosedTo(QPainterPath path, double baseY) {
    if (path.elementCount() < 2) return {};
    const QPointF first = path.elementAt(0);
    const QPointF last = path.currentPosition();
    path.lineTo(last.x(), baseY);
    path.lineTo(first.x(), baseY);
    path.closeSubpath();
    return path;
}

void PaintLevelScale(QPainter& p, const GraphModel& model, const PlotMapping& map) {
    const QRectF plot = PlotRectF(map);
    const bool small = SmallPlot(map);
    for (int i = 0; i < kLevelLines; ++i) {
        const double v = LevelLineValue(model.ymin, model.ymax, i);
        const double y = std::round(map.YToPixel(v)) + 0.5;
        const bool zero = std::abs(v) < 1e-9;
        if (small && !zero && i % 5 != 0) continue;
        p.setPen(QPen(WithAlpha(kGrid, zero ? 170 : 70), 1));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
}

void PaintFrequencyScale(QPainter& p, const GraphModel& model, const PlotMapping& map) {
    const QRectF plot = PlotRectF(map);
    const bool small = SmallPlot(map);
    for (double hz : FrequencyGridLines()) {
        if (hz < model.xmin || hz > model.xmax) continue;
        const double x = std::round(map.XToPixel(hz)) + 0.5;
        const QString label = QString::fromStdString(FrequencyLabel(hz));
        if (small && label.isEmpty()) continue;
        p.setPen(QPen(WithAlpha(kGrid, label.isEmpty() ? 55 : 115), 1));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
}

void PaintLinearScale(QPainter& p, const GraphModel& model, const PlotMapping& map) {
    const QRectF plot = PlotRectF(map);
    for (int i = 0; i <= 10; ++i) {
        const double x = std::round(map.XToPixel(model.xmin + i * (model.xmax - model.xmin) / 10)) + 0.5;
        p.setPen(QPen(WithAlpha(kGrid, 55), 1));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
}

// Vertical lines at the bands that stand on the labelled frequencies, as the
// frequency scale of a curve draws them.
void PaintBandGrid(QPainter& p, const GraphModel& model, const PlotMapping& map) {
    const QRectF plot = PlotRectF(map);
    p.setPen(QPen(WithAlpha(kGrid, 115), 1));
    for (int pos : LabelledBandPositions()) {
        if (pos < model.xmin || pos > model.xmax) continue;
        const double x = std::round(map.XToPixel(pos)) + 0.5;
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
}

// The band names under the bars, on two staggered rows when they would touch.
void PaintBandLabels(QPainter& p, const GraphModel& model, const PlotMapping& map) {
    if (!model.margin) return;
    const QRectF plot = PlotRectF(map);
    p.setFont(ScaleFont());
    p.setPen(kScaleText);
    const QFontMetrics fm(p.font());
    const double spacing = std::abs(map.XToPixel(2.0) - map.XToPixel(1.0));
    const bool stagger = spacing < fm.horizontalAdvance(QStringLiteral("31.5")) + 4;
    const auto& labels = ThirdOctaveLabels();
    for (int i = 0; i < kThirdOctaveBands; ++i) {
        const double pos = i + 1;
        if (pos < model.xmin || pos > model.xmax) continue;
        const double x = map.XToPixel(pos);
        const double top = plot.bottom() + 2 + ((stagger && i % 2) ? 12 : 0);
        p.drawText(QRectF(x - 20, top, 40, 13), Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(labels[i]));
    }
}

void PaintTransferScale(QPainter& p, const GraphModel& model, const PlotMapping& map) {
    const QRectF plot = PlotRectF(map);
    const auto xs = StepLines(model.xmin, model.xmax, kTransferStep);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double x = std::round(map.XToPixel(xs[i])) + 0.5;
        p.setPen(QPen(WithAlpha(kGrid, 70), 1));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    const auto ys = StepLines(model.ymin, model.ymax, kTransferStep);
    for (std::size_t i = 0; i < ys.size(); ++i) {
        const double y = std::round(map.YToPixel(ys[i])) + 0.5;
        p.setPen(QPen(WithAlpha(kGrid, 70), 1));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    // Unity gain, for reference.
    QPen unity(WithAlpha(kGrid, 110), 1, Qt::DashLine);
    p.setPen(unity);
    const double lo = std::max(model.xmin, model.ymin), hi = std::min(model.xmax, model.ymax);
    if (lo < hi) p.drawLine(QPointF(map.XToPixel(lo), map.YToPixel(lo)), QPointF(map.XToPixel(hi), map.YToPixel(hi)));
}

// A handle reaches this far from its centre (its ring while selected): the
// labels along the plot's left side and those under its ends keep clear of
// a handle in a corner.
constexpr double kHandleReach = kHandleSprite / 2.0;

// The level labels along the left side, `inset` in from it: each just above
// its line, the top one just below.
void AddLevelLabels(std::vector<ScaleLabel>& labels, const std::vector<std::pair<double, QString>>& lines,
                    const QRectF& plot, const PlotMapping& map, double inset) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double y = std::round(map.YToPixel(lines[i].first)) + 0.5;
        const double top = (i + 1 == lines.size()) ? y + 1 : y - 14;
        labels.push_back({QRectF(plot.left() + inset, top, 60, 13), Qt::AlignLeft | Qt::AlignVCenter,
                          lines[i].second, ValueFont()});
    }
}

// A label under the plot, centred on its line; near a corner it moves in
// beside the corner instead.
ScaleLabel AxisLabel(double x, const QRectF& plot, const QString& text, const QFont& font) {
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    const double left = std::max(plot.left() + kHandleReach, std::min(x - width / 2, plot.right() - kHandleReach - width));
    return {QRectF(left, plot.bottom() + 2, width, 13), Qt::AlignLeft | Qt::AlignTop, text, font};
}

void PaintCaptions(QPainter& p, const QSize& size, const GraphModel& model, const PlotMapping& map) {
    if (!model.margin) return;
    const QRectF plot = PlotRectF(map);
    QFont f = ValueFont();
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(f);
    p.setPen(kScaleText);
    if (!model.xCaption.isEmpty()) {
        p.drawText(QRectF(plot.left(), plot.bottom() + 14, plot.width(), size.height() - plot.bottom() - 14),
                 Qt::AlignHCenter | Qt::AlignVCenter, model.xCaption);
    }
    if (!model.yCaption.isEmpty()) {
        p.save();
        p.translate(plot.left() / 2.0, plot.center().y());
        p.rotate(-90);
        p.drawText(QRectF(-plot.height() / 2, -8, plot.height(), 16), Qt::AlignCenter, model.yCaption);
        p.restore();
    }
}

// A handle drawn once per look and kept: gradients and text are the slow
// part of a repaint, and a drag repaints on every mouse move.
QPixmap HandleSprite(const QColor& colour, const QString& text, bool hot, bool selected, qreal dpr) {
    const QString key = QStringLiteral("eqgraph-handle:%1:%2:%3%4:%5")
                            .arg(colour.rgba(), 0, 16)
                            .arg(text)
                            .arg(int(hot))
                            .arg(int(selected))
                            .arg(dpr);
    QPixmap sprite;
    if (QPixmapCache::find(key, &sprite)) return sprite;
    constexpr int kSize = kHandleSprite;
    sprite = QPixmap(QSize(kSize, kSize) * dpr);
    sprite.setDevicePixelRatio(dpr);
    sprite.fill(Qt::transparent);
    QPainter p(&sprite);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(kSize / 2.0, kSize / 2.0);
    if (hot || selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(colour, selected ? 90 : 55));
        p.drawEllipse(c, 15, 15);
    }
    QRadialGradient fill(c - QPointF(3, 3), 14);
    fill.setColorAt(0, colour.lighter(135));
    fill.setColorAt(1, colour);
    p.setBrush(fill);
    p.setPen(QPen(selected ? QColor(255, 255, 255) : QColor(255, 255, 255, 200), selected ? 2.2 : 1.4));
    p.drawEllipse(c, 10.5, 10.5);
    p.setFont(HandleFont());
    p.setPen(QColor(16, 18, 20));
    p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, text);
    p.end();
    QPixmapCache::insert(key, sprite);
    return sprite;
}

void PaintHandle(QPainter& p, const GraphPoint& pt, int index, QPoint centre, bool hot, bool selected) {
    const QString text = pt.label.isEmpty() ? QString::number(index + 1) : pt.label;
    const QPixmap sprite = HandleSprite(PointColour(index), text, hot, selected, p.device()->devicePixelRatioF());
    p.drawPixmap(QPointF(centre.x() - 16, centre.y() - 16), sprite);
}

// Thick lines from one-pixel cosmetic strokes laid side by side: many times
// faster than stroking a wide pen, which matters while a point is dragged.
void DrawLine(QPainter& p, const QPainterPath& path, const QColor& colour, double halfWidth) {
    QPen pen(colour, 1);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    if (halfWidth <= 0) return;
    for (const QPointF d : {QPointF(halfWidth, 0), QPointF(-halfWidth, 0), QPointF(0, halfWidth), QPointF(0, -halfWidth)})
        p.drawPath(path.translated(d));
}

void DrawGlow(QPainter& p, const QPainterPath& path, const QColor& colour, double reach) {
    QPen pen(WithAlpha(colour, 38), 1);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (const QPointF d : {QPointF(reach, 0), QPointF(-reach, 0), QPointF(0, reach), QPointF(0, -reach)})
        p.drawPath(path.translated(d));
}

double BarWidth(const PlotMapping& map) {
    const double spacing = std::abs(map.XToPixel(2.0) - map.XToPixel(1.0));
    return std::clamp(spacing * 0.6, 1.0, 18.0);
}

void PaintBars(QPainter& p, const GraphModel& model, const PlotMapping& map, int hover, int selected) {
    const double zero = ZeroY(model, map);
    const double width = BarWidth(map);
    for (std::size_t i = 0; i < model.points.size(); ++i) {
        const GraphPoint& pt = model.points[i];
        const double x = map.HandleX(pt.x), y = map.YToPixel(pt.y);
        const bool hot = static_cast<int>(i) == hover || static_cast<int>(i) == selected;
        const QRectF bar(x - width / 2, std::min(y, zero), width, std::max(1.0, std::abs(zero - y)));
        QLinearGradient g(0, zero, 0, y);
        g.setColorAt(0, WithAlpha(kBar, hot ? 120 : 70));
        g.setColorAt(1, WithAlpha(kBar.lighter(hot ? 150 : 120), hot ? 240 : 200));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRect(bar);
    }
}

// Drawn unclipped: a cap stands half above its bar's end, and a bar at the
// top or foot of the range ends on the plot's edge.
void PaintBarCaps(QPainter& p, const GraphModel& model, const PlotMapping& map, int hover, int selected) {
    const double width = BarWidth(map);
    if (width < 4) return;
    p.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < model.points.size(); ++i) {
        const GraphPoint& pt = model.points[i];
        const double x = map.HandleX(pt.x), y = map.YToPixel(pt.y);
        const bool hot = static_cast<int>(i) == hover || static_cast<int>(i) == selected;
        p.setBrush(hot ? QColor(255, 255, 255) : QColor(226, 244, 245));
        p.drawRoundedRect(QRectF(x - width / 2 - 2, y - 3, width + 4, 6), 2, 2);
    }
}

}  // namespace

QColor PointColour(int index) {
    static const std::array<QColor, 7> kColours = {
        QColor(255, 107, 107), QColor(255, 169, 77), QColor(105, 219, 124), QColor(77, 171, 247),
        QColor(177, 151, 252), QColor(59, 201, 219), QColor(247, 131, 172)};
    return kColours[static_cast<std::size_t>(std::max(index, 0)) % kColours.size()];
}

GraphPaths BuildGraphPaths(const GraphModel& model, const PlotMapping& map) {
    GraphPaths paths;
    const double zero = ZeroY(model, map);
    for (const auto& section : model.sections) {
        QPainterPath line = CurvePath(model.xs, section, model, map);
        paths.sectionFills.push_back(ClosedTo(line, zero));
        paths.sectionLines.push_back(std::move(line));
    }
    for (int t = 0; t < 3; ++t) paths.traces[t] = CurvePath(model.xs, model.traces[t], model, map);
    if (model.mode == GraphMode::kTransfer) paths.transferFill = ClosedTo(paths.traces[0], map.Area().bottom);
    return paths;
}

std::vector<ScaleLabel> ScaleLabels(const GraphModel& model, const PlotMapping& map) {
    std::vector<ScaleLabel> labels;
    if (!model.margin) return labels;
    const QRectF plot = PlotRectF(map);
    if (model.mode == GraphMode::kTransfer) {
        // The lowest level of each axis meets in the corner, where the gain
        // handle sits; neither is labelled.
        const auto xs = StepLines(model.xmin, model.xmax, kTransferStep);
        for (std::size_t i = 1; i < xs.size(); ++i) {
            labels.push_back(AxisLabel(std::round(map.XToPixel(xs[i])) + 0.5, plot,
                                       QString::number(std::lround(xs[i])), ValueFont()));
        }
        const auto ys = StepLines(model.ymin, model.ymax, kTransferStep);
        std::vector<std::pair<double, QString>> lines;
        for (std::size_t i = 1; i < ys.size(); ++i) {
            QString text = QString::number(std::lround(ys[i]));
            if (i + 1 == ys.size()) text += QStringLiteral("dB");
            lines.emplace_back(ys[i], text);
        }
        AddLevelLabels(labels, lines, plot, map, kHandleReach);
        return labels;
    }
    std::vector<std::pair<double, QString>> lines;
    for (int i = 0; i < kLevelLines; ++i) {
        const double v = LevelLineValue(model.ymin, model.ymax, i);
        if (SmallPlot(map) && std::abs(v) >= 1e-9 && i % 5 != 0) continue;
        lines.emplace_back(v, QString::fromStdString(LevelLabel(model.ymin, model.ymax, i)));
    }
    // Bars have no handles, and their first bar stands close to the left side.
    constexpr double kBarsInset = 4.0;
    AddLevelLabels(labels, lines, plot, map, model.mode == GraphMode::kBars ? kBarsInset : kHandleReach);
    if (model.mode == GraphMode::kCurve && map.LogX()) {
        for (double hz : FrequencyGridLines()) {
            if (hz < model.xmin || hz > model.xmax) continue;
            const QString label = QString::fromStdString(FrequencyLabel(hz));
            if (!label.isEmpty()) labels.push_back(AxisLabel(std::round(map.XToPixel(hz)) + 0.5, plot, label, ScaleFont()));
        }
    }
    return labels;
}

void PaintGraphBackground(QPainter& p, const QSize& size, const GraphModel& model, const PlotMapping& map) {
    p.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient back(0, 0, 0, size.height());
    back.setColorAt(0, QColor(38, 42, 49));
    back.setColorAt(1, QColor(22, 25, 29));
    p.fillRect(QRect(QPoint(0, 0), size), back);
    const QRectF plot = PlotRectF(map);
    QLinearGradient panel(0, plot.top(), 0, plot.bottom());
    panel.setColorAt(0, QColor(20, 23, 27));
    panel.setColorAt(1, QColor(13, 15, 18));
    p.fillRect(plot, panel);

    switch (model.mode) {
    case GraphMode::kTransfer:
        PaintTransferScale(p, model, map);
        break;
    case GraphMode::kBars:
        PaintBandGrid(p, model, map);
        PaintLevelScale(p, model, map);
        PaintBandLabels(p, model, map);
        break;
    case GraphMode::kCurve:
        if (map.LogX()) {
            PaintFrequencyScale(p, model, map);
        } else {
            PaintLinearScale(p, model, map);
        }
        PaintLevelScale(p, model, map);
        break;
    }
    p.setPen(kScaleText);
    for (const ScaleLabel& label : ScaleLabels(model, map)) {
        p.setFont(label.font);
        p.drawText(label.box, label.flags, label.text);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    PaintCaptions(p, size, model, map);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot.adjusted(0.5, 0.5, -0.5, -0.5));
}

void PaintGraphContent(QPainter& p, const GraphModel& model, const PlotMapping& map, const GraphPaths& paths,
                       int hover, int selected) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.save();
    p.setClipRect(PlotRectF(map));
    // The fills' edges lie under the curves' lines, so they need no antialiasing.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (std::size_t s = 0; s < paths.sectionFills.size(); ++s)
        p.fillPath(paths.sectionFills[s], WithAlpha(PointColour(static_cast<int>(s)), 42));
    if (!paths.transferFill.isEmpty()) {
        QLinearGradient g(0, map.Area().top, 0, map.Area().bottom);
        g.setColorAt(0, WithAlpha(kTransferLine, 70));
        g.setColorAt(1, WithAlpha(kTransferLine, 8));
        p.fillPath(paths.transferFill, g);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    for (std::size_t s = 0; s < paths.sectionLines.size(); ++s)
        DrawLine(p, paths.sectionLines[s], WithAlpha(PointColour(static_cast<int>(s)), 190), 0);
    if (model.mode == GraphMode::kBars) PaintBars(p, model, map, hover, selected);
    const std::array<QColor, 3> traceColours = {
        model.mode == GraphMode::kTransfer ? kTransferLine : kTotal, QColor(255, 213, 74), QColor(154, 208, 255)};
    const bool small = SmallPlot(map);
    for (int t = 2; t >= 0; --t) {
        if (paths.traces[t].isEmpty()) continue;
        if (t == 0 && !small) DrawGlow(p, paths.traces[t], traceColours[t], 1.8);
        DrawLine(p, paths.traces[t], traceColours[t], (t == 0 && !small) ? 0.5 : 0.3);
    }
    p.restore();
    if (model.mode == GraphMode::kBars) {
        PaintBarCaps(p, model, map, hover, selected);
        return;
    }
    const std::vector<QPoint> centres = HandleCentres(model, map);
    for (std::size_t i = 0; i < model.points.size(); ++i) {
        const int idx = static_cast<int>(i);
        if (idx != selected) PaintHandle(p, model.points[i], idx, centres[i], idx == hover, false);
    }
    if (selected >= 0 && selected < static_cast<int>(model.points.size()))
        PaintHandle(p, model.points[selected], selected, centres[selected], true, true);
}

std::vector<QPoint> HandleCentres(const GraphModel& model, const PlotMapping& map) {
    // Handles closer than this on both axes cover each other's middle.
    constexpr int kApart = 24;
    std::vector<QPoint> centres;
    centres.reserve(model.points.size());
    const auto covers = [&](QPoint c) {
        for (const QPoint& other : centres) {
            if (std::abs(c.x() - other.x()) < kApart && std::abs(c.y() - other.y()) < kApart) return true;
        }
        return false;
    };
    for (const GraphPoint& pt : model.points) {
        const QPoint at(map.HandleX(pt.x), map.HandleY(pt.y));
        QPoint placed = at;
        if (model.mode != GraphMode::kBars && covers(at)) {
            for (const QPoint step : {QPoint(kApart, 0), QPoint(-kApart, 0), QPoint(0, kApart), QPoint(0, -kApart),
                                      QPoint(kApart, kApart), QPoint(-kApart, -kApart)}) {
                if (!covers(at + step)) {
                    placed = at + step;
                    break;
                }
            }
        }
        centres.push_back(placed);
    }
    return centres;
}

void PaintGraphOverlay(QPainter& p, const QSize& size, const GraphModel& model, const PlotMapping& map,
                       const GraphOverlay& overlay) {
    p.setRenderHint(QPainter::Antialiasing, true);
    if (!overlay.rubber.isEmpty()) {
        p.setPen(QPen(QColor(255, 255, 255, 140), 1, Qt::DashLine));
        p.setBrush(QColor(255, 255, 255, 18));
        p.drawRect(QRectF(overlay.rubber).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    if (overlay.stroke.size() > 1) {
        p.setPen(QPen(QColor(255, 255, 255, 110), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(overlay.stroke.data(), static_cast<int>(overlay.stroke.size()));
    }
    const int i = overlay.readoutPoint;
    if (i < 0 || i >= static_cast<int>(model.points.size())) return;
    const QString text = ReadoutText(model, i);
    p.setFont(ValueFont());
    const QFontMetrics fm(p.font());
    const QSize box(fm.horizontalAdvance(text) + 12, fm.height() + 6);
    const QPoint c(map.HandleX(model.points[i].x), map.HandleY(model.points[i].y));
    QRect r(QPoint(c.x() + 14, c.y() - 18 - box.height()), box);
    if (r.right() > size.width() - 2) r.moveRight(c.x() - 14);
    if (r.top() < 2) r.moveTop(c.y() + 18);
    p.setPen(QPen(WithAlpha(PointColour(model.mode == GraphMode::kBars ? 5 : i), 200), 1));
    p.setBrush(QColor(10, 12, 14, 215));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    p.setPen(QColor(240, 240, 240));
    p.drawText(r, Qt::AlignCenter, text);
}

QString ReadoutText(const GraphModel& model, int index) {
    const GraphPoint& pt = model.points[index];
    const QString level = QString::asprintf("%+.1f", pt.y) + model.unit;
    switch (model.mode) {
    case GraphMode::kBars: {
        const long band = std::lround(pt.x);
        const QString name = (band >= 1 && band <= kThirdOctaveBands)
                                 ? QString::fromLatin1(ThirdOctaveLabels()[band - 1])
                                 : QString::number(band);
        return name + QStringLiteral("  ") + level;
    }
    case GraphMode::kTransfer:
        return QString::asprintf("%.1f / %.1f", pt.x, pt.y) + model.unit;
    case GraphMode::kCurve:
        break;
    }
    if (!model.logX) return QString::asprintf("%.1f  ", pt.x) + level;
    const QString hz = pt.x < 1000 ? QString::asprintf("%.0f Hz", pt.x) : QString::asprintf("%.2f kHz", pt.x / 1000);
    return hz + QStringLiteral("  ") + level;
}

}  // namespace mixer
