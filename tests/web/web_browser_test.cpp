#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include "screener-sim/ScreenerServer.h"
#include "web/WebBrowser.h"

using screener_sim::ScreenerServer;
using web::WebBrowser;

namespace {

std::string BodyHtml(const WebBrowser &browser)
{
    if (!browser.Document())
        return "<no document>";
    const auto &all = browser.Document()->All();
    for (int i = 0; i < all.Length(); ++i) {
        if (all.Item(i)->tagName() == QLatin1String("BODY"))
            return all.Item(i)->innerhtml().toStdString();
    }
    return "<no body>";
}

// Records the notifications (QSignalSpy cannot take the by-reference address).
struct Completions {
    explicit Completions(WebBrowser &browser)
    {
        QObject::connect(&browser, &WebBrowser::DocumentComplete, &context,
                         [this](QObject *frame, QString &address) {
                             frames.append(frame);
                             addresses.append(address);
                         });
    }
    bool Wait(int count = 1)
    {
        return QTest::qWaitFor([&] { return addresses.size() >= count; }, 10000);
    }
    QObject context;  // ends the connection with the recorder
    QList<QObject *> frames;
    QStringList addresses;
};

class WebBrowserTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.Listen()); }

    // Navigates and waits (at most 10 s of real time) for the one notification.
    void Load(const QString &address)
    {
        Completions completions(browser);
        browser.Navigate(address, WebBrowser::NoReadFromCache | WebBrowser::NoWriteToCache);
        ASSERT_TRUE(completions.Wait()) << address.toStdString();
        ASSERT_EQ(completions.addresses.size(), 1);
    }

    ScreenerServer sim{45};
    WebBrowser browser;
};

}  // namespace

TEST_F(WebBrowserTest, NavigateReturnsAtOnceAndCompletesThroughTheEventLoop)
{
    EXPECT_EQ(browser.Document(), nullptr);
    Completions completions(browser);
    QString address = sim.ResultPageAddress(21);
    browser.Navigate(address, WebBrowser::NoReadFromCache | WebBrowser::NoWriteToCache);
    EXPECT_TRUE(completions.addresses.isEmpty());
    EXPECT_TRUE(browser.Busy());
    ASSERT_TRUE(completions.Wait());
    ASSERT_EQ(completions.addresses.size(), 1);
    EXPECT_EQ(completions.frames[0], &browser);
    EXPECT_EQ(completions.addresses[0].toStdString(), address.toStdString());
    EXPECT_FALSE(browser.Busy());
    EXPECT_NE(
        BodyHtml(browser).find("Showing 21 to 40 of 45 (price $0 to $5, by name)</FONT></TD>"),
        std::string::npos);

    // The cache flags reach the wire, so nothing on the way answers from a cache.
    ASSERT_EQ(sim.RequestLog().size(), 1);
    EXPECT_EQ(sim.RequestLog()[0].Header("pragma"), "no-cache");
    EXPECT_EQ(sim.RequestLog()[0].Header("cache-control"), "no-cache");
}

TEST_F(WebBrowserTest, FailedNavigationsCompleteWithTheBrowsersErrorPage)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    QString refused = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();

    sim.Faults().ErrorRows = {21};
    sim.Faults().DropRows = {41};
    sim.Faults().TruncateRows = {1};
    const std::pair<QString, std::string> cases[] = {
        {refused, "refused"},
        {sim.ResultPageAddress(21), "HTTP 500 Internal Server Error"},
        {sim.ResultPageAddress(41), "closed"},
        {sim.ResultPageAddress(1), "closed"},
        {sim.Site() + "/nothing-here", "HTTP 404"},
    };
    for (const auto &[address, reason] : cases) {
        // A good page first, so the error page has something to replace.
        Load(sim.Site() + "/");
        Load(address);
        std::string body = BodyHtml(browser);
        EXPECT_NE(body.find("<H1>The page cannot be shown</H1>"), std::string::npos) << body;
        EXPECT_NE(body.find(reason), std::string::npos) << body;
        EXPECT_NE(body.find(address.toHtmlEscaped().toStdString()), std::string::npos) << body;
    }
}

TEST_F(WebBrowserTest, BinaryNoiseStillGivesADocument)
{
    sim.Faults().BinaryRows = {1};
    Load(sim.ResultPageAddress(1));
    ASSERT_NE(browser.Document(), nullptr);
    EXPECT_GE(browser.Document()->All().Length(), 3);
    EXPECT_EQ(BodyHtml(browser).find("More Info"), std::string::npos);
}

TEST_F(WebBrowserTest, ANewNavigationAbandonsThePendingOneAndKeepsTheOldPageUntilThen)
{
    Load(sim.ResultPageAddress(1));
    const web::HtmlDocument *first = browser.Document();

    sim.Faults().HangRows = {21};
    Completions completions(browser);
    browser.Navigate(sim.ResultPageAddress(21));
    QSignalSpy logged(&sim, &ScreenerServer::RequestHandled);
    ASSERT_TRUE(logged.wait(10000));
    EXPECT_EQ(browser.Document(), first);
    EXPECT_TRUE(browser.Busy());

    Load(sim.ResultPageAddress(41));
    ASSERT_EQ(completions.addresses.size(), 1);
    EXPECT_EQ(completions.addresses[0].toStdString(), sim.ResultPageAddress(41).toStdString());
    EXPECT_NE(BodyHtml(browser).find("Showing 41 to 45 of 45"), std::string::npos);
    ASSERT_EQ(sim.RequestLog().size(), 3);
    EXPECT_EQ(sim.RequestLog()[1].Fault, "hang");
}
