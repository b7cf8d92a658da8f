#pragma once
// The level meter beside faders and processors: up to eight columns, each a
// bar lit from the bottom in three colour zones, with a "Peak" mark and a
// caption. Pages feed values; the meter repaints only when a drawn height
// changes, from a cached picture.

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>

#include "skin/meter_geometry.h"

namespace mixer {

class CLevelMeter : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxColumns = 8;
    static constexpr int kCaptionBand = 30;
    enum Style { kSegmented = 1, kSolid = 2 };

    explicit CLevelMeter(QWidget* parent = nullptr);

    void SetColumnCount(int count);  // 1..8
    int ColumnCount() const { return columns_; }
    // Stores the value pulled into the column's range.
    void SetValue(int column, double value);
    double Value(int column) const;
    void SetRange(int column, double minimum, double maximum);
    void SetCaption(int column, const QString& caption);
    // 1 = segmented bar in stripes; 2 = a solid bar in the colour of the zone it reaches.
    void SetStyle(int column, int style);
    void SetMargins(int top, int bottom);
    void SetZoneLimits(double lower, double upper);
    // Shows behind solid (style 2) bars.
    void SetBackgroundColour(const QColor& colour);

    // Pixels lit in a column as drawn now.
    int LitHeight(int column) const;
    MeterSpan ColumnSpan(int column) const;
    int ColumnTop() const { return topMargin_; }
    int ColumnBottom() const { return height() - bottomMargin_; }  // first row below the column

    static QColor LitColour(MeterZone zone);
    static QColor UnlitColour(MeterZone zone);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Column {
        double value = 0.0;
        double minimum = 0.0;
        double maximum = 50.0;
        QString caption;
        int style = kSegmented;
    };

    bool Valid(int column) const { return column >= 0 && column < kMaxColumns; }
    int ColumnHeight() const;
    void Invalidate();
    void Render();
    void PaintSegmented(QPainter& painter, const MeterSpan& span, int lit) const;
    void PaintSolid(QPainter& painter, const MeterSpan& span, int lit) const;

    int columns_ = 4;
    std::array<Column, kMaxColumns> column_;
    int topMargin_ = 10;
    int bottomMargin_ = 0;
    double lowerLimit_ = 0.43;
    double upperLimit_ = 0.58;
    QColor background_ = QColor(192, 192, 192);
    QPixmap picture_;
    bool stale_ = true;
};

}  // namespace mixer
