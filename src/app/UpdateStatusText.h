#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

struct BandChanges;

// The line under the update's two bars: where a run is, and what the last update found.
namespace UpdateStatusText {

// "Page 12 of 273 · about 4 min left" while page 12 of 273 is being fetched, done pages having
// taken elapsedMs; the estimate assumes the pages still to come take as long as those done, and
// is left out until a page is done. Under a minute shows as "less than a minute left".
QString Downloading(int page, int pages, int done, uint32_t elapsedMs,
                    const QLocale &locale = QLocale());

// "Importing 1,234 of 5,432".
QString Importing(int stocks, int of, const QLocale &locale = QLocale());

// "5,432 stocks from 273 pages · 37 entered the band, 21 left"; a first update, which had no
// list to compare with, says so instead of its counts.
QString Summary(const BandChanges &changes, const QLocale &locale = QLocale());

// A count with the locale's thousands separator ("5,432").
QString Count(int value, const QLocale &locale = QLocale());

}  // namespace UpdateStatusText
