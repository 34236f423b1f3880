#pragma once

#include <QString>
#include <array>
#include <utility>
#include <vector>

namespace screener_sim {

// Columns of the result table, in the order the screener prints them (and the program stores
// them). The last one holds links, so every program reads 0 from it.
inline constexpr int ColumnCount = 19;
extern const std::array<const char *, ColumnCount> ColumnCaptions;

inline constexpr int DefaultUniverseSize = 5432;
inline constexpr int RowsPerPage = 20;

// One stock of the simulated screener.
struct SimStock {
    // Cell texts as the tidy page shows them, entities decoded ("ACME & SONS", "1,234.5M",
    // "-2.50%", "" for an empty cell, "N/A").
    std::array<QString, ColumnCount> Cells;
    // The same values as a page written by hand shows them: grouped volumes and P/E values,
    // market caps in K, M or B, a dash for a missing beta; "" for a cell the page leaves blank.
    std::array<QString, ColumnCount> RealisticCells;

    // The true values, as the program should show them, whatever the page's wording:
    QString Symbol;    // as shown
    QString Company;   // re-cased for display, first letter of each space-separated word upper case
    QString Industry;  // as shown
    QString Text3;     // exchange
    // Fields 4..18 as numbers: the market cap in dollars, percentages without their sign,
    // missing values (blank, "N/A", "-") and the link column 0.
    std::array<double, ColumnCount - 4> Numbers{};

    double Number(int field) const { return Numbers[static_cast<size_t>(field - 4)]; }
    double Price() const { return Number(4); }
};

// The deterministic universe of the given size (negative counts as 0), sorted by company name as
// the screener lists it; symbols are unique. The same size always gives the same stocks.
std::vector<SimStock> MakeUniverse(int size);

// Stock number index of the generator (0..456975); MakeUniverse(size) lists stocks 0..size-1.
// Different numbers give different symbols.
SimStock MakeStock(int index);

// The screener a few days later: the stocks at the removed positions gone, the generator's
// stocks of the added numbers listed, the repriced positions at their new price (every dress of
// the price cell says it); in name order again.
struct UniverseShift {
    std::vector<int> Removed;                      // positions in the universe before the shift
    std::vector<int> Added;                        // generator numbers, not listed before
    std::vector<std::pair<int, double>> Repriced;  // position before the shift, new price
};
std::vector<SimStock> ShiftUniverse(std::vector<SimStock> universe, const UniverseShift &shift);

// The program's re-casing of a company name: first character upper case, each character after a
// space upper case, every other one lower case.
QString ProperCase(const QString &text);

}  // namespace screener_sim
