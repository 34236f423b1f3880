// zentrin-screener-sim: the stock screener on 127.0.0.1, for running the program and its tests
// without the real service. Prints the port it listens on as its first line.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

#include "screener-sim/ScreenerServer.h"

namespace {

QSet<int> RowList(const QString &text)
{
    QSet<int> rows;
    for (const QString &item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        int row = item.trimmed().toInt(&ok);
        if (ok)
            rows.insert(row);
    }
    return rows;
}

// The list `days` days on: each day one stock in fifty leaves, as many new ones are listed, and
// one in forty moves its price by half, up or down, staying in the band.
std::vector<screener_sim::SimStock> DaysLater(int size, int days)
{
    std::vector<screener_sim::SimStock> universe = screener_sim::MakeUniverse(size);
    for (int day = 1; day <= days; ++day) {
        screener_sim::UniverseShift shift;
        const int count = static_cast<int>(universe.size());
        for (int i = day % 50; i < count; i += 50) shift.Removed.push_back(i);
        const int added = static_cast<int>(shift.Removed.size());
        for (int j = 0; j < added; ++j)
            shift.Added.push_back(size + (day - 1) * (size / 50 + 1) + j);
        for (int i = (day * 7) % 40; i < count; i += 40) {
            const double price = universe[static_cast<size_t>(i)].Price();
            shift.Repriced.push_back({i, price > 2.5 ? price * 0.5 : price * 1.5});
        }
        universe = screener_sim::ShiftUniverse(std::move(universe), shift);
    }
    return universe;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zentrin-screener-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Serves a simulated stock screener on 127.0.0.1. Pages are named by the first-row number "
        "of their address (b=1, 21, 41, ...)."));
    parser.addHelpOption();
    QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port; 0 picks a free one."),
                            QStringLiteral("n"), QStringLiteral("0"));
    QCommandLineOption stocks(QStringLiteral("stocks"), QStringLiteral("Size of the universe."),
                              QStringLiteral("n"),
                              QString::number(screener_sim::DefaultUniverseSize));
    QCommandLineOption delay(QStringLiteral("delay"),
                             QStringLiteral("Milliseconds to wait before each result page."),
                             QStringLiteral("ms"), QStringLiteral("0"));
    QCommandLineOption errors(QStringLiteral("error-pages"),
                              QStringLiteral("Pages answered with HTTP 500."),
                              QStringLiteral("b,..."));
    QCommandLineOption drops(QStringLiteral("drop-pages"),
                             QStringLiteral("Pages whose connection is closed unanswered."),
                             QStringLiteral("b,..."));
    QCommandLineOption hangs(QStringLiteral("hang-pages"), QStringLiteral("Pages never answered."),
                             QStringLiteral("b,..."));
    QCommandLineOption noTable(QStringLiteral("no-table-pages"),
                               QStringLiteral("Pages served without the result table."),
                               QStringLiteral("b,..."));
    QCommandLineOption truncated(QStringLiteral("truncate-pages"),
                                 QStringLiteral("Pages cut off halfway."), QStringLiteral("b,..."));
    QCommandLineOption binary(QStringLiteral("binary-pages"),
                              QStringLiteral("Pages answered with binary noise."),
                              QStringLiteral("b,..."));
    QCommandLineOption huge(QStringLiteral("huge-pages"),
                            QStringLiteral("Pages answered with an oversized page of rows."),
                            QStringLiteral("b,..."));
    QCommandLineOption hugeBytes(QStringLiteral("huge-page-bytes"),
                                 QStringLiteral("Size of those pages in bytes."),
                                 QStringLiteral("n"), QStringLiteral("50000000"));
    QCommandLineOption hugeFill(QStringLiteral("huge-page-fill"),
                                QStringLiteral("What those pages repeat after the table's head."),
                                QStringLiteral("markup"), QStringLiteral("<tr>"));
    QCommandLineOption separator(QStringLiteral("total-separator"),
                                 QStringLiteral("Write the total with a thousands separator."));
    QCommandLineOption shift(QStringLiteral("shift"),
                             QStringLiteral("Rows the list moves back with each result request."),
                             QStringLiteral("n"), QStringLiteral("0"));
    QCommandLineOption realistic(
        QStringLiteral("realistic"),
        QStringLiteral("Write pages as a hand-written site does: attributes, indentation, grouped "
                       "numbers, K/M/B caps, blanks as &nbsp;, the charset only in a <meta>."));
    QCommandLineOption wording(QStringLiteral("total-wording"),
                               QStringLiteral("How the total is written: standard, dash (\"1 - "
                                              "20 of\"), bold or tab."),
                               QStringLiteral("words"), QStringLiteral("standard"));
    QCommandLineOption flaky(QStringLiteral("flaky-pages"),
                             QStringLiteral("Pages answered with HTTP 500 once, then normally."),
                             QStringLiteral("b,..."));
    QCommandLineOption tooMany(QStringLiteral("too-many-pages"),
                               QStringLiteral("Pages answered with HTTP 429 and Retry-After once."),
                               QStringLiteral("b,..."));
    QCommandLineOption unavailable(
        QStringLiteral("unavailable-pages"),
        QStringLiteral("Pages answered with HTTP 503 and Retry-After once."),
        QStringLiteral("b,..."));
    QCommandLineOption retryAfter(QStringLiteral("retry-after"),
                                  QStringLiteral("Seconds of those Retry-After headers; negative "
                                                 "sends none."),
                                  QStringLiteral("s"), QStringLiteral("2"));
    QCommandLineOption downFrom(QStringLiteral("down-from"),
                                QStringLiteral("Close every result-page request unanswered from "
                                               "the n-th one on (counted from 0)."),
                                QStringLiteral("n"), QStringLiteral("-1"));
    QCommandLineOption trickle(QStringLiteral("trickle"),
                               QStringLiteral("Send every answer in eight pieces this many "
                                              "milliseconds apart."),
                               QStringLiteral("ms"), QStringLiteral("0"));
    QCommandLineOption chunked(QStringLiteral("chunked"),
                               QStringLiteral("Send bodies with chunked transfer coding."));
    QCommandLineOption keepAlive(QStringLiteral("keep-alive"),
                                 QStringLiteral("Keep connections open for further requests."));
    QCommandLineOption day(QStringLiteral("day"),
                           QStringLiteral("List the stocks this many days on: some gone, some "
                                          "new, some repriced (0 to 100)."),
                           QStringLiteral("n"), QStringLiteral("0"));
    parser.addOptions({port,      stocks,      delay,      errors,   drops,     hangs,   noTable,
                       truncated, binary,      separator,  shift,    realistic, wording, flaky,
                       tooMany,   unavailable, retryAfter, downFrom, trickle,   chunked, keepAlive,
                       day,       huge,        hugeBytes,  hugeFill});
    parser.process(app);

    int size = std::clamp(parser.value(stocks).toInt(), 0, 32767);
    screener_sim::ScreenerServer server(size);
    if (const int days = std::clamp(parser.value(day).toInt(), 0, 100); days > 0)
        server.SetUniverse(DaysLater(size, days));
    screener_sim::SimFaults &faults = server.Faults();
    faults.DelayMs = parser.value(delay).toInt();
    faults.ErrorRows = RowList(parser.value(errors));
    faults.DropRows = RowList(parser.value(drops));
    faults.HangRows = RowList(parser.value(hangs));
    faults.NoTableRows = RowList(parser.value(noTable));
    faults.TruncateRows = RowList(parser.value(truncated));
    faults.BinaryRows = RowList(parser.value(binary));
    faults.HugeRows = RowList(parser.value(huge));
    faults.HugePageBytes = std::max(parser.value(hugeBytes).toLongLong(), 0LL);
    faults.HugePageFill = parser.value(hugeFill).toUtf8();
    faults.TotalWithSeparator = parser.isSet(separator);
    faults.ShiftRows = parser.value(shift).toInt();
    faults.Realistic = parser.isSet(realistic);
    const QString words = parser.value(wording).toLower();
    faults.TotalWords = words == QLatin1String("dash")   ? screener_sim::TotalWording::Dash
                        : words == QLatin1String("bold") ? screener_sim::TotalWording::Bold
                        : words == QLatin1String("tab")  ? screener_sim::TotalWording::Tab
                                                         : screener_sim::TotalWording::Standard;
    faults.FlakyRows = RowList(parser.value(flaky));
    faults.TooManyRows = RowList(parser.value(tooMany));
    faults.UnavailableRows = RowList(parser.value(unavailable));
    faults.RetryAfterSeconds = parser.value(retryAfter).toInt();
    faults.DownFromRequest = parser.value(downFrom).toInt();
    faults.TrickleMs = parser.value(trickle).toInt();
    faults.Chunked = parser.isSet(chunked);
    faults.KeepAlive = parser.isSet(keepAlive);

    if (!server.Listen(static_cast<quint16>(parser.value(port).toUInt()))) {
        std::fprintf(stderr, "zentrin-screener-sim: cannot listen on 127.0.0.1:%s\n",
                     qPrintable(parser.value(port)));
        return 1;
    }
    std::printf("%u\n", static_cast<unsigned>(server.Port()));
    std::fflush(stdout);

    QObject::connect(&server, &screener_sim::ScreenerServer::RequestHandled,
                     [](const screener_sim::SimRequest &request) {
                         std::fprintf(
                             stderr, "%d %s%s%s\n", request.Status, qPrintable(request.Target),
                             request.Fault.isEmpty() ? "" : " ", qPrintable(request.Fault));
                     });
    return app.exec();
}
