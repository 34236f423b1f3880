#pragma once

#include <QString>

#include <cassert>
#include <cstddef>

// One stock as the screener lists it: four texts and fifteen numbers in the screener's column
// order (the field index used by the database file and the result-page parser), plus the flag
// the price search sets.
struct StockRecord {
    static constexpr int FieldCount = 19;
    static constexpr int TextFieldCount = 4;

    QString Symbol;    // 0, exactly as cut from the page
    QString Company;   // 1, re-cased at import
    QString Industry;  // 2
    QString Text3;     // 3, kept and saved, never shown
    double Price = 0;  // 4
    double Value5 = 0;
    double MarketCap = 0;  // 6, in dollars
    double Value7 = 0;
    double Value8 = 0;
    double Beta = 0;  // 9
    double Value10 = 0;
    double Value11 = 0;
    double PE = 0;  // 12
    double PB = 0;  // 13
    double PS = 0;  // 14
    double Value15 = 0;
    double Value16 = 0;
    double Value17 = 0;
    double Value18 = 0;
    bool Show = false;  // set by the last price search; never saved

    // Text field 0..3; other indices are a programming error. Inline: the load and the save
    // reach every field of every record through these.
    QString &TextField(int index)
    {
        assert(index >= 0 && index < TextFieldCount);
        QString *fields[TextFieldCount] = {&Symbol, &Company, &Industry, &Text3};
        return *fields[index];
    }
    const QString &TextField(int index) const
    {
        return const_cast<StockRecord *>(this)->TextField(index);
    }
    // Numeric field 4..18.
    double &NumberField(int index)
    {
        assert(index >= TextFieldCount && index < FieldCount);
        return (&Price)[index - TextFieldCount];
    }
    double NumberField(int index) const
    {
        return const_cast<StockRecord *>(this)->NumberField(index);
    }

    bool operator==(const StockRecord &) const = default;
};

// The fifteen doubles are declared consecutively from Price on.
static_assert(offsetof(StockRecord, Value18) - offsetof(StockRecord, Price) == 14 * sizeof(double));
