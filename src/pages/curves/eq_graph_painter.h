#pragma once
// What the curve graph shows, and how it is drawn: the scales once per size
// and axes, the curve paths once per data change, the points and the mouse
// overlays on top.

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>
#include <span>
#include <vector>

#include "pages/curves/plot_mapping.h"

class QPainter;

namespace mixer {

// Curve: an EQ over frequency with round handles. Bars: the graphic EQ, one
// bar per point over band positions. Transfer: a dynamics curve, output level
// over input level, with round handles on its corners.
enum class GraphMode { kCurve, kBars, kTransfer };

struct GraphPoint {
    double x = 0.0, y = 0.0;
    bool limited = false;
    double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0;
    QString label;
};

struct GraphModel {
    GraphMode mode = GraphMode::kCurve;
    double xmin = 20.0, xmax = 20000.0, ymin = 0.0, ymax = 100.0;
    bool logX = true;
    bool margin = false;
    QString unit;
    QString xCaption, yCaption;
    std::vector<double> xs;
    std::array<std::vector<double>, 3> traces;
    std::vector<std::vector<double>> sections;
    std::vector<GraphPoint> points;
};

struct GraphPaths {
    std::vector<QPainterPath> sectionLines;
    std::vector<QPainterPath> sectionFills;
    std::array<QPainterPath, 3> traces;
    QPainterPath transferFill;
};

QColor PointColour(int index);

// A label of the graph's scales: what PaintGraphBackground draws in `box`.
struct ScaleLabel {
    QRectF box;
    int flags = 0;
    QString text;
    QFont font;
};
// The level labels and the frequency or input level labels under the plot
// (the graphic EQ's band names are not among them).
std::vector<ScaleLabel> ScaleLabels(const GraphModel& model, const PlotMapping& map);

GraphPaths BuildGraphPaths(const GraphModel& model, const PlotMapping& map);
void PaintGraphBackground(QPainter& p, const QSize& size, const GraphModel& model, const PlotMapping& map);
void PaintGraphContent(QPainter& p, const GraphModel& model, const PlotMapping& map, const GraphPaths& paths,
                       int hover, int selected);

struct GraphOverlay {
    QRect rubber;                  // empty when none
    std::span<const QPoint> stroke;   // freehand stroke so far
    int readoutPoint = -1;         // the point whose value is shown
};
void PaintGraphOverlay(QPainter& p, const QSize& size, const GraphModel& model, const PlotMapping& map,
                       const GraphOverlay& overlay);

// "1.00 kHz  +3.5 :db": the value of a point as shown while it is dragged.
QString ReadoutText(const GraphModel& model, int index);

// Where each point's handle is drawn and taken: at its value, except that a
// handle that would cover a handle before it stands beside it instead, so
// that no handle hides another (a gate's range at 0 dB lies on its
// threshold, a filter on a band at its frequency). Bars are never moved.
std::vector<QPoint> HandleCentres(const GraphModel& model, const PlotMapping& map);

}  // namespace mixer
