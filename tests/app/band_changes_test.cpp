#include <QCheckBox>

#include "MainWindowTestSupport.h"
#include "app/BandChanges.h"
#include "app/ChangesFile.h"
#include "app/UpdateStatusText.h"
#include "store/Module1.h"

using namespace mainwindowtest;

namespace {

StockRecord Stock(const QString &symbol, double price)
{
    StockRecord r;
    r.Symbol = symbol;
    r.Company = symbol + " Corp";
    r.Price = price;
    return r;
}

using Prices = std::vector<std::pair<const char *, double>>;

std::vector<StockRecord> Table(const Prices &prices)
{
    std::vector<StockRecord> table;
    for (const auto &[symbol, price] : prices) table.push_back(Stock(symbol, price));
    return table;
}

const QString Dot = QStringLiteral(" \u00B7 ");

}  // namespace

TEST(BandChanges, ComparesBySymbolAndCountsMovesOverTwentyPercent)
{
    struct Case {
        const char *name;
        Prices before, after;
        QStringList entered, left;
        int moved;
    };
    const Case cases[] = {
        {"same list", {{"A", 1}, {"B", 2}}, {{"B", 2}, {"A", 1}}, {}, {}, 0},
        {"in symbol order",
         {{"M", 1}, {"Q", 1}, {"C", 1}},
         {{"Z", 1}, {"M", 1}, {"B", 1}},
         {"B", "Z"},
         {"C", "Q"},
         0},
        {"moves",
         {{"UP", 1.00}, {"DOWN", 2.00}, {"EDGE", 2.50}, {"NEAR", 1.00}, {"SMALL", 4.00}},
         {{"UP", 1.21}, {"DOWN", 1.59}, {"EDGE", 3.00}, {"NEAR", 1.20}, {"SMALL", 4.40}},
         {},
         {},
         2},  // exactly 20 % is no move
        {"code-unit order, also past eight letters and beyond Latin-1",
         {{"OLD", 1}},
         {{"ABCDEFGHJ", 1}, {"\u0100A", 1}, {"ABCDEFGHI", 1}, {"\u00FF", 1}, {"OLD", 1}},
         {"ABCDEFGHI", "ABCDEFGHJ", "\u00FF", "\u0100A"},
         {},
         0},
        {"unknown prices are no moves", {{"A", 0}, {"B", 1}}, {{"A", 3}, {"B", 0}}, {}, {}, 0},
        {"letter case counts", {{"abc", 1}}, {{"ABC", 1}}, {"ABC"}, {"abc"}, 0},
        {"a symbol listed twice counts once, with its first record",
         {{"A", 1}, {"A", 5}, {"L", 1}, {"L", 1}},
         {{"A", 2}, {"A", 1}, {"N", 1}, {"N", 2}},
         {"N"},
         {"L"},
         1},
        {"records without a symbol are left out", {{"", 1}, {"A", 1}}, {{"", 9}}, {}, {"A"}, 0},
        {"no earlier list: nothing is known to be new", {}, {{"A", 1}}, {}, {}, 0},
        {"an empty new list", {{"A", 1}}, {}, {}, {"A"}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = Table(c.before), after = Table(c.after);
        const BandChanges changes = CompareTables(before, after);
        EXPECT_EQ(changes.Entered, c.entered);
        EXPECT_EQ(changes.Left, c.left);
        EXPECT_EQ(changes.Moved, c.moved);
        EXPECT_EQ(changes.Stocks, static_cast<int>(after.size()));
        EXPECT_EQ(changes.StocksBefore, static_cast<int>(before.size()));
    }
}

TEST(ChangesFile, RoundTripsAndRefusesWhatItDidNotWrite)
{
    BandChanges changes;
    changes.When = "09,Dec 2026 at 08:15:00 PM";
    changes.Stocks = 5432;
    changes.Pages = 273;
    changes.StocksBefore = 5416;
    changes.Entered = {"ABCD", "Left", "XY.B"};  // a symbol may read like a heading
    changes.Left = {"OLD"};
    changes.Moved = 12;
    const QString text = ChangesFile::Text(changes);
    EXPECT_EQ(text,
              "Last update: 09,Dec 2026 at 08:15:00 PM\r\nStocks: 5432\r\nPages: 273\r\n"
              "Stocks before: 5416\r\nEntered the band: 3\r\nLeft the band: 1\r\n"
              "Price moved more than 20 %: 12\r\nEntered\r\nABCD\r\nLeft\r\nXY.B\r\nLeft\r\n"
              "OLD\r\n");
    EXPECT_EQ(ChangesFile::Parse(text), changes);
    EXPECT_EQ(ChangesFile::Parse(text + "\r\n  \r\n"), changes);  // blank lines after the list

    const auto replaced = [&](const char *from, const char *to) {
        return QString(text).replace(from, to);
    };
    const QString malformed[] = {
        "",
        "garbage\r\n",
        text.left(text.size() - 5),                              // the last symbol cut short
        text + "MORE\r\n",                                       // a symbol the counts do not know
        replaced("Entered the band: 3", "Entered the band: 4"),  // count and list disagree
        replaced("Stocks: 5432", "Stocks: many"),
        replaced("Stocks: 5432", "Stocks: -1"),
        replaced("Stocks: 5432", "Stocks: 2"),                // more entered than listed
        replaced("Stocks before: 5416", "Stocks before: 0"),  // more left than there were
        replaced("Pages: 273\r\n", ""),
        replaced("\r\nLeft\r\nOLD", "\r\n\r\nOLD"),
        replaced("ABCD", ""),
    };
    for (const QString &t : malformed)
        EXPECT_EQ(ChangesFile::Parse(t), std::nullopt) << t.toStdString();
}

TEST(UpdateStatusText, PageAndEstimateImportCountAndSummary)
{
    using namespace UpdateStatusText;
    const QLocale c = QLocale::c();
    struct Case {
        int page, pages, done;
        uint32_t elapsedMs;
        QString text;
    };
    const Case cases[] = {
        {1, 273, 0, 0, "Page 1 of 273"},
        {12, 273, 11, 11000, "Page 12 of 273" + Dot + "about 4 min left"},  // 262 s
        {2, 3, 1, 59000, "Page 2 of 3" + Dot + "about 2 min left"},         // 118 s
        {3, 3, 2, 2000, "Page 3 of 3" + Dot + "less than a minute left"},
        {2, 3, 1, 29999, "Page 2 of 3" + Dot + "less than a minute left"},  // 59.998 s
        {2, 1200, 1, 3000, "Page 2 of 1,200" + Dot + "about 60 min left"},
    };
    for (const Case &t : cases)
        EXPECT_EQ(Downloading(t.page, t.pages, t.done, t.elapsedMs, c), t.text) << t.page;
    EXPECT_EQ(Importing(1234, 5432, c), "Importing 1,234 of 5,432");
    EXPECT_EQ(Importing(1234, 5432, QLocale(QLocale::German)), "Importing 1.234 of 5.432");

    BandChanges changes;
    changes.Stocks = 5432;
    changes.Pages = 273;
    changes.StocksBefore = 5416;
    changes.Entered = QStringList(37, "E");
    changes.Left = QStringList(21, "L");
    EXPECT_EQ(Summary(changes, c),
              "5,432 stocks from 273 pages" + Dot + "37 entered the band, 21 left");
    changes = {};
    changes.Stocks = changes.Pages = 1;
    EXPECT_EQ(Summary(changes, c), "1 stock from 1 page" + Dot + "no earlier list to compare with");
}

TEST_F(MainWindow, StartShowsTheSummaryOfChangesTxtAndNothingForAMissingOrBadOne)
{
    BandChanges changes;
    changes.When = "09,Dec 2026 at 08:15:00 PM";
    changes.Stocks = 2;
    changes.Pages = 1;
    changes.StocksBefore = 3;
    changes.Entered = {"NEW"};
    changes.Left = {"GONE", "LOST"};
    const QString good = ChangesFile::Text(changes);
    const struct {
        const char *name;
        std::optional<QString> file;
        QString shown;
    } cases[] = {
        {"missing", std::nullopt, ""},
        {"good", good, "2 stocks from 1 page" + Dot + "1 entered the band, 2 left"},
        {"cut short", good.left(good.size() - 8), ""},
        {"not ours", "hello\r\n", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(ChangesFile::Path());
        if (c.file)
            folder.WriteBytes("changes.txt", c.file->toUtf8());
        frmMain &w = Open();
        EXPECT_EQ(Ui().lblUpdateProgress->text(), c.shown);
        EXPECT_EQ(Ui().lblDownloadStatus->text(), "");
        EXPECT_TRUE(messages.empty());  // a bad file is no error
        // The toggle is released at every start: its state is not kept.
        EXPECT_FALSE(w.NewOnly());
    }
}

TEST_F(MainWindow, NewOnlyListsTheEnteredStocksOfTheRangeAndReleasedTheWholeRange)
{
    Stocks().Assign(Table({{"OLD1", 1.00},
                           {"NEW1", 1.00},
                           {"OLD2", 1.50},
                           {"NEW2", 4.00},
                           {"NEW3", 2.00},
                           {"OLD3", 2.00},
                           {"NEW4", 2.01}}));
    ASSERT_TRUE(Module1::SaveStockDatabase());
    BandChanges changes;
    changes.Stocks = 7;
    changes.Pages = 1;
    changes.StocksBefore = 4;
    changes.Entered = {"NEW1", "NEW2", "NEW3", "NEW4", "GONE"};  // GONE is no longer listed
    ASSERT_TRUE(ChangesFile::Write(changes));
    OpenShown();
    QCheckBox &toggle = *Ui().chkNewOnly;
    EXPECT_EQ(toggle.text(), "New only");
    // a small check box on the search's row, not a fifth tab
    EXPECT_LE(toggle.height(), Ui().cmdSearchStock->height());
    EXPECT_EQ(toggle.geometry().center().y(), Ui().cmdSearchStock->geometry().center().y());

    // Before any search the toggle lists nothing and fills in no boxes.
    Click(&toggle);
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_EQ(Grid().ItemCount(), 0);
    EXPECT_EQ(Ui().txtMinRate->text(), "");

    const auto listed = [&] {
        QStringList symbols;
        for (int r = 0; r < Grid().ItemCount(); ++r) symbols << Grid().CellText(r, 0);
        return symbols;
    };
    Ui().txtMinRate->setText("1.00");
    Ui().txtMaxRate->setText("2.00");
    Click(Ui().cmdSearchStock);
    EXPECT_EQ(listed(), QStringList({"NEW1", "NEW3"}));
    // Released, at once the search as it always was.
    Click(&toggle);
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_EQ(listed(), QStringList({"OLD1", "NEW1", "OLD2", "NEW3", "OLD3"}));
    Click(&toggle);
    EXPECT_EQ(listed(), QStringList({"NEW1", "NEW3"}));
    EXPECT_TRUE(messages.empty());
}
