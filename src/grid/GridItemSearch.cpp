#include "grid/GridItemSearch.h"

#include <string_view>

#include "grid/GridModel.h"
#include "platform/Wildcard.h"

namespace GridItemSearch {

void UpperCaseInto(QStringView text, QString &out)
{
    out.resize(text.size());
    QChar *to = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(c, text[i + 1].unicode()));
            *to++ = QChar(QChar::highSurrogate(upper));
            *to++ = QChar(QChar::lowSurrogate(upper));
            ++i;
        } else {
            *to++ = QChar(static_cast<char16_t>(QChar::toUpper(c)));
        }
    }
}

namespace {

// By code units, whatever the locale.
int Compare(QStringView a, QStringView b)
{
    return std::u16string_view(a.utf16(), static_cast<std::size_t>(a.size()))
        .compare(std::u16string_view(b.utf16(), static_cast<std::size_t>(b.size())));
}

bool Matches(int mode, QStringView cell, QStringView search, QStringView pattern)
{
    switch (mode) {
        case Equal:
            return cell == search;
        case AtOrAfter:
            return Compare(cell, search) >= 0;
        case StartsWith:
            return platform::PatternMatch(cell, pattern);
        case SameFirstAtOrAfter:
            return !cell.isEmpty() && cell[0] == search[0] && Compare(cell, search) >= 0;
        default:
            return false;
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

    QString upper;
    for (int r = 0; r <= model.LastItem(); ++r) {
        QStringView cell = model.Text(model.Cell(model.ItemAtRow(r), col).Text);
        if (ignoreCase) {
            UpperCaseInto(cell, upper);
            cell = upper;
        }
        if (Matches(mode, cell, search, pattern))
            return r;
    }
    return -1;
}

}  // namespace GridItemSearch
