#include <gtest/gtest.h>

#include <QSignalSpy>
#include <functional>
#include <variant>

#include "GridTestSupport.h"
#include "grid/GridProperties.h"
#include "platform/ControlHost.h"
#include "platform/SettingsStore.h"

using namespace lynx;

using lynx::GridProperties;
using lynx::PropertyDescription;

namespace {
// Every saved value of `values` changed away from its default.
void ChangeEveryValue(GridProperties &values)
{
    for (const PropertyDescription &d : lynx::PropertyTable()) {
        std::visit(
            [&](auto field) {
                using F = decltype(field);
                if constexpr (std::is_same_v<F, bool GridProperties::*>)
                    values.*field = !(values.*field);
                else if constexpr (std::is_same_v<F, int GridProperties::*>)
                    values.*field += 7;  // ThemeColor 7 is no theme
                else if constexpr (std::is_same_v<F, PropertyDescription::Color>)
                    values.*field.Field ^= 0x123;
                else
                    values.*field = QStringLiteral("^A|>B");
            },
            d.Value);
    }
}

// The names of the values in which a and b differ.
QStringList Differences(const GridProperties &a, const GridProperties &b)
{
    QStringList names;
    for (const PropertyDescription &d : lynx::PropertyTable()) {
        const bool same = std::visit(
            [&](auto field) {
                if constexpr (std::is_same_v<decltype(field), PropertyDescription::Color>)
                    return a.*field.Field == b.*field.Field;
                else
                    return a.*field == b.*field;
            },
            d.Value);
        if (!same)
            names << QString::fromUtf16(d.Key);
    }
    return names;
}
}  // namespace

TEST(GridProperties, ARoundTripThroughTheSettingsStoreKeepsEveryValue)
{
    // Every value changed at once, as a saved form loads them.
    GridProperties changed;
    ChangeEveryValue(changed);
    platform::SettingsStore loaded;
    lynx::WritePropertyTable(changed, loaded);
    LynxGrid source;
    source.ReadProperties(loaded);
    ASSERT_EQ(Differences(source.Properties(), changed), QStringList());
    QFont font(QStringLiteral("Liberation Serif"), 13);
    source.SetFont(font);
    platform::SettingsStore store;
    source.WriteProperties(store);

    // The saved keys as the host window keeps them, "Font" first.
    EXPECT_EQ(store.Keys(), QStringList({"Font",
                                         "BackColor",
                                         "BackColorBkg",
                                         "BackColorEdit",
                                         "BackColorFixed",
                                         "BackColorSel",
                                         "ForeColor",
                                         "ForeColorEdit",
                                         "ForeColorFixed",
                                         "ForeColorHdr",
                                         "ForeColorSel",
                                         "ForeColorTotals",
                                         "GridColor",
                                         "ProgressBarColor",
                                         "AlphaBlendSelection",
                                         "BorderStyle",
                                         "DisplayEllipsis",
                                         "FocusRectColor",
                                         "FocusRectMode",
                                         "FocusRectStyle",
                                         "GridLines",
                                         "GridLineWidth",
                                         "ThemeColor",
                                         "ThemeStyle",
                                         "AllowUserResizing",
                                         "AutoSizeRow",
                                         "Checkboxes",
                                         "ColumnDrag",
                                         "ColumnHeaders",
                                         "ColumnSort",
                                         "Editable",
                                         "EditTrigger",
                                         "FullRowSelect",
                                         "HideSelection",
                                         "HotHeaderTracking",
                                         "MultiSelect",
                                         "Redraw",
                                         "ScrollTrack",
                                         "TrackEdits",
                                         "CacheIncrement",
                                         "Enabled",
                                         "FormatString",
                                         "Locked",
                                         "RowHeightMax",
                                         "RowHeightMin",
                                         "ScaleUnits",
                                         "SearchColumn"}));

    LynxGrid target;
    target.ReadProperties(store);
    EXPECT_EQ(Differences(source.Properties(), target.Properties()), QStringList());
    EXPECT_EQ(target.Font(), font);
    EXPECT_EQ(target.ColHeading(1), "B");  // the format string was applied

    // Values equal to their defaults are not stored, and missing keys read as the defaults.
    platform::SettingsStore defaults;
    LynxGrid fresh;
    fresh.WriteProperties(defaults);
    EXPECT_TRUE(defaults.IsEmpty());
    target.ReadProperties(defaults);
    EXPECT_EQ(Differences(target.Properties(), GridProperties()), QStringList());
}

TEST(GridProperties, SettersStoreDoTheirEffectAndTellTheHost)
{
    enum Effect { None, Draw, Refresh };
    struct Case {
        const char *notice;
        std::function<void(LynxGrid &)> set;
        Effect effect;
    };
#define CASE(Name, value, effect)                               \
    {                                                           \
#Name, [](LynxGrid & g) { g.Set##Name(value); }, effect \
    }
    const Case cases[] = {
        CASE(BackColor, 1, Draw),
        CASE(BackColorBkg, 2, Refresh),
        CASE(BackColorEdit, 3, None),
        CASE(BackColorFixed, 4, None),
        CASE(BackColorSel, 5, Refresh),
        CASE(ForeColor, 6, None),
        CASE(ForeColorEdit, 7, None),
        CASE(ForeColorFixed, 8, None),
        CASE(ForeColorHdr, 9, None),
        CASE(ForeColorSel, 10, Refresh),
        CASE(ForeColorTotals, 11, Refresh),
        CASE(GridColor, 12, Draw),
        CASE(ProgressBarColor, 13, Draw),
        CASE(AlphaBlendSelection, true, Refresh),
        CASE(BorderStyle, 0, None),
        CASE(DisplayEllipsis, false, Refresh),
        CASE(FocusRectColor, 14, None),
        CASE(FocusRectMode, 2, Refresh),
        CASE(FocusRectStyle, 0, Refresh),
        CASE(GridLines, false, Refresh),
        CASE(GridLineWidth, 2, Draw),
        CASE(ThemeColor, 2, Draw),
        CASE(ThemeStyle, 3, Draw),
        CASE(AllowUserResizing, 1, None),
        CASE(AutoSizeRow, true, Draw),
        CASE(CheckBoxes, true, Refresh),
        CASE(ColumnDrag, true, None),
        CASE(ColumnSort, true, None),
        CASE(Editable, true, None),
        CASE(EditTrigger, 1, None),
        CASE(FullRowSelect, false, Refresh),
        CASE(HideSelection, false, Refresh),
        CASE(HotHeaderTracking, false, None),
        CASE(MultiSelect, false, Refresh),
        CASE(MultiSelect, true, None),
        CASE(ScrollTrack, false, None),
        CASE(TrackEdits, true, None),
        CASE(CacheIncrement, 5, None),
        CASE(FormatString, "a|b", Refresh),
        CASE(RowHeightMax, 40, Refresh),
        CASE(RowHeightMin, 20, Refresh),
        CASE(ScaleUnits, 3, None),
        CASE(SearchColumn, 1, None),
        CASE(Font, QFont("Liberation Mono"), None),
        CASE(Redraw, false, None),
    };
#undef CASE
    for (const Case &c : cases) {
        SCOPED_TRACE(c.notice);
        platform::ControlHost host;
        CountingGrid grid;
        grid.SetHost(&host);
        AddColumns(grid, 2);
        grid.AddItem("a\tb");
        grid.Paints = grid.Layouts = 0;
        QSignalSpy notices(&host, &platform::ControlHost::PropertyChanged);
        c.set(grid);
        ASSERT_EQ(notices.count(), 1);
        EXPECT_EQ(notices[0][1].toString(), c.notice);
        EXPECT_EQ(grid.Paints, c.effect == None ? 0 : 1);
        EXPECT_EQ(grid.Layouts, c.effect == Refresh ? 1 : 0);
    }
}

TEST(GridProperties, NegativeCacheIncrementsAreStoredAsOne)
{
    LynxGrid grid;
    grid.SetCacheIncrement(-5);
    EXPECT_EQ(grid.CacheIncrement(), 1);
    grid.SetCacheIncrement(0);
    EXPECT_EQ(grid.CacheIncrement(), 0);
}

TEST(GridFormatString, PrefixesAlignAndNameTheColumnsShownFirst)
{
    LynxGrid grid;
    grid.SetScaleUnits(3);
    grid.SetFormatString("^Sym|<Name|>Price");
    EXPECT_EQ(grid.FormatString(), "^Sym|<Name|>Price");
    EXPECT_EQ(grid.Cols(), 2);
    const struct {
        const char *heading;
        int alignment;
    } expected[] = {{"Sym", 5}, {"Name", 4}, {"Price", 6}};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(grid.ColHeading(c), expected[c].heading);
        EXPECT_EQ(grid.ColAlignment(c), expected[c].alignment);
        EXPECT_TRUE(grid.ColVisible(c));
        EXPECT_FLOAT_EQ(grid.ColWidth(c), 1000);
        EXPECT_EQ(grid.Model().Column(c).WidthPixels, 1000);
    }

    // Fewer parts than columns: the columns stay; those shown first take the parts.
    LynxGrid five;
    AddColumns(five, 5);
    five.SetColAlignment(4, 6);
    five.AddColumn("moved", 10, 2, TypeText, "", 4, false, 1);  // slot 5, shown second
    five.SetFormatString("one|two");
    EXPECT_EQ(five.Cols(), 5);
    EXPECT_EQ(five.ColHeading(0), "one");
    EXPECT_EQ(five.ColHeading(5), "two");
    EXPECT_EQ(five.ColHeading(1), "C1");
    EXPECT_EQ(five.ColAlignment(5), 2);
    EXPECT_FLOAT_EQ(five.ColWidth(5), 1000);

    // Empty: one hidden blank column, no items.
    five.AddItem("row");
    five.SetFormatString("");
    EXPECT_EQ(five.Cols(), 0);
    EXPECT_FALSE(five.ColVisible(0));
    EXPECT_EQ(five.ColHeading(0), "");
    EXPECT_EQ(five.ItemCount(), 0);
}

TEST(GridTheme, AThemeSetsItsColoursUntilAColourIsSetAndWinsAgainOnReload)
{
    LynxGrid grid;
    grid.SetThemeColor(2);
    EXPECT_EQ(grid.BackColorSel(), 0xF1D8C9);
    EXPECT_EQ(grid.ForeColorSel(), 0x9C613B);
    EXPECT_EQ(grid.FocusRectColor(), 0x9C613B);
    EXPECT_EQ(grid.GridColor(), 0xEBEBEB);
    EXPECT_EQ(grid.BackColor(), static_cast<ColorValue>(0x80000005));
    EXPECT_LT(grid.ForeColor(), 0);  // a system colour reads negative

    grid.SetBackColorSel(0);
    EXPECT_EQ(grid.BackColorSel(), 0);
    platform::SettingsStore saved;
    grid.WriteProperties(saved);
    EXPECT_EQ(saved.ReadColor("BackColorSel", 1), 0u);

    LynxGrid reloaded;
    reloaded.ReadProperties(saved);
    EXPECT_EQ(reloaded.BackColorSel(), 0xF1D8C9);
    grid.SetThemeColor(2);
    EXPECT_EQ(grid.BackColorSel(), 0xF1D8C9);

    grid.SetThemeColor(9);  // no theme: nothing changes
    EXPECT_EQ(grid.BackColorSel(), 0xF1D8C9);
}
