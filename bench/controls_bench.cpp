// What a Value set costs now that it reaches the screen before returning: the import moves its
// 620 x 14 bar once per page file, the tabs repaint on every click.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QWidget>
#include <QWindow>

#include "platform/Picture.h"
#include "widgets/ButtonEx.h"
#include "widgets/ucProgressBar.h"

namespace {

platform::Picture Gradient(QColor from, QColor to)
{
    QImage image(620, 14, QImage::Format_RGB32);
    for (int x = 0; x < image.width(); ++x) {
        const double t = x / 619.0;
        const QRgb c = qRgb(static_cast<int>(from.red() + t * (to.red() - from.red())),
                            static_cast<int>(from.green() + t * (to.green() - from.green())),
                            static_cast<int>(from.blue() + t * (to.blue() - from.blue())));
        for (int y = 0; y < image.height(); ++y) image.setPixel(x, y, c);
    }
    return platform::Picture::FromImage(image);
}

void ShowAndWait(QWidget &window)
{
    window.show();
    for (int i = 0; i < 100 && !window.windowHandle()->isExposed(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// A shown window, so every set paints and flushes its rectangle.
void BM_ProgressBarValueSetShown(benchmark::State &state)
{
    QWidget window;
    auto *bar = new widgets::ucProgressBar(&window);
    bar->SetBarPictureFore(Gradient(QColor(160, 200, 255), QColor(0, 40, 160)));
    bar->SetBarPictureBack(Gradient(QColor(250, 240, 220), QColor(220, 200, 170)));
    bar->SetCaptionFormat(6);  // a percentage with one decimal
    ShowAndWait(window);
    bar->SetMax(1639);
    int v = 0;
    for (auto _ : state) {
        bar->SetValue(v);
        v = v == 1639 ? 0 : v + 1;
    }
}
BENCHMARK(BM_ProgressBarValueSetShown)->Unit(benchmark::kMicrosecond);

void BM_ButtonValueSetShown(benchmark::State &state)
{
    QWidget window;
    auto *button = new widgets::ButtonEx(&window);
    button->SetStyle(widgets::StyleToggleButton);
    ShowAndWait(window);
    int v = 0;
    for (auto _ : state) {
        button->SetValue(v);
        v = 1 - v;
    }
}
BENCHMARK(BM_ButtonValueSetShown)->Unit(benchmark::kMicrosecond);

}  // namespace
