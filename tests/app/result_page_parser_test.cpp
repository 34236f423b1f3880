#include <gtest/gtest.h>

#include <random>

#include "app/ResultPageParser.h"
#include "store/Module1.h"
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

TEST_F(ResultPageParser, NumberCellsLoseGroupingAndMarketCapsScale)
{
    struct Case {
        int field;
        QString cell;
        double value;
    };
    const Case cases[] = {
        {6, "950.25M", 950250000}, {6, "2.1B", 2100000000}, {6, "1,234.5M", 1234500000},
        {6, "512.3K", 512300},     {6, "12B3M", 12e6},      {6, "12,345", 12345},
        {9, "1,234", 1234},        {12, "1,234.5", 1234.5}, {7, "2,149,911", 2149911},
        {5, "-2.5%", -2.5},        {4, "n/a", 0},           {13, "-", 0},
        {4, "&nbsp;1.5", 1.5},     {8, "&nbsp;", 0},        {18, "18", 18},
    };
    QString rows;
    for (const Case &c : cases) {
        QStringList cells(StockRecord::FieldCount + 2, QString());
        cells[0] = "S";
        cells[c.field] = c.cell;
        cells[19] = "99";  // fields past 18 are dropped
        rows += Row(cells);
    }
    ASSERT_EQ(ParseResultPage(Page(rows), 0), static_cast<int>(std::size(cases)));
    for (int i = 0; i < Stocks().Count(); ++i)
        EXPECT_DOUBLE_EQ(Stocks()[i].NumberField(cases[i].field), cases[i].value)
            << cases[i].cell.toStdString();
}

TEST_F(ResultPageParser, TextsAreDecodedAndCleanedForTheDatabase)
{
    const std::pair<QString, QString> cases[] = {
        {"A &lt;Junior&gt; &quot;Q&quot;&nbsp;CO", "A <junior> \"q\" Co"},
        {"O&#39;NEIL &apos;N&#x2019; CAF&eacute; &#146;",
         QString::fromUtf16(u"O'neil 'n\u2019 Caf\u00E9 \u2019")},
        {"&amp;lt; &bogus; & &#; &#xD800;", QString::fromUtf16(u"&lt; &bogus; & &#; \uFFFD")},
        {"&nbsp; &#9;", ""},  // only white space is nothing at all
        {"TAB&#9;LINE&#10;SEP&#126;!@END&#13;", "Tab Line Sep End "},
    };
    QString rows;
    for (const auto &[cell, company] : cases) rows += Row({" <B>SP</B> ", cell, cell});
    ASSERT_EQ(ParseResultPage(Page(rows), 0), static_cast<int>(std::size(cases)));
    for (int i = 0; i < Stocks().Count(); ++i) {
        const StockRecord &r = Stocks()[i];
        EXPECT_EQ(r.Symbol, " SP ");  // spaces around the link stay
        EXPECT_EQ(r.Company, cases[i].second);
        EXPECT_EQ(r.Industry.toLower(), cases[i].second.toLower());
        // Nothing that would break a record line reaches the database.
        const QString line = Module1::RecordLine(r);
        EXPECT_EQ(line.count("~!@"), StockRecord::FieldCount - 1);
        for (QChar c : line) EXPECT_GE(c.unicode(), 0x20) << line.toStdString();
    }
}

TEST_F(ResultPageParser, RowsAndCellsWithAttributesAndWhiteSpaceKeepTheirFields)
{
    // Markup as written by hand: attributes on rows and cells, indentation, line breaks between
    // the tags and an explicit end of the table body.
    const QString header =
        "<TR bgcolor=#dcdcdc>\r\n  <TD nowrap><B><FONT face=arial size=-1>Symbol</FONT></B></TD>"
        "<TD><B><FONT face=arial size=-1>More Info</FONT></B></TD>\r\n</TR>\r\n";
    const QString page =
        "<TABLE border=1><TBODY>" + header +
        "<TR bgcolor=#eeeeee>\r\n  <TD align=left><FONT face=arial size=-1><B>AB.C</B></FONT> "
        "</TD>\r\n  <TD>\r\n  <FONT face=arial size=-1 color=navy>ACME CO</FONT>\r\n</TD>"
        "\t<TD align=right><FONT face=arial size=-1>Gold</FONT></TD><TD><FONT face=arial "
        "size=-1>NYSE</FONT></TD><TD align=right><FONT face=arial size=-1>0.35</FONT></TD>\r\n"
        "</TR>\r\n<TR>\r\n  <TD><FONT face=arial size=-1>DE-F</FONT></TD>\r\n  <TD><FONT "
        "face=arial size=-1>BETA INC</FONT></TD></TR>\r\n</TBODY>\r\n</TABLE>";
    ASSERT_EQ(ParseResultPage(page, 0), 2);
    EXPECT_EQ(Stocks()[0].Symbol, "AB.C");
    EXPECT_EQ(Stocks()[0].Company, "Acme Co");
    EXPECT_EQ(Stocks()[0].Industry, "Gold");
    EXPECT_EQ(Stocks()[0].Text3, "NYSE");
    EXPECT_DOUBLE_EQ(Stocks()[0].Price, 0.35);
    EXPECT_EQ(Stocks()[1].Symbol, "DE-F");
    EXPECT_EQ(Stocks()[1].Company, "Beta Inc");
    EXPECT_EQ(Stocks()[1].Industry, "");
    EXPECT_EQ(ResultPageRecords(page).size(), 2u);
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

TEST_F(ResultPageParser, OneWalkGivesTheRecordsOfTheReplacements)
{
    // Pages pieced together at random from markup and texts that move fields when handled
    // carelessly: the one walk must give exactly the records (and the count of rows left out)
    // of the step-by-step replacements, or leave the page to them.
    const QStringList usual =
        QString::fromUtf16(
            u"<TR>|<TR bgcolor=x>|<TD>|<TD nowrap>|<FONT face=arial size=-1>|<FONT>|</FONT>|</TD>|"
            u"</FONT></TD>|</FONT> \r\n </TD>|</TR>|<B>|</B>|<TRACK>|<TDX>|<FONTS>| |  |\t|\r\n|\n|"
            u">|AB c|O'NEIL x|1,234.5M|2.1B|12B3M|K|-2.5%|%|&amp;|&nbsp;|&#126;!@|0.35|,|M|@|!|"
            u"</TBODY>|</TABLE>|</TBODY>\r\n</TABLE>|\u00A0\u00E9 \u00C9COLE \u01C6")
            .split(u'|');
    const QStringList odd = QString("<|<TR |<TD |<FONT |\r|^|%^|^^&|~|~!|~!@|%^^&%^%^").split(u'|');
    std::mt19937 random(20260);
    for (int n = 0; n < 3000; ++n) {
        const bool walkable = n % 3 != 0;
        QString cut;
        const int pieces = 1 + static_cast<int>(random() % 60);
        for (int i = 0; i < pieces; ++i) {
            const bool fromOdd = !walkable && random() % 4 == 0;
            const QStringList &from = fromOdd ? odd : usual;
            const QString &piece = from[static_cast<qsizetype>(random() % from.size())];
            cut += random() % 2 == 0 ? Cell(piece) : piece;
        }
        const QString page = Page(cut);
        const int limit = random() % 4 == 0 ? static_cast<int>(random() % 3) : 1000;
        int beyond = 0, beyondByReplacement = 0;
        const std::vector<StockRecord> records = ResultPageRecords(page, limit, &beyond);
        ASSERT_EQ(records, ResultPageRecordsByReplacement(page, limit, &beyondByReplacement))
            << cut.toStdString();
        ASSERT_EQ(beyond, beyondByReplacement) << cut.toStdString();
    }
}
