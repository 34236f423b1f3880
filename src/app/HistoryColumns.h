#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <vector>

#include "app/HistoryFacts.h"

// The texts of the "Chg %" and "Since" columns for the records of the stock table, worked out
// once per record and kept: the price search fills the grid again and again from one table and
// one set of facts, and two hash lookups per stock would cost the fill more than all its other
// columns together. A record whose symbol or price differs from what its kept texts were made
// for gets them made anew, so a replaced table never shows another stock's texts.
class HistoryColumns {
public:
    struct Texts {
        QString Change;  // "12.50", "-3.00"; empty when unknown
        QString Since;   // "2026-01-05"; empty when unknown
    };

    // New facts; every kept text is dropped.
    void SetFacts(HistoryFacts facts);
    const HistoryFacts &Facts() const { return facts; }
    // No facts: both columns are blank for every record.
    bool Empty() const { return facts.PreviousPrices.isEmpty() && facts.FirstSeen.isEmpty(); }

    // The texts of the record at `index` of the table (0 or above), amounts with that decimal
    // separator.
    const Texts &For(int index, const QString &symbol, double price, const QString &separator);

private:
    struct Row {
        QString Symbol;
        double Price = 0;
        bool Made = false;
        Texts Cells;
    };

    const QString &DayText(QDate day);

    HistoryFacts facts;
    std::vector<Row> rows;
    QString rowsSeparator;
    QHash<QDate, QString> days;  // most stocks share a few first days
};
