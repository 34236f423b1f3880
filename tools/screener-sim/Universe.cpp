#include "screener-sim/Universe.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cstdint>

namespace screener_sim {

const std::array<const char *, ColumnCount> ColumnCaptions = {
    "Symbol", "Company", "Industry",  "Exchange", "Price",    "Change", "Market Cap",
    "Volume", "Avg Vol", "Beta",      "52W High", "52W Low",  "P/E",    "P/B",
    "P/S",    "EPS",     "Div Yield", "ROE",      "More Info"};

namespace {

// Small, fully specified generator, so every platform makes the same universe.
class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}
    uint64_t Next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in lo..hi inclusive.
    int Between(int lo, int hi)
    {
        return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
    }
    bool OneIn(int n) { return Next() % static_cast<uint64_t>(n) == 0; }
    template <size_t N>
    const char *Pick(const std::array<const char *, N> &list)
    {
        return list[Next() % N];
    }

private:
    uint64_t state;
};

const std::array<const char *, 48> firstWords = {
    "ACME",     "ALPINE",  "AMERICAN", "APEX",     "ATLAS",   "AURORA",   "BEACON",   "BLUE RIDGE",
    "BRIGHTON", "CANYON",  "CASCADE",  "CENTURY",  "COASTAL", "COLUMBIA", "CREST",    "DELTA",
    "DIAMOND",  "EAGLE",   "EMPIRE",   "FRONTIER", "GALAXY",  "GOLDEN",   "GRANITE",  "HARBOR",
    "HERITAGE", "HORIZON", "IRONWOOD", "KEYSTONE", "LIBERTY", "MAPLE",    "MERIDIAN", "MONARCH",
    "NORTHERN", "OMEGA",   "PACIFIC",  "PINNACLE", "PIONEER", "QUANTUM",  "REGAL",    "SIERRA",
    "SILVER",   "SUMMIT",  "SUNRISE",  "TITAN",    "UNITED",  "VANGUARD", "VISTA",    "ZENITH"};
const std::array<const char *, 24> secondWords = {
    "ENERGY",   "MINING",   "BIOSCIENCES", "TECHNOLOGIES", "RESOURCES", "GOLD",
    "PHARMA",   "NETWORKS", "BANCORP",     "MEDICAL",      "SYSTEMS",   "OIL & GAS",
    "SHIPPING", "FOODS",    "WIRELESS",    "SOLAR",        "METALS",    "THERAPEUTICS",
    "MOTORS",   "SOFTWARE", "URANIUM",     "DIAGNOSTICS",  "AIRWAYS",   "FINANCIAL"};
const std::array<const char *, 10> suffixes = {"INC", "CORP",     "LTD",  "CO",   "GROUP",
                                               "PLC", "HOLDINGS", "INC.", "N.V.", "CORP."};
const std::array<const char *, 6> odd = {"O'NEIL-SMITH", "D'ARCY",   "MCDONALD'S",
                                         "ST. JOHN'S",   "TRI-STAR", "X-CAL"};
const std::array<const char *, 18> industries = {"Gold",
                                                 "Silver",
                                                 "Biotechnology",
                                                 "Oil & Gas Drilling",
                                                 "Regional Banks",
                                                 "Software",
                                                 "Medical Devices",
                                                 "Shipping",
                                                 "Semiconductors",
                                                 "REIT - Residential",
                                                 "Coal",
                                                 "Uranium",
                                                 "Airlines",
                                                 "Restaurants",
                                                 "Auto Parts",
                                                 "Telecom Services",
                                                 "Specialty Retail",
                                                 "Internet Information Providers"};
const std::array<const char *, 5> exchanges = {"NASDAQ", "NYSE", "AMEX", "OTC BB", "PINK"};

QString Fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString Grouped(double value, int decimals)
{
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    return us.toString(value, 'f', decimals);
}

QString MakeSymbol(int index)
{
    // A bijection of 0..26^4-1 onto itself (7919 is prime to 26), so symbols never repeat.
    uint32_t code = (static_cast<uint32_t>(index) * 7919u + 104729u) % (26u * 26u * 26u * 26u);
    QString symbol(4, QLatin1Char('A'));
    for (int i = 3; i >= 0; --i) {
        symbol[i] = QLatin1Char(static_cast<char>('A' + code % 26));
        code /= 26;
    }
    return symbol;
}

QString MakeCompany(Random &random)
{
    int kind = random.Between(0, 29);
    QString first = QLatin1String(random.Pick(firstWords));
    QString second = QLatin1String(random.Pick(secondWords));
    QString suffix = QLatin1String(random.Pick(suffixes));
    if (kind < 3)
        return first + QLatin1String(" & SONS ") + second;
    if (kind < 5)
        return QLatin1String(random.Pick(odd)) + QLatin1Char(' ') + second + QLatin1Char(' ') +
               suffix;
    if (kind == 5)
        return first + QLatin1String(" \"") + second + QLatin1String("\" ") + suffix;
    if (kind < 12)
        return first + QLatin1Char(' ') + suffix;
    return first + QLatin1Char(' ') + second + QLatin1Char(' ') + suffix;
}

// The number a page reader gets from a cell: the leading decimal number, 0 without one.
double LeadingNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(0).toDouble() : 0.0;
}

SimStock MakeStock(int index)
{
    Random random(0x5EED0000ull + static_cast<uint64_t>(index));
    SimStock stock;
    auto &c = stock.Cells;

    c[0] = MakeSymbol(index);
    c[1] = MakeCompany(random);
    c[2] = QLatin1String(random.Pick(industries));
    c[3] = QLatin1String(random.Pick(exchanges));

    bool subDollar = random.OneIn(3);
    double price = subDollar ? random.Between(10, 999) / 1000.0 : random.Between(1, 500) / 100.0;
    c[4] = Fixed(price, subDollar ? 3 : 2);
    c[5] = Fixed(random.Between(-2000, 2000) / 100.0, 2) + QLatin1Char('%');
    if (random.OneIn(20)) {
        double billions = random.Between(100, 999) / 100.0;
        c[6] = Fixed(billions, 2) + QLatin1Char('B');
        stock.MarketCapDollars = billions * 1e9;
    } else {
        // Tenths of a million up to a few thousand millions: thousands separators appear.
        double millions = random.Between(5, 30000) / 10.0;
        int decimals = random.OneIn(2) ? 1 : 2;
        c[6] = Grouped(millions, decimals) + QLatin1Char('M');
        stock.MarketCapDollars = millions * 1e6;
    }
    c[7] = QString::number(random.Between(1000, 5000000));
    c[8] = QString::number(random.Between(1000, 5000000));
    c[9] = random.OneIn(10) ? QString() : Fixed(random.Between(-100, 300) / 100.0, 2);
    c[10] = Fixed(price * (1.0 + random.Between(0, 300) / 100.0), 2);
    c[11] = Fixed(std::max(0.01, price * (1.0 - random.Between(0, 90) / 100.0)), 2);
    double eps = random.Between(-200, 150) / 100.0;
    c[12] = eps <= 0 ? QStringLiteral("N/A") : Fixed(random.Between(10, 999) / 10.0, 1);
    c[13] = random.OneIn(12) ? QString() : Fixed(random.Between(5, 800) / 100.0, 2);
    c[14] = Fixed(random.Between(1, 2000) / 100.0, 2);
    c[15] = Fixed(eps, 2);
    c[16] = random.Between(0, 9) < 7 ? QString()
                                     : Fixed(random.Between(1, 120) / 10.0, 1) + QLatin1Char('%');
    c[17] = Fixed(random.Between(-800, 400) / 10.0, 1) + QLatin1Char('%');
    c[18] = QStringLiteral("Quote");

    stock.Symbol = c[0];
    stock.Company = ProperCase(c[1]);
    stock.Industry = c[2];
    stock.Text3 = c[3];
    for (int field = 4; field < ColumnCount; ++field) {
        QString text = c[static_cast<size_t>(field)];
        text.remove(QLatin1Char('%'));
        double value = 0;
        if (field == 6) {
            text.remove(QLatin1Char(','));
            value = text.contains(QLatin1Char('M'))
                        ? LeadingNumber(text.remove(QLatin1Char('M'))) * 1e6
                        : LeadingNumber(text);
        } else {
            value = LeadingNumber(text);
        }
        stock.Numbers[static_cast<size_t>(field - 4)] = value;
    }
    return stock;
}

}  // namespace

QString ProperCase(const QString &text)
{
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        bool startsWord = i == 0 || text[i - 1] == QLatin1Char(' ');
        result[i] = startsWord ? text[i].toUpper() : text[i].toLower();
    }
    return result;
}

std::vector<SimStock> MakeUniverse(int size)
{
    std::vector<SimStock> universe;
    universe.reserve(static_cast<size_t>(std::max(size, 0)));
    for (int i = 0; i < size; ++i) universe.push_back(MakeStock(i));
    std::stable_sort(universe.begin(), universe.end(), [](const SimStock &a, const SimStock &b) {
        int order = QString::compare(a.Cells[1], b.Cells[1]);
        return order != 0 ? order < 0 : a.Symbol < b.Symbol;
    });
    return universe;
}

}  // namespace screener_sim
