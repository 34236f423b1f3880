#include "app/ResultPageParser.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/HtmlEntities.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"

// The table is cut out of the markup by text replacement, as the browser writes it: rows start
// at "<TR", cells end at "</FONT></TD>". Markup written by hand around the table (attributes on
// rows and cells, indentation and line breaks between tags, an explicit end of the table body)
// must not move a field, so the markers allow white space and attributes where HTML does.
namespace {
const QString RowMarker = QStringLiteral("%^^&%^%^");
constexpr int MarketCapField = 6;

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

qsizetype SkipBlanks(QStringView text, qsizetype at)
{
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

// Where the next ">" lies, found once for a forward walk over one text: a page of tags that
// never close (or close far away) would otherwise have every tag search to the same point.
class CloseFinder {
public:
    explicit CloseFinder(QStringView text) : text(text) {}
    qsizetype From(qsizetype from)
    {
        if (found != NotSearched && (found < 0 || found >= from) && from >= searchedFrom)
            return found;
        searchedFrom = from;
        found = text.indexOf(u'>', from);
        return found;
    }

private:
    static constexpr qsizetype NotSearched = -2;
    QStringView text;
    qsizetype searchedFrom = 0;
    qsizetype found = NotSearched;
};

// Length of the tag <name ...> or <name> at text[at], 0 when there is none: the name must be
// followed by ">" or by white space and attributes.
qsizetype TagAt(QStringView text, qsizetype at, QStringView name, CloseFinder &closes)
{
    if (!text.mid(at).startsWith(name))
        return 0;
    const qsizetype after = at + name.size();
    if (after >= text.size())
        return 0;
    if (text[after] == u'>')
        return name.size() + 1;
    if (!IsBlank(text[after]))
        return 0;
    const qsizetype close = closes.From(after);
    return close < 0 ? 0 : close + 1 - at;
}

// Length of "first", optional white space, "second" at text[at]; 0 when it is not there.
qsizetype PairAt(QStringView text, qsizetype at, QStringView first, QStringView second)
{
    if (!text.mid(at).startsWith(first))
        return 0;
    const qsizetype next = SkipBlanks(text, at + first.size());
    return text.mid(next).startsWith(second) ? next + second.size() - at : 0;
}

// Finds first, white space, second from `from` on; -1 when absent. `length` gets the match's.
qsizetype FindPair(QStringView text, qsizetype from, QStringView first, QStringView second,
                   qsizetype &length)
{
    for (qsizetype at = text.indexOf(first, from); at >= 0; at = text.indexOf(first, at + 1)) {
        length = PairAt(text, at, first, second);
        if (length > 0)
            return at;
    }
    return -1;
}

// The rows of the result table: from after its header row to the end of the table body.
bool TableCut(QStringView page, qsizetype &from, qsizetype &to)
{
    qsizetype length = 0;
    const qsizetype header = FindPair(page, 0, u"More Info</FONT></B></TD>", u"</TR>", length);
    if (header < 0)
        return false;
    from = header + length;
    to = FindPair(page, from, u"</TBODY>", u"</TABLE>", length);
    return to >= 0;
}

// The cut with its cells and rows marked: a cell's opening (and the white space before it) is
// removed, its end becomes the field separator, every row start the row marker, and line
// breaks go. Other tags stay for StripTags.
QString MarkRowsAndCells(QStringView cut)
{
    QString marked;
    marked.reserve(cut.size());
    CloseFinder closes(cut);
    qsizetype copied = 0;
    const auto copyTo = [&](qsizetype at) { marked.append(cut.mid(copied, at - copied)); };
    for (qsizetype at = 0; at < cut.size(); ++at) {
        const QChar c = cut[at];
        if (c == u'\r' && at + 1 < cut.size() && cut[at + 1] == u'\n') {
            copyTo(at);
            copied = ++at + 1;
            continue;
        }
        if (c != u'<')
            continue;
        qsizetype length = 0;
        if ((length = PairAt(cut, at, u"</FONT>", u"</TD>")) > 0) {
            copyTo(at);
            marked += Module1::FieldSeparator;
        } else if ((length = TagAt(cut, at, u"<TR", closes)) > 0) {
            copyTo(at);
            marked += RowMarker;
        } else if ((length = TagAt(cut, at, u"<TD", closes)) > 0) {
            copyTo(at);
            while (!marked.isEmpty() && IsBlank(marked.back())) marked.chop(1);
            const qsizetype font = SkipBlanks(cut, at + length);
            const qsizetype fontLength = TagAt(cut, font, u"<FONT", closes);
            if (fontLength > 0)
                length = font + fontLength - at;
        } else {
            continue;
        }
        copied = at + length;
        at = copied - 1;
    }
    copyTo(cut.size());
    return marked;
}

// Characters that never reach a record: controls, line breaks and the no-break space (which a
// decoded "&nbsp;" also gives) become spaces.
bool BecomesSpace(char16_t u)
{
    return u < 0x20 || (u >= 0x7F && u <= 0xA0) || u == 0x2028 || u == 0x2029;
}

// A cell as it may be stored: "%" removed, character references decoded, no control character,
// line break or field separator (each becomes a space), and nothing at all when only white
// space is left.
QString CleanCell(QStringView cell)
{
    // Most cells need none of this: one look decides.
    bool plain = true;
    bool blank = true;
    for (QChar c : cell) {
        const char16_t u = c.unicode();
        if (u == u'%' || u == u'&' || BecomesSpace(u))
            plain = false;
        blank = blank && c.isSpace();
    }
    if (blank)
        return QString();
    if (plain)
        return cell.toString();

    QString text = platform::DecodeHtmlEntities(
        cell.contains(u'%') ? QStringView(cell.toString().remove(u'%')) : cell);
    blank = true;
    bool separator = false;
    for (QChar &c : text) {
        if (BecomesSpace(c.unicode()))
            c = u' ';
        blank = blank && c.isSpace();
        separator = separator || c == u'~';
    }
    if (blank)
        return QString();
    if (separator)
        text.replace(Module1::FieldSeparator, QStringLiteral(" "));
    return text;
}

// A number cell: grouping commas go; a market cap may be written in thousands, millions or
// billions.
double CellNumber(QStringView cell, int field)
{
    // Most number cells hold nothing to decode or replace: their grouping commas and the market
    // cap's letter are dropped in a copy on the stack.
    constexpr qsizetype Room = 64;
    bool simple = cell.size() <= Room;
    bool commas = false;
    for (qsizetype i = 0; simple && i < cell.size(); ++i) {
        const char16_t u = cell[i].unicode();
        simple = u != u'%' && u != u'&' && !BecomesSpace(u);
        commas = commas || u == u',';
    }
    if (simple) {
        if (field != MarketCapField && !commas)
            return MdlHelpers::ParseLeadingNumber(cell);
        char16_t digits[Room];
        char16_t *end = std::remove_copy(cell.utf16(), cell.utf16() + cell.size(), digits, u',');
        double scale = 1;
        if (field == MarketCapField) {
            for (const auto &[suffix, factor] :
                 {std::pair{u'M', 1e6}, std::pair{u'B', 1e9}, std::pair{u'K', 1e3}}) {
                if (std::find(digits, end, suffix) != end) {
                    end = std::remove(digits, end, suffix);
                    scale = factor;
                    break;
                }
            }
        }
        return MdlHelpers::ParseLeadingNumber(QStringView(digits, end - digits)) * scale;
    }

    QString cleaned;
    // A "%" at the very end ("-2.5%") ends the number where it would end anyway.
    const QStringView body = cell.endsWith(u'%') ? cell.chopped(1) : cell;
    const bool plain = std::none_of(body.begin(), body.end(), [](QChar c) {
        return c == u'%' || c == u'&' || c == u',' || BecomesSpace(c.unicode());
    });
    if (!plain) {
        cleaned = CleanCell(cell).remove(u',');
        cell = cleaned;
    }
    double scale = 1;
    if (field == MarketCapField) {
        for (const auto &[suffix, factor] :
             {std::pair{u'M', 1e6}, std::pair{u'B', 1e9}, std::pair{u'K', 1e3}}) {
            if (cell.contains(suffix)) {
                // A letter before the digits must not end the number there.
                if (cleaned.isEmpty())
                    cleaned = cell.toString();
                cell = cleaned.remove(suffix);
                scale = factor;
                break;
            }
        }
    }
    return MdlHelpers::ParseLeadingNumber(cell) * scale;
}

// MdlHelpers::ProperCase without a second string: ASCII letters are re-cased here, other
// characters as QChar re-cases them.
void ProperCaseInPlace(QString &text)
{
    if (text.isEmpty()) {
        text = MdlHelpers::ProperCase(text);
        return;
    }
    bool wordStart = true;
    for (QChar &c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            c = wordStart ? c.toUpper() : c.toLower();
        else if (wordStart && u >= u'a' && u <= u'z')
            c = QChar(static_cast<char16_t>(u - 32));
        else if (!wordStart && u >= u'A' && u <= u'Z')
            c = QChar(static_cast<char16_t>(u + 32));
        wordStart = u == u' ';
    }
}

StockRecord RecordFromFields(const Module1::RecordFields &fields)
{
    StockRecord record;
    for (int i = 0; i < StockRecord::TextFieldCount; ++i)
        record.TextField(i) = CleanCell(fields[i]);
    ProperCaseInPlace(record.Company);
    for (int i = StockRecord::TextFieldCount; i < StockRecord::FieldCount; ++i)
        record.NumberField(i) = CellNumber(fields[i], i);
    return record;
}

StockRecord RecordFromRow(QStringView row)
{
    return RecordFromFields(Module1::SplitFields(row));
}

// The rows by text replacement, step by step: any page, however its markup runs.
std::vector<StockRecord> RecordsByReplacement(QStringView cut, int limit, int *beyond)
{
    std::vector<StockRecord> records;
    QString s = MarkRowsAndCells(cut);
    s = MdlHelpers::StripTags(s, QString());

    // The text before the first row marker is no row.
    const QStringView rest(s);
    qsizetype at = rest.indexOf(RowMarker);
    while (at >= 0) {
        if (records.size() >= static_cast<size_t>(std::max(limit, 0))) {
            // A full table takes no more records: a page of a million empty rows must not
            // make a million of them first.
            if (beyond)
                *beyond += static_cast<int>(rest.mid(at).count(RowMarker));
            break;
        }
        at += RowMarker.size();
        const qsizetype next = rest.indexOf(RowMarker, at);
        records.push_back(RecordFromRow(rest.mid(at, (next < 0 ? rest.size() : next) - at)));
        at = next;
    }
    return records;
}

// The same rows in one walk over the page from the header row on, for markup of the usual
// shape: the cell texts are gathered into one buffer and the places of the field separators and
// row markers noted, as the replacements and the tag removal would leave them, up to the end of
// the table body. The walk gives up (and the page takes the replacements) where its text could
// make markers of its own or where a tag would reach across other markup: a "^" or "~" in the
// text, a CR without its LF, a "<" inside a tag.
class RowWalk {
public:
    enum Outcome { Rows, NoTable, Unusual };
    Outcome Walk(QStringView page, qsizetype from);
    qsizetype RowCount() const { return static_cast<qsizetype>(rowStarts.size()); }
    Module1::RecordFields Fields(qsizetype row) const;
    // Gives back the room a page far larger than a result page took.
    void Release()
    {
        if (text.size() > LargestKept) {
            text = {};
            separators = {};
            rowStarts = {};
            rowSeparators = {};
        }
    }

private:
    // Whether the literal s (case-sensitive) stands at p[at]; the walk reads from p[0] to p[n).
    template <std::size_t N>
    static bool StartsAt(const char16_t *p, qsizetype n, qsizetype at, const char16_t (&s)[N])
    {
        constexpr auto length = static_cast<qsizetype>(N - 1);
        if (n - at < length)
            return false;
        for (qsizetype i = 0; i < length; ++i)
            if (p[at + i] != s[i])
                return false;
        return true;
    }
    // Length of <name> or <name ...> at p[at]; 0 when there is none, -1 when a "<" comes before
    // its ">" (or there is no ">").
    template <std::size_t N>
    static qsizetype TagAt(const char16_t *p, qsizetype n, qsizetype at, const char16_t (&name)[N])
    {
        if (!StartsAt(p, n, at, name))
            return 0;
        const qsizetype after = at + static_cast<qsizetype>(N - 1);
        if (after >= n)
            return 0;
        if (p[after] == u'>')
            return after + 1 - at;
        if (!IsBlank(p[after]))
            return 0;
        const qsizetype close = CloseAt(p, n, after);
        return close < 0 ? -1 : close + 1 - at;
    }
    // Length of first, white space, second at p[at]; 0 when it is not there.
    template <std::size_t N1, std::size_t N2>
    static qsizetype PairAt(const char16_t *p, qsizetype n, qsizetype at,
                            const char16_t (&first)[N1], const char16_t (&second)[N2])
    {
        if (!StartsAt(p, n, at, first))
            return 0;
        qsizetype next = at + static_cast<qsizetype>(N1 - 1);
        while (next < n && IsBlank(p[next])) ++next;
        return StartsAt(p, n, next, second) ? next + static_cast<qsizetype>(N2 - 1) - at : 0;
    }
    // The ">" closing a tag from p[from] on; -1 when a "<" or the end comes first.
    static qsizetype CloseAt(const char16_t *p, qsizetype n, qsizetype from)
    {
        qsizetype at = from;
#if defined(__SSE2__)
        const __m128i gt = _mm_set1_epi16('>'), lt = _mm_set1_epi16('<');
        for (; n - at >= 8; at += 8) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + at));
            const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi16(units, gt), _mm_cmpeq_epi16(units, lt))));
            if (mask != 0) {
                at += __builtin_ctz(mask) / 2;
                return p[at] == u'>' ? at : -1;
            }
        }
#endif
        for (; at < n; ++at) {
            if (p[at] == u'>')
                return at;
            if (p[at] == u'<')
                return -1;
        }
        return -1;
    }

    static constexpr std::size_t LargestKept = 1 << 20;
    std::vector<char16_t> text;
    qsizetype textSize = 0;
    std::vector<qsizetype> separators;     // where a field ends in text
    std::vector<qsizetype> rowStarts;      // where a row starts in text
    std::vector<qsizetype> rowSeparators;  // index of a row's first separator
};

RowWalk::Outcome RowWalk::Walk(QStringView page, qsizetype from)
{
    const char16_t *const p = page.utf16() + from;
    const qsizetype n = page.size() - from;
    // Nothing is ever added: the texts are what is left of the page.
    if (static_cast<qsizetype>(text.size()) < n)
        text.resize(static_cast<std::size_t>(n));
    char16_t *const out = text.data();
    separators.clear();
    rowStarts.clear();
    rowSeparators.clear();
    qsizetype w = 0;
    // Where the text written since the last marker or removed tag begins: blanks removed before
    // a cell and spaces trimmed at the end never reach back past it.
    qsizetype tail = 0;
    qsizetype at = 0;
    while (at < n) {
#if defined(__SSE2__)
        // Runs of text are copied eight characters at a time up to the next one that matters.
        const __m128i lt = _mm_set1_epi16('<'), cr = _mm_set1_epi16('\r');
        const __m128i caret = _mm_set1_epi16('^'), tilde = _mm_set1_epi16('~');
        while (n - at >= 8) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + at));
            const __m128i hits = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi16(units, lt), _mm_cmpeq_epi16(units, cr)),
                _mm_or_si128(_mm_cmpeq_epi16(units, caret), _mm_cmpeq_epi16(units, tilde)));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out + w), units);
            const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
            const qsizetype plain = mask == 0 ? 8 : __builtin_ctz(mask) / 2;
            at += plain;
            w += plain;
            if (mask != 0)
                break;
        }
        if (at >= n)
            break;
#endif
        const char16_t c = p[at];
        if (c != u'<' && c != u'\r' && c != u'^' && c != u'~') {
            out[w++] = c;
            ++at;
            continue;
        }
        if (c == u'\r') {
            if (at + 1 < n && p[at + 1] == u'\n') {
                at += 2;
                continue;
            }
            return Unusual;
        }
        if (c != u'<')
            return Unusual;
        qsizetype length = 0;
        const char16_t second = at + 1 < n ? p[at + 1] : u'\0';
        if (second == u'/') {
            if (PairAt(p, n, at, u"</TBODY>", u"</TABLE>") > 0)
                break;
            if ((length = PairAt(p, n, at, u"</FONT>", u"</TD>")) > 0) {
                separators.push_back(w);
                tail = w;
            }
        } else if (second == u'T') {
            if ((length = TagAt(p, n, at, u"<TR")) > 0) {
                rowStarts.push_back(w);
                rowSeparators.push_back(static_cast<qsizetype>(separators.size()));
                tail = w;
            } else if (length == 0 && (length = TagAt(p, n, at, u"<TD")) > 0) {
                while (w > tail && IsBlank(out[w - 1])) --w;
                qsizetype font = at + length;
                while (font < n && IsBlank(p[font])) ++font;
                const qsizetype fontLength = TagAt(p, n, font, u"<FONT");
                if (fontLength < 0)
                    return Unusual;
                if (fontLength > 0)
                    length = font + fontLength - at;
            }
            if (length < 0)
                return Unusual;
        }
        if (length == 0) {
            // Any other tag goes, up to its ">".
            const qsizetype close = CloseAt(p, n, at + 1);
            if (close < 0)
                return Unusual;
            tail = w;
            length = close + 1 - at;
        }
        at += length;
    }
    if (at >= n)
        return NoTable;
    while (w > tail && out[w - 1] == u' ') --w;
    textSize = w;
    return Rows;
}

Module1::RecordFields RowWalk::Fields(qsizetype row) const
{
    const auto r = static_cast<std::size_t>(row);
    const qsizetype end = r + 1 < rowStarts.size() ? rowStarts[r + 1] : textSize;
    const qsizetype lastSeparator =
        r + 1 < rowStarts.size() ? rowSeparators[r + 1] : static_cast<qsizetype>(separators.size());
    Module1::RecordFields fields;
    qsizetype from = rowStarts[r];
    qsizetype separator = rowSeparators[r];
    for (QStringView &field : fields) {
        if (separator == lastSeparator) {
            field = QStringView(text.data() + from, end - from);
            break;
        }
        const qsizetype to = separators[static_cast<std::size_t>(separator++)];
        field = QStringView(text.data() + from, to - from);
        from = to;
    }
    return fields;
}
}  // namespace

bool HasResultTable(const QString &pageText)
{
    qsizetype from = 0, to = 0;
    return TableCut(pageText, from, to);
}

std::vector<StockRecord> ResultPageRecords(const QString &pageText, int limit, int *beyond)
{
    qsizetype length = 0;
    const qsizetype header = FindPair(pageText, 0, u"More Info</FONT></B></TD>", u"</TR>", length);
    if (header < 0)
        return {};
    thread_local RowWalk walk;
    const RowWalk::Outcome outcome = walk.Walk(pageText, header + length);
    if (outcome != RowWalk::Rows) {
        walk.Release();
        if (outcome == RowWalk::NoTable)
            return {};
        return ResultPageRecordsByReplacement(pageText, limit, beyond);
    }
    const qsizetype rows = walk.RowCount();
    const qsizetype made = std::min<qsizetype>(rows, std::max(limit, 0));
    if (beyond)
        *beyond += static_cast<int>(rows - made);
    std::vector<StockRecord> records;
    records.reserve(static_cast<std::size_t>(made));
    for (qsizetype row = 0; row < made; ++row)
        records.push_back(RecordFromFields(walk.Fields(row)));
    walk.Release();
    return records;
}

std::vector<StockRecord> ResultPageRecordsByReplacement(const QString &pageText, int limit,
                                                        int *beyond)
{
    qsizetype from = 0, to = 0;
    if (!TableCut(pageText, from, to))
        return {};
    return RecordsByReplacement(QStringView(pageText).mid(from, to - from), limit, beyond);
}

int ParseResultPage(const QString &pageText, int k, int *leftOut)
{
    StockTable &table = Stocks();
    for (StockRecord &record : ResultPageRecords(
             pageText, StockTable::MaxRecords - std::min(k, StockTable::MaxRecords), leftOut))
        table.StoreAt(k++, std::move(record));
    return k;
}
