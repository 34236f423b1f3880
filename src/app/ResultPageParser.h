#pragma once

#include <QString>
#include <limits>
#include <vector>

#include "store/StockRecord.h"

// Cuts a screener result page (the BODY markup as the browser component serialises it) into
// stock records, stored in the stock table from index k on. Returns the index after the last
// stored record. The table holds at most 32,767 records: rows that would go past that are not
// stored and are counted in *leftOut (when given). A page without the result table stores
// nothing.
int ParseResultPage(const QString &pageText, int k, int *leftOut = nullptr);

// The records of the page's result table in row order, without storing them; empty for a page
// without the table. At most `limit` records are made: the rows past it are only counted, in
// *beyond (when given).
std::vector<StockRecord> ResultPageRecords(const QString &pageText,
                                           int limit = std::numeric_limits<int>::max(),
                                           int *beyond = nullptr);

// The same records made by replacing the markers in the whole cut step by step and removing the
// tags after: the general way, which ResultPageRecords takes for markup of an unusual shape and
// which gives the same records as its one walk over the usual shape.
std::vector<StockRecord> ResultPageRecordsByReplacement(const QString &pageText,
                                                        int limit = std::numeric_limits<int>::max(),
                                                        int *beyond = nullptr);

// Whether the page holds the result table (perhaps without rows); error pages, pages of the
// wrong kind and empty documents do not.
bool HasResultTable(const QString &pageText);
