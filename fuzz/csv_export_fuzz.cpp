// Cell texts of any bytes: the exported text reads back, with a reader of the common CSV rules
// (quoted fields, "" for a quote inside), as exactly the rows and cells that went in, every line
// ending with the trailing comma and CR LF.
//
// Input: the first byte gives the number of columns (1 to 9); the rest is UTF-8 text whose
// cells are cut at the unit separator (0x1F), filling the rows column by column.
#include <cstdint>
#include <cstdlib>

#include <QString>
#include <QStringList>
#include <vector>

#include "app/CsvExport.h"

namespace {

using Rows = std::vector<QStringList>;

// A strict reader: every field quoted and followed by a comma, every line ended by CR LF.
// Aborts at anything else.
Rows Read(const QString &text)
{
    Rows rows;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        QStringList row;
        while (!(i + 1 < n && text[i] == u'\r' && text[i + 1] == u'\n')) {
            if (i >= n || text[i] != u'"')
                std::abort();
            QString field;
            for (++i;; ++i) {
                if (i >= n)
                    std::abort();
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        field += u'"';
                        ++i;
                        continue;
                    }
                    break;
                }
                field += text[i];
            }
            ++i;  // the closing quote
            if (i >= n || text[i] != u',')
                std::abort();
            ++i;
            row << field;
        }
        i += 2;
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int cols = data[0] % 9;  // the highest column, as the grid counts
    const QStringList cells = QString::fromUtf8(reinterpret_cast<const char *>(data + 1),
                                                static_cast<qsizetype>(size - 1))
                                  .split(QChar(0x1F));
    Rows rows;
    for (qsizetype k = 0; k + cols < cells.size(); k += cols + 1)
        rows.push_back(cells.mid(k, cols + 1));

    std::vector<int> columns;
    for (int c = 0; c <= cols; ++c) columns.push_back(c);
    const QString text = CsvExport::Text(static_cast<int>(rows.size()), columns, [&](int r, int c) {
        return rows[static_cast<std::size_t>(r)][c];
    });
    if (Read(text) != rows)
        std::abort();
    return 0;
}
