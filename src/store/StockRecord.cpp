#include "store/StockRecord.h"

#include <cassert>

QString &StockRecord::TextField(int index)
{
    assert(index >= 0 && index < TextFieldCount);
    QString *fields[TextFieldCount] = {&Symbol, &Company, &Industry, &Text3};
    return *fields[index];
}

const QString &StockRecord::TextField(int index) const
{
    return const_cast<StockRecord *>(this)->TextField(index);
}

double &StockRecord::NumberField(int index)
{
    assert(index >= TextFieldCount && index < FieldCount);
    // The fifteen doubles are declared consecutively from Price on.
    static_assert(offsetof(StockRecord, Value18) - offsetof(StockRecord, Price) ==
                  14 * sizeof(double));
    return (&Price)[index - TextFieldCount];
}

double StockRecord::NumberField(int index) const
{
    return const_cast<StockRecord *>(this)->NumberField(index);
}
