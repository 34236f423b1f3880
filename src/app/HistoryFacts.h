#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

// What the price history knows of the band, as the main window shows it: the price of each
// stock in the snapshot before the latest one, and the day each stock was first listed. Empty
// facts (no history yet) leave the "Chg %" and "Since" columns blank.
struct HistoryFacts {
    QHash<QString, double> PreviousPrices;  // symbol -> price one snapshot before the latest
    QHash<QString, QDate> FirstSeen;        // symbol -> day of the first snapshot listing it
};

// One snapshot's price of one stock.
struct PricePoint {
    QDateTime TakenAt;
    double Price = 0;
};

// A stock's prices over every snapshot, oldest first; empty when the history holds none.
using PriceSeriesSource = std::function<std::vector<PricePoint>(const QString &symbol)>;

// The change of a stock's price since the previous snapshot in percent; nullopt when the stock
// was not listed then or either price is 0.
std::optional<double> PriceChangePercent(const HistoryFacts &facts, const QString &symbol,
                                         double price);
