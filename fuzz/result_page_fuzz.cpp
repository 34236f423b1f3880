// The result-page parser on any page text: never a crash, never more than the table can hold.
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "app/ResultPageParser.h"
#include "store/StockTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString page =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    Stocks().Clear();
    int leftOut = 0;
    const int next = ParseResultPage(page, 0, &leftOut);
    if (next < 0 || next > StockTable::MaxRecords || Stocks().Count() > StockTable::MaxRecords ||
        leftOut < 0)
        std::abort();
    if (!HasResultTable(page) && Stocks().Count() != 0)
        std::abort();
    return 0;
}
