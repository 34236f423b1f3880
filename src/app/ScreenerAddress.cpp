#include "app/ScreenerAddress.h"

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

QString QuotePageAddress()
{
    return Site() + QStringLiteral("/ver04/quote.html");
}

QString HomePageAddress()
{
    return Site() + QStringLiteral("/");
}

}  // namespace ScreenerAddress
