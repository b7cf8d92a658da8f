#include "remote/qr_image.h"

#include <qrencode.h>

#include <memory>

namespace mixer {

namespace {
constexpr int kQuietModules = 4;
}

QImage QrImage(const QString& text, int scale) {
    const QByteArray utf8 = text.toUtf8();
    if (scale < 1 || utf8.isEmpty()) return {};
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(utf8.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code) return {};
    const int modules = code->width + 2 * kQuietModules;
    QImage image(modules * scale, modules * scale, QImage::Format_Mono);
    image.setColor(1, qRgb(255, 255, 255));
    image.setColor(0, qRgb(0, 0, 0));
    image.fill(1);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            // Bit 0 of each byte is the module's colour; the others say what part it belongs to.
            if ((code->data[y * code->width + x] & 1) == 0) continue;
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx)
                    image.setPixel((x + kQuietModules) * scale + dx, (y + kQuietModules) * scale + dy, 0);
            }
        }
    }
    return image;
}

}  // namespace mixer
