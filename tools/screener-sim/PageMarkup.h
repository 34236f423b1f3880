#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "screener-sim/Universe.h"

namespace screener_sim {

// How one result page is to be written.
struct ResultPageOptions {
    int firstRow = 1;    // the b= number asked for (1-based), shown in "Showing A to B of"
    int servedFrom = 0;  // universe index of the first row actually listed
    bool totalWithSeparator = false;  // "5,432" instead of "5432"
    bool withTable = true;            // false: a page that says the search could not run
};

// The markup of a result page, as a screener of the late nineties writes it: lower-case tags,
// quoted attributes, one table row a line, no TBODY. Rows servedFrom .. servedFrom+19 (fewer at
// the end of the universe).
QByteArray ResultPageHtml(const std::vector<SimStock> &universe, const ResultPageOptions &options);

// The quote page for a symbol (a "not found" page for an unknown or empty one).
QByteArray QuotePageHtml(const std::vector<SimStock> &universe, const QString &symbol);

// The site's home page.
QByteArray HomePageHtml();

// The path and query of a result page.
QString ResultPageTarget(int firstRow);

}  // namespace screener_sim
