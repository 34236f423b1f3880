#pragma once

#include <QSet>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "store/StockRecord.h"

class ListCompleteness;

// Fetching again the stocks that a moving list pushed past the last page of a download.
namespace CatchUpPass {

inline constexpr int MaxPasses = 2;

// Fetches page `page` (the index-th of count in its pass) and keeps it as a page file; returns
// its records, or nothing when the page failed or the run is stopping.
using FetchPage =
    std::function<std::optional<std::vector<StockRecord>>(int page, int index, int count)>;

// While the list moved back and stocks are missing (ListCompleteness::MovedBack), fetches the
// pages from nextPage on, where those stocks went: at most MaxPasses passes of as many pages as
// the missing stocks need (ListCompleteness::PagesToCatchUp, with pagesPerPass as its limit).
// A pass ends when every stock is there, or at a page that failed or brought no new stock (the
// end of the list, or a list that runs ahead as fast as the pages); no further pass follows a
// pass that brought no stock or ended at a failure. Page
// numbers stay at or below lastPage. Returns the number after the last page fetched.
int Run(ListCompleteness &list, int nextPage, int pagesPerPass, int lastPage,
        const FetchPage &fetch);

// The import of the pages a catch-up fetched: their stocks join the table by symbol, so a stock
// that the download already has is not stored twice.
class Merge {
public:
    // Stores the records of the page whose symbols the table's records 0 to k - 1 do not hold
    // at k, k + 1, ...; returns the index after the last. Records past the table's limit are
    // counted in *leftOut (when given).
    int Page(const QString &pageText, int k, int *leftOut);

private:
    std::optional<QSet<QString>> known;  // the symbols of the table, once a page is merged
};

}  // namespace CatchUpPass
