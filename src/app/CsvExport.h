#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// The text of an exported list: one line per row, every cell in double quotes and followed by a
// comma, every line ending with CR LF. A double quote inside a cell is doubled, as spreadsheets
// and other CSV readers expect; nothing else is changed or escaped.
namespace CsvExport {

void AppendCell(QString &out, QStringView text);

// The cells of `columns` (in that order) of each row, read through cellText(row, col), row by
// row.
template <class CellText>
QString Text(int rows, const std::vector<int> &columns, CellText &&cellText)
{
    QString out;
    for (int row = 0; row < rows; ++row) {
        for (const int col : columns) AppendCell(out, cellText(row, col));
        out += QStringLiteral("\r\n");
    }
    return out;
}

// The path the export writes: ".csv" appended unless the name already ends with it in any
// letter case.
QString WithCsvExtension(const QString &path);

}  // namespace CsvExport
