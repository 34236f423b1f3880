#include <gtest/gtest.h>

#include <QLocale>

#include "platform/DrawingSurface.h"
#include "widgets/ProgressBarPainter.h"

using namespace widgets;

namespace {

ProgressBarFace Face(int value, int min, int max, int format)
{
    ProgressBarFace face;
    face.value = value;
    face.min = min;
    face.span = static_cast<qint64>(max) - min;
    face.captionFormat = format;
    return face;
}

QString Caption(int value, int min, int max, int format, const QLocale &locale = QLocale::c())
{
    return ProgressCaption(Face(value, min, max, format), locale);
}

}  // namespace

TEST(ProgressCaption, ValuePercentagesDivideTheValueAndProgressOnesTheDistanceFromMin)
{
    // with Min 50 the value codes measure Value itself, the progress codes Value - Min
    const struct {
        int value, code;
        const char *caption;
    } cases[] = {
        {100, CaptionValuePercent, "100%"},   {100, CaptionProgressPercent, "50%"},
        {150, CaptionValuePercent, "150%"},   {150, CaptionProgressPercent, "100%"},
        {75, CaptionValuePercent1, "75.0%"},  {75, CaptionProgressPercent1, "25.0%"},
        {51, CaptionValuePercent2, "51.00%"}, {51, CaptionProgressPercent2, "1.00%"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Caption(c.value, 50, 150, c.code), c.caption) << c.value << " " << c.code;
    EXPECT_EQ(Caption(100, 50, 150, CaptionValue), "100");
    EXPECT_EQ(Caption(-7, -10, 0, CaptionValue), "-7");

    EXPECT_EQ(Caption(1, 0, 3, CaptionProgressPercent), "33%");
    EXPECT_EQ(Caption(1, 0, 3, CaptionProgressPercent1), "33.3%");
    EXPECT_EQ(Caption(1, 0, 3, CaptionProgressPercent2), "33.33%");
    EXPECT_EQ(Caption(2, 0, 3, CaptionValuePercent1), "66.7%");
    EXPECT_EQ(Caption(2, 0, 3, CaptionValuePercent2), "66.67%");
    EXPECT_EQ(Caption(1, 0, 3, CaptionProgressPercent1, QLocale(QLocale::German)), "33,3%");
}

TEST(ProgressCaption, ExactDecimalHalvesRoundAwayFromZero)
{
    // halves that a binary double holds just below .5
    EXPECT_EQ(Caption(23, 0, 40, CaptionProgressPercent), "58%");     // 57.5
    EXPECT_EQ(Caption(29, 0, 200, CaptionProgressPercent), "15%");    // 14.5
    EXPECT_EQ(Caption(23, 0, 80, CaptionProgressPercent1), "28.8%");  // 28.75
    EXPECT_EQ(Caption(5, 0, 200, CaptionValuePercent), "3%");         // 2.5, not the even 2
    EXPECT_EQ(Caption(-1, 0, 200, CaptionValuePercent), "-1%");       // -0.5
    EXPECT_EQ(Caption(-1, 0, 1000000, CaptionValuePercent), "0%");    // no "-0%"
    // no group separators in long percentages
    EXPECT_EQ(Caption(5000, 0, 2, CaptionValuePercent, QLocale(QLocale::English)), "250000%");

    // every step of every span up to 400, against the rounding done on whole numbers:
    // q = floor((2 * 100 * 10^d * p + span) / (2 * span))
    for (qint64 span = 1; span <= 400; ++span) {
        for (qint64 p = 0; p <= span; ++p) {
            for (int d = 0; d <= 2; ++d) {
                const qint64 scale = d == 0 ? 1 : d == 1 ? 10 : 100;
                const qint64 q = (2 * 100 * scale * p + span) / (2 * span);
                QString expected = QString::number(q / scale);
                if (d > 0)
                    expected += QStringLiteral(".%1").arg(q % scale, d, 10, QLatin1Char('0'));
                expected += QLatin1Char('%');
                const QString got = Caption(static_cast<int>(p), 0, static_cast<int>(span),
                                            CaptionProgressPercent + d);
                if (got != expected) {
                    ADD_FAILURE() << p << "/" << span << " with " << d
                                  << " decimals: " << got.toStdString() << " instead of "
                                  << expected.toStdString();
                    return;
                }
            }
        }
    }
}

TEST(ProgressCaption, UnknownCodesAndZeroSpansGiveNoCaption)
{
    for (int code : {0, 8, 50, 98, 100, -1, -99}) EXPECT_EQ(Caption(10, 0, 100, code), "") << code;
    ProgressBarFace custom = Face(10, 0, 100, CaptionUseCustom);
    custom.captionCustom = QStringLiteral("  as & is ");
    EXPECT_EQ(ProgressCaption(custom), "  as & is ");
    // settings may leave Min = Max; percentages then have nothing to divide by
    EXPECT_EQ(Caption(5, 5, 5, CaptionProgressPercent), "");
    EXPECT_EQ(Caption(5, 5, 5, CaptionValue), "5");
}

TEST(ProgressFillRect, HorizontalFromTheLeftVerticalFromTheBottomHalvesToEven)
{
    const QSize face(10, 8);
    EXPECT_EQ(ProgressFillRect(OrientationHorizontal, 1, 4, face), QRect(0, 0, 2, 8));  // 2.5
    EXPECT_EQ(ProgressFillRect(OrientationHorizontal, 3, 4, face), QRect(0, 0, 8, 8));  // 7.5
    EXPECT_EQ(ProgressFillRect(OrientationHorizontal, 0, 4, face).width(), 0);
    EXPECT_EQ(ProgressFillRect(OrientationVertical, 5, 16, face), QRect(0, 6, 10, 2));  // 8-2.5
    EXPECT_EQ(ProgressFillRect(OrientationVertical, 16, 16, face), QRect(0, 0, 10, 8));

    // beyond Max the fill stops at the face's edge, however far beyond
    EXPECT_EQ(ProgressFillRect(OrientationHorizontal, 50, 20, face), QRect(0, 0, 10, 8));
    EXPECT_EQ(ProgressFillRect(OrientationHorizontal, 2000000000, 1, face), QRect(0, 0, 10, 8));
    EXPECT_EQ(ProgressFillRect(OrientationVertical, 2000000000, 1, face), QRect(0, 0, 10, 8));

    EXPECT_TRUE(ProgressFillRect(2, 50, 100, face).isEmpty());
    EXPECT_TRUE(ProgressFillRect(-1, 50, 100, face).isEmpty());
    EXPECT_TRUE(ProgressFillRect(OrientationHorizontal, 50, 0, face).isEmpty());
    EXPECT_TRUE(ProgressFillRect(OrientationHorizontal, 5, -10, face).isEmpty());
}

TEST(ProgressBarPlaceholder, IsAFramedLabelOnWhite)
{
    const QImage p = ProgressBarPlaceholder();
    ASSERT_EQ(p.size(), QSize(100, 15));
    EXPECT_EQ(p.pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(p.pixel(99, 14) & 0xFFFFFF, 0u);
    EXPECT_EQ(p.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);
    int ink = 0;  // the label
    for (int y = 2; y < 13; ++y)
        for (int x = 2; x < 98; ++x) ink += (p.pixel(x, y) & 0xFFFFFF) != 0xFFFFFFu;
    EXPECT_GT(ink, 30);
}
