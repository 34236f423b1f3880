#pragma once

#include <QString>

// Cuts a screener result page (the BODY markup as the browser component serialises it) into
// stock records, stored in the stock table from index k on. Returns the index after the last
// stored record. The table holds at most 32,767 records: rows that would go past that are not
// stored and are counted in *leftOut (when given). A page without the result table stores
// nothing.
int ParseResultPage(const QString &pageText, int k, int *leftOut = nullptr);

// The result table's markers: the end of its header row and the end of the table.
inline const QString ResultTableHeaderEnd = QStringLiteral("More Info</FONT></B></TD></TR>");
inline const QString ResultTableEnd = QStringLiteral("</TBODY></TABLE>");

// Whether the page holds the result table (perhaps without rows); error pages, pages of the
// wrong kind and empty documents do not.
bool HasResultTable(const QString &pageText);
