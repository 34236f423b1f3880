#include "BenchData.h"

#include <QDir>
#include <cmath>

#include "platform/ProgramFolder.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"
#include "web/HtmlDocument.h"

namespace bench {

namespace {
const char *const Industries[] = {"Gold",           "Biotechnology", "Oil &amp; Gas Drilling",
                                  "Regional Banks", "Software",      "Medical Devices"};
}

StockRecord RealisticRecord(int i)
{
    StockRecord r;
    r.Symbol = QString("S%1X").arg(i, 5, 36).toUpper().replace(' ', 'Q');
    r.Company = QString("Acme Mining & Exploration Corp %1").arg(i);
    r.Industry = QString(Industries[i % 6]).replace("&amp;", "&");
    r.Text3 = "NasdaqSC";
    r.Price = 0.01 + (i % 500) * 0.0099;
    r.Value5 = -12.5 + (i % 250) * 0.1;
    r.MarketCap = 1234500.0 * (1 + i % 977);
    // The table holds what was read from the screener's texts: numbers of two decimals.
    for (int f = 7; f < StockRecord::FieldCount; ++f)
        r.NumberField(f) = std::round(((i % (f * 13 + 7)) * 0.37 - 3.1) * 100) / 100;
    r.Price = std::round(r.Price * 100) / 100;
    r.Value5 = std::round(r.Value5 * 10) / 10;
    return r;
}

QString RealisticResultPage(int first, int rows)
{
    const QString cell = "<TD><FONT face=arial size=-1>%1</FONT></TD>";
    QString page;
    page.reserve(26000);
    page +=
        "<TABLE cellSpacing=0 cellPadding=0 width=\"100%\" border=0>\r\n<TBODY>\r\n<TR>\r\n"
        "<TD><FONT face=arial size=-1>Showing 1 to 20 of 32767 (screened by price)"
        "</FONT></TD></TR></TBODY></TABLE>\r\n<TABLE cellSpacing=1 cellPadding=2 width=\"100%\" "
        "border=0>\r\n<TBODY>\r\n<TR>";
    const char *headings[] = {"Symbol", "Name",       "Industry", "Exchange", "Last",
                              "Change", "Market Cap", "Volume",   "Avg Vol",  "Beta",
                              "EPS",    "Div",        "P/E",      "P/B",      "P/S",
                              "ROE",    "Margin",     "Debt",     "More Info"};
    for (const char *h : headings)
        page += QString("<TD><B><FONT face=arial size=-1>%1</FONT></B></TD>").arg(h);
    page += "</TR>\r\n";
    for (int row = 0; row < rows; ++row) {
        const int i = first + row;
        const StockRecord r = RealisticRecord(i);
        page += "<TR>";
        page += cell.arg("<A href=\"/ver04/quote.html?s=" + r.Symbol + "\"><B>" + r.Symbol +
                         "</B></A>");
        page += cell.arg("ACME MINING &amp; EXPLORATION CORP " + QString::number(i));
        page += cell.arg(Industries[i % 6]);
        page += cell.arg("NasdaqSC");
        page += cell.arg(QString::number(r.Price, 'f', 2));
        page += cell.arg(QString::number(r.Value5, 'f', 1) + "%");
        page += cell.arg(QString("%L1M").arg(r.MarketCap / 1e6, 0, 'f', 1));
        for (int f = 7; f < StockRecord::FieldCount; ++f)
            page += cell.arg(f == 11 ? QString() : QString::number(r.NumberField(f), 'f', 2));
        page += "</TR>\r\n";
    }
    page +=
        "</TBODY></TABLE>\r\n<P><FONT face=arial size=-1>Data delayed 20 minutes."
        "</FONT></P>";
    return page;
}

QStringList RealisticResultPages(int count)
{
    QStringList pages;
    for (int first = 0; first < count; first += 20)
        pages << RealisticResultPage(first, std::min(20, count - first));
    return pages;
}

QString WriteRealisticDatabase(int count)
{
    Stocks().Clear();
    for (int i = 0; i < count; ++i) Stocks().StoreAt(i, RealisticRecord(i));
    Module1::SaveStockDatabase();
    return Module1::DatabasePath();
}

QStringList WriteRealisticPageFiles(int count)
{
    QDir(platform::ProgramFolder()).mkpath(QStringLiteral("temp"));
    QStringList paths;
    const QStringList pages = RealisticResultPages(count);
    for (int n = 0; n < pages.size(); ++n) {
        paths << MdlHelpers::AppFile(QStringLiteral("temp/%1.dat").arg(n));
        MdlHelpers::WriteTextFile(paths.back(), pages[n], false);
    }
    return paths;
}

std::vector<GridRowTexts> RealisticGridRows(int count)
{
    const auto two = [](double v) { return QString::number(v, 'f', 2); };
    std::vector<GridRowTexts> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const StockRecord r = RealisticRecord(i);
        rows.push_back({r.Symbol, r.Company, two(r.Price), r.Industry, two(r.MarketCap / 1e6),
                        two(r.Beta), two(r.PE), two(r.PB), two(r.PS)});
    }
    return rows;
}

QString BodyHtml(const web::HtmlDocument &document)
{
    const web::ElementCollection &all = document.All();
    for (int i = 1; i < all.Length(); ++i)
        if (all.Item(i)->tagName() == QLatin1String("BODY"))
            return all.Item(i)->innerhtml();
    return {};
}

}  // namespace bench
