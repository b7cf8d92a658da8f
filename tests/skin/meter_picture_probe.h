#pragma once
// Helpers for checking that a level meter shows exactly what painting every
// column from scratch gives: the reference render, a pixel comparison, and
// windows that show the meter and the reference side by side.

#include <QBackingStore>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "skin/level_meter.h"
#include "widget_probe.h"

namespace skin_test {

using mixer::CLevelMeter;
using mixer::MeterColumnLook;

// What a test told the meter about its look; the meter has no getters for it.
struct Look {
    int top = 10;
    int bottom = 0;
    double lower = 0.43;
    double upper = 0.58;
    QColor background = QColor(192, 192, 192);
    std::array<int, CLevelMeter::kMaxColumns> styles{};
    std::array<QString, CLevelMeter::kMaxColumns> captions;

    Look() { styles.fill(CLevelMeter::kSegmented); }
};

// An image of the meter's size in device pixels, filled with kUnder.
inline QImage Canvas(const QWidget& meter) {
    const qreal ratio = meter.devicePixelRatioF();
    QImage image(meter.size() * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kUnder);
    return image;
}

// What the meter draws over kUnder, in device pixels.
inline QImage Shot(QWidget& meter) {
    QImage image = Canvas(meter);
    meter.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// The meter painted from scratch, every column at its present lit height, on
// a clear picture.
inline QPixmap FullPicture(const CLevelMeter& meter, const Look& look) {
    const qreal ratio = meter.devicePixelRatioF();
    QPixmap picture(meter.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        for (int i = 0; i < meter.ColumnCount(); ++i) {
            MeterColumnLook column;
            column.span = meter.ColumnSpan(i);
            column.top = meter.ColumnTop();
            column.bottom = std::max(meter.ColumnTop(), meter.ColumnBottom());
            column.meterHeight = meter.height();
            column.style = look.styles[i];
            column.lowerLimit = look.lower;
            column.upperLimit = look.upper;
            column.background = look.background;
            column.caption = look.captions[i];
            mixer::PaintMeterColumn(p, column, meter.LitHeight(i));
        }
    }
    return picture;
}

// What FullPicture shows over kUnder.
inline QImage FullRender(const CLevelMeter& meter, const Look& look) {
    QImage image = Canvas(meter);
    QPainter(&image).drawPixmap(0, 0, FullPicture(meter, look));
    return image;
}

// Empty when the images are alike, else where they first differ.
inline std::string Difference(const QImage& shown, const QImage& expected) {
    if (shown.size() != expected.size()) return "the sizes differ";
    const QImage a = shown.convertToFormat(QImage::Format_ARGB32);
    const QImage b = expected.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                       a.pixelColor(x, y).name(QColor::HexArgb).toStdString() + ", a full render gives " +
                       b.pixelColor(x, y).name(QColor::HexArgb).toStdString();
            }
        }
    }
    return {};
}

inline void Apply(CLevelMeter& meter, const Look& look) {
    meter.SetMargins(look.top, look.bottom);
    meter.SetZoneLimits(look.lower, look.upper);
    meter.SetBackgroundColour(look.background);
    for (int i = 0; i < CLevelMeter::kMaxColumns; ++i) {
        meter.SetStyle(i, look.styles[i]);
        meter.SetCaption(i, look.captions[i]);
    }
}

// Four columns, two of each style, two with captions over their bars.
inline Look MixedLook() {
    Look look;
    look.styles = {CLevelMeter::kSegmented, CLevelMeter::kSolid, CLevelMeter::kSegmented, CLevelMeter::kSolid,
                   CLevelMeter::kSegmented, CLevelMeter::kSegmented, CLevelMeter::kSegmented, CLevelMeter::kSegmented};
    look.captions[0] = QStringLiteral("L");
    look.captions[1] = QStringLiteral("GR");
    return look;
}

// Levels that cross every zone, fill the column (lighting "Peak") and fall
// back, with the columns at different heights.
inline const std::vector<double> kLevels = {0, 0.7, 3.9, 12.5, 21.4, 25, 28.9, 29.6, 40,
                                           49.5, 49.9, 50, 31, 8, 0, 50, 2};

inline void SetAll(CLevelMeter& meter, double level) {
    for (int i = 0; i < meter.ColumnCount(); ++i) meter.SetValue(i, level - 3.0 * i);
}

// A window filled with kUnder.
class Window : public QWidget {
public:
    Window() {
        setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, kUnder);
        setPalette(palette);
        resize(140, 220);
    }
    // What reached the window, in device pixels. The offscreen platform
    // keeps the window's pixels in an image.
    QImage Pixels() {
        const auto* pixels = dynamic_cast<const QImage*>(backingStore()->paintDevice());
        return pixels == nullptr ? QImage() : pixels->copy();
    }
};

// Paints a meter from scratch on every paint, as a meter without cached
// pictures would.
class ReferenceMeter : public QWidget {
public:
    ReferenceMeter(QWidget* parent, const CLevelMeter& meter, const Look& look)
        : QWidget(parent), meter_(meter), look_(look) {}

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(0, 0, FullPicture(meter_, look_)); }

private:
    const CLevelMeter& meter_;
    const Look& look_;
};

// The meter and a reference painted from scratch, each in a window of its
// own, at the same place.
struct Windows {
    explicit Windows(const Look& look)
        : meter(new CLevelMeter(&shown)), reference(new ReferenceMeter(&expected, *meter, look)) {
        // At an odd place, which at a fractional ratio falls between device pixels.
        const QRect place(3, 5, 121, 201);
        meter->setGeometry(place);
        reference->setGeometry(place);
        Apply(*meter, look);
        shown.show();
        expected.show();
    }
    bool Exposed() { return QTest::qWaitForWindowExposed(&shown) && QTest::qWaitForWindowExposed(&expected); }
    // Empty when both windows show the same.
    std::string Difference() {
        reference->update();
        QCoreApplication::processEvents();
        const QImage pixels = shown.Pixels();
        if (pixels.isNull()) return "the window's pixels cannot be read";
        return skin_test::Difference(pixels, expected.Pixels());
    }

    Window shown;
    Window expected;
    CLevelMeter* meter;
    QWidget* reference;
};

}  // namespace skin_test
