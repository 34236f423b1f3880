#include "app/CsvExport.h"

namespace CsvExport {

void AppendCell(QString &out, QStringView text)
{
    out += u'"';
    for (qsizetype from = 0;;) {
        const qsizetype quote = text.indexOf(u'"', from);
        if (quote < 0) {
            out += text.mid(from);
            break;
        }
        out += text.mid(from, quote + 1 - from);
        out += u'"';
        from = quote + 1;
    }
    out += QStringLiteral("\",");
}

QString WithCsvExtension(const QString &path)
{
    if (path.right(4).compare(QLatin1String(".csv"), Qt::CaseInsensitive) == 0)
        return path;
    return path + QStringLiteral(".csv");
}

}  // namespace CsvExport
