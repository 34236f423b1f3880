#pragma once

// Realistic inputs shared by the benchmarks: stock records and serialised result pages.

#include <QString>

#include "store/StockRecord.h"

namespace platform {
class HtmlDocument;
}

namespace bench {

StockRecord RealisticRecord(int i);

// One result page's BODY markup as the browser component serialises it, with the given rows
// starting at stock number first.
QString RealisticResultPage(int first, int rows);

// The inner HTML of the document's BODY, found as the page fetcher finds it; empty without one.
QString BodyHtml(const platform::HtmlDocument &document);

}  // namespace bench
