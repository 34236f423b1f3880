#include <gtest/gtest.h>

#include <QLocale>
#include <vector>

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

TEST(TextCodec, FilesThatAreNotUtf8AreReadAsWindows1252)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"Z\xC3\xBCrich & Co", QString::fromUtf16(u"Z\u00FCrich & Co")},
        // A file of a single-byte build: typographic quotes, dashes and accents survive.
        {"O\x92Neil \x96 Caf\xE9 \x80", QString::fromUtf16(u"O\u2019Neil \u2013 Caf\u00E9 \u20AC")},
        // Bytes windows-1252 leaves unassigned stay the controls of that value.
        {"a\x81\x9D", QString::fromUtf16(u"a\u0081\u009D")},
        {"", QString()},
    };
    for (const auto &[bytes, text] : cases)
        EXPECT_EQ(DecodeLocaleText(bytes), text) << bytes.toHex().toStdString();
    EXPECT_EQ(DecodeLocaleText(EncodeLocaleText(QString::fromUtf16(u"Z\u00FCrich \u2019 Co"))),
              QString::fromUtf16(u"Z\u00FCrich \u2019 Co"));
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

TEST(TextCodec, AsciiTestAndWideningSeeEveryByte)
{
    // One high byte anywhere in 200, before, inside and after the long steps, is found.
    const QByteArray ascii(200, 'a');
    EXPECT_TRUE(platform::IsAscii(ascii.constData(), ascii.size()));
    for (qsizetype at = 0; at < ascii.size(); ++at) {
        QByteArray bytes = ascii;
        bytes[at] = static_cast<char>(at % 2 ? 0x80 : 0xFF);
        ASSERT_FALSE(platform::IsAscii(bytes.constData(), bytes.size())) << at;
    }
    // Widening writes exactly the units asked for, whatever the length.
    for (int n = 0; n < 40; ++n) {
        QByteArray bytes(n, Qt::Uninitialized);
        for (int i = 0; i < n; ++i) bytes[i] = static_cast<char>(' ' + i);
        std::vector<char16_t> out(static_cast<size_t>(n) + 1, u'#');
        platform::WidenAscii(bytes.constData(), n, out.data());
        ASSERT_EQ(QStringView(out.data(), n), QString::fromLatin1(bytes)) << n;
        ASSERT_EQ(out[static_cast<size_t>(n)], u'#') << n;
    }
}
