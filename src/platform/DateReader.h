#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace platform {

// Reads a date as a user of the given locale writes it, for sorting date columns:
//   - three numbers separated by "/", "-", "." or blanks, in the locale's day/month/year order,
//     except that a first number of three or four digits is always the year ("2008-01-05");
//   - a month name (long or abbreviated, the locale's or English) with a day and a year, in
//     any order ("5 Jan 2008", "January 5, 2008", "05,Jan 2008"), optionally after a weekday;
//   - either of them followed by a time, or a time alone: h:mm or h:mm:ss, optionally followed
//     by AM/PM (the locale's designators or the English ones).
// Two-digit years 00..29 are 2000..2029, 30..99 are 1930..1999. Day and month must exist
// (no 30 February). Anything else, including a lone number like "12.50", is no date.
class DateReader {
public:
    explicit DateReader(const QLocale &locale = QLocale());

    // Days since 30 December 1899, the time of day as the fraction; nullopt for no date.
    std::optional<double> Read(QStringView text) const;

private:
    enum class Order { DayMonthYear, MonthDayYear, YearMonthDay };

    int MonthOfName(QStringView word) const;  // 1..12, 0 when the word is no month
    bool IsWeekday(QStringView word) const;
    int HalfOfDay(QStringView word) const;  // 1 morning, 2 afternoon, 0 neither

    Order order = Order::MonthDayYear;
    QStringList monthNames[12];
    QStringList weekdayNames;
    QStringList amTexts;
    QStringList pmTexts;
};

}  // namespace platform
