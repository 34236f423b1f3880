#include "app/ScreenBounds.h"

#include <algorithm>

namespace {

// Field indices as StockRecord numbers them.
const std::array<FilterField, ScreenFieldCount> Fields = {{
    {ScreenField::MarketCap, "MarketCap", "Market Cap", "$M", FieldSign::NotNegative, 6, 1000000},
    {ScreenField::Beta, "Beta", "Beta", "", FieldSign::Any, 9, 1},
    {ScreenField::PE, "PE", "P/E", "", FieldSign::Any, 12, 1},
    {ScreenField::PB, "PB", "P/B", "", FieldSign::Any, 13, 1},
    {ScreenField::PS, "PS", "P/S", "", FieldSign::Any, 14, 1},
    {ScreenField::ChangePercent, "ChgPct", "Chg %", "", FieldSign::Any, NoRecordField, 1},
}};

}  // namespace

const std::array<FilterField, ScreenFieldCount> &FilterFields()
{
    return Fields;
}

const FilterField &FilterFieldOf(ScreenField field)
{
    return Fields[static_cast<size_t>(field)];
}

bool ScreenBounds::HasFieldBounds() const
{
    return std::any_of(Fields.begin(), Fields.end(), [](const FieldBound &b) { return b.IsSet(); });
}
