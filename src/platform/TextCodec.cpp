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

bool LocaleIsUtf8()
{
    static const bool utf8 = [] {
        const char probe[] = "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
        return DecodeLocaleText(QByteArray(probe)) == QString::fromUtf8(probe) &&
               EncodeLocaleText(QString::fromUtf8(probe)) == QByteArray(probe);
    }();
    return utf8;
}

}  // namespace platform
