#pragma once

#include <QLocale>
#include <QString>
#include <optional>

struct BandChanges;
struct ScreenBounds;

// What the last price search looked for, as the line under the grid explains an empty list.
struct PriceSearchQuery {
    double Min = 0;
    double Max = 0;
    bool NewOnly = false;
    int StocksInData = 0;  // records in the stock table
    // The last completed update's changes; none when no update has recorded them.
    const BandChanges *LastChanges = nullptr;
    // The bounds of the "More filters" area (the price among them); null or none set: a plain
    // price search.
    const ScreenBounds *Screen = nullptr;
    // Records left out only because a bounded number shows no value.
    int LeftOutMissing = 0;
};

// The line under the main window's grid.
namespace ListStatusText {

// "1,234 stocks", "1 stock"; for an empty list after a search, why it is empty:
//   "No stock between $2.00 and $1.00: the minimum is above the maximum."
//   "No stock between $0.10 and $0.20 in the data."
//   "No stock data yet: update it on the "Data Updates" tab." (an empty table)
//   "No stock entered the band in the last update (<its time stamp>)."
//   "No stock between $0.10 and $0.20 entered the band in the last update (<time stamp>)."
// and, for New only without such an update, that no update has said which stocks are new.
// A list emptied by the user (no query) shows its count. A search with bounds beyond the price
// names them all, "1,204 stocks: $0.50-$1.50, P/E 10-25" or "No stock matches $0.50-$1.50,
// P/E 10-25.", with " · 312 left out for a missing value" before the full stop when bounded
// numbers the data does not show kept stocks out; the minimum above the maximum and an empty
// table keep their own lines.
QString Text(int listed, const std::optional<PriceSearchQuery> &query,
             const QLocale &locale = QLocale());

}  // namespace ListStatusText
