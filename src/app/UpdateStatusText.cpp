#include "app/UpdateStatusText.h"

#include <algorithm>
#include <cmath>

#include "app/BandChanges.h"

namespace UpdateStatusText {

namespace {

const QString Dot = QStringLiteral(" \u00B7 ");

QString Things(int count, const char *one, const char *many, const QLocale &locale)
{
    return Count(count, locale) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

}  // namespace

QString Count(int value, const QLocale &locale)
{
    // Grouped even where the locale leaves it out by default (the C locale).
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(value);
}

QString Downloading(int page, int pages, int done, uint32_t elapsedMs, const QLocale &locale)
{
    QString text = QStringLiteral("Page %1 of %2").arg(Count(page, locale), Count(pages, locale));
    if (done <= 0)
        return text;
    const int toCome = std::max(pages - done, 0);
    const double leftMs = double(elapsedMs) / done * toCome;
    if (leftMs < 60000)
        return text + Dot + QStringLiteral("less than a minute left");
    const int minutes = static_cast<int>(std::lround(leftMs / 60000));
    return text + Dot + QStringLiteral("about %1 min left").arg(Count(minutes, locale));
}

QString Importing(int stocks, int of, const QLocale &locale)
{
    return QStringLiteral("Importing %1 of %2").arg(Count(stocks, locale), Count(of, locale));
}

QString Summary(const BandChanges &changes, const QLocale &locale)
{
    QString text = Things(changes.Stocks, "stock", "stocks", locale) + QStringLiteral(" from ") +
                   Things(changes.Pages, "page", "pages", locale) + Dot;
    if (changes.StocksBefore == 0)
        return text + QStringLiteral("no earlier list to compare with");
    return text + QStringLiteral("%1 entered the band, %2 left")
                      .arg(Count(static_cast<int>(changes.Entered.size()), locale),
                           Count(static_cast<int>(changes.Left.size()), locale));
}

}  // namespace UpdateStatusText
