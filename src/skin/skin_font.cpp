#include "skin/skin_font.h"

namespace mixer {

QString SkinFontFamily() { return QStringLiteral("Noto Sans CJK SC"); }

QFont SkinFontPoints(int points) {
    QFont font(SkinFontFamily());
    font.setPointSize(points > 0 ? points : 8);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont SkinFontPixels(int pixels) {
    QFont font(SkinFontFamily());
    font.setPixelSize(pixels > 0 ? pixels : 12);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace mixer
