#include "platform/DateReader.h"

#include <QDate>
#include <vector>

namespace platform {

namespace {

struct Token {
    enum class Kind { Number, Word, Colon };
    Kind kind;
    QStringView text;
    int value = 0;  // numbers only
};

bool IsSeparator(QChar c)
{
    return c.isSpace() || c == u'/' || c == u'-' || c == u'.' || c == u',';
}

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Splits the text into numbers, words and colons; false for a character no date contains.
bool Tokenize(QStringView text, std::vector<Token> &tokens)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (IsSeparator(c)) {
            ++i;
        } else if (c == u':') {
            tokens.push_back({Token::Kind::Colon, text.mid(i, 1)});
            ++i;
        } else if (IsAsciiDigit(c)) {
            qsizetype j = i;
            int value = 0;
            while (j < n && IsAsciiDigit(text[j])) {
                if (j - i == 4)
                    return false;  // no part of a date has five digits
                value = value * 10 + (text[j].unicode() - u'0');
                ++j;
            }
            tokens.push_back({Token::Kind::Number, text.mid(i, j - i), value});
            i = j;
        } else if (c.isLetter()) {
            qsizetype j = i;
            while (j < n && text[j].isLetter()) ++j;
            tokens.push_back({Token::Kind::Word, text.mid(i, j - i)});
            i = j;
        } else {
            return false;
        }
    }
    return true;
}

QString NameKey(const QString &name)
{
    QString key = name.trimmed();
    while (key.endsWith(u'.')) key.chop(1);
    return key;
}

void AddName(QStringList &names, const QString &name)
{
    const QString key = NameKey(name);
    if (!key.isEmpty() && !names.contains(key, Qt::CaseInsensitive))
        names << key;
}

bool Contains(const QStringList &names, QStringView word)
{
    for (const QString &name : names) {
        if (word.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

int FullYear(const Token &year)
{
    if (year.text.size() > 2)
        return year.value;
    return year.value < 30 ? 2000 + year.value : 1900 + year.value;
}

bool YearLike(const Token &t)
{
    return t.text.size() > 2 || t.value > 31;
}

constexpr qint64 JulianDayOfDayZero = 2415019;  // 30 December 1899

}  // namespace

DateReader::DateReader(const QLocale &locale)
{
    const QLocale english = QLocale::c();
    for (const QLocale &l : {locale, english}) {
        for (int m = 1; m <= 12; ++m) {
            QStringList &names = monthNames[m - 1];
            for (const QLocale::FormatType format : {QLocale::LongFormat, QLocale::ShortFormat}) {
                AddName(names, l.monthName(m, format));
                AddName(names, l.standaloneMonthName(m, format));
            }
        }
        for (int d = 1; d <= 7; ++d) {
            AddName(weekdayNames, l.dayName(d, QLocale::LongFormat));
            AddName(weekdayNames, l.dayName(d, QLocale::ShortFormat));
        }
        AddName(amTexts, l.amText());
        AddName(pmTexts, l.pmText());
    }
    AddName(amTexts, QStringLiteral("A"));
    AddName(pmTexts, QStringLiteral("P"));

    // The order of day, month and year in the locale's numeric dates.
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype d = format.indexOf(u'd');
    const qsizetype m = format.indexOf(u'M');
    const qsizetype y = format.indexOf(u'y');
    if (d >= 0 && m >= 0 && y >= 0) {
        if (y < m && y < d)
            order = Order::YearMonthDay;
        else if (d < m)
            order = Order::DayMonthYear;
        else
            order = Order::MonthDayYear;
    }
}

int DateReader::MonthOfName(QStringView word) const
{
    for (int m = 0; m < 12; ++m) {
        if (Contains(monthNames[m], word))
            return m + 1;
    }
    return 0;
}

bool DateReader::IsWeekday(QStringView word) const
{
    return Contains(weekdayNames, word);
}

int DateReader::HalfOfDay(QStringView word) const
{
    if (Contains(amTexts, word))
        return 1;
    if (Contains(pmTexts, word))
        return 2;
    return 0;
}

std::optional<double> DateReader::Read(QStringView text) const
{
    std::vector<Token> tokens;
    tokens.reserve(8);
    if (!Tokenize(text, tokens) || tokens.empty())
        return std::nullopt;

    const std::size_t n = tokens.size();
    std::size_t pos = 0;
    const auto startsTime = [&](std::size_t at) {
        return at + 1 < n && tokens[at].kind == Token::Kind::Number &&
               tokens[at + 1].kind == Token::Kind::Colon;
    };

    bool any = false;
    double day = 0;

    if (tokens[pos].kind == Token::Kind::Word && IsWeekday(tokens[pos].text) &&
        !MonthOfName(tokens[pos].text))
        ++pos;

    // Date part: three numbers, or two numbers and a month name.
    std::vector<const Token *> parts;
    int month = 0;
    while (pos < n && parts.size() < 3 && !startsTime(pos)) {
        const Token &t = tokens[pos];
        if (t.kind == Token::Kind::Word) {
            const int m = MonthOfName(t.text);
            if (!m || month)
                break;
            month = m;
        } else if (t.kind != Token::Kind::Number) {
            break;
        }
        parts.push_back(&t);
        ++pos;
    }
    if (!parts.empty()) {
        if (parts.size() != 3)
            return std::nullopt;
        int y = 0, d = 0;
        if (month) {
            std::vector<const Token *> numbers;
            for (const Token *t : parts) {
                if (t->kind == Token::Kind::Number)
                    numbers.push_back(t);
            }
            const bool firstIsYear = YearLike(*numbers[0]) && !YearLike(*numbers[1]);
            const Token &dayToken = firstIsYear ? *numbers[1] : *numbers[0];
            const Token &yearToken = firstIsYear ? *numbers[0] : *numbers[1];
            d = dayToken.value;
            y = FullYear(yearToken);
        } else if (parts[0]->text.size() > 2 || order == Order::YearMonthDay) {
            y = FullYear(*parts[0]);
            month = parts[1]->value;
            d = parts[2]->value;
        } else if (order == Order::DayMonthYear) {
            d = parts[0]->value;
            month = parts[1]->value;
            y = FullYear(*parts[2]);
        } else {
            month = parts[0]->value;
            d = parts[1]->value;
            y = FullYear(*parts[2]);
        }
        const QDate date(y, month, d);
        if (y < 1 || !date.isValid())
            return std::nullopt;
        day = static_cast<double>(date.toJulianDay() - JulianDayOfDayZero);
        any = true;
    }

    // Time part: h:mm or h:mm:ss, optionally AM or PM.
    if (startsTime(pos)) {
        const auto number = [&](std::size_t at) -> const Token * {
            return at < n && tokens[at].kind == Token::Kind::Number ? &tokens[at] : nullptr;
        };
        const Token *h = number(pos);
        const Token *m = number(pos + 2);
        if (!m || m->text.size() > 2)
            return std::nullopt;
        pos += 3;
        const Token *s = nullptr;
        if (pos < n && tokens[pos].kind == Token::Kind::Colon) {
            s = number(pos + 1);
            if (!s || s->text.size() > 2)
                return std::nullopt;
            pos += 2;
        }
        int hour = h->value;
        if (pos < n && tokens[pos].kind == Token::Kind::Word) {
            const int half = HalfOfDay(tokens[pos].text);
            if (!half || hour > 12)
                return std::nullopt;
            hour = hour % 12 + (half == 2 ? 12 : 0);
            ++pos;
        }
        const int minute = m->value;
        const int second = s ? s->value : 0;
        if (hour > 23 || minute > 59 || second > 59)
            return std::nullopt;
        day += (hour * 3600 + minute * 60 + second) / 86400.0;
        any = true;
    }

    if (!any || pos != n)
        return std::nullopt;
    return day;
}

}  // namespace platform
