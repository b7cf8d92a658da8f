#pragma once
// The level meter beside faders and processors: up to eight columns, each a
// bar lit from the bottom in three colour zones, with a "Peak" mark and a
// caption. Pages feed values; the meter repaints only the rows whose drawn
// height changed, copying them from pictures of the meter unlit and lit that
// are painted again only when its size or look changes.

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>
#include <array>

#include "skin/meter_geometry.h"

class QPainter;

namespace mixer {

struct MeterColumnLook;

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
    // Captions stand in a band of kCaptionBand rows under the bars, which
    // stop above it.
    void SetCaption(int column, const QString& caption);
    // The mark above every column that lights when its bar is full, in
    // language 1 (English) or 2 (Chinese); other values change nothing.
    void SetLanguage(int language);
    QString PeakCaption() const { return peakCaption_; }
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
    int ColumnBottom() const;  // first row below the column

    static QColor LitColour(MeterZone zone);
    static QColor UnlitColour(MeterZone zone);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Pictures of the whole meter with every column unlit, every column full
    // ("Peak" lit too), and every bar lit but "Peak" unlit; a solid bar takes
    // the colour of the zone it reaches, so there is a lit picture per zone.
    enum Picture { kUnlit, kFull, kLitLow, kLitMiddle, kLitHigh, kPictureCount };

    struct Column {
        double value = 0.0;
        double minimum = 0.0;
        double maximum = 50.0;
        QString caption;
        int style = kSegmented;
    };

    bool Valid(int column) const { return column >= 0 && column < kMaxColumns; }
    bool HasCaptions() const;
    int ColumnHeight() const;
    MeterColumnLook Look(int column) const;
    Picture LitPicture(int column, int lit) const;
    const QImage& CachedPicture(Picture kind);
    void DropPictures();
    void PrepareShown();
    // Device pixel where a logical row or column begins in the pictures: the
    // painter rounds the edges of the pictures' fills to the nearest one.
    int DeviceEdge(int logical) const;
    void ComposeColumn(int column, int lit);
    void RepaintRows(int column, int before, int after);

    int columns_ = 4;
    std::array<Column, kMaxColumns> column_;
    int topMargin_ = 10;
    int bottomMargin_ = 0;
    double lowerLimit_ = 0.43;
    double upperLimit_ = 0.58;
    QColor background_ = QColor(192, 192, 192);
    QString peakCaption_ = QStringLiteral("Peak");
    qreal pictureRatio_ = 0;  // device pixel ratio the pictures were painted for
    std::array<QImage, kPictureCount> pictures_;
    // The meter as drawn: each column copied from the picture of its state.
    QImage shown_;
    std::array<int, kMaxColumns> shownLit_{};
    QRect pendingRows_;  // rows changed since the last paint
};

// Where one column of a level meter stands and how it looks.
struct MeterColumnLook {
    MeterSpan span{0, -1};
    int top = 0;          // first row of the bar
    int bottom = 0;       // first row below the bar
    int meterHeight = 0;  // the caption band sits at the meter's foot
    int style = CLevelMeter::kSegmented;
    double lowerLimit = 0.43;
    double upperLimit = 0.58;
    QColor background;    // behind a solid bar
    QString caption;
    QString peak = QStringLiteral("Peak");
};

// Draws the column whole, its bar lit `lit` rows from the bottom, over what
// the painter holds.
void PaintMeterColumn(QPainter& painter, const MeterColumnLook& look, int lit);

}  // namespace mixer
