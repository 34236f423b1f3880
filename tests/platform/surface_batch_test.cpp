#include <gtest/gtest.h>

#include <QImage>

#include "platform/DrawingSurface.h"

using namespace platform;

namespace {
// Texts, fills, lines and a picture, interleaved as a grid's paint interleaves them.
void PaintSomething(DrawingSurface &s)
{
    QImage picture(6, 6, QImage::Format_ARGB32);
    picture.fill(qRgba(0, 0, 255, 128));
    s.SetBackColor(0xFFFFFF);
    s.Clear();
    for (int row = 0; row < 4; ++row) {
        s.FillRect(QRect(0, row * 20, 200, 19), row % 2 ? 0xF1D8C9 : 0xFFFFFF);
        s.SetClipRect(QRect(0, row * 20, 90, 20));
        s.SetForeColor(0x9C613B);
        s.DrawText(QStringLiteral("Company %1 & Sons").arg(row), QRect(3, row * 20, 84, 20),
                   TextVCenter | TextSingleLine | TextWordEllipsis);
        s.DrawPicture(picture, 80, row * 20 + 2);
        s.ClearClip();
        s.DrawText(QStringLiteral("%1.25").arg(row * 7), QRect(93, row * 20, 60, 20),
                   TextRight | TextVCenter | TextSingleLine);
        s.DrawLine(0, row * 20, 200, row * 20, 0xEBEBEB);
    }
}
}  // namespace

TEST(SurfaceBatch, PaintingInABatchGivesTheSamePixels)
{
    DrawingSurface plain(QSize(200, 80));
    PaintSomething(plain);
    DrawingSurface batched(QSize(200, 80));
    batched.BeginBatch();
    PaintSomething(batched);
    EXPECT_EQ(batched.Image(), plain.Image());
    // Painted again, the texts come from their kept layouts.
    for (int again = 0; again < 2; ++again) {
        PaintSomething(batched);
        EXPECT_EQ(batched.Image(), plain.Image()) << again;
    }
    batched.EndBatch();

    // A resize ends the batch; drawing goes on with painters of its own.
    batched.BeginBatch();
    batched.Resize(QSize(220, 80));
    PaintSomething(batched);
    EXPECT_EQ(batched.Image().copy(0, 0, 200, 80), plain.Image());
}

TEST(SurfaceBatch, MeasuredWidthsFollowTheFont)
{
    DrawingSurface s(QSize(10, 10));
    const QString text = QStringLiteral("Measured twice");
    QFont small = s.Font();
    small.setPixelSize(10);
    QFont big = small;
    big.setPixelSize(30);
    s.SetFont(small);
    const int narrow = s.MeasureText(text, QRect(0, 0, 500, 20), TextSingleLine).width();
    s.SetFont(big);
    const int wide = s.MeasureText(text, QRect(0, 0, 500, 20), TextSingleLine).width();
    EXPECT_GT(wide, 2 * narrow);
    s.SetFont(small);
    EXPECT_EQ(s.MeasureText(text, QRect(0, 0, 500, 20), TextSingleLine).width(), narrow);
}
