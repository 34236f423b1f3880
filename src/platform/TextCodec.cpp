#include "platform/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

QString DecodeLocaleText(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::System);
    return decoder.decode(bytes);
}

QByteArray EncodeLocaleText(const QString &text)
{
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

}  // namespace platform
