#pragma once

#include <QString>
#include <vector>

#include "history/Sqlite.h"
#include "store/StockRecord.h"

namespace historytest {

inline StockRecord Stock(const QString &symbol, double price, const QString &company = "Co")
{
    StockRecord r;
    r.Symbol = symbol;
    r.Company = company;
    r.Industry = "Gold";
    r.Price = price;
    r.MarketCap = 1.5e6;
    r.Beta = 1.25;
    r.PE = 12.5;
    return r;
}

// count stocks SYM0.. priced base + i / 10,000.
inline std::vector<StockRecord> Band(int count, double base)
{
    std::vector<StockRecord> records;
    records.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        records.push_back(Stock(QString("SYM%1").arg(i), base + i / 10000.0));
    return records;
}

// A query's first column on a connection of the test's own.
inline qint64 Query(const QString &path, const char *sql)
{
    history::sql::Database db;
    if (!db.Open(path, history::sql::Database::Mode::ReadOnly).Ok())
        return -1;
    history::sql::Status status;
    const qint64 value = db.Scalar(sql, &status);
    return status.Ok() ? value : -1;
}

}  // namespace historytest
