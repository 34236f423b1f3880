#include "app/StockColumns.h"

#include "app/PriceText.h"
#include "grid/LynxGrid.h"
#include "platform/ControlError.h"
#include "store/StockRecord.h"

namespace StockColumns {

namespace {

class Amounts final : public CellNumberFormat {
public:
    explicit Amounts(const QString &separator) : separator(separator) {}
    QString Text(double value) const override { return PriceText::FormatAmount(value, separator); }
    // The text reads back as its hundredths where the sort takes the separator for the decimal
    // point: "." always is one, and any other is replaced by "." before the text is read.
    std::optional<double> SortValue(double value, QChar decimalPoint) const override
    {
        if (separator == QLatin1String(".") ||
            (separator.size() == 1 && separator[0] == decimalPoint))
            return PriceText::AmountValue(value);
        return std::nullopt;
    }

private:
    const QString separator;
};

constexpr Column Table[] = {
    {"Symbol", 100, 4, TypeText},   {"Company", 280, 4, TypeText},     {"Price", 80, 6, TypeNumber},
    {"Industry", 200, 4, TypeText}, {"Market Cap", 70, 6, TypeNumber}, {"Beta", 70, 6, TypeNumber},
    {"PE", 70, 6, TypeNumber},      {"P/B", 70, 6, TypeNumber},        {"P/S", 70, 6, TypeNumber},
    {"Chg %", 70, 6, TypeNumber},   {"Since", 80, 4, TypeDate},
};

}  // namespace

std::span<const Column> All()
{
    return Table;
}

std::span<const Column> RecordOnly()
{
    return std::span<const Column>(Table).first(RecordColumns);
}

void AddTo(LynxGrid &grid, std::span<const Column> columns)
{
    for (const Column &c : columns)
        grid.AddColumn(QString::fromLatin1(c.Caption), c.Width, c.Alignment, c.DataType);
}

std::shared_ptr<const CellNumberFormat> AmountFormat(const QString &decimalSeparator)
{
    return std::make_shared<const Amounts>(decimalSeparator);
}

void FillRecordCells(LynxGrid &grid, int row, const StockRecord &record,
                     const std::shared_ptr<const CellNumberFormat> &amounts)
{
    const auto text = [&](int col, const QString &value) {
        platform::IgnoringControlErrors([&] { grid.SetCellText(row, col, value); });
    };
    const auto number = [&](int col, double value) {
        platform::IgnoringControlErrors([&] { grid.SetCellNumber(row, col, value, amounts); });
    };
    text(Company, record.Company);
    number(Price, record.Price);
    text(Industry, record.Industry);
    number(MarketCap, record.MarketCap / 1000000);
    number(Beta, record.Beta);
    number(PE, record.PE);
    number(PB, record.PB);
    number(PS, record.PS);
}

}  // namespace StockColumns
