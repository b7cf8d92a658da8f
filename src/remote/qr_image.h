#pragma once
// The page's address as a QR code for a phone's camera.

#include <QImage>
#include <QString>

namespace mixer {

// Black modules on white with the four-module quiet zone readers need,
// `scale` pixels a module; a null image when the text cannot be encoded.
QImage QrImage(const QString& text, int scale);

}  // namespace mixer
