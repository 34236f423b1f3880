#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Files hold text in the user's locale encoding; the program works on QString. Bytes that are
// not valid in the encoding decode to replacement characters instead of failing.
QString DecodeLocaleText(const QByteArray &bytes);
QByteArray EncodeLocaleText(const QString &text);

// True when the locale encoding is UTF-8, so that readers may work on the bytes of text that
// QByteArrayView::isValidUtf8 accepts and decode only the pieces they keep.
bool LocaleIsUtf8();

}  // namespace platform
