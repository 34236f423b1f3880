#include <gtest/gtest.h>

#include "app/ResultPageParser.h"

// Pages no screener would serve, built to make a careless parser slow or crash: each is cut in
// one pass (a pass per marker would take minutes on these) and gives the rows it really has.
namespace {

const QString Header =
    "<TABLE><TBODY><TR><TD><B><FONT face=arial size=-1>More Info</FONT></B></TD></TR>\r\n";
const QString End = "</TBODY></TABLE>";

struct Hostile {
    const char *name;
    QString page;
    size_t rows;
};

QString Times(const QString &piece, int n)
{
    return piece.repeated(n);
}

const int N = 200'000;

const Hostile Pages[] = {
    {"row_starts_that_never_close", Header + Times("<TR ", N) + End, 0},
    {"cell_starts_that_never_close", Header + "<TR>" + Times("<TD ", N) + End, 1},
    {"tags_closing_at_the_very_end", Header + Times("<TR ", N) + ">" + End, 1},
    {"empty_rows", Header + Times("<TR>", N) + End, N},
    {"references_and_percent_signs",
     Header + "<TR><TD><FONT>" + Times("&amp;%", N) + "</FONT></TD></TR>" + End, 1},
    {"cells_in_one_row", Header + "<TR>" + Times("<TD><FONT>x</FONT></TD>", N) + "</TR>" + End, 1},
    {"header_marker_repeated", Times("More Info</FONT></B></TD>", N), 0},
    {"table_end_repeated", Header + Times("</TBODY>  ", N), 0},
    {"unclosed_comment", Header + "<TR><TD><FONT><!-- " + Times("x<", N) + End, 1},
};

class HostilePage : public ::testing::TestWithParam<Hostile> {};

}  // namespace

TEST_P(HostilePage, IsCutInOnePassIntoTheRowsItHas)
{
    const std::vector<StockRecord> records = ResultPageRecords(GetParam().page);
    EXPECT_EQ(records.size(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Pages, HostilePage, ::testing::ValuesIn(Pages),
                         [](const auto &info) { return std::string(info.param.name); });
