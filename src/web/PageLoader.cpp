#include "web/PageLoader.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "platform/MarkupDepth.h"

namespace web {

PageLoader::PageLoader(QObject *parent) : QObject(parent), network(new QNetworkAccessManager(this))
{
}

PageLoader::~PageLoader() = default;

void PageLoader::Navigate(const QString &address, int flags)
{
    if (pending) {
        pending->disconnect(this);
        pending->abort();
        pending->deleteLater();
    }

    QNetworkRequest request{QUrl(address)};
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QByteArrayLiteral("Mozilla/4.0 (compatible; Zentrin 2.0)"));
    if (flags & NoReadFromCache) {
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::AlwaysNetwork);
        // Proxies on the way must not answer from their caches either.
        request.setRawHeader("Pragma", "no-cache");
        request.setRawHeader("Cache-Control", "no-cache");
    }
    if (flags & NoWriteToCache)
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    QNetworkReply *reply = network->get(request);
    pending = reply;
    tooLarge = false;
    if (maxPageBytes > 0) {
        // An announced length decides before the first byte; without one, what has come so far.
        connect(reply, &QNetworkReply::metaDataChanged, this,
                [this, reply] { RefuseWhenTooLarge(reply); });
        connect(reply, &QNetworkReply::readyRead, this,
                [this, reply] { RefuseWhenTooLarge(reply); });
    }
    QString reported = address.isEmpty() ? QStringLiteral("about:blank") : address;
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, reported] { Finish(reply, reported); });
}

void PageLoader::RefuseWhenTooLarge(QNetworkReply *reply)
{
    if (reply != pending || tooLarge)
        return;
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (reply->bytesAvailable() > maxPageBytes ||
        (length.isValid() && length.toLongLong() > maxPageBytes)) {
        tooLarge = true;
        reply->abort();  // finishes the reply: Finish makes the error page
    }
}

void PageLoader::Finish(QNetworkReply *reply, const QString &address)
{
    reply->deleteLater();
    if (reply != pending)
        return;
    pending = nullptr;
    lastTooLarge = tooLarge;

    QVariant statusAttribute = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    int status = statusAttribute.isValid() ? statusAttribute.toInt() : 0;
    lastStatus = status;
    lastRetryAfter = reply->rawHeader("Retry-After");
    if (lastTooLarge) {
        document = HtmlDocument::Parse(ErrorPage(
            address, QStringLiteral("The page is larger than %1 bytes.").arg(maxPageBytes)));
    } else if (status >= 400) {
        QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        document = HtmlDocument::Parse(ErrorPage(
            address, QStringLiteral("The server answered HTTP %1 %2.").arg(status).arg(reason)));
    } else if (reply->error() != QNetworkReply::NoError) {
        document = HtmlDocument::Parse(ErrorPage(address, reply->errorString()));
    } else {
        document =
            DocumentFromBody(address, reply->readAll(),
                             reply->header(QNetworkRequest::ContentTypeHeader).toByteArray());
    }

    QString reported = address;
    emit DocumentComplete(this, reported);
}

std::unique_ptr<HtmlDocument> PageLoader::DocumentFromBody(const QString &address,
                                                           const QByteArray &body,
                                                           const QByteArray &contentType)
{
    // Building the tree of absurdly deep markup takes the parser time that grows with the square
    // of the depth; no real page comes near the limit.
    if (platform::MarkupDepth(body, MaxElementDepth) > MaxElementDepth)
        return HtmlDocument::Parse(ErrorPage(
            address, QStringLiteral("The page nests its elements too deeply to be shown.")));
    std::unique_ptr<HtmlDocument> document = HtmlDocument::FromBytes(body, contentType);
    if (document->Refused())
        return HtmlDocument::Parse(
            ErrorPage(address, QStringLiteral("The page has too many elements to be shown.")));
    return document;
}

std::string PageLoader::ErrorPage(const QString &address, const QString &reason)
{
    QString html = QStringLiteral(
                       "<html><head><title>Cannot show the page</title></head>\n"
                       "<body><h1>The page cannot be shown</h1>\n"
                       "<p>%1</p>\n<p>%2</p>\n</body></html>\n")
                       .arg(address.toHtmlEscaped(), reason.toHtmlEscaped());
    return html.toStdString();
}

}  // namespace web
