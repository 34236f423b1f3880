#include "store/Module1.h"

#include <QDateTime>

#include "platform/DateTimeFormat.h"
#include "platform/NumberFormat.h"
#include "store/MdlHelpers.h"
#include "store/StockTable.h"

namespace Module1 {

QString DatabasePath()
{
    return MdlHelpers::AppFile(QStringLiteral("data.dat"));
}
QString TimeStampPath()
{
    return MdlHelpers::AppFile(QStringLiteral("time.txt"));
}

QString RecordLine(const StockRecord &record)
{
    constexpr int numbers = StockRecord::FieldCount - StockRecord::TextFieldCount;
    qsizetype room = numbers * platform::MaxGeneralNumberLength +
                     (StockRecord::FieldCount - 1) * FieldSeparator.size();
    for (int i = 0; i < StockRecord::TextFieldCount; ++i) room += record.TextField(i).size();
    QString line(room, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(line.data());
    char16_t *const start = out;
    const auto appendSeparator = [&out] {
        for (QChar c : FieldSeparator) *out++ = c.unicode();
    };
    for (int i = 0; i < StockRecord::TextFieldCount; ++i) {
        const QString &text = record.TextField(i);
        std::copy_n(reinterpret_cast<const char16_t *>(text.constData()), text.size(), out);
        out += text.size();
        appendSeparator();
    }
    for (int i = StockRecord::TextFieldCount; i < StockRecord::FieldCount; ++i) {
        out += platform::WriteGeneralNumber(out, record.NumberField(i));
        if (i + 1 < StockRecord::FieldCount)
            appendSeparator();
    }
    line.truncate(out - start);
    return line;
}

RecordFields SplitFields(QStringView line)
{
    RecordFields fields;
    qsizetype from = 0;
    for (QStringView &field : fields) {
        const qsizetype at = line.indexOf(FieldSeparator, from);
        field = line.mid(from, (at < 0 ? line.size() : at) - from);
        if (at < 0)
            break;
        from = at + FieldSeparator.size();
    }
    return fields;
}

StockRecord RecordFromLine(QStringView line)
{
    // A damaged line with fewer fields reads its missing texts as empty and numbers as 0.
    return RecordFromFields(SplitFields(line));
}

StockRecord RecordFromFields(const RecordFields &fields)
{
    StockRecord record;
    for (int i = 0; i < StockRecord::TextFieldCount; ++i)
        record.TextField(i) = fields[i].toString();
    for (int i = StockRecord::TextFieldCount; i < StockRecord::FieldCount; ++i)
        record.NumberField(i) = MdlHelpers::ParseLeadingNumber(fields[i]);
    return record;
}

bool SaveStockDatabase()
{
    const StockTable &table = Stocks();
    QStringList lines;
    lines.reserve(table.Count() + 1);
    lines.append(QString());
    for (const StockRecord &record : table) lines.append(RecordLine(record));
    return MdlHelpers::WriteLines(DatabasePath(), lines);
}

int LoadStockDatabase()
{
    const QStringList lines = MdlHelpers::RemoveDuplicateLines(
        MdlHelpers::RemoveBlankLines(MdlHelpers::ReadLines(DatabasePath(), true)));
    const int kept = static_cast<int>(std::min<qsizetype>(lines.size(), StockTable::MaxRecords));
    std::vector<StockRecord> records;
    records.reserve(static_cast<size_t>(kept));
    for (int i = 0; i < kept; ++i) records.push_back(RecordFromLine(lines[i]));
    Stocks().Assign(std::move(records));
    return static_cast<int>(lines.size() - kept);
}

bool WriteTimeStamp()
{
    const QDateTime now = QDateTime::currentDateTime();
    return MdlHelpers::WriteTextFile(TimeStampPath(),
                                     platform::FormatDateDdMmmYyyy(now.date()) +
                                         QStringLiteral(" at ") +
                                         platform::FormatTimeHhMmSsAmPm(now.time()),
                                     false);
}

}  // namespace Module1
