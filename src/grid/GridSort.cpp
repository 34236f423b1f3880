#include "grid/GridSort.h"

#include <QVarLengthArray>
#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "grid/GridModel.h"
#include "platform/ControlError.h"
#include "platform/DateReader.h"
#include "platform/LeadingNumber.h"

namespace lynx {

namespace GridSort {

namespace {

// The key of a text that is no date: it sorts before every date ascending, after them descending.
constexpr double NoDate = -std::numeric_limits<double>::infinity();

template <class K>
struct Entry {
    K Key;
    int Slot;
};

// "b goes before a" for the built-in types. SelfBefore marks keys that go before every key,
// their equals included; LeftAllSelfBefore(pivot) says that what goes before that pivot is all
// such keys. Only the ascending date order has them: a text that is no date goes before any
// pivot, even before another such text.
template <class K>
struct AscendingOrder {
    static bool Before(const K &b, const K &a) { return b < a; }
    static bool SelfBefore(const K &) { return false; }
    static bool LeftAllSelfBefore(const K &) { return false; }
};

template <class K>
struct DescendingOrder {
    static bool Before(const K &b, const K &a) { return b > a; }
    static bool SelfBefore(const K &) { return false; }
    static bool LeftAllSelfBefore(const K &) { return false; }
};

struct AscendingDateOrder {
    static bool Before(double b, double a) { return b == NoDate || b < a; }
    static bool SelfBefore(double k) { return k == NoDate; }
    static bool LeftAllSelfBefore(double pivot) { return pivot == NoDate; }
};

// The ascending date order exists for date keys only.
template <class K>
struct DateOrderFor {
    using Ascending = AscendingOrder<K>;
};
template <>
struct DateOrderFor<double> {
    using Ascending = AscendingDateOrder;
};

// The partition scheme over e[lo..hi], where e[0] is display row `base`: the pivot rule rounds
// the middle of the display rows, so it depends on where the range lies. bound, when set, is a key
// that no key of the range goes before; a pivot that bound does not go before has nothing going
// before it either, so its pass would only move the pivot. allBefore: every key of the range goes
// before every other.
template <class K, class Order>
void SortEntries(Entry<K> *e, int base, int lo, int hi, std::optional<K> bound, bool allBefore)
{
    while (lo < hi) {
        std::swap(e[lo], e[Middle(base + lo, base + hi) - base]);
        if (allBefore) {
            // Every row goes before the pivot: the pass leaves them in place, the pivot last.
            std::swap(e[lo], e[hi]);
            --hi;
            continue;
        }
        const K pivot = e[lo].Key;
        if (bound && !Order::Before(*bound, pivot)) {
            ++lo;
            continue;
        }
        int last = lo;
        for (int j = lo + 1; j <= hi; ++j) {
            if (Order::Before(e[j].Key, pivot)) {
                ++last;
                std::swap(e[last], e[j]);
            }
        }
        std::swap(e[lo], e[last]);
        // Left: what goes before the pivot, right: what does not (so the pivot bounds it).
        const bool leftAllBefore = Order::LeftAllSelfBefore(pivot);
        if (last - lo < hi - last) {
            SortEntries<K, Order>(e, base, lo, last - 1, bound, leftAllBefore);
            lo = last + 1;
            bound = pivot;
            allBefore = false;
        } else {
            SortEntries<K, Order>(e, base, last + 1, hi, pivot, false);
            hi = last - 1;
            allBefore = leftAllBefore;
        }
    }
}

// Sorts the n entries at e, which hold display rows base.. onwards.
template <class K, class Order>
void SortAll(Entry<K> *e, std::size_t n, int base)
{
    if (n < 2)
        return;
    // The first key in sort order bounds the whole range, unless it goes before itself.
    K first = e[0].Key;
    bool allSelfBefore = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (Order::Before(e[i].Key, first))
            first = e[i].Key;
        allSelfBefore = allSelfBefore && Order::SelfBefore(e[i].Key);
    }
    std::optional<K> bound;
    if (!Order::SelfBefore(first))
        bound = first;
    SortEntries<K, Order>(e, base, 0, static_cast<int>(n) - 1, bound, allSelfBefore);
}

// Ranges of display rows, first and last.
using Runs = std::vector<std::pair<int, int>>;

class Sorter {
public:
    Sorter(GridModel &model, const CustomCompare &custom, const QLocale &locale)
        : model(model), custom(custom), dates(locale), decimalPoint(DecimalPointOf(locale))
    {
    }

    // Sorts each run of display rows on the column named by col with the routine of dataType.
    void Sort(const Runs &runs, int dataType, int state, int &col)
    {
        const bool ascending = state == Ascending;
        switch (dataType) {
            case TypeNumber:
                ByKeys(numbers, runs, col, ascending, false, [this](const GridCell &cell) {
                    if (cell.NumberFormat != 0) {
                        const std::optional<double> value =
                            model.NumberFormatOf(cell).SortValue(cell.Number, decimalPoint);
                        if (value)
                            return *value;
                    }
                    return SortNumber(model.CellText(cell, scratch), decimalPoint);
                });
                break;
            case TypeDate:
                ByKeys(numbers, runs, col, ascending, true, [this](const GridCell &cell) {
                    return dates.Read(model.CellText(cell, scratch)).value_or(NoDate);
                });
                break;
            case TypeCheckBox:
                // Checked is true, -1, which is less than false.
                ByKeys(flags, runs, col, ascending, false, [](const GridCell &cell) {
                    return (cell.Flags & CellFlagChecked) ? -1 : 0;
                });
                break;
            case TypeCustom:
                // The host's flag reads the other way round from the built-in directions.
                for (const auto &[lo, hi] : runs) ByHost(lo, hi, col, state != Ascending);
                break;
            default:
                madeTexts.clear();
                ByKeys(texts, runs, col, ascending, false, [this](const GridCell &cell) {
                    // The key of a number cell is a view of its text, kept until the sort ends.
                    const QStringView text = cell.NumberFormat == 0
                                                 ? model.Text(cell.Text)
                                                 : madeTexts.emplace_back(model.CellString(cell));
                    return std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size()));
                });
                break;
        }
    }

    // The runs of two or more consecutive rows whose texts in column col are equal.
    Runs RunsOfEqualTexts(int col) const
    {
        Runs runs;
        const int last = model.LastItem();
        int start = 0;
        QStringView startText;
        QString made;
        QString startMade;
        for (int r = 0; r <= last; ++r) {
            const GridCell &cell = model.Cell(model.ItemAtRow(r), col);
            const QStringView text = model.CellText(cell, made);
            if (r == 0 || text != startText) {
                if (r - 1 > start)
                    runs.emplace_back(start, r - 1);
                start = r;
                startText = text;
                if (cell.NumberFormat != 0) {
                    startMade = made;
                    startText = startMade;
                }
            }
        }
        if (last > start)
            runs.emplace_back(start, last);
        return runs;
    }

private:
    static QChar DecimalPointOf(const QLocale &locale)
    {
        const QString point = locale.decimalPoint();
        return point.size() == 1 ? point[0] : QChar(u'.');
    }

    template <class K, class ReadKey>
    void ByKeys(std::vector<Entry<K>> &entries, const Runs &runs, int col, bool ascending,
                bool dateOrder, ReadKey readKey)
    {
        ItemTable &items = model.Items();
        const auto rows = static_cast<std::size_t>(model.ItemCount());
        std::size_t inRuns = 0;
        for (const auto &[lo, hi] : runs) inRuns += static_cast<std::size_t>(hi - lo + 1);
        const bool everyRow = inRuns * 8 >= rows;
        if (everyRow) {
            // Read the items in slot order, where their records, cells and texts lie one after
            // the other, and put each key at its display row.
            entries.resize(rows);
            const auto order = items.RowOrder();
            rowOfSlot.resize(rows);
            for (std::size_t r = 0; r < rows; ++r)
                rowOfSlot[static_cast<std::size_t>(order[r])] = static_cast<int>(r);
            for (int slot = 0; slot < static_cast<int>(rows); ++slot) {
                entries[static_cast<std::size_t>(rowOfSlot[static_cast<std::size_t>(slot)])] = {
                    readKey(model.Cell(items.Item(slot), col)), slot};
            }
        }
        for (const auto &[lo, hi] : runs) {
            const auto n = static_cast<std::size_t>(hi - lo + 1);
            Entry<K> *e = entries.data();
            if (everyRow) {
                e += lo;
            } else {
                entries.resize(n);
                e = entries.data();
                for (int r = lo; r <= hi; ++r) {
                    const int slot = items.SlotOfRow(r);
                    e[r - lo] = {readKey(model.Cell(items.Item(slot), col)), slot};
                }
            }
            if (dateOrder && ascending)
                SortAll<K, typename DateOrderFor<K>::Ascending>(e, n, lo);
            else if (ascending)
                SortAll<K, AscendingOrder<K>>(e, n, lo);
            else
                SortAll<K, DescendingOrder<K>>(e, n, lo);
            const auto order = items.RowOrder();
            for (std::size_t i = 0; i < n; ++i) order[static_cast<std::size_t>(lo) + i] = e[i].Slot;
        }
    }

    // A custom column: the host compares, once per examined row, texts read afresh each time
    // (its handler may change cells and the column), and rows are swapped in RowOrder itself
    // (so an error in the handler leaves a permutation).
    void ByHost(int lo, int hi, int &col, bool hostAscending)
    {
        const int count = model.ItemCount();
        if (!custom) {
            // No row ever goes before a pivot: each pass only moves its pivot to the front.
            for (int r = lo; r <= hi; ++r) model.Cell(model.ItemAtRow(r), col);
            for (; lo < hi; ++lo) SwapRows(lo, Middle(lo, hi));
            return;
        }
        const auto before = [&](int row, int pivotRow) {
            QString value1 = TextAt(row, col);
            QString value2 = TextAt(pivotRow, col);
            bool up = hostAscending;
            const bool swap = custom(up, col, value1, value2);
            if (model.ItemCount() != count)
                throw platform::ControlError(platform::ErrSubscriptOutOfRange);
            return swap;
        };
        HostSort(lo, hi, before);
    }

    template <class Before>
    void HostSort(int lo, int hi, const Before &before)
    {
        while (lo < hi) {
            SwapRows(lo, Middle(lo, hi));
            int last = lo;
            for (int j = lo + 1; j <= hi; ++j) {
                if (before(j, lo)) {
                    ++last;
                    SwapRows(last, j);
                }
            }
            SwapRows(lo, last);
            if (last - lo < hi - last) {
                HostSort(lo, last - 1, before);
                lo = last + 1;
            } else {
                HostSort(last + 1, hi, before);
                hi = last - 1;
            }
        }
    }

    QString TextAt(int row, int col) const
    {
        return model.CellString(model.Cell(model.ItemAtRow(row), col));
    }

    void SwapRows(int a, int b)
    {
        const auto order = model.Items().RowOrder();
        std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
    }

    GridModel &model;
    const CustomCompare &custom;
    platform::DateReader dates;
    QChar decimalPoint;
    std::vector<Entry<double>> numbers;
    std::vector<Entry<int>> flags;
    std::vector<Entry<std::u16string_view>> texts;
    QString scratch;                 // the text of the number cell being read
    std::vector<QString> madeTexts;  // the texts of number cells a text sort compares
    std::vector<int> rowOfSlot;
};

}  // namespace

int NewSortState(int current, int requested)
{
    if (requested == -1)
        return current == 0 ? Ascending : Descending;
    return requested;
}

int Middle(int lo, int hi)
{
    const long long sum = static_cast<long long>(lo) + hi;
    long long mid = sum / 2;
    if (sum % 2 != 0 && mid % 2 != 0)
        ++mid;
    return static_cast<int>(mid);
}

double SortNumber(QStringView text, QChar decimalPoint)
{
    if (decimalPoint == u'.' || !text.contains(decimalPoint))
        return platform::ParseLeadingNumber(text);
    QVarLengthArray<char16_t, 64> copy(text.utf16(), text.utf16() + text.size());
    for (char16_t &c : copy) {
        if (c == decimalPoint.unicode())
            c = u'.';
    }
    return platform::ParseLeadingNumber(QStringView(copy.data(), copy.size()));
}

void SortRows(GridModel &model, const Request &request, const CustomCompare &custom,
              const QLocale &locale)
{
    if (request.Sort != -1)
        model.SortColumn = request.Sort;
    if (request.SubSort != -1)
        model.SubSortColumn = request.SubSort;
    if (model.SortColumn == -1 && model.SubSortColumn != -1) {
        model.SortColumn = model.SubSortColumn;
        model.SubSortColumn = -1;
    } else if (model.SortColumn == model.SubSortColumn) {
        model.SubSortColumn = -1;
    }

    // Both columns must exist before either direction changes.
    model.Column(model.SortColumn);
    if (model.SubSortColumn != -1)
        model.Column(model.SubSortColumn);
    GridColumn &primary = model.Column(model.SortColumn);
    primary.SortState = NewSortState(primary.SortState, request.SortType);
    const int primaryType = primary.DataType;
    const int primaryState = primary.SortState;
    if (model.SubSortColumn != -1) {
        GridColumn &secondary = model.Column(model.SubSortColumn);
        secondary.SortState = NewSortState(secondary.SortState, request.SubSortType);
    }

    // A current row outside the rows (Row is not checked when set) has no item to follow.
    const int currentSlot =
        model.Row >= 0 && model.Row <= model.LastItem() ? model.Items().SlotOfRow(model.Row) : -1;

    Sorter sorter(model, custom, locale);
    if (model.LastItem() > 0)
        sorter.Sort({{0, model.LastItem()}}, primaryType, primaryState, model.SortColumn);

    if (model.SubSortColumn != -1 && model.LastItem() > 0) {
        const GridColumn &secondary = model.Column(model.SubSortColumn);
        const int type = secondary.DataType;
        const int state = secondary.SortState;
        sorter.Sort(sorter.RunsOfEqualTexts(model.SortColumn), type, state, model.SubSortColumn);
    }

    if (currentSlot >= 0) {
        const auto order = model.Items().RowOrder();
        const auto it = std::find(order.begin(), order.end(), currentSlot);
        if (it != order.end())
            model.Row = static_cast<int>(it - order.begin());
    }
}

}  // namespace GridSort

}  // namespace lynx
