// The result-page parser on any page text: never a crash, never more than the table can hold,
// never a record that would break its line of the database.
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "app/ResultPageParser.h"
#include "store/Module1.h"
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
    // Whatever the page holds, every record makes exactly one well-formed line of data.dat.
    for (const StockRecord &record : Stocks()) {
        const QString line = Module1::RecordLine(record);
        if (line.count(Module1::FieldSeparator) != StockRecord::FieldCount - 1)
            std::abort();
        for (QChar c : line)
            if (c.unicode() < 0x20)
                std::abort();
    }
    return 0;
}
