#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTimer>

#include "app/PageFetcher.h"
#include "app/ScreenerAddress.h"
#include "platform/Clock.h"
#include "screener-sim/ScreenerServer.h"
#include "web/WebBrowser.h"

using platform::FakeClock;

namespace {

int Count(const std::string &text, const std::string &part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Fake time stands still while the fetcher pumps, so a fetch waits for the real reply from the
// simulator. Should a reply never come, a real-time watchdog moves fake time past the limit and
// the fetch returns instead of hanging the suite.
class PageFetcherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Listen());
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [this] { clock.Advance(60000); });
        watchdog.start(20000);
    }

    screener_sim::ScreenerServer sim{45};
    web::WebBrowser browser;
    PageFetcher fetcher{browser.Loader()};
    FakeClock clock{1000};
    platform::ScopedClock useClock{clock};
    QTimer watchdog;
};

}  // namespace

TEST_F(PageFetcherTest, FetchedBodiesCarryThePageReadersMarkersExactly)
{
    for (int b : {1, 21, 41}) {
        std::string body = fetcher.FetchPage(sim.ResultPageAddress(b)).toStdString();
        const screener_sim::SimRequest &served = sim.RequestLog().last();
        ASSERT_EQ(served.FirstRow, b);
        ASSERT_EQ(fetcher.CompletedUrl(), sim.ResultPageAddress(b));

        const std::string header = "More Info</FONT></B></TD></TR>";
        const std::string tableEnd = "</TBODY></TABLE>";
        ASSERT_EQ(Count(body, header), 1) << body;
        size_t rowsStart = body.find(header) + header.size();
        size_t rowsEnd = body.find(tableEnd, rowsStart);
        ASSERT_NE(rowsEnd, std::string::npos) << body;
        std::string rows = body.substr(rowsStart, rowsEnd - rowsStart);

        // One row a line, every cell opened and closed the way the reader splits them.
        EXPECT_EQ(Count(rows, "<TR>"), served.ServedCount);
        EXPECT_EQ(Count(rows, "</TR>\r\n"), served.ServedCount);
        EXPECT_EQ(Count(rows, "<TD><FONT face=arial size=-1>"), 19 * served.ServedCount);
        EXPECT_EQ(Count(rows, "</FONT></TD>"), 19 * served.ServedCount);
        EXPECT_EQ(rows.rfind("\r\n", 0), 0u);
        EXPECT_EQ(Count(body, "\n"), Count(body, "\r\n")) << "a line break without CR";
        EXPECT_EQ(Count(body, "\r\r"), 0);

        // The total, on the first page only in the form the update run looks for.
        std::string total = b == 1 ? "Showing 1 to 20 of 45 (" : "Showing " + std::to_string(b);
        size_t at = body.find(total);
        ASSERT_NE(at, std::string::npos) << body;
        EXPECT_EQ(body.find(")</FONT></TD>", at), body.find("</FONT></TD>", at) - 1);
    }
    EXPECT_EQ(sim.RequestLog().size(), 3);
}

TEST_F(PageFetcherTest, ACompletedLoadStillCostsTheFullSettleWait)
{
    uint32_t start = clock.TickCount();
    fetcher.FetchPage(sim.ResultPageAddress(1));
    EXPECT_EQ(clock.Sleeps(), std::vector<int>(10, 100));
    // Every sleep comes after a pump of its own (the first also after the wait's pumps).
    for (int pumps : clock.PumpsBeforeSleeps()) EXPECT_GE(pumps, 1);
    EXPECT_EQ(platform::TicksSince(start, clock.TickCount()), 1000u);
}

TEST_F(PageFetcherTest, APageThatNeverCompletesGivesUpJustOverThirtySeconds)
{
    fetcher.FetchPage(sim.ResultPageAddress(1));
    sim.Faults().HangRows = {21};
    clock.SetPumpStep(7);

    // Once in the middle of the counter's range and once across its wrap.
    for (uint32_t start : {5000000u, 0xFFFFFFFFu - 12000}) {
        clock.Advance(start - clock.TickCount());
        EXPECT_FALSE(fetcher.NavigateAndWait(sim.ResultPageAddress(21)));
        uint32_t waited = platform::TicksSince(start, clock.TickCount());
        EXPECT_GT(waited, 30000u);
        EXPECT_LE(waited, 30007u);
        EXPECT_TRUE(fetcher.CompletedUrl().isEmpty());
    }
    // The browser still holds the last page that did complete; a fetch never hands it out as
    // the page that did not.
    fetcher.SettleWait();
    EXPECT_TRUE(fetcher.GetBodyHtml().contains("Showing 1 to 20 of 45"));
    EXPECT_EQ(fetcher.FetchPage(sim.ResultPageAddress(21)), QString());
    EXPECT_FALSE(fetcher.LastLoadCompleted());
}

TEST_F(PageFetcherTest, CancelEndsTheWaitsAndTheNextFetchWaitsAgain)
{
    sim.Faults().HangRows = {21};
    QObject::connect(&sim, &screener_sim::ScreenerServer::RequestHandled,
                     [this](const screener_sim::SimRequest &r) {
                         if (r.FirstRow == 21)
                             fetcher.Cancel();
                     });
    const uint32_t start = clock.TickCount();
    fetcher.FetchPage(sim.ResultPageAddress(21));
    EXPECT_FALSE(fetcher.LastLoadCompleted());
    EXPECT_TRUE(clock.Sleeps().empty());  // no settle wait either
    EXPECT_LT(platform::TicksSince(start, clock.TickCount()), 1000u);

    fetcher.FetchPage(sim.ResultPageAddress(1));
    EXPECT_TRUE(fetcher.LastLoadCompleted());
    EXPECT_EQ(clock.Sleeps().size(), 10u);
}

TEST_F(PageFetcherTest, AServerErrorEndsTheWaitWithTheErrorPage)
{
    sim.Faults().ErrorRows = {21};
    clock.SetPumpStep(1);  // a wait to the limit would show as 30 s on the clock
    uint32_t start = clock.TickCount();
    QString body = fetcher.FetchPage(sim.ResultPageAddress(21));
    EXPECT_LT(platform::TicksSince(start, clock.TickCount()), 20000u);
    EXPECT_EQ(fetcher.CompletedUrl(), sim.ResultPageAddress(21));
    EXPECT_TRUE(body.contains("The page cannot be shown")) << body.toStdString();
    EXPECT_FALSE(body.contains("More Info"));
}

TEST_F(PageFetcherTest, BodyLookupWithoutDocumentWithoutBodyAndInLowerCase)
{
    EXPECT_EQ(fetcher.GetBodyHtml(), QString());

    // A frameset document has no BODY at all.
    fetcher.FetchPage("data:text/html,<html><head></head><frameset><frame src=a.html></frameset>");
    ASSERT_NE(browser.Document(), nullptr);
    EXPECT_EQ(fetcher.GetBodyHtml(), QString());

    EXPECT_EQ(fetcher.FetchPage("data:text/html,<html><body bgcolor=white>hi<br>there</body>"),
              "hi<BR>there");
}

TEST(ScreenerAddress, SiteComesFromTheEnvironmentWithTheBuiltInHostAsFallback)
{
    QByteArray saved = qgetenv(ScreenerAddress::EnvironmentVariable);
    qunsetenv(ScreenerAddress::EnvironmentVariable);
    EXPECT_EQ(ScreenerAddress::Site(), ScreenerAddress::DefaultSite);
    EXPECT_TRUE(ScreenerAddress::QuotePageAddress().startsWith(ScreenerAddress::DefaultSite));

    qputenv(ScreenerAddress::EnvironmentVariable, "http://127.0.0.1:8123/");
    EXPECT_EQ(ScreenerAddress::ResultPageAddress(5441),
              "http://127.0.0.1:8123/b?pr=0/5&s=nm&db=stocks&vw=0&b=5441");
    EXPECT_EQ(ScreenerAddress::QuotePageAddress(), "http://127.0.0.1:8123/ver04/quote.html");
    EXPECT_EQ(ScreenerAddress::HomePageAddress(), "http://127.0.0.1:8123/");

    if (saved.isNull())
        qunsetenv(ScreenerAddress::EnvironmentVariable);
    else
        qputenv(ScreenerAddress::EnvironmentVariable, saved);
}

TEST(PageFetcherSettle, DemonstrationsMayShortenTheSettleWait)
{
    const struct {
        const char *value;  // nullptr: not set
        int roundMs;
    } cases[] = {{nullptr, 100}, {"200", 20}, {"0", 0},     {"1000", 100},
                 {"1001", 100},  {"-5", 100}, {"abc", 100}, {"", 100}};
    for (const auto &c : cases) {
        if (c.value)
            qputenv(PageFetcher::SettleEnvironmentVariable, c.value);
        else
            qunsetenv(PageFetcher::SettleEnvironmentVariable);
        EXPECT_EQ(PageFetcher::SettleRoundMs(), c.roundMs) << (c.value ? c.value : "unset");
    }
    qunsetenv(PageFetcher::SettleEnvironmentVariable);
}
