// The price history as the main window shows it: the "Chg %" and "Since" columns, the column
// menu of the header row, and the chart window with its painter.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "MainWindowTestSupport.h"
#include "app/HistoryColumns.h"
#include "app/HistoryFacts.h"
#include "app/HistoryReader.h"
#include "app/MainWindowSettings.h"
#include "app/MoreFiltersArea.h"
#include "app/PriceChartPainter.h"
#include "app/StockColumns.h"
#include "app/StockScreen.h"
#include "app/frmPriceHistory.h"
#include "platform/DrawingSurface.h"
#include "platform/SaveDialog.h"
#include "store/Module1.h"

using namespace mainwindowtest;

namespace {

QDateTime At(int day, int hour = 12)
{
    return QDateTime(QDate(2026, 1, day), QTime(hour, 0), Qt::UTC);
}

StockRecord Record(const QString &symbol, double price)
{
    StockRecord r;
    r.Symbol = symbol;
    r.Company = symbol + " Corp";
    r.Price = price;
    return r;
}

QStringList Column(const LynxGrid &grid, int col)
{
    QStringList texts;
    for (int r = 0; r < grid.ItemCount(); ++r) texts << grid.CellText(r, col);
    return texts;
}

}  // namespace

TEST(HistoryFacts, ChangeIsUnknownWithoutAnEarlierNonZeroPrice)
{
    HistoryFacts facts;
    facts.PreviousPrices = {{"UP", 1.0}, {"DOWN", 2.0}, {"WAS0", 0.0}, {"NOW0", 1.0}};
    const struct {
        const char *symbol;
        double price;
        std::optional<double> change;
    } cases[] = {
        {"UP", 1.25, 25.0},
        {"DOWN", 1.0, -50.0},
        {"WAS0", 1.0, {}},
        {"NOW0", 0.0, {}},
        {"NEW", 1.0, {}},
        {"UP", 1.0, 0.0},
        {"UP", std::numeric_limits<double>::quiet_NaN(), {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.symbol);
        const std::optional<double> change = PriceChangePercent(facts, c.symbol, c.price);
        ASSERT_EQ(change.has_value(), c.change.has_value());
        if (change) {
            EXPECT_DOUBLE_EQ(*change, *c.change);
        }
    }
}

// The kept texts belong to a symbol and a price: a replaced table, a new price, new facts or
// another decimal separator never show what was made for another.
TEST(HistoryColumns, KeptTextsAreMadeAgainWhenTheRecordOrTheFactsChange)
{
    HistoryFacts facts;
    facts.PreviousPrices = {{"AA", 1.0}, {"BB", 2.0}};
    facts.FirstSeen = {{"AA", QDate(2025, 3, 4)}};
    HistoryColumns columns;
    columns.SetFacts(facts);
    EXPECT_FALSE(columns.Empty());
    const auto texts = [&](int index, const char *symbol, double price, const char *point = ".") {
        const HistoryColumns::Texts &t = columns.For(index, symbol, price, point);
        return QStringList{t.Change, t.Since};
    };
    EXPECT_EQ(texts(0, "AA", 1.5), QStringList({"50.00", "2025-03-04"}));
    EXPECT_EQ(texts(0, "BB", 1.5), QStringList({"-25.00", ""})) << "another stock at that place";
    EXPECT_EQ(texts(0, "BB", 3.0), QStringList({"50.00", ""})) << "a new price";
    EXPECT_EQ(texts(5, "CC", 3.0), QStringList({"", ""}));
    EXPECT_EQ(texts(0, "BB", 3.0, ","), QStringList({"50,00", ""}));
    facts.PreviousPrices["BB"] = 1.0;
    columns.SetFacts(facts);
    EXPECT_EQ(texts(0, "BB", 3.0, ","), QStringList({"200,00", ""}));
    columns.SetFacts({});
    EXPECT_TRUE(columns.Empty());
}

// --- the painter -------------------------------------------------------------------------------

TEST(PriceChart, PointsSpreadOverTheDatesAndRiseWithThePrice)
{
    const std::vector<PricePoint> points{{At(1), 1.0}, {At(3), 2.0}, {At(5), 0.0}};
    const PriceChart::Frame frame = PriceChart::FrameOf({600, 400}, points, 14);
    ASSERT_FALSE(frame.Plot.isEmpty());
    const QRect &plot = frame.Plot;
    const QPoint first = PriceChart::PointPosition(frame, points[0]);
    const QPoint middle = PriceChart::PointPosition(frame, points[1]);
    const QPoint last = PriceChart::PointPosition(frame, points[2]);
    EXPECT_EQ(first.x(), plot.left());
    EXPECT_EQ(last.x(), plot.right());
    EXPECT_NEAR(middle.x(), plot.center().x(), 1);
    EXPECT_EQ(last.y(), plot.bottom()) << "a price of 0 sits on the x axis";
    EXPECT_LT(middle.y(), first.y());
    // Prices are proportional: the distance above the axis doubles with the price.
    EXPECT_NEAR(plot.bottom() - middle.y(), 2 * (plot.bottom() - first.y()), 1);

    // The nearest point by date, within reach of the plot only.
    EXPECT_EQ(PriceChart::NearestPoint(frame, points, {middle.x() + 3, plot.top()}, 8), 1);
    EXPECT_EQ(PriceChart::NearestPoint(frame, points, {plot.left() - 5, first.y()}, 8), 0);
    EXPECT_EQ(PriceChart::NearestPoint(frame, points, {plot.left() - 20, first.y()}, 8), -1);
}

TEST(PriceChart, ThePriceRangeShowsTheBandTopOnceItReachesHalfTheBand)
{
    const struct {
        std::vector<double> prices;
        double high;
    } cases[] = {
        {{0.10, 0.20}, 0.22},                      // a penny stock keeps its own scale
        {{1.0, 2.49}, 2.739}, {{2.5, 1.0}, 5.5},   // the $5 line comes into view
        {{4.0, 7.0}, 7.7},                         // one that left the band
        {{0.0, 0.0}, 1.0},    {{-1.0, 0.0}, 1.0},  // a negative price counts as 0
    };
    for (const auto &c : cases) {
        std::vector<PricePoint> points;
        for (std::size_t i = 0; i < c.prices.size(); ++i)
            points.push_back({At(static_cast<int>(i) + 1), c.prices[i]});
        const PriceChart::Frame frame = PriceChart::FrameOf({600, 400}, points, 14);
        EXPECT_DOUBLE_EQ(frame.Low, 0);
        EXPECT_NEAR(frame.High, c.high, 1e-9) << c.prices[0];
        for (const PricePoint &p : points)
            EXPECT_TRUE(frame.Plot.contains(PriceChart::PointPosition(frame, p)));
    }
}

TEST(PriceChart, OnePointSitsInTheMiddleAndNoPointsOrNoRoomGiveNoPlot)
{
    const std::vector<PricePoint> one{{At(2), 1.5}};
    const PriceChart::Frame frame = PriceChart::FrameOf({600, 400}, one, 14);
    EXPECT_EQ(PriceChart::PointPosition(frame, one[0]).x(), frame.Plot.center().x());
    EXPECT_EQ(PriceChart::Caption(one), "One snapshot so far: $1.50 on 2026-01-02.");
    EXPECT_EQ(PriceChart::Caption({}), "No price history yet.");
    EXPECT_TRUE(PriceChart::FrameOf({600, 400}, {}, 14).Plot.isEmpty());
    EXPECT_TRUE(PriceChart::FrameOf({70, 40}, one, 14).Plot.isEmpty());
    EXPECT_EQ(PriceChart::NearestPoint(PriceChart::FrameOf({70, 40}, one, 14), one, {1, 1}, 8), -1);
    const std::vector<PricePoint> two{{At(2), 1.5}, {At(9), 1.0}};
    EXPECT_EQ(PriceChart::Caption(two), "2 snapshots from 2026-01-02 to 2026-01-09.");
}

// The face as the user sees it: the points in the line's colour, the $5 line dashed across the
// plot, the hovered point marked, nothing painted outside the plot's frame but labels.
TEST(PriceChart, PaintsThePointsTheBandTopAndTheHoveredPoint)
{
    const std::vector<PricePoint> points{{At(1), 1.0}, {At(4), 3.0}, {At(8), 2.0}};
    platform::DrawingSurface surface(QSize(600, 400));
    PriceChart::Paint(surface, points, -1);
    const PriceChart::Frame frame =
        PriceChart::FrameOf(surface.Size(), points, surface.TextHeight());
    ASSERT_FALSE(frame.Plot.isEmpty());
    for (const PricePoint &p : points) {
        const QPoint at = PriceChart::PointPosition(frame, p);
        EXPECT_EQ(surface.Pixel(at.x(), at.y()), PriceChart::LineColor);
        EXPECT_EQ(surface.Pixel(at.x() + 2, at.y() - 2), PriceChart::LineColor) << "marked";
    }
    // The segment between the first two points.
    const QPoint a = PriceChart::PointPosition(frame, points[0]);
    const QPoint b = PriceChart::PointPosition(frame, points[1]);
    const int midX = (a.x() + b.x()) / 2;
    bool onLine = false;
    for (int y = b.y(); y <= a.y(); ++y) onLine |= surface.Pixel(midX, y) == PriceChart::LineColor;
    EXPECT_TRUE(onLine);

    const int bandY = PriceChart::PriceY(frame, PriceChart::BandTop);
    int dashed = 0;
    for (int x = frame.Plot.left() + 1; x < frame.Plot.right(); ++x)
        dashed += surface.Pixel(x, bandY) == PriceChart::BandTopColor ? 1 : 0;
    EXPECT_GT(dashed, frame.Plot.width() / 2);
    EXPECT_LT(dashed, frame.Plot.width()) << "dashed, not solid";
    EXPECT_EQ(surface.Pixel(frame.Plot.left(), frame.Plot.top() + 1), PriceChart::AxisColor);
    EXPECT_EQ(surface.Pixel(frame.Plot.right(), frame.Plot.bottom()), PriceChart::AxisColor);
    EXPECT_EQ(surface.Pixel(surface.Width() - 3, surface.Height() - 3), PriceChart::Background);

    PriceChart::Paint(surface, points, 1);
    EXPECT_EQ(surface.Pixel(b.x() + 3, b.y() + 3), PriceChart::HoverColor);
    EXPECT_EQ(surface.Pixel(a.x() + 3, a.y() + 3), PriceChart::Background) << "only the hovered";
}

// --- the main window ---------------------------------------------------------------------------

class HistoryView : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        platform::SetSaveDialogHandler([this](const platform::SaveDialogRequest &) {
            return platform::SaveDialogAnswer{folder.File("out.csv"), 1};
        });
    }
    void TearDown() override
    {
        platform::SetSaveDialogHandler({});
        MainWindow::TearDown();
    }

    frmMain &Searched(const HistoryFacts &facts)
    {
        frmMain &w = OpenShown();
        Stocks().Assign({Record("AA", 1.10), Record("BB", 2.00), Record("CC", 0.50),
                         Record("DD", 0.00), Record("EE", 3.00)});
        w.SetHistoryFacts(facts);
        Ui().txtMinRate->setText("0");
        Ui().txtMaxRate->setText("5");
        w.SearchStocks();
        return w;
    }

    static HistoryFacts Facts()
    {
        HistoryFacts facts;
        facts.PreviousPrices = {{"AA", 1.00}, {"BB", 2.50}, {"CC", 0.50}, {"DD", 1.00}};
        facts.FirstSeen = {{"AA", QDate(2025, 11, 3)},
                           {"BB", QDate(2026, 1, 20)},
                           {"CC", QDate(2025, 2, 1)},
                           {"DD", QDate(2025, 11, 4)},
                           {"EE", QDate(2026, 2, 14)}};
        return facts;
    }

    // The header row's middle over a column's display position.
    QPoint HeaderPoint(int slot) const
    {
        return {static_cast<int>(Grid().ColLeft(slot) + Grid().ColWidth(slot) / 2), 4};
    }
};

TEST_F(HistoryView, ChangeAndSinceColumnsFollowTheFactsAndSortAsNumbersAndDates)
{
    Searched(Facts());
    EXPECT_EQ(Grid().ColHeading(StockColumns::ChangePercent), "Chg %");
    EXPECT_EQ(Grid().ColHeading(StockColumns::Since), "Since");
    EXPECT_EQ(Grid().ColType(StockColumns::ChangePercent), TypeNumber);
    EXPECT_EQ(Grid().ColType(StockColumns::Since), TypeDate);
    EXPECT_EQ(Column(Grid(), StockColumns::ChangePercent),
              QStringList({"10.00", "-20.00", "0.00", "", ""}));
    EXPECT_EQ(Column(Grid(), StockColumns::Since),
              QStringList({"2025-11-03", "2026-01-20", "2025-02-01", "2025-11-04", "2026-02-14"}));

    // -20 first and 10 last, not as texts (the grid's number sort takes a blank for 0).
    Grid().Sort(StockColumns::ChangePercent, 1);
    EXPECT_EQ(Column(Grid(), 0).first(), "BB");
    EXPECT_EQ(Column(Grid(), 0).last(), "AA");
    Grid().Sort(StockColumns::Since, 0);
    EXPECT_EQ(Column(Grid(), 0), QStringList({"EE", "BB", "DD", "AA", "CC"}));

    // New facts (after an update) fill the listed grid again; none leave the columns blank.
    window->SetHistoryFacts({});
    EXPECT_EQ(Grid().ItemCount(), 5);
    for (const int col : {int(StockColumns::ChangePercent), int(StockColumns::Since)})
        EXPECT_EQ(Column(Grid(), col), QStringList(5, QString()));
}

TEST_F(HistoryView, HeaderRightClickHidesAColumnThatStaysHiddenAndIsNotExported)
{
    Searched(Facts());
    QTest::mouseClick(&Grid(), Qt::RightButton, {}, HeaderPoint(StockColumns::Company));
    QMenu *menu = window->ColumnMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    const QList<QAction *> entries = menu->actions();
    ASSERT_EQ(entries.size(), StockColumns::ColumnCount);
    EXPECT_EQ(entries[StockColumns::Since]->text(), "Since");
    for (QAction *entry : entries) EXPECT_TRUE(entry->isChecked());
    const auto scrolls = [this] {
        return Grid().ScrollBars().Shown(lynx::ScrollBarId::Horizontal);
    };
    EXPECT_TRUE(scrolls()) << "eleven columns are wider than the grid";
    entries[StockColumns::Company]->trigger();
    EXPECT_FALSE(Grid().ColVisible(StockColumns::Company));
    EXPECT_FALSE(scrolls()) << "the others fit";

    window->ExportCsv();
    const QString firstLine =
        QString::fromLatin1(folder.ReadBytes("out.csv")).section("\r\n", 0, 0);
    EXPECT_EQ(firstLine,
              R"("AA","1.10","","0.00","0.00","0.00","0.00","0.00","10.00","2025-11-03",)");

    // A right click on a row opens no menu.
    menu->close();
    QCoreApplication::processEvents();
    QTest::mouseClick(&Grid(), Qt::RightButton, {}, QPoint(40, 60));
    EXPECT_EQ(window->ColumnMenu(), nullptr);

    answers.push_back(MessageAnswer::Yes);
    window->close();
    EXPECT_EQ(MainWindowSettings::Read(StockColumns::ColumnCount).HiddenColumns,
              std::vector<int>{StockColumns::Company});
    window.reset();
    Open();
    EXPECT_FALSE(Grid().ColVisible(StockColumns::Company));
    EXPECT_TRUE(Grid().ColVisible(StockColumns::Since));
}

TEST_F(HistoryView, TheLastShownColumnCannotBeHidden)
{
    Searched({});
    for (int slot = 1; slot < StockColumns::ColumnCount; ++slot)
        window->SetColumnShown(slot, false);
    window->SetColumnShown(0, false);
    EXPECT_TRUE(Grid().ColVisible(0));
    window->ShowColumnMenu(QPoint(10, 10));
    const QList<QAction *> entries = window->ColumnMenu()->actions();
    EXPECT_FALSE(entries[0]->isEnabled());
    EXPECT_TRUE(entries[1]->isEnabled());
    entries[1]->trigger();
    EXPECT_TRUE(Grid().ColVisible(1));
}

TEST_F(HistoryView, HistoryButtonAndDoubleClickChartTheCurrentStock)
{
    QStringList asked;
    Searched(Facts());
    window->SetPriceSeriesSource([&asked](const QString &symbol) {
        asked << symbol;
        return std::vector<PricePoint>{{At(1), 1.0}, {At(2), 1.1}};
    });
    Click(Ui().cmdHistory);
    EXPECT_EQ(window->HistoryWindow(), nullptr) << "no current row";

    Grid().SetRow(1);
    Click(Ui().cmdHistory);
    frmPriceHistory *chart = window->HistoryWindow();
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(chart->Symbol(), "BB");
    EXPECT_TRUE(chart->windowTitle().startsWith("History of BB (BB Corp)"));
    EXPECT_EQ(chart->Chart()->Points().size(), 2u);

    const int rowY = static_cast<int>(Grid().Layout().HeaderBand()) + 3 * 20 + 10;  // row 3
    // A user's double click: a click, then the second press as a double click.
    QTest::mouseClick(&Grid(), Qt::LeftButton, {}, QPoint(40, rowY));
    QTest::mouseDClick(&Grid(), Qt::LeftButton, {}, QPoint(40, rowY));
    EXPECT_EQ(asked, QStringList({"BB", "DD"}));
    EXPECT_EQ(window->HistoryWindow(), chart) << "one window, reused";
    EXPECT_EQ(chart->Symbol(), "DD");

    // A double click on a heading sorts; it opens nothing.
    QTest::mouseClick(&Grid(), Qt::LeftButton, {}, HeaderPoint(StockColumns::Price));
    QTest::mouseDClick(&Grid(), Qt::LeftButton, {}, HeaderPoint(StockColumns::Price));
    EXPECT_EQ(asked.size(), 2);
}

TEST_F(HistoryView, WithoutHistoryTheChartSaysSoAndHoverShowsDateAndPrice)
{
    Searched({});
    Grid().SetRow(0);
    window->OpenHistory();
    PriceChartView *chart = window->HistoryWindow()->Chart();
    EXPECT_TRUE(chart->Points().empty());

    chart->SetPoints({{At(1), 1.0}, {At(5), 2.0}});
    const PriceChart::Frame frame = PriceChart::FrameOf(chart->Surface().Size(), chart->Points(),
                                                        chart->Surface().TextHeight());
    const QPoint second = PriceChart::PointPosition(frame, chart->Points()[1]);
    QTest::mouseMove(chart, second - QPoint(2, 0));
    EXPECT_EQ(chart->Hovered(), 1);
    EXPECT_EQ(chart->Surface().Pixel(second.x() + 3, second.y() + 3), PriceChart::HoverColor);
    EXPECT_EQ(PriceChart::PointText({At(5), 2.0}, QLocale::c()).right(7), "  $2.00");
}

// The window after a search with the history's columns filled, its column menu open, and the
// chart of one stock hovered, as the user sees them: saved as main_window_history.png,
// price_history.png and price_history_one.png (a single snapshot) in the working folder (the
// window taken from the screen on a real display).
TEST_F(HistoryView, ScreenshotsOfTheColumnsTheMenuAndTheChart)
{
    std::vector<StockRecord> records;
    HistoryFacts facts;
    std::vector<PricePoint> series;
    for (int i = 0; i < 60; ++i) {
        StockRecord r = Record(QStringLiteral("S%1").arg(i, 3, 10, QChar('0')), 0.2 + i * 0.07);
        r.Industry = "Gold";
        r.MarketCap = 1e6 * (10 + i);
        records.push_back(r);
        if (i % 7 != 3)
            facts.PreviousPrices.insert(r.Symbol, r.Price * (1 + ((i % 5) - 2) * 0.04));
        facts.FirstSeen.insert(r.Symbol, QDate(2025, 6, 2).addDays(7 * (i % 13)));
    }
    for (int d = 0; d < 40; ++d)
        series.push_back({At(1).addDays(4 * d), 1.2 + 0.9 * std::sin(d / 5.0) + d * 0.06});
    frmMain &w = OpenShown();
    w.move(0, 0);
    Stocks().Assign(records);
    w.SetHistoryFacts(facts);
    w.SetPriceSeriesSource([&series](const QString &) { return series; });
    Ui().txtMinRate->setText("0");
    Ui().txtMaxRate->setText("5");
    w.SearchStocks();
    Grid().SetRow(2);
    // At the window's smallest the nine record columns fill the grid; without the industry the
    // two new ones come into view.
    w.SetColumnShown(StockColumns::Industry, false);
    w.SetMoreFiltersShown(true);
    w.ShowColumnMenu(Grid().mapToGlobal(HeaderPoint(StockColumns::ChangePercent)));
    QTest::qWait(100);
    QImage shot = w.grab().toImage();
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QTest::qWait(300);
        shot = QGuiApplication::primaryScreen()
                   ->grabWindow(0, 0, 0, w.width() + 40, w.height() + 40)
                   .toImage();
    }
    EXPECT_TRUE(shot.save("main_window_history.png"));
    w.ColumnMenu()->close();

    w.OpenHistory();
    frmPriceHistory *chart = w.HistoryWindow();
    chart->move(40, 40);
    QTest::qWait(100);
    const PriceChart::Frame frame = PriceChart::FrameOf(chart->Chart()->Surface().Size(), series,
                                                        chart->Chart()->Surface().TextHeight());
    // Straight to the chart: the main window lies under it, and not every platform stacks them.
    const QPointF at = PriceChart::PointPosition(frame, series[25]);
    QMouseEvent move(QEvent::MouseMove, at, chart->Chart()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart->Chart(), &move);
    EXPECT_EQ(chart->Chart()->Hovered(), 25);
    QTest::qWait(100);
    EXPECT_TRUE(chart->Chart()->Surface().Image().save("price_history.png"));
    chart->Chart()->SetPoints({series[3]});
    EXPECT_TRUE(chart->Chart()->Surface().Image().save("price_history_one.png"));
}

// "Chg %" in the "More filters" area bounds the change the column shows: a change of 0 is a
// real one, a stock the history did not list before is left out for a missing value.
TEST_F(HistoryView, ChangeBoundsListTheStocksWhoseChangeLiesWithin)
{
    // Changes: AA +10, BB -20, CC 0, DD and EE none.
    const struct {
        const char *min;
        const char *max;
        QStringList listed;
        int missing;
    } cases[] = {
        {"0", "", {"AA", "CC"}, 2},
        {"-25", "-5", {"BB"}, 2},
        {"", "0", {"BB", "CC"}, 2},
        {"", "", {"AA", "BB", "CC", "DD", "EE"}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.min) + ".." + c.max);
        frmMain &w = Searched(Facts());
        MoreFiltersArea &area = *Ui().fraMoreFilters;
        area.Box(ScreenField::ChangePercent, BoundText::Side::Min)->setText(c.min);
        area.Box(ScreenField::ChangePercent, BoundText::Side::Max)->setText(c.max);
        w.SearchStocks();
        EXPECT_EQ(Column(Grid(), 0), c.listed);
        EXPECT_EQ(w.LastSearch().LeftOutMissing, c.missing);
        EXPECT_TRUE(messages.empty());
        window.reset();
    }
    EXPECT_EQ(StockScreen::DescribeFilters(
                  [] {
                      ScreenBounds b;
                      b.PriceMax = 5;
                      b[ScreenField::ChangePercent] = {-5, 10};
                      return b;
                  }(),
                  StockScreen::NewOnly::No, QLocale::c()),
              "$0.00-$5.00, Chg % -5% to 10%");
}

// A data.dat without a history: the start seeds the history from it, and the columns and the
// chart read that history, dated by time.txt.
TEST_F(HistoryView, TheStartSeedsTheHistoryThatTheColumnsAndTheChartRead)
{
    Stocks().Assign({Record("AA", 1.10), Record("BB", 2.00)});
    ASSERT_TRUE(Module1::SaveStockDatabase());
    ASSERT_TRUE(Module1::WriteTimeStamp());
    Stocks().Clear();
    const QString history = QFileInfo(Module1::DatabasePath()).dir().filePath("history.sqlite");
    ASSERT_FALSE(QFileInfo::exists(history));

    frmMain &w = OpenShown();
    EXPECT_TRUE(QFileInfo::exists(history));
    Ui().txtMinRate->setText("0");
    Ui().txtMaxRate->setText("5");
    w.SearchStocks();
    ASSERT_EQ(Grid().ItemCount(), 2);
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(Column(Grid(), StockColumns::Since), QStringList({today, today}));
    EXPECT_EQ(Column(Grid(), StockColumns::ChangePercent), QStringList({"", ""}))
        << "one snapshot has nothing to compare with";

    const std::vector<PricePoint> series = HistoryReader::SeriesSource()("BB");
    ASSERT_EQ(series.size(), 1u);
    EXPECT_DOUBLE_EQ(series[0].Price, 2.00);
    EXPECT_TRUE(HistoryReader::SeriesSource()("ZZ").empty());
}
