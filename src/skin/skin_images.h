#pragma once
// The skin's images, looked up by number. Every PNG and background of the
// program lives in the resource ":/skin/<number>.png"; all but the large page
// backgrounds also in ":/skin/<number>@2x.png", drawn at twice the size for
// screens at 150 % and 200 % display scaling. Each is decoded once and shared
// by all controls that draw it.

#include <QPixmap>
#include <QRect>
#include <QRegion>
#include <QString>

class QPainter;

namespace mixer {

QString SkinImagePath(int id);
QString SkinImagePath2x(int id);

// The 1x image with that number, or a null pixmap when the program has none.
// Its size is the size the skin lays the image out at. GUI thread only.
QPixmap LoadResourceImage(int id);

// An image in both densities. size() is the layout size (the 1x image's);
// For() gives what a device of that pixel ratio draws into a rectangle of
// that size: the 2x image, whose devicePixelRatio is 2, on any device denser
// than 1:1 where there is one, so nothing is ever blown up from 1x there.
struct SkinPixmap {
    QPixmap normal;
    QPixmap dense;

    bool isNull() const { return normal.isNull(); }
    QSize size() const { return normal.size(); }
    int width() const { return normal.width(); }
    int height() const { return normal.height(); }
    const QPixmap& For(qreal devicePixelRatio) const {
        return devicePixelRatio > 1 && !dense.isNull() ? dense : normal;
    }
};

// Both densities of the image with that number; either may be null.
SkinPixmap LoadSkinPixmap(int id);

// Draws image into target (logical pixels) at the density of the painter's
// device.
void DrawSkinPixmap(QPainter& painter, const QRect& target, const SkinPixmap& image);

// A background picture, tiled from the top-left corner of what it fills,
// each copy at its full size. One whose rows are each a single colour beyond
// a few leading columns (the console's and the strips', painted a few pixels
// wide) is kept as those columns and one more, which is stretched across
// the whole width: a picture as wide as the screen would hold megabytes for
// what a few kilobytes say, and take as long to decode at start-up.
class SkinBackground {
public:
    SkinBackground() = default;
    explicit SkinBackground(const QImage& picture);

    bool isNull() const { return size_.isEmpty(); }
    QSize size() const { return size_; }
    // Memory the kept pixels take, in bytes.
    qint64 KeptBytes() const;
    // Fills the part of area inside `exposed` (a paint event's rectangle)
    // as the whole picture tiled over area would: a meter that repaints a
    // few rows must not cost a blend of the whole background. A background
    // is drawn on a denser device with its pixels repeated, never smoothed:
    // its rows are single colours and its lines a pixel wide, so it stays sharp.
    void Paint(QPainter& painter, const QRect& area, const QRect& exposed) const;

private:
    QSize size_;
    int lead_ = -1;  // columns before the stretched one; -1: the whole picture is kept
    QPixmap kept_;
};

// The background with that number, decoded once; null when the program has none.
const SkinBackground& LoadBackground(int id);

// Paints background over area as SkinBackground::Paint does, within the
// exposed region; false, drawing nothing, when it is null, so that the caller
// falls back to a plain colour.
bool PaintTiled(QPainter& painter, const QRect& area, const SkinBackground& background, const QRegion& exposed);

// Draws the strip frame along area's edges: corners 131, 133, 136, 138 and
// the edges 132 (top), 134 (left), 135 (right), 137 (bottom) repeated between
// them. A missing piece is left out, and so is one outside exposed.
void PaintFrame(QPainter& painter, const QRect& area, const QRegion& exposed);

}  // namespace mixer
