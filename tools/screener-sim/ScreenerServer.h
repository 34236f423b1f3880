#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <vector>

#include "screener-sim/PageMarkup.h"
#include "screener-sim/Universe.h"

class QTcpServer;
class QTcpSocket;

namespace screener_sim {

// Faults the simulator shows on request. Result pages are chosen by the first-row number of
// their address (the b= value: 1, 21, 41, ...); every request for that page shows the fault.
struct SimFaults {
    int DelayMs = 0;      // wait this long before answering any result page
    QSet<int> ErrorRows;  // answered "500 Internal Server Error"
    // Connection closed without an answer. Qt's HTTP client sends such a request a second time,
    // so a browser's load of the page shows twice in the log.
    QSet<int> DropRows;
    QSet<int> HangRows;      // never answered (the connection stays open)
    QSet<int> NoTableRows;   // a page without the result table
    QSet<int> TruncateRows;  // half the announced body, then the connection closes
    QSet<int> BinaryRows;    // bytes that are no HTML at all, announced as text/html
    // An oversized page of HugePageBytes bytes (OversizedPageBytes with HugePageFill), sent piece
    // by piece as the client takes it: its length announced, or in chunks with Chunked.
    QSet<int> HugeRows;
    qint64 HugePageBytes = 50'000'000;
    QByteArray HugePageFill = "<tr>";
    bool TotalWithSeparator = false;  // "Showing 1 to 20 of 5,432"
    TotalWording TotalWords = TotalWording::Standard;
    // New listings push the list back between requests: the n-th result-page request (from 0)
    // lists rows from b - 1 - n * ShiftRows on (not below the first), so rows repeat across pages
    // and the last ones are never reached.
    int ShiftRows = 0;

    // Pages written by hand rather than tidily (see ResultPageHtml), with the charset only in
    // a <meta> element.
    bool Realistic = false;

    // Transient faults: the first request for such a page fails, every later one is answered.
    QSet<int> FlakyRows;        // "500 Internal Server Error" once
    QSet<int> TooManyRows;      // "429 Too Many Requests" once, with Retry-After
    QSet<int> UnavailableRows;  // "503 Service Unavailable" once, with Retry-After
    int RetryAfterSeconds = 2;  // the Retry-After of those answers; negative: none sent
    // The connection goes down: from this result-page request on (counted from 0), every one
    // is closed unanswered. Negative: never.
    int DownFromRequest = -1;

    // How answers travel: the body in eight pieces this many milliseconds apart (0: at once),
    // chunked transfer coding instead of a length, the connection kept open for more requests.
    int TrickleMs = 0;
    bool Chunked = false;
    bool KeepAlive = false;
};

// What a file served under "/files/" shows instead of a plain answer.
enum class FileFault {
    None,
    Error,     // "500 Internal Server Error" with an error page
    Drop,      // connection closed without an answer
    Hang,      // never answered
    Truncate,  // half the announced body, then the connection closes
};

// One file the simulator serves, with the fault it shows and how long it waits before answering.
struct SimFile {
    QByteArray Body;
    FileFault Fault = FileFault::None;
    int DelayMs = 0;
};

// One request the simulator received.
struct SimRequest {
    QByteArray Method;
    QString Target;  // path and query as sent
    QString Path;
    QList<QPair<QByteArray, QByteArray>> Headers;  // names as sent
    int FirstRow = -1;                             // b= of a result page, -1 for other paths
    int ServedFrom = -1;  // universe index of the first row listed, -1 when none was
    int ServedCount = 0;  // rows listed
    int Status = 0;       // HTTP status sent; 0 when no answer was sent (drop, hang)
    // "", "error", "drop", "hang", "no-table", "truncate", "binary", "huge", "flaky", "busy",
    // "down", "not-found" (an unknown file); "client-gone" when the client closed the connection
    // while a delayed answer was waiting
    QString Fault;

    // The value of a request header, matched without regard to case; empty when absent.
    QByteArray Header(const QByteArray &name) const;
};

// The stock screener on 127.0.0.1: "/b?pr=0/5&s=nm&db=stocks&vw=0&b=N" (20 rows a page, in name
// order), "/ver04/quote.html?s=SYM", the home page "/", and the files added with AddFile under
// "/files/NAME" (any other name there is "404 Not Found"). Runs in the thread that owns it, on
// that thread's event loop, so a test can start it in-process.
class ScreenerServer : public QObject {
    Q_OBJECT

public:
    explicit ScreenerServer(int universeSize = DefaultUniverseSize, QObject *parent = nullptr);
    ~ScreenerServer() override;

    // Listens on 127.0.0.1 at the port, or a free one for 0. False when the port is taken.
    bool Listen(quint16 port = 0);
    quint16 Port() const;
    // "http://127.0.0.1:PORT", the value for ZENTRIN_SCREENER_URL.
    QString Site() const;
    QString ResultPageAddress(int firstRow) const;

    const std::vector<SimStock> &Universe() const { return universe; }
    int Total() const { return static_cast<int>(universe.size()); }
    // The list from the next request on (see ShiftUniverse).
    void SetUniverse(std::vector<SimStock> stocks) { universe = std::move(stocks); }

    SimFaults &Faults() { return faults; }
    void SetFaults(const SimFaults &newFaults) { faults = newFaults; }

    // Serves the file as "/files/NAME" (application/octet-stream), replacing one of that name.
    void AddFile(const QString &name, const SimFile &file) { files.insert(name, file); }
    void AddFile(const QString &name, const QByteArray &body) { files.insert(name, {body}); }
    // "http://127.0.0.1:PORT/files/NAME"
    QString FileAddress(const QString &name) const;

    const QList<SimRequest> &RequestLog() const { return log; }
    // Forgets the log and restarts the count that ShiftRows works from.
    void ClearLog();

signals:
    // A request was answered, dropped or left hanging (its log entry is final).
    void RequestHandled(const screener_sim::SimRequest &request);

private:
    void Accept();
    void Read(QTcpSocket *socket);
    void Handle(QTcpSocket *socket, SimRequest request);
    void Respond(QTcpSocket *socket, SimRequest request);
    void HandleFile(QTcpSocket *socket, SimRequest request);
    void RespondFile(QTcpSocket *socket, SimRequest request);
    void Send(QTcpSocket *socket, int status, const QByteArray &body, SimRequest &request,
              qsizetype sendOnly = -1, const QByteArray &contentType = {},
              const QByteArray &extraHeaders = {});
    void SendHuge(QTcpSocket *socket, SimRequest &request);
    bool FirstRequestFor(int firstRow);

    std::vector<SimStock> universe;
    SimFaults faults;
    QHash<QString, SimFile> files;
    QList<SimRequest> log;
    int resultRequests = 0;
    QSet<int> requestedRows;  // pages asked for since the log was cleared
    QTcpServer *server;
};

}  // namespace screener_sim
