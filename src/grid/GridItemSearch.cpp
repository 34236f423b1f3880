#include "grid/GridItemSearch.h"

#include <algorithm>
#include <string_view>

#include "grid/GridModel.h"
#include "platform/Wildcard.h"

namespace lynx {

namespace GridItemSearch {

void UpperCaseInto(QStringView text, QString &out)
{
    out.resize(text.size() * 2);  // room for letters whose capital needs two code units
    QChar *to = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode()))
            c = QChar::surrogateToUcs4(static_cast<char16_t>(c), text[++i].unicode());
        const char32_t upper = QChar::toUpper(c);
        if (QChar::requiresSurrogates(upper)) {
            *to++ = QChar(QChar::highSurrogate(upper));
            *to++ = QChar(QChar::lowSurrogate(upper));
        } else {
            *to++ = QChar(static_cast<char16_t>(upper));
        }
    }
    out.resize(to - out.data());
}

namespace {

QChar FirstUpper(QStringView text, bool ignoreCase)
{
    if (!ignoreCase)
        return text[0];
    QString first;
    UpperCaseInto(text.left(QChar::isHighSurrogate(text[0].unicode()) ? 2 : 1), first);
    return first[0];
}

// By code units, whatever the locale.
int Compare(QStringView a, QStringView b)
{
    return std::u16string_view(a.utf16(), static_cast<std::size_t>(a.size()))
        .compare(std::u16string_view(b.utf16(), static_cast<std::size_t>(b.size())));
}

// Compares cell, upper-cased as UpperCaseInto does, with search (upper-cased already), without
// copying the cell: most rows differ in their first characters.
int CompareUpper(QStringView cell, QStringView search, QString &scratch)
{
    const qsizetype n = std::min(cell.size(), search.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = cell[i].unicode();
        const char32_t upper = QChar::toUpper(char32_t(c));
        if (QChar::isSurrogate(c) || QChar::requiresSurrogates(upper)) {
            UpperCaseInto(cell, scratch);
            return Compare(scratch, search);
        }
        const char16_t wanted = search[i].unicode();
        if (upper != wanted)
            return upper < wanted ? -1 : 1;
    }
    if (cell.size() == search.size())
        return 0;
    return cell.size() < search.size() ? -1 : 1;
}

bool Matches(int mode, QStringView cell, QStringView search, QStringView pattern, bool ignoreCase,
             QString &scratch)
{
    if (mode == StartsWith) {
        if (ignoreCase) {
            UpperCaseInto(cell, scratch);
            cell = scratch;
        }
        return platform::PatternMatch(cell, pattern);
    }
    if (mode != Equal && mode != AtOrAfter && mode != SameFirstAtOrAfter)
        return false;
    const int order = ignoreCase ? CompareUpper(cell, search, scratch) : Compare(cell, search);
    switch (mode) {
        case Equal:
            return order == 0;
        case AtOrAfter:
            return order >= 0;
        default:
            // With the rest not less, a different first character can only be a greater one.
            return order >= 0 && !cell.isEmpty() && FirstUpper(cell, ignoreCase) == search[0];
    }
}

}  // namespace

int FindItem(const GridModel &model, QStringView searchText, int col, int mode,
             LetterCase letterCase)
{
    if (searchText.isEmpty() || col < 0)
        return -1;
    const bool ignoreCase = letterCase == LetterCase::Ignore;
    QString search = searchText.toString();
    if (ignoreCase)
        UpperCaseInto(searchText, search);
    const QString pattern = mode == StartsWith ? search + u'*' : QString();

    QString scratch;
    QString number;
    for (int r = 0; r <= model.LastItem(); ++r) {
        const QStringView cell = model.CellText(model.Cell(model.ItemAtRow(r), col), number);
        if (Matches(mode, cell, search, pattern, ignoreCase, scratch))
            return r;
    }
    return -1;
}

}  // namespace GridItemSearch

}  // namespace lynx
