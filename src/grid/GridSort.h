#pragma once

#include <QLocale>
#include <QString>
#include <functional>

class GridModel;

// Sorting the rows of a grid: only the display order (RowOrder) is permuted, items stay in their
// slots. The order is that of a quicksort with a fixed pivot (the middle row, rounded half to
// even) and a fixed partition, so rows whose keys compare equal always end in the same places:
//
//   sort(lo, hi): when lo < hi: swap rows lo and mid; last = lo; for j = lo+1..hi, when row j
//   goes before the pivot (now at lo): ++last, swap rows last and j; swap rows lo and last;
//   sort(lo, last-1); sort(last+1, hi).
//
// Keys are read once per row, and ranges where the outcome is known without comparing (every
// key equal to the smallest, or every row going before every other) are permuted directly, so
// that many equal keys cost no more than distinct ones. The deeper call always takes the
// smaller part, so the stack grows with the logarithm of the rows at most.
namespace GridSort {

// A column's SortState as the built-in types read it: 1 ascending, any other value (0 as a rule)
// descending.
constexpr int Descending = 0;
constexpr int Ascending = 1;

// The arguments of Sort: column slots (-1 keeps the current one) and new directions (-1
// toggles).
struct Request {
    int Sort = -1;
    int SortType = -1;
    int SubSort = -1;
    int SubSortType = -1;
};

// The host's comparison of a TypeCustom column: value1 is the examined row's text, value2 the
// pivot row's; returns true when the examined row goes before the pivot. col is the grid's own
// sort column (primary or secondary): a handler that changes it changes the column the rest of
// the sort reads, and the grid's sort column afterwards. ascending is the flag host handlers
// are written against: true when the column's SortState is 0 (or any value but 1) and false
// when it is 1, the opposite of the way the built-in types read the direction. An empty
// function stands for a host without a handler: no row goes before a pivot.
using CustomCompare =
    std::function<bool(bool &ascending, int &col, QString &value1, QString &value2)>;

// The new SortState of a column for a requested direction: -1 toggles (0 becomes 1, anything
// else 0), any other value is stored as given.
int NewSortState(int current, int requested);

// Middle of lo..hi as the pivot rule takes it: (lo + hi) / 2 rounded half to even.
int Middle(int lo, int hi);

// Sorts the model's rows as the grid's Sort does (the direction bookkeeping, the primary sort,
// the secondary sort over runs of equal primary texts, the current row following its item);
// drawing and the completion event are the caller's. Numbers and dates are read in the given
// locale. Error 9 when there is no primary column, a column slot does not exist (both checked
// before any direction changes), a cell is missing in an item, or a custom comparison changes
// the number of items; the sort columns keep what was assigned to them, and RowOrder stays a
// permutation whatever fails, including an exception from the custom comparison.
void SortRows(GridModel &model, const Request &request, const CustomCompare &custom,
              const QLocale &locale = QLocale());

// The leading number of a cell text as a number column sorts it: the program's number parse,
// where the locale's decimal separator also serves as the decimal point; 0 for no number.
double SortNumber(QStringView text, QChar decimalPoint);

}  // namespace GridSort
