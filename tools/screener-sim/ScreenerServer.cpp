#include "screener-sim/ScreenerServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>
#include <memory>

#include "screener-sim/PageMarkup.h"

namespace screener_sim {

namespace {

const char bufferProperty[] = "simRequestBytes";
const char handledProperty[] = "simRequestHandled";

QByteArray ReasonPhrase(int status)
{
    switch (status) {
        case 200:
            return "OK";
        case 404:
            return "Not Found";
        case 429:
            return "Too Many Requests";
        case 503:
            return "Service Unavailable";
        case 500:
            return "Internal Server Error";
        default:
            return "Unknown";
    }
}

QByteArray ErrorPageHtml(int status)
{
    return "<html><head><title>" + QByteArray::number(status) + " " + ReasonPhrase(status) +
           "</title></head>\n<body><h1>" + ReasonPhrase(status) +
           "</h1>\n<p>The server could not complete your request.</p>\n</body></html>\n";
}

// Noise with every byte value in it, the same every time.
QByteArray BinaryNoise()
{
    QByteArray bytes(4096, '\0');
    uint32_t state = 2463534242u;
    for (char &b : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        b = static_cast<char>(state & 0xFF);
    }
    return bytes;
}

bool ParseRequestHead(const QByteArray &head, SimRequest &request)
{
    QList<QByteArray> lines = head.split('\n');
    if (lines.isEmpty())
        return false;
    QList<QByteArray> parts = lines.first().trimmed().split(' ');
    if (parts.size() < 2)
        return false;
    request.Method = parts[0];
    request.Target = QString::fromLatin1(parts[1]);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QByteArray line = lines[i].trimmed();
        qsizetype colon = line.indexOf(':');
        if (colon > 0)
            request.Headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    QUrl url(QStringLiteral("http://127.0.0.1") + request.Target);
    request.Path = url.path();
    if (request.Path == QLatin1String("/b")) {
        bool ok = false;
        int b = QUrlQuery(url).queryItemValue(QStringLiteral("b")).toInt(&ok);
        request.FirstRow = ok && b > 0 ? b : 1;
    }
    return true;
}

}  // namespace

QByteArray SimRequest::Header(const QByteArray &name) const
{
    for (const auto &[key, value] : Headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

ScreenerServer::ScreenerServer(int universeSize, QObject *parent)
    : QObject(parent), universe(MakeUniverse(universeSize)), server(new QTcpServer(this))
{
    connect(server, &QTcpServer::newConnection, this, &ScreenerServer::Accept);
}

ScreenerServer::~ScreenerServer() = default;

bool ScreenerServer::Listen(quint16 port)
{
    return server->listen(QHostAddress::LocalHost, port);
}

quint16 ScreenerServer::Port() const
{
    return server->serverPort();
}

QString ScreenerServer::Site() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(Port());
}

QString ScreenerServer::ResultPageAddress(int firstRow) const
{
    return Site() + ResultPageTarget(firstRow);
}

QString ScreenerServer::FileAddress(const QString &name) const
{
    return Site() + QStringLiteral("/files/") + name;
}

void ScreenerServer::ClearLog()
{
    log.clear();
    resultRequests = 0;
    requestedRows.clear();
}

bool ScreenerServer::FirstRequestFor(int firstRow)
{
    if (requestedRows.contains(firstRow))
        return false;
    requestedRows.insert(firstRow);
    return true;
}

void ScreenerServer::Accept()
{
    while (QTcpSocket *socket = server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void ScreenerServer::Read(QTcpSocket *socket)
{
    if (socket->property(handledProperty).toBool()) {
        // One request at a time; with keep-alive the next waits for the answer to this one.
        if (faults.KeepAlive)
            socket->setProperty(bufferProperty,
                                socket->property(bufferProperty).toByteArray() + socket->readAll());
        else
            socket->readAll();  // one request a connection; anything after it is ignored
        return;
    }
    QByteArray bytes = socket->property(bufferProperty).toByteArray() + socket->readAll();
    qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty(bufferProperty, bytes);
        return;
    }
    socket->setProperty(handledProperty, true);
    socket->setProperty(bufferProperty, bytes.mid(end + 4));
    SimRequest request;
    if (!ParseRequestHead(bytes.left(end), request)) {
        socket->abort();
        return;
    }
    Handle(socket, std::move(request));
}

void ScreenerServer::Handle(QTcpSocket *socket, SimRequest request)
{
    if (request.Path.startsWith(QLatin1String("/files/"))) {
        HandleFile(socket, std::move(request));
        return;
    }
    if (request.FirstRow < 0) {
        Respond(socket, std::move(request));
        return;
    }
    // The shift counts requests as they arrive, whatever order the answers leave in.
    int n = resultRequests++;
    if (faults.DownFromRequest >= 0 && n >= faults.DownFromRequest) {
        request.Fault = QStringLiteral("down");
        log.append(request);
        socket->abort();
        emit RequestHandled(log.last());
        return;
    }
    int from = std::clamp(request.FirstRow - 1 - n * faults.ShiftRows, 0, Total());
    request.ServedFrom = from;

    if (faults.HangRows.contains(request.FirstRow)) {
        request.Fault = QStringLiteral("hang");
        request.ServedFrom = -1;
        log.append(request);
        emit RequestHandled(log.last());
        return;
    }
    if (faults.DelayMs > 0) {
        QTimer::singleShot(faults.DelayMs, socket,
                           [this, socket, request] { Respond(socket, request); });
        return;
    }
    Respond(socket, std::move(request));
}

void ScreenerServer::Respond(QTcpSocket *socket, SimRequest request)
{
    // The client gave up during a delay.
    if (socket->state() != QAbstractSocket::ConnectedState) {
        request.Fault = QStringLiteral("client-gone");
        request.ServedFrom = -1;
        log.append(request);
        emit RequestHandled(log.last());
        return;
    }
    const int b = request.FirstRow;
    if (b < 0) {
        if (request.Path == QLatin1String("/") || request.Path == QLatin1String("/index.html")) {
            Send(socket, 200, HomePageHtml(), request);
        } else if (request.Path == QLatin1String("/ver04/quote.html")) {
            QString symbol = QUrlQuery(QUrl(QStringLiteral("http://127.0.0.1") + request.Target))
                                 .queryItemValue(QStringLiteral("s"))
                                 .trimmed()
                                 .toUpper();
            Send(socket, 200, QuotePageHtml(universe, symbol), request);
        } else {
            Send(socket, 404, ErrorPageHtml(404), request);
        }
        return;
    }

    if (faults.DropRows.contains(b)) {
        request.Fault = QStringLiteral("drop");
        request.ServedFrom = -1;
        log.append(request);
        socket->abort();
        emit RequestHandled(log.last());
        return;
    }
    if (faults.ErrorRows.contains(b)) {
        request.Fault = QStringLiteral("error");
        request.ServedFrom = -1;
        Send(socket, 500, ErrorPageHtml(500), request);
        return;
    }
    if (faults.BinaryRows.contains(b)) {
        request.Fault = QStringLiteral("binary");
        request.ServedFrom = -1;
        Send(socket, 200, BinaryNoise(), request);
        return;
    }
    if (faults.HugeRows.contains(b)) {
        request.Fault = QStringLiteral("huge");
        request.ServedFrom = -1;
        SendHuge(socket, request);
        return;
    }

    const bool first = FirstRequestFor(b);
    if (first && faults.FlakyRows.contains(b)) {
        request.Fault = QStringLiteral("flaky");
        request.ServedFrom = -1;
        Send(socket, 500, ErrorPageHtml(500), request);
        return;
    }
    if (first && (faults.TooManyRows.contains(b) || faults.UnavailableRows.contains(b))) {
        const int status = faults.TooManyRows.contains(b) ? 429 : 503;
        request.Fault = QStringLiteral("busy");
        request.ServedFrom = -1;
        Send(socket, status, ErrorPageHtml(status), request, -1, {},
             faults.RetryAfterSeconds < 0
                 ? QByteArray()
                 : "Retry-After: " + QByteArray::number(faults.RetryAfterSeconds) + "\r\n");
        return;
    }

    ResultPageOptions options;
    options.firstRow = b;
    options.servedFrom = request.ServedFrom;
    options.totalWithSeparator = faults.TotalWithSeparator;
    options.totalWording = faults.TotalWords;
    options.realistic = faults.Realistic;
    options.withTable = !faults.NoTableRows.contains(b);
    if (options.withTable) {
        request.ServedCount = std::min(RowsPerPage, Total() - options.servedFrom);
    } else {
        request.Fault = QStringLiteral("no-table");
    }
    if (request.ServedCount == 0)
        request.ServedFrom = -1;
    QByteArray page = ResultPageHtml(universe, options);
    if (faults.TruncateRows.contains(b)) {
        request.Fault = QStringLiteral("truncate");
        Send(socket, 200, page, request, page.size() / 2);
        return;
    }
    Send(socket, 200, page, request);
}

void ScreenerServer::SendHuge(QTcpSocket *socket, SimRequest &request)
{
    const qint64 total = std::max<qint64>(faults.HugePageBytes, 0);
    const bool chunked = faults.Chunked;
    QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=iso-8859-1\r\n";
    head += chunked ? QByteArray("Transfer-Encoding: chunked\r\n")
                    : "Content-Length: " + QByteArray::number(total) + "\r\n";
    head += "Connection: close\r\n\r\n";
    request.Status = 200;
    log.append(request);
    emit RequestHandled(log.last());
    socket->write(head);

    // Made as the client drains the socket: the server never holds the whole page.
    auto sent = std::make_shared<qint64>(0);
    const auto topUp = [socket, sent, total, chunked, fill = faults.HugePageFill] {
        constexpr qint64 Piece = 256 * 1024;
        if (*sent > total)
            return;  // ended
        while (*sent < total && socket->bytesToWrite() < 4 * Piece) {
            const QByteArray piece = OversizedPageBytes(*sent, Piece, total, fill);
            *sent += piece.size();
            socket->write(chunked ? QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n"
                                  : piece);
        }
        if (*sent == total) {
            if (chunked)
                socket->write("0\r\n\r\n");
            *sent = total + 1;
            socket->disconnectFromHost();
        }
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, topUp);
    topUp();
}

void ScreenerServer::HandleFile(QTcpSocket *socket, SimRequest request)
{
    const auto found = files.constFind(request.Path.mid(7));
    const SimFile file = found == files.constEnd() ? SimFile() : *found;
    if (file.Fault == FileFault::Hang) {
        request.Fault = QStringLiteral("hang");
        log.append(request);
        emit RequestHandled(log.last());
        return;
    }
    if (file.DelayMs > 0) {
        QTimer::singleShot(file.DelayMs, socket,
                           [this, socket, request] { RespondFile(socket, request); });
        return;
    }
    RespondFile(socket, std::move(request));
}

void ScreenerServer::RespondFile(QTcpSocket *socket, SimRequest request)
{
    if (socket->state() != QAbstractSocket::ConnectedState) {
        request.Fault = QStringLiteral("client-gone");
        log.append(request);
        emit RequestHandled(log.last());
        return;
    }
    const auto found = files.constFind(request.Path.mid(7));
    if (found == files.constEnd()) {
        request.Fault = QStringLiteral("not-found");
        Send(socket, 404, ErrorPageHtml(404), request);
        return;
    }
    const QByteArray octets = "application/octet-stream";
    switch (found->Fault) {
        case FileFault::Error:
            request.Fault = QStringLiteral("error");
            Send(socket, 500, ErrorPageHtml(500), request);
            return;
        case FileFault::Drop:
            request.Fault = QStringLiteral("drop");
            log.append(request);
            socket->abort();
            emit RequestHandled(log.last());
            return;
        case FileFault::Truncate:
            request.Fault = QStringLiteral("truncate");
            Send(socket, 200, found->Body, request, found->Body.size() / 2, octets);
            return;
        case FileFault::None:
        case FileFault::Hang:
            break;
    }
    Send(socket, 200, found->Body, request, -1, octets);
}

void ScreenerServer::Send(QTcpSocket *socket, int status, const QByteArray &body,
                          SimRequest &request, qsizetype sendOnly, const QByteArray &contentType,
                          const QByteArray &extraHeaders)
{
    // A hand-written site names its charset in the page only.
    const QByteArray type = !contentType.isEmpty() ? contentType
                            : faults.Realistic     ? QByteArray("text/html")
                                                   : QByteArray("text/html; charset=iso-8859-1");
    const bool chunked = faults.Chunked && sendOnly < 0;
    QByteArray response = "HTTP/1.1 " + QByteArray::number(status) + ' ' + ReasonPhrase(status) +
                          "\r\nContent-Type: " + type + "\r\n" + extraHeaders;
    response += chunked ? QByteArray("Transfer-Encoding: chunked\r\n")
                        : "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    response += "Cache-Control: no-cache\r\nConnection: ";
    response += faults.KeepAlive ? "keep-alive\r\n\r\n" : "close\r\n\r\n";
    if (chunked) {
        for (qsizetype at = 0; at < body.size(); at += 1000) {
            const QByteArray piece = body.mid(at, 1000);
            response += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
        }
        response += "0\r\n\r\n";
    } else {
        response += sendOnly < 0 ? body : body.left(sendOnly);
    }
    request.Status = status;
    log.append(request);
    emit RequestHandled(log.last());

    const bool keepOpen = faults.KeepAlive && sendOnly < 0;
    const auto finish = [this, keepOpen](QTcpSocket *s) {
        if (!keepOpen) {
            s->disconnectFromHost();
            return;
        }
        // Ready for the next request on this connection, perhaps already waiting.
        s->setProperty(handledProperty, false);
        if (!s->property(bufferProperty).toByteArray().isEmpty() || s->bytesAvailable() > 0)
            Read(s);
    };
    if (faults.TrickleMs <= 0) {
        socket->write(response);
        finish(socket);
        return;
    }
    // A slow line: the answer arrives in eight pieces.
    constexpr int pieces = 8;
    const qsizetype size = (response.size() + pieces - 1) / pieces;
    QPointer<QTcpSocket> target(socket);
    for (int i = 0; i < pieces; ++i) {
        QTimer::singleShot(i * faults.TrickleMs, socket, [target, response, size, i, finish] {
            if (!target)
                return;
            target->write(response.mid(i * size, size));
            if (i == pieces - 1)
                finish(target);
        });
    }
}

}  // namespace screener_sim
