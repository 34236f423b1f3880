#include "platform/DateTimeFormat.h"

namespace platform {

namespace {
QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
}  // namespace

QString FormatDateDdMmmYyyy(const QDate &date, const QLocale &locale)
{
    return TwoDigits(date.day()) + QLatin1Char(',') +
           locale.monthName(date.month(), QLocale::ShortFormat) + QLatin1Char(' ') +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString FormatTimeHhMmSsAmPm(const QTime &time, const QLocale &locale)
{
    int hour12 = time.hour() % 12;
    if (hour12 == 0)
        hour12 = 12;
    QString designator = time.hour() < 12 ? locale.amText() : locale.pmText();
    if (designator.isEmpty())  // locales without designators still mark the half of the day
        designator = time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    return TwoDigits(hour12) + QLatin1Char(':') + TwoDigits(time.minute()) + QLatin1Char(':') +
           TwoDigits(time.second()) + QLatin1Char(' ') + designator;
}

}  // namespace platform
