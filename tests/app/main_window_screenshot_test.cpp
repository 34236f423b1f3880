#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>

#include "MainWindowTestSupport.h"
#include "app/Artwork.h"
#include "app/ChangesFile.h"
#include "app/UpdateStatusText.h"
#include "screener-sim/Universe.h"
#include "store/Module1.h"

using namespace mainwindowtest;

// The main window after a search, sorted by price, with two rows selected, as the user sees it;
// saved as main_window.png in the working folder. On a real display (QT_QPA_PLATFORM=xcb under
// Xvfb) the picture is taken from the screen, so it shows what the window system shows.
namespace {

// data.dat of the simulator's first stocks.
void SaveUniverse(int stocks)
{
    std::vector<StockRecord> records;
    for (const screener_sim::SimStock &s : screener_sim::MakeUniverse(stocks)) {
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
}

QImage Grab(QWidget &w)
{
    QImage shot;
    QScreen *screen = QGuiApplication::primaryScreen();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && screen) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(300);
        shot = screen->grabWindow(0, w.geometry().x(), w.geometry().y(), w.width(), w.height())
                   .toImage();
    } else {
        shot = w.grab().toImage();
    }
    return shot.convertToFormat(QImage::Format_RGB32);
}

// Where a control shows something: a label's text as wide as it is drawn, any other control
// its whole rectangle.
QRect Footprint(const QWidget &w)
{
    QRect r = w.geometry();
    if (auto *label = qobject_cast<const QLabel *>(&w); label && !label->wordWrap())
        r.setWidth(
            label->text().isEmpty()
                ? 0
                : std::min(r.width(), label->fontMetrics().horizontalAdvance(label->text())));
    return r;
}

}  // namespace

TEST_F(MainWindow, ScreenshotAfterASearch)
{
    SaveUniverse(400);

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

    const QImage shot = Grab(w);
    ASSERT_EQ(shot.size(), w.size());
    // the header band, the pressed first tab and the panel are where the layout puts them
    EXPECT_EQ(QColor(shot.pixel(1, 1)), Artwork::Navy.rgb());
    const QPoint panel = Ui().picC[0]->geometry().topLeft() + QPoint(4, 4);
    EXPECT_EQ(QColor(shot.pixel(panel)), Artwork::Panel);
    EXPECT_TRUE(shot.save("main_window.png"));
}

// New only pressed after a search, and the "Data Updates" tab with the summary of the last
// update, and the About tab: saved as main_window_new_only.png, main_window_updates.png and
// main_window_about.png. No control of a panel covers another, and the status line has room for the
// longest summary.
TEST_F(MainWindow, ScreenshotsOfNewOnlyAndTheUpdateSummary)
{
    SaveUniverse(400);
    BandChanges changes;
    changes.Stocks = 5432;
    changes.Pages = 273;
    changes.StocksBefore = 5416;
    for (int i = 0; i < 400; i += 9) changes.Entered << Stocks()[i].Symbol;
    changes.Left = {"GONE", "LOST"};
    ASSERT_TRUE(ChangesFile::Write(changes));

    frmMain &w = OpenShown();
    w.move(0, 0);
    Ui().txtMinRate->setText("0.00");
    Ui().txtMaxRate->setText("5.00");
    Click(Ui().cmdSearchStock);
    Click(Ui().chkNewOnly);
    EXPECT_EQ(Grid().ItemCount(), static_cast<int>(changes.Entered.size()));
    QTest::qWait(50);
    EXPECT_TRUE(Grab(w).save("main_window_new_only.png"));

    Click(Ui().ButtonEx1[1]);
    ASSERT_EQ(w.SelectedTab(), 1);
    EXPECT_EQ(Ui().lblUpdateProgress->text(), UpdateStatusText::Summary(changes));
    QTest::qWait(50);
    EXPECT_TRUE(Grab(w).save("main_window_updates.png"));
    Click(Ui().ButtonEx1[2]);
    QTest::qWait(50);
    EXPECT_TRUE(Grab(w).save("main_window_about.png"));

    for (QWidget *panel : {Ui().picC[0], Ui().picC[1], Ui().picC[2]}) {
        std::vector<const QWidget *> controls;
        for (QObject *o : panel->children())
            if (auto *c = qobject_cast<QWidget *>(o); c && !c->isHidden())
                controls.push_back(c);
        for (size_t a = 0; a < controls.size(); ++a) {
            EXPECT_TRUE(panel->rect().contains(Footprint(*controls[a])))
                << controls[a]->objectName().toStdString();
            for (size_t b = a + 1; b < controls.size(); ++b)
                EXPECT_FALSE(Footprint(*controls[a]).intersects(Footprint(*controls[b])))
                    << controls[a]->objectName().toStdString() << " and "
                    << controls[b]->objectName().toStdString();
        }
    }
    BandChanges longest;
    longest.Stocks = longest.StocksBefore = StockTable::MaxRecords;
    longest.Pages = 1639;
    longest.Entered = longest.Left = QStringList(StockTable::MaxRecords, "X");
    const QLabel &line = *Ui().lblUpdateProgress;
    EXPECT_LE(line.fontMetrics().horizontalAdvance(UpdateStatusText::Summary(longest)),
              line.width());
}
