#include "skin/skin_images.h"

#include <QHash>
#include <QImage>
#include <algorithm>
#include <QPaintDevice>
#include <QPainter>

namespace mixer {

namespace {

// Misses are remembered too: a missing image is asked for on every paint.
// The path is built only on a miss: pictures are asked for on every paint.
QPixmap Cached(QHash<int, QPixmap>& store, int id, QString (*path)(int), qreal ratio) {
    const auto found = store.constFind(id);
    if (found != store.constEnd()) return *found;
    QPixmap image;
    if (!image.load(path(id), "PNG")) image = QPixmap();
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
    return Cached(store, id, SkinImagePath, 1.0);
}

SkinPixmap LoadSkinPixmap(int id) {
    static QHash<int, QPixmap> store;
    SkinPixmap image{LoadResourceImage(id), Cached(store, id, SkinImagePath2x, 2.0)};
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

namespace {

// Copies of `picture` (logical size `tile`) laid from area's top-left corner,
// as far as they reach into `part`; `draw` paints one copy's piece: the
// target rectangle and where it lies within the copy.
template <typename Draw>
void EachCopy(const QRect& area, const QRect& part, QSize tile, Draw draw) {
    const int firstX = area.x() + (part.x() - area.x()) / tile.width() * tile.width();
    const int firstY = area.y() + (part.y() - area.y()) / tile.height() * tile.height();
    for (int y = firstY; y <= part.bottom(); y += tile.height()) {
        for (int x = firstX; x <= part.right(); x += tile.width()) {
            const QRect piece = QRect(QPoint(x, y), tile) & part;
            draw(piece, piece.translated(-x, -y));
        }
    }
}

void Tile(QPainter& painter, const QRect& area, const QPixmap& picture, const QRect& exposed) {
    const QRect part = area & exposed;
    const QSize tile = picture.deviceIndependentSize().toSize();
    if (part.isEmpty() || tile.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The copies stay where they would stand had the whole area been drawn.
    const QPoint into((part.x() - area.x()) % tile.width(), (part.y() - area.y()) % tile.height());
    painter.drawTiledPixmap(part, picture, into);
    painter.restore();
}

}  // namespace

SkinBackground::SkinBackground(const QImage& picture) : size_(picture.size()) {
    if (picture.isNull()) return;
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    // The longest run of leading columns any row has before it is one colour.
    constexpr int kMostLeadingColumns = 16;
    int lead = 0;
    for (int y = 0; y < pixels.height() && lead <= kMostLeadingColumns; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        int x = pixels.width() - 1;
        while (x > lead && row[x - 1] == row[pixels.width() - 1]) --x;
        lead = std::max(lead, x);
    }
    if (lead <= kMostLeadingColumns) {
        lead_ = lead;
        kept_ = QPixmap::fromImage(pixels.copy(0, 0, lead + 1, pixels.height()));
    } else {
        kept_ = QPixmap::fromImage(pixels);
    }
}

qint64 SkinBackground::KeptBytes() const { return qint64(kept_.width()) * kept_.height() * kept_.depth() / 8; }

void SkinBackground::Paint(QPainter& painter, const QRect& area, const QRect& exposed) const {
    if (isNull()) return;
    if (lead_ < 0) return Tile(painter, area, kept_, exposed);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The stretched column makes one copy as wide as the area.
    const QSize copy(std::max(area.width(), size_.width()), size_.height());
    EachCopy(area, area & exposed, copy, [&](const QRect& target, const QRect& within) {
        const int split = std::clamp(lead_ - within.x(), 0, within.width());
        if (split > 0) painter.drawPixmap(QRect(target.topLeft(), QSize(split, target.height())), kept_,
                                          QRect(within.topLeft(), QSize(split, within.height())));
        if (split < target.width()) {
            painter.drawPixmap(QRect(target.x() + split, target.y(), target.width() - split, target.height()), kept_,
                               QRect(lead_, within.y(), 1, within.height()));
        }
    });
    painter.restore();
}

const SkinBackground& LoadBackground(int id) {
    static QHash<int, SkinBackground> store;
    const auto found = store.constFind(id);
    if (found != store.constEnd()) return *found;
    return *store.insert(id, SkinBackground(QImage(SkinImagePath(id), "PNG")));
}

bool PaintTiled(QPainter& painter, const QRect& area, const SkinBackground& background, const QRegion& exposed) {
    if (background.isNull() || area.isEmpty()) return false;
    if (exposed.rectCount() <= 1) {
        background.Paint(painter, area, exposed.boundingRect());
        return true;
    }
    // Under a clip of many rectangles the raster engine leaves its direct
    // copies for a span fill it hands out to a thread pool, which costs more
    // than the few pixels of a meter tick: one rectangle at a time keeps the
    // copies direct.
    for (const QRect& part : exposed) {
        painter.save();
        painter.setClipRect(part, Qt::IntersectClip);
        background.Paint(painter, area, part);
        painter.restore();
    }
    return true;
}

void PaintFrame(QPainter& painter, const QRect& area, const QRegion& exposed) {
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
    // A meter tick exposes a few rows inside the frame: nothing of it is drawn then.
    const auto edge = [&](const QRect& place, const QPixmap& image) {
        if (exposed.intersects(place)) Tile(painter, place, image, place);
    };
    const auto corner = [&](const QPoint& at, const QPixmap& image) {
        if (exposed.intersects(QRect(at, size(image)))) painter.drawPixmap(at, image);
    };
    edge(QRect(area.left() + cornerW, area.top(), area.width() - 2 * cornerW, size(top).height()), top);
    edge(QRect(area.left() + cornerW, area.bottom() + 1 - size(bottom).height(), area.width() - 2 * cornerW,
               size(bottom).height()),
         bottom);
    edge(QRect(area.left(), area.top() + cornerH, size(left).width(), area.height() - 2 * cornerH), left);
    edge(QRect(area.right() + 1 - size(right).width(), area.top() + cornerH, size(right).width(),
               area.height() - 2 * cornerH),
         right);
    corner(area.topLeft(), topLeft);
    corner(QPoint(area.right() + 1 - size(topRight).width(), area.top()), topRight);
    corner(QPoint(area.left(), area.bottom() + 1 - size(bottomLeft).height()), bottomLeft);
    corner(QPoint(area.right() + 1 - size(bottomRight).width(), area.bottom() + 1 - size(bottomRight).height()),
           bottomRight);
}

}  // namespace mixer
