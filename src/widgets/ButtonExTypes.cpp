#include "widgets/ButtonExTypes.h"

namespace widgets {

std::optional<QString> AccessKeyOf(const QString &caption)
{
    const QChar amp = QLatin1Char('&');
    qsizetype i = 0;
    while ((i = caption.indexOf(amp, i)) >= 0) {
        if (i + 1 >= caption.size())
            return QString();
        if (caption[i + 1] != amp)
            return QString(caption[i + 1]);
        i += 2;  // "&&" stands for "&" and marks nothing
    }
    return std::nullopt;
}

}  // namespace widgets
