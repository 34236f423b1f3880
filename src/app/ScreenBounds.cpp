#include "app/ScreenBounds.h"

#include <algorithm>

#include "store/StockRecord.h"

namespace {

const std::array<FilterField, ScreenFieldCount> Fields = {{
    {ScreenField::MarketCap, "MarketCap", "Market Cap", "$ millions", FieldSign::NotNegative,
     [](const StockRecord &r) { return r.MarketCap / 1000000; }},
    {ScreenField::Beta, "Beta", "Beta", "", FieldSign::Any,
     [](const StockRecord &r) { return r.Beta; }},
    {ScreenField::PE, "PE", "P/E", "", FieldSign::Any, [](const StockRecord &r) { return r.PE; }},
    {ScreenField::PB, "PB", "P/B", "", FieldSign::Any, [](const StockRecord &r) { return r.PB; }},
    {ScreenField::PS, "PS", "P/S", "", FieldSign::Any, [](const StockRecord &r) { return r.PS; }},
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
