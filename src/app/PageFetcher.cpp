#include "app/PageFetcher.h"

#include <QDateTime>
#include <QtGlobal>
#include <algorithm>

#include "platform/Clock.h"
#include "web/PageLoader.h"

PageFetcher::PageFetcher(web::PageLoader &loader, QObject *parent)
    : QObject(parent), loader(loader), settleRoundMs(SettleRoundMs())
{
    loader.SetMaxPageBytes(MaxPageBytes);
    connect(&loader, &web::PageLoader::DocumentComplete, this, &PageFetcher::OnDocumentComplete,
            Qt::DirectConnection);
}

void PageFetcher::OnDocumentComplete(QObject *, QString &address)
{
    completedUrl = address;
}

namespace {

// Retry-After in seconds or as an HTTP date; 0 for anything else or a time already past.
uint32_t RetryAfterFrom(const QByteArray &value, uint32_t limit)
{
    const QByteArray text = value.trimmed();
    if (text.isEmpty())
        return 0;
    bool number = false;
    const qint64 seconds = text.toLongLong(&number);
    qint64 ms = 0;
    if (number) {
        ms = std::clamp<qint64>(seconds, 0, limit / 1000 + 1) * 1000;
    } else {
        QDateTime at = QDateTime::fromString(QString::fromLatin1(text), Qt::RFC2822Date);
        if (at.isValid())
            ms = QDateTime::currentDateTimeUtc().msecsTo(at);
    }
    return static_cast<uint32_t>(std::clamp<qint64>(ms, 0, limit));
}

}  // namespace

QString PageFetcher::FetchPage(const QString &address)
{
    const bool completed = NavigateAndWait(address);
    const int status = completed ? loader.LastStatus() : 0;
    lastPageTooLarge = completed && loader.LastLoadTooLarge();
    retryAfterMs = status == 429 || status == 503
                       ? RetryAfterFrom(loader.LastRetryAfter(), CompletionLimitMs)
                       : 0;
    SettleWait();
    // After a time-out the loader still holds the previous page: that is no answer.
    if (!completed)
        return QString();
    bool bodyTooLarge = false;
    QString body = GetBodyHtml(&bodyTooLarge);
    lastPageTooLarge = lastPageTooLarge || bodyTooLarge;
    return body;
}

void PageFetcher::WaitBeforeRetry()
{
    platform::Clock &clock = platform::CurrentClock();
    const uint32_t start = clock.TickCount();
    for (uint32_t waited = 0; !cancelled && waited < retryAfterMs;
         waited = platform::TicksSince(start, clock.TickCount())) {
        clock.PumpEvents();
        clock.Sleep(static_cast<int>(std::min<uint32_t>(SettleSleepMs, retryAfterMs - waited)));
    }
}

bool PageFetcher::NavigateAndWait(const QString &address)
{
    platform::Clock &clock = platform::CurrentClock();
    uint32_t start = clock.TickCount();
    cancelled = false;
    completedUrl.clear();
    loader.Navigate(address, web::PageLoader::NoReadFromCache | web::PageLoader::NoWriteToCache);
    for (;;) {
        if (!completedUrl.isEmpty())
            return lastLoadCompleted = true;
        clock.PumpEvents();
        if (cancelled || platform::TicksSince(start, clock.TickCount()) > CompletionLimitMs)
            return lastLoadCompleted = false;
    }
}

int PageFetcher::SettleRoundMs()
{
    bool ok = false;
    const int total = qEnvironmentVariableIntValue(SettleEnvironmentVariable, &ok);
    if (!ok || total < 0 || total > SettleRounds * SettleSleepMs)
        return SettleSleepMs;
    return total / SettleRounds;
}

void PageFetcher::SettleWait()
{
    platform::Clock &clock = platform::CurrentClock();
    for (int round = 0; round < SettleRounds && !cancelled; ++round) {
        clock.PumpEvents();
        clock.Sleep(settleRoundMs);
    }
}

QString PageFetcher::GetBodyHtml(bool *tooLarge) const
{
    const web::HtmlDocument *document = loader.Document();
    if (!document)
        return {};
    const web::ElementCollection &all = document->All();
    int n = all.Length();
    // The first element (HTML) cannot be the BODY, so the search starts after it.
    for (int i = 1; i <= n; ++i) {
        const web::HtmlElement *element = all.Item(i);
        if (element &&
            element->tagName().compare(QLatin1String("BODY"), Qt::CaseInsensitive) == 0) {
            // Entities a page writes short ("&" for "&amp;") may make its body many times as
            // long as the page.
            std::optional<QString> body = element->InnerHtmlWithin(MaxPageBytes);
            if (tooLarge)
                *tooLarge = !body;
            return body.value_or(QString());
        }
    }
    return {};
}
