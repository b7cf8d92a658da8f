#include "skin/skin_images.h"

#include <QHash>
#include <QPaintDevice>
#include <QPainter>

namespace mixer {

namespace {

// Misses are remembered too: a missing image is asked for on every paint.
QPixmap Cached(QHash<int, QPixmap>& store, int id, const QString& path, qreal ratio) {
    const auto found = store.constFind(id);
    if (found != store.constEnd()) return *found;
    QPixmap image;
    if (!image.load(path, "PNG")) image = QPixmap();
    image.setDevicePixelRatio(ratio);
    store.insert(id, image);
    return image;
}

qreal DeviceRatio(const QPainter& painter) {
    return painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
}

}  // namespace

QString SkinImagePath(int id) { return QStringLiteral(":/skin/%1.png").arg(id); }

QString SkinImagePath2x(int id) { return QStringLiteral(":/skin/%1@2x.png").arg(id); }

QPixmap LoadResourceImage(int id) {
    static QHash<int, QPixmap> store;
    return Cached(store, id, SkinImagePath(id), 1.0);
}

SkinPixmap LoadSkinPixmap(int id) {
    static QHash<int, QPixmap> store;
    SkinPixmap image{LoadResourceImage(id), Cached(store, id, SkinImagePath2x(id), 2.0)};
    // A 2x picture that does not match its 1x one would be laid out wrongly.
    if (image.dense.size() != image.normal.size() * 2) image.dense = QPixmap();
    return image;
}

void DrawSkinPixmap(QPainter& painter, const QRect& target, const SkinPixmap& image) {
    if (image.isNull() || target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, image.For(DeviceRatio(painter)));
    painter.restore();
}

bool PaintTiled(QPainter& painter, const QRect& area, const QPixmap& background, const QRect& exposed) {
    if (background.isNull() || area.isEmpty()) return false;
    const QRect part = area & exposed;
    if (part.isEmpty()) return true;
    const QSize tile = background.deviceIndependentSize().toSize();
    if (tile.isEmpty()) return false;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The copies stay where they would stand had the whole area been drawn.
    const QPoint into((part.x() - area.x()) % tile.width(), (part.y() - area.y()) % tile.height());
    painter.drawTiledPixmap(part, background, into);
    painter.restore();
    return true;
}

void PaintFrame(QPainter& painter, const QRect& area) {
    const qreal ratio = DeviceRatio(painter);
    const auto piece = [ratio](int id) { return LoadSkinPixmap(id).For(ratio); };
    const QPixmap topLeft = piece(131);
    const QPixmap top = piece(132);
    const QPixmap topRight = piece(133);
    const QPixmap left = piece(134);
    const QPixmap right = piece(135);
    const QPixmap bottomLeft = piece(136);
    const QPixmap bottom = piece(137);
    const QPixmap bottomRight = piece(138);
    // Laid out in logical pixels, whichever density the pieces have.
    const auto size = [](const QPixmap& image) { return image.deviceIndependentSize().toSize(); };
    const int cornerW = size(topLeft).width();
    const int cornerH = size(topLeft).height();
    const auto edge = [&painter](const QRect& place, const QPixmap& image) { PaintTiled(painter, place, image, place); };
    edge(QRect(area.left() + cornerW, area.top(), area.width() - 2 * cornerW, size(top).height()), top);
    edge(QRect(area.left() + cornerW, area.bottom() + 1 - size(bottom).height(), area.width() - 2 * cornerW,
               size(bottom).height()),
         bottom);
    edge(QRect(area.left(), area.top() + cornerH, size(left).width(), area.height() - 2 * cornerH), left);
    edge(QRect(area.right() + 1 - size(right).width(), area.top() + cornerH, size(right).width(),
               area.height() - 2 * cornerH),
         right);
    painter.drawPixmap(area.topLeft(), topLeft);
    painter.drawPixmap(area.right() + 1 - size(topRight).width(), area.top(), topRight);
    painter.drawPixmap(area.left(), area.bottom() + 1 - size(bottomLeft).height(), bottomLeft);
    painter.drawPixmap(area.right() + 1 - size(bottomRight).width(), area.bottom() + 1 - size(bottomRight).height(),
                       bottomRight);
}

}  // namespace mixer
