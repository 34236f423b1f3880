#include <gtest/gtest.h>

#include "store/MdlHelpers.h"

using MdlHelpers::ParseLeadingNumber;

TEST(ParseLeadingNumber, ReadsTheLongestLeadingNumber)
{
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"0.35"), 0.35);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"-2.5%"), -2.5);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"+7abc"), 7);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1,234"), 1);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"12,5"), 12);
    EXPECT_EQ(ParseLeadingNumber(u""), 0);
    EXPECT_EQ(ParseLeadingNumber(u"abc"), 0);
    EXPECT_EQ(ParseLeadingNumber(u"-"), 0);
    EXPECT_EQ(ParseLeadingNumber(u"."), 0);
    EXPECT_EQ(ParseLeadingNumber(u"N/A"), 0);
}

TEST(ParseLeadingNumber, SkipsBlanksAnywhere)
{
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1 5"), 15);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u" \t\n- 1\t2 . 5"), -12.5);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1\r5"), 1);  // CR is no blank
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1\u00a05"), 1);
}

TEST(ParseLeadingNumber, ExponentsInEitherLetterAndCase)
{
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1.5E+20"), 1.5e20);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1.5e20"), 1.5e20);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"2D3"), 2000);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"2d-3"), 0.002);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1E-05"), 1e-5);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"3e"), 3);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"3e+x"), 3);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1 e 2"), 100);
    EXPECT_EQ(ParseLeadingNumber(u"1e999"), 0);  // no double can hold it
    EXPECT_EQ(ParseLeadingNumber(u"1e-999"), 0);
}

TEST(ParseLeadingNumber, LongDigitRunsReadInFull)
{
    const QString hundredDigits = "1" + QString(99, '0');
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(hundredDigits), 1e99);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("0." + QString(80, '0') + "25e+81"), 2.5);
}

TEST(ParseLeadingNumber, HexadecimalAndOctalPrefixes)
{
    EXPECT_EQ(ParseLeadingNumber(u"&HFF"), 255);
    EXPECT_EQ(ParseLeadingNumber(u"&h1a zz"), 26);
    EXPECT_EQ(ParseLeadingNumber(u"&O17"), 15);
    EXPECT_EQ(ParseLeadingNumber(u"&o78"), 7);  // 8 is no octal digit
    EXPECT_EQ(ParseLeadingNumber(u" & H 1 0"), 16);
    EXPECT_EQ(ParseLeadingNumber(u"&X1"), 0);
    EXPECT_EQ(ParseLeadingNumber(u"&H"), 0);
    // Too long for a double reads 0, as a decimal overflow does.
    EXPECT_EQ(ParseLeadingNumber(QString("&H") + QString(256, 'F')), 0);
    EXPECT_EQ(ParseLeadingNumber(QString("&O") + QString(400, '7')), 0);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(QString("&H") + QString(16, 'F')), 18446744073709551615.0);
}

TEST(ParseLeadingNumber, IgnoresTheLocale)
{
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // harmless when the locale is not installed
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"3.25"), 3.25);
    std::setlocale(LC_ALL, "C");
}
