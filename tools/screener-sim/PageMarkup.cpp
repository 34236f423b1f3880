#include "screener-sim/PageMarkup.h"

#include <QLocale>
#include <algorithm>

namespace screener_sim {

namespace {

const char cellOpen[] = "<td><font face=\"arial\" size=\"-1\">";
const char cellClose[] = "</font></td>";

QString QuoteLink(const QString &symbol, const QString &text)
{
    return QStringLiteral("<a href=\"/ver04/quote.html?s=%1\">%2</a>").arg(symbol, text);
}

QString Cell(const QString &content)
{
    return cellOpen + content + cellClose;
}

QString HeaderRow()
{
    QString row = QStringLiteral("<tr bgcolor=\"#dcdcdc\">");
    for (const char *caption : ColumnCaptions)
        row += QStringLiteral("<td><b><font face=\"arial\" size=\"-1\">%1</font></b></td>")
                   .arg(QLatin1String(caption));
    return row + QStringLiteral("</tr>\n");
}

// Data rows carry no attributes: a browser gives them back as a bare "<TR>", the row marker
// of the program's page reader.
QString DataRow(const SimStock &stock)
{
    QString row = QStringLiteral("<tr>");
    row += Cell(QStringLiteral("<b>") + QuoteLink(stock.Symbol, stock.Symbol) +
                QStringLiteral("</b>"));
    for (int field = 1; field < ColumnCount - 1; ++field)
        row += Cell(stock.Cells[static_cast<size_t>(field)].toHtmlEscaped());
    row += Cell(QuoteLink(stock.Symbol, stock.Cells[ColumnCount - 1]));
    return row + QStringLiteral("</tr>\n");
}

QString Head(const QString &title)
{
    return QStringLiteral(
               "<html>\n<head>\n<title>%1</title>\n"
               "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\n"
               "</head>\n<body bgcolor=\"#ffffff\" link=\"#000080\" vlink=\"#000080\">\n")
        .arg(title);
}

QString Banner()
{
    return QStringLiteral(
        "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">\n"
        "<tr><td bgcolor=\"#000080\"><font face=\"arial\" size=\"+1\" color=\"#ffffff\">"
        "<b>Vozaz Small Cap Stock Screener</b></font></td></tr>\n"
        "<tr><td><font face=\"arial\" size=\"-1\"><a href=\"/\">Home</a> | "
        "<a href=\"/b?pr=0/5&amp;s=nm&amp;db=stocks&amp;vw=0&amp;b=1\">$0 - $5 Stocks</a> | "
        "<a href=\"/ver04/quote.html\">Quotes</a></font></td></tr>\n"
        "</table>\n");
}

QString Footer()
{
    return QStringLiteral(
        "<p><font face=\"arial\" size=\"-2\">Quotes delayed at least 20 minutes. Market data "
        "&copy; its providers; no warranty is given for its accuracy.</font></p>\n"
        "</body>\n</html>\n");
}

}  // namespace

QString ResultPageTarget(int firstRow)
{
    return QStringLiteral("/b?pr=0/5&s=nm&db=stocks&vw=0&b=%1").arg(firstRow);
}

// The result table has no <tbody> of its own. A browser opens one at the first <tr> and closes
// it at </table>, so the line break after the last row lands inside it and the table ends
// "...</TR>\r\n</TBODY></TABLE>" with the two end tags side by side, as the program's page reader
// expects. An explicit </tbody> followed by a line break would put the break between them.
QByteArray ResultPageHtml(const std::vector<SimStock> &universe, const ResultPageOptions &options)
{
    const int total = static_cast<int>(universe.size());
    QString html = Head(QStringLiteral("Stock Screener Results")) + Banner();

    if (!options.withTable) {
        html += QStringLiteral(
            "<p><font face=\"arial\" size=\"-1\">The screener could not run your search right "
            "now. Please try again in a few minutes.</font></p>\n");
        return (html + Footer()).toLatin1();
    }

    const int from = std::clamp(options.servedFrom, 0, total);
    const int to = std::min(from + RowsPerPage, total);
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    QString totalText = options.totalWithSeparator ? us.toString(total) : QString::number(total);
    QString range = options.firstRow <= total
                        ? QStringLiteral("Showing %1 to %2 of %3 (price $0 to $5, by name)")
                              .arg(options.firstRow)
                              .arg(std::min(options.firstRow + RowsPerPage - 1, total))
                              .arg(totalText)
                        : QStringLiteral("No stocks from row %1 on (%2 in all)")
                              .arg(options.firstRow)
                              .arg(totalText);

    html += QStringLiteral(
        "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">\n"
        "<tr>");
    html += Cell(range);
    QString links;
    if (options.firstRow > RowsPerPage)
        links += QStringLiteral("<a href=\"%1\">&lt; Prev 20</a> ")
                     .arg(ResultPageTarget(options.firstRow - RowsPerPage).toHtmlEscaped());
    if (options.firstRow + RowsPerPage <= total)
        links += QStringLiteral("<a href=\"%1\">Next 20 &gt;</a>")
                     .arg(ResultPageTarget(options.firstRow + RowsPerPage).toHtmlEscaped());
    html += QStringLiteral("<td align=\"right\"><font face=\"arial\" size=\"-1\">") + links +
            cellClose + QStringLiteral("</tr>\n</table>\n");

    html +=
        QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n");
    html += HeaderRow();
    for (int i = from; i < to; ++i) html += DataRow(universe[static_cast<size_t>(i)]);
    html += QStringLiteral("</table>\n");
    return (html + Footer()).toLatin1();
}

QByteArray QuotePageHtml(const std::vector<SimStock> &universe, const QString &symbol)
{
    auto found = std::find_if(universe.begin(), universe.end(),
                              [&](const SimStock &stock) { return stock.Symbol == symbol; });
    QString html = Head(QStringLiteral("Quote ") + symbol.toHtmlEscaped()) + Banner();
    if (found == universe.end()) {
        html += QStringLiteral(
                    "<p><font face=\"arial\" size=\"-1\">Enter a symbol to get a quote"
                    "%1.</font></p>\n")
                    .arg(symbol.isEmpty() ? QString()
                                          : QStringLiteral(" (no stock has the symbol %1)")
                                                .arg(symbol.toHtmlEscaped()));
        return (html + Footer()).toLatin1();
    }
    html += QStringLiteral("<table border=\"0\" cellpadding=\"3\">\n");
    for (int field = 0; field < ColumnCount - 1; ++field)
        html += QStringLiteral(
                    "<tr><td><b><font face=\"arial\" size=\"-1\">%1</font></b></td>%2</tr>\n")
                    .arg(QLatin1String(ColumnCaptions[static_cast<size_t>(field)]),
                         Cell(found->Cells[static_cast<size_t>(field)].toHtmlEscaped()));
    html += QStringLiteral("</table>\n");
    return (html + Footer()).toLatin1();
}

QByteArray HomePageHtml()
{
    QString html = Head(QStringLiteral("Vozaz - Small Cap Stocks")) + Banner();
    html += QStringLiteral(
        "<p><font face=\"arial\" size=\"-1\">Serious Small Cap Stock Investors need information "
        "they can trust. Start with the <a href=\"/b?pr=0/5&amp;s=nm&amp;db=stocks&amp;vw=0&amp;"
        "b=1\">stocks priced $0 to $5</a>.</font></p>\n");
    return (html + Footer()).toLatin1();
}

}  // namespace screener_sim
