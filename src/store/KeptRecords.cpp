#include "store/KeptRecords.h"

#include "store/Module1.h"

bool KeptRecords::NewStockPastTheTable(std::string_view symbol)
{
    return !symbol.empty() && firstOfSymbol.InsertOrFind(symbol, PastTheTable) < 0;
}

KeptRecords::Verdict KeptRecords::Judge(std::string_view symbol,
                                        const std::vector<StockRecord> &records)
{
    if (symbol.empty())
        return Verdict::NoSymbol;
    const int last = static_cast<int>(records.size()) - 1;
    const int first = firstOfSymbol.InsertOrFind(symbol, last);
    if (first < 0)
        return Verdict::Keep;
    // Symbols seldom repeat: only then are lines made and compared.
    if (!lineKept.contains(first)) {
        lineKept.insert(first);
        savedLines.insert(Module1::RecordLine(records[static_cast<std::size_t>(first)]));
    }
    const QString line = Module1::RecordLine(records.back());
    if (savedLines.contains(line))
        return Verdict::Twin;
    savedLines.insert(line);
    return Verdict::Keep;
}
