#pragma once

#include "app/HistoryFacts.h"

// What the main window reads of the price history (history.sqlite in the data folder). Reading
// never creates the file and never waits for another program that is writing it: a history that
// cannot be read right now reads as no history.
namespace HistoryReader {

HistoryFacts ReadFacts();
// A source that opens the history for every stock asked for, so it always reads the file the
// last update wrote (a damaged one may have been replaced in between).
PriceSeriesSource SeriesSource();

}  // namespace HistoryReader
