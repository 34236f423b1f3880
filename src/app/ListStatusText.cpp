#include "app/ListStatusText.h"

#include "app/BandChanges.h"
#include "app/PriceText.h"
#include "app/StockScreen.h"
#include "app/UpdateStatusText.h"

namespace ListStatusText {

namespace {

QString Band(const PriceSearchQuery &q, const QLocale &locale)
{
    const auto dollars = [&](double v) {
        return QLatin1Char('$') + PriceText::FormatAmount(v, locale);
    };
    return QStringLiteral("between %1 and %2").arg(dollars(q.Min), dollars(q.Max));
}

QString WhyEmpty(const PriceSearchQuery &q, const QLocale &locale)
{
    const QString band = Band(q, locale);
    if (q.Min > q.Max)
        return QStringLiteral("No stock %1: the minimum is above the maximum.").arg(band);
    if (q.StocksInData == 0)
        return QStringLiteral("No stock data yet: update it on the \"Data Updates\" tab.");
    if (!q.NewOnly)
        return QStringLiteral("No stock %1 in the data.").arg(band);
    const BandChanges *changes = q.LastChanges;
    if (!changes)
        return QStringLiteral("No update has recorded yet which stocks entered the band.");
    const QString when = changes->When.trimmed();
    const QString update = when.isEmpty() ? QStringLiteral("the last update")
                                          : QStringLiteral("the last update (%1)").arg(when);
    if (changes->StocksBefore == 0)
        return QStringLiteral("No stock is new: %1 had no earlier list to compare with.")
            .arg(update);
    if (changes->Entered.isEmpty())
        return QStringLiteral("No stock entered the band in %1.").arg(update);
    return QStringLiteral("No stock %1 entered the band in %2.").arg(band, update);
}

}  // namespace

QString Text(int listed, const std::optional<PriceSearchQuery> &query, const QLocale &locale)
{
    const QString count =
        UpdateStatusText::Count(listed, locale) + QLatin1String(listed == 1 ? " stock" : " stocks");
    if (query && query->Screen && query->Screen->HasFieldBounds() && query->Min <= query->Max &&
        query->StocksInData > 0) {
        const QString filters = StockScreen::DescribeFilters(
            *query->Screen, query->NewOnly ? StockScreen::NewOnly::Yes : StockScreen::NewOnly::No,
            locale);
        QString line = listed == 0 ? QStringLiteral("No stock matches ") + filters
                                   : count + QStringLiteral(": ") + filters;
        if (query->LeftOutMissing > 0)
            line += QStringLiteral(" \u00B7 %1 left out for a missing value")
                        .arg(UpdateStatusText::Count(query->LeftOutMissing, locale));
        return listed == 0 ? line + QLatin1Char('.') : line;
    }
    if (listed == 0 && query)
        return WhyEmpty(*query, locale);
    return count;
}

}  // namespace ListStatusText
