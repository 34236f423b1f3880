#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "GridTestSupport.h"

using namespace lynx;

// The grid keeps its items in pooled storage and renumbers slots instead of moving records.
// These tests drive a grid and a plain re-statement of the table rules (arrays that are copied
// and re-dimensioned exactly as the rules say) through the same long random run and compare every
// row, slot, bound and style entry, so that any slip in the pooling, the slot permutation, the
// compaction or the reference counts shows up as a difference.

namespace {
struct RefCell {
    QString Text;
    int Style = -1;
};
struct RefItem {
    int Data = 0;
    quint16 Flags = 0;
    QString Tag;
    std::vector<RefCell> Cells;
};
struct RefStyle {
    ColorValue Back = 0;
    ColorValue Fore = 0;
    int Refs = 0;
};

class ReferenceGrid {
public:
    ColorValue Back = 0x80000005;
    ColorValue Fore = 0x80000008;
    int Cols = 0;
    int CacheIncrement = 10;
    bool MultiSelect = false;
    int Row = -1;
    std::vector<RefItem> Items = std::vector<RefItem>(1);
    std::vector<int> Order = std::vector<int>(1, 0);
    std::vector<RefStyle> Styles = std::vector<RefStyle>(1);
    int Last = -1;

    int UBound() const { return static_cast<int>(Items.size()) - 1; }
    RefItem &AtRow(int row)
    {
        return Items[static_cast<std::size_t>(Order[static_cast<std::size_t>(row)])];
    }

    int AddItem(const QStringList &texts, int index)
    {
        const int l = ++Last;
        if (UBound() < l) {
            Items.resize(static_cast<std::size_t>(l + CacheIncrement + 1));
            Order.resize(Items.size());
        }
        int result = l;
        if (index >= l || index < 1) {
            Order[static_cast<std::size_t>(l)] = l;
        } else {
            for (int i = l; i > index; --i)
                Order[static_cast<std::size_t>(i)] = Order[static_cast<std::size_t>(i - 1)];
            Order[static_cast<std::size_t>(index)] = l;
            result = index;
        }
        RefItem &item = Items[static_cast<std::size_t>(l)];
        item.Cells.resize(static_cast<std::size_t>(Cols + 1));
        for (int c = 0; c <= Cols; ++c) {
            SetStyle(l, c, true, Back);
            SetStyle(l, c, false, Fore);
        }
        for (int c = 0; c <= Cols && c < texts.size(); ++c)
            item.Cells[static_cast<std::size_t>(c)].Text = texts[c];
        return result;
    }

    void SetStyle(int slot, int col, bool back, ColorValue value)
    {
        RefCell &cell = Items[static_cast<std::size_t>(slot)].Cells[static_cast<std::size_t>(col)];
        RefStyle wanted = cell.Style >= 0 ? Styles[static_cast<std::size_t>(cell.Style)]
                                          : RefStyle{Back, Fore, 0};
        (back ? wanted.Back : wanted.Fore) = value;
        int chosen = -1;
        int free = -1;
        for (int i = 0; i < static_cast<int>(Styles.size()); ++i) {
            const RefStyle &s = Styles[static_cast<std::size_t>(i)];
            if (s.Back == wanted.Back && s.Fore == wanted.Fore) {
                chosen = i;
                break;
            }
            if (free < 0 && s.Refs == 0)
                free = i;
        }
        if (chosen < 0) {
            if (free < 0) {
                free = static_cast<int>(Styles.size());
                Styles.resize(Styles.size() + 10);
            }
            chosen = free;
            Styles[static_cast<std::size_t>(chosen)].Back = wanted.Back;
            Styles[static_cast<std::size_t>(chosen)].Fore = wanted.Fore;
        }
        if (chosen != cell.Style) {
            ++Styles[static_cast<std::size_t>(chosen)].Refs;
            if (cell.Style >= 0)
                --Styles[static_cast<std::size_t>(cell.Style)].Refs;
            cell.Style = chosen;
        }
    }

    void RemoveItem(int index)
    {
        const int s = Order[static_cast<std::size_t>(index)];
        const bool selected = Items[static_cast<std::size_t>(s)].Flags & ItemFlagSelected;
        for (const RefCell &cell : Items[static_cast<std::size_t>(s)].Cells) {
            if (cell.Style >= 0)
                --Styles[static_cast<std::size_t>(cell.Style)].Refs;
        }
        for (int i = s; i < Last; ++i)
            Items[static_cast<std::size_t>(i)] = Items[static_cast<std::size_t>(i + 1)];
        Items[static_cast<std::size_t>(Last)] = RefItem{};
        for (int i = index; i < Last; ++i)
            Order[static_cast<std::size_t>(i)] = Order[static_cast<std::size_t>(i + 1)];
        for (int i = 0; i < Last; ++i) {
            if (Order[static_cast<std::size_t>(i)] > s)
                --Order[static_cast<std::size_t>(i)];
        }
        --Last;
        if (Last < 0) {
            Clear();
            return;
        }
        if (Last + CacheIncrement < UBound()) {
            Items.resize(static_cast<std::size_t>(Last + 1));
            Order.resize(Items.size());
        }
        if (selected && !MultiSelect)
            AtRow(std::min(index, Last)).Flags |= ItemFlagSelected;
        // The current row follows its item.
        if (index < Row)
            --Row;
        else if (Row > Last)
            Row = Last;
    }

    void Clear()
    {
        Items.assign(1, RefItem{});
        Order.assign(1, 0);
        Styles.assign(1, RefStyle{});
        Last = -1;
        Row = -1;
    }
};

QString RandomText(QRandomGenerator &random)
{
    const int length = random.bounded(0, 24);
    QString text;
    for (int i = 0; i < length; ++i) text += QChar(u'a' + random.bounded(26));
    return text;
}

void ExpectSame(const LynxGrid &grid, ReferenceGrid &ref, int step)
{
    SCOPED_TRACE(step);
    ASSERT_EQ(grid.ItemCount(), ref.Last + 1);
    ASSERT_EQ(grid.Model().Items().UBound(), ref.UBound());
    ASSERT_EQ(grid.Row(), ref.Row);
    for (int r = 0; r <= ref.Last; ++r) {
        ASSERT_EQ(grid.Model().Items().SlotOfRow(r), ref.Order[static_cast<std::size_t>(r)]);
        RefItem &item = ref.AtRow(r);
        ASSERT_EQ(grid.ItemData(r), item.Data);
        ASSERT_EQ(grid.ItemTag(r), item.Tag);
        ASSERT_EQ(grid.ItemSelected(r), (item.Flags & ItemFlagSelected) != 0);
        ASSERT_EQ(grid.ItemChecked(r), (item.Flags & ItemFlagChecked) != 0);
        const auto cells = grid.Model().Cells(grid.Model().ItemAtRow(r));
        ASSERT_EQ(cells.size(), item.Cells.size());
        for (std::size_t c = 0; c < cells.size(); ++c) {
            ASSERT_EQ(grid.CellText(r, static_cast<int>(c)), item.Cells[c].Text);
            ASSERT_EQ(cells[c].StyleIndex, item.Cells[c].Style);
        }
    }
    ASSERT_EQ(grid.Model().StyleUBound() + 1, static_cast<int>(ref.Styles.size()));
    for (int i = 0; i <= grid.Model().StyleUBound(); ++i) {
        const CellStyle &style = grid.Model().Style(i);
        const RefStyle &expected = ref.Styles[static_cast<std::size_t>(i)];
        ASSERT_EQ(style.RefCount, expected.Refs) << "style " << i;
        ASSERT_EQ(style.BackColor, expected.Back) << "style " << i;
        ASSERT_EQ(style.ForeColor, expected.Fore) << "style " << i;
    }
    EXPECT_EQ(grid.SelectedCount(),
              std::count_if(ref.Items.begin(), ref.Items.end(),
                            [](const RefItem &i) { return (i.Flags & ItemFlagSelected) != 0; }));
}

// One long random run: rows grow into the hundreds and shrink back, texts and tags are
// rewritten often enough to compact the pools many times over.
void RandomRun(bool multiSelect, quint32 seed)
{
    QRandomGenerator random(seed);
    LynxGrid grid;
    ReferenceGrid ref;
    AddColumns(grid, 8);
    ref.Cols = 7;
    grid.SetRedraw(false);
    grid.SetMultiSelect(multiSelect);
    ref.MultiSelect = multiSelect;
    const ColorValue palette[] = {static_cast<ColorValue>(0x80000005),
                                  static_cast<ColorValue>(0x80000008), 0xFF, 0xFF00, 0xFF0000};

    for (int step = 0; step < 6000; ++step) {
        const bool growing = (step / 1500) % 2 == 0;
        const int count = ref.Last + 1;
        const int op = random.bounded(100);
        if (op < (growing ? 40 : 10)) {
            QStringList texts;
            for (int c = 0, n = random.bounded(10); c < n; ++c) texts << RandomText(random);
            const int index = random.bounded(-1, count + 2);
            ASSERT_EQ(grid.AddItem(texts.join(u'\t'), index), ref.AddItem(texts, index));
        } else if (count == 0) {
            continue;
        } else if (op < (growing ? 48 : 50)) {
            const int row = random.bounded(count);
            grid.RemoveItem(row);
            ref.RemoveItem(row);
        } else if (op < 70) {
            const int row = random.bounded(count);
            const int col = random.bounded(8);
            const QString text = RandomText(random);
            grid.SetCellText(row, col, text);
            ref.AtRow(row).Cells[static_cast<std::size_t>(col)].Text = text;
        } else if (op < 75) {
            const int row = random.bounded(count);
            const QString text = RandomText(random);
            grid.SetItemTag(row, text);
            ref.AtRow(row).Tag = text;
        } else if (op < 85) {
            const int row = random.bounded(count);
            const int col = random.bounded(8);
            const bool back = random.bounded(2) == 0;
            const ColorValue colour = palette[random.bounded(5)];
            if (back)
                grid.SetCellBackColor(row, col, colour);
            else
                grid.SetCellForeColor(row, col, colour);
            ref.SetStyle(ref.Order[static_cast<std::size_t>(row)], col, back, colour);
        } else if (op < 93) {
            const int row = random.bounded(count);
            const bool on = random.bounded(2) == 0;
            const quint16 bit = random.bounded(2) ? ItemFlagSelected : ItemFlagChecked;
            if (bit == ItemFlagSelected)
                grid.SetItemSelected(row, on);
            else
                grid.SetItemChecked(row, on);
            quint16 &flags = ref.AtRow(row).Flags;
            flags = static_cast<quint16>(on ? flags | bit : flags & ~bit);
            const int data = static_cast<int>(random.generate());
            grid.SetItemData(row, data);
            ref.AtRow(row).Data = data;
        } else if (op < 97) {
            const int row = random.bounded(count);
            grid.SetRow(row);
            ref.Row = row;
        } else if (op < 98) {
            // New cells take the grid's colours of the moment (the entry remembered for the
            // last new cell must not outlive a change).
            const ColorValue colour = palette[random.bounded(5)];
            if (random.bounded(2) == 0) {
                grid.SetBackColor(colour);
                ref.Back = colour;
            } else {
                grid.SetForeColor(colour);
                ref.Fore = colour;
            }
        } else if (op < 99) {
            const int increment = std::array{0, 1, 3, 10, 50}[random.bounded(5)];
            grid.SetCacheIncrement(increment);
            ref.CacheIncrement = increment;
        } else if (random.bounded(20) == 0) {
            grid.Clear();
            ref.Clear();
        }
        if (step % 97 == 0 || step > 5900)
            ExpectSame(grid, ref, step);
        if (testing::Test::HasFatalFailure())
            return;
    }
    ExpectSame(grid, ref, -1);
}
}  // namespace

TEST(GridModelRun, SingleSelectGridMatchesTheTableRules)
{
    RandomRun(false, 20240601);
}

TEST(GridModelRun, MultiSelectGridMatchesTheTableRules)
{
    RandomRun(true, 77);
}

TEST(GridItemTable, BoundsGrowByTheCacheIncrementAndAreCutBackAfterRemovals)
{
    LynxGrid grid;
    AddColumns(grid, 1);
    grid.SetRedraw(false);
    const ItemTable &items = grid.Model().Items();
    EXPECT_EQ(items.UBound(), 0);
    grid.AddItem("0");
    EXPECT_EQ(items.UBound(), 0);
    grid.AddItem("1");
    EXPECT_EQ(items.UBound(), 11);
    for (int i = 2; i <= 11; ++i) grid.AddItem("x");
    EXPECT_EQ(items.UBound(), 11);
    grid.AddItem("12");
    EXPECT_EQ(items.UBound(), 22);

    grid.RemoveItem(0);  // last 11: 11 + 10 < 22, cut to exactly 11
    EXPECT_EQ(items.UBound(), 11);
    grid.RemoveItem(0);  // last 10: 10 + 10 < 11 does not hold
    EXPECT_EQ(items.UBound(), 11);

    grid.SetCacheIncrement(0);
    grid.RemoveItem(0);
    EXPECT_EQ(items.UBound(), 9);
    grid.AddItem("y");
    EXPECT_EQ(items.UBound(), 10);

    grid.SetCacheIncrement(-5);
    EXPECT_EQ(grid.CacheIncrement(), 1);

    // A bound past the 32-bit range fails before anything changes.
    grid.SetCacheIncrement(std::numeric_limits<int>::max());
    EXPECT_TRUE(FailsWith(platform::ErrOverflow, [&] { grid.AddItem("z"); }));
    EXPECT_EQ(grid.ItemCount(), 11);
    EXPECT_EQ(items.UBound(), 10);
}

TEST(GridItemTable, AHugeCacheIncrementCostsNoMemory)
{
    LynxGrid grid;
    AddColumns(grid, 1);
    grid.SetCacheIncrement(1 << 30);
    grid.AddItem("a");
    grid.AddItem("b");
    EXPECT_EQ(grid.Model().Items().UBound(), (1 << 30) + 1);
    EXPECT_LT(grid.Model().Items().RecordCount(), 1000u);
}
