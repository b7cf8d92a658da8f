#pragma once
// The skin's images, looked up by number. Every PNG and background of the
// program lives in the resource ":/skin/<number>.png"; each is decoded once
// and shared by all controls that draw it.

#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;

namespace mixer {

QString SkinImagePath(int id);

// The image with that number, or a null pixmap when the program has none.
// GUI thread only.
QPixmap LoadResourceImage(int id);

// Fills area with background tiled from area's top-left corner, each copy at
// its full size. Returns false, drawing nothing, when background is null, so
// that the caller falls back to its plain background.
bool PaintTiled(QPainter& painter, const QRect& area, const QPixmap& background);

// Draws the strip frame along area's edges: corners 131, 133, 136, 138 and
// the edges 132 (top), 134 (left), 135 (right), 137 (bottom) repeated between
// them. A missing piece is left out.
void PaintFrame(QPainter& painter, const QRect& area);

}  // namespace mixer
