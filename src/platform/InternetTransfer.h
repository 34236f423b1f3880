#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace platform {

// One HTTP transfer channel: a URL, a request executed on it, the response read back in chunks,
// and state notices. A channel runs one request at a time; its notices arrive through the event
// loop, never from inside Execute or Cancel, and a cancelled request sends none.
class InternetTransfer : public QObject {
    Q_OBJECT
public:
    // The states a channel reports; the numbers are the classic ones owners compare with.
    enum State : int {
        StateNone = 0,
        // The request failed: no connection, the connection closed early, the time limit passed.
        StateError = 11,
        // A whole answer arrived, whatever its HTTP status; the body is ready for GetChunk.
        StateResponseCompleted = 12,
    };

    // The idle limit of a new channel's requests, in milliseconds.
    static constexpr int DefaultRequestTimeout = 60000;

    explicit InternetTransfer(QObject *parent = nullptr);
    ~InternetTransfer() override;

    QString URL() const { return url; }
    void SetURL(const QString &address) { url = address; }
    // Free text the owner keeps with the channel.
    QString Tag() const { return tag; }
    void SetTag(const QString &text) { tag = text; }
    // A request on which nothing has moved for this many milliseconds fails with StateError;
    // 0 or less waits for ever. A slow transfer that keeps moving is never cut off.
    int RequestTimeout() const { return requestTimeout; }
    void SetRequestTimeout(int milliseconds) { requestTimeout = milliseconds; }

    // Starts the operation ("GET", "POST", ...) on the address, or on URL() when the address is
    // empty, with the body `data` and the extra header lines ("Name: value", separated by line
    // breaks). A request still running is cancelled first, without a notice. Returns at once;
    // a bad address fails later through StateError like any other failure.
    void Execute(const QString &address, const QString &operation, const QByteArray &data,
                 const QString &requestHeaders);
    // Abandons the running request (no notice follows) and forgets the last response.
    void Cancel();
    // True from Execute until its state notice.
    bool StillExecuting() const;

    // The next at most `size` bytes of the response body; empty once it is all read (or when
    // there is no response).
    QByteArray GetChunk(int size);
    // The HTTP status of the last answer; 0 before one arrived or when the request failed.
    int ResponseCode() const { return responseCode; }
    // Why the last request failed; empty when it did not.
    QString ErrorText() const { return errorText; }

signals:
    void StateChanged(int state);

private:
    void Finish(quint64 request);
    void Drop();

    QNetworkAccessManager *network;
    QPointer<QNetworkReply> reply;
    // Counts Execute and Cancel calls, so that a notice of a request given up is recognised.
    quint64 requests = 0;
    bool executing = false;
    QString url;
    QString tag;
    int requestTimeout = DefaultRequestTimeout;
    int responseCode = 0;
    QString errorText;
};

}  // namespace platform
