// The screen's pure core: reading the bound boxes, the one pass over the table, the result text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/BoundText.h"
#include "app/ListStatusText.h"
#include "app/StockScreen.h"
#include "store/StockTable.h"

namespace {

using BoundText::Problem;
using BoundText::Side;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(BoundText, ReadsNumbersInTheLocaleAndNamesWhatIsWrong)
{
    const QLocale c = QLocale::c();
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German);
    const struct {
        QLocale locale;
        const char *text;
        std::optional<double> value;
        Problem problem;
    } cases[] = {
        {c, "", {}, Problem::None},
        {c, "   ", {}, Problem::None},
        {c, " 2.5 ", 2.5, Problem::None},
        {c, "-1.5", -1.5, Problem::None},
        {c, "+3", 3.0, Problem::None},
        {c, "1e3", 1000.0, Problem::None},
        {de, "2,5", 2.5, Problem::None},
        {de, "2.5", 2.5, Problem::None},  // "." reads as a decimal point, as in the price boxes
        {de, "1.000", 1.0, Problem::None},
        {c, "abc", {}, Problem::NotANumber},
        {c, "1.2.3", {}, Problem::NotANumber},
        {c, "nan", {}, Problem::NotANumber},
        {c, "-inf", {}, Problem::NotANumber},
        {c, "$abc", {}, Problem::NotANumber},
        {us, "1,5", {}, Problem::NotANumber},
        {c, "1e400", {}, Problem::OutOfRange},
        {c, "-1e400", {}, Problem::OutOfRange},
        {c, "1e-400", {}, Problem::OutOfRange},
        {de, "1,5e400", {}, Problem::OutOfRange},
        {c, "1,500", {}, Problem::ThousandsSeparator},
        {us, "1,500.25", {}, Problem::ThousandsSeparator},
        {de, "1.000.000", {}, Problem::ThousandsSeparator},
        {c, "$5", {}, Problem::DollarSign},
        {c, " -$0.5", {}, Problem::DollarSign},
        {c, "$1,500", {}, Problem::DollarSign},
    };
    for (const auto &t : cases) {
        SCOPED_TRACE(t.text);
        const BoundText::Reading r = BoundText::Read(t.text, t.locale);
        EXPECT_EQ(r.Value, t.value);
        EXPECT_EQ(r.Trouble, t.problem);
    }

    // What a bound shows as reads back as the same number.
    for (const QLocale &locale : {c, us, de})
        for (const double v : {0.1, -2.5, 1e20, 123456.789, 1e-7, 25.0}) {
            const QString text = BoundText::Text(v, locale);
            EXPECT_FALSE(text.contains(QLatin1Char('e'))) << text.toStdString();
            EXPECT_EQ(BoundText::Read(text, locale).Value, v) << text.toStdString();
        }
    EXPECT_EQ(BoundText::Text(-0.0, c), "0");
    EXPECT_EQ(BoundText::Text(1500, us), "1500");
    EXPECT_EQ(BoundText::Text(2.5, de), "2,5");
}

BoundText::BoxesReading Boxes(
    std::initializer_list<std::pair<ScreenField, BoundText::BoxTexts>> set)
{
    std::array<BoundText::BoxTexts, ScreenFieldCount> texts;
    for (const auto &[field, boxes] : set) texts[static_cast<size_t>(field)] = boxes;
    return BoundText::ReadBoxes(texts, QLocale::c());
}

TEST(BoundText, TheFirstWrongBoxIsNamedWithItsText)
{
    const struct {
        std::initializer_list<std::pair<ScreenField, BoundText::BoxTexts>> boxes;
        ScreenField field;
        Side side;
        Problem problem;
        const char *message;
    } cases[] = {
        {{{ScreenField::PE, {"abc", ""}}},
         ScreenField::PE,
         Side::Min,
         Problem::NotANumber,
         "The Minimum P/E \"abc\" is not a number.\r\nPlease enter a number such as 10 or 2.5, "
         "or leave the box empty."},
        {{{ScreenField::MarketCap, {"", "1e400"}}},
         ScreenField::MarketCap,
         Side::Max,
         Problem::OutOfRange,
         "The Maximum Market Cap \"1e400\" is out of range."},
        {{{ScreenField::MarketCap, {"1,500", ""}}},
         ScreenField::MarketCap,
         Side::Min,
         Problem::ThousandsSeparator,
         "The Minimum Market Cap \"1,500\" has a thousands separator.\r\nPlease enter the number "
         "without it, as 1500."},
        {{{ScreenField::PS, {"", "$5"}}},
         ScreenField::PS,
         Side::Max,
         Problem::DollarSign,
         "The Maximum P/S \"$5\" has a \"$\" sign.\r\nPlease enter the number alone, as 5."},
        {{{ScreenField::MarketCap, {"-5", ""}}},
         ScreenField::MarketCap,
         Side::Min,
         Problem::Negative,
         "The Minimum Market Cap \"-5\" is below 0, which a Market Cap never is."},
        {{{ScreenField::Beta, {" 2 ", "1"}}},
         ScreenField::Beta,
         Side::Min,
         Problem::MinimumAboveMaximum,
         "The Minimum Beta \"2\" is above the Maximum Beta \"1\"."},
        // the area's order decides which of two wrong boxes is named
        {{{ScreenField::PS, {"x", ""}}, {ScreenField::Beta, {"", "nan"}}},
         ScreenField::Beta,
         Side::Max,
         Problem::NotANumber,
         "The Maximum Beta \"nan\" is not a number."},
    };
    for (const auto &t : cases) {
        SCOPED_TRACE(t.message);
        const BoundText::BoxesReading r = Boxes(t.boxes);
        ASSERT_TRUE(r.Trouble);
        EXPECT_EQ(r.Trouble->Field, t.field);
        EXPECT_EQ(r.Trouble->Box, t.side);
        EXPECT_EQ(r.Trouble->Trouble, t.problem);
        EXPECT_TRUE(r.Trouble->Message.startsWith(QString::fromUtf8(t.message)))
            << r.Trouble->Message.toStdString();
    }

    const BoundText::BoxesReading good = Boxes({{ScreenField::Beta, {"-1", "-0.5"}},
                                                {ScreenField::PE, {"10", "10"}},
                                                {ScreenField::MarketCap, {"0", ""}}});
    EXPECT_FALSE(good.Trouble);
    ScreenBounds expected;
    expected[ScreenField::Beta] = {-1.0, -0.5};
    expected[ScreenField::PE] = {10.0, 10.0};
    expected[ScreenField::MarketCap] = {0.0, std::nullopt};
    EXPECT_EQ(good.Fields, expected.Fields);
}

StockRecord Stock(const char *symbol, double price, double capMillions, double beta, double pe,
                  double pb, double ps)
{
    StockRecord r;
    r.Symbol = QString::fromLatin1(symbol);
    r.Price = price;
    r.MarketCap = capMillions * 1000000;
    r.Beta = beta;
    r.PE = pe;
    r.PB = pb;
    r.PS = ps;
    return r;
}

QStringList Shown(const StockTable &table)
{
    QStringList symbols;
    for (const StockRecord &r : table)
        if (r.Show)
            symbols << r.Symbol;
    return symbols;
}

TEST(StockScreen, OnePassAppliesEveryBoundTheZeroRuleAndTheSymbolSet)
{
    StockTable table;
    //                         price  cap    beta  pe    pb   ps
    table.Assign({Stock("A", 0.50, 12.5, 1.2, 15, 0.8, 2.0),
                  Stock("B", 1.00, 250, 0.0, 30, 1.5, 0.5),  // no beta shown
                  Stock("C", 1.50, 0, -0.4, 8, 2.5, 1.0),    // no market cap shown
                  Stock("D", 2.00, 40, 2.1, 0, 0, 0),        // no ratios shown
                  Stock("E", 4.00, 5, 0.9, -3, 0.4, NaN)});
    const auto bounds = [](std::initializer_list<std::pair<ScreenField, FieldBound>> set,
                           double min = 0, double max = 5) {
        ScreenBounds b;
        b.PriceMin = min;
        b.PriceMax = max;
        for (const auto &[field, bound] : set) b[field] = bound;
        return b;
    };
    using F = ScreenField;
    const struct {
        const char *what;
        ScreenBounds bounds;
        QStringList listed;
        int missing;
    } cases[] = {
        {"price only", bounds({}, 0.5, 1.5), {"A", "B", "C"}, 0},
        {"price only, min above max", bounds({}, 2, 1), {}, 0},
        {"cap band", bounds({{F::MarketCap, {10.0, 100.0}}}), {"A", "D"}, 1},
        {"cap band ends inclusive", bounds({{F::MarketCap, {12.5, 40.0}}}), {"A", "D"}, 1},
        {"cap maximum only: zero is missing", bounds({{F::MarketCap, {{}, 20.0}}}), {"A", "E"}, 1},
        {"cap minimum 0 keeps the zero", bounds({{F::MarketCap, {0.0, 20.0}}}), {"A", "C", "E"}, 0},
        {"beta minimum only", bounds({{F::Beta, {1.0, {}}}}), {"A", "D"}, 1},
        {"beta below 0 keeps the zero, which lies outside",
         bounds({{F::Beta, {-1.0, -0.1}}}),
         {"C"},
         0},
        {"beta minimum 0 lists a beta of 0", bounds({{F::Beta, {0.0, 0.0}}}), {"B"}, 0},
        {"pe band", bounds({{F::PE, {10.0, 25.0}}}), {"A"}, 1},
        {"pe negative", bounds({{F::PE, {-5.0, -1.0}}}), {"E"}, 0},
        {"pb", bounds({{F::PB, {{}, 1.0}}}), {"A", "E"}, 1},
        {"ps: NaN is missing too", bounds({{F::PS, {{}, 1.0}}}), {"B", "C"}, 2},
        {"all together",
         bounds({{F::MarketCap, {1.0, 300.0}},
                 {F::Beta, {0.5, 2.0}},
                 {F::PE, {10.0, 40.0}},
                 {F::PB, {0.5, 2.0}},
                 {F::PS, {0.1, 3.0}}}),
         {"A"},
         1},  // B lacks only its beta; C fails its beta, D its beta, E its P/E
        {"all together within a price range",
         bounds({{F::PE, {1.0, {}}}, {F::PB, {{}, 10.0}}}, 1, 2),
         {"B", "C"},
         1},
    };
    for (const auto &t : cases) {
        SCOPED_TRACE(t.what);
        for (StockRecord &r : table) r.Show = true;
        const StockScreen::Outcome outcome = StockScreen::Apply(table, t.bounds);
        EXPECT_EQ(Shown(table), t.listed);
        EXPECT_EQ(outcome.Listed, t.listed.size());
        EXPECT_EQ(outcome.LeftOutMissing, t.missing);
    }

    // "New only": a symbol set limits every other filter, and the missing count with it.
    const QString b = QStringLiteral("B"), c = QStringLiteral("C");
    const StockScreen::SymbolSet newcomers = {b, c};
    const StockScreen::Outcome outcome =
        StockScreen::Apply(table, bounds({{F::Beta, {{}, 1.0}}}), &newcomers);
    EXPECT_EQ(Shown(table), QStringList({"C"}));
    EXPECT_EQ(outcome.LeftOutMissing, 1);
}

TEST(StockScreen, TheResultTextNamesTheActiveFilters)
{
    const auto with = [](std::initializer_list<std::pair<ScreenField, FieldBound>> set) {
        ScreenBounds b;
        b.PriceMin = 0.5;
        b.PriceMax = 1.5;
        for (const auto &[field, bound] : set) b[field] = bound;
        return b;
    };
    using F = ScreenField;
    using StockScreen::NewOnly;
    const struct {
        ScreenBounds bounds;
        NewOnly newOnly;
        QLocale locale;
        const char *text;
    } cases[] = {
        {with({}), NewOnly::No, QLocale::c(), "$0.50-$1.50"},
        {with({{F::PE, {10.0, 25.0}}}), NewOnly::No, QLocale::c(), "$0.50-$1.50, P/E 10-25"},
        {with({{F::PS, {{}, 2.5}}, {F::MarketCap, {5.0, 250.0}}, {F::Beta, {-1.0, 0.5}}}),
         NewOnly::Yes, QLocale::c(),
         "$0.50-$1.50, Market Cap $5M-$250M, Beta -1 to 0.5, P/S at most 2.5, new only"},
        {with({{F::PB, {0.75, {}}}}), NewOnly::No, QLocale(QLocale::German),
         "$0,50-$1,50, P/B at least 0,75"},
    };
    for (const auto &t : cases)
        EXPECT_EQ(StockScreen::DescribeFilters(t.bounds, t.newOnly, t.locale), t.text);
}

TEST(StockScreen, TheLineUnderTheGridNamesTheScreen)
{
    ScreenBounds pe;
    pe.PriceMin = 0.5;
    pe.PriceMax = 1.5;
    pe[ScreenField::PE] = {10.0, 25.0};
    ScreenBounds backwards = pe;
    backwards.PriceMin = 2;
    const ScreenBounds plain = ScreenBounds{0.5, 1.5, {}};
    const auto query = [](const ScreenBounds &b, int missing, int data = 9, bool newOnly = false) {
        PriceSearchQuery q{b.PriceMin, b.PriceMax, newOnly, data};
        q.Screen = &b;
        q.LeftOutMissing = missing;
        return q;
    };
    const struct {
        int listed;
        PriceSearchQuery query;
        const char *text;
    } cases[] = {
        {1204, query(pe, 0), "1,204 stocks: $0.50-$1.50, P/E 10-25"},
        {1, query(pe, 312),
         "1 stock: $0.50-$1.50, P/E 10-25 \u00B7 312 left out for a missing value"},
        {0, query(pe, 0), "No stock matches $0.50-$1.50, P/E 10-25."},
        {0, query(pe, 3, 9, true),
         "No stock matches $0.50-$1.50, P/E 10-25, new only \u00B7 3 left out for a missing "
         "value."},
        // the plain search and the reasons of its own keep their lines
        {7, query(plain, 0), "7 stocks"},
        {0, query(backwards, 0),
         "No stock between $2.00 and $1.50: the minimum is above the maximum."},
        {0, query(pe, 0, 0), "No stock data yet: update it on the \"Data Updates\" tab."},
    };
    for (const auto &t : cases)
        EXPECT_EQ(ListStatusText::Text(t.listed, t.query, QLocale::c()), QString::fromUtf8(t.text));
}

}  // namespace
