#include "app/PageFetcher.h"

#include <QtGlobal>

#include "platform/Clock.h"
#include "web/WebBrowser.h"

PageFetcher::PageFetcher(platform::WebBrowser &browser, QObject *parent)
    : QObject(parent), browser(browser), settleRoundMs(SettleRoundMs())
{
    connect(&browser, &platform::WebBrowser::DocumentComplete, this,
            &PageFetcher::OnDocumentComplete, Qt::DirectConnection);
}

void PageFetcher::OnDocumentComplete(QObject *, QString &address)
{
    completedUrl = address;
}

QString PageFetcher::FetchPage(const QString &address)
{
    NavigateAndWait(address);
    SettleWait();
    return GetBodyHtml();
}

bool PageFetcher::NavigateAndWait(const QString &address)
{
    platform::Clock &clock = platform::CurrentClock();
    uint32_t start = clock.TickCount();
    cancelled = false;
    completedUrl.clear();
    browser.Navigate(address,
                     platform::WebBrowser::NoReadFromCache | platform::WebBrowser::NoWriteToCache);
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

QString PageFetcher::GetBodyHtml() const
{
    const platform::HtmlDocument *document = browser.Document();
    if (!document)
        return {};
    const platform::ElementCollection &all = document->All();
    int n = all.Length();
    // The first element (HTML) cannot be the BODY, so the search starts after it.
    for (int i = 1; i <= n; ++i) {
        const platform::HtmlElement *element = all.Item(i);
        if (element && element->tagName().compare(QLatin1String("BODY"), Qt::CaseInsensitive) == 0)
            return element->innerhtml();
    }
    return {};
}
