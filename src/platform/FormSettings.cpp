#include "platform/FormSettings.h"

#include <QBuffer>
#include <QFile>
#include <QWidget>
#include <limits>

#include "platform/ControlHost.h"
#include "platform/HostedControl.h"

namespace platform {

namespace {

// A small cursor over one value text.
class ValueReader {
public:
    explicit ValueReader(QStringView text) : text(text) {}

    void SkipSpaces()
    {
        while (pos < text.size() && text[pos].isSpace()) ++pos;
    }
    bool AtEnd()
    {
        SkipSpaces();
        return pos >= text.size();
    }
    // The next word of letters, digits, '.', '+', '-'.
    QString Word()
    {
        SkipSpaces();
        const qsizetype start = pos;
        while (pos < text.size() && (text[pos].isLetterOrNumber() || text[pos] == u'.' ||
                                     text[pos] == u'+' || text[pos] == u'-'))
            ++pos;
        return text.mid(start, pos - start).toString();
    }
    bool Quoted(QString &out)
    {
        SkipSpaces();
        if (pos >= text.size() || text[pos] != u'"')
            return false;
        out.clear();
        for (++pos; pos < text.size(); ++pos) {
            const QChar c = text[pos];
            if (c == u'"') {
                ++pos;
                return true;
            }
            if (c != u'\\') {
                out += c;
                continue;
            }
            if (++pos >= text.size())
                return false;
            switch (text[pos].unicode()) {
                case 'n':
                    out += u'\n';
                    break;
                case 'r':
                    out += u'\r';
                    break;
                case 't':
                    out += u'\t';
                    break;
                case '\\':
                    out += u'\\';
                    break;
                case '"':
                    out += u'"';
                    break;
                default:
                    return false;
            }
        }
        return false;
    }

private:
    QStringView text;
    qsizetype pos = 0;
};

QString Quote(const QString &s)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : s) {
        switch (c.unicode()) {
            case '\n':
                out += QLatin1String("\\n");
                break;
            case '\r':
                out += QLatin1String("\\r");
                break;
            case '\t':
                out += QLatin1String("\\t");
                break;
            case '\\':
                out += QLatin1String("\\\\");
                break;
            case '"':
                out += QLatin1String("\\\"");
                break;
            default:
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

bool ParseFont(ValueReader &r, QVariant &out)
{
    QString family;
    if (!r.Quoted(family))
        return false;
    QFont font(family);
    QString size = r.Word();
    bool pixels = false;
    if (size.endsWith(QLatin1String("px"))) {
        pixels = true;
        size.chop(2);
    } else if (size.endsWith(QLatin1String("pt"))) {
        size.chop(2);
    }
    bool ok = false;
    const double value = size.toDouble(&ok);
    if (!ok || value <= 0)
        return false;
    if (pixels)
        font.setPixelSize(static_cast<int>(value));
    else
        font.setPointSizeF(value);
    while (!r.AtEnd()) {
        const QString flag = r.Word().toLower();
        if (flag == QLatin1String("bold"))
            font.setBold(true);
        else if (flag == QLatin1String("italic"))
            font.setItalic(true);
        else if (flag == QLatin1String("underline"))
            font.setUnderline(true);
        else if (flag == QLatin1String("strikeout"))
            font.setStrikeOut(true);
        else
            return false;
    }
    out = QVariant(font);
    return true;
}

bool ParsePicture(ValueReader &r, QVariant &out)
{
    QString text;
    Picture picture;
    if (r.Quoted(text)) {
        picture = text.isEmpty() ? Picture::Empty() : Picture::Load(text);
    } else if (r.Word() == QLatin1String("data") && r.Quoted(text)) {
        QImage image;
        image.loadFromData(QByteArray::fromBase64(text.toLatin1()), "PNG");
        picture = image.isNull() ? Picture::Empty() : Picture::FromImage(image);
    } else {
        return false;
    }
    if (!r.AtEnd())
        return false;
    out = QVariant::fromValue(picture);
    return true;
}

bool ParseNumber(const QString &text, QVariant &out)
{
    bool ok = false;
    if (text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        QString digits = text.mid(2);
        if (digits.endsWith(QLatin1Char('&')))
            digits.chop(1);
        const qulonglong v = digits.toULongLong(&ok, 16);
        if (!ok || v > std::numeric_limits<quint32>::max())
            return false;
        out = QVariant(static_cast<uint>(v));
        return true;
    }
    const qlonglong n = text.toLongLong(&ok, 10);
    if (ok) {
        if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
            out = QVariant(static_cast<int>(n));
        else
            out = QVariant(n);
        return true;
    }
    const double d = text.toDouble(&ok);
    if (ok)
        out = QVariant(d);
    return ok;
}

bool ParseValue(const QString &text, QVariant &out)
{
    ValueReader r(text);
    if (text.startsWith(QLatin1Char('"'))) {
        QString s;
        if (!r.Quoted(s) || !r.AtEnd())
            return false;
        out = QVariant(s);
        return true;
    }
    if (text.startsWith(QLatin1String("font"))) {
        r.Word();
        return ParseFont(r, out);
    }
    if (text.startsWith(QLatin1String("picture"))) {
        r.Word();
        return ParsePicture(r, out);
    }
    return ParseNumber(text, out);
}

QString FontText(const QFont &font)
{
    QString text = QStringLiteral("font ") + Quote(font.family()) + QLatin1Char(' ');
    if (font.pointSizeF() > 0)
        text += QString::number(font.pointSizeF(), 'g', 6) + QLatin1String("pt");
    else
        text += QString::number(font.pixelSize()) + QLatin1String("px");
    if (font.bold())
        text += QLatin1String(" bold");
    if (font.italic())
        text += QLatin1String(" italic");
    if (font.underline())
        text += QLatin1String(" underline");
    if (font.strikeOut())
        text += QLatin1String(" strikeout");
    return text;
}

QString PictureText(const Picture &picture)
{
    if (!picture.Source().isEmpty())
        return QStringLiteral("picture ") + Quote(picture.Source());
    if (!picture.HasImage())
        return QStringLiteral("picture \"\"");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.Image().save(&buffer, "PNG");
    return QStringLiteral("picture data ") + Quote(QString::fromLatin1(png.toBase64()));
}

// The text of one stored value; empty for a kind the format does not carry.
QString ValueText(const QVariant &v)
{
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::LongLong:
        case QMetaType::Long:
            return QString::number(v.toLongLong());
        case QMetaType::UInt:
        case QMetaType::UShort:
            return QStringLiteral("&H") + QString::number(v.toULongLong(), 16).toUpper();
        case QMetaType::Double:
        case QMetaType::Float: {
            QString s = QString::number(v.toDouble(), 'g', 17);
            if (!s.contains(QLatin1Char('.')) && !s.contains(QLatin1Char('e')))
                s += QLatin1String(".0");
            return s;
        }
        case QMetaType::QString:
            return Quote(v.toString());
        case QMetaType::QFont:
            return FontText(v.value<QFont>());
        default:
            if (v.typeId() == qMetaTypeId<Picture>())
                return PictureText(v.value<Picture>());
            return QString();
    }
}

}  // namespace

FormSettings FormSettings::Parse(const QString &text)
{
    FormSettings settings;
    SettingsStore *current = nullptr;  // good until the next section is appended
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) ||
            line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            current = &settings.sections.FindOrAppend(name);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        QVariant value;
        if (!key.isEmpty() && ParseValue(line.mid(eq + 1).trimmed(), value))
            current->WriteProperty(key, value);
    }
    return settings;
}

FormSettings FormSettings::Load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FormSettings();
    return Parse(QString::fromUtf8(file.readAll()));
}

QString FormSettings::ToText() const
{
    QString text;
    for (const QString &name : sections.Names()) {
        const SettingsStore &store = *sections.Find(name);
        text += QLatin1Char('[') + name + QLatin1String("]\n");
        for (const QString &key : store.Keys()) {
            const QString value = ValueText(store.ReadProperty(key));
            if (!value.isEmpty())
                text += key + QLatin1String(" = ") + value + QLatin1Char('\n');
        }
        text += QLatin1Char('\n');
    }
    return text;
}

SettingsStore FormSettings::Store(const QString &controlName) const
{
    const SettingsStore *store = sections.Find(controlName);
    return store ? *store : SettingsStore();
}

void FormSettings::SetStore(const QString &controlName, const SettingsStore &store)
{
    sections.FindOrAppend(controlName) = store;
}

QStringList FormSettings::ControlNames() const
{
    return sections.Names();
}

void LoadFormControls(QWidget *form, ControlHost &host, const FormSettings &settings)
{
    if (!form)
        return;
    const QList<QWidget *> children = form->findChildren<QWidget *>();
    for (QWidget *child : children) {
        auto *control = dynamic_cast<HostedControl *>(child);
        if (!control)
            continue;
        control->SetHost(&host);
        control->ReadProperties(settings.Store(child->objectName()));
    }
}

FormSettings SaveFormControls(const QWidget *form)
{
    FormSettings settings;
    if (!form)
        return settings;
    const QList<QWidget *> children = form->findChildren<QWidget *>();
    for (QWidget *child : children) {
        const auto *control = dynamic_cast<const HostedControl *>(child);
        if (!control || child->objectName().isEmpty())
            continue;
        SettingsStore store;
        control->WriteProperties(store);
        settings.SetStore(child->objectName(), store);
    }
    return settings;
}

}  // namespace platform
