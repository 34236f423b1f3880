#include <gtest/gtest.h>

#include <QLocale>

#include "platform/ControlError.h"
#include "platform/DateTimeFormat.h"
#include "platform/Rounding.h"
#include "platform/TextCodec.h"

using namespace platform;

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(271.6), 272);
    EXPECT_EQ(RoundHalfEven(270.5), 270);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfAwayFromZero(2.5), 3);
    EXPECT_EQ(RoundHalfAwayFromZero(-2.5), -3);
}

TEST(DateTimeFormat, StampPatternsUseTheLocaleNamesAndTwelveHourClock)
{
    QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(FormatDateDdMmmYyyy(QDate(2008, 12, 8), english), "08,Dec 2008");
    EXPECT_EQ(FormatTimeHhMmSsAmPm(QTime(9, 21, 5), english), "09:21:05 AM");
    EXPECT_EQ(FormatTimeHhMmSsAmPm(QTime(0, 0, 0), english), "12:00:00 AM");
    EXPECT_EQ(FormatTimeHhMmSsAmPm(QTime(12, 30, 0), english), "12:30:00 PM");
    EXPECT_EQ(FormatTimeHhMmSsAmPm(QTime(23, 59, 59), english), "11:59:59 PM");

    QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_TRUE(FormatDateDdMmmYyyy(QDate(2009, 3, 1), german).startsWith("01,M"));
}

TEST(TextCodec, InvalidBytesBecomeReplacementCharacters)
{
    QString text =
        DecodeLocaleText(QByteArray("ab\xff\xfe"
                                    "cd"));
    EXPECT_TRUE(text.startsWith("ab"));
    EXPECT_TRUE(text.endsWith("cd"));
    EXPECT_TRUE(text.contains(QChar(QChar::ReplacementCharacter)));
    EXPECT_EQ(DecodeLocaleText(EncodeLocaleText("Zürich & Co")), "Zürich & Co");
}

TEST(ControlError, CarriesItsNumberAndChecksSixteenBits)
{
    try {
        CheckedInt16(32768);
        FAIL() << "no overflow";
    } catch (const ControlError &e) {
        EXPECT_EQ(e.Number(), ErrOverflow);
    }
    EXPECT_EQ(CheckedInt16(-32768), -32768);
    EXPECT_EQ(CheckedInt16(32767), 32767);
}
