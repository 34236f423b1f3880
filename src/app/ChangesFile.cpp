#include "app/ChangesFile.h"

#include <QStringList>

#include "platform/SafeFile.h"
#include "platform/TextCodec.h"
#include "store/MdlHelpers.h"

namespace ChangesFile {

namespace {

using MdlHelpers::CrLf;

const QString WhenKey = QStringLiteral("Last update: ");
const QString StocksKey = QStringLiteral("Stocks: ");
const QString PagesKey = QStringLiteral("Pages: ");
const QString BeforeKey = QStringLiteral("Stocks before: ");
const QString EnteredKey = QStringLiteral("Entered the band: ");
const QString LeftKey = QStringLiteral("Left the band: ");
const QString MovedKey = QStringLiteral("Price moved more than 20 %: ");
const QString EnteredHeading = QStringLiteral("Entered");
const QString LeftHeading = QStringLiteral("Left");

// Reads the lines of the file one by one, failing for good at the first that does not fit.
class Reader {
public:
    explicit Reader(const QStringList &lines) : lines(lines) {}

    bool Ok() const { return ok; }

    QString Value(const QString &key)
    {
        const QString line = Next();
        if (!line.startsWith(key)) {
            ok = false;
            return {};
        }
        return line.mid(key.size());
    }
    int Count(const QString &key)
    {
        bool number = false;
        const int value = Value(key).toInt(&number);
        ok = ok && number && value >= 0;
        return value;
    }
    void Heading(const QString &heading) { ok = ok && Next() == heading; }
    QStringList Symbols(int count)
    {
        QStringList symbols;
        for (int i = 0; i < count && ok; ++i) {
            symbols.append(Next());
            ok = ok && !symbols.back().isEmpty();
        }
        return symbols;
    }
    // Only the empty element after the last line break, or blank lines, may follow.
    void End()
    {
        while (ok && at < lines.size()) ok = MdlHelpers::TrimSpaces(lines[at++]).isEmpty();
    }

private:
    QString Next()
    {
        if (at < lines.size())
            return lines[at++];
        ok = false;
        return {};
    }

    const QStringList &lines;
    qsizetype at = 0;
    bool ok = true;
};

QString OneLine(QString symbol)
{
    symbol.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    return symbol;
}

}  // namespace

QString Path()
{
    return MdlHelpers::AppFile(QStringLiteral("changes.txt"));
}

QString Text(const BandChanges &c)
{
    QStringList lines = {
        WhenKey + OneLine(c.When),
        StocksKey + QString::number(c.Stocks),
        PagesKey + QString::number(c.Pages),
        BeforeKey + QString::number(c.StocksBefore),
        EnteredKey + QString::number(c.Entered.size()),
        LeftKey + QString::number(c.Left.size()),
        MovedKey + QString::number(c.Moved),
        EnteredHeading,
    };
    for (const QString &symbol : c.Entered) lines.append(OneLine(symbol));
    lines.append(LeftHeading);
    for (const QString &symbol : c.Left) lines.append(OneLine(symbol));
    return lines.join(CrLf) + CrLf;
}

std::optional<BandChanges> Parse(const QString &text)
{
    const QStringList lines = text.split(CrLf);
    Reader in(lines);
    BandChanges c;
    c.When = in.Value(WhenKey);
    c.Stocks = in.Count(StocksKey);
    c.Pages = in.Count(PagesKey);
    c.StocksBefore = in.Count(BeforeKey);
    const int entered = in.Count(EnteredKey);
    const int left = in.Count(LeftKey);
    c.Moved = in.Count(MovedKey);
    in.Heading(EnteredHeading);
    c.Entered = in.Symbols(entered);
    in.Heading(LeftHeading);
    c.Left = in.Symbols(left);
    in.End();
    // Counts that cannot be: more stocks entered than listed, more left than there were.
    if (!in.Ok() || entered > c.Stocks || left > c.StocksBefore || c.Moved > c.Stocks)
        return std::nullopt;
    return c;
}

bool Write(const BandChanges &changes)
{
    return platform::ReplaceFile(Path(), platform::EncodeLocaleText(Text(changes)));
}

std::optional<BandChanges> Read()
{
    return Parse(MdlHelpers::ReadTextFile(Path()));
}

}  // namespace ChangesFile
