#include <gtest/gtest.h>

#include <QTimer>

#include "app/PageFetcher.h"
#include "app/ResultPageParser.h"
#include "platform/Clock.h"
#include "screener-sim/ScreenerServer.h"
#include "store/StockTable.h"
#include "web/WebBrowser.h"

using screener_sim::ScreenerServer;
using screener_sim::SimStock;

namespace {

// Pages are fetched for real from the in-process simulator; only the waits are on fake time.
class FetchAndParseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Listen());
        Stocks().Clear();
        QObject::connect(&watchdog, &QTimer::timeout, [this] { clock.Advance(60000); });
        watchdog.start(30000);
    }
    void TearDown() override { Stocks().Clear(); }

    // Fetches the pages with these first-row numbers and parses them into the table in turn.
    int FetchAndParse(const std::vector<int> &firstRows)
    {
        int k = 0;
        for (int b : firstRows) k = ParseResultPage(fetcher.FetchPage(sim.ResultPageAddress(b)), k);
        return k;
    }

    void ExpectRecordIs(int index, const SimStock &stock)
    {
        SCOPED_TRACE("record " + std::to_string(index) + " " + stock.Symbol.toStdString());
        const StockRecord &record = Stocks()[index];
        EXPECT_EQ(record.Symbol.toStdString(), stock.Symbol.toStdString());
        EXPECT_EQ(record.Company.toStdString(), stock.Company.toStdString());
        EXPECT_EQ(record.Industry.toStdString(), stock.Industry.toStdString());
        EXPECT_EQ(record.Text3.toStdString(), stock.Text3.toStdString());
        for (int field = 4; field < StockRecord::FieldCount; ++field)
            EXPECT_DOUBLE_EQ(record.NumberField(field), stock.Number(field)) << "field " << field;
    }

    ScreenerServer sim{45};
    web::WebBrowser browser;
    PageFetcher fetcher{browser.Loader()};
    platform::FakeClock clock;
    platform::ScopedClock useClock{clock};
    QTimer watchdog;
};

}  // namespace

TEST_F(FetchAndParseTest, EveryPageReadsBackAsTheTrueValuesTidyOrHandWritten)
{
    ScreenerServer big(300);
    ASSERT_TRUE(big.Listen());
    std::vector<int> firstRows;
    for (int b = 1; b <= 300; b += 20) firstRows.push_back(b);
    for (bool realistic : {false, true}) {
        SCOPED_TRACE(realistic ? "hand-written" : "tidy");
        big.Faults().Realistic = realistic;
        Stocks().Clear();
        int k = 0;
        for (int b : firstRows) k = ParseResultPage(fetcher.FetchPage(big.ResultPageAddress(b)), k);
        ASSERT_EQ(k, 300);
        for (int i = 0; i < 300; ++i) ExpectRecordIs(i, big.Universe()[static_cast<size_t>(i)]);
    }

    // The universe is built to exercise the reader: make sure this one does.
    bool ampersand = false, quote = false, western = false, dotted = false, kilo = false,
         billions = false, grouped = false, dash = false, empty = false;
    for (const SimStock &stock : big.Universe()) {
        const auto &cells = stock.RealisticCells;
        ampersand |= cells[1].contains('&') || stock.Industry.contains('&');
        quote |= cells[1].contains('"') || cells[1].contains('\'');
        western |= cells[1].contains(QChar(0x2019)) || cells[1].contains(QChar(0xC9));
        dotted |= stock.Symbol.contains('.') || stock.Symbol.contains('-');
        kilo |= cells[6].endsWith('K');
        billions |= cells[6].endsWith('B');
        grouped |= cells[7].contains(',') && cells[12].contains(',');
        dash |= cells[9] == "-";
        empty |= cells[13].isEmpty() || cells[16].isEmpty();
    }
    EXPECT_TRUE(ampersand && quote && western && dotted && kilo && billions && grouped && dash &&
                empty);
}

TEST_F(FetchAndParseTest, PagesThatFailOrShiftGiveWhatTheServerListed)
{
    sim.Faults().ErrorRows = {21};
    sim.Faults().NoTableRows = {41};
    EXPECT_EQ(FetchAndParse({1, 21, 41}), 20);

    // A list that moves back 3 rows a request repeats rows across pages.
    sim.SetFaults({});
    sim.Faults().ShiftRows = 3;
    sim.ClearLog();
    Stocks().Clear();
    int k = FetchAndParse({1, 21, 41});
    int index = 0;
    for (const auto &request : sim.RequestLog()) {
        for (int row = 0; row < request.ServedCount; ++row)
            ExpectRecordIs(index++, sim.Universe()[static_cast<size_t>(request.ServedFrom + row)]);
    }
    EXPECT_EQ(k, index);
    EXPECT_EQ(k, 20 + 20 + 11);  // pages from rows 0, 17 and 34
}
