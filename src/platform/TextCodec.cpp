#include "platform/TextCodec.h"

namespace platform {

// The local 8-bit encoding is the locale's (UTF-8 on this desktop); invalid input decodes to
// U+FFFD rather than failing.
QString DecodeLocaleText(const QByteArray &bytes)
{
    return QString::fromLocal8Bit(bytes);
}

QByteArray EncodeLocaleText(const QString &text)
{
    return text.toLocal8Bit();
}

}  // namespace platform
