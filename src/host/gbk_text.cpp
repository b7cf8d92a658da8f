#include "host/gbk_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

namespace mixer {

QByteArray EncodeGbk(const QString& text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString DecodeGbk(QByteArrayView bytes) {
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

QString DecodeGbkName(const char (&field)[kNameSize]) {
    return DecodeGbk(QByteArrayView(field, static_cast<qsizetype>(strnlen(field, kNameSize))));
}

void SetGbkName(char (&field)[kNameSize], const QString& text) {
    const QByteArray bytes = EncodeGbk(text);
    // A GBK lead byte (0x81..0xFE) starts a two-byte character.
    qsizetype keep = 0;
    while (keep < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[keep]);
        const qsizetype step = (lead >= 0x81 && lead <= 0xFE) ? 2 : 1;
        if (keep + step > kNameSize - 1 || keep + step > bytes.size()) break;
        keep += step;
    }
    std::memset(field, 0, kNameSize);
    std::memcpy(field, bytes.constData(), static_cast<std::size_t>(keep));
}

}  // namespace mixer
