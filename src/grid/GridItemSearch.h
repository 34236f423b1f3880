#pragma once

#include <QString>
#include <QStringView>

namespace lynx {

class GridModel;

// Finding the first row, in display order, whose text in one column matches a search text.
namespace GridItemSearch {

// How a cell text C matches the search text T (both upper-cased when letter case is ignored;
// comparisons are by code units). Any other mode matches nothing.
enum class Mode : int {
    Equal = 0,              // C equals T
    AtOrAfter = 1,          // C is not less than T: the first row at or after T
    StartsWith = 2,         // C matches the pattern T followed by "*" (platform::PatternMatch)
    SameFirstAtOrAfter = 4  // C is not empty, starts with T's first character and is not less
};

// The modes as the ints FindItem and the grid's SearchMode take.
inline constexpr int Equal = static_cast<int>(Mode::Equal);
inline constexpr int AtOrAfter = static_cast<int>(Mode::AtOrAfter);
inline constexpr int StartsWith = static_cast<int>(Mode::StartsWith);
inline constexpr int SameFirstAtOrAfter = static_cast<int>(Mode::SameFirstAtOrAfter);

enum class LetterCase { Ignore, Match };

// Display row of the first match in column slot col, -1 for none, for an empty search text or
// a negative column. Error 9 when a row has no cell col (a column beyond the last, or added
// after the item). Scans every row for an unknown mode.
int FindItem(const GridModel &model, QStringView searchText, int col, int mode,
             LetterCase letterCase);

// Upper-cases text character by character (the simple mapping of each code point) into out,
// reusing its room.
void UpperCaseInto(QStringView text, QString &out);

}  // namespace GridItemSearch

}  // namespace lynx
