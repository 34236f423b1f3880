#include "app/ResultPageParser.h"

#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"

namespace {

using MdlHelpers::CrLf;
const QString CellOpen = QStringLiteral("<TD><FONT face=arial size=-1>");
const QString CellClose = QStringLiteral("</FONT></TD>");
const QString RowOpen = QStringLiteral("<TR>");
const QString RowMarker = QStringLiteral("%^^&%^%^");
constexpr int MarketCapField = 6;

StockRecord RecordFromRow(QString row)
{
    row.remove(QLatin1Char('%'));
    row.replace(QStringLiteral("&amp;"), QStringLiteral("&"));

    const Module1::RecordFields fields = Module1::SplitFields(row);
    StockRecord record = Module1::RecordFromFields(fields);
    record.Company = MdlHelpers::ProperCase(record.Company);
    QString cap = fields[MarketCapField].toString();
    cap.remove(QLatin1Char(','));
    if (cap.contains(QLatin1Char('M'))) {
        cap.remove(QLatin1Char('M'));
        record.MarketCap = MdlHelpers::ParseLeadingNumber(cap) * 1000000.0;
    } else {
        record.MarketCap = MdlHelpers::ParseLeadingNumber(cap);
    }
    return record;
}
}  // namespace

bool HasResultTable(const QString &pageText)
{
    const qsizetype header = pageText.indexOf(ResultTableHeaderEnd);
    return header >= 0 &&
           pageText.indexOf(ResultTableEnd, header + ResultTableHeaderEnd.size()) >= 0;
}

int ParseResultPage(const QString &pageText, int k, int *leftOut)
{
    QString s = MdlHelpers::TextBetween(ResultTableHeaderEnd, ResultTableEnd, pageText);
    s.remove(CellOpen);
    s.replace(CellClose, Module1::FieldSeparator);
    s.remove(CrLf);
    s.replace(RowOpen, RowMarker);
    s = MdlHelpers::StripTags(s, QString());
    s.replace(RowMarker, CrLf);

    // The text before the first row marker is no row.
    const QStringView rest(s);
    qsizetype from = rest.indexOf(CrLf);
    StockTable &table = Stocks();
    while (from >= 0) {
        from += 2;
        const qsizetype at = rest.indexOf(CrLf, from);
        const QStringView row = rest.mid(from, (at < 0 ? rest.size() : at) - from);
        if (k < StockTable::MaxRecords)
            table.StoreAt(k++, RecordFromRow(row.toString()));
        else if (leftOut)
            ++*leftOut;
        from = at;
    }
    return k;
}
