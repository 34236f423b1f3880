#include "screener-sim/Universe.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
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
// Names whose letters only a Western single-byte page can carry: a typographic apostrophe and
// accented capitals (UTF-8 here, windows-1252 on the wire).
const std::array<const char *, 6> western = {"O\u2019NEIL",       "L\u2019OR\u00C9AL",
                                             "SOCI\u00C9T\u00C9", "M\u00DCLLER",
                                             "CAF\u00C9 NOIR",    "NESTL\u00C9 \u2013 EAST"};
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
    // Class shares and warrants: still unique, as the four letters are.
    if (index % 23 == 11)
        symbol += QLatin1String(".B");
    else if (index % 29 == 13)
        symbol += QLatin1String("-WT");
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
    if (kind == 6)
        return QString::fromUtf8(random.Pick(western)) + QLatin1Char(' ') + second +
               QLatin1Char(' ') + suffix;
    if (kind < 12)
        return first + QLatin1Char(' ') + suffix;
    return first + QLatin1Char(' ') + second + QLatin1Char(' ') + suffix;
}

}  // namespace

SimStock MakeStock(int index)
{
    Random random(0x5EED0000ull + static_cast<uint64_t>(index));
    SimStock stock;
    auto &c = stock.Cells;
    auto &n = stock.Numbers;
    const auto set = [&](int field, double value, const QString &text) {
        n[static_cast<size_t>(field - 4)] = value;
        c[static_cast<size_t>(field)] = text;
    };

    c[0] = MakeSymbol(index);
    c[1] = MakeCompany(random);
    c[2] = QLatin1String(random.Pick(industries));
    c[3] = QLatin1String(random.Pick(exchanges));

    // Prices in tenths of a cent or in cents, caps in thousands of dollars: every true value
    // comes from whole numbers, and every text shows it exactly.
    bool subDollar = random.OneIn(3);
    int priceUnits = subDollar ? random.Between(10, 999) : random.Between(1, 500);
    double price = priceUnits / (subDollar ? 1000.0 : 100.0);
    set(4, price, Fixed(price, subDollar ? 3 : 2));
    int change = random.Between(-2000, 2000);
    set(5, change / 100.0, Fixed(change / 100.0, 2) + QLatin1Char('%'));

    qint64 capK = 0;
    QString cap;
    if (random.OneIn(20)) {
        capK = random.Between(100, 999) * 10000ll;  // 1.00B to 9.99B
        cap = Fixed(capK / 1e6, 2) + QLatin1Char('B');
    } else if (random.OneIn(15)) {
        capK = random.Between(1, 999);  // a shell company: under a million
        cap = Fixed(capK / 1000.0, 3) + QLatin1Char('M');
    } else {
        // Tenths of a million up to a few thousand millions: thousands separators appear.
        capK = random.Between(5, 30000) * 100ll;
        cap = Grouped(capK / 1000.0, random.OneIn(2) ? 1 : 2) + QLatin1Char('M');
    }
    set(6, capK * 1000.0, cap);

    int volume = random.Between(1000, 5000000);
    set(7, volume, QString::number(volume));
    int averageVolume = random.Between(1000, 5000000);
    set(8, averageVolume, QString::number(averageVolume));
    bool noBeta = random.OneIn(10);
    int beta = random.Between(-100, 300);
    set(9, noBeta ? 0.0 : beta / 100.0, noBeta ? QString() : Fixed(beta / 100.0, 2));
    int highCents =
        static_cast<int>(std::lround(price * 100 * (1.0 + random.Between(0, 300) / 100.0)));
    set(10, highCents / 100.0, Fixed(highCents / 100.0, 2));
    int lowCents = std::max(
        1, static_cast<int>(std::lround(price * 100 * (1.0 - random.Between(0, 90) / 100.0))));
    set(11, lowCents / 100.0, Fixed(lowCents / 100.0, 2));
    int eps = random.Between(-200, 150);
    int pe = random.OneIn(8) ? random.Between(10000, 99999) : random.Between(10, 999);
    set(12, eps <= 0 ? 0.0 : pe / 10.0, eps <= 0 ? QStringLiteral("N/A") : Fixed(pe / 10.0, 1));
    bool noBook = random.OneIn(12);
    int book = random.Between(5, 800);
    set(13, noBook ? 0.0 : book / 100.0, noBook ? QString() : Fixed(book / 100.0, 2));
    int sales = random.Between(1, 2000);
    set(14, sales / 100.0, Fixed(sales / 100.0, 2));
    set(15, eps / 100.0, Fixed(eps / 100.0, 2));
    bool noYield = random.Between(0, 9) < 7;
    int yield = random.Between(1, 120);
    set(16, noYield ? 0.0 : yield / 10.0,
        noYield ? QString() : Fixed(yield / 10.0, 1) + QLatin1Char('%'));
    int roe = random.Between(-800, 400);
    set(17, roe / 10.0, Fixed(roe / 10.0, 1) + QLatin1Char('%'));
    set(18, 0.0, QStringLiteral("Quote"));

    // The hand-written page: the same values in another dress.
    auto &r = stock.RealisticCells;
    r = c;
    if (capK < 1000)
        r[6] = QString::number(capK) + QLatin1Char('K');
    else if (capK >= 1000000)
        r[6] = Fixed(capK / 1e6, 4) + QLatin1Char('B');
    else
        r[6] = Grouped(capK / 1000.0, 1) + QLatin1Char('M');
    r[7] = Grouped(volume, 0);
    r[8] = Grouped(averageVolume, 0);
    if (noBeta)
        r[9] = QStringLiteral("-");
    if (eps > 0)
        r[12] = Grouped(pe / 10.0, 1);

    stock.Symbol = c[0];
    stock.Company = ProperCase(c[1]);
    stock.Industry = c[2];
    stock.Text3 = c[3];
    return stock;
}

namespace {

void SortByName(std::vector<SimStock> &universe)
{
    std::stable_sort(universe.begin(), universe.end(), [](const SimStock &a, const SimStock &b) {
        int order = QString::compare(a.Cells[1], b.Cells[1]);
        return order != 0 ? order < 0 : a.Symbol < b.Symbol;
    });
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
    SortByName(universe);
    return universe;
}

std::vector<SimStock> ShiftUniverse(std::vector<SimStock> universe, const UniverseShift &shift)
{
    for (const auto &[position, price] : shift.Repriced) {
        SimStock &stock = universe.at(static_cast<size_t>(position));
        stock.Numbers[0] = price;
        // Three decimals show every price of a tenth of a cent exactly.
        stock.Cells[4] = stock.RealisticCells[4] = Fixed(price, 3);
    }
    std::vector<bool> gone(universe.size(), false);
    for (int position : shift.Removed) gone.at(static_cast<size_t>(position)) = true;
    std::vector<SimStock> shifted;
    shifted.reserve(universe.size() + shift.Added.size());
    for (size_t i = 0; i < universe.size(); ++i)
        if (!gone[i])
            shifted.push_back(std::move(universe[i]));
    for (int index : shift.Added) shifted.push_back(MakeStock(index));
    SortByName(shifted);
    return shifted;
}

}  // namespace screener_sim
