#include <gtest/gtest.h>

#include <QMap>
#include <QSet>
#include <algorithm>

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

// What a cell shows, read the plain way a person reads it: grouping, "%" and a K/M/B suffix
// understood, a blank, "N/A" or "-" as nothing.
double Shown(QString text)
{
    text.remove(',').remove('%');
    double scale = 1;
    for (auto [suffix, factor] : {std::pair{'K', 1e3}, std::pair{'M', 1e6}, std::pair{'B', 1e9}})
        if (text.endsWith(suffix)) {
            text.chop(1);
            scale = factor;
        }
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value * scale : 0;
}

TEST(SimUniverse, BothDressesShowTheTrueValues)
{
    QMap<QString, int> seen;
    for (const SimStock &stock : MakeUniverse(3000)) {
        SCOPED_TRACE(stock.Symbol.toStdString());
        EXPECT_EQ(stock.Company, ProperCase(stock.Cells[1]));
        EXPECT_EQ(stock.Industry, stock.Cells[2]);
        EXPECT_TRUE(stock.Price() > 0 && stock.Price() <= 5);
        for (int field = 4; field < ColumnCount; ++field) {
            const QString &tidy = stock.Cells[static_cast<size_t>(field)];
            const QString &real = stock.RealisticCells[static_cast<size_t>(field)];
            if (field < ColumnCount - 1) {
                EXPECT_DOUBLE_EQ(Shown(tidy), stock.Number(field)) << tidy.toStdString();
                EXPECT_DOUBLE_EQ(Shown(real), stock.Number(field)) << real.toStdString();
            }
            seen["grouped"] += field != 6 && real.contains(',');
            seen["dash"] += real == "-";
            seen["blank"] += real.isEmpty();
        }
        EXPECT_EQ(stock.Number(18), 0);  // the link column
        seen[QString("cap ") + stock.RealisticCells[6].back()] += 1;
        seen["western"] += std::any_of(stock.Cells[1].begin(), stock.Cells[1].end(),
                                       [](QChar c) { return c.unicode() > 0x7F; });
        seen["dotted"] += stock.Symbol.contains('.') || stock.Symbol.contains('-');
    }
    for (const char *kind :
         {"grouped", "dash", "blank", "cap K", "cap M", "cap B", "western", "dotted"})
        EXPECT_GT(seen[kind], 30) << kind;
}

TEST(SimUniverse, ProperCaseStartsWordsOnlyAfterSpaces)
{
    EXPECT_EQ(ProperCase("O'NEIL-SMITH INC"), "O'neil-smith Inc");
    EXPECT_EQ(ProperCase("ACME & SONS  MINING"), "Acme & Sons  Mining");
    EXPECT_EQ(ProperCase("\"NEW\" ERA N.V."), "\"new\" Era N.v.");
    EXPECT_EQ(ProperCase(""), "");
}
