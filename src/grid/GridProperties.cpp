#include "grid/GridProperties.h"

#include "platform/SettingsStore.h"

namespace lynx {

namespace {

using P = GridProperties;

// The saved order. "Checkboxes" keeps the small b of the saved windows; keys match without
// regard to case anyway.
using C = PropertyDescription::Color;

constexpr PropertyDescription Table[] = {
    {u"BackColor", C{&P::BackColor}},
    {u"BackColorBkg", C{&P::BackColorBkg}},
    {u"BackColorEdit", C{&P::BackColorEdit}},
    {u"BackColorFixed", C{&P::BackColorFixed}},
    {u"BackColorSel", C{&P::BackColorSel}},
    {u"ForeColor", C{&P::ForeColor}},
    {u"ForeColorEdit", C{&P::ForeColorEdit}},
    {u"ForeColorFixed", C{&P::ForeColorFixed}},
    {u"ForeColorHdr", C{&P::ForeColorHdr}},
    {u"ForeColorSel", C{&P::ForeColorSel}},
    {u"ForeColorTotals", C{&P::ForeColorTotals}},
    {u"GridColor", C{&P::GridColor}},
    {u"ProgressBarColor", C{&P::ProgressBarColor}},
    {u"AlphaBlendSelection", &P::AlphaBlendSelection},
    {u"BorderStyle", &P::BorderStyle},
    {u"DisplayEllipsis", &P::DisplayEllipsis},
    {u"FocusRectColor", C{&P::FocusRectColor}},
    {u"FocusRectMode", &P::FocusRectMode},
    {u"FocusRectStyle", &P::FocusRectStyle},
    {u"GridLines", &P::GridLines},
    {u"GridLineWidth", &P::GridLineWidth},
    {u"ThemeColor", &P::ThemeColor},
    {u"ThemeStyle", &P::ThemeStyle},
    {u"AllowUserResizing", &P::AllowUserResizing},
    {u"AutoSizeRow", &P::AutoSizeRow},
    {u"Checkboxes", &P::CheckBoxes},
    {u"ColumnDrag", &P::ColumnDrag},
    {u"ColumnHeaders", &P::ColumnHeaders},
    {u"ColumnSort", &P::ColumnSort},
    {u"Editable", &P::Editable},
    {u"EditTrigger", &P::EditTrigger},
    {u"FullRowSelect", &P::FullRowSelect},
    {u"HideSelection", &P::HideSelection},
    {u"HotHeaderTracking", &P::HotHeaderTracking},
    {u"MultiSelect", &P::MultiSelect},
    {u"Redraw", &P::Redraw},
    {u"ScrollTrack", &P::ScrollTrack},
    {u"TrackEdits", &P::TrackEdits},
    {u"CacheIncrement", &P::CacheIncrement},
    {u"Enabled", &P::Enabled},
    {u"FormatString", &P::FormatString},
    {u"Locked", &P::Locked},
    {u"RowHeightMax", &P::RowHeightMax},
    {u"RowHeightMin", &P::RowHeightMin},
    {u"ScaleUnits", &P::ScaleUnits},
    {u"SearchColumn", &P::SearchColumn},
};

const GridProperties &Defaults()
{
    static const GridProperties defaults;
    return defaults;
}

struct Resetter {
    GridProperties &values;
    template <class T>
    void operator()(T P::*f) const
    {
        values.*f = Defaults().*f;
    }
    void operator()(C c) const { values.*c.Field = Defaults().*c.Field; }
};

struct Reader {
    GridProperties &values;
    const platform::SettingsStore &store;
    QString key;
    void operator()(bool P::*f) const { values.*f = store.ReadBool(key, Defaults().*f); }
    void operator()(int P::*f) const { values.*f = store.ReadInt(key, Defaults().*f); }
    void operator()(C c) const
    {
        values.*c.Field = static_cast<ColorValue>(
            store.ReadColor(key, static_cast<platform::ColorValue>(Defaults().*c.Field)));
    }
    void operator()(QString P::*f) const { values.*f = store.ReadText(key, Defaults().*f); }
};

struct Writer {
    const GridProperties &values;
    platform::SettingsStore &store;
    QString key;
    void operator()(bool P::*f) const { store.WriteBool(key, values.*f, Defaults().*f); }
    void operator()(int P::*f) const { store.WriteInt(key, values.*f, Defaults().*f); }
    void operator()(C c) const
    {
        store.WriteColor(key, static_cast<platform::ColorValue>(values.*c.Field),
                         static_cast<platform::ColorValue>(Defaults().*c.Field));
    }
    void operator()(QString P::*f) const { store.WriteText(key, values.*f, Defaults().*f); }
};

}  // namespace

std::span<const PropertyDescription> PropertyTable()
{
    return Table;
}

void ResetProperties(GridProperties &values)
{
    for (const PropertyDescription &d : Table) std::visit(Resetter{values}, d.Value);
}

void ReadPropertyTable(GridProperties &values, const platform::SettingsStore &store)
{
    for (const PropertyDescription &d : Table)
        std::visit(Reader{values, store, QString::fromUtf16(d.Key)}, d.Value);
}

void WritePropertyTable(const GridProperties &values, platform::SettingsStore &store)
{
    for (const PropertyDescription &d : Table)
        std::visit(Writer{values, store, QString::fromUtf16(d.Key)}, d.Value);
}

}  // namespace lynx
