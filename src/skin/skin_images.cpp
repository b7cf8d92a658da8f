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

}  // namespace mixer
