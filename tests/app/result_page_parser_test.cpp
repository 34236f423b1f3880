#include <gtest/gtest.h>

#include "app/ResultPageParser.h"
#include "store/StockTable.h"

namespace {

const QString Header =
    "<TR><TD><B><FONT face=arial size=-1>Symbol</FONT></B></TD><TD><B><FONT face=arial "
    "size=-1>More Info</FONT></B></TD></TR>\r\n";
const QString TableEnd = "</TBODY></TABLE>";

QString Cell(const QString &text)
{
    return "<TD><FONT face=arial size=-1>" + text + "</FONT></TD>";
}

QString Row(const QStringList &cells)
{
    QString row = "<TR>";
    for (const QString &c : cells) row += Cell(c);
    return row + "</TR>\r\n";
}

QString Page(const QString &rows)
{
    return "<TABLE><TBODY><TR><TD>Showing 1 to 20 of 45 (x)</TD></TR></TBODY></TABLE>\r\n"
           "<TABLE><TBODY>" +
           Header + rows + TableEnd + "\r\n<P>footer</P>";
}

class ResultPageParser : public ::testing::Test {
protected:
    void SetUp() override { Stocks().Clear(); }
    void TearDown() override { Stocks().Clear(); }
};

}  // namespace

TEST_F(ResultPageParser, WorkedExample)
{
    const QString page = Page(
        Row({"<B>ABCD</B>", "ACME &amp; SONS MINING", "Gold", "T3", "0.35", "-2.5%", "1,234.5M"}));
    EXPECT_EQ(ParseResultPage(page, 0), 1);
    ASSERT_EQ(Stocks().Count(), 1);
    const StockRecord &r = Stocks()[0];
    EXPECT_EQ(r.Symbol, "ABCD");
    EXPECT_EQ(r.Company, "Acme & Sons Mining");
    EXPECT_EQ(r.Industry, "Gold");
    EXPECT_EQ(r.Text3, "T3");
    EXPECT_DOUBLE_EQ(r.Price, 0.35);
    EXPECT_DOUBLE_EQ(r.Value5, -2.5);
    EXPECT_DOUBLE_EQ(r.MarketCap, 1234500000);
    for (int f = 7; f < StockRecord::FieldCount; ++f) EXPECT_EQ(r.NumberField(f), 0) << f;
}

TEST_F(ResultPageParser, RecordsContinueAtKAndCutTheTable)
{
    for (int i = 0; i < 10; ++i) Stocks().StoreAt(i, StockRecord{});
    QString rows;
    for (int i = 0; i < 3; ++i)
        rows += Row({QString("S%1").arg(i), "CO", "Ind", "", QString::number(i + 1)});
    EXPECT_EQ(ParseResultPage(Page(rows), 4), 7);
    ASSERT_EQ(Stocks().Count(), 7);
    EXPECT_EQ(Stocks()[4].Symbol, "S0");
    EXPECT_DOUBLE_EQ(Stocks()[6].Price, 3);

    // The same stock on two pages is stored twice.
    EXPECT_EQ(ParseResultPage(Page(rows), 7), 10);
    EXPECT_EQ(Stocks()[7].Symbol, Stocks()[4].Symbol);
}

TEST_F(ResultPageParser, PagesWithoutRowsOrTableStoreNothing)
{
    Stocks().StoreAt(0, StockRecord{});
    EXPECT_EQ(ParseResultPage(Page(""), 1), 1);
    EXPECT_EQ(ParseResultPage("<P>The page cannot be displayed</P>", 1), 1);
    EXPECT_EQ(ParseResultPage("", 1), 1);
    EXPECT_EQ(ParseResultPage(Header + Row({"NOEND"}), 1), 1);  // no table end
    EXPECT_EQ(Stocks().Count(), 1);
}

TEST_F(ResultPageParser, MarketCapScalingAndNumberCells)
{
    QString rows = Row({"A", "", "", "", "1", "", "950.25M"}) +
                   Row({"B", "", "", "", "", "", "2.1B"}) +
                   Row({"C", "", "", "", "", "", "12,345", "", "", "1,234"}) +
                   Row({"D", "", "", "", "n/a", "", "", "",   "",   "",  "",
                        "",  "", "", "", "",    "", "", "18", "19", "20"});
    EXPECT_EQ(ParseResultPage(Page(rows), 0), 4);
    EXPECT_DOUBLE_EQ(Stocks()[0].MarketCap, 950250000);
    EXPECT_DOUBLE_EQ(Stocks()[1].MarketCap, 2.1);
    EXPECT_DOUBLE_EQ(Stocks()[2].MarketCap, 12345);
    EXPECT_DOUBLE_EQ(Stocks()[2].Beta, 1);  // a comma ends other numbers
    EXPECT_EQ(Stocks()[3].Price, 0);
    EXPECT_DOUBLE_EQ(Stocks()[3].Value18, 18);  // fields past 18 are dropped
    EXPECT_EQ(Stocks()[3].Company, "");
}

TEST_F(ResultPageParser, TextsKeepSpacesAndOtherEntities)
{
    QString rows = Row({" <B>SP</B> ", "A &lt;B&gt; &quot;Q&quot;&nbsp;CO", "Oil &amp; Gas"});
    ParseResultPage(Page(rows), 0);
    EXPECT_EQ(Stocks()[0].Symbol, " SP ");
    EXPECT_EQ(Stocks()[0].Company, "A &lt;b&gt; &quot;q&quot;&nbsp;co");
    EXPECT_EQ(Stocks()[0].Industry, "Oil & Gas");
}

TEST_F(ResultPageParser, UnclosedTagSwallowsTheRestOfTheCut)
{
    // A "<" removes up to the next ">" wherever that is: here the end of its row.
    ParseResultPage(Page(Row({"A", "X <BROKEN"}) + Row({"B", "Y"})), 0);
    ASSERT_EQ(Stocks().Count(), 2);
    EXPECT_EQ(Stocks()[0].Company, "X ");
    EXPECT_EQ(Stocks()[1].Symbol, "B");

    // Without any later ">", everything to the end of the cut goes.
    Stocks().Clear();
    const QString cut =
        Row({"A", "Z"}) + "<TR>" + Cell("B") + "<TD><FONT face=arial size=-1>X <BROKEN";
    EXPECT_EQ(ParseResultPage(Page(cut), 0), 2);
    EXPECT_EQ(Stocks()[1].Symbol, "B");
    EXPECT_EQ(Stocks()[1].Company, "X ");
}

TEST_F(ResultPageParser, StopsAtTheTableLimitAndCountsWhatWasLeftOut)
{
    QString rows;
    for (int i = 0; i < 5; ++i) rows += Row({QString("S%1").arg(i), "C", "I", "", "1"});
    int leftOut = 0;
    EXPECT_EQ(ParseResultPage(Page(rows), StockTable::MaxRecords - 2, &leftOut),
              StockTable::MaxRecords);
    EXPECT_EQ(leftOut, 3);
    EXPECT_EQ(Stocks().Count(), StockTable::MaxRecords);
    EXPECT_EQ(Stocks()[StockTable::MaxRecords - 1].Symbol, "S1");
    Stocks().Clear();
}
