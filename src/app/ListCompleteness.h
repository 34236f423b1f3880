#pragma once

#include <QSet>
#include <QString>
#include <vector>

#include "store/StockRecord.h"

// Which of the stocks the screener listed a download has brought, told apart by symbol. A list
// that moves while it is read page by page shows it: when new stocks push it back, rows come
// twice (pushed onto the next page) and the last ones never come (pushed past the last page).
class ListCompleteness {
public:
    // total: the count the screener gave on its first page.
    explicit ListCompleteness(int total) : total(total) {}

    // Counts a downloaded page; returns how many of its stocks were new. A record without a
    // symbol is no stock and counts for nothing.
    int AddPage(const std::vector<StockRecord> &records);

    int Total() const { return total; }
    int Distinct() const { return static_cast<int>(symbols.size()); }
    int Repeated() const { return repeated; }
    int Missing() const { return total > Distinct() ? total - Distinct() : 0; }
    // Stocks are missing and others came twice: the list moved back while it was read.
    bool MovedBack() const { return Missing() > 0 && repeated > 0; }

    // How many pages after the last should bring the missing stocks: a page brings 20 rows less
    // the rows the list moved between two pages so far. At least 1, at most limit.
    int PagesToCatchUp(int limit) const;

    // "187 of the 200 stocks the screener listed arrived: the list changed during the download."
    QString MissingText() const;

private:
    int total;
    int pages = 0;
    int repeated = 0;
    QSet<QString> symbols;
};

// Of the records, those whose symbol is not in known yet, in order; their symbols become known.
// Records without a symbol are left out.
std::vector<StockRecord> RecordsNotYetKnown(std::vector<StockRecord> records, QSet<QString> &known);
