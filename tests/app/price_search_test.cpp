#include "MainWindowTestSupport.h"
#include "app/PriceText.h"

#include <charconv>
#include <cmath>
#include <iomanip>
#include <random>
#include <string>
#include <vector>

using namespace mainwindowtest;

namespace {

StockRecord Record(const QString &symbol, double price, double marketCap = 0, double beta = 0,
                   double pe = 0, double pb = 0, double ps = 0)
{
    StockRecord r;
    r.Symbol = symbol;
    r.Company = symbol + " Corp";
    r.Industry = "Gold";
    r.Text3 = "X";
    r.Price = price;
    r.MarketCap = marketCap;
    r.Beta = beta;
    r.PE = pe;
    r.PB = pb;
    r.PS = ps;
    return r;
}

void Fill(const std::vector<StockRecord> &records)
{
    Stocks().Assign(records);
}

}  // namespace

TEST(PriceText, AmountsRoundFromTheExactValueHalvesAwayFromZero)
{
    const QLocale c = QLocale::c();
    const struct {
        double value;
        const char *text;
    } cases[] = {
        {0, "0.00"},
        {1.005, "1.00"},  // the stored double lies below 1.005
        {1.0050000000000001, "1.01"},
        {2.675, "2.67"},  // below as well
        {0.125, "0.13"},  // an exact half
        {0.375, "0.38"},
        {-0.125, "-0.13"},
        {9.995, "9.99"},
        {99.9951, "100.00"},
        {0.999375, "1.00"},
        {1234.5, "1234.50"},
        {-3.456, "-3.46"},
        {-0.004, "0.00"},  // rounds to zero: no sign
        {-0.005, "-0.01"},
        {0.35, "0.35"},
        {1e15 + 0.125, "1000000000000000.13"},
        {123456789.0, "123456789.00"},
        {std::numeric_limits<double>::quiet_NaN(), "0.00"},
        {std::numeric_limits<double>::infinity(), "0.00"},
    };
    for (const auto &t : cases) EXPECT_EQ(PriceText::FormatAmount(t.value, c), t.text) << t.value;
    EXPECT_EQ(PriceText::FormatAmount(-1234.5651, QLocale(QLocale::German)), "-1234,57");
    EXPECT_EQ(PriceText::FormatAmount(0.5, QLocale(QLocale::French)), "0,50");
}

// The exact value's two-decimal rounding as the general decimal conversion gives it, with the
// amount's sign rule; for values that are no exact half.
static std::string ExactTwoDecimals(double value)
{
    char digits[400];
    const char *end =
        std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::fixed, 2)
            .ptr;
    const std::string text(digits, static_cast<std::size_t>(end - digits));
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + text;
}

TEST(PriceText, AmountsNextToAHalfRoundAsTheirExactValue)
{
    // The neighbours of every half hundredth (and of whole hundredths) at several magnitudes,
    // then values spread over every magnitude: the quick rounding must never differ from the
    // exact one, at its limit (2^33 hundredths) neither.
    std::vector<double> values;
    for (const double scale : {1.0, 1000.0, 123457.0, 85899345.0, 85899346.0, 1e9})
        for (int k = 0; k < 4000; ++k)
            for (const double at : {(k + 0.5) / 100, k / 100.0}) {
                const double v = at + scale;
                values.insert(values.end(),
                              {std::nextafter(v, 0.0), v,
                               std::nextafter(v, std::numeric_limits<double>::max())});
            }
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i)
        values.push_back(std::ldexp(std::uniform_real_distribution<double>(0.5, 1)(random),
                                    static_cast<int>(random() % 60) - 20));
    const QLocale c = QLocale::c();
    int compared = 0;
    for (const double magnitude : values)
        for (const double v : {magnitude, -magnitude}) {
            const double eighths = std::fabs(v) * 8;
            if (eighths == std::floor(eighths) && std::fmod(eighths, 2) == 1)
                continue;  // an exact half rounds away from zero, covered above
            ++compared;
            ASSERT_EQ(PriceText::FormatAmount(v, c).toStdString(), ExactTwoDecimals(v))
                << std::setprecision(17) << v;
        }
    EXPECT_GT(compared, 100000);
}

TEST(PriceText, RatesReadInTheLocaleOrWithAPoint)
{
    const QLocale de(QLocale::German);
    const struct {
        QLocale locale;
        const char *text;
        std::optional<double> rate;
    } cases[] = {
        {QLocale::c(), "1.25", 1.25}, {QLocale::c(), " 0.5 ", 0.5}, {QLocale::c(), "5", 5.0},
        {de, "1,25", 1.25},           {de, "1.25", 1.25},           {de, "0.00", 0.0},
        {QLocale::c(), "abc", {}},    {QLocale::c(), "", {}},       {QLocale::c(), "1.2.3", {}},
        {QLocale::c(), "inf", {}},    {QLocale::c(), "$1", {}},     {QLocale::c(), "1e400", {}},
    };
    for (const auto &t : cases) EXPECT_EQ(PriceText::ParseRate(t.text, t.locale), t.rate) << t.text;
}

TEST_F(MainWindow, SearchListsTheRangeInTableOrderWithFormattedCells)
{
    const struct {
        const char *min;
        const char *max;
        const char *shownMin;
        const char *shownMax;
        QStringList symbols;
    } cases[] = {
        {"", "", "0.00", "0.00", {"ZERO"}},
        {"0.5", "1", "0.5", "1", {"HALF", "ONE", "FIRST"}},
        {"1.00", "", "1.00", "0.00", {}},
        {"2", "1", "2", "1", {}},
        {"0", "5", "0", "5", {"ZERO", "HALF", "ONE", "ODD", "FIRST"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.min) + ".." + c.max);
        Stocks().Clear();
        Open();
        // The first record is listed like every other; rows follow the table, not the price;
        // 1.005 lies above the maximum 1.
        Fill({Record("FIRST", 0.75), Record("ZERO", 0), Record("HALF", 0.5), Record("ONE", 1),
              Record("ODD", 1.005)});
        Ui().txtMinRate->setText(c.min);
        Ui().txtMaxRate->setText(c.max);
        Click(Ui().cmdSearchStock);
        EXPECT_EQ(Ui().txtMinRate->text(), c.shownMin);
        EXPECT_EQ(Ui().txtMaxRate->text(), c.shownMax);
        QStringList listed;
        for (int r = 0; r < Grid().ItemCount(); ++r) listed << Grid().CellText(r, 0);
        QStringList expected;
        for (const StockRecord &r : Stocks())
            if (c.symbols.contains(r.Symbol))
                expected << r.Symbol;
        EXPECT_EQ(listed, expected);
        for (const StockRecord &r : Stocks())
            EXPECT_EQ(r.Show, c.symbols.contains(r.Symbol)) << r.Symbol.toStdString();
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(MainWindow, GridCellsShowTheRecordAsText)
{
    QLocale::setDefault(QLocale::c());
    Open();
    Fill({Record("ABCD", 0.35, 1234500000, 0, -3.456, 1.005, 12.5),
          Record("EFG", 4.999, 999, 1.2, 0, 0.125, -0.001)});
    Stocks()[0].Company = "Acme & Sons Mining";
    Ui().txtMinRate->setText("0");
    Ui().txtMaxRate->setText("5");
    window->SearchStocks();
    ASSERT_EQ(Grid().ItemCount(), 2);
    EXPECT_EQ(GridRow(0), QStringList({"ABCD", "Acme & Sons Mining", "0.35", "Gold", "1234.50",
                                       "0.00", "-3.46", "1.00", "12.50", "", ""}));
    EXPECT_EQ(GridRow(1), QStringList({"EFG", "EFG Corp", "5.00", "Gold", "0.00", "1.20", "0.00",
                                       "0.13", "0.00", "", ""}));

    // the decimal separator follows the locale
    QLocale::setDefault(QLocale(QLocale::German));
    window->SearchStocks();
    EXPECT_EQ(Grid().CellText(0, 4), "1234,50");
    QLocale::setDefault(QLocale::c());
}

TEST_F(MainWindow, SecondSearchStartsFromAnEmptyGrid)
{
    Open();
    Fill({Record("A", 1), Record("B", 2)});
    Ui().txtMinRate->setText("0");
    Ui().txtMaxRate->setText("5");
    window->SearchStocks();
    Grid().AddItem("EXTRA");
    Grid().RemoveItem(0);
    window->SearchStocks();
    ASSERT_EQ(Grid().ItemCount(), 2);
    EXPECT_EQ(Grid().CellText(0, 0), "A");
    EXPECT_EQ(Grid().CellText(1, 0), "B");
}

TEST_F(MainWindow, TextThatIsNoNumberSearchesNothing)
{
    const struct {
        const char *min;
        const char *max;
        const char *named;
    } cases[] = {{"abc", "5", "Minimum Rate \"abc\""},
                 {"0", "five", "Maximum Rate \"five\""},
                 {"1.2.3", "x", "Minimum Rate \"1.2.3\""}};
    for (const auto &c : cases) {
        Open();
        Fill({Record("A", 1)});
        Ui().txtMinRate->setText("0");
        Ui().txtMaxRate->setText("5");
        window->SearchStocks();
        ASSERT_EQ(Grid().ItemCount(), 1);
        messages.clear();
        Ui().txtMinRate->setText(c.min);
        Ui().txtMaxRate->setText(c.max);
        window->SearchStocks();
        ASSERT_EQ(messages.size(), 1u) << c.named;
        EXPECT_TRUE(messages[0].text.contains(c.named)) << messages[0].text.toStdString();
        EXPECT_EQ(messages[0].caption, "Zentrin");
        EXPECT_EQ(Grid().ItemCount(), 1) << "the last list stays";
        EXPECT_TRUE(Stocks()[0].Show);
    }
}
