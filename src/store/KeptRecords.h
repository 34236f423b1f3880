#pragma once

#include <QSet>
#include <QString>
#include <cstddef>
#include <string_view>
#include <vector>

#include "store/StockRecord.h"
#include "store/ViewIndex.h"

// Which records of data.dat the load keeps besides the distinct lines. A record without a
// symbol is no stock: nothing can name, look up or compare it, and any two of them that differ
// only in empty or zero fields save as one line. Of records that a save writes as the same line
// (they differ only in how the file wrote them: "1.5" and "1.50", a missing field and an empty
// one, digits past the fifteenth) the first is kept. So every record a load keeps comes back
// from a save and a load. Only records that share a symbol are compared, by their lines as a
// save writes them.
class KeptRecords {
public:
    enum class Verdict { Keep, NoSymbol, Twin };

    explicit KeptRecords(std::size_t expected) : firstOfSymbol(expected) {}

    // The verdict on the last of the records. symbol: the bytes of its symbol, equal exactly when
    // the symbols are (the file's bytes, or the text's code units); they must outlive this.
    // Identical lines are twins too: a load may judge every line without dropping copies first.
    Verdict Judge(std::string_view symbol, const std::vector<StockRecord> &records);

    // For a line past a full table: whether its symbol is that of no record judged before, nor
    // of an earlier such line (a stock left out, not a copy).
    bool NewStockPastTheTable(std::string_view symbol);

private:
    static constexpr int PastTheTable = -2;  // the first of a symbol lies past the table
    ViewIndex firstOfSymbol;
    QSet<int> lineKept;        // first records of a symbol whose line is in savedLines
    QSet<QString> savedLines;  // of records whose symbol repeats
};
