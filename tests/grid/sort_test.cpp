#include <gtest/gtest.h>

#include <QLocale>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "grid/GridSort.h"
#include "platform/DateReader.h"
#include "platform/LeadingNumber.h"

namespace {

// Every test reads numbers and dates as in the C locale unless it says otherwise.
class GridSortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = QLocale();
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override { QLocale::setDefault(saved); }
    QLocale saved;
};

std::vector<int> RowOrderOf(const LynxGrid &grid)
{
    const auto order = grid.Model().Items().RowOrder();
    return {order.begin(), order.end()};
}

QStringList Column(const LynxGrid &grid, int col)
{
    QStringList texts;
    for (int r = 0; r < grid.ItemCount(); ++r) texts << grid.CellText(r, col);
    return texts;
}

// A grid whose columns have the given types and whose rows hold the given texts, tab-separated.
void Build(LynxGrid &grid, const std::vector<int> &types, const QStringList &rows)
{
    AddColumns(grid, static_cast<int>(types.size()));
    for (std::size_t c = 0; c < types.size(); ++c) grid.SetColType(static_cast<int>(c), types[c]);
    for (const QString &row : rows) grid.AddItem(row);
}

// The host comparison both sides of the comparison test use: by length, so that many texts tie.
bool ByLength(bool ascending, const QString &value1, const QString &value2)
{
    return ascending ? value1.size() < value2.size() : value1.size() > value2.size();
}

// --- the sort, written plainly: a reference for the real one ---------------------------------

// The grid's content as the reference sees it: texts and check marks by item slot.
struct ReferenceGrid {
    std::vector<int> Types;
    std::vector<int> States;
    std::vector<std::vector<QString>> Texts;  // [slot][col]
    std::vector<std::vector<bool>> Checked;   // [slot][col]
    std::vector<int> Order;
    int SortColumn = -1;
    int SubSortColumn = -1;
    int Row = -1;
};

// Every comparison reads and converts the texts again, the slow and obvious way.
bool ReferenceBefore(const ReferenceGrid &g, int type, int direction, int col, int b, int a)
{
    const QString &textA = g.Texts[a][col];
    const QString &textB = g.Texts[b][col];
    const bool up = direction == 1;
    switch (type) {
        case TypeNumber: {
            const double na = platform::ParseLeadingNumber(textA);
            const double nb = platform::ParseLeadingNumber(textB);
            return up ? na > nb : na < nb;
        }
        case TypeDate: {
            static const platform::DateReader reader(QLocale::c());
            const auto da = reader.Read(textA);
            const auto db = reader.Read(textB);
            if (up)
                return !db || (da && *da > *db);
            return db && (!da || *da < *db);
        }
        case TypeCheckBox: {
            const bool ca = g.Checked[a][col];
            const bool cb = g.Checked[b][col];
            return up ? (cb && !ca) : (ca && !cb);
        }
        case TypeCustom:
            return ByLength(!up, textB, textA);
        default: {
            const std::u16string sa(reinterpret_cast<const char16_t *>(textA.utf16()),
                                    static_cast<std::size_t>(textA.size()));
            const std::u16string sb(reinterpret_cast<const char16_t *>(textB.utf16()),
                                    static_cast<std::size_t>(textB.size()));
            return up ? sb < sa : sb > sa;
        }
    }
}

void ReferenceQuickSort(ReferenceGrid &g, int lo, int hi, int col)
{
    if (lo >= hi)
        return;
    const int mid = static_cast<int>(std::nearbyint((lo + hi) / 2.0));
    std::swap(g.Order[lo], g.Order[mid]);
    int last = lo;
    for (int j = lo + 1; j <= hi; ++j) {
        if (ReferenceBefore(g, g.Types[col], g.States[col], col, g.Order[j], g.Order[lo])) {
            ++last;
            std::swap(g.Order[last], g.Order[j]);
        }
    }
    std::swap(g.Order[lo], g.Order[last]);
    ReferenceQuickSort(g, lo, last - 1, col);
    ReferenceQuickSort(g, last + 1, hi, col);
}

void ReferenceSort(ReferenceGrid &g, int sort, int sortType, int subSort, int subSortType)
{
    const auto toggle = [](int state, int requested) {
        return requested == -1 ? (state == 0 ? 1 : 0) : requested;
    };
    if (sort != -1)
        g.SortColumn = sort;
    if (subSort != -1)
        g.SubSortColumn = subSort;
    if (g.SortColumn == -1 && g.SubSortColumn != -1) {
        g.SortColumn = g.SubSortColumn;
        g.SubSortColumn = -1;
    } else if (g.SortColumn == g.SubSortColumn) {
        g.SubSortColumn = -1;
    }
    g.States[g.SortColumn] = toggle(g.States[g.SortColumn], sortType);
    if (g.SubSortColumn != -1)
        g.States[g.SubSortColumn] = toggle(g.States[g.SubSortColumn], subSortType);
    const int current = g.Row >= 0 ? g.Order[g.Row] : -1;

    const int last = static_cast<int>(g.Order.size()) - 1;
    ReferenceQuickSort(g, 0, last, g.SortColumn);
    if (g.SubSortColumn != -1) {
        int start = 0;
        for (int r = 1; r <= last + 1; ++r) {
            if (r > last ||
                g.Texts[g.Order[r]][g.SortColumn] != g.Texts[g.Order[start]][g.SortColumn]) {
                if (r - 1 > start)
                    ReferenceQuickSort(g, start, r - 1, g.SubSortColumn);
                start = r;
            }
        }
    }
    if (current >= 0)
        g.Row =
            static_cast<int>(std::find(g.Order.begin(), g.Order.end(), current) - g.Order.begin());
}

const QStringList &TextPool()
{
    static const QStringList pool = {"",
                                     "a",
                                     "A",
                                     "ab",
                                     "b",
                                     "B",
                                     "10",
                                     "9",
                                     "abc",
                                     "\u00e9",
                                     "a b",
                                     "0",
                                     "0.00",
                                     "1.5",
                                     "-2",
                                     " 3",
                                     "1e2",
                                     "2.50",
                                     "&H10",
                                     "n/a",
                                     "2008-01-05",
                                     "2007-12-31",
                                     "5 Jan 2008",
                                     "12:30",
                                     "31/12/2007",
                                     "2008-01-05 12:00",
                                     "Jan 5, 2008",
                                     "\U0001F600",
                                     "zz",
                                     "-0"};
    return pool;
}

}  // namespace

// The heart of the matter: row for row the same order as the plain quicksort, on thousands
// of random grids with many equal keys, every column type, both directions, with and without a
// secondary column, several sorts in a row from a shuffled display order.
TEST_F(GridSortTest, OrdersRowsExactlyAsThePlainQuicksort)
{
    QRandomGenerator random(20260);
    const std::vector<int> typeChoices = {TypeText,        TypeNumber, TypeDate, TypeCheckBox,
                                          TypeProgressBar, TypeCustom, 9 /*unknown*/};
    const QStringList &pool = TextPool();
    int compared = 0;
    for (int round = 0; round < 3000; ++round) {
        const int cols = random.bounded(1, 5);
        const int rows = round % 20 == 0 ? random.bounded(100, 400) : random.bounded(0, 40);

        ReferenceGrid ref;
        LynxGrid grid;
        AddColumns(grid, cols);
        for (int c = 0; c < cols; ++c) {
            ref.Types.push_back(typeChoices[random.bounded(static_cast<int>(typeChoices.size()))]);
            grid.SetColType(c, ref.Types.back());
        }
        ref.States.assign(cols, 0);
        QObject::connect(&grid, &LynxGrid::CustomSort,
                         [](bool &ascending, int &, QString &value1, QString &value2, bool &swap) {
                             swap = ByLength(ascending, value1, value2);
                         });

        // Few distinct texts per column, down to one, so that keys tie often.
        std::vector<QStringList> columnPools(cols);
        for (QStringList &p : columnPools) {
            const int k = random.bounded(1, static_cast<int>(pool.size()) + 1);
            for (int i = 0; i < k; ++i) p << pool[random.bounded(static_cast<int>(pool.size()))];
        }
        grid.SetRedraw(false);
        for (int s = 0; s < rows; ++s) {
            std::vector<QString> texts;
            std::vector<bool> checks;
            QStringList pieces;
            for (int c = 0; c < cols; ++c) {
                texts.push_back(
                    columnPools[c][random.bounded(static_cast<int>(columnPools[c].size()))]);
                checks.push_back(random.bounded(2) == 1);
                pieces << texts.back();
            }
            const int at = grid.AddItem(pieces.join(u'\t'), random.bounded(0, s + 2));
            for (int c = 0; c < cols; ++c) grid.SetCellChecked(at, c, checks[c]);
            ref.Texts.push_back(texts);
            ref.Checked.push_back(checks);
        }
        grid.SetRedraw(true);
        ref.Order = RowOrderOf(grid);
        if (rows > 0) {
            ref.Row = random.bounded(rows);
            grid.SetRow(ref.Row);
        }

        for (int step = 0; step < 3; ++step) {
            const int sort = step == 0 || random.bounded(2) ? random.bounded(cols) : -1;
            const int sortType = random.bounded(-1, 2);
            const int subSort = random.bounded(3) ? random.bounded(cols) : -1;
            const int subSortType = random.bounded(-1, 2);
            ReferenceSort(ref, sort, sortType, subSort, subSortType);
            grid.Sort(sort, sortType, subSort, subSortType);

            ASSERT_EQ(RowOrderOf(grid), ref.Order)
                << "round " << round << " step " << step << " Sort(" << sort << ", " << sortType
                << ", " << subSort << ", " << subSortType << ")";
            ASSERT_EQ(grid.Model().SortColumn, ref.SortColumn);
            ASSERT_EQ(grid.Model().SubSortColumn, ref.SubSortColumn);
            ASSERT_EQ(grid.Row(), ref.Row);
            for (int c = 0; c < cols; ++c)
                ASSERT_EQ(grid.Model().Column(c).SortState, ref.States[c]);
            ++compared;
        }
    }
    EXPECT_EQ(compared, 9000);
}

TEST_F(GridSortTest, EachColumnTypeHasItsOrder)
{
    struct Case {
        const char *name;
        int type;
        int direction;
        QStringList texts;
        QStringList expected;
    };
    const Case cases[] = {
        {"numbers by value, text as 0", TypeNumber, 1, {"10", "9", "abc"}, {"abc", "9", "10"}},
        {"numbers descending", TypeNumber, 0, {"9", "-1.5", "10", "x"}, {"10", "9", "x", "-1.5"}},
        {"text by code units", TypeText, 1, {"10", "9", "abc"}, {"10", "9", "abc"}},
        {"text: upper case first, prefix first",
         TypeText,
         1,
         {"b", "ab", "B", "a"},
         {"B", "a", "ab", "b"}},
        {"progress columns by their texts", TypeProgressBar, 1, {"9", "10"}, {"10", "9"}},
        {"unknown types as text", 42, 0, {"a", "c", "b"}, {"c", "b", "a"}},
        {"non-dates before dates",
         TypeDate,
         1,
         {"2008-01-05", "n/a", "2007-12-31"},
         {"n/a", "2007-12-31", "2008-01-05"}},
        {"non-dates after dates",
         TypeDate,
         0,
         {"2008-01-05", "n/a", "2007-12-31"},
         {"2008-01-05", "2007-12-31", "n/a"}},
        {"times of one day",
         TypeDate,
         1,
         {"2008-01-05 13:00", "2008-01-05 9:30"},
         {"2008-01-05 9:30", "2008-01-05 13:00"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LynxGrid grid;
        Build(grid, {c.type}, c.texts);
        grid.Sort(0, c.direction);
        EXPECT_EQ(Column(grid, 0), c.expected);
        EXPECT_EQ(grid.Model().Column(0).SortState, c.direction);
    }
}

TEST_F(GridSortTest, NumbersReadTheLocalesDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    LynxGrid grid;
    Build(grid, {TypeNumber}, {"1,5", "1,25", "1,05", "0,9"});
    grid.Sort(0, 1);
    EXPECT_EQ(Column(grid, 0), QStringList({"0,9", "1,05", "1,25", "1,5"}));
    EXPECT_EQ(GridSort::SortNumber(u"2.5", QChar(u',')), 2.5);
    EXPECT_EQ(GridSort::SortNumber(u"2,5", QChar(u'.')), 2.0);
}

TEST_F(GridSortTest, DirectionsAndSortColumnsFollowTheArguments)
{
    LynxGrid grid;
    Build(grid, {TypeText, TypeText, TypeNumber}, {"a\tx\t2", "b\ty\t1", "c\tz\t3"});
    const auto state = [&](int col) { return grid.Model().Column(col).SortState; };

    grid.Sort(2);
    EXPECT_EQ(Column(grid, 2), QStringList({"1", "2", "3"}));
    grid.Sort(2);
    EXPECT_EQ(Column(grid, 2), QStringList({"3", "2", "1"}));

    grid.Sort(2, 0);
    EXPECT_EQ(state(2), 0);
    grid.Sort();
    EXPECT_EQ(state(2), 1);
    EXPECT_EQ(Column(grid, 2), QStringList({"1", "2", "3"}));
    // A direction other than 0, 1 and -1 is kept as given and sorts as 0 does; toggling it
    // gives 0.
    grid.Sort(2, 5);
    EXPECT_EQ(state(2), 5);
    EXPECT_EQ(Column(grid, 2), QStringList({"3", "2", "1"}));
    grid.Sort(2);
    EXPECT_EQ(state(2), 0);
    EXPECT_EQ(Column(grid, 2), QStringList({"3", "2", "1"}));

    grid.Sort(1, -1, 1);
    EXPECT_EQ(grid.Model().SortColumn, 1);
    EXPECT_EQ(grid.Model().SubSortColumn, -1);

    grid.Clear();  // forgets the sort columns, not the directions
    EXPECT_EQ(grid.Model().SortColumn, -1);
    EXPECT_EQ(state(1), 1);
    grid.Sort(-1, -1, 0);  // a secondary column alone becomes the primary one
    EXPECT_EQ(grid.Model().SortColumn, 0);
    EXPECT_EQ(grid.Model().SubSortColumn, -1);
}

TEST_F(GridSortTest, SecondaryPassSortsOnlyRunsOfEqualPrimaryTexts)
{
    LynxGrid grid;
    // Runs of two at both ends.
    Build(grid, {TypeText, TypeText}, {"a\tb", "a\ta", "b\tz", "c\tq", "d\ty", "d\tx"});
    grid.Sort(0, 1, 1, 1);
    EXPECT_EQ(Column(grid, 1), QStringList({"a", "b", "z", "q", "x", "y"}));
    grid.Sort(0, 1, 1, 0);
    EXPECT_EQ(Column(grid, 1), QStringList({"b", "a", "z", "q", "y", "x"}));

    // Equal numbers written differently are no run.
    LynxGrid numbers;
    Build(numbers, {TypeNumber, TypeText}, {"1\tb", "1.0\ta"});
    numbers.Sort(0, 1, 1, 1);
    EXPECT_EQ(Column(numbers, 1), QStringList({"b", "a"}));
}

TEST_F(GridSortTest, RowsKeepTheirItemsStateAndTheCurrentRowFollowsItsItem)
{
    CountingGrid grid;
    Build(grid, {TypeText}, {"c", "a", "b"});
    grid.SetItemSelected(0, true);
    grid.SetItemChecked(2, true);
    grid.SetCellBackColor(1, 0, 0x123456);
    grid.SetRow(0);
    QSignalSpy complete(&grid, &LynxGrid::SortComplete);
    const int paints = grid.Paints;

    grid.Sort(0);
    EXPECT_EQ(Column(grid, 0), QStringList({"a", "b", "c"}));
    EXPECT_TRUE(grid.ItemSelected(2));
    EXPECT_TRUE(grid.ItemChecked(1));
    EXPECT_EQ(grid.CellBackColor(0, 0), 0x123456u);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(complete.count(), 1);
    EXPECT_GT(grid.Paints, paints);

    grid.SetCellBackColor(1, 0, 0x654321);  // a display row after a sort
    EXPECT_EQ(grid.CellBackColor(1, 0), 0x654321u);
    EXPECT_EQ(grid.CellText(1, 0), "b");

    grid.AddItem("0");  // goes where AddItem puts it, sorted only by the next Sort
    EXPECT_EQ(Column(grid, 0), QStringList({"a", "b", "c", "0"}));
    grid.Sort(-1, 1);
    EXPECT_EQ(Column(grid, 0), QStringList({"0", "a", "b", "c"}));

    grid.SetRow(50);  // a current row beyond the rows has no item to follow
    grid.Sort();
    EXPECT_EQ(grid.Row(), 50);
}

TEST_F(GridSortTest, EmptyAndSingleRowGridsDrawAndComplete)
{
    for (const int rows : {0, 1}) {
        CountingGrid grid;
        AddColumns(grid, 2);
        if (rows)
            grid.AddItem("only");
        QSignalSpy complete(&grid, &LynxGrid::SortComplete);
        const int paints = grid.Paints;
        grid.Sort(1);
        EXPECT_EQ(complete.count(), 1);
        EXPECT_GT(grid.Paints, paints);
        EXPECT_EQ(grid.ItemCount(), rows);
    }
}

TEST_F(GridSortTest, FailuresLeaveAPermutationAndNoCompletion)
{
    struct Case {
        const char *name;
        std::function<void(LynxGrid &)> sort;
        int sortColumn;  // afterwards
        int subSortColumn;
    };
    const Case cases[] = {
        {"no primary column", [](LynxGrid &g) { g.Sort(); }, -1, -1},
        {"primary slot outside", [](LynxGrid &g) { g.Sort(5); }, 5, -1},
        {"negative slot", [](LynxGrid &g) { g.Sort(-3); }, -3, -1},
        {"secondary slot outside", [](LynxGrid &g) { g.Sort(0, -1, 9); }, 0, 9},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LynxGrid grid;
        Build(grid, {TypeText, TypeText}, {"b\t1", "a\t1", "c\t2", "a\t1"});
        QSignalSpy complete(&grid, &LynxGrid::SortComplete);
        EXPECT_TRUE(FailsWith(9, [&] { c.sort(grid); }));
        EXPECT_EQ(complete.count(), 0);
        EXPECT_EQ(grid.Model().SortColumn, c.sortColumn);
        EXPECT_EQ(grid.Model().SubSortColumn, c.subSortColumn);
        std::vector<int> order = RowOrderOf(grid);
        std::sort(order.begin(), order.end());
        EXPECT_EQ(order, std::vector<int>({0, 1, 2, 3}));
        // A sort that names a column that does not exist changes no direction.
        for (int col = 0; col <= grid.Cols(); ++col)
            EXPECT_EQ(grid.Model().Column(col).SortState, 0);
    }
}

TEST_F(GridSortTest, CustomSortAsksTheHostWithTheGridsOwnSortColumn)
{
    LynxGrid grid;
    Build(grid, {TypeCustom, TypeText}, {"bb\t3", "a\t1", "ccc\t2"});

    // Without a handler no row goes before its pivot: only the pivot swaps move rows.
    grid.Sort(0);
    EXPECT_EQ(Column(grid, 0), QStringList({"a", "ccc", "bb"}));

    std::vector<bool> ascendingSeen;
    QObject::connect(&grid, &LynxGrid::CustomSort,
                     [&](bool &ascending, int &col, QString &value1, QString &value2, bool &swap) {
                         ascendingSeen.push_back(ascending);
                         EXPECT_EQ(col, 0);
                         swap = ByLength(ascending, value1, value2);
                     });
    // The host's Ascending flag is true for direction 0 (and any other but 1), false for 1.
    // Answers how many comparisons saw the flag true, and -1 when every one did.
    const auto flagsFor = [&](int direction) {
        ascendingSeen.clear();
        grid.Sort(0, direction);
        EXPECT_FALSE(ascendingSeen.empty());
        const auto up = std::count(ascendingSeen.begin(), ascendingSeen.end(), true);
        return up == static_cast<std::ptrdiff_t>(ascendingSeen.size()) ? -1 : static_cast<int>(up);
    };
    EXPECT_EQ(flagsFor(0), -1);
    EXPECT_EQ(Column(grid, 0), QStringList({"a", "bb", "ccc"}));
    EXPECT_EQ(flagsFor(1), 0);
    EXPECT_EQ(Column(grid, 0), QStringList({"ccc", "bb", "a"}));
    EXPECT_EQ(flagsFor(5), -1);
}

TEST_F(GridSortTest, CustomSortHandlerThatMovesTheColumnOrChangesCells)
{
    LynxGrid grid;
    Build(grid, {TypeCustom, TypeText}, {"x\t3", "y\t1", "z\t2", "w\t0"});
    // Changing Col: the rest of the sort reads column 1, and the grid sorts by it afterwards.
    QStringList seen;
    const auto moveColumn =
        QObject::connect(&grid, &LynxGrid::CustomSort,
                         [&](bool &, int &col, QString &value1, QString &value2, bool &swap) {
                             seen << value1 << value2;
                             col = 1;
                             swap = value1 < value2;
                         });
    grid.Sort(0, 1);
    EXPECT_EQ(grid.Model().SortColumn, 1);
    ASSERT_GT(seen.size(), 2);
    for (qsizetype i = 2; i < seen.size(); ++i)
        EXPECT_TRUE(seen[i].front().isDigit()) << seen[i].toStdString();
    QObject::disconnect(moveColumn);

    // Rewriting cells (long texts, so the text storage is rebuilt) while the sort compares.
    LynxGrid big;
    QStringList rows;
    for (int i = 0; i < 300; ++i) rows << QString::number(i % 17);
    Build(big, {TypeCustom}, rows);
    big.SetRedraw(false);
    const QString padding(200, u'p');
    QObject::connect(&big, &LynxGrid::CustomSort,
                     [&](bool &, int &, QString &value1, QString &value2, bool &swap) {
                         for (int r = 0; r < 5; ++r) {
                             const int row =
                                 static_cast<int>(QRandomGenerator::global()->bounded(300));
                             big.SetCellText(row, 0, big.CellText(row, 0).left(3) + padding);
                         }
                         swap = value1.size() < value2.size();
                     });
    big.Sort(0, 1);
    std::vector<int> order = RowOrderOf(big);
    std::sort(order.begin(), order.end());
    for (int i = 0; i < 300; ++i) ASSERT_EQ(order[i], i);
}

TEST_F(GridSortTest, CustomSortHandlerErrorsEndTheSort)
{
    struct Case {
        const char *name;
        std::function<void(LynxGrid &)> handler;
        int expectedError;  // 0: the handler's own exception
    };
    const Case cases[] = {
        {"handler raises", [](LynxGrid &) { throw std::runtime_error("host failed"); }, 0},
        {"handler raises a control error",
         [](LynxGrid &) { throw platform::ControlError(platform::ErrInvalidPropertyValue); },
         platform::ErrInvalidPropertyValue},
        {"handler removes a row", [](LynxGrid &g) { g.RemoveItem(0); }, 9},
        {"handler clears the grid", [](LynxGrid &g) { g.Clear(); }, 9},
        {"handler points Col nowhere", nullptr, 9},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LynxGrid grid;
        Build(grid, {TypeCustom}, {"d", "b", "a", "c", "e"});
        QObject::connect(&grid, &LynxGrid::CustomSort,
                         [&](bool &, int &col, QString &, QString &, bool &swap) {
                             swap = true;
                             if (c.handler)
                                 c.handler(grid);
                             else
                                 col = 7;
                         });
        QSignalSpy complete(&grid, &LynxGrid::SortComplete);
        if (c.expectedError)
            EXPECT_TRUE(FailsWith(c.expectedError, [&] { grid.Sort(0); }));
        else
            EXPECT_THROW(grid.Sort(0), std::runtime_error);
        EXPECT_EQ(complete.count(), 0);
        std::vector<int> order = RowOrderOf(grid);
        std::sort(order.begin(), order.end());
        std::vector<int> expected(order.size());
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(order, expected);
    }
}

// Ranges of equal keys take the pivot swaps the scheme makes, computed here by the two loops
// that the scheme reduces to, on far more rows than a recursion per row could take.
TEST_F(GridSortTest, ManyEqualKeysSortWithoutDeepRecursion)
{
    constexpr int Rows = 32767;
    struct Case {
        int type;
        int direction;
        const char *text;
        bool everyRowBeforeThePivot;  // the date order's texts that are no dates
    };
    for (const Case c : {Case{TypeNumber, 1, "7", false}, Case{TypeText, 0, "same", false},
                         Case{TypeDate, 1, "n/a", true}, Case{TypeDate, 0, "n/a", false},
                         Case{TypeCustom, 1, "x", false}}) {
        SCOPED_TRACE(c.type);
        LynxGrid grid;
        Build(grid, {c.type}, {});
        grid.SetRedraw(false);
        for (int i = 0; i < Rows; ++i) grid.AddItem(c.text);
        grid.Sort(0, c.direction);

        std::vector<int> expected(Rows);
        std::iota(expected.begin(), expected.end(), 0);
        int lo = 0, hi = Rows - 1;
        while (lo < hi) {
            std::swap(expected[lo], expected[GridSort::Middle(lo, hi)]);
            if (c.everyRowBeforeThePivot)
                std::swap(expected[lo], expected[hi--]);
            else
                ++lo;
        }
        EXPECT_EQ(RowOrderOf(grid), expected);
    }
}
