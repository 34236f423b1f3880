#include <gtest/gtest.h>

#include "app/ListCompleteness.h"

namespace {

std::vector<StockRecord> Page(const QStringList &symbols)
{
    std::vector<StockRecord> records;
    for (const QString &symbol : symbols) {
        StockRecord record;
        record.Symbol = symbol;
        record.Company = symbol + " Co";
        records.push_back(record);
    }
    return records;
}

}  // namespace

TEST(ListCompleteness, CountsStocksBySymbolAndThePagesTheMissingOnesNeed)
{
    ListCompleteness list(50);
    EXPECT_EQ(list.AddPage(Page({"A", "B", "C", ""})), 3);  // a row without a symbol is no stock
    EXPECT_EQ(list.AddPage(Page({"C", "D"})), 1);
    EXPECT_EQ(list.Distinct(), 4);
    EXPECT_EQ(list.Repeated(), 1);
    EXPECT_EQ(list.Missing(), 46);
    EXPECT_TRUE(list.MovedBack());
    // Half a row a page moved: a page brings 19.5 new stocks, so 46 need three.
    EXPECT_EQ(list.PagesToCatchUp(10), 3);
    EXPECT_EQ(list.PagesToCatchUp(2), 2);
    EXPECT_EQ(list.MissingText(),
              "4 of the 50 stocks the screener listed arrived: the list changed during the "
              "download.");

    // A list that moves a page or more a request: as many pages as allowed.
    ListCompleteness racing(100);
    racing.AddPage(Page(QStringList(21, "A")));
    EXPECT_EQ(racing.PagesToCatchUp(7), 7);

    // Every stock there, or more than the count: nothing to catch up.
    ListCompleteness whole(2);
    whole.AddPage(Page({"A", "B", "A", "C"}));
    EXPECT_EQ(whole.Missing(), 0);
    EXPECT_FALSE(whole.MovedBack());
}

TEST(ListCompleteness, RecordsOfACaughtUpPageJoinBySymbolInTheirOrder)
{
    QSet<QString> known{"B"};
    const std::vector<StockRecord> fresh =
        RecordsNotYetKnown(Page({"A", "B", "", "A", "C"}), known);
    ASSERT_EQ(fresh.size(), 2u);
    EXPECT_EQ(fresh[0].Symbol, "A");
    EXPECT_EQ(fresh[1].Symbol, "C");
    EXPECT_EQ(known, QSet<QString>({"A", "B", "C"}));
}
