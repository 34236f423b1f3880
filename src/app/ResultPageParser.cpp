#include "app/ResultPageParser.h"

#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"

namespace {
const QString HeaderEnd = QStringLiteral("More Info</FONT></B></TD></TR>");
const QString TableEnd = QStringLiteral("</TBODY></TABLE>");
const QString CellOpen = QStringLiteral("<TD><FONT face=arial size=-1>");
const QString CellClose = QStringLiteral("</FONT></TD>");
const QString RowOpen = QStringLiteral("<TR>");
const QString RowMarker = QStringLiteral("%^^&%^%^");
const QString CrLf = QStringLiteral("\r\n");
constexpr int MarketCapField = 6;

StockRecord RecordFromRow(QString row)
{
    row.remove(QLatin1Char('%'));
    row.replace(QStringLiteral("&amp;"), QStringLiteral("&"));

    StockRecord record;
    const QStringView text(row);
    int field = 0;
    qsizetype from = 0;
    while (field < StockRecord::FieldCount) {
        const qsizetype at = text.indexOf(Module1::FieldSeparator, from);
        const QStringView value = text.mid(from, (at < 0 ? text.size() : at) - from);
        if (field == 1) {
            record.Company = MdlHelpers::ProperCase(value.toString());
        } else if (field < StockRecord::TextFieldCount) {
            record.TextField(field) = value.toString();
        } else if (field == MarketCapField) {
            QString cap = value.toString();
            cap.remove(QLatin1Char(','));
            if (cap.contains(QLatin1Char('M'))) {
                cap.remove(QLatin1Char('M'));
                record.MarketCap = MdlHelpers::ParseLeadingNumber(cap) * 1000000.0;
            } else {
                record.MarketCap = MdlHelpers::ParseLeadingNumber(cap);
            }
        } else {
            record.NumberField(field) = MdlHelpers::ParseLeadingNumber(value);
        }
        ++field;
        if (at < 0)
            break;
        from = at + Module1::FieldSeparator.size();
    }
    return record;
}
}  // namespace

int ParseResultPage(const QString &pageText, int k, int *leftOut)
{
    QString s = MdlHelpers::TextBetween(HeaderEnd, TableEnd, pageText);
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
