#pragma once

#include <QLocale>
#include <QSet>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

#include "app/ScreenBounds.h"

class StockTable;
struct StockRecord;

// The search over the stock table: which records a screen lists, and how the result line names
// the filters.
namespace StockScreen {

struct Outcome {
    int Listed = 0;
    // Records left out only because a bounded field shows no value (0 where the page had none):
    // they pass every other filter and every bound whose value they have.
    int LeftOutMissing = 0;
};

// Symbols a search is limited to ("New only"); null lists every symbol.
using SymbolSet = QSet<QStringView>;

// The value of a field that no record holds (the price history's "Chg %") for a record;
// nullopt where it has none.
using OutsideValue = std::function<std::optional<double>(ScreenField field, const StockRecord &)>;

// One pass over the table: sets every record's Show to whether it lies in the price range (both
// ends inclusive), in every field bound and, with a symbol set, in the set. A bound on a field
// leaves out a record whose value is 0, which stands for a value the page did not show, unless
// the bound's minimum is 0 or below; NaN is never within a bound. A bound on a field that no
// record holds reads it through `outside`, where a 0 is a real value and only nullopt (or no
// `outside` at all) is missing.
Outcome Apply(StockTable &table, const ScreenBounds &bounds, const SymbolSet *onlySymbols = nullptr,
              const OutsideValue &outside = {});

// "$0.50-$1.50, P/E 10-25, Market Cap $5M-$250M": the price range and each set field bound in
// the area's order, one-sided bounds as "P/E at least 10" / "Beta at most 1.5", " to " between
// bounds where the minimum is negative; numbers as the boxes show them.
enum class NewOnly { No, Yes };
QString DescribeFilters(const ScreenBounds &bounds, NewOnly newOnly,
                        const QLocale &locale = QLocale());

}  // namespace StockScreen
