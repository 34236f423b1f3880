#include <QCheckBox>
#include <QScrollBar>

#include "MainWindowTestSupport.h"
#include "app/BandChanges.h"
#include "app/ChangesFile.h"
#include "app/ListStatusText.h"

using namespace mainwindowtest;

namespace {

std::vector<StockRecord> Priced(int count, double price)
{
    std::vector<StockRecord> records(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        records[static_cast<std::size_t>(i)].Symbol = QStringLiteral("S%1").arg(i);
        records[static_cast<std::size_t>(i)].Price = price;
    }
    return records;
}

}  // namespace

// The reasons the window test below does not reach, and the locale's numbers.
TEST(ListStatusText, CountsAndTheReasonForAnEmptyList)
{
    BandChanges some, first;
    some.When = "09,Dec 2026 at 08:15:00 PM";
    some.StocksBefore = 10;
    some.Entered = {"NEW"};
    first.When = some.When;  // the first update: nothing to compare with
    const QLocale c = QLocale::c();
    const struct {
        int listed;
        std::optional<PriceSearchQuery> query;
        QString text;
    } cases[] = {
        {1234, std::nullopt, "1,234 stocks"},
        {0, std::nullopt, "0 stocks"},  // emptied by the user
        {0, PriceSearchQuery{2, 1, true, 9, &some},
         "No stock between $2.00 and $1.00: the minimum is above the maximum."},
        {0, PriceSearchQuery{0.1, 0.2, false, 0},
         "No stock data yet: update it on the \"Data Updates\" tab."},
        {0, PriceSearchQuery{0.1, 0.2, true, 9, &some},
         "No stock between $0.10 and $0.20 entered the band in the last update (09,Dec 2026 at "
         "08:15:00 PM)."},
        {0, PriceSearchQuery{0, 5, true, 9, &first},
         "No stock is new: the last update (09,Dec 2026 at 08:15:00 PM) had no earlier list to "
         "compare with."},
        {0, PriceSearchQuery{0, 5, true, 9},
         "No update has recorded yet which stocks entered the band."},
    };
    for (const auto &t : cases) EXPECT_EQ(ListStatusText::Text(t.listed, t.query, c), t.text);
    EXPECT_EQ(ListStatusText::Text(0, PriceSearchQuery{1.5, 1, false, 9}, QLocale(QLocale::German)),
              "No stock between $1,50 and $1,00: the minimum is above the maximum.");
    EXPECT_EQ(ListStatusText::Text(12345, std::nullopt, QLocale(QLocale::German)), "12.345 stocks");
}

// The line under the grid follows every search and every removal, and an emptied grid keeps
// no scroll thumb.
TEST_F(MainWindow, TheLineUnderTheGridSaysWhatIsListedAndAnEmptiedGridHasNoThumb)
{
    std::vector<StockRecord> records = Priced(1500, 1.25);
    records[7].Price = 3.5;
    BandChanges changes;
    changes.When = "09,Dec 2026 at 08:15:00 PM";
    changes.Stocks = 1500;
    changes.StocksBefore = 1500;
    ASSERT_TRUE(ChangesFile::Write(changes));
    frmMain &w = OpenShown();
    Stocks().Assign(records);  // the load found no data.dat
    const QLabel &line = *Ui().lblListStatus;
    EXPECT_EQ(line.text(), "") << "nothing said before the first search";
    const auto vertical = [&] { return Grid().ScrollBars().Shown(lynx::ScrollBarId::Vertical); };

    const auto search = [&](const char *min, const char *max) {
        Ui().txtMinRate->setText(min);
        Ui().txtMaxRate->setText(max);
        Click(Ui().cmdSearchStock);
    };
    search("1", "2");
    EXPECT_EQ(line.text(), "1,499 stocks");
    EXPECT_TRUE(vertical());
    search("0.10", "0.20");
    EXPECT_EQ(line.text(), "No stock between $0.10 and $0.20 in the data.");
    EXPECT_FALSE(vertical()) << "a search with no hits";
    search("3", "4");
    EXPECT_EQ(line.text(), "1 stock");
    search("2", "1");
    EXPECT_EQ(line.text(), "No stock between $2.00 and $1.00: the minimum is above the maximum.");
    search("0", "5");
    Click(Ui().chkNewOnly);
    EXPECT_EQ(line.text(),
              "No stock entered the band in the last update (09,Dec 2026 at 08:15:00 PM).");
    Click(Ui().chkNewOnly);
    EXPECT_EQ(line.text(), "1,500 stocks");

    Grid().SetItemSelected(0, true);
    Grid().SetItemSelected(3, true);
    answers.push_back(MessageAnswer::Yes);
    Click(Ui().ListButtons[1]);  // Remove Selected
    EXPECT_EQ(line.text(), "1,498 stocks");
    EXPECT_TRUE(vertical());
    Click(Ui().ListButtons[0]);  // Remove All
    EXPECT_EQ(line.text(), "0 stocks");
    EXPECT_FALSE(vertical());
    EXPECT_FALSE(Grid().ScrollBars().Bar(lynx::ScrollBarId::Vertical)->isVisible());
    EXPECT_EQ(messages.size(), 1u) << "the removal question only: the line is no message box";
    (void)w;
}
