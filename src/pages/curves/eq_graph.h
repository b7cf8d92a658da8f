#pragma once
// CEqGraph: the curve graph every EQ and dynamics view draws through. It
// shows up to three traces and the per-section curves of an EQ over a
// frequency or level axis, and up to 31 points the user drags (band handles,
// graphic EQ bars, transfer-curve corners) or paints over freehand.

#include <QPixmap>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

#include <span>
#include <vector>

#include "pages/curves/eq_graph_painter.h"
#include "pages/curves/plot_mapping.h"

namespace mixer {

class CEqGraph : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxTraces = 3;
    static constexpr int kMaxTracePoints = 512;
    static constexpr int kMaxPoints = 31;
    static constexpr int kHandleSize = 32;
    static constexpr int kFreehandReach = 5;     // pixels either side of the cursor
    static constexpr int kStrokeFinished = 40;   // the value strokeFinished carries

    explicit CEqGraph(QWidget* parent = nullptr);

    // Axes and look. Defaults: curve mode, x 20..20000 logarithmic, y 0..100,
    // no margin, no unit text.
    void SetMode(GraphMode mode);
    GraphMode Mode() const { return model_.mode; }
    void SetXRange(double xmin, double xmax);   // ignored unless xmin < xmax
    void SetYRange(double ymin, double ymax);   // ignored unless ymin < ymax
    void SetLogX(bool on);
    void SetMargin(bool on);
    void SetUnitText(const QString& unit);      // after the dragged value, e.g. " :db"
    void SetAxisCaptions(const QString& x, const QString& y);
    QString XCaption() const { return model_.xCaption; }
    QString YCaption() const { return model_.yCaption; }

    // Curves. Traces are numbered 1..3 and share the x values; section curves
    // (0..kMaxSections-1) are drawn under the traces in the colours of the
    // points with the same index. Indexes out of range are ignored.
    void SetXValue(int index, double x);
    void SetXValues(std::span<const double> xs);
    void SetTracePoint(int trace, int index, double value);
    void SetTrace(int trace, std::span<const double> values);
    void ClearTrace(int trace);
    void SetSectionCount(int count);
    void SetSectionPoint(int section, int index, double value);
    void SetSectionCurve(int section, std::span<const double> values);

    // Movable points 0..PointCount()-1 (identifiers 1..count). A point keeps
    // inside its limits, which default to the axes' ranges; in bar mode a
    // point moves only up and down.
    void SetPointCount(int count);
    int PointCount() const { return static_cast<int>(model_.points.size()); }
    // Ignored while a freehand stroke is drawn.
    void PlacePoint(int index, double x, double y);
    QPointF PointValue(int index) const;
    void SetPointLimits(int index, double xmin, double xmax, double ymin, double ymax);
    void SetPointLabel(int index, const QString& text);
    // The handle's centre in widget pixels: at the point's value, or beside
    // another handle that would hide it.
    QPoint PointPixel(int index) const;

    // While on, the mouse paints the points' heights instead of dragging them.
    void SetFreehand(bool on);
    bool Freehand() const { return freehand_; }
    // True while a point is being dragged with the button held.
    bool Held() const { return held_; }
    int SelectedPoint() const { return selected_; }

    // Drops every cached drawing and repaints (the setters repaint on their own).
    void Redraw();

    QSize sizeHint() const override;

signals:
    // held is 1 for every move of a drag, 0 for its final position and for
    // every point a freehand stroke sets.
    void pointMoved(int index, double x, double y, int held);
    void pointDoubleClicked(int index);
    void strokeFinished(int value);
    // A press that hits no point (the strips open their EQ page with it).
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The point's value in widget pixels, where its handle stands when nothing hides it.
    QPoint ValuePixel(int index) const;
    PlotMapping Mapping() const;
    QPointF Clamped(int index, double x, double y) const;
    int HitTest(const QPoint& pos) const;
    void DragTo(const QPoint& handleCentre);
    void ApplyStroke(const QPoint& from, const QPoint& to);
    void UpdateCursor(const QPoint& pos);
    void AxesChanged();
    void CurvesChanged();
    void PointsChanged();
    void RebuildPaths();

    GraphModel model_;
    bool freehand_ = false;
    bool held_ = false;
    int selected_ = -1;
    int hover_ = -1;
    bool dragged_ = false;
    QPoint dragOffset_;
    bool rubberActive_ = false;
    QRect rubber_;
    QPoint rubberOrigin_;
    bool strokeActive_ = false;
    std::vector<QPoint> stroke_;

    // Drawing caches: the scales change only with size and axes, the curve
    // paths with the data, the frame with anything but the mouse overlays.
    QPixmap background_;
    QPixmap frame_;
    GraphPaths paths_;
    bool backgroundDirty_ = true;
    bool pathsDirty_ = true;
    bool frameDirty_ = true;
};

}  // namespace mixer
