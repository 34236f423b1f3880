#include "store/MdlHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstring>

#include "platform/LeadingNumber.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"
#include "platform/TextCodec.h"
#include "platform/Wildcard.h"

namespace MdlHelpers {

QString AppFile(const QString &name)
{
    return platform::ProgramFolder() + QLatin1Char('/') + name;
}

bool FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

namespace {

// True when every CR of the bytes is followed by LF.
bool EveryCrBeforeLf(const QByteArray &bytes)
{
    const char *p = bytes.constData();
    const char *const end = p + bytes.size();
    while (const char *cr = static_cast<const char *>(std::memchr(p, '\r', end - p))) {
        if (cr + 1 == end || cr[1] != '\n')
            return false;
        p = cr + 2;
    }
    return true;
}

// The text of ASCII bytes whose lines end with CR LF already, widened once into a string with
// room for the closing CR LF when it is missing.
QString AsciiWithClosingCrLf(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    if (n == 0)
        return QString();
    const bool closed = bytes.endsWith("\r\n");
    QString text(n + (closed ? 0 : 2), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    platform::WidenAscii(bytes.constData(), n, out);
    if (!closed) {
        out[n] = u'\r';
        out[n + 1] = u'\n';
    }
    return text;
}

QString WithCrLfLineEnds(const QString &raw)
{
    if (raw.isEmpty())
        return QString();

    // Most files already end every line with CR LF: then the text is returned as read.
    const QChar *begin = raw.constData();
    const QChar *end = begin + raw.size();
    const QChar *p = begin;
    while (p < end) {
        p = std::find(p, end, QLatin1Char('\r'));
        if (p == end || p + 1 == end || p[1] != QLatin1Char('\n'))
            break;
        p += 2;
    }
    if (p == end)
        return raw.endsWith(CrLf) ? raw : raw + CrLf;

    QString text;
    text.reserve(raw.size() + raw.size() / 64 + 2);
    text.append(begin, p - begin);
    const QChar *lineStart = p;
    while (p < end) {
        if (*p == QLatin1Char('\r')) {
            text.append(lineStart, p - lineStart);
            text += CrLf;
            ++p;
            if (p < end && *p == QLatin1Char('\n'))
                ++p;
            lineStart = p;
        } else {
            ++p;
        }
    }
    if (lineStart < end) {
        text.append(lineStart, end - lineStart);
        text += CrLf;
    }
    return text;
}

}  // namespace

QString ReadTextFile(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    // Page files and lists are ASCII and end their lines with CR LF already: that is checked on
    // the bytes (CR and LF are the same bytes in every encoding read), and they are widened once.
    const bool ascii = platform::IsAscii(bytes.constData(), bytes.size());
    if (ascii && EveryCrBeforeLf(bytes))
        return AsciiWithClosingCrLf(bytes);
    return WithCrLfLineEnds(ascii ? QString::fromLatin1(bytes) : platform::DecodeLocaleText(bytes));
}

QStringView TrimSpaces(QStringView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] == QLatin1Char(' ')) ++from;
    while (to > from && text[to - 1] == QLatin1Char(' ')) --to;
    return text.mid(from, to - from);
}

QStringList ReadLines(const QString &path, bool trim)
{
    // Splits the bytes and decodes line by line: the same lines as splitting ReadTextFile's
    // text (CR and LF are single bytes in the locale encoding), without a whole-file UTF-16
    // copy of a 7 MB database.
    QStringList lines;
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        lines.reserve(bytes.size() / 128 + 1);
        // One encoding for the whole file: a line of plain ASCII says nothing about it.
        const platform::TextEncoding encoding = platform::DetectLocaleEncoding(bytes);
        const char *p = bytes.constData();
        const char *end = p + bytes.size();
        while (p < end) {
            const char *cr = static_cast<const char *>(std::memchr(p, '\r', end - p));
            const char *lineEnd = cr ? cr : end;
            const QString line = platform::DecodeText(p, lineEnd - p, encoding);
            const QStringView trimmed = trim ? TrimSpaces(line) : QStringView(line);
            lines.append(trimmed.size() == line.size() ? line : trimmed.toString());
            p = lineEnd;
            if (p < end && ++p < end && *p == '\n')  // past CR, and LF of a CR LF
                ++p;
        }
    }
    lines.append(QString());  // what follows the last line break
    return lines;
}

QStringList RemoveBlankLines(const QStringList &lines)
{
    QStringList kept;
    kept.reserve(lines.size());
    for (const QString &line : lines)
        if (!TrimSpaces(line).isEmpty())
            kept.append(line);
    return kept;
}

QStringList RemoveDuplicateLines(const QStringList &lines)
{
    QStringList kept;
    kept.reserve(lines.size());
    QSet<QString> seen;
    seen.reserve(lines.size());
    for (const QString &line : lines) {
        const auto sizeBefore = seen.size();
        seen.insert(line);
        if (seen.size() != sizeBefore)
            kept.append(line);
    }
    return kept;
}

bool WriteLines(const QString &path, const QStringList &lines)
{
    // Encoded line by line: a whole-file UTF-16 copy of a 7 MB database costs more than the
    // encoding itself.
    qsizetype size = 0;
    for (const QString &line : lines) size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size + size / 8);
    for (const QString &line : lines) {
        bytes += platform::EncodeLocaleText(line);
        bytes += "\r\n";
    }
    return platform::ReplaceFile(path, bytes);
}

bool WriteTextFile(const QString &path, const QString &text, bool append)
{
    if (!append)
        return platform::ReplaceFile(path, platform::EncodeLocaleText(text + CrLf));
    return platform::AppendToFile(path, platform::EncodeLocaleText(text + CrLf));
}

QString TextBetween(const QString &startMarker, const QString &endMarker, const QString &text)
{
    if (TrimSpaces(text).isEmpty())
        return QString();
    const qsizetype start = text.indexOf(startMarker);
    if (start < 0 || !text.contains(endMarker))
        return QString();
    const qsizetype restFrom = start + startMarker.size();
    const qsizetype end = text.indexOf(endMarker, restFrom);
    if (end < 0)
        return QString();
    return text.mid(restFrom, end - restFrom);
}

QString StripTags(const QString &text, const QString &keepList)
{
    QList<QStringView> keep;
    if (!keepList.isEmpty())
        for (QStringView name : QStringView(keepList).split(QLatin1Char(',')))
            keep.append(TrimSpaces(name));

    const QString source = TrimSpaces(text).toString().replace(CrLf, QStringLiteral(" "));
    // Removing a tag never changes the characters after it, so one forward scan that copies
    // what stays gives the same text as removing the tags one by one.
    QString result;
    result.reserve(source.size());
    const qsizetype n = source.size();
    qsizetype copyFrom = 0;
    qsizetype p = source.indexOf(QLatin1Char('<'));
    while (p >= 0) {
        const QStringView after = QStringView(source).mid(p + 1);
        bool kept = false;
        for (QStringView name : keep)
            if (after.left(name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
                after.size() >= name.size()) {
                kept = true;
                break;
            }
        if (kept) {
            p = source.indexOf(QLatin1Char('<'), p + 1);
            continue;
        }
        result.append(source.constData() + copyFrom, p - copyFrom);
        const qsizetype close = source.indexOf(QLatin1Char('>'), p + 1);
        copyFrom = close < 0 ? n : close + 1;
        p = close < 0 ? -1 : source.indexOf(QLatin1Char('<'), copyFrom);
    }
    result.append(source.constData() + copyFrom, n - copyFrom);
    if (result.isEmpty())
        return QStringLiteral(" ");
    return result;
}

namespace {
QStringList MatchingFiles(const QString &folder, const QString &pattern)
{
    QStringList names;
    const QStringList all = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : all)
        if (platform::WildcardMatch(pattern, name))
            names.append(name);
    return names;
}
}  // namespace

int DeleteFiles(const QString &folder, const QString &pattern)
{
    int deleted = 0;
    for (const QString &name : MatchingFiles(folder, pattern))
        deleted += QFile::remove(folder + name) ? 1 : 0;
    return deleted;
}

int CountFiles(const QString &folder, const QString &pattern)
{
    const QString withSlash =
        folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return static_cast<int>(MatchingFiles(withSlash, pattern).size());
}

QString ProperCase(const QString &text)
{
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool wordStart = i == 0 || text[i - 1] == QLatin1Char(' ');
        result[i] = wordStart ? text[i].toUpper() : text[i].toLower();
    }
    return result;
}

double ParseLeadingNumber(QStringView text)
{
    return platform::ParseLeadingNumber(text);
}

}  // namespace MdlHelpers
