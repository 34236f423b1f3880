#include "app/ListCompleteness.h"

#include <algorithm>
#include <cmath>

#include "app/DataUpdateRun.h"

namespace {
// True when the record has a symbol that was not known yet; it is known then.
bool Learn(const StockRecord &record, QSet<QString> &known)
{
    const qsizetype before = known.size();
    known.insert(record.Symbol);
    return known.size() > before;
}
}  // namespace

std::vector<StockRecord> RecordsNotYetKnown(std::vector<StockRecord> records, QSet<QString> &known)
{
    std::vector<StockRecord> fresh;
    for (StockRecord &record : records)
        if (!record.Symbol.isEmpty() && Learn(record, known))
            fresh.push_back(std::move(record));
    return fresh;
}

int ListCompleteness::AddPage(const std::vector<StockRecord> &records)
{
    ++pages;
    int fresh = 0;
    for (const StockRecord &record : records) {
        if (record.Symbol.isEmpty())
            continue;
        if (Learn(record, symbols))
            ++fresh;
        else
            ++repeated;
    }
    return fresh;
}

int ListCompleteness::PagesToCatchUp(int limit) const
{
    const double drift = pages > 0 ? double(repeated) / pages : 0;
    const double perPage = DataUpdateRun::RowsPerPage - drift;
    if (perPage < 1)
        return std::max(limit, 1);
    const double needed = std::ceil(Missing() / perPage);
    return static_cast<int>(std::clamp(needed, 1.0, double(std::max(limit, 1))));
}

QString ListCompleteness::MissingText() const
{
    return QStringLiteral(
               "%1 of the %2 stocks the screener listed arrived: the list changed during the "
               "download.")
        .arg(Distinct())
        .arg(total);
}
