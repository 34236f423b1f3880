#pragma once

#include <QString>
#include <array>
#include <optional>

// The numbers a screen can bound besides the price, in the order the "More filters" area shows
// them. A new field is one enumerator here and one row in FilterFields.
enum class ScreenField { MarketCap, Beta, PE, PB, PS, ChangePercent };
inline constexpr int ScreenFieldCount = 6;

// What a field's value must be for a bound on it to make sense.
enum class FieldSign { Any, NotNegative };

// A field that no record holds: its value comes from the price history.
inline constexpr int NoRecordField = -1;

struct FilterField {
    ScreenField Field;
    const char *Key;    // in screens.ini: "Min" / "Max" + Key
    const char *Label;  // beside its boxes, in messages and in the result line
    const char *Unit;   // beside the label in the area; empty for a plain ratio
    FieldSign Sign;
    int RecordField;  // the StockRecord number it bounds; NoRecordField: the price history's
    double Divisor;   // from the record's value to the grid's (market cap in millions)
};

// One row per ScreenField, in enumerator order.
const std::array<FilterField, ScreenFieldCount> &FilterFields();
const FilterField &FilterFieldOf(ScreenField field);

// A minimum and a maximum, each optional: an empty box is no bound.
struct FieldBound {
    std::optional<double> Min;
    std::optional<double> Max;

    bool IsSet() const { return Min || Max; }
    bool operator==(const FieldBound &) const = default;
};

// Everything a search filters by: the price range, which is always there (the price boxes fill
// in 0.00 when empty), and a bound per field.
struct ScreenBounds {
    double PriceMin = 0;
    double PriceMax = 0;
    std::array<FieldBound, ScreenFieldCount> Fields{};

    FieldBound &operator[](ScreenField field) { return Fields[static_cast<size_t>(field)]; }
    const FieldBound &operator[](ScreenField field) const
    {
        return Fields[static_cast<size_t>(field)];
    }
    // True when a field other than the price is bounded.
    bool HasFieldBounds() const;
    bool operator==(const ScreenBounds &) const = default;
};
