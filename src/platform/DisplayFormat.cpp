#include "platform/DisplayFormat.h"

#include <QDateTime>
#include <QStringList>
#include <cmath>
#include <optional>

namespace platform {

namespace {

std::optional<double> NumberOf(const QString &text, const QLocale &locale)
{
    bool ok = false;
    const QString t = text.trimmed();
    double v = locale.toDouble(t, &ok);
    if (!ok)
        v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<QDateTime> DateOf(const QString &text, const QLocale &locale)
{
    const QString t = text.trimmed();
    QDateTime dt = QDateTime::fromString(t, Qt::ISODate);
    if (!dt.isValid())
        dt = locale.toDateTime(t, QLocale::ShortFormat);
    if (!dt.isValid()) {
        const QDate d = locale.toDate(t, QLocale::ShortFormat);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(t, Qt::ISODate);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    return dt.isValid() ? std::optional<QDateTime>(dt) : std::nullopt;
}

// Splits at ";" outside quotes and escapes.
QStringList Sections(const QString &pattern)
{
    QStringList parts{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"')
            quoted = !quoted;
        if (!quoted && c == u'\\' && i + 1 < pattern.size()) {
            parts.back() += c;
            parts.back() += pattern[++i];
            continue;
        }
        if (!quoted && c == u';') {
            parts.append(QString());
            continue;
        }
        parts.back() += c;
    }
    return parts;
}

QString FormatNumberSection(double value, const QString &section, const QLocale &locale)
{
    // The literal text around the digits, and what the digit part asks for.
    QString before, after;
    int intZeros = 0, decZeros = 0, decHashes = 0, expZeros = 0;
    bool inDigits = false, pastDigits = false, decimals = false, grouping = false;
    bool percent = false, scientific = false, expSign = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        QString literal;
        if (c == u'"') {
            const qsizetype end = section.indexOf(u'"', i + 1);
            literal = section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1);
            i = end < 0 ? section.size() : end;
        } else if (c == u'\\' && i + 1 < section.size()) {
            literal = section[++i];
        } else if (!pastDigits && (c == u'0' || c == u'#')) {
            inDigits = true;
            if (scientific)
                expZeros += c == u'0';
            else if (decimals)
                (c == u'0' ? decZeros : decHashes) += 1;
            else
                intZeros += c == u'0';
            continue;
        } else if (!pastDigits && c == u'.' && !scientific) {
            inDigits = true;
            decimals = true;
            continue;
        } else if (inDigits && !pastDigits && c == u',') {
            grouping = true;
            continue;
        } else if (inDigits && !pastDigits && (c == u'E' || c == u'e') && i + 1 < section.size() &&
                   (section[i + 1] == u'+' || section[i + 1] == u'-')) {
            scientific = true;
            expSign = section[++i] == u'+';
            continue;
        } else {
            if (c == u'%')
                percent = true;
            literal = c;
        }
        if (inDigits)
            pastDigits = true;
        (pastDigits ? after : before) += literal;
    }

    double v = std::fabs(value) * (percent ? 100.0 : 1.0);
    QString exponent;
    if (scientific) {
        const int lead = std::max(intZeros, 1);
        int e = v == 0 ? 0 : static_cast<int>(std::floor(std::log10(v))) - lead + 1;
        v /= std::pow(10.0, e);
        // Rounding may carry into one more leading digit.
        const double scale = std::pow(10.0, decZeros + decHashes);
        if (std::round(v * scale) / scale >= std::pow(10.0, lead)) {
            v /= 10;
            ++e;
        }
        const QString digits =
            QString::number(std::abs(e)).rightJustified(std::max(expZeros, 1), u'0');
        const QString sign = e < 0     ? QStringLiteral("-")
                             : expSign ? QStringLiteral("+")
                                       : QString();
        exponent = QStringLiteral("E") + sign + digits;
    }
    QString fixed = QString::number(v, 'f', decZeros + decHashes);
    QString intPart = fixed.section(u'.', 0, 0);
    QString decPart = fixed.section(u'.', 1);
    while (decPart.size() > decZeros && decPart.endsWith(u'0')) decPart.chop(1);
    if (intPart == QStringLiteral("0") && intZeros == 0)
        intPart.clear();
    intPart = intPart.rightJustified(intZeros, u'0');
    if (grouping) {
        for (qsizetype at = intPart.size() - 3; at > 0; at -= 3)
            intPart.insert(at, locale.groupSeparator());
    }
    QString number = intPart;
    if (decimals && !decPart.isEmpty())
        number += locale.decimalPoint() + decPart;
    else if (decimals && decZeros == 0 && decHashes == 0)
        number += locale.decimalPoint();
    return before + number + exponent + after;
}

QString FormatNumber(double value, const QString &pattern, const QLocale &locale)
{
    const QStringList sections = Sections(pattern);
    if (value == 0 && sections.size() > 2 && !sections[2].isEmpty())
        return FormatNumberSection(value, sections[2], locale);
    if (value < 0 && sections.size() > 1 && !sections[1].isEmpty())
        return FormatNumberSection(value, sections[1], locale);
    const QString shown = FormatNumberSection(value, sections[0], locale);
    // A negative value that shows as anything but zero keeps its sign.
    bool nonZero = false;
    for (const QChar c : shown) nonZero |= c.isDigit() && c != u'0';
    return value < 0 && nonZero ? QStringLiteral("-") + shown : shown;
}

bool IsDatePattern(const QString &pattern)
{
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && QStringLiteral("dmyhnswqDMYHNSWQ").contains(c))
            return true;
    }
    return false;
}

int WeekOfYear(const QDate &date)
{
    // Weeks start on Sunday; week 1 holds January 1.
    const QDate first(date.year(), 1, 1);
    const int offset = first.dayOfWeek() % 7;  // Sunday 0
    return (first.daysTo(date) + offset) / 7 + 1;
}

QString FormatDate(const QDateTime &dt, const QString &pattern, const QLocale &locale)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    const bool twelveHour = pattern.contains(QStringLiteral("AM/PM"), Qt::CaseInsensitive) ||
                            pattern.contains(QStringLiteral("A/P"), Qt::CaseInsensitive) ||
                            pattern.contains(QStringLiteral("AMPM"), Qt::CaseInsensitive);
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == c.toLower()) ++run;
        const QChar l = c.toLower();
        const auto two = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
        if (c == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            out += pattern.mid(i + 1, (end < 0 ? pattern.size() : end) - i - 1);
            i = end < 0 ? pattern.size() : end + 1;
            continue;
        }
        if (c == u'\\' && i + 1 < pattern.size()) {
            out += pattern[i + 1];
            i += 2;
            continue;
        }
        if (pattern.mid(i, 5).compare(QStringLiteral("AM/PM"), Qt::CaseInsensitive) == 0) {
            const QString s = t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            out += c.isUpper() ? s : s.toLower();
            i += 5;
            continue;
        }
        if (pattern.mid(i, 4).compare(QStringLiteral("AMPM"), Qt::CaseInsensitive) == 0) {
            out += t.hour() < 12 ? locale.amText() : locale.pmText();
            i += 4;
            continue;
        }
        if (pattern.mid(i, 3).compare(QStringLiteral("A/P"), Qt::CaseInsensitive) == 0) {
            const QString s = t.hour() < 12 ? QStringLiteral("A") : QStringLiteral("P");
            out += c.isUpper() ? s : s.toLower();
            i += 3;
            continue;
        }
        bool hour = false;
        if (l == u'd') {
            out += run == 1   ? QString::number(d.day())
                   : run == 2 ? two(d.day())
                   : run == 3 ? locale.dayName(d.dayOfWeek(), QLocale::ShortFormat)
                              : locale.dayName(d.dayOfWeek(), QLocale::LongFormat);
        } else if (l == u'm' && afterHour && run <= 2) {
            out += run == 1 ? QString::number(t.minute()) : two(t.minute());
        } else if (l == u'm') {
            out += run == 1   ? QString::number(d.month())
                   : run == 2 ? two(d.month())
                   : run == 3 ? locale.monthName(d.month(), QLocale::ShortFormat)
                              : locale.monthName(d.month(), QLocale::LongFormat);
        } else if (l == u'y') {
            out += run <= 2 ? two(d.year() % 100) : QString::number(d.year());
        } else if (l == u'h') {
            int h = t.hour();
            if (twelveHour)
                h = h % 12 == 0 ? 12 : h % 12;
            out += run == 1 ? QString::number(h) : two(h);
            hour = true;
        } else if (l == u'n') {
            out += run == 1 ? QString::number(t.minute()) : two(t.minute());
        } else if (l == u's') {
            out += run == 1 ? QString::number(t.second()) : two(t.second());
        } else if (l == u'w') {
            out +=
                run == 1 ? QString::number(d.dayOfWeek() % 7 + 1) : QString::number(WeekOfYear(d));
        } else if (l == u'q') {
            out += QString::number((d.month() - 1) / 3 + 1);
        } else {
            out += pattern.mid(i, run);
        }
        if (hour)
            afterHour = true;
        else if (l.isLetter())
            afterHour = false;
        i += run;
    }
    return out;
}

}  // namespace

QString FormatForDisplay(const QString &text, const QString &pattern, const QLocale &locale)
{
    const QString named = pattern.trimmed().toLower();
    const std::optional<double> number = NumberOf(text, locale);
    if (named == u"general number")
        return number ? QString::number(*number, 'g', 15) : text;
    if (named == u"currency")
        return number ? locale.toCurrencyString(*number) : text;
    if (named == u"fixed")
        return number ? FormatNumber(*number, QStringLiteral("0.00"), locale) : text;
    if (named == u"standard")
        return number ? FormatNumber(*number, QStringLiteral("#,##0.00"), locale) : text;
    if (named == u"percent")
        return number ? FormatNumber(*number, QStringLiteral("0.00%"), locale) : text;
    if (named == u"scientific")
        return number ? FormatNumber(*number, QStringLiteral("0.00E+00"), locale) : text;
    const struct {
        const char16_t *name, *yes, *no;
    } truths[] = {
        {u"yes/no", u"Yes", u"No"}, {u"true/false", u"True", u"False"}, {u"on/off", u"On", u"Off"}};
    for (const auto &truth : truths) {
        if (named == truth.name)
            return number ? QString::fromUtf16(*number != 0 ? truth.yes : truth.no) : text;
    }

    const auto date = [&](auto format) -> QString {
        const std::optional<QDateTime> dt = DateOf(text, locale);
        return dt ? format(*dt) : text;
    };
    if (named == u"general date")
        return date([&](const QDateTime &dt) { return locale.toString(dt, QLocale::ShortFormat); });
    if (named == u"long date")
        return date(
            [&](const QDateTime &dt) { return locale.toString(dt.date(), QLocale::LongFormat); });
    if (named == u"medium date")
        return date([&](const QDateTime &dt) {
            return FormatDate(dt, QStringLiteral("dd-mmm-yy"), locale);
        });
    if (named == u"short date")
        return date(
            [&](const QDateTime &dt) { return locale.toString(dt.date(), QLocale::ShortFormat); });
    if (named == u"long time")
        return date(
            [&](const QDateTime &dt) { return locale.toString(dt.time(), QLocale::LongFormat); });
    if (named == u"medium time")
        return date([&](const QDateTime &dt) {
            return FormatDate(dt, QStringLiteral("hh:nn AM/PM"), locale);
        });
    if (named == u"short time")
        return date(
            [&](const QDateTime &dt) { return FormatDate(dt, QStringLiteral("hh:nn"), locale); });

    if (IsDatePattern(pattern) && !number)
        return date([&](const QDateTime &dt) { return FormatDate(dt, pattern, locale); });
    if (number)
        return FormatNumber(*number, pattern, locale);
    return text;
}

}  // namespace platform
