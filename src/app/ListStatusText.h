#pragma once

#include <QLocale>
#include <QString>
#include <optional>

struct BandChanges;

// What the last price search looked for, as the line under the grid explains an empty list.
struct PriceSearchQuery {
    double Min = 0;
    double Max = 0;
    bool NewOnly = false;
    int StocksInData = 0;  // records in the stock table
    // The last completed update's changes; none when no update has recorded them.
    const BandChanges *LastChanges = nullptr;
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
// A list emptied by the user (no query) shows its count.
QString Text(int listed, const std::optional<PriceSearchQuery> &query,
             const QLocale &locale = QLocale());

}  // namespace ListStatusText
