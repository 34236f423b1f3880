#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "MainWindowTestSupport.h"
#include "app/MainWindowSettings.h"
#include "app/WindowPlacement.h"

using namespace mainwindowtest;

namespace {

const std::vector<int> DefaultWidths{100, 280, 80, 200, 70, 70, 70, 70, 70, 70, 80};
const std::vector<int> AsAdded{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr int Columns = 11;

std::vector<int> Widths(const LynxGrid &grid)
{
    std::vector<int> widths;
    for (int c = 0; c <= grid.Cols(); ++c) widths.push_back(static_cast<int>(grid.ColWidth(c)));
    return widths;
}

QRect Screen()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

void Fill()
{
    std::vector<StockRecord> records(6);
    const double prices[] = {1.5, 0.5, 2.5, 1.0, 2.0, 0.75};
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].Symbol = QStringLiteral("S%1").arg(i);
        records[i].Price = prices[i];
    }
    Stocks().Assign(records);
}

QStringList Column(const LynxGrid &grid, int col)
{
    QStringList texts;
    for (int r = 0; r < grid.ItemCount(); ++r) texts << grid.CellText(r, col);
    return texts;
}

}  // namespace

TEST(WindowPlacement, TheSavedPlaceWhenAScreenShowsItsTopElseTheMiddleOfThePrimary)
{
    const QSize min(1060, 690);
    const QList<QRect> screens{{0, 0, 1920, 1040}, {-1280, 0, 1280, 1024}};
    const QRect centred(430, 175, 1060, 690);
    const struct {
        std::optional<QRect> saved;
        QList<QRect> screens;
        QRect placed;
    } cases[] = {
        {QRect(100, 50, 1200, 800), screens, QRect(100, 50, 1200, 800)},
        {QRect(-1200, 100, 1100, 700), screens, QRect(-1200, 100, 1100, 700)},  // second screen
        {QRect(1850, 100, 1100, 700), screens, centred},  // 70 pixels shown: too few to grab
        {QRect(100, -500, 1100, 700), screens, centred},  // the top above every screen
        {QRect(5000, 5000, 1100, 700), screens, centred},
        {QRect(10, 10, 300, 200), screens, QRect(10, 10, 1060, 690)},  // grown to the minimum
        {std::nullopt, screens, centred},
        {std::nullopt, {{0, 0, 800, 600}}, QRect(0, 0, 1060, 690)},  // a screen too small
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.saved ? c.saved->x() : -1);
        EXPECT_EQ(WindowPlacement::Place(c.saved, min, c.screens), c.placed);
    }
}

TEST_F(MainWindow, RemembersItsPlaceColumnsAndSortAcrossRestarts)
{
    Fill();
    frmMain &w = OpenShown();
    Fill();
    EXPECT_FALSE(QFile::exists(folder.File("zentrin.ini")));
    w.setGeometry(40, 30, 1200, 800);
    Grid().SetColWidth(1, 150);
    Grid().SetColWidth(8, 33);
    Grid().SetColumnOrder({0, 2, 1, 3, 4, 5, 6, 7, 8, 10, 9});
    // a click on "Price" and a second one (descending), then Ctrl+click on "Symbol"
    Grid().Sort(2, 0, 0, 1);
    Ui().txtMinRate->setText("0");
    Ui().txtMaxRate->setText("5");
    Click(Ui().cmdSearchStock);
    const QStringList descending{"2.50", "2.00", "1.50", "1.00", "0.75", "0.50"};
    EXPECT_EQ(Column(Grid(), 2), descending) << "sorted again after the fill";
    Click(Ui().ListButtons[0]);  // Remove All forgets the grid's sort, not the user's
    answers.push_back(MessageAnswer::Yes);
    w.close();

    MainWindowState expected;
    expected.Geometry = QRect(40, 30, 1200, 800);
    expected.ColumnWidths = {100, 150, 80, 200, 70, 70, 70, 70, 33, 70, 80};
    expected.ColumnOrder = {0, 2, 1, 3, 4, 5, 6, 7, 8, 10, 9};
    expected.Sort = {2, 0, 0, 1};
    EXPECT_EQ(MainWindowSettings::Read(Columns), expected);

    frmMain &again = Open();
    EXPECT_EQ(again.geometry(), QRect(40, 30, 1200, 800));
    EXPECT_EQ(Widths(Grid()), expected.ColumnWidths);
    EXPECT_EQ(Grid().ColumnOrder(), expected.ColumnOrder);
    EXPECT_EQ(Grid().Model().SortColumn, 2) << "the arrow shows before any search";
    Fill();
    Ui().txtMinRate->setText("0");
    Ui().txtMaxRate->setText("5");
    again.SearchStocks();
    EXPECT_EQ(Column(Grid(), 2), descending);

    // maximized: the window opens maximized over the place it had before
    again.show();
    again.setWindowState(Qt::WindowMaximized);
    answers.push_back(MessageAnswer::Yes);
    again.close();
    expected.Maximized = true;
    EXPECT_EQ(MainWindowSettings::Read(Columns), expected);
    frmMain &third = Open();
    EXPECT_TRUE(third.windowState().testFlag(Qt::WindowMaximized));
}

// Whatever the file holds, the window opens on the screen with usable columns, says nothing,
// and writes a sound file when it closes.
TEST_F(MainWindow, DamagedSettingsGiveTheDefaultsAndAreRewrittenAtClose)
{
    const struct {
        const char *name;
        QByteArray file;
        bool geometryKept;  // the place stays (grown to the minimum); otherwise the default
        std::vector<int> widths;
        std::vector<int> order;
        GridSortChoice sort;
    } cases[] = {
        {"binary",
         QByteArray("\x00\xff\x13[[[=\n\x01\xfe]]\n", 14),
         false,
         DefaultWidths,
         AsAdded,
         {}},
        {"another program's",
         "[General]\nfoo=bar\n[Other]\nx=1\n",
         false,
         DefaultWidths,
         AsAdded,
         {}},
        // written by a Zentrin of nine columns: they keep their widths and order, the newer
        // ones follow with their own
        {"fewer columns",
         "[Grid]\nColumnWidths=120, 200, 80, 70, 70, 70, 70, 70, 90\n"
         "ColumnOrder=8, 7, 6, 5, 4, 3, 2, 1, 0\nSortColumn=8\nSortState=1\n",
         false,
         {120, 200, 80, 70, 70, 70, 70, 70, 90, 70, 80},
         {8, 7, 6, 5, 4, 3, 2, 1, 0, 9, 10},
         {8, 1, -1, 1}},
        {"more columns",
         "[Grid]\nColumnWidths=1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12\n"
         "ColumnOrder=0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10\nHiddenColumns=1, 12\n",
         false,
         DefaultWidths,
         AsAdded,
         {}},
        {"widths of 0 or below",
         "[Grid]\nColumnWidths=100, 0, 80, 200, 70, -5, 70, 70, 70, 70, 80\nSortColumn=11\n"
         "SortState=1\nHiddenColumns=0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10\n",
         false,
         DefaultWidths,
         AsAdded,
         {}},
        {"off every screen",
         "[Window]\nLeft=100000\nTop=100000\nWidth=1200\nHeight=800\n",
         false,
         DefaultWidths,
         AsAdded,
         {}},
        {"not numbers",
         "[Window]\nLeft=abc\nTop=5\nWidth=1200\nHeight=800\nMaximized=maybe\n[Grid]\n"
         "ColumnWidths=a, b, c, d, e, f, g, h, i\nSortColumn=2\nSortState=2\nHiddenColumns=x\n",
         false,
         DefaultWidths,
         AsAdded,
         {}},
        {"a repeated column",
         "[Grid]\nColumnOrder=0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9\nSortColumn=3\nSortState=0\n"
         "SubSortColumn=3\nSubSortState=1\n",
         false,
         DefaultWidths,
         AsAdded,
         {3, 0, -1, 1}},
        {"too small",
         "[Window]\nLeft=10\nTop=20\nWidth=10\nHeight=10\n",
         true,
         DefaultWidths,
         AsAdded,
         {}},
    };
    const QList<QRect> screens{Screen()};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        folder.WriteBytes("zentrin.ini", c.file);
        messages.clear();
        frmMain &w = Open();
        const QRect placed = c.geometryKept
                                 ? QRect(QPoint(10, 20), frmMain::MinimumSize)
                                 : WindowPlacement::Default(frmMain::MinimumSize, screens);
        EXPECT_EQ(w.geometry(), placed);
        EXPECT_GE(w.geometry().intersected(Screen()).width(), 100) << "on the screen";
        EXPECT_FALSE(w.windowState().testFlag(Qt::WindowMaximized));
        EXPECT_EQ(Widths(Grid()), c.widths);
        EXPECT_EQ(Grid().ColumnOrder(), c.order);
        for (int slot = 0; slot < Columns; ++slot) EXPECT_TRUE(Grid().ColVisible(slot)) << slot;
        EXPECT_EQ(w.SortChoice(), c.sort);
        EXPECT_TRUE(messages.empty());

        answers.push_back(MessageAnswer::Yes);
        w.close();
        const MainWindowState written = MainWindowSettings::Read(Columns);
        EXPECT_EQ(written.Geometry, placed);
        EXPECT_EQ(written.ColumnWidths, c.widths);
        EXPECT_EQ(written.ColumnOrder, c.order);
        EXPECT_EQ(written.Sort, c.sort);
        if (QByteArray(c.name) == "another program's") {
            EXPECT_EQ(QSettings(MainWindowSettings::Path(), QSettings::IniFormat).value("Other/x"),
                      "1")
                << "what is not ours stays";
        }
    }
}
