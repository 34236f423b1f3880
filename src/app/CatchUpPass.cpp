#include "app/CatchUpPass.h"

#include <algorithm>

#include "app/ListCompleteness.h"
#include "app/ResultPageParser.h"
#include "store/StockTable.h"

namespace CatchUpPass {

int Run(ListCompleteness &list, int nextPage, int pagesPerPass, int lastPage,
        const FetchPage &fetch)
{
    for (int pass = 0; pass < MaxPasses && list.MovedBack() && nextPage <= lastPage; ++pass) {
        const int count = std::min(list.PagesToCatchUp(pagesPerPass), lastPage - nextPage + 1);
        int fresh = 0;
        for (int index = 0; index < count && list.Missing() > 0; ++index) {
            const std::optional<std::vector<StockRecord>> records = fetch(nextPage++, index, count);
            if (!records)
                return nextPage;
            // A page of known stocks (or none: the end of the list) shows the pass got no
            // further; a site that answers past its end with its last page costs one page.
            const int added = list.AddPage(*records);
            if (added == 0)
                break;
            fresh += added;
        }
        if (fresh == 0)
            break;
    }
    return nextPage;
}

int Merge::Page(const QString &pageText, int k, int *leftOut)
{
    StockTable &table = Stocks();
    if (!known) {
        known.emplace();
        for (int i = 0; i < k; ++i) known->insert(table[i].Symbol);
    }
    for (StockRecord &record :
         RecordsNotYetKnown(ResultPageRecords(pageText, StockTable::MaxRecords), *known)) {
        if (k < StockTable::MaxRecords)
            table.StoreAt(k++, std::move(record));
        else if (leftOut)
            ++*leftOut;
    }
    return k;
}

}  // namespace CatchUpPass
