// zentrin --update: the window's update run without a window, as a timer runs it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

#include "ZentrinProcess.h"
#include "app/DataUpdateRun.h"
#include "app/PageFetcher.h"
#include "app/UpdateCommand.h"
#include "app/UpdateRunPanel.h"
#include "history/PriceHistory.h"
#include "history/Sqlite.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "screener-sim/ScreenerServer.h"
#include "store/Module1.h"
#include "store/StockTable.h"
#include "web/PageLoader.h"
#include "widgets/ucProgressBar.h"

using namespace zentrintest;

namespace {

const QByteArray OldDatabase = "\r\nOLD~!@Old Co~!@Gold~!@X~!@1.5\r\n";
const QByteArray OldStamp = "01,Jan 2020 at 10:00:00 AM\r\n";

class HeadlessUpdate : public ::testing::Test {
protected:
    void Start(int stocks)
    {
        sim = std::make_unique<screener_sim::ScreenerServer>(stocks);
        ASSERT_TRUE(sim->Listen());
    }

    QString Folder(const QString &name) const { return dir.filePath(name); }
    QStringList Update(const QString &folder) const
    {
        return {"--update",  "--data-dir",  folder, "--screener-url",
                sim->Site(), "--settle-ms", "0"};
    }

    static QByteArray Read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void Write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    void KeepOldFiles(const QString &folder)
    {
        Write(folder + "/data.dat", OldDatabase);
        Write(folder + "/time.txt", OldStamp);
    }
    void ExpectOldFilesKept(const QString &folder)
    {
        EXPECT_EQ(Read(folder + "/data.dat"), OldDatabase);
        EXPECT_EQ(Read(folder + "/time.txt"), OldStamp);
    }
    static int Records(const QString &folder)
    {
        return static_cast<int>(Read(folder + "/data.dat").count("\r\n")) - 1;
    }
    bool WaitForRequest(int firstRow, int ms = 60000)
    {
        return WaitFor(
            [&] {
                for (const auto &r : sim->RequestLog())
                    if (r.FirstRow == firstRow)
                        return true;
                return false;
            },
            ms);
    }

    QTemporaryDir dir;
    std::unique_ptr<screener_sim::ScreenerServer> sim;
};

// The window's run in this process, into another folder, on the same pages.
void RunAsTheWindowDoes(const QString &folder, const QString &site)
{
    platform::SetProgramFolderOverride(folder);
    qputenv("ZENTRIN_SCREENER_URL", site.toUtf8());
    platform::SetMessageHandler(
        [](const platform::MessageRequest &) { return platform::MessageAnswer::Ok; });
    {
        platform::FakeClock clock;  // no settle wait in real time
        platform::ScopedClock useClock(clock);
        web::PageLoader loader;
        PageFetcher fetcher(loader);
        widgets::ucProgressBar downloadBar, importBar;
        QLabel status, progress;
        UpdateRunPanel panel({&downloadBar, &importBar, &status, &progress});
        DataUpdateRun run(fetcher, panel);
        Module1::LoadStockDatabase();
        EXPECT_EQ(run.UpdateDataAction(), UpdateOutcome::Completed);
    }
    platform::SetMessageHandler({});
    qunsetenv("ZENTRIN_SCREENER_URL");
    platform::SetProgramFolderOverride(QString());
    Stocks().Clear();
}

}  // namespace

TEST_F(HeadlessUpdate, CompletesWithTheFilesTheWindowsRunWrites)
{
    Start(45);
    const QString command = Folder("command"), window = Folder("window");
    KeepOldFiles(command);
    KeepOldFiles(window);
    const ProgramResult result = RunZentrin(Update(command));
    ASSERT_EQ(result.Status, 0) << result.Err.toStdString();
    EXPECT_EQ(result.Out,
              "Data downloaded and imported into application.\n"
              "45 stocks from 3 pages \u00B7 45 entered the band, 1 left\n");
    // A log, one line a page: the first page, then pages 1 to 3 of 3.
    const QStringList lines = result.Err.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.filter(QRegularExpression("^Page \\d of 3")).size(), 3)
        << result.Err.toStdString();
    EXPECT_TRUE(lines.contains("Importing 45 of 45")) << result.Err.toStdString();
    EXPECT_FALSE(result.Err.contains('\r'));

    RunAsTheWindowDoes(window, sim->Site());
    EXPECT_EQ(Records(command), 45);
    EXPECT_EQ(Read(command + "/data.dat"), Read(window + "/data.dat"));
    const auto afterStamp = [](const QByteArray &text) { return text.mid(text.indexOf('\n')); };
    const QByteArray changes = Read(command + "/changes.txt");
    EXPECT_TRUE(changes.contains("\r\nLeft\r\nOLD\r\n"));
    EXPECT_EQ(afterStamp(changes), afterStamp(Read(window + "/changes.txt")));
    EXPECT_NE(Read(command + "/time.txt"), OldStamp);
    EXPECT_FALSE(QFileInfo::exists(command + "/zentrin.lock"));
}

// Every completed update adds a snapshot to the price history, the first one after the data it
// replaced; a history that cannot be written costs the update nothing but one line.
TEST_F(HeadlessUpdate, CompletedUpdateAddsASnapshotAndAHistoryItCannotWriteOnlySaysSo)
{
    Start(45);
    const QString folder = Folder("data");
    const QString path = folder + "/history.sqlite";
    KeepOldFiles(folder);
    ProgramResult result = RunZentrin(Update(folder));
    ASSERT_EQ(result.Status, 0) << result.Err.toStdString();
    EXPECT_FALSE(result.Err.contains("price history")) << result.Err.toStdString();
    {
        history::PriceHistory kept;
        ASSERT_TRUE(kept.Open(path).ok);
        EXPECT_EQ(kept.SnapshotCount(), 2);
        const std::vector<history::SeriesPoint> old = kept.Series("OLD");
        ASSERT_EQ(old.size(), 1u);
        EXPECT_EQ(old[0].takenAt, QDateTime(QDate(2020, 1, 1), QTime(10, 0, 0)).toUTC());
        EXPECT_EQ(old[0].price, 1.5);
        EXPECT_EQ(kept.FirstSeen().size(), 46);
    }

    // Another program writing to the history all along.
    Write(folder + "/time.txt", OldStamp);
    const QByteArray firstChanges = Read(folder + "/changes.txt");
    history::sql::Database other;
    ASSERT_TRUE(other.Open(path, history::sql::Database::Mode::ReadWriteCreate).Ok());
    ASSERT_TRUE(other.Exec("BEGIN IMMEDIATE").Ok());
    result = RunZentrin(Update(folder));
    EXPECT_EQ(result.Status, 0) << result.Err.toStdString();
    EXPECT_NE(Read(folder + "/time.txt"), OldStamp);
    EXPECT_EQ(Records(folder), 45);
    EXPECT_NE(Read(folder + "/changes.txt"), firstChanges);
    EXPECT_EQ(result.Err.split('\n').filter("price history"),
              QStringList("zentrin: The price history was not updated: another program is using " +
                          path + " right now."))
        << result.Err.toStdString();
    ASSERT_TRUE(other.Exec("ROLLBACK").Ok());
    history::PriceHistory kept;
    ASSERT_TRUE(kept.Open(path).ok);
    EXPECT_EQ(kept.SnapshotCount(), 2);
}

TEST_F(HeadlessUpdate, ScreenerThatGoesDownMidRunReplacesNothingUnlessToldToImport)
{
    struct Case {
        bool importIncomplete;
        int status;
    };
    for (const Case c : {Case{false, 1}, Case{true, 0}}) {
        SCOPED_TRACE(c.importIncomplete);
        Start(200);                         // pages 1 to 11 of 11
        sim->Faults().DownFromRequest = 3;  // the first page and pages 1 and 2, then nothing
        const QString folder = Folder(c.importIncomplete ? "imported" : "declined");
        KeepOldFiles(folder);
        QStringList arguments = Update(folder);
        if (c.importIncomplete)
            arguments << "--import-incomplete";
        const ProgramResult result = RunZentrin(arguments);
        EXPECT_EQ(result.Status, c.status) << result.Err.toStdString();
        EXPECT_TRUE(result.Err.contains("9 of 11 pages of the stock list could not be downloaded"))
            << result.Err.toStdString();
        EXPECT_TRUE(result.Err.contains("Pages not downloaded: 3 to 11 of 11."));
        if (c.importIncomplete) {
            EXPECT_EQ(Records(folder), 40);
            EXPECT_NE(Read(folder + "/time.txt"), OldStamp);
        } else {
            ExpectOldFilesKept(folder);
            EXPECT_EQ(result.Out, "");
            EXPECT_FALSE(QFileInfo::exists(folder + "/changes.txt"));
        }
    }
}

TEST_F(HeadlessUpdate, SecondUpdateOfTheSameFolderEndsWithThreeAndTouchesNothing)
{
    Start(45);
    sim->Faults().DelayMs = 500;  // the first run takes about two seconds
    const QString folder = Folder("data");
    const std::unique_ptr<QProcess> first = StartZentrin(Update(folder));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(folder + "/zentrin.lock"); }, 30000));
    const ProgramResult second = RunZentrin(Update(folder));
    EXPECT_EQ(second.Status, 3);
    EXPECT_TRUE(second.Err.contains("Another Zentrin is updating the stock data in"))
        << second.Err.toStdString();
    const ProgramResult firstResult = Finish(*first);
    EXPECT_EQ(firstResult.Status, 0) << firstResult.Err.toStdString();
    EXPECT_EQ(Records(folder), 45);
}

TEST_F(HeadlessUpdate, StoppedOrKilledRunsKeepTheDataAndFreeTheFolder)
{
    Start(45);
    sim->Faults().HangRows = {21};
    const QString folder = Folder("data");
    KeepOldFiles(folder);

    // SIGTERM, as systemd stops a unit: the run ends at once and leaves everything as it was.
    std::unique_ptr<QProcess> run = StartZentrin(Update(folder));
    ASSERT_TRUE(WaitForRequest(21));
    run->terminate();
    ProgramResult result = Finish(*run, 10000);
    EXPECT_EQ(result.Status, 1);
    EXPECT_TRUE(result.Err.contains("the update was stopped")) << result.Err.toStdString();
    ExpectOldFilesKept(folder);
    EXPECT_FALSE(QFileInfo::exists(folder + "/zentrin.lock"));

    // SIGKILL leaves the lock behind; the next run takes it over.
    sim->ClearLog();
    run = StartZentrin(Update(folder));
    ASSERT_TRUE(WaitForRequest(21));
    run->kill();
    run->waitForFinished();
    ExpectOldFilesKept(folder);
    ASSERT_TRUE(QFileInfo::exists(folder + "/zentrin.lock"));
    sim->Faults().HangRows.clear();
    result = RunZentrin(Update(folder));
    EXPECT_EQ(result.Status, 0) << result.Err.toStdString();
    EXPECT_EQ(Records(folder), 45);
}

TEST_F(HeadlessUpdate, OnATerminalTheProgressIsOneLineRewrittenInPlace)
{
    Start(45);
    const QString folder = Folder("terminal");
    platform::SetProgramFolderOverride(folder);
    qputenv("ZENTRIN_SCREENER_URL", sim->Site().toUtf8());
    std::FILE *out = std::tmpfile();
    std::FILE *err = std::tmpfile();
    {
        platform::FakeClock clock;
        platform::ScopedClock useClock(clock);
        UpdateCommand command(UpdateCommand::Incomplete::Decline, UpdateCommand::Output::InPlace,
                              out, err);
        EXPECT_EQ(command.Run(), 0);
    }
    const auto text = [](std::FILE *file) {
        std::rewind(file);
        QByteArray bytes;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, n);
        std::fclose(file);
        return QString::fromUtf8(bytes);
    };
    const QString progress = text(err);
    const QString said = text(out);
    qunsetenv("ZENTRIN_SCREENER_URL");
    platform::SetProgramFolderOverride(QString());
    Stocks().Clear();

    // Each phase: its name on a line, then one line rewritten and ended once.
    const QStringList lines = progress.split('\n');
    ASSERT_GE(lines.size(), 5) << progress.toStdString();
    EXPECT_EQ(lines[1], "Downloading Data...");
    EXPECT_TRUE(lines[2].startsWith("\r\033[KPage 1 of 3 \u00B7 45 stocks\r\033[KPage 2 of 3"))
        << lines[2].toStdString();
    EXPECT_EQ(lines[2].count("\r\033[K"), 3);
    EXPECT_EQ(lines[3], "Importing Data...");
    EXPECT_TRUE(lines[4].endsWith("\r\033[KImporting 45 of 45")) << lines[4].toStdString();
    EXPECT_EQ(said,
              "Data downloaded and imported into application.\n"
              "45 stocks from 3 pages \u00B7 no earlier list to compare with\n");
}
