#include <gtest/gtest.h>

#include "grid/GridPainter.h"
#include "platform/DisplayFormat.h"

// Column format patterns, as the cells of a column with a Format show their texts.

TEST(GridDisplayFormat, NumberDateAndNamedPatterns)
{
    const QLocale c = QLocale::c();
    const struct {
        const char *text, *pattern, *shown;
    } cases[] = {
        {"1234.567", "#0.00", "1234.57"},
        {"0.5", "#.##", ".5"},
        {"7", "000", "007"},
        {"1234567.891", "#,##0.00", "1,234,567.89"},
        {"0.256", "0.0%", "25.6%"},
        {"-3.5", "0.0", "-3.5"},
        {"-3.5", "0.0;(0.0)", "(3.5)"},
        {"0", "0.0;(0.0);\"nil\"", "nil"},
        {"-0.001", "0.0", "0.0"},  // a negative shown as zero has no sign
        {"12345", "0.00E+00", "1.23E+04"},
        {"0.000123", "0.0E-00", "1.2E-04"},
        {"9.999", "0.0E+00", "1.0E+01"},
        {"42", "\"$\"0", "$42"},
        {"2024-03-05T14:07:09", "dd,mmm yyyy", "05,Mar 2024"},
        {"2024-03-05T14:07:09", "hh:mm:ss AM/PM", "02:07:09 PM"},
        {"2024-03-05T09:07:09", "h:nn am/pm", "9:07 am"},
        {"2024-03-05", "d/m/yy", "5/3/24"},
        {"2024-03-05", "dddd w ww q", "Tuesday 3 10 1"},
        {"3.14159", "Fixed", "3.14"},
        {"1234.5", "Standard", "1,234.50"},
        {"0.5", "Percent", "50.00%"},
        {"0", "Yes/No", "No"},
        {"2", "On/Off", "On"},
        {"not a number", "0.00", "not a number"},
        {"not a date", "dd,mmm yyyy", "not a date"},
    };
    for (const auto &k : cases)
        EXPECT_EQ(platform::FormatForDisplay(k.text, k.pattern, c), k.shown)
            << k.text << " / " << k.pattern;
    // Without a pattern the text is shown as it is.
    EXPECT_EQ(lynx::DisplayText("1.5", QString()), "1.5");
}
