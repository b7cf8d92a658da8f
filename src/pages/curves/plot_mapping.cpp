#include "pages/curves/plot_mapping.h"

#include <cmath>

namespace mixer {

PlotRect PlotArea(int width, int height, bool margin) {
    if (!margin) return {0, 0, width, height};
    return {width / 20, height / 20, width - width / 20, height - height / 10};
}

PlotMapping::PlotMapping(PlotRect area, double xmin, double xmax, bool logX, double ymin, double ymax)
    : area_(area), xmin_(xmin), xmax_(xmax), ymin_(ymin), ymax_(ymax),
      logX_(logX && xmin > 0.0 && xmax > xmin) {
    if (!(xmax_ != xmin_)) xmax_ = xmin_ + 1.0;
    if (!(ymax_ != ymin_)) ymax_ = ymin_ + 1.0;
}

double PlotMapping::Fraction(double x) const {
    if (logX_) return std::log10(x / xmin_) / std::log10(xmax_ / xmin_);
    return (x - xmin_) / (xmax_ - xmin_);
}

double PlotMapping::XToPixel(double x) const {
    return area_.left + Fraction(x) * (area_.right - area_.left);
}

double PlotMapping::YToPixel(double y) const {
    return area_.bottom - (y - ymin_) / (ymax_ - ymin_) * (area_.bottom - area_.top);
}

double PlotMapping::PixelToX(double px) const {
    const double width = area_.right - area_.left;
    const double f = width > 0 ? (px - area_.left) / width : 0.0;
    if (logX_) return xmin_ * std::pow(xmax_ / xmin_, f);
    return xmin_ + f * (xmax_ - xmin_);
}

double PlotMapping::PixelToY(double py) const {
    const double height = area_.bottom - area_.top;
    const double f = height > 0 ? (area_.bottom - py) / height : 0.0;
    return ymin_ + f * (ymax_ - ymin_);
}

int PlotMapping::HandleX(double x) const {
    return area_.left + static_cast<int>(std::trunc(Fraction(x) * (area_.right - area_.left)));
}

int PlotMapping::HandleY(double y) const { return static_cast<int>(std::lround(YToPixel(y))); }

int PlotMapping::ColumnX(double x) const { return static_cast<int>(std::lround(XToPixel(x))); }

}  // namespace mixer
