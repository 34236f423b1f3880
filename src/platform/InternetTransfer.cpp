#include "platform/InternetTransfer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>

namespace platform {

namespace {

// Qt turns an answer with a status of 400 or more into an error of its own; the answer itself
// still arrived whole.
bool IsStatusError(QNetworkReply::NetworkError error)
{
    return (error >= QNetworkReply::ContentAccessDenied &&
            error <= QNetworkReply::UnknownContentError) ||
           error == QNetworkReply::ProtocolInvalidOperationError ||
           (error >= QNetworkReply::InternalServerError &&
            error <= QNetworkReply::UnknownServerError);
}

void AddHeaderLines(QNetworkRequest &request, const QString &lines)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString &line : lines.split(lineBreak, Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            continue;
        request.setRawHeader(line.left(colon).trimmed().toLatin1(),
                             line.mid(colon + 1).trimmed().toLatin1());
    }
}

}  // namespace

InternetTransfer::InternetTransfer(QObject *parent)
    : QObject(parent), network(new QNetworkAccessManager(this))
{
}

InternetTransfer::~InternetTransfer()
{
    Drop();
}

void InternetTransfer::Execute(const QString &address, const QString &operation,
                               const QByteArray &data, const QString &requestHeaders)
{
    Drop();
    const quint64 request = ++requests;
    responseCode = 0;
    errorText.clear();
    if (!address.isEmpty())
        url = address;

    QNetworkRequest httpRequest{QUrl(url)};
    AddHeaderLines(httpRequest, requestHeaders);
    if (requestTimeout > 0)
        httpRequest.setTransferTimeout(requestTimeout);
    QByteArray verb = operation.trimmed().toUpper().toLatin1();
    if (verb.isEmpty())
        verb = "GET";
    reply = verb == "GET" && data.isEmpty() ? network->get(httpRequest)
                                            : network->sendCustomRequest(httpRequest, verb, data);
    executing = true;
    // Queued: a failure Qt knows at once must still reach the owner through the event loop, after
    // Execute has returned.
    connect(
        reply, &QNetworkReply::finished, this, [this, request] { Finish(request); },
        Qt::QueuedConnection);
}

void InternetTransfer::Cancel()
{
    Drop();
    ++requests;
    responseCode = 0;
}

bool InternetTransfer::StillExecuting() const
{
    return executing;
}

QByteArray InternetTransfer::GetChunk(int size)
{
    if (!reply || executing || size <= 0)
        return {};
    return reply->read(size);
}

void InternetTransfer::Finish(quint64 request)
{
    if (request != requests || !reply)
        return;
    executing = false;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = reply->error();
    if (status.isValid() && (error == QNetworkReply::NoError || IsStatusError(error))) {
        responseCode = status.toInt();
        emit StateChanged(StateResponseCompleted);
    } else {
        responseCode = 0;
        errorText = reply->errorString();
        emit StateChanged(StateError);
    }
}

void InternetTransfer::Drop()
{
    executing = false;
    if (!reply)
        return;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
    reply = nullptr;
}

}  // namespace platform
