#pragma once
// The name fields of the mixer state hold GBK bytes, as scene files of the
// earlier Windows program do; the window shows and enters Unicode text.

#include <QByteArray>
#include <QString>

#include "link/mixer_state.h"

namespace mixer {

QByteArray EncodeGbk(const QString& text);
QString DecodeGbk(QByteArrayView bytes);

// The text of a name field: its bytes up to the first NUL (at most the whole
// field), decoded from GBK.
QString DecodeGbkName(const char (&field)[kNameSize]);

// Writes text into a name field, cut to 15 bytes at a character boundary so
// that no half character is left at the end, and terminated.
void SetGbkName(char (&field)[kNameSize], const QString& text);

}  // namespace mixer
