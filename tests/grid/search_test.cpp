#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "GridTestSupport.h"
#include "platform/Clock.h"

using namespace lynx;

using GridItemSearch::LetterCase;

namespace {

void Fill(LynxGrid &grid, const QStringList &rows)
{
    AddColumns(grid, 2);
    for (const QString &row : rows) grid.AddItem(row);
}

}  // namespace

TEST(GridFindItem, MatchModes)
{
    struct Case {
        QStringList rows;
        QString text;
        int mode;
        LetterCase letterCase;
        int expected;
    };
    const QStringList abc = {"A10", "B20", "b30"};
    const QStringList fruit = {"apple", "Banana", "cherry"};
    const QStringList berries = {"apple", "banana", "berry", "barn"};
    const Case cases[] = {
        {abc, "b20", 0, LetterCase::Ignore, 1},
        {abc, "b20", 0, LetterCase::Match, -1},
        {abc, "b30", 0, LetterCase::Match, 2},
        {fruit, "B", 1, LetterCase::Ignore, 1},
        {{"cherry", "apple"}, "B", 1, LetterCase::Ignore, 0},
        {fruit, "b", 1, LetterCase::Match, 2},  // "Banana" < "b" by code units
        {{"abe", "beer", "Bed"}, "BE", 2, LetterCase::Ignore, 1},
        {{"abe", "bxr", "barn"}, "B?R", 2, LetterCase::Ignore, 1},
        {berries, "B?R", 2, LetterCase::Ignore, 2},
        {{"a1", "b2"}, "B#", 2, LetterCase::Ignore, 1},
        {{"ax", "bx", "cx"}, "[!AB]", 2, LetterCase::Ignore, 2},
        {{"ax", "bx", "cx"}, "[B-C]X", 2, LetterCase::Ignore, 1},
        {{"a[b", "ab"}, "A[B", 2, LetterCase::Ignore, 0},  // an open "[" stands for itself
        {berries, "BA", 4, LetterCase::Ignore, 1},
        {berries, "BZ", 4, LetterCase::Ignore, -1},
        {{"", "c"}, "A", 4, LetterCase::Ignore, -1},
        {berries, "apple", 3, LetterCase::Ignore, -1},  // unknown mode
        {berries, "", 0, LetterCase::Ignore, -1},
        {{"stra\u00dfe", "\u00e9t\u00e9"}, "\u00c9T\u00c9", 0, LetterCase::Ignore, 1},
        {{"\U0001F600", "\U00010428x"}, "\U00010400X", 0, LetterCase::Ignore, 1},
        {{"\U0001F600", "\U00010428x"}, "\U00010400", 4, LetterCase::Ignore, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.text + " mode " + QString::number(c.mode)).toStdString());
        LynxGrid grid;
        Fill(grid, c.rows);
        EXPECT_EQ(grid.FindItem(c.text, 0, c.mode, c.letterCase), c.expected);
    }
}

TEST(GridFindItem, SearchesTheSearchColumnInDisplayOrderAndChangesNothing)
{
    LynxGrid grid;
    Fill(grid, {"x\tcarrot", "y\tapple", "z\tbanana"});
    grid.SetItemSelected(0, true);
    grid.SetRow(0);
    grid.Sort(1);  // apple, banana, carrot
    EXPECT_EQ(grid.FindItem("BANANA", 1), 1);
    EXPECT_EQ(grid.FindItem("y"), 0);  // SearchColumn 0
    grid.SetSearchColumn(1);
    EXPECT_EQ(grid.FindItem("carrot"), 2);
    EXPECT_EQ(grid.FindItem("carrot", -5), -1);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_TRUE(grid.ItemSelected(2));

    EXPECT_TRUE(FailsWith(9, [&] { grid.FindItem("a", 2); }));
    EXPECT_TRUE(FailsWith(9, [&] { grid.FindItem("a", 2, 77); }));  // every row is read
    EXPECT_EQ(grid.FindItem("", 2), -1);                            // no row is read
    grid.AddColumn("late", 10);  // the rows get blank cells in it
    EXPECT_EQ(grid.FindItem("a", 2), -1);
}

TEST(GridTypeAhead, LettersWithinASecondAddUpAcrossTheTickCountersWrap)
{
    struct Step {
        uint32_t advance;  // ms since the previous key
        QChar key;
        QString text;  // searched for, empty when nothing is
    };
    const Step steps[] = {
        {5000, u'b', "b"}, {999, u'a', "ba"},          {1000, u'a', "a"}, {10, u'-', ""},
        {10, u'7', "a7"},  {0, u'\u00e9', "a7\u00e9"}, {2000, u'B', "B"},
    };
    GridTypeAhead typeAhead;
    uint32_t now = 0xFFFFF000u;  // the counter wraps during the steps
    for (const Step &s : steps) {
        now += s.advance;
        EXPECT_EQ(typeAhead.Type(s.key, now), s.text) << QString(s.key).toStdString();
    }
}

TEST(GridTypeAhead, BringsTheFirstMatchingRowOfTheSearchColumnToTheCurrentRow)
{
    platform::FakeClock clock(10000);
    platform::ScopedClock scoped(clock);
    LynxGrid grid;
    Fill(grid, {"1\tapple", "2\tbanana", "3\tberry", "4\tcherry"});
    grid.SetSearchColumn(1);
    grid.SetCol(1);
    grid.SetItemSelected(0, true);
    QSignalSpy moved(&grid, &LynxGrid::RowColChanged);

    // The type-ahead moves the current row and leaves the selection alone (the next key's own
    // handling selects the current row, as any key does).
    QTest::keyClicks(&grid, "b");
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_FALSE(grid.ItemSelected(1));
    clock.Advance(500);
    QTest::keyClicks(&grid, "E");
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(moved.count(), 2);
    EXPECT_FALSE(grid.ItemSelected(2));
    clock.Advance(1500);
    QTest::keyClicks(&grid, "z");  // nothing starts with z: the row stays
    QTest::keyClicks(&grid, " ");
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_TRUE(grid.ItemSelected(0));
}
