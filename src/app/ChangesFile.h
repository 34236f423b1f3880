#pragma once

#include <QString>
#include <optional>

#include "app/BandChanges.h"

// changes.txt in the program folder: what the last completed update changed. Lines end with
// CR LF:
//   Last update: 09,Dec 2026 at 08:15:00 PM
//   Stocks: 5432
//   Pages: 273
//   Stocks before: 5410
//   Entered the band: 37
//   Left the band: 21
//   Price moved more than 20 %: 12
//   Entered
//   (one symbol a line, as many as counted above)
//   Left
//   (one symbol a line)
namespace ChangesFile {

QString Path();

// The file's text for the changes. A line break inside a symbol becomes a space, so that the
// symbol keeps its one line.
QString Text(const BandChanges &changes);
// The changes the text holds; nullopt for text that is not such a file (a line missing or out of
// place, a count that is no whole number or disagrees with its list, anything after the list).
std::optional<BandChanges> Parse(const QString &text);

// Replaces changes.txt safely (the old file stays whole when the write fails); false then.
bool Write(const BandChanges &changes);
// changes.txt as read; nullopt when it is missing or malformed.
std::optional<BandChanges> Read();

}  // namespace ChangesFile
