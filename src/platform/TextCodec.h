#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Files hold text in the user's locale encoding; the program works on QString. Bytes that are
// not valid in the encoding decode to replacement characters instead of failing.
QString DecodeLocaleText(const QByteArray &bytes);
QByteArray EncodeLocaleText(const QString &text);

}  // namespace platform
