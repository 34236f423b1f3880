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
    QCommandLineOption separator(QStringLiteral("total-separator"),
                                 QStringLiteral("Write the total with a thousands separator."));
    QCommandLineOption shift(QStringLiteral("shift"),
                             QStringLiteral("Rows the list moves back with each result request."),
                             QStringLiteral("n"), QStringLiteral("0"));
    parser.addOptions(
        {port, stocks, delay, errors, drops, hangs, noTable, truncated, binary, separator, shift});
    parser.process(app);

    int size = std::clamp(parser.value(stocks).toInt(), 0, 32767);
    screener_sim::ScreenerServer server(size);
    screener_sim::SimFaults &faults = server.Faults();
    faults.DelayMs = parser.value(delay).toInt();
    faults.ErrorRows = RowList(parser.value(errors));
    faults.DropRows = RowList(parser.value(drops));
    faults.HangRows = RowList(parser.value(hangs));
    faults.NoTableRows = RowList(parser.value(noTable));
    faults.TruncateRows = RowList(parser.value(truncated));
    faults.BinaryRows = RowList(parser.value(binary));
    faults.TotalWithSeparator = parser.isSet(separator);
    faults.ShiftRows = parser.value(shift).toInt();

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
