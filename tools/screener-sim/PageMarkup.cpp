#include "screener-sim/PageMarkup.h"

#include <QLocale>
#include <algorithm>

namespace screener_sim {

namespace {

const char cellOpen[] = "<td><font face=\"arial\" size=\"-1\">";
const char fontOpen[] = "<font face=\"arial\" size=\"-1\">";
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

// A hand-written table: every other row shaded, cells aligned, one cell a line, now and then
// a line break before a cell's end tag.
QString RealisticHeaderRow()
{
    QString row = QStringLiteral("<tr bgcolor=\"#dcdcdc\" align=\"center\">\n");
    for (const char *caption : ColumnCaptions)
        row +=
            QStringLiteral("  <td nowrap><b><font face=\"arial\" size=\"-1\">%1</font></b></td>\n")
                .arg(QLatin1String(caption));
    return row + QStringLiteral("</tr>\n");
}

QString RealisticDataRow(const SimStock &stock, int position)
{
    QString row = position % 2 ? QStringLiteral("<tr bgcolor=\"#eeeeee\">\n")
                               : QStringLiteral("<tr valign=top>\n");
    const auto cell = [&](int field, const QString &content) {
        const QString open =
            field < 4 ? QStringLiteral("  <td nowrap>") : QStringLiteral("  <td align=\"right\">");
        const QString close = (field + position) % 5 == 0 ? QStringLiteral("</font>\n  </td>\n")
                                                          : QStringLiteral("</font></td>\n");
        // Losses in red; now and then the font on a line of its own.
        const QString font =
            field == 5 && content.startsWith(QLatin1Char('-'))
                ? QStringLiteral("<font face=\"arial\" size=\"-1\" color=\"#cc0000\">")
                : QString::fromLatin1(fontOpen);
        const QString gap = (field + position) % 7 == 3 ? QStringLiteral("\n    ") : QString();
        return open + gap + font + content + close;
    };
    row += QStringLiteral("  <td nowrap>") + fontOpen + QStringLiteral("<b>") +
           QuoteLink(stock.Symbol, stock.Symbol) + QStringLiteral("</b></font></td>\n");
    for (int field = 1; field < ColumnCount - 1; ++field) {
        const QString &text = stock.RealisticCells[static_cast<size_t>(field)];
        row += cell(field, text.isEmpty() ? QStringLiteral("&nbsp;") : text.toHtmlEscaped());
    }
    row += cell(ColumnCount - 1, QuoteLink(stock.Symbol, stock.RealisticCells[ColumnCount - 1]));
    return row + QStringLiteral("</tr>\n");
}

QString Head(const QString &title, const char *charset = "iso-8859-1")
{
    return QStringLiteral(
               "<html>\n<head>\n<title>%1</title>\n"
               "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=%2\">\n"
               "</head>\n<body bgcolor=\"#ffffff\" link=\"#000080\" vlink=\"#000080\">\n")
        .arg(title, QLatin1String(charset));
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
    QString html = Head(QStringLiteral("Stock Screener Results"),
                        options.realistic ? "windows-1252" : "iso-8859-1") +
                   Banner();

    if (!options.withTable) {
        html += QStringLiteral(
            "<p><font face=\"arial\" size=\"-1\">The screener could not run your search right "
            "now. Please try again in a few minutes.</font></p>\n");
        return EncodeWindows1252(html + Footer());
    }

    const int from = std::clamp(options.servedFrom, 0, total);
    const int to = std::min(from + RowsPerPage, total);
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    QString totalText = options.totalWithSeparator ? us.toString(total) : QString::number(total);
    QString of = QStringLiteral(" of ");
    if (options.totalWording == TotalWording::Bold)
        totalText = QStringLiteral("<b>") + totalText + QStringLiteral("</b>");
    if (options.totalWording == TotalWording::Tab)
        of = QStringLiteral(" of\t");
    const QString to_ =
        options.totalWording == TotalWording::Dash ? QStringLiteral(" - ") : QStringLiteral(" to ");
    QString range = options.firstRow <= total
                        ? QStringLiteral("Showing %1%2%3%4%5 (price $0 to $5, by name)")
                              .arg(options.firstRow)
                              .arg(to_)
                              .arg(std::min(options.firstRow + RowsPerPage - 1, total))
                              .arg(of, totalText)
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

    if (options.realistic) {
        html += QStringLiteral(
            "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tbody>\n");
        html += RealisticHeaderRow();
        for (int i = from; i < to; ++i)
            html += RealisticDataRow(universe[static_cast<size_t>(i)], i - from);
        html += QStringLiteral("</tbody>\n</table>\n");
        return EncodeWindows1252(html + Footer());
    }
    html +=
        QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n");
    html += HeaderRow();
    for (int i = from; i < to; ++i) html += DataRow(universe[static_cast<size_t>(i)]);
    html += QStringLiteral("</table>\n");
    return EncodeWindows1252(html + Footer());
}

QByteArray OversizedPageBytes(qint64 from, qint64 count, qint64 total, const QByteArray &fill)
{
    static const QByteArray head =
        "<html><body><table><tr><td><b><font face=arial size=-1>More Info</font></b></td></tr>";
    static const QByteArray tail = "</table></body></html>";
    const qint64 period = std::max<qint64>(fill.size(), 1);
    const QByteArray rows =
        (fill.isEmpty() ? QByteArray(" ") : fill).repeated(64 * 1024 / period + 1);
    from = std::clamp<qint64>(from, 0, total);
    const qint64 to = std::min(total, from + std::max<qint64>(count, 0));
    const qint64 tailFrom = std::max<qint64>(total - tail.size(), head.size());
    QByteArray bytes(to - from, Qt::Uninitialized);
    char *out = bytes.data();
    for (qint64 at = from; at < to;) {
        // One run of head, rows or tail at a time.
        if (at < head.size()) {
            const qint64 n = std::min(to, qint64(head.size())) - at;
            out = std::copy_n(head.constData() + at, n, out);
            at += n;
        } else if (at >= tailFrom) {
            const qint64 n = to - at;
            out = std::copy_n(tail.constData() + (at - tailFrom), n, out);
            at += n;
        } else {
            const qint64 phase = (at - head.size()) % period;
            const qint64 n = std::min({to, tailFrom, at + rows.size() - phase}) - at;
            out = std::copy_n(rows.constData() + phase, n, out);
            at += n;
        }
    }
    return bytes;
}

QByteArray EncodeWindows1252(const QString &text)
{
    // The characters windows-1252 puts at 0x80..0x9F; 0 where it has none.
    static constexpr char16_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        char byte = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            byte = static_cast<char>(u);
        } else {
            for (int i = 0; i < 32; ++i)
                if (high[i] == u)
                    byte = static_cast<char>(0x80 + i);
        }
        bytes += byte;
    }
    return bytes;
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
        return EncodeWindows1252(html + Footer());
    }
    html += QStringLiteral("<table border=\"0\" cellpadding=\"3\">\n");
    for (int field = 0; field < ColumnCount - 1; ++field)
        html += QStringLiteral(
                    "<tr><td><b><font face=\"arial\" size=\"-1\">%1</font></b></td>%2</tr>\n")
                    .arg(QLatin1String(ColumnCaptions[static_cast<size_t>(field)]),
                         Cell(found->Cells[static_cast<size_t>(field)].toHtmlEscaped()));
    html += QStringLiteral("</table>\n");
    return EncodeWindows1252(html + Footer());
}

QByteArray HomePageHtml()
{
    QString html = Head(QStringLiteral("Vozaz - Small Cap Stocks")) + Banner();
    html += QStringLiteral(
        "<p><font face=\"arial\" size=\"-1\">Serious Small Cap Stock Investors need information "
        "they can trust. Start with the <a href=\"/b?pr=0/5&amp;s=nm&amp;db=stocks&amp;vw=0&amp;"
        "b=1\">stocks priced $0 to $5</a>.</font></p>\n");
    return EncodeWindows1252(html + Footer());
}

}  // namespace screener_sim
