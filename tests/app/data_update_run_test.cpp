#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <functional>
#include <numeric>

#include "TempProgramFolder.h"
#include "app/ChangesFile.h"
#include "app/DataUpdateRun.h"
#include "app/PageFetcher.h"
#include "app/UpdateRunPanel.h"
#include "history/PriceHistory.h"
#include "history/Sqlite.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "screener-sim/ScreenerServer.h"
#include "store/DataFolderLock.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"
#include "web/PageLoader.h"
#include "widgets/ucProgressBar.h"

using namespace platform;
using screener_sim::ScreenerServer;

namespace {

const QByteArray OldDatabase = "\r\nOLD~!@Old Co~!@Gold~!@X~!@1.5\r\n";
const QByteArray OldStamp = "01,Jan 2020 at 10:00:00 AM\r\n";

// One main window's worth of controls around a simulated screener, with scripted dialogs.
class DataUpdate : public ::testing::Test {
protected:
    void Start(int universeSize)
    {
        sim = std::make_unique<ScreenerServer>(universeSize);
        ASSERT_TRUE(sim->Listen());
        qputenv("ZENTRIN_SCREENER_URL", sim->Site().toUtf8());
    }

    void SetUp() override
    {
        Stocks().Clear();
        QDir(folder.Path()).mkdir("temp");
        SetMessageHandler([this](const MessageRequest &m) {
            messages.push_back(m);
            stampsAtMessages.push_back(folder.ReadBytes("time.txt"));
            return m.buttons == MessageButtons::YesNo ? answer : MessageAnswer::Ok;
        });
    }

    void TearDown() override
    {
        SetMessageHandler({});
        qunsetenv("ZENTRIN_SCREENER_URL");
        Stocks().Clear();
    }

    void KeepOldFiles()
    {
        folder.WriteBytes("data.dat", OldDatabase);
        folder.WriteBytes("time.txt", OldStamp);
    }
    void ExpectOldFilesKept()
    {
        EXPECT_EQ(folder.ReadBytes("data.dat"), OldDatabase);
        EXPECT_EQ(folder.ReadBytes("time.txt"), OldStamp);
    }

    QList<int> RequestedRows() const
    {
        QList<int> rows;
        for (const auto &r : sim->RequestLog())
            if (r.FirstRow >= 0)
                rows << r.FirstRow;
        return rows;
    }

    QString LastMessage() const { return messages.empty() ? QString() : messages.back().text; }

    TempProgramFolder folder;
    FakeClock clock;
    ScopedClock scopedClock{clock};
    std::unique_ptr<ScreenerServer> sim;
    web::PageLoader loader;
    PageFetcher fetcher{loader};
    widgets::ucProgressBar downloadBar;
    widgets::ucProgressBar importBar;
    QLabel status;
    QLabel progress;
    UpdateRunPanel panel{{&downloadBar, &importBar, &status, &progress}};
    DataUpdateRun run{fetcher, panel};
    std::vector<MessageRequest> messages;
    std::vector<QByteArray> stampsAtMessages;  // time.txt as each message box showed
    MessageAnswer answer = MessageAnswer::Yes;
};

}  // namespace

TEST_F(DataUpdate, FullRunDownloadsEveryPageAndReplacesTheDatabase)
{
    Start(45);
    folder.WriteBytes("temp/99.dat", "leftover");
    KeepOldFiles();
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);

    EXPECT_EQ(RequestedRows(), QList<int>({1, 1, 21, 41}));
    EXPECT_EQ(MdlHelpers::CountFiles(folder.File("temp"), "*.dat"), 3);
    EXPECT_FALSE(QFile::exists(folder.File("temp/99.dat")));

    ASSERT_EQ(Stocks().Count(), 45);
    for (int i = 0; i < 45; ++i) {
        const auto &want = sim->Universe()[static_cast<size_t>(i)];
        const StockRecord &got = Stocks()[i];
        EXPECT_EQ(got.Symbol, want.Symbol);
        EXPECT_EQ(got.Company, want.Company);
        EXPECT_EQ(got.Industry, want.Industry);
        EXPECT_EQ(got.Text3, want.Text3);
        for (int f = 4; f < StockRecord::FieldCount; ++f)
            EXPECT_DOUBLE_EQ(got.NumberField(f), want.Number(f)) << i << "/" << f;
    }
    // data.dat holds the same records.
    Stocks().Clear();
    Module1::LoadStockDatabase();
    EXPECT_EQ(Stocks().Count(), 45);

    EXPECT_NE(folder.ReadBytes("time.txt"), OldStamp);
    EXPECT_EQ(downloadBar.Value(), 0);
    EXPECT_EQ(importBar.Value(), 0);
    EXPECT_EQ(downloadBar.Max(), 2);
    EXPECT_EQ(importBar.Max(), 3);
    EXPECT_EQ(status.text(), "");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Data downloaded and imported into application.");
    EXPECT_EQ(messages[0].caption, "Zentrin");
    EXPECT_EQ(messages[0].icon, MessageIcon::Information);
    // Written before the box shows: a kill while it is open keeps data and stamp together.
    EXPECT_EQ(stampsAtMessages[0], folder.ReadBytes("time.txt"));
    // Every page settles for ten 100 ms sleeps.
    EXPECT_EQ(clock.Sleeps().size(), 40u);
}

TEST_F(DataUpdate, TotalWithThousandsSeparatorFetchesEveryPage)
{
    Start(1005);
    sim->Faults().TotalWithSeparator = true;
    EXPECT_EQ(run.GetStockDataFromYahoo(), UpdateOutcome::Completed);
    EXPECT_EQ(RequestedRows().size(), 52);  // the first page, then 0..50
    EXPECT_EQ(RequestedRows().last(), 1001);
    EXPECT_EQ(Stocks().Count(), 1005);
}

TEST_F(DataUpdate, NoTotalMeansNothingIsReplaced)
{
    Start(45);
    KeepOldFiles();
    sim->Faults().ErrorRows = {1};
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::NotDownloaded);
    ExpectOldFilesKept();
    EXPECT_TRUE(LastMessage().contains("could not be downloaded"));
    EXPECT_EQ(messages.back().caption, "Zentrin");
    EXPECT_EQ(RequestedRows(), QList<int>({1, 1}));  // one more try

    // Nobody listening at all.
    messages.clear();
    sim.reset();
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::NotDownloaded);
    ExpectOldFilesKept();
    EXPECT_TRUE(LastMessage().contains("could not be downloaded"));
}

TEST_F(DataUpdate, FailedPagesAreRetriedThenTheUserDecides)
{
    Start(45);
    KeepOldFiles();
    sim->Faults().ErrorRows = {21};
    answer = MessageAnswer::No;
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Declined);
    EXPECT_EQ(RequestedRows(), QList<int>({1, 1, 21, 21, 41}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(messages[0].text.startsWith("1 of 3 pages")) << messages[0].text.toStdString();
    ExpectOldFilesKept();
    EXPECT_EQ(downloadBar.Value(), 0);
    EXPECT_EQ(status.text(), "");

    // Yes imports what came.
    answer = MessageAnswer::Yes;
    sim->Faults().ErrorRows = {21};
    sim->Faults().NoTableRows = {41};
    messages.clear();
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    EXPECT_TRUE(messages[0].text.startsWith("2 of 3 pages"));
    EXPECT_EQ(Stocks().Count(), 20);
    EXPECT_NE(folder.ReadBytes("time.txt"), OldStamp);
}

TEST_F(DataUpdate, PageThatNeverAnswersTimesOutAndCountsAsFailed)
{
    Start(45);
    sim->Faults().HangRows = {41};
    clock.SetPumpStep(1);
    answer = MessageAnswer::Yes;
    EXPECT_EQ(run.GetStockDataFromYahoo(), UpdateOutcome::Completed);
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages[0].text.startsWith("1 of 3 pages"));
    EXPECT_EQ(Stocks().Count(), 40);
}

TEST_F(DataUpdate, ListShorterThanAPageGivesTheDownloadBarOneStep)
{
    Start(8);  // "Showing 1 to 8 of 8": no total in the usual words
    EXPECT_EQ(run.GetStockDataFromYahoo(), UpdateOutcome::Completed);
    EXPECT_EQ(RequestedRows(), QList<int>({1, 1}));
    EXPECT_EQ(downloadBar.Max(), 1);
    EXPECT_EQ(Stocks().Count(), 8);
}

TEST_F(DataUpdate, PagePastTheLastStockIsNoFailure)
{
    Start(30);  // 30 / 20 = 1.5 rounds to 2: the third page lists nothing
    EXPECT_EQ(run.GetStockDataFromYahoo(), UpdateOutcome::Completed);
    EXPECT_EQ(RequestedRows(), QList<int>({1, 1, 21, 41}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Data downloaded and imported into application.");
    EXPECT_EQ(Stocks().Count(), 30);
}

TEST_F(DataUpdate, TooManyStocksStopsBeforeAnythingIsReplaced)
{
    Start(StockTable::MaxRecords + 1);
    KeepOldFiles();
    Module1::LoadStockDatabase();
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::TooManyStocks);
    EXPECT_EQ(RequestedRows().size(), 1);
    ExpectOldFilesKept();
    EXPECT_EQ(Stocks().Count(), 1);
    EXPECT_TRUE(LastMessage().contains("32767"));
}

TEST_F(DataUpdate, FailedSaveKeepsTableDatabaseAndStamp)
{
    Start(45);
    QDir(folder.Path()).mkdir("data.dat");  // nothing can replace a folder with a file
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::SaveFailed);
    EXPECT_TRUE(Stocks().IsEmpty());
    EXPECT_FALSE(QFile::exists(folder.File("time.txt")));
    EXPECT_TRUE(LastMessage().contains("could not be saved"));
    EXPECT_EQ(messages.back().icon, MessageIcon::Critical);
}

// The window's update keeps the price history too; what the history could not do is one more
// message, and the data is replaced all the same.
TEST_F(DataUpdate, HistoryThatIsDamagedOrLockedCostsTheUpdateOneMessage)
{
    Start(45);
    const QString path = folder.File("history.sqlite");
    KeepOldFiles();
    Module1::LoadStockDatabase();
    folder.WriteBytes("history.sqlite", "no database at all");
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].text.contains("was damaged; it was kept as"))
        << messages[0].text.toStdString();
    EXPECT_EQ(messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(messages[1].text, "Data downloaded and imported into application.");
    {
        history::PriceHistory kept;
        ASSERT_TRUE(kept.Open(path).ok);
        EXPECT_EQ(kept.SnapshotCount(), 2);  // the replaced data, then the new
        EXPECT_EQ(kept.Series("OLD").size(), 1u);
    }

    messages.clear();
    folder.WriteBytes("time.txt", OldStamp);
    history::sql::Database other;
    ASSERT_TRUE(other.Open(path, history::sql::Database::Mode::ReadWriteCreate).Ok());
    ASSERT_TRUE(other.Exec("BEGIN IMMEDIATE").Ok());
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "The price history was not updated: another program is using " +
                                    path + " right now.");
    EXPECT_NE(folder.ReadBytes("time.txt"), OldStamp);
    EXPECT_EQ(Stocks().Count(), 45);
}

TEST_F(DataUpdate, RepeatedStocksFromAShiftingScreenerLoadOnce)
{
    Start(45);
    sim->Faults().ShiftRows = 4;
    EXPECT_EQ(run.GetStockDataFromYahoo(), UpdateOutcome::Completed);
    // The shifted pages repeat rows: data.dat keeps every parsed row, the reload one per line.
    const int savedLines =
        MdlHelpers::RemoveBlankLines(MdlHelpers::ReadLines(Module1::DatabasePath(), true)).size();
    EXPECT_GT(savedLines, Stocks().Count());
    QSet<QString> symbols;
    for (const StockRecord &r : Stocks()) symbols.insert(r.Symbol);
    EXPECT_EQ(symbols.size(), Stocks().Count());
}

TEST_F(DataUpdate, SecondStartDuringARunIsIgnoredAndClosingStopsIt)
{
    Start(45);
    KeepOldFiles();
    UpdateOutcome nested = UpdateOutcome::Completed;
    QObject::connect(sim.get(), &ScreenerServer::RequestHandled,
                     [&](const screener_sim::SimRequest &r) {
                         if (r.FirstRow == 21 && nested == UpdateOutcome::Completed) {
                             nested = run.UpdateDataAction();
                             run.Stop();
                         }
                     });
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Stopped);
    EXPECT_EQ(nested, UpdateOutcome::AlreadyRunning);
    EXPECT_FALSE(run.IsRunning());
    ExpectOldFilesKept();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(RequestedRows(), QList<int>({1, 1, 21}));
}

TEST_F(DataUpdate, FirstPageTotalIsReadAsWrittenAndAFullPageWithoutOneIsNoShortList)
{
    using screener_sim::TotalWording;
    struct Case {
        TotalWording words;
        int stocks;
        UpdateOutcome outcome;
        int stored;
    };
    const Case cases[] = {
        {TotalWording::Tab, 45, UpdateOutcome::Completed, 45},
        {TotalWording::Bold, 45, UpdateOutcome::Completed, 45},
        // Not the words the program knows: twenty rows are no short list.
        {TotalWording::Dash, 45, UpdateOutcome::NotDownloaded, 1},
        {TotalWording::Dash, 8, UpdateOutcome::Completed, 8},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.words) * 100 + c.stocks);
        Start(c.stocks);
        sim->Faults().TotalWords = c.words;
        KeepOldFiles();
        Module1::LoadStockDatabase();
        messages.clear();
        EXPECT_EQ(run.UpdateDataAction(), c.outcome);
        EXPECT_EQ(Stocks().Count(), c.stored);
        if (c.outcome == UpdateOutcome::NotDownloaded) {
            ExpectOldFilesKept();
            EXPECT_TRUE(LastMessage().contains("could not be downloaded"));
        } else {
            EXPECT_EQ(LastMessage(), "Data downloaded and imported into application.");
        }
    }
}

TEST_F(DataUpdate, FirstPageThatTimesOutTwiceIsNotTakenFromTheLastRun)
{
    Start(45);
    ASSERT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    const QByteArray database = folder.ReadBytes("data.dat");
    const QByteArray stamp = folder.ReadBytes("time.txt");

    // The browser still holds the last page of that run, a table of five rows.
    sim->Faults().HangRows = {1};
    clock.SetPumpStep(1);
    messages.clear();
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::NotDownloaded);
    EXPECT_EQ(folder.ReadBytes("data.dat"), database);
    EXPECT_EQ(folder.ReadBytes("time.txt"), stamp);
    EXPECT_EQ(Stocks().Count(), 45);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(LastMessage().contains("could not be downloaded"));
}

TEST_F(DataUpdate, PageThatCannotBeSavedIsReportedAndEveryOtherPageImported)
{
    Start(45);
    QDir(folder.Path()).mkpath("temp/1.dat");  // no file can take the place of a folder
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(messages[0].text.startsWith("1 of 3 downloaded pages could not be saved"))
        << messages[0].text.toStdString();
    EXPECT_FALSE(messages[0].text.contains("could not be downloaded"));
    // Pages 0 and 2: the first twenty stocks and the last five.
    ASSERT_EQ(Stocks().Count(), 25);
    EXPECT_EQ(Stocks()[20].Symbol, sim->Universe()[40].Symbol);
}

TEST_F(DataUpdate, ConnectionThatGoesDownEndsTheDownloadAfterThreeFailedPages)
{
    Start(200);  // pages 0 to 10
    KeepOldFiles();
    sim->Faults().DownFromRequest = 2;  // the first page and page 0 come, nothing after them
    clock.SetPumpStep(1);
    answer = MessageAnswer::No;
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Declined);
    QList<int> asked = RequestedRows();
    asked.erase(std::unique(asked.begin(), asked.end()), asked.end());
    EXPECT_EQ(asked, QList<int>({1, 21, 41, 61}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(
        messages[0].text.startsWith("10 of 11 pages of the stock list could not be "
                                    "downloaded"))
        << messages[0].text.toStdString();
    EXPECT_TRUE(messages[0].text.contains("the last 7 pages were not tried"));
    ExpectOldFilesKept();
}

TEST_F(DataUpdate, RunThatFindsNoStockKeepsDatabaseAndStamp)
{
    struct Case {
        int stocks;
        int downFrom;
    };
    // An empty list, and a list whose every page failed after the user said to go on.
    for (const Case c : {Case{0, -1}, Case{45, 1}}) {
        SCOPED_TRACE(c.stocks);
        Start(c.stocks);
        sim->Faults().DownFromRequest = c.downFrom;
        clock.SetPumpStep(1);
        KeepOldFiles();
        Module1::LoadStockDatabase();
        messages.clear();
        EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::NoStocks);
        ExpectOldFilesKept();
        EXPECT_EQ(Stocks().Count(), 1);
        EXPECT_TRUE(LastMessage().startsWith("No stocks were found"))
            << LastMessage().toStdString();
        EXPECT_EQ(messages.back().icon, MessageIcon::Warning);
    }
}

TEST_F(DataUpdate, TimeStampThatCannotBeWrittenIsReported)
{
    Start(45);
    QDir(folder.Path()).mkdir("time.txt");
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Data downloaded and imported into application.");
    EXPECT_TRUE(messages[1].text.contains("time of this update could not be saved"));
    EXPECT_EQ(messages[1].icon, MessageIcon::Warning);
}

TEST_F(DataUpdate, HandWrittenPagesOfFiveThousandStocksImportTheTrueValues)
{
    Start(5000);
    sim->Faults().Realistic = true;
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Data downloaded and imported into application.");

    // What data.dat holds, read back afresh.
    Stocks().Clear();
    Module1::LoadStockDatabase();
    ASSERT_EQ(Stocks().Count(), 5000);
    int wrong = 0;
    for (int i = 0; i < 5000 && wrong < 5; ++i) {
        const auto &want = sim->Universe()[static_cast<size_t>(i)];
        const StockRecord &got = Stocks()[i];
        bool same = got.Symbol == want.Symbol && got.Company == want.Company &&
                    got.Industry == want.Industry && got.Text3 == want.Text3;
        for (int f = 4; f < StockRecord::FieldCount; ++f)
            same = same && std::abs(got.NumberField(f) - want.Number(f)) <=
                               1e-12 * std::max(1.0, std::abs(want.Number(f)));
        if (!same) {
            ++wrong;
            ADD_FAILURE() << i << ": " << Module1::RecordLine(got).toStdString();
        }
    }
}

TEST_F(DataUpdate, TransientFaultsAndSlowTransfersAreRiddenOut)
{
    struct Case {
        const char *name;
        std::function<void(screener_sim::SimFaults &)> set;
        int waitedMs;  // beyond the settle waits
    };
    const Case cases[] = {
        {"fails once", [](auto &f) { f.FlakyRows = {21}; }, 0},
        {"429", [](auto &f) { f.TooManyRows = {21}; }, 2000},
        {"503 asking too long",
         [](auto &f) {
             f.UnavailableRows = {41};
             f.RetryAfterSeconds = 45;
         },
         30000},
        {"503 asking nothing",
         [](auto &f) {
             f.UnavailableRows = {1};
             f.RetryAfterSeconds = -1;
         },
         0},
        {"trickle", [](auto &f) { f.TrickleMs = 15; }, 0},
        {"chunked, keep-alive",
         [](auto &f) {
             f.Chunked = true;
             f.KeepAlive = true;
         },
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Start(45);
        c.set(sim->Faults());
        messages.clear();
        const size_t sleepsBefore = clock.Sleeps().size();
        EXPECT_EQ(run.GetStockDataFromYahoo(), UpdateOutcome::Completed);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Data downloaded and imported into application.");
        EXPECT_EQ(Stocks().Count(), 45);
        const std::vector<int> sleeps(clock.Sleeps().begin() + static_cast<long>(sleepsBefore),
                                      clock.Sleeps().end());
        const int fetches = static_cast<int>(
            std::count_if(sim->RequestLog().begin(), sim->RequestLog().end(),
                          [](const screener_sim::SimRequest &r) { return r.FirstRow > 0; }));
        EXPECT_EQ(std::accumulate(sleeps.begin(), sleeps.end(), 0), fetches * 1000 + c.waitedMs);
    }
}

TEST_F(DataUpdate, ShiftedScreenerGivesTheStocksThatEnteredAndLeftAndTheBigMoves)
{
    using screener_sim::SimStock;
    Start(200);
    sim->Faults().Realistic = true;
    ASSERT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    // The first list has nothing to be compared with: no stock is known to be new.
    EXPECT_EQ(progress.text(),
              QStringLiteral("200 stocks from 11 pages \u00B7 no earlier list to compare with"));
    ASSERT_TRUE(run.LastChanges());
    EXPECT_TRUE(run.LastChanges()->Entered.isEmpty());

    const std::vector<SimStock> before = sim->Universe();
    const auto price = [&](int i) { return before[static_cast<size_t>(i)].Price(); };
    screener_sim::UniverseShift shift;
    shift.Removed = {0, 57, 199};
    shift.Added = {1000, 1001, 1002, 1003, 1004};
    // Three moves over 20 % (up, down, and a bare -30 %); +10 % and -15 % are no moves, nor is
    // the price of a stock that left.
    shift.Repriced = {{3, price(3) * 3},   {4, price(4) * 0.5},  {5, price(5) * 0.7},
                      {6, price(6) * 1.1}, {7, price(7) * 0.85}, {57, price(57) * 3}};
    sim->SetUniverse(screener_sim::ShiftUniverse(before, shift));
    ASSERT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);

    QStringList entered, left;
    for (int i : shift.Added) entered << screener_sim::MakeStock(i).Symbol;
    for (int i : shift.Removed) left << before[static_cast<size_t>(i)].Symbol;
    std::sort(entered.begin(), entered.end());
    std::sort(left.begin(), left.end());
    ASSERT_TRUE(run.LastChanges());
    const BandChanges &changes = *run.LastChanges();
    EXPECT_EQ(changes.Entered, entered);
    EXPECT_EQ(changes.Left, left);
    EXPECT_EQ(changes.Moved, 3);
    EXPECT_EQ(changes.Stocks, 202);
    EXPECT_EQ(changes.StocksBefore, 200);
    EXPECT_EQ(changes.Pages, 11);
    EXPECT_EQ(progress.text(),
              QStringLiteral("202 stocks from 11 pages \u00B7 5 entered the band, 3 left"));
    EXPECT_EQ(status.text(), "");
    EXPECT_EQ(LastMessage(), "Data downloaded and imported into application.");

    // changes.txt says the same, with the time stamp that time.txt got.
    const QString text = MdlHelpers::ReadTextFile(ChangesFile::Path());
    EXPECT_EQ(ChangesFile::Parse(text), run.LastChanges());
    EXPECT_TRUE(text.startsWith("Last update: " + folder.ReadBytes("time.txt").trimmed()))
        << text.toStdString();
    EXPECT_TRUE(text.contains("\r\nEntered\r\n" + entered.join("\r\n") + "\r\nLeft\r\n" +
                              left.join("\r\n") + "\r\n"));

    // Runs that do not complete write nothing and leave the summary.
    const QByteArray written = folder.ReadBytes("changes.txt");
    for (const bool declined : {false, true}) {
        sim->Faults().ErrorRows = declined ? QSet<int>{41} : QSet<int>{1};
        answer = MessageAnswer::No;
        EXPECT_NE(run.UpdateDataAction(), UpdateOutcome::Completed);
        EXPECT_EQ(folder.ReadBytes("changes.txt"), written);
        EXPECT_EQ(run.LastChanges()->Entered, entered);
        EXPECT_EQ(progress.text(),
                  QStringLiteral("202 stocks from 11 pages \u00B7 5 entered the band, 3 left"));
    }
}

TEST_F(DataUpdate, StatusLineShowsThePageWithTheTimeLeftThenTheImportCount)
{
    Start(200);  // pages 0 to 10
    QStringList fetching;
    QObject::connect(sim.get(), &ScreenerServer::RequestHandled,
                     [&](const screener_sim::SimRequest &r) {
                         if (r.FirstRow < 0)
                             return;
                         fetching << progress.text();
                         clock.Advance(29000);  // with the settle waits, half a minute a page
                     });
    QStringList importing;
    QObject::connect(&importBar, &widgets::ucProgressBar::Change, [&] {
        if (progress.text().startsWith("Importing"))
            importing << progress.text();
    });
    ASSERT_EQ(run.GetStockDataFromYahoo(), UpdateOutcome::Completed);

    ASSERT_EQ(fetching.size(), 12);  // the first page, then 0 to 10
    const QString dot = QStringLiteral(" \u00B7 ");
    EXPECT_EQ(fetching[1], "Page 1 of 11");  // nothing done, nothing to go by
    EXPECT_EQ(fetching[2], "Page 2 of 11" + dot + "about 5 min left");    // 10 x 30 s
    EXPECT_EQ(fetching[5], "Page 5 of 11" + dot + "about 4 min left");    // 7 x 30 s
    EXPECT_EQ(fetching[10], "Page 10 of 11" + dot + "about 1 min left");  // 2 x 30 s
    EXPECT_EQ(fetching[11], "Page 11 of 11" + dot + "less than a minute left");
    ASSERT_FALSE(importing.isEmpty());
    EXPECT_EQ(importing.front(), "Importing 20 of 200");
    EXPECT_EQ(importing.back(), "Importing 200 of 200");
    EXPECT_TRUE(progress.text().startsWith("200 stocks from 11 pages"));
}

TEST_F(DataUpdate, AnotherZentrinUpdatingTheFolderIsToldAndNothingIsTouched)
{
    Start(45);
    KeepOldFiles();
    folder.WriteBytes("temp/0.dat", "the other run's page");
    DataFolderLock other;
    ASSERT_EQ(other.TryLock(), DataFolderLock::Result::Locked);
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::FolderInUse);
    EXPECT_EQ(run.ImportPageFiles(), UpdateOutcome::FolderInUse);
    ExpectOldFilesKept();
    EXPECT_EQ(folder.ReadBytes("temp/0.dat"), "the other run's page");
    EXPECT_TRUE(sim->RequestLog().isEmpty());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].text.startsWith("Another Zentrin is updating the stock data in"));
    EXPECT_EQ(messages[0].icon, MessageIcon::Warning);

    // Once it has finished, the run holds the lock only while it works.
    other.Unlock();
    messages.clear();
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    EXPECT_FALSE(QFile::exists(DataFolderLock::Path()));
    EXPECT_EQ(other.TryLock(), DataFolderLock::Result::Locked);
}

TEST_F(DataUpdate, ListThatMovesDuringTheDownloadIsCaughtUpOrItsGapReported)
{
    // Three new stocks a request push the list back: pages 0 to 10 bring 187 of the 200 stocks,
    // and the last 13 went past the last page.
    Start(200);
    sim->Faults().ShiftRows = 3;
    EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    EXPECT_EQ(RequestedRows().mid(12), QList<int>({221}));  // one page caught them
    ASSERT_EQ(Stocks().Count(), 200);
    QSet<QString> symbols;
    for (const StockRecord &r : Stocks()) symbols.insert(r.Symbol);
    EXPECT_EQ(symbols.size(), 200);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Data downloaded and imported into application.");

    // A list that moves most of a page a request outruns two passes of eleven pages: the user
    // hears how many stocks came and decides.
    static const QRegularExpression said(
        "^(\\d+) of the 200 stocks the screener listed arrived: the list changed during the "
        "download\\.\r\nWould you like to import the incomplete list anyway\\?$");
    for (const MessageAnswer given : {MessageAnswer::No, MessageAnswer::Yes}) {
        Start(200);
        sim->Faults().ShiftRows = 15;
        KeepOldFiles();
        answer = given;
        messages.clear();
        const UpdateOutcome outcome = run.UpdateDataAction();
        EXPECT_EQ(RequestedRows().size(), 1 + 11 + 2 * 11);
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
        const QRegularExpressionMatch match = said.match(messages[0].text);
        ASSERT_TRUE(match.hasMatch()) << messages[0].text.toStdString();
        if (given == MessageAnswer::No) {
            EXPECT_EQ(outcome, UpdateOutcome::Declined);
            ExpectOldFilesKept();
        } else {
            EXPECT_EQ(outcome, UpdateOutcome::Completed);
            EXPECT_EQ(Stocks().Count(), match.captured(1).toInt());
            EXPECT_LT(Stocks().Count(), 200);
        }
    }
}

TEST_F(DataUpdate, PageLargerThanTheLimitIsAFailedPageFetchedOnce)
{
    for (const bool chunked : {false, true}) {  // its length announced, or not
        SCOPED_TRACE(chunked);
        Start(45);
        sim->Faults().HugeRows = {21, 41};
        sim->Faults().HugePageBytes = 3 * PageFetcher::MaxPageBytes;
        sim->Faults().Chunked = chunked;
        clock.SetPumpStep(1);  // a load that stalls ends at the time-out
        messages.clear();
        EXPECT_EQ(run.GetStockDataFromYahoo(), UpdateOutcome::Completed);
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].text,
                  "2 of 3 pages of the stock list could not be downloaded: page 2 was larger than "
                  "8 MB, page 3 was larger than 8 MB.\r\nWould you like to import the incomplete "
                  "list anyway?");
        EXPECT_EQ(RequestedRows(), QList<int>({1, 1, 21, 41}));
        EXPECT_EQ(Stocks().Count(), 20);
    }
}
