#include "app/ScreensFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <cmath>
#include <optional>

#include "app/BoundText.h"
#include "platform/SafeFile.h"
#include "store/Module1.h"

namespace ScreensFile {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString MinPrice = QStringLiteral("MinPrice");
const QString MaxPrice = QStringLiteral("MaxPrice");

// Hand-edited files are small; anything far larger is no screens file.
constexpr qint64 MaxFileSize = 1 << 20;

QString Number(double value)
{
    return BoundText::Text(value, QLocale::c());
}

std::optional<double> ReadNumber(const QString &text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// One key of a section and the bound it sets.
struct Key {
    QString Name;
    const FilterField *Field;  // null for the price
    BoundText::Side Side;
};

std::vector<Key> Keys()
{
    std::vector<Key> keys = {{MinPrice, nullptr, BoundText::Side::Min},
                             {MaxPrice, nullptr, BoundText::Side::Max}};
    for (const FilterField &f : FilterFields()) {
        keys.push_back({QStringLiteral("Min") + QLatin1String(f.Key), &f, BoundText::Side::Min});
        keys.push_back({QStringLiteral("Max") + QLatin1String(f.Key), &f, BoundText::Side::Max});
    }
    return keys;
}

// Reads the lines one by one and stops for good at the first that does not fit.
class Reader {
public:
    // The damage, or empty.
    QString Read(const QStringList &lines)
    {
        for (qsizetype i = 0; i < lines.size() && damage.isEmpty(); ++i) {
            lineNumber = static_cast<int>(i) + 1;
            Line(lines[i].trimmed());
        }
        if (damage.isEmpty())
            EndScreen();
        return damage;
    }

    std::vector<SavedScreen> screens;

private:
    void Line(const QString &line)
    {
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            return;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            return Section(line.mid(1, line.size() - 2).trimmed());
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            return Fail(
                QStringLiteral("\"%1\" is neither a [name] nor a key=value line").arg(line));
        if (screens.empty())
            return Fail(QStringLiteral("\"%1\" comes before the first [name]").arg(line));
        Setting(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }

    void Section(const QString &name)
    {
        EndScreen();
        if (!damage.isEmpty())
            return;
        if (const QString problem = NameProblem(name); !problem.isEmpty())
            return Fail(problem);
        for (const SavedScreen &s : screens)
            if (s.Name.compare(name, Qt::CaseInsensitive) == 0)
                return Fail(QStringLiteral("a second screen named \"%1\"").arg(name));
        screens.push_back({name, {}});
        seen.assign(keys.size(), false);
        sectionLine = lineNumber;
    }

    void Setting(const QString &name, const QString &value)
    {
        std::size_t k = 0;
        while (k < keys.size() && keys[k].Name.compare(name, Qt::CaseInsensitive) != 0) ++k;
        if (k == keys.size())
            return Fail(QStringLiteral("\"%1\" is no key of a screen").arg(name));
        if (seen[k])
            return Fail(QStringLiteral("%1 a second time").arg(keys[k].Name));
        seen[k] = true;
        const Key &key = keys[k];
        if (value.isEmpty() && key.Field)
            return;
        const std::optional<double> number = ReadNumber(value);
        if (!number)
            return Fail(QStringLiteral("%1 \"%2\" is not a number").arg(key.Name, value));
        ScreenBounds &bounds = screens.back().Bounds;
        if (!key.Field) {
            (key.Side == BoundText::Side::Min ? bounds.PriceMin : bounds.PriceMax) = *number;
            return;
        }
        if (*number < 0 && key.Field->Sign == FieldSign::NotNegative)
            return Fail(QStringLiteral("%1 \"%2\" is below 0").arg(key.Name, value));
        FieldBound &bound = bounds[key.Field->Field];
        (key.Side == BoundText::Side::Min ? bound.Min : bound.Max) = number;
    }

    // The checks that need the whole section.
    void EndScreen()
    {
        if (screens.empty())
            return;
        const SavedScreen &s = screens.back();
        // the price keys are the first two
        if (!seen[0] || !seen[1])
            return Fail(QStringLiteral("the screen \"%1\" needs both %2 and %3")
                            .arg(s.Name, MinPrice, MaxPrice),
                        sectionLine);
        for (const FilterField &f : FilterFields()) {
            const FieldBound &b = s.Bounds[f.Field];
            if (b.Min && b.Max && *b.Min > *b.Max)
                return Fail(QStringLiteral("in the screen \"%1\" Min%2 is above Max%2")
                                .arg(s.Name, QLatin1String(f.Key)),
                            sectionLine);
        }
    }

    void Fail(const QString &why) { Fail(why, lineNumber); }
    void Fail(const QString &why, int line)
    {
        if (damage.isEmpty())
            damage = QStringLiteral("line %1: %2").arg(line).arg(why);
    }

    const std::vector<Key> keys = Keys();
    std::vector<bool> seen;
    int lineNumber = 0;
    int sectionLine = 0;  // where the screen being read starts
    QString damage;
};

}  // namespace

QString Path()
{
    return QFileInfo(Module1::DatabasePath()).absolutePath() + QStringLiteral("/screens.ini");
}

QString Text(const std::vector<SavedScreen> &screens)
{
    QStringList lines = {
        QStringLiteral("; Zentrin's saved screens: one [name] per screen, then its bounds."),
        QStringLiteral("; Prices in dollars, MarketCap in millions of dollars, \".\" as the "
                       "decimal point;"),
        QStringLiteral("; a missing key is no bound."),
    };
    for (const SavedScreen &s : screens) {
        lines << QString() << QLatin1Char('[') + s.Name + QLatin1Char(']');
        lines << MinPrice + QLatin1Char('=') + Number(s.Bounds.PriceMin);
        lines << MaxPrice + QLatin1Char('=') + Number(s.Bounds.PriceMax);
        for (const FilterField &f : FilterFields()) {
            const FieldBound &b = s.Bounds[f.Field];
            if (b.Min)
                lines << QStringLiteral("Min%1=%2").arg(QLatin1String(f.Key), Number(*b.Min));
            if (b.Max)
                lines << QStringLiteral("Max%1=%2").arg(QLatin1String(f.Key), Number(*b.Max));
        }
    }
    return lines.join(CrLf) + CrLf;
}

Contents Parse(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return {{}, QStringLiteral("the file is not UTF-8 text")};
    QStringList lines = text.split(QLatin1Char('\n'));
    Reader reader;
    const QString damage = reader.Read(lines);
    if (!damage.isEmpty())
        return {{}, damage};
    return {std::move(reader.screens), {}};
}

Contents Read()
{
    QFile file(Path());
    if (!file.exists())
        return {};
    if (file.size() > MaxFileSize)
        return {{}, QStringLiteral("the file is larger than a screens file can be")};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("the file cannot be read (%1)").arg(file.errorString())};
    return Parse(file.readAll());
}

bool Write(const std::vector<SavedScreen> &screens)
{
    return platform::ReplaceFile(Path(), Text(screens).toUtf8());
}

QString NameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("a screen needs a name");
    if (name.size() > MaxNameLength)
        return QStringLiteral("a screen's name has at most %1 characters").arg(MaxNameLength);
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("a screen's name cannot hold a line break or a tab");
    return {};
}

}  // namespace ScreensFile
