#include <QGuiApplication>
#include <QScreen>

#include "MainWindowTestSupport.h"
#include "app/Artwork.h"
#include "screener-sim/Universe.h"
#include "store/Module1.h"

using namespace mainwindowtest;

// The main window after a search, sorted by price, with two rows selected, as the user sees it;
// saved as main_window.png in the working folder. On a real display (QT_QPA_PLATFORM=xcb under
// Xvfb) the picture is taken from the screen, so it shows what the window system shows.
TEST_F(MainWindow, ScreenshotAfterASearch)
{
    std::vector<StockRecord> records;
    for (const screener_sim::SimStock &s : screener_sim::MakeUniverse(400)) {
        StockRecord r;
        r.Symbol = s.Symbol;
        r.Company = s.Company;
        r.Industry = s.Industry;
        r.Text3 = s.Text3;
        for (int f = 4; f < StockRecord::FieldCount; ++f) r.NumberField(f) = s.Number(f);
        records.push_back(r);
    }
    Stocks().Assign(records);
    ASSERT_TRUE(Module1::SaveStockDatabase());  // what the window loads

    frmMain &w = OpenShown();
    w.move(0, 0);
    Ui().txtMinRate->setText("0.50");
    Ui().txtMaxRate->setText("1.50");
    Click(Ui().cmdSearchStock);
    ASSERT_GT(Grid().ItemCount(), 20);
    // sorted by price, lowest first, as a click on the "Price" heading sorts it
    Grid().Sort(2, 1);
    for (int r = 1; r < Grid().ItemCount(); ++r)
        ASSERT_LE(Grid().CellText(r - 1, 2).toDouble(), Grid().CellText(r, 2).toDouble()) << r;
    Grid().SetItemSelected(2, true);
    Grid().SetItemSelected(4, true);
    Grid().SetRow(4);
    QTest::qWait(50);

    QImage shot;
    QScreen *screen = QGuiApplication::primaryScreen();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && screen) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(300);
        shot = screen->grabWindow(0, w.geometry().x(), w.geometry().y(), w.width(), w.height())
                   .toImage();
    } else {
        shot = w.grab().toImage();
    }
    shot = shot.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), w.size());
    // the header band, the pressed first tab and the panel are where the layout puts them
    EXPECT_EQ(QColor(shot.pixel(1, 1)), Artwork::Navy.rgb());
    const QPoint panel = Ui().picC[0]->geometry().topLeft() + QPoint(4, 4);
    EXPECT_EQ(QColor(shot.pixel(panel)), Artwork::Panel);
    EXPECT_TRUE(shot.save("main_window.png"));
}
