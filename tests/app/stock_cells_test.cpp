#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "app/PriceText.h"
#include "app/StockColumns.h"
#include "grid/LynxGrid.h"
#include "platform/LeadingNumber.h"
#include "store/StockRecord.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// Amounts whose rounding or sign is easy to get wrong (halves, values just off them, zeros),
// amounts past the quick rounding, and values no finite text stands for.
const std::vector<double> &Values()
{
    static const std::vector<double> values = {
        0.0,   -0.0,   0.004,    -0.004,   0.005,       -0.005,       0.125,        -0.125,
        1.005, 2.675,  0.995,    9.995,    -9.995,      99.994999,    12.345,       1234.5,
        0.3,   1e-9,   3.0,      -3.0,     2.999,       85899345.915, 85899345.925, 92233720368.545,
        1.5e9, 2.5e12, -2.5e15,  1e300,    -1.7e308,    5e-324,       NaN,          Inf,
        -Inf,  42.42,  -1234.56, 0.994999, 1000000.005, 7.1,
    };
    return values;
}

int Rows()
{
    return static_cast<int>(Values().size()) * 2;
}

// Row k of a table that puts every value in every number column, with repeated company and
// industry texts so that sorts meet equal keys.
StockRecord RecordOf(int k)
{
    const auto &v = Values();
    const auto at = [&](int shift) { return v[static_cast<std::size_t>(k + shift) % v.size()]; };
    StockRecord r;
    r.Symbol = QStringLiteral("S%1").arg(k, 3, 10, QLatin1Char('0'));
    r.Company = k % 3 ? QStringLiteral("Acme") : QStringLiteral("Bolt");
    r.Industry = k % 4 ? QStringLiteral("Gold") : QStringLiteral("Oil");
    r.Price = at(0);
    r.MarketCap = at(5) * 1000000;
    r.Beta = at(11);
    r.PE = at(17);
    r.PB = at(23);
    r.PS = at(29);
    return r;
}

// The main window's fill as it was: every cell from a text made at fill.
void FillFromTexts(LynxGrid &grid, const QString &separator)
{
    const auto amount = [&](double value) { return PriceText::FormatAmount(value, separator); };
    for (int k = 0; k < Rows(); ++k) {
        const StockRecord r = RecordOf(k);
        const int row = grid.AddItem(r.Symbol);
        grid.SetCellText(row, 1, r.Company);
        grid.SetCellText(row, 2, amount(r.Price));
        grid.SetCellText(row, 3, r.Industry);
        grid.SetCellText(row, 4, amount(r.MarketCap / 1000000));
        grid.SetCellText(row, 5, amount(r.Beta));
        grid.SetCellText(row, 6, amount(r.PE));
        grid.SetCellText(row, 7, amount(r.PB));
        grid.SetCellText(row, 8, amount(r.PS));
    }
}

void FillFromNumbers(LynxGrid &grid, const QString &separator)
{
    const auto amounts = StockColumns::AmountFormat(separator);
    for (int k = 0; k < Rows(); ++k) {
        const StockRecord r = RecordOf(k);
        StockColumns::FillRecordCells(grid, grid.AddItem(r.Symbol), r, amounts);
    }
}

std::vector<QString> Texts(const LynxGrid &grid, int col)
{
    std::vector<QString> texts;
    for (int r = 0; r < grid.ItemCount(); ++r) texts.push_back(grid.CellText(r, col));
    return texts;
}

struct Notation {
    const char *Separator;         // the fill's decimal separator
    QLocale::Language GridLocale;  // whose decimal point the sorts read
};

class StockNumberCells : public ::testing::TestWithParam<Notation> {
protected:
    void SetUp() override
    {
        const QString separator = QString::fromLatin1(GetParam().Separator);
        for (LynxGrid *grid : {&fromTexts, &fromNumbers}) {
            grid->setLocale(QLocale(GetParam().GridLocale));
            grid->SetRedraw(false);
            StockColumns::AddTo(*grid, StockColumns::RecordOnly());
        }
        FillFromTexts(fromTexts, separator);
        FillFromNumbers(fromNumbers, separator);
    }

    LynxGrid fromTexts;
    LynxGrid fromNumbers;
};

TEST_P(StockNumberCells, ReadSortAndSearchAsTheTextsTheFillMadeBefore)
{
    for (int col = 0; col < StockColumns::RecordColumns; ++col)
        ASSERT_EQ(Texts(fromNumbers, col), Texts(fromTexts, col)) << "column " << col;

    // Each sort starts from the order the one before left, so equal keys compare the orders the
    // earlier sorts made too.
    for (int col = 0; col < StockColumns::RecordColumns; ++col) {
        for (const int direction : {1, 0}) {
            fromTexts.Sort(col, direction);
            fromNumbers.Sort(col, direction);
            ASSERT_EQ(Texts(fromNumbers, 0), Texts(fromTexts, 0))
                << "column " << col << " direction " << direction;
        }
    }
    for (const int sub : {StockColumns::Price, StockColumns::PS}) {
        fromTexts.Sort(StockColumns::Industry, 1, sub, 0);
        fromNumbers.Sort(StockColumns::Industry, 1, sub, 0);
        ASSERT_EQ(Texts(fromNumbers, 0), Texts(fromTexts, 0)) << "sub-sort " << sub;
    }

    for (int col = StockColumns::Price; col < StockColumns::RecordColumns; ++col) {
        for (const QString &text : Texts(fromTexts, col)) {
            for (const int mode : {lynx::GridItemSearch::Equal, lynx::GridItemSearch::StartsWith}) {
                ASSERT_EQ(fromNumbers.FindItem(text, col, mode),
                          fromTexts.FindItem(text, col, mode))
                    << qPrintable(text) << " in column " << col;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Notations, StockNumberCells,
                         ::testing::Values(Notation{".", QLocale::English},
                                           Notation{".", QLocale::German},
                                           Notation{",", QLocale::German},
                                           Notation{",", QLocale::English}));

TEST(StockNumberCells, ACellSetFromTextLaterIsATextCellAgain)
{
    LynxGrid grid;
    grid.SetRedraw(false);
    StockColumns::AddTo(grid, StockColumns::RecordOnly());
    FillFromNumbers(grid, QStringLiteral("."));
    grid.SetCellText(0, StockColumns::Price, QStringLiteral("n/a"));
    EXPECT_EQ(grid.CellText(0, StockColumns::Price), QStringLiteral("n/a"));
    EXPECT_EQ(grid.CellText(1, StockColumns::Price),
              PriceText::FormatAmount(RecordOf(1).Price, QStringLiteral(".")));
}

// A number sort reads the amount's value without making its text: it must be the number the
// text reads as, for the table above and for amounts all over the quick rounding's range.
TEST(AmountValue, IsTheNumberTheAmountTextReadsAs)
{
    std::vector<double> values = Values();
    std::mt19937_64 random(32767);
    std::uniform_real_distribution<double> exponent(-4, 8);
    for (int i = 0; i < 20000; ++i) {
        const double magnitude = std::pow(10.0, exponent(random));
        values.push_back(i % 2 ? -magnitude : magnitude);
        // whole numbers of hundredths and halves of them, the ties and near-ties
        values.push_back(std::round(magnitude * 100) / 100 + (i % 3 == 0 ? 0.005 : 0));
    }
    int quick = 0;
    for (const double v : values) {
        const std::optional<double> value = PriceText::AmountValue(v);
        if (!value)
            continue;
        ++quick;
        const QString text = PriceText::FormatAmount(v, QStringLiteral("."));
        ASSERT_EQ(*value, platform::ParseLeadingNumber(text)) << qPrintable(text);
    }
    EXPECT_GT(quick, 20000);
}

}  // namespace
