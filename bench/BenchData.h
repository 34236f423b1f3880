#pragma once

// Realistic inputs shared by the benchmarks: stock records and serialised result pages.

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "store/StockRecord.h"

namespace web {
class HtmlDocument;
}

namespace bench {

StockRecord RealisticRecord(int i);

// One result page's BODY markup as the browser component serialises it, with the given rows
// starting at stock number first.
QString RealisticResultPage(int first, int rows);

// The result pages of a whole market of count stocks, 20 to a page.
QStringList RealisticResultPages(int count);

// Fills the stock table with count realistic records and saves it as data.dat of the program
// folder (which the caller points somewhere temporary). Returns the file's path.
QString WriteRealisticDatabase(int count);

// Writes the pages of RealisticResultPages(count) as the page files temp/0.dat, temp/1.dat, ...
// of the program folder, as the update run writes them. Returns the paths in number order.
QStringList WriteRealisticPageFiles(int count);

// The nine cell texts of the main window's grid for the first count realistic records: symbol,
// company, price, industry, market cap in millions and four ratios, numbers with two decimals.
using GridRowTexts = std::array<QString, 9>;
std::vector<GridRowTexts> RealisticGridRows(int count);

// The inner HTML of the document's BODY, found as the page fetcher finds it; empty without one.
QString BodyHtml(const web::HtmlDocument &document);

}  // namespace bench
