#include <gtest/gtest.h>

#include <QSignalSpy>
#include <vector>

#include "GridTestSupport.h"

namespace {

struct Case {
    const char *name;
    int items;
    std::vector<int> remove;    // display rows, numbered before the removal
    std::vector<int> selected;  // before the removal
    int current;
    bool multiSelect;
};

// Rows that show in another order than their slots (inserted from row 1), with texts, tags and
// colours on every item, so that a removal that mixes up slots and rows shows.
void Fill(LynxGrid &grid, const Case &c)
{
    AddColumns(grid, 3);
    grid.SetMultiSelect(c.multiSelect);
    grid.SetRedraw(false);
    for (int i = 0; i < c.items; ++i) {
        const int row = grid.AddItem(QStringLiteral("item %1 with a longer text\tb%1\tc%1").arg(i),
                                     i % 3 == 2 ? 1 : 0);
        grid.SetItemTag(row, QStringLiteral("tag%1").arg(i));
        if (i % 4 == 0)
            grid.SetCellBackColor(row, 1, 0x0000FF + i);
    }
    grid.SetRedraw(true);
    for (const int r : c.selected) grid.SetItemSelected(r, true);
    grid.SetRow(c.current);
}

struct Snapshot {
    QStringList rows;
    std::vector<int> selected;
    int row;
    int ubound;
    bool operator==(const Snapshot &) const = default;
};

Snapshot Take(const LynxGrid &grid)
{
    Snapshot s{{}, {}, grid.Row(), grid.Model().Items().UBound()};
    for (int r = 0; r < grid.ItemCount(); ++r) {
        s.rows << grid.CellText(r, 0) + '|' + grid.CellText(r, 1) + '|' + grid.CellText(r, 2) +
                      '|' + grid.ItemTag(r) + '|' + QString::number(grid.CellBackColor(r, 1));
        if (grid.ItemSelected(r))
            s.selected.push_back(r);
    }
    return s;
}

struct Events {
    explicit Events(LynxGrid &g)
        : selection(&g, &LynxGrid::SelectionChanged),
          rowCol(&g, &LynxGrid::RowColChanged),
          count(&g, &LynxGrid::ItemCountChanged)
    {
    }
    QSignalSpy selection, rowCol, count;
};

std::vector<int> Range(int from, int to)
{
    std::vector<int> rows;
    for (int r = from; r < to; ++r) rows.push_back(r);
    return rows;
}

std::vector<int> Every(int step, int n)
{
    std::vector<int> rows;
    for (int r = 0; r < n; r += step) rows.push_back(r);
    return rows;
}

class GridRemoveItems : public ::testing::TestWithParam<Case> {};

}  // namespace

// The one-pass removal ends where single removals from the lowest row end, and raises each of
// their events once.
TEST_P(GridRemoveItems, EndsAsSingleRemovalsFromTheLowestRow)
{
    const Case &c = GetParam();
    LynxGrid one;
    CountingGrid bulk;
    Fill(one, c);
    Fill(bulk, c);
    Events oneEvents(one), bulkEvents(bulk);
    const int paintsBefore = bulk.Paints;

    for (std::size_t k = 0; k < c.remove.size(); ++k)
        one.RemoveItem(c.remove[k] - static_cast<int>(k));
    std::vector<int> shuffled(c.remove.rbegin(), c.remove.rend());
    if (!shuffled.empty())
        shuffled.push_back(shuffled.front());  // a repeat counts once
    bulk.RemoveItems(shuffled);

    EXPECT_EQ(Take(bulk), Take(one));
    EXPECT_EQ(bulkEvents.selection.count(), oneEvents.selection.count() > 0 ? 1 : 0);
    EXPECT_EQ(bulkEvents.rowCol.count(), oneEvents.rowCol.count() > 0 ? 1 : 0);
    EXPECT_EQ(bulkEvents.count.count(), c.remove.empty() ? 0 : 1);
    EXPECT_LE(bulk.Paints - paintsBefore, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridRemoveItems,
    ::testing::Values(Case{"rows_2_and_5", 8, {2, 5}, {2, 5}, 6, true},
                      Case{"current_among_removed", 8, {2, 3, 4}, {2, 3, 4}, 3, true},
                      Case{"current_above", 8, {5, 6}, {5, 6}, 1, true},
                      Case{"tail_with_current_last", 8, {5, 6, 7}, {5, 6, 7}, 7, true},
                      Case{"unselected_rows", 6, {0, 1}, {4}, -1, true},
                      Case{"all_rows", 5, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, 2, true},
                      Case{"the_only_row", 1, {0}, {0}, 0, true},
                      Case{"nothing", 4, {}, {1}, 1, true},
                      Case{"single_select_middle", 8, {3}, {3}, 3, false},
                      Case{"single_select_run", 8, {3, 4, 5}, {4}, 0, false},
                      Case{"single_select_runs", 9, {1, 2, 5, 6}, {1, 6}, 8, false},
                      Case{"single_select_run_at_end", 8, {6, 7}, {6}, 7, false},
                      Case{"single_select_everything", 3, {0, 1, 2}, {1}, 1, false},
                      Case{"every_third", 1200, Every(3, 1200), Range(300, 900), 1199, true},
                      Case{"most_of_them", 1500, Range(50, 1450), Range(0, 1500), 1460, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(GridRemoveItemsErrors, ARowThatDoesNotExistChangesNothing)
{
    LynxGrid grid;
    Fill(grid, Case{"", 5, {}, {1, 2}, 2, true});
    const Snapshot before = Take(grid);
    Events events(grid);
    EXPECT_TRUE(FailsWith(9, [&] { grid.RemoveItems({1, 5}); }));
    EXPECT_TRUE(FailsWith(9, [&] { grid.RemoveItems({-1, 2}); }));
    EXPECT_EQ(Take(grid), before);
    EXPECT_EQ(events.selection.count() + events.rowCol.count() + events.count.count(), 0);
}
