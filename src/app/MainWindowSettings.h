#pragma once

#include <QRect>
#include <QString>
#include <optional>
#include <vector>

// The sort of the main window's grid: column slots (-1 for none) and their SortState (1
// ascending, 0 descending).
struct GridSortChoice {
    int Column = -1;
    int State = 1;
    int SubColumn = -1;
    int SubState = 1;

    bool operator==(const GridSortChoice &) const = default;
};

// The main window as the user left it.
struct MainWindowState {
    std::optional<QRect> Geometry;  // the window's own area when neither maximized nor minimized
    bool Maximized = false;
    std::vector<int> ColumnWidths;   // pixels, per column slot; empty: the columns' own
    std::vector<int> ColumnOrder;    // display position -> column slot; empty: as added
    std::vector<int> HiddenColumns;  // column slots, ascending; empty: every column shown
    GridSortChoice Sort;

    bool operator==(const MainWindowState &) const = default;
};

// zentrin.ini beside data.dat, in INI format:
//   [Window]  Left, Top, Width, Height, Maximized (true or false)
//   [Grid]    ColumnWidths and ColumnOrder (comma-separated whole numbers, one per column
//             slot), HiddenColumns (the slots hidden, comma-separated), SortColumn, SortState,
//             SubSortColumn, SubSortState
// Other groups and keys in the file are left as they are.
namespace MainWindowSettings {

QString Path();

// The widest column the file may set, in pixels.
inline constexpr int MaxColumnWidth = 10000;

// What the file holds for a grid of `columns` column slots. Each part that is missing,
// damaged or written for other columns reads as its default: no geometry, the columns' own
// widths and order, every column shown, no sort. A secondary sort needs a primary one on
// another column. Widths and an order written for fewer columns (a Zentrin that had fewer)
// still hold for those columns: the newer ones keep their own widths and follow in their order.
// Hidden columns that would leave none shown read as none hidden.
MainWindowState Read(int columns);

// Writes the state; a file that could not be read as INI is replaced. False when it could not
// be written.
bool Write(const MainWindowState &state);

}  // namespace MainWindowSettings
