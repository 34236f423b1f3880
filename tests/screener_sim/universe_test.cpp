#include <gtest/gtest.h>

#include <QSet>

#include "screener-sim/Universe.h"

using namespace screener_sim;

TEST(SimUniverse, SameSizeSameStocksInNameOrderWithUniqueSymbols)
{
    std::vector<SimStock> a = MakeUniverse(600), b = MakeUniverse(600);
    ASSERT_EQ(a.size(), 600u);
    QSet<QString> symbols;
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].Cells, b[i].Cells);
        if (i > 0) {
            EXPECT_LE(QString::compare(a[i - 1].Cells[1], a[i].Cells[1]), 0);
        }
        symbols.insert(a[i].Symbol);
    }
    EXPECT_EQ(symbols.size(), 600);
    EXPECT_TRUE(MakeUniverse(0).empty());
    EXPECT_TRUE(MakeUniverse(-3).empty());
}

TEST(SimUniverse, ExpectedValuesFollowTheCellsTheWayTheProgramReadsThem)
{
    int millions = 0, billions = 0, percents = 0, blanks = 0;
    for (const SimStock &stock : MakeUniverse(2000)) {
        SCOPED_TRACE(stock.Symbol.toStdString());
        EXPECT_EQ(stock.Company, ProperCase(stock.Cells[1]));
        EXPECT_EQ(stock.Industry, stock.Cells[2]);
        EXPECT_TRUE(stock.Price() > 0 && stock.Price() <= 5);

        QString cap = stock.Cells[6];
        if (cap.endsWith('M')) {
            ++millions;
            double value = cap.chopped(1).remove(',').toDouble();
            EXPECT_DOUBLE_EQ(stock.Number(6), value * 1e6);
            EXPECT_DOUBLE_EQ(stock.MarketCapDollars, value * 1e6);
        } else {
            ++billions;
            ASSERT_TRUE(cap.endsWith('B'));
            EXPECT_DOUBLE_EQ(stock.Number(6), cap.chopped(1).toDouble());
            EXPECT_DOUBLE_EQ(stock.MarketCapDollars, cap.chopped(1).toDouble() * 1e9);
        }
        if (stock.Cells[5].endsWith('%')) {
            ++percents;
            EXPECT_DOUBLE_EQ(stock.Number(5), stock.Cells[5].chopped(1).toDouble());
        }
        if (stock.Cells[9].isEmpty()) {
            ++blanks;
            EXPECT_EQ(stock.Number(9), 0);
        }
        if (stock.Cells[12] == "N/A") {
            EXPECT_EQ(stock.Number(12), 0);
        }
        EXPECT_EQ(stock.Number(18), 0);  // the link column
    }
    EXPECT_GT(millions, 1000);
    EXPECT_GT(billions, 20);
    EXPECT_EQ(percents, 2000);
    EXPECT_GT(blanks, 50);
}

TEST(SimUniverse, ProperCaseStartsWordsOnlyAfterSpaces)
{
    EXPECT_EQ(ProperCase("O'NEIL-SMITH INC"), "O'neil-smith Inc");
    EXPECT_EQ(ProperCase("ACME & SONS  MINING"), "Acme & Sons  Mining");
    EXPECT_EQ(ProperCase("\"NEW\" ERA N.V."), "\"new\" Era N.v.");
    EXPECT_EQ(ProperCase(""), "");
}
