#pragma once
// Conversion between values (Hz or position across, dB up) and widget pixels
// for the curve graph. Pure so that the drag and freehand arithmetic can be
// checked without a window.

namespace mixer {

struct PlotRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The area inside the widget that the axes span; with the margin it leaves
// a twentieth of the width at each side, a twentieth of the height at the top
// and a tenth at the bottom for the scale labels.
PlotRect PlotArea(int width, int height, bool margin);

class PlotMapping {
public:
    // A logarithmic axis needs 0 < xmin < xmax; otherwise the axis is linear.
    // An empty range is widened to 1 so that nothing divides by zero.
    PlotMapping(PlotRect area, double xmin, double xmax, bool logX, double ymin, double ymax);

    const PlotRect& Area() const { return area_; }
    bool LogX() const { return logX_; }

    double XToPixel(double x) const;   // unrounded, for drawing curves
    double YToPixel(double y) const;
    double PixelToX(double px) const;
    double PixelToY(double py) const;

    // Handle centres: whole pixels, truncated across as the mixer's editor
    // always placed them, rounded up and down.
    int HandleX(double x) const;
    int HandleY(double y) const;
    // The column used to decide which points a freehand stroke reaches.
    int ColumnX(double x) const;

private:
    double Fraction(double x) const;

    PlotRect area_;
    double xmin_, xmax_, ymin_, ymax_;
    bool logX_;
};

}  // namespace mixer
