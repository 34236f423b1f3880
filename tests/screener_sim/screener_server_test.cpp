#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include "screener-sim/PageMarkup.h"
#include "screener-sim/ScreenerServer.h"

using namespace screener_sim;

namespace {

struct Response {
    bool closed = false;  // the server closed the connection
    int status = 0;       // 0 without a status line
    qsizetype contentLength = -1;
    std::string body;
};

int Count(const std::string &text, const std::string &part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// One GET on a raw socket, read until the server closes the connection (at most 10 s).
Response Get(quint16 port, const QString &target)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_TRUE(socket.waitForConnected(10000));
    socket.write("GET " + target.toLatin1() +
                 " HTTP/1.1\r\nHost: 127.0.0.1\r\nPragma: no-cache\r\n\r\n");
    QByteArray bytes;
    Response response;
    response.closed = QTest::qWaitFor(
        [&] {
            bytes += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        10000);
    bytes += socket.readAll();
    qsizetype headEnd = bytes.indexOf("\r\n\r\n");
    if (bytes.startsWith("HTTP/1.1 ") && headEnd > 0) {
        response.status = bytes.mid(9, 3).toInt();
        QByteArray head = bytes.left(headEnd).toLower();
        qsizetype at = head.indexOf("content-length: ");
        if (at >= 0)
            response.contentLength = head.mid(at + 16, head.indexOf('\r', at) - at - 16).toInt();
        response.body = bytes.mid(headEnd + 4).toStdString();
    }
    return response;
}

class ScreenerServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.Listen()); }
    Response Page(int b) { return Get(sim.Port(), ResultPageTarget(b)); }

    ScreenerServer sim{45};
};

}  // namespace

TEST_F(ScreenerServerTest, ResultPagesAreWrittenTheOldWayTwentyRowsInNameOrder)
{
    for (int b : {1, 21, 41, 61}) {
        SCOPED_TRACE(b);
        Response page = Page(b);
        ASSERT_EQ(page.status, 200);
        EXPECT_EQ(page.contentLength, static_cast<qsizetype>(page.body.size()));
        const std::string &html = page.body;
        int rows = std::clamp(45 - (b - 1), 0, 20);

        // Lower-case tags, quoted attributes, no TBODY; one row a line.
        EXPECT_EQ(Count(html, "<TD"), 0);
        EXPECT_EQ(Count(html, "tbody"), 0);
        EXPECT_EQ(Count(html, "More Info</font></b></td></tr>\n"), 1);
        EXPECT_EQ(Count(html, "\n<tr><td><font face=\"arial\" size=\"-1\"><b><a href=\"/ver04/"),
                  rows);
        EXPECT_EQ(Count(html, "</tr>\n</table>"), 3);

        for (int i = 0; i < rows; ++i) {
            const SimStock &stock = sim.Universe()[static_cast<size_t>(b - 1 + i)];
            std::string row = ">" + stock.Symbol.toStdString() +
                              "</a></b></font></td><td><font "
                              "face=\"arial\" size=\"-1\">" +
                              EncodeWindows1252(stock.Cells[1].toHtmlEscaped()).toStdString() +
                              "</font></td>";
            EXPECT_EQ(Count(html, row), 1) << row;
        }
        std::string range = b <= 45 ? "Showing " + std::to_string(b) + " to " +
                                          std::to_string(std::min(b + 19, 45)) + " of 45 ("
                                    : "No stocks from row 61 on (45 in all)";
        size_t at = html.find(range);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(html.find(")</font></td>", at), html.find("</font></td>", at) - 1);
        EXPECT_LT(at, html.find("More Info"));
    }
    ASSERT_EQ(sim.RequestLog().size(), 4);
    EXPECT_EQ(sim.RequestLog()[1].FirstRow, 21);
    EXPECT_EQ(sim.RequestLog()[1].ServedFrom, 20);
    EXPECT_EQ(sim.RequestLog()[2].ServedCount, 5);
    EXPECT_EQ(sim.RequestLog()[3].ServedFrom, -1);
    EXPECT_EQ(sim.RequestLog()[0].Header("PRAGMA"), "no-cache");
    EXPECT_EQ(sim.RequestLog()[0].Path, "/b");
}

TEST_F(ScreenerServerTest, QuoteAndHomePagesAndUnknownPaths)
{
    const SimStock &stock = sim.Universe()[7];
    Response quote = Get(sim.Port(), "/ver04/quote.html?s=" + stock.Symbol.toLower());
    EXPECT_EQ(quote.status, 200);
    EXPECT_NE(quote.body.find(stock.Cells[1].toHtmlEscaped().toStdString()), std::string::npos);
    EXPECT_NE(Get(sim.Port(), "/ver04/quote.html?s=ZZZZZ").body.find("no stock has the symbol"),
              std::string::npos);
    EXPECT_EQ(Get(sim.Port(), "/ver04/quote.html").status, 200);
    EXPECT_NE(Get(sim.Port(), "/").body.find("b=1\">stocks priced $0 to $5"), std::string::npos);
    EXPECT_EQ(Get(sim.Port(), "/ver05/quote.html").status, 404);
    EXPECT_EQ(sim.RequestLog().last().Status, 404);
}

TEST_F(ScreenerServerTest, FaultsOnChosenPages)
{
    SimFaults &faults = sim.Faults();
    faults.ErrorRows = {21};
    faults.DropRows = {41};
    faults.NoTableRows = {61};
    faults.TruncateRows = {81};
    faults.BinaryRows = {101};
    faults.HugeRows = {121};
    faults.HugePageBytes = 1'000'003;  // made piece by piece, each piece where the last ended
    faults.HugePageFill = "<td x>";
    faults.TotalWithSeparator = true;
    ScreenerServer big(1234);
    ASSERT_TRUE(big.Listen());
    big.SetFaults(faults);

    EXPECT_NE(Get(big.Port(), ResultPageTarget(1)).body.find("Showing 1 to 20 of 1,234 ("),
              std::string::npos);
    EXPECT_EQ(Get(big.Port(), ResultPageTarget(21)).status, 500);
    Response dropped = Get(big.Port(), ResultPageTarget(41));
    EXPECT_TRUE(dropped.closed);
    EXPECT_EQ(dropped.status, 0);
    Response noTable = Get(big.Port(), ResultPageTarget(61));
    EXPECT_EQ(noTable.status, 200);
    EXPECT_EQ(noTable.body.find("More Info"), std::string::npos);
    EXPECT_EQ(noTable.body.find("Showing"), std::string::npos);
    Response truncated = Get(big.Port(), ResultPageTarget(81));
    EXPECT_TRUE(truncated.closed);
    EXPECT_EQ(static_cast<qsizetype>(truncated.body.size()), truncated.contentLength / 2);
    Response binary = Get(big.Port(), ResultPageTarget(101));
    EXPECT_EQ(binary.body.size(), 4096u);
    EXPECT_NE(binary.body.find('\0'), std::string::npos);
    Response huge = Get(big.Port(), ResultPageTarget(121));
    EXPECT_EQ(huge.contentLength, 1'000'003);
    const QByteArray whole = OversizedPageBytes(0, 1'000'003, 1'000'003, "<td x>");
    EXPECT_EQ(huge.body, whole.toStdString());
    EXPECT_TRUE(
        whole.startsWith("<html><body><table><tr><td><b><font face=arial size=-1>More Info"));
    EXPECT_TRUE(whole.endsWith("</table></body></html>"));

    QStringList seen;
    for (const SimRequest &request : big.RequestLog())
        seen << QString::number(request.Status) + ' ' + request.Fault;
    EXPECT_EQ(seen.join(',').toStdString(),
              "200 ,500 error,0 drop,200 no-table,200 truncate,200 binary,200 huge");
}

TEST_F(ScreenerServerTest, AHangingPageNeverAnswersAndADelayedOneAnswersLate)
{
    sim.Faults().HangRows = {21};
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, sim.Port());
    ASSERT_TRUE(socket.waitForConnected(10000));
    QSignalSpy handled(&sim, &ScreenerServer::RequestHandled);
    socket.write("GET " + ResultPageTarget(21).toLatin1() + " HTTP/1.1\r\n\r\n");
    ASSERT_TRUE(handled.wait(10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(socket.bytesAvailable(), 0);
    EXPECT_EQ(socket.state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(sim.RequestLog().last().Fault, "hang");
    EXPECT_EQ(sim.RequestLog().last().Status, 0);

    sim.Faults().DelayMs = 150;
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(Page(1).status, 200);
    EXPECT_GE(timer.elapsed(), 150);
}

TEST_F(ScreenerServerTest, AShiftingListRepeatsRowsOnLaterPages)
{
    sim.Faults().ShiftRows = 3;
    for (int b : {1, 1, 21, 41}) Page(b);
    std::vector<int> from;
    for (const SimRequest &request : sim.RequestLog()) from.push_back(request.ServedFrom);
    EXPECT_EQ(from, (std::vector<int>{0, 0, 14, 31}));
    EXPECT_EQ(sim.RequestLog()[3].ServedCount, 14);

    sim.ClearLog();
    Page(21);
    EXPECT_EQ(sim.RequestLog()[0].ServedFrom, 20);
}

TEST(ScreenerSimProgram, PrintsItsPortFirstAndServesTheFaultsItIsGiven)
{
    QString program =
        QCoreApplication::applicationDirPath() + "/../tools/screener-sim/zentrin-screener-sim";
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    QProcess sim;
    sim.start(program, {"--stocks", "45", "--error-pages", "21,61", "--total-separator"});
    ASSERT_TRUE(sim.waitForReadyRead(10000));
    bool ok = false;
    quint16 port = static_cast<quint16>(sim.readLine().trimmed().toUInt(&ok));
    ASSERT_TRUE(ok);
    EXPECT_NE(Get(port, ResultPageTarget(1)).body.find("Showing 1 to 20 of 45 ("),
              std::string::npos);
    EXPECT_EQ(Get(port, ResultPageTarget(21)).status, 500);
    EXPECT_EQ(Get(port, ResultPageTarget(41)).status, 200);
    sim.kill();
    sim.waitForFinished(10000);
}

TEST_F(ScreenerServerTest, TransientFaultsFailOnceAndKeepAliveServesSeveralChunkedAnswers)
{
    SimFaults &faults = sim.Faults();
    faults.FlakyRows = {21};
    faults.TooManyRows = {41};
    faults.RetryAfterSeconds = 7;
    faults.KeepAlive = true;
    faults.Chunked = true;

    // Three requests on one connection, the last two sent at once.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, sim.Port());
    ASSERT_TRUE(socket.waitForConnected(10000));
    const auto request = [](int b) {
        return "GET " + ResultPageTarget(b).toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    };
    socket.write(request(21));
    QByteArray bytes;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            bytes += socket.readAll();
            return bytes.endsWith("0\r\n\r\n");
        },
        10000));
    socket.write(request(21) + request(41));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            bytes += socket.readAll();
            return bytes.count("0\r\n\r\n") >= 3;
        },
        10000));
    EXPECT_EQ(socket.state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(bytes.count("Transfer-Encoding: chunked\r\n"), 3);
    EXPECT_EQ(bytes.count("Connection: keep-alive\r\n"), 3);
    EXPECT_EQ(bytes.count("Retry-After: 7\r\n"), 1);

    QStringList seen;
    for (const SimRequest &r : sim.RequestLog()) seen << QString::number(r.Status) + ' ' + r.Fault;
    EXPECT_EQ(seen.join(',').toStdString(), "500 flaky,200 ,429 busy");

    // The chunks of the good answer put together are the page.
    const qsizetype head = bytes.indexOf("HTTP/1.1 200");
    QByteArray rest = bytes.mid(bytes.indexOf("\r\n\r\n", head) + 4), body;
    for (bool ok = true; ok;) {
        const qsizetype line = rest.indexOf("\r\n");
        const int size = rest.left(line).toInt(&ok, 16);
        ok = ok && size > 0;
        if (ok)
            body += rest.mid(line + 2, size);
        rest = rest.mid(line + 2 + size + 2);
    }
    EXPECT_TRUE(body.endsWith("</html>\n"));
    EXPECT_NE(body.indexOf("Showing 21 to 40 of 45"), -1);
}
