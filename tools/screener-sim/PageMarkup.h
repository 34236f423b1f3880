#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "screener-sim/Universe.h"

namespace screener_sim {

// How the first line of the result table words the total.
enum class TotalWording {
    Standard,  // "Showing 1 to 20 of 45 (...)"
    Dash,      // "Showing 1 - 20 of 45 (...)": not the words the program looks for
    Bold,      // "Showing 1 to 20 of <b>45</b> (...)"
    Tab,       // "Showing 1 to 20 of<tab>45 (...)"
};

// How one result page is to be written.
struct ResultPageOptions {
    int firstRow = 1;    // the b= number asked for (1-based), shown in "Showing A to B of"
    int servedFrom = 0;  // universe index of the first row actually listed
    bool totalWithSeparator = false;  // "5,432" instead of "5432"
    TotalWording totalWording = TotalWording::Standard;
    bool withTable = true;  // false: a page that says the search could not run
    // Markup as a site written by hand serves it (see ResultPageHtml); its charset only in a
    // <meta> element.
    bool realistic = false;
};

// The markup of a result page. Tidy: as a screener of the late nineties writes it, lower-case
// tags, quoted attributes, one table row a line, no TBODY. Realistic: attributes on rows and
// cells, indentation and line breaks between the tags, an explicit TBODY, "&nbsp;" in blank
// cells and the values of SimStock::RealisticCells. Rows servedFrom .. servedFrom+19 (fewer at
// the end of the universe). Both in windows-1252.
QByteArray ResultPageHtml(const std::vector<SimStock> &universe, const ResultPageOptions &options);

// A result page no screener serves, of exactly `total` bytes: the result table's header row, then
// the fill ("<tr>" unless given) over and over, then the end of the table. The bytes from `from`
// on (at most `count`), so that a server can send a page of any size piece by piece.
QByteArray OversizedPageBytes(qint64 from, qint64 count, qint64 total,
                              const QByteArray &fill = QByteArrayLiteral("<tr>"));

// The quote page for a symbol (a "not found" page for an unknown or empty one).
QByteArray QuotePageHtml(const std::vector<SimStock> &universe, const QString &symbol);

// The site's home page.
QByteArray HomePageHtml();

// Text in windows-1252, the charset of every page; characters it lacks become "?".
QByteArray EncodeWindows1252(const QString &text);

// The path and query of a result page.
QString ResultPageTarget(int firstRow);

}  // namespace screener_sim
