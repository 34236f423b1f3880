#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

namespace web {
class PageLoader;
}

// Loads screener pages through a page loader (the main window's browser, or the headless
// update's own) and hands back the BODY markup the result-page parser reads. Everything runs on
// the one thread: the waits pump events (which is how the completion arrives) and go through
// platform::CurrentClock().
class PageFetcher : public QObject {
    Q_OBJECT

public:
    // Longest wait for a completed document, in milliseconds.
    static constexpr uint32_t CompletionLimitMs = 30000;
    // The settle wait: this many rounds of one pump and one sleep, a second in all.
    static constexpr int SettleRounds = 10;
    static constexpr int SettleSleepMs = 100;
    // Demonstrations against the local simulator may shorten the whole settle wait to this
    // many milliseconds (0 to 1000); any other value, or none, keeps the second.
    static constexpr const char *SettleEnvironmentVariable = "ZENTRIN_SETTLE_MS";
    // The sleep of one settle round as the environment asks for it.
    static int SettleRoundMs();

    // The most bytes a result page may have. A real one has 20 to 40 KB; an answer past this is
    // no page of the screener, and reading it would cost the program seconds and gigabytes.
    static constexpr qint64 MaxPageBytes = 8 * 1024 * 1024;
    static constexpr int MaxPageMegabytes = MaxPageBytes / (1024 * 1024);

    explicit PageFetcher(web::PageLoader &loader, QObject *parent = nullptr);

    // The BODY content of the page at the address: NavigateAndWait, the settle wait, then
    // GetBodyHtml. A failed load gives the loader's error page; a load that did not complete
    // gives empty text, never the document of an earlier page.
    QString FetchPage(const QString &address);

    // How long the server of the last fetch asked to be left alone before the next try (its
    // Retry-After with a "429 Too Many Requests" or "503 Service Unavailable"), at most the
    // completion limit; 0 when it asked nothing.
    uint32_t RetryAfterMs() const { return retryAfterMs; }
    // Waits RetryAfterMs() pumping events (Cancel ends it), so a retry honours the request.
    void WaitBeforeRetry();

    // Starts loading and pumps events until a document completes or just over 30 seconds
    // have passed on the clock (a wrap of the 32-bit counter in between does no harm).
    // Returns whether a document completed (false after the time-out or a Cancel).
    bool NavigateAndWait(const QString &address);
    // Lets the page settle for about a second; also keeps the program to one page a second.
    // The round length is read when the fetcher is made.
    void SettleWait();
    // The inner HTML of the first BODY element of the loader's document after the first
    // element; empty without a document or without a BODY, and when it would take more than
    // MaxPageBytes (*tooLarge is then set, when given).
    QString GetBodyHtml(bool *tooLarge = nullptr) const;

    // The address of the last completed document; empty while a navigation is pending.
    const QString &CompletedUrl() const { return completedUrl; }

    // Whether the last FetchPage got a completed document, rather than giving up after the
    // time-out: callers that must not take a stale page for the new one check it.
    bool LastLoadCompleted() const { return lastLoadCompleted; }
    // Whether the last FetchPage was refused for passing MaxPageBytes, as it came or as its
    // BODY is written out (its text is then the loader's error page, or empty).
    bool LastPageTooLarge() const { return lastPageTooLarge; }

    // Ends the current and every later wait at once, until the next FetchPage or
    // NavigateAndWait starts (the window is closing in the middle of a fetch).
    void Cancel() { cancelled = true; }
    bool Cancelled() const { return cancelled; }

private:
    void OnDocumentComplete(QObject *frame, QString &address);

    web::PageLoader &loader;
    const int settleRoundMs;
    QString completedUrl;
    bool lastLoadCompleted = false;
    bool lastPageTooLarge = false;
    uint32_t retryAfterMs = 0;
    bool cancelled = false;
};
