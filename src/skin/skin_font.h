#pragma once
// The one font family of the skin. Captions, values and menus are drawn in a
// family that covers Latin and Chinese, since Chinese is the default language.

#include <QFont>
#include <QString>

namespace mixer {

QString SkinFontFamily();

// The skin font at a size in points (button captions) or in pixels (menus,
// meters, value boxes, whose sizes are given as character heights).
QFont SkinFontPoints(int points);
QFont SkinFontPixels(int pixels);

}  // namespace mixer
