#include "app/ScreenerAddress.h"

#include <QUrl>
#include <QtGlobal>

namespace ScreenerAddress {

QString Site()
{
    QString site = qEnvironmentVariable(EnvironmentVariable).trimmed();
    if (site.isEmpty())
        site = QString::fromLatin1(DefaultSite);
    while (site.endsWith(QLatin1Char('/'))) site.chop(1);
    return site;
}

QString ResultPageAddress(int firstRow)
{
    return Site() + QStringLiteral("/b?pr=0/5&s=nm&db=stocks&vw=0&b=") + QString::number(firstRow);
}

QString QuotePageAddress(const QString &symbol)
{
    const QString page = Site() + QStringLiteral("/ver04/quote.html");
    if (symbol.isEmpty())
        return page;
    return page + QStringLiteral("?s=") + QString::fromLatin1(QUrl::toPercentEncoding(symbol));
}

QString HomePageAddress()
{
    return Site() + QStringLiteral("/");
}

}  // namespace ScreenerAddress
