#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "web/HtmlDocument.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace web {

// Loads one page at a time over HTTP and holds the parsed document for the program to read.
// Loading never blocks: Navigate returns at once and DocumentComplete arrives later through the
// event loop, also when the load failed (the document is then an error page, so nobody waits
// for a page that will never come). Needs no window: the headless update loads through it too.
class PageLoader : public QObject {
    Q_OBJECT

public:
    // Navigate flags, combinable.
    static constexpr int NoReadFromCache = 4;
    static constexpr int NoWriteToCache = 8;

    explicit PageLoader(QObject *parent = nullptr);
    ~PageLoader() override;

    // Starts loading the address (http: with host and port, or data:) and returns at once.
    // A load still under way is abandoned without a notification.
    void Navigate(const QString &address, int flags = 0);

    // The last completed document (the page or the error page); nullptr before any has completed.
    const HtmlDocument *Document() const { return document.get(); }
    // True from Navigate until its document completes.
    bool Busy() const { return !pending.isNull(); }
    // The HTTP status of the last completed load (0 when no server answered), and its
    // Retry-After header as sent (empty when there was none).
    int LastStatus() const { return lastStatus; }
    const QByteArray &LastRetryAfter() const { return lastRetryAfter; }

    // The most bytes one page may have; 0 (the default) sets no limit. A larger answer is not
    // read on: the load ends at once with an error page and LastLoadTooLarge().
    void SetMaxPageBytes(qint64 bytes) { maxPageBytes = bytes; }
    qint64 MaxPageBytes() const { return maxPageBytes; }
    // Whether the last completed load was cut off for passing MaxPageBytes.
    bool LastLoadTooLarge() const { return lastTooLarge; }

    // Pages whose elements nest deeper than this are shown as an error page.
    static constexpr int MaxElementDepth = 5000;
    // The document of a received body: the body itself, or an error page for markup nested
    // deeper than MaxElementDepth or too large for a tree (HtmlDocument::TreeBudget).
    static std::unique_ptr<HtmlDocument> DocumentFromBody(const QString &address,
                                                          const QByteArray &body,
                                                          const QByteArray &contentType);

signals:
    // A document finished loading. frame is the loader; address is the one given to Navigate
    // ("about:blank" when that was empty).
    void DocumentComplete(QObject *frame, QString &address);

private:
    void Finish(QNetworkReply *reply, const QString &address);
    void RefuseWhenTooLarge(QNetworkReply *reply);
    static std::string ErrorPage(const QString &address, const QString &reason);

    QNetworkAccessManager *network;
    QPointer<QNetworkReply> pending;
    std::unique_ptr<HtmlDocument> document;
    int lastStatus = 0;
    QByteArray lastRetryAfter;
    qint64 maxPageBytes = 0;
    bool tooLarge = false;  // of the pending load
    bool lastTooLarge = false;
};

}  // namespace web
