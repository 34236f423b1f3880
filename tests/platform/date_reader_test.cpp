#include <gtest/gtest.h>

#include <QDate>

#include "platform/DateReader.h"

using platform::DateReader;

namespace {
double Day(int y, int m, int d, int hour = 0, int minute = 0, int second = 0)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(y, m, d))) +
           (hour * 3600 + minute * 60 + second) / 86400.0;
}
}  // namespace

TEST(DateReader, ReadsTheDatesUsersOfTheLocaleWrite)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale c = QLocale::c();
    struct Case {
        QLocale locale;
        const char *text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {us, "2008-01-05", Day(2008, 1, 5)},
        {de, "2008-01-05", Day(2008, 1, 5)},
        {us, "1/5/2008", Day(2008, 1, 5)},
        {de, "5.1.2008", Day(2008, 1, 5)},
        {de, "05.01.08", Day(2008, 1, 5)},
        {us, "12/31/99", Day(1999, 12, 31)},
        {us, "1/5/29", Day(2029, 1, 5)},
        {us, "1/5/30", Day(1930, 1, 5)},
        {us, "5 Jan 2008", Day(2008, 1, 5)},
        {us, "January 5, 2008", Day(2008, 1, 5)},
        {us, "05,Jan 2008", Day(2008, 1, 5)},
        {us, "Saturday, January 5, 2008", Day(2008, 1, 5)},
        {de, "5. Januar 2008", Day(2008, 1, 5)},
        {de, "5 Jan 2008", Day(2008, 1, 5)},  // English names are read everywhere
        {us, "2008 jan 5", Day(2008, 1, 5)},
        {us, "2008-01-05 13:45", Day(2008, 1, 5, 13, 45)},
        {us, "1/5/2008 1:45:30 PM", Day(2008, 1, 5, 13, 45, 30)},
        {us, "12:30", Day(1899, 12, 30, 12, 30)},
        {us, "12:05 am", Day(1899, 12, 30, 0, 5)},
        {c, "  2008-01-05  ", Day(2008, 1, 5)},
        {us, "1800-02-01", Day(1800, 2, 1)},
        // No dates:
        {us, "", std::nullopt},
        {us, "n/a", std::nullopt},
        {us, "abc", std::nullopt},
        {us, "12.50", std::nullopt},
        {us, "2008", std::nullopt},
        {us, "2/30/2008", std::nullopt},
        {us, "13/1/2008", std::nullopt},
        {us, "2008-01-05 25:00", std::nullopt},
        {us, "13:00 PM", std::nullopt},
        {us, "1/5/2008 x", std::nullopt},
        {us, "1/5/2008/7", std::nullopt},
        {us, "+1/5/2008", std::nullopt},
        {us, "Jan Feb 2008", std::nullopt},
        {us, "10000-01-01", std::nullopt},
        {us, "0000-01-01", std::nullopt},
        {us, "12:", std::nullopt},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.text);
        const std::optional<double> read = DateReader(k.locale).Read(QString::fromUtf8(k.text));
        ASSERT_EQ(read.has_value(), k.expected.has_value());
        if (read) {
            EXPECT_DOUBLE_EQ(*read, *k.expected);
        }
    }
}
