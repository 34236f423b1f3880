#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace platform {

// "dd,mmm yyyy": two-digit day, the locale's abbreviated month name, four-digit year.
QString FormatDateDdMmmYyyy(const QDate &date, const QLocale &locale = QLocale::system());

// "hh:mm:ss AMPM": 12-hour clock (01..12) and the locale's morning/afternoon designator.
QString FormatTimeHhMmSsAmPm(const QTime &time, const QLocale &locale = QLocale::system());

}  // namespace platform
