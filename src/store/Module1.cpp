#include "store/Module1.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/DateTimeFormat.h"
#include "platform/LeadingNumber.h"
#include "platform/NumberFormat.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"
#include "platform/TextCodec.h"
#include "store/DataFolderLock.h"
#include "store/KeptRecords.h"
#include "store/MdlHelpers.h"
#include "store/SharedTexts.h"
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

namespace {

// The record line in the locale encoding, written at out (room for RecordRoom bytes): what
// EncodeLocaleText(RecordLine()) gives in a UTF-8 locale, without the line of UTF-16 in between.
// Texts of plain ASCII are copied as they are; only the others go through the encoder. Returns
// the end of what it wrote.
qsizetype RecordRoom(const StockRecord &record)
{
    qsizetype room =
        (StockRecord::FieldCount - 1) * 3 +
        (StockRecord::FieldCount - StockRecord::TextFieldCount) * platform::MaxGeneralNumberLength;
    for (int i = 0; i < StockRecord::TextFieldCount; ++i)
        room += record.TextField(i).size() * 3;  // UTF-8 takes at most 3 bytes per code unit
    return room;
}

// Copies n code units to out as bytes; true when all of them were ASCII (the copy is then the
// text's encoding; otherwise the bytes are of no use).
bool NarrowAscii(char *out, const char16_t *chars, qsizetype n)
{
    qsizetype k = 0;
    char16_t high = 0;
#if defined(__SSE2__)
    __m128i any = _mm_setzero_si128();
    for (; n - k >= 8; k += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chars + k));
        any = _mm_or_si128(any, units);
        _mm_storel_epi64(reinterpret_cast<__m128i *>(out + k), _mm_packus_epi16(units, units));
    }
    const __m128i nonAscii = _mm_and_si128(any, _mm_set1_epi16(static_cast<short>(0xFF80)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(nonAscii, _mm_setzero_si128())) != 0xFFFF)
        return false;
#endif
    for (; k < n; ++k) {
        high |= chars[k];
        out[k] = static_cast<char>(chars[k]);
    }
    return high < 0x80;
}

char *WriteRecordBytes(char *out, const StockRecord &record)
{
    const auto separator = [&out] {
        out[0] = '~';
        out[1] = '!';
        out[2] = '@';
        out += 3;
    };
    for (int i = 0; i < StockRecord::TextFieldCount; ++i) {
        const QString &text = record.TextField(i);
        if (NarrowAscii(out, reinterpret_cast<const char16_t *>(text.constData()), text.size())) {
            out += text.size();
        } else {
            const QByteArray encoded = platform::EncodeLocaleText(text);
            out = std::copy(encoded.begin(), encoded.end(), out);
        }
        separator();
    }
    for (int i = StockRecord::TextFieldCount; i < StockRecord::FieldCount; ++i) {
        out += platform::WriteGeneralNumber(out, record.NumberField(i));
        if (i + 1 < StockRecord::FieldCount)
            separator();
    }
    return out;
}

// A record the load would drop (KeptRecords.h) is not written: the load trims the spaces before
// a line's symbol.
bool SavesWithSymbol(const StockRecord &record)
{
    return !MdlHelpers::TrimSpaces(record.Symbol).isEmpty();
}

}  // namespace

QByteArray DatabaseBytes()
{
    const StockTable &table = Stocks();
    qsizetype room = 2;
    for (const StockRecord &record : table) room += RecordRoom(record) + 2;
    QByteArray bytes(room, Qt::Uninitialized);
    char *out = bytes.data();
    *out++ = '\r';  // the empty first line
    *out++ = '\n';
    for (const StockRecord &record : table) {
        if (!SavesWithSymbol(record))
            continue;
        out = WriteRecordBytes(out, record);
        *out++ = '\r';
        *out++ = '\n';
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

bool SaveStockDatabase()
{
    if (platform::LocaleIsUtf8())
        return platform::ReplaceFile(DatabasePath(), DatabaseBytes());
    const StockTable &table = Stocks();
    QStringList lines;
    lines.reserve(table.Count() + 1);
    lines.append(QString());
    for (const StockRecord &record : table)
        if (SavesWithSymbol(record))
            lines.append(RecordLine(record));
    return MdlHelpers::WriteLines(DatabasePath(), lines);
}

namespace {

// The load works on the file's bytes. A file is decoded in one encoding, UTF-8 or (when it is
// not valid UTF-8) windows-1252; both map bytes to characters one-to-one and keep ASCII as it
// is, so decoding commutes with cutting the bytes at ASCII characters (CR, the spaces trimmed,
// the separator): trimming, dropping blank and duplicate lines and splitting on the bytes give
// the very records the general road gives on the decoded lines, and only the four texts of a
// record are ever decoded. A UTF-8 byte order mark, which decoding may drop, is left to the
// general road.
struct FileText {
    bool ascii = true;
    platform::TextEncoding encoding = platform::TextEncoding::Utf8;
};

bool KindOf(const QByteArray &bytes, FileText &kind)
{
    kind.ascii = platform::IsAscii(bytes.constData(), bytes.size());
    if (kind.ascii)
        return true;
    kind.encoding = platform::DetectLocaleEncoding(bytes);
    return kind.encoding != platform::TextEncoding::Utf8 || !bytes.contains("\xEF\xBB\xBF");
}

std::string_view TrimSpaceBytes(const char *first, const char *last)
{
    while (first < last && *first == ' ') ++first;
    while (last > first && last[-1] == ' ') --last;
    return {first, static_cast<std::size_t>(last - first)};
}

// The texts of an ASCII file share a few blocks (SharedTexts) instead of an allocation each.
QString DecodeField(std::string_view field, const FileText &kind, SharedTexts &texts)
{
    const auto size = static_cast<qsizetype>(field.size());
    return kind.ascii ? texts.Ascii(field.data(), size)
                      : platform::DecodeText(field.data(), size, kind.encoding);
}

// Industries and exchanges repeat down the table: a field of the same bytes as one seen
// recently shares its decoded text instead of allocating its own.
class RepeatedTexts {
public:
    const QString &Text(std::string_view field, const FileText &kind, SharedTexts &texts)
    {
        const std::size_t last = field.empty() ? 0 : static_cast<unsigned char>(field.back());
        const std::size_t first = field.empty() ? 0 : static_cast<unsigned char>(field.front());
        Slot &slot = cache[(field.size() * 31 + first * 7 + last) % std::size(cache)];
        if (!slot.used || slot.field != field) {
            slot.field = field;
            slot.text = DecodeField(field, kind, texts);
            slot.used = true;
        }
        return slot.text;
    }

private:
    struct Slot {
        std::string_view field;
        QString text;
        bool used = false;
    };
    Slot cache[64];
};

// Takes the last record back out unless the verdict keeps it.
void Keep(KeptRecords::Verdict verdict, std::vector<StockRecord> &records, int &withoutSymbol)
{
    if (verdict == KeptRecords::Verdict::Keep)
        return;
    records.pop_back();
    if (verdict == KeptRecords::Verdict::NoSymbol)
        ++withoutSymbol;
}

// Fills a record that is still blank (made in its place in the table, not moved there).
void RecordFromBytes(std::string_view line, const FileText &kind, RepeatedTexts &repeated,
                     SharedTexts &texts, StockRecord &record)
{
    std::size_t from = 0;
    for (int i = 0; i < StockRecord::FieldCount; ++i) {
        std::size_t at;
        if (i >= StockRecord::TextFieldCount) {
            // A plain number followed by the separator or the line end is the whole field:
            // read and split in the same step.
            double value;
            const std::size_t n = platform::ReadPlainNumber(line.substr(from), value);
            at = from + n;
            if (n > 0 && (at == line.size() || (line.size() - at >= 3 &&
                                                std::memcmp(line.data() + at, "~!@", 3) == 0))) {
                record.NumberField(i) = value;
                if (at == line.size())
                    break;
                from = at + 3;
                continue;
            }
        }
        at = line.find("~!@", from);
        const std::string_view field =
            line.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from);
        if (i >= 2 && i < StockRecord::TextFieldCount)  // the industry and Text3
            record.TextField(i) = repeated.Text(field, kind, texts);
        else if (i < StockRecord::TextFieldCount)
            record.TextField(i) = DecodeField(field, kind, texts);
        else
            record.NumberField(i) = platform::ParseLeadingNumber(field);
        if (at == std::string_view::npos)
            break;
        from = at + 3;
    }
}

// The general road: the text helpers one after another, as the file format describes the load.
int LoadDecodedLines(int &withoutSymbol)
{
    const QStringList lines = MdlHelpers::RemoveDuplicateLines(
        MdlHelpers::RemoveBlankLines(MdlHelpers::ReadLines(DatabasePath(), true)));
    std::vector<StockRecord> records;
    records.reserve(static_cast<size_t>(std::min<qsizetype>(lines.size(), StockTable::MaxRecords)));
    KeptRecords kept(static_cast<std::size_t>(lines.size()));
    int left = 0;
    for (const QString &line : lines) {
        if (records.size() >= static_cast<std::size_t>(StockTable::MaxRecords)) {
            ++left;
            continue;
        }
        const QString &symbol = records.emplace_back(RecordFromLine(line)).Symbol;
        Keep(kept.Judge(std::string_view(reinterpret_cast<const char *>(symbol.constData()),
                                         static_cast<std::size_t>(symbol.size()) * 2),
                        records),
             records, withoutSymbol);
    }
    Stocks().Assign(std::move(records));
    return left;
}

}  // namespace

int LoadStockDatabase(int *withoutSymbol)
{
    int noSymbol = 0;
    int &dropped = withoutSymbol ? *withoutSymbol : noSymbol;
    dropped = 0;
    QFile file(DatabasePath());
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    FileText kind;
    if (!KindOf(bytes, kind))
        return LoadDecodedLines(dropped);

    // One pass over the bytes: cut a line, trim it, skip it when blank, split it and read its
    // numbers straight from the bytes, keep it unless it repeats a record.
    constexpr qsizetype TypicalLine = 160;
    KeptRecords kept(static_cast<std::size_t>(bytes.size() / TypicalLine));
    std::vector<StockRecord> records;
    records.reserve(static_cast<std::size_t>(
        std::min<qsizetype>(bytes.size() / TypicalLine + 1, StockTable::MaxRecords)));
    SharedTexts texts;
    RepeatedTexts repeated;
    int left = 0;
    const char *p = bytes.constData();
    const char *const end = p + bytes.size();
    while (p < end) {
        const char *cr = static_cast<const char *>(std::memchr(p, '\r', end - p));
        const char *lineEnd = cr ? cr : end;
        const std::string_view line = TrimSpaceBytes(p, lineEnd);
        if (!line.empty()) {
            // Identical lines are records of one symbol that save as one line: the symbols
            // alone tell the distinct lines, with a cheaper hash than whole lines would need.
            const std::string_view symbol = line.substr(0, line.find("~!@"));
            if (records.size() < static_cast<std::size_t>(StockTable::MaxRecords)) {
                RecordFromBytes(line, kind, repeated, texts, records.emplace_back());
                Keep(kept.Judge(symbol, records), records, dropped);
            } else if (kept.NewStockPastTheTable(symbol)) {
                ++left;
            }
        }
        p = lineEnd;
        if (p < end && ++p < end && *p == '\n')  // past CR, and LF of a CR LF
            ++p;
    }
    Stocks().Assign(std::move(records));
    return left;
}

int RemoveSaveLeftovers()
{
    DataFolderLock lock;
    if (lock.TryLock() != DataFolderLock::Result::Locked)
        return -1;
    return platform::RemoveTemporaryFiles(platform::ProgramFolder()) +
           platform::RemoveTemporaryFiles(MdlHelpers::AppFile(QStringLiteral("temp")));
}

QString TimeStampText(const QDateTime &when)
{
    return platform::FormatDateDdMmmYyyy(when.date()) + QStringLiteral(" at ") +
           platform::FormatTimeHhMmSsAmPm(when.time());
}

bool WriteTimeStamp()
{
    return MdlHelpers::WriteTextFile(TimeStampPath(), TimeStampText(QDateTime::currentDateTime()),
                                     false);
}

}  // namespace Module1
