#include "app/MainWindowSettings.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <algorithm>

#include "store/MdlHelpers.h"

namespace MainWindowSettings {

namespace {

const QString Left = QStringLiteral("Window/Left");
const QString Top = QStringLiteral("Window/Top");
const QString Width = QStringLiteral("Window/Width");
const QString Height = QStringLiteral("Window/Height");
const QString Maximized = QStringLiteral("Window/Maximized");
const QString Widths = QStringLiteral("Grid/ColumnWidths");
const QString Order = QStringLiteral("Grid/ColumnOrder");
const QString Hidden = QStringLiteral("Grid/HiddenColumns");
const QString SortColumn = QStringLiteral("Grid/SortColumn");
const QString SortState = QStringLiteral("Grid/SortState");
const QString SubSortColumn = QStringLiteral("Grid/SubSortColumn");
const QString SubSortState = QStringLiteral("Grid/SubSortState");

std::optional<int> WholeNumber(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// A key holding one whole number; a list or any other text is not one. (Read from the file a
// value is text; within the run that wrote it, it is the number written.)
std::optional<int> IntAt(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    if (!value.isValid() || value.typeId() == QMetaType::QStringList)
        return std::nullopt;
    return WholeNumber(value.toString());
}

// A comma-separated list of whole numbers, at least `least` and at most `most` of them; empty
// for anything else.
std::vector<int> IntsAt(const QSettings &settings, const QString &key, int least, int most)
{
    const QVariant value = settings.value(key);
    QStringList texts;
    if (value.typeId() == QMetaType::QStringList)
        texts = value.toStringList();
    else if (value.typeId() == QMetaType::QString)
        texts << value.toString();
    if (texts.size() < least || texts.size() > most)
        return {};
    std::vector<int> numbers;
    for (const QString &t : texts) {
        const std::optional<int> n = WholeNumber(t);
        if (!n)
            return {};
        numbers.push_back(*n);
    }
    return numbers;
}

QStringList Texts(const std::vector<int> &numbers)
{
    QStringList texts;
    for (const int n : numbers) texts << QString::number(n);
    return texts;
}

std::optional<QRect> GeometryOf(const QSettings &settings)
{
    const std::optional<int> l = IntAt(settings, Left), t = IntAt(settings, Top),
                             w = IntAt(settings, Width), h = IntAt(settings, Height);
    if (!l || !t || !w || !h || *w <= 0 || *h <= 0)
        return std::nullopt;
    return QRect(*l, *t, *w, *h);
}

bool IsPermutation(std::vector<int> order)
{
    std::sort(order.begin(), order.end());
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i] != static_cast<int>(i))
            return false;
    return true;
}

std::vector<int> HiddenOf(const QSettings &settings, int columns)
{
    std::vector<int> hidden = IntsAt(settings, Hidden, 1, columns - 1);
    std::sort(hidden.begin(), hidden.end());
    const bool fits = std::all_of(hidden.begin(), hidden.end(),
                                  [columns](int slot) { return slot >= 0 && slot < columns; }) &&
                      std::adjacent_find(hidden.begin(), hidden.end()) == hidden.end();
    return fits ? hidden : std::vector<int>();
}

GridSortChoice SortOf(const QSettings &settings, int columns)
{
    const auto column = [&](const QString &key) {
        const std::optional<int> c = IntAt(settings, key);
        return c && *c >= 0 && *c < columns ? *c : -1;
    };
    const auto state = [&](const QString &key) -> std::optional<int> {
        const std::optional<int> s = IntAt(settings, key);
        return s && (*s == 0 || *s == 1) ? s : std::nullopt;
    };
    GridSortChoice sort;
    const std::optional<int> primaryState = state(SortState);
    sort.Column = primaryState ? column(SortColumn) : -1;
    if (sort.Column == -1)
        return sort;
    sort.State = *primaryState;
    const std::optional<int> secondaryState = state(SubSortState);
    const int secondary = column(SubSortColumn);
    if (secondaryState && secondary != -1 && secondary != sort.Column) {
        sort.SubColumn = secondary;
        sort.SubState = *secondaryState;
    }
    return sort;
}

}  // namespace

QString Path()
{
    return MdlHelpers::AppFile(QStringLiteral("zentrin.ini"));
}

MainWindowState Read(int columns)
{
    const QSettings settings(Path(), QSettings::IniFormat);
    MainWindowState state;
    if (settings.status() != QSettings::NoError)
        return state;
    state.Geometry = GeometryOf(settings);
    state.Maximized = settings.value(Maximized).toString() == QLatin1String("true");
    state.ColumnWidths = IntsAt(settings, Widths, 1, columns);
    if (std::any_of(state.ColumnWidths.begin(), state.ColumnWidths.end(),
                    [](int w) { return w <= 0 || w > MaxColumnWidth; }))
        state.ColumnWidths.clear();
    state.ColumnOrder = IntsAt(settings, Order, 1, columns);
    if (!IsPermutation(state.ColumnOrder))
        state.ColumnOrder.clear();
    else
        for (int slot = static_cast<int>(state.ColumnOrder.size()); slot < columns; ++slot)
            state.ColumnOrder.push_back(slot);
    state.HiddenColumns = HiddenOf(settings, columns);
    state.Sort = SortOf(settings, columns);
    return state;
}

bool Write(const MainWindowState &state)
{
    {
        // What QSettings cannot parse it would not write back whole either.
        const QSettings existing(Path(), QSettings::IniFormat);
        if (existing.status() == QSettings::FormatError)
            QFile::remove(Path());
    }
    QSettings settings(Path(), QSettings::IniFormat);
    if (state.Geometry) {
        settings.setValue(Left, state.Geometry->left());
        settings.setValue(Top, state.Geometry->top());
        settings.setValue(Width, state.Geometry->width());
        settings.setValue(Height, state.Geometry->height());
    } else {
        for (const QString &key : {Left, Top, Width, Height}) settings.remove(key);
    }
    settings.setValue(Maximized, state.Maximized);
    settings.setValue(Widths, Texts(state.ColumnWidths));
    settings.setValue(Order, Texts(state.ColumnOrder));
    if (state.HiddenColumns.empty())
        settings.remove(Hidden);
    else
        settings.setValue(Hidden, Texts(state.HiddenColumns));
    settings.setValue(SortColumn, state.Sort.Column);
    settings.setValue(SortState, state.Sort.State);
    settings.setValue(SubSortColumn, state.Sort.SubColumn);
    settings.setValue(SubSortState, state.Sort.SubState);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace MainWindowSettings
