#pragma once

#include <QString>
#include <QStringList>
#include <span>

// Declared only: the window headers that hold the last changes do not see the store.
struct StockRecord;

// What an update changed in the list of stocks in the band: which symbols came and went, and how
// many stocks that stayed moved their price a lot.
struct BandChanges {
    QString When;          // time stamp of the update, as time.txt writes it
    int Stocks = 0;        // stocks in the new list
    int Pages = 0;         // the page files they came from
    int StocksBefore = 0;  // stocks in the list the update replaced; 0: nothing to compare with
    QStringList Entered;   // symbols new to the list, in symbol order
    QStringList Left;      // symbols no longer listed, in symbol order
    int Moved = 0;         // stocks in both lists whose price moved by more than MoveThreshold

    bool operator==(const BandChanges &) const = default;
};

// A price move counts when it exceeds this share of the old price.
inline constexpr double MoveThreshold = 0.20;

// Compares two lists by symbol (exactly as cut from the pages; records without a symbol are left
// out, and a symbol listed twice counts once, with its first record). A move needs a price above
// 0 in both lists: 0 stands for a price the page did not show. Fills Stocks, StocksBefore,
// Entered, Left and Moved. With no earlier list nothing is known to be new: Entered stays empty.
BandChanges CompareTables(std::span<const StockRecord> before, std::span<const StockRecord> after);
