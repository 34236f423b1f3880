#include "app/HistoryColumns.h"

#include "app/PriceText.h"

void HistoryColumns::SetFacts(HistoryFacts newFacts)
{
    facts = std::move(newFacts);
    rows.clear();
    days.clear();
}

const QString &HistoryColumns::DayText(QDate day)
{
    auto kept = days.find(day);
    if (kept == days.end())
        // Year first: the grid's date sort reads it in any locale.
        kept = days.insert(day, day.toString(Qt::ISODate));
    return *kept;
}

const HistoryColumns::Texts &HistoryColumns::For(int index, const QString &symbol, double price,
                                                 const QString &separator)
{
    if (separator != rowsSeparator) {
        rows.clear();
        rowsSeparator = separator;
    }
    const auto at = static_cast<std::size_t>(index);
    if (at >= rows.size())
        rows.resize(at + 1);
    Row &row = rows[at];
    if (row.Made && row.Price == price && row.Symbol == symbol)
        return row.Cells;
    row.Symbol = symbol;
    row.Price = price;
    row.Made = true;
    row.Cells = {};
    if (const std::optional<double> change = PriceChangePercent(facts, symbol, price))
        row.Cells.Change = PriceText::FormatAmount(*change, separator);
    if (const auto seen = facts.FirstSeen.constFind(symbol); seen != facts.FirstSeen.constEnd())
        row.Cells.Since = DayText(*seen);
    return row.Cells;
}
