#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "platform/NumberFormat.h"
#include "store/MdlHelpers.h"

using platform::FormatGeneralNumber;

TEST(FormatGeneralNumber, ShortestTextWithoutTrailingZeros)
{
    EXPECT_EQ(FormatGeneralNumber(0), "0");
    EXPECT_EQ(FormatGeneralNumber(-0.0), "0");
    EXPECT_EQ(FormatGeneralNumber(0.35), "0.35");
    EXPECT_EQ(FormatGeneralNumber(-2.5), "-2.5");
    EXPECT_EQ(FormatGeneralNumber(12500000), "12500000");
    EXPECT_EQ(FormatGeneralNumber(1234500000), "1234500000");
    EXPECT_EQ(FormatGeneralNumber(0.0001), "0.0001");
    EXPECT_EQ(FormatGeneralNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatGeneralNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatGeneralNumber(999999999999999.0), "999999999999999");
}

TEST(FormatGeneralNumber, ExponentForTinyAndHugeMagnitudes)
{
    EXPECT_EQ(FormatGeneralNumber(0.00001), "1E-05");
    EXPECT_EQ(FormatGeneralNumber(-0.0000123), "-1.23E-05");
    EXPECT_EQ(FormatGeneralNumber(1.5e20), "1.5E+20");
    EXPECT_EQ(FormatGeneralNumber(1e15), "1E+15");
    EXPECT_EQ(FormatGeneralNumber(9999999999999999.0), "1E+16");  // rounds to 15 digits
    EXPECT_EQ(FormatGeneralNumber(1e-300), "1E-300");
    EXPECT_EQ(FormatGeneralNumber(std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(FormatGeneralNumber(std::numeric_limits<double>::quiet_NaN()), "0");
}

TEST(FormatGeneralNumber, ReadsBackToFifteenSignificantDigits)
{
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        const double back = MdlHelpers::ParseLeadingNumber(FormatGeneralNumber(v));
        ASSERT_NEAR(back, v, std::abs(v) * 5e-15) << FormatGeneralNumber(v).toStdString();
    }
}

// At the top of the range, rounding to 15 digits would pass the largest double and read back as
// 0: those are cut toward zero instead. Every double, however extreme, reads back.
TEST(FormatGeneralNumber, ExtremesReadBackWithinFifteenDigits)
{
    using L = std::numeric_limits<double>;
    EXPECT_EQ(FormatGeneralNumber(L::max()), "1.79769313486231E+308");
    EXPECT_EQ(FormatGeneralNumber(-L::max()), "-1.79769313486231E+308");
    for (double v : {L::max(), -L::max(), std::nextafter(L::max(), 0.0), 1.7976931348623150e308,
                     L::min(), L::denorm_min(), -L::denorm_min(), 9.99999999999999999e307}) {
        const double back = MdlHelpers::ParseLeadingNumber(FormatGeneralNumber(v));
        EXPECT_NE(back, 0) << FormatGeneralNumber(v).toStdString();
        EXPECT_NEAR(back / v, 1.0, 1e-14) << FormatGeneralNumber(v).toStdString();
    }
}
