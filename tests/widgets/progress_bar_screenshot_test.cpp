#include <gtest/gtest.h>

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QTransform>

#include "platform/Colors.h"
#include "widgets/ucProgressBar.h"

using namespace widgets;

using platform::Picture;

namespace {

// The pictures the main window's bars carry, read from the source tree (the program reads them
// from its resources).
Picture BarPicture(const char *name)
{
    const QString dir = QFileInfo(QStringLiteral(__FILE__)).absolutePath();
    return Picture::Load(dir + QStringLiteral("/../../src/app/resources/") + QLatin1String(name));
}

int Brightness(QRgb c)
{
    return qRed(c) + qGreen(c) + qBlue(c);
}

}  // namespace

TEST(ProgressBarPictures, AreSixHundredTwentyByFourteenGradients)
{
    const Picture fore = BarPicture("bar_fore.png");
    const Picture back = BarPicture("bar_back.png");
    ASSERT_TRUE(fore.HasImage());
    ASSERT_TRUE(back.HasImage());
    EXPECT_EQ(fore.Size(), QSize(620, 14));
    EXPECT_EQ(back.Size(), QSize(620, 14));
    for (int y : {0, 7, 13}) {
        const QRgb f = fore.Image().pixel(300, y);
        EXPECT_GT(qBlue(f), qRed(f) + 40) << "blue at row " << y;
        const QRgb b = back.Image().pixel(300, y);
        EXPECT_GT(qRed(b), qBlue(b)) << "tan at row " << y;
        EXPECT_GT(Brightness(b), 3 * 200) << "pale at row " << y;
    }
    // light to dark
    EXPECT_GT(Brightness(fore.Image().pixel(10, 0)), Brightness(fore.Image().pixel(10, 13)) + 200);
    EXPECT_GT(Brightness(back.Image().pixel(10, 0)), Brightness(back.Image().pixel(10, 13)));
}

// Builds a panel of bars at several values and caption formats, checks that the window shows
// exactly the back image, and saves the panel as progress_bar_screenshot.png in the working
// folder so it can be looked at.
TEST(ProgressBarPictures, ScreenshotOfBarsAtSeveralValuesAndCaptions)
{
    const Picture fore = BarPicture("bar_fore.png");
    const Picture back = BarPicture("bar_back.png");
    ASSERT_TRUE(fore.HasImage() && back.HasImage());

    QWidget panel;
    panel.setStyleSheet(QStringLiteral("background: #d8d8d8"));
    auto *grid = new QGridLayout(&panel);
    QList<ucProgressBar *> bars;
    auto add = [&](const QString &label, auto setUp) {
        auto *bar = new ucProgressBar(&panel);
        setUp(*bar);
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(label, &panel), row, 0);
        grid->addWidget(bar, row, 1, Qt::AlignLeft);
        bars << bar;
    };
    auto skin = [&](ucProgressBar &bar) {
        bar.SetBarPictureFore(fore);
        bar.SetBarPictureBack(back);
    };
    add(QStringLiteral("no pictures"), [](ucProgressBar &) {});
    add(QStringLiteral("value 0, no caption"), skin);
    add(QStringLiteral("value 25, code 1"), [&](ucProgressBar &bar) {
        skin(bar);
        bar.SetCaptionFormat(CaptionValue);
        bar.SetValue(25);
    });
    add(QStringLiteral("value 50, code 2"), [&](ucProgressBar &bar) {
        skin(bar);
        bar.SetCaptionFormat(CaptionValuePercent);
        bar.SetValue(50);
    });
    add(QStringLiteral("1 of 0..3, code 7"), [&](ucProgressBar &bar) {
        skin(bar);
        bar.SetMax(3);
        bar.SetCaptionFormat(CaptionProgressPercent2);
        bar.SetValue(1);
    });
    add(QStringLiteral("value 75, custom"), [&](ucProgressBar &bar) {
        skin(bar);
        bar.SetCaptionCustom(QStringLiteral("Downloading page 15 of 20"));
        bar.SetCaptionFormat(CaptionUseCustom);
        bar.SetFontColor(platform::RgbColor(128, 0, 0));
        bar.SetValue(75);
    });
    add(QStringLiteral("value 100, code 6"), [&](ucProgressBar &bar) {
        skin(bar);
        bar.SetCaptionFormat(CaptionProgressPercent1);
        bar.SetValue(100);
    });
    add(QStringLiteral("50, Max lowered to 20, code 5"), [&](ucProgressBar &bar) {
        skin(bar);
        bar.SetCaptionFormat(CaptionProgressPercent);
        bar.SetValue(50);
        bar.SetMax(20);
    });
    add(QStringLiteral("vertical, 60"), [&](ucProgressBar &bar) {
        const QTransform turn = QTransform().rotate(90);
        bar.SetBarPictureFore(
            Picture::FromImage(fore.Image().copy(0, 0, 100, 14).transformed(turn)));
        bar.SetBarPictureBack(
            Picture::FromImage(back.Image().copy(0, 0, 100, 14).transformed(turn)));
        bar.SetOrientation(OrientationVertical);
        bar.SetValue(60);
    });
    panel.show();

    const QImage shot = panel.grab().toImage();
    for (const ucProgressBar *bar : bars) {
        const QImage shown =
            shot.copy(QRect(bar->pos(), bar->size())).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown, bar->Surface().Image().convertToFormat(QImage::Format_RGB32));
    }
    EXPECT_EQ(bars[1]->size(), QSize(620, 14));
    EXPECT_EQ(bars.last()->size(), QSize(14, 100));
    EXPECT_TRUE(shot.save(QStringLiteral("progress_bar_screenshot.png")));
}
