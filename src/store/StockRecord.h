#pragma once

#include <QString>

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

    // Text field 0..3; other indices are a programming error.
    QString &TextField(int index);
    const QString &TextField(int index) const;
    // Numeric field 4..18.
    double &NumberField(int index);
    double NumberField(int index) const;

    bool operator==(const StockRecord &) const = default;
};
