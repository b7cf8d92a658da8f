#include "skin/skin_images.h"

#include <QHash>
#include <QPainter>

namespace mixer {

QString SkinImagePath(int id) { return QStringLiteral(":/skin/%1.png").arg(id); }

QPixmap LoadResourceImage(int id) {
    // Misses are remembered too: a missing image is asked for on every paint.
    static QHash<int, QPixmap> store;
    const auto found = store.constFind(id);
    if (found != store.constEnd()) return *found;
    QPixmap image;
    if (!image.load(SkinImagePath(id), "PNG")) image = QPixmap();
    store.insert(id, image);
    return image;
}

bool PaintTiled(QPainter& painter, const QRect& area, const QPixmap& background) {
    if (background.isNull() || area.isEmpty()) return false;
    painter.drawTiledPixmap(area, background, QPoint(0, 0));
    return true;
}

void PaintFrame(QPainter& painter, const QRect& area) {
    const QPixmap topLeft = LoadResourceImage(131);
    const QPixmap top = LoadResourceImage(132);
    const QPixmap topRight = LoadResourceImage(133);
    const QPixmap left = LoadResourceImage(134);
    const QPixmap right = LoadResourceImage(135);
    const QPixmap bottomLeft = LoadResourceImage(136);
    const QPixmap bottom = LoadResourceImage(137);
    const QPixmap bottomRight = LoadResourceImage(138);
    const int cornerW = topLeft.width();
    const int cornerH = topLeft.height();
    PaintTiled(painter, QRect(area.left() + cornerW, area.top(), area.width() - 2 * cornerW, top.height()), top);
    PaintTiled(painter,
               QRect(area.left() + cornerW, area.bottom() + 1 - bottom.height(), area.width() - 2 * cornerW, bottom.height()),
               bottom);
    PaintTiled(painter, QRect(area.left(), area.top() + cornerH, left.width(), area.height() - 2 * cornerH), left);
    PaintTiled(painter,
               QRect(area.right() + 1 - right.width(), area.top() + cornerH, right.width(), area.height() - 2 * cornerH),
               right);
    painter.drawPixmap(area.topLeft(), topLeft);
    painter.drawPixmap(area.right() + 1 - topRight.width(), area.top(), topRight);
    painter.drawPixmap(area.left(), area.bottom() + 1 - bottomLeft.height(), bottomLeft);
    painter.drawPixmap(area.right() + 1 - bottomRight.width(), area.bottom() + 1 - bottomRight.height(), bottomRight);
}

}  // namespace mixer
