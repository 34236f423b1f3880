#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTest>
#include <functional>

#include "TempProgramFolder.h"
#include "download/MultiDownloader.h"
#include "platform/ControlError.h"
#include "platform/ControlHost.h"
#include "platform/InternetTransfer.h"
#include "platform/SafeFile.h"
#include "platform/SettingsStore.h"
#include "screener-sim/ScreenerServer.h"

using platform::ControlError;
using screener_sim::FileFault;
using screener_sim::ScreenerServer;
using screener_sim::SimFile;

namespace {

// Distinct bytes for each file: every value, line breaks and zeros among them.
QByteArray Octets(int size, int seed = 0)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + seed * 31) % 256);
    return bytes;
}

int ErrorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const ControlError &e) {
        return e.Number();
    }
    return 0;
}

// What the owner sees at one FileComplete.
struct Completion {
    bool busy;
    short pending;
    QString statuses;  // one digit per link, LinkStatus values
};

class MultiDownloaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Listen());
        downloader.SetHost(&host);
        QObject::connect(&downloader, &MultiDownloader::FileComplete, [this] {
            completions.push_back({downloader.Busy(), downloader.PendingLinks(), Statuses()});
        });
    }

    QString Serve(const QString &name, const SimFile &file)
    {
        sim.AddFile(name, file);
        return sim.FileAddress(name);
    }
    QString Serve(const QString &name, const QByteArray &body)
    {
        return Serve(name, SimFile{body});
    }

    QString Statuses() const
    {
        QString text;
        for (int i = 1; i <= downloader.LinkCount(); ++i)
            text += QString::number(downloader.Link(i).Status);
        return text;
    }

    // Starts the queue and waits (at most 20 s) for Busy to turn false.
    bool Run()
    {
        EXPECT_EQ(downloader.DownloadLinks(), 0);
        return QTest::qWaitFor([this] { return !downloader.Busy(); }, 20000);
    }

    QStringList FilesInFolder() const
    {
        return QDir(folder.Path())
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

    ScreenerServer sim{1};
    TempProgramFolder folder;
    platform::ControlHost host;
    MultiDownloader downloader;
    std::vector<Completion> completions;
};

}  // namespace

TEST_F(MultiDownloaderTest, ThreeLinksStartAtOnceAndEachRaisesFileComplete)
{
    const QByteArray bodies[] = {"first", Octets(5000), ""};
    for (int i = 0; i < 3; ++i)
        downloader.AddLink(Serve(QString("f%1").arg(i), bodies[i]),
                           folder.File(QString("%1.bin").arg(i)));
    EXPECT_EQ(downloader.TotalLinks(), 3);
    EXPECT_EQ(downloader.PendingLinks(), 3);

    EXPECT_EQ(downloader.DownloadLinks(), 0);
    EXPECT_TRUE(downloader.Busy());
    EXPECT_EQ(Statuses(), "111");
    for (int c = 0; c < MultiDownloader::ChannelCount; ++c) {
        EXPECT_EQ(downloader.INET(c).StillExecuting(), c < 3) << c;
        EXPECT_EQ(downloader.INET(c).Tag(), c < 3 ? QString::number(c + 1) : QString());
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return !downloader.Busy(); }, 20000));

    ASSERT_EQ(completions.size(), 3u);
    for (size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(completions[n].busy, n < 2) << n;
        EXPECT_EQ(completions[n].pending, 2 - static_cast<short>(n)) << n;
    }
    EXPECT_EQ(Statuses(), "222");
    EXPECT_FALSE(downloader.DownloadError());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(folder.ReadBytes(QString("%1.bin").arg(i)), bodies[i]) << i;
    EXPECT_EQ(FilesInFolder(), QStringList({"0.bin", "1.bin", "2.bin"}));
    ASSERT_EQ(sim.RequestLog().size(), 3);
    for (const auto &request : sim.RequestLog()) {
        EXPECT_EQ(request.Method, "GET");
        EXPECT_EQ(request.Header("User-Agent"),
                  "Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Win 9x 4.90; Duzidudi)");
    }
}

TEST_F(MultiDownloaderTest, TwelveLinksStartInOrderAsChannelsFreeUp)
{
    for (int i = 1; i <= 12; ++i)
        downloader.AddLink(Serve(QString("f%1").arg(i), Octets(300 * i, i)),
                           folder.File(QString("%1.bin").arg(i, 2, 10, QChar('0'))));
    EXPECT_EQ(downloader.DownloadLinks(), 0);
    EXPECT_EQ(Statuses(), "111110000000");
    for (int c = 0; c < MultiDownloader::ChannelCount; ++c)
        EXPECT_EQ(downloader.INET(c).Tag(), QString::number(c + 1));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !downloader.Busy(); }, 20000));

    // Whenever a file is done, the links taken so far are the lowest-numbered ones, and never
    // more than five are in transfer.
    ASSERT_EQ(completions.size(), 12u);
    const QRegularExpression takenThenWaiting("^[12]*0*$");
    for (const Completion &c : completions) {
        EXPECT_TRUE(takenThenWaiting.match(c.statuses).hasMatch()) << c.statuses.toStdString();
        EXPECT_LE(c.statuses.count('1'), 5) << c.statuses.toStdString();
    }
    EXPECT_EQ(Statuses(), QString(12, '2'));
    EXPECT_EQ(downloader.PendingLinks(), 0);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(folder.ReadBytes(QString("%1.bin").arg(i, 2, 10, QChar('0'))), Octets(300 * i, i))
            << i;
    // Each link was fetched once.
    QStringList targets;
    for (const auto &request : sim.RequestLog()) targets << request.Target;
    targets.sort();
    targets.removeDuplicates();
    EXPECT_EQ(targets.size(), 12);
    EXPECT_EQ(sim.RequestLog().size(), 12);
}

TEST_F(MultiDownloaderTest, TheFileHoldsTheBodyByteForByteAlsoOverALongerOldFile)
{
    folder.WriteBytes("page.bin", QByteArray(6000, 'x'));
    downloader.AddLink(Serve("page", Octets(2500)), folder.File("page.bin"));
    downloader.AddLink(Serve("new", QByteArray("new")), folder.File("new.bin"));
    ASSERT_TRUE(Run());
    EXPECT_EQ(folder.ReadBytes("page.bin"), Octets(2500));
    // A new file is readable by all, as files are, not private like a temporary one.
    EXPECT_TRUE(QFileInfo(folder.File("new.bin")).permissions() & QFile::ReadOther);
    EXPECT_EQ(completions.size(), 2u);
    EXPECT_EQ(FilesInFolder(), QStringList({"new.bin", "page.bin"}));
}

// Five failures fill all five channels first; the links behind them must still be fetched.
TEST_F(MultiDownloaderTest, FailuresCountAsErrorsLeaveOldFilesAloneAndTheChannelsGoOn)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/x").arg(closed.serverPort());
    closed.close();
    QDir(folder.Path()).mkdir("folder");

    const struct {
        const char *what;
        QString link;
        QString target;  // in the program folder
        bool oldFile;    // an earlier file of that name exists
    } failures[] = {
        {"not found", sim.FileAddress("nothing"), "404.bin", true},
        {"server error", Serve("error", SimFile{"body", FileFault::Error}), "500.bin", true},
        {"cut off", Serve("cut", SimFile{Octets(6000), FileFault::Truncate}), "cut.bin", true},
        {"refused", refused, "refused.bin", false},
        {"no such folder", Serve("ok1", QByteArray("ok")), "missing/x.bin", false},
        {"target is a folder", Serve("ok2", QByteArray("ok")), "folder", false},
        {"dropped", Serve("drop", SimFile{"body", FileFault::Drop}), "drop.bin", true},
    };
    for (const auto &f : failures) {
        if (f.oldFile)
            folder.WriteBytes(f.target, "old " + QByteArray(f.what));
        downloader.AddLink(f.link, folder.File(f.target));
    }
    const int good = 3;
    for (int i = 0; i < good; ++i)
        downloader.AddLink(Serve(QString("good%1").arg(i), Octets(3000, i)),
                           folder.File(QString("good%1.bin").arg(i)));

    ASSERT_TRUE(Run()) << "still pending: " << downloader.PendingLinks() << " "
                       << Statuses().toStdString();
    EXPECT_TRUE(downloader.DownloadError());
    EXPECT_EQ(downloader.PendingLinks(), 0);
    EXPECT_EQ(completions.size(), static_cast<size_t>(good));
    int index = 1;
    for (const auto &f : failures) {
        EXPECT_NE(downloader.Link(index++).Status, MultiDownloader::LinkDone) << f.what;
        if (f.oldFile) {
            EXPECT_EQ(folder.ReadBytes(f.target), "old " + QByteArray(f.what)) << f.what;
        }
    }
    for (int i = 0; i < good; ++i)
        EXPECT_EQ(folder.ReadBytes(QString("good%1.bin").arg(i)), Octets(3000, i)) << i;
    // No partial or temporary file is left behind.
    EXPECT_EQ(FilesInFolder(), QStringList({"404.bin", "500.bin", "cut.bin", "drop.bin", "folder",
                                            "good0.bin", "good1.bin", "good2.bin"}));
    EXPECT_TRUE(QDir(folder.File("folder")).isEmpty());
}

// A disk that fills up halfway through a file: the earlier file of that name stays as it was.
TEST_F(MultiDownloaderTest, AFileThatCannotBeWrittenWholeIsAnErrorAndLeavesTheOldFile)
{
    folder.WriteBytes("big.bin", "old");
    downloader.AddLink(Serve("big", Octets(64 * 1024)), folder.File("big.bin"));
    platform::SetWriteBudgetForTests(4096);
    const bool ended = Run();
    platform::SetWriteBudgetForTests(-1);

    ASSERT_TRUE(ended);
    EXPECT_TRUE(downloader.DownloadError());
    EXPECT_TRUE(completions.empty());
    EXPECT_EQ(folder.ReadBytes("big.bin"), "old");
    EXPECT_EQ(FilesInFolder(), QStringList({"big.bin"}));
}

TEST_F(MultiDownloaderTest, WithNothingPendingTheRunEndsAtOnce)
{
    EXPECT_EQ(downloader.DownloadLinks(), 0);
    EXPECT_FALSE(downloader.Busy());

    downloader.AddLink(Serve("a", QByteArray("a")), folder.File("a.bin"));
    ASSERT_TRUE(Run());
    // Everything is done: starting again fetches nothing and ends at once.
    EXPECT_EQ(downloader.DownloadLinks(), 0);
    EXPECT_FALSE(downloader.Busy());
    QTest::qWait(50);
    EXPECT_EQ(sim.RequestLog().size(), 1);
    EXPECT_EQ(completions.size(), 1u);
}

TEST_F(MultiDownloaderTest, ResetClearsTheErrorAndCountersButNotBusy)
{
    downloader.AddLink(sim.FileAddress("nothing"), folder.File("a.bin"));
    downloader.AddLink(Serve("b", QByteArray("b")), folder.File("b.bin"));
    ASSERT_TRUE(Run());
    ASSERT_TRUE(downloader.DownloadError());
    downloader.Reset();
    EXPECT_FALSE(downloader.DownloadError());
    EXPECT_EQ(downloader.TotalLinks(), 0);
    EXPECT_EQ(downloader.PendingLinks(), 0);
    EXPECT_EQ(downloader.LinkCount(), 0);
    EXPECT_FALSE(downloader.Busy());
}

// The transfer still running at Reset finishes later; what it reports belongs to a queue that
// is gone, not to the new link 1.
TEST_F(MultiDownloaderTest, TransfersFromBeforeAResetReportIntoNothing)
{
    downloader.AddLink(Serve("slow", SimFile{"old run", FileFault::None, 300}),
                       folder.File("old.bin"));
    downloader.DownloadLinks();
    downloader.Reset();
    EXPECT_TRUE(downloader.Busy());  // Reset leaves it as it was
    downloader.AddLink(Serve("new", QByteArray("new run")), folder.File("new.bin"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !downloader.INET(0).StillExecuting(); }, 10000));
    QTest::qWait(50);

    EXPECT_TRUE(completions.empty());
    EXPECT_EQ(downloader.PendingLinks(), 1);
    EXPECT_EQ(downloader.Link(1).Status, MultiDownloader::LinkWaiting);
    EXPECT_FALSE(downloader.DownloadError());
    EXPECT_EQ(FilesInFolder(), QStringList());

    ASSERT_TRUE(Run());
    EXPECT_EQ(folder.ReadBytes("new.bin"), "new run");
    EXPECT_EQ(FilesInFolder(), QStringList({"new.bin"}));
}

TEST_F(MultiDownloaderTest, ReadOnlyPropertiesRefuseToBeSetAndTheQueueIsSixteenBit)
{
    const std::function<void()> setters[] = {
        [this] { downloader.SetTotalLinks(1); },
        [this] { downloader.SetPendingLinks(1); },
        [this] { downloader.SetDataDownloaded(1); },
        [this] { downloader.SetBusy(true); },
    };
    const struct {
        std::optional<bool> userMode;
        int error;
    } modes[] = {{true, 382}, {false, 387}, {std::nullopt, 387}};
    for (const auto &mode : modes) {
        host.SetUserMode(mode.userMode);
        for (const auto &set : setters) EXPECT_EQ(ErrorOf(set), mode.error);
    }
    EXPECT_EQ(downloader.TotalLinks(), 0);
    EXPECT_EQ(downloader.PendingLinks(), 0);
    EXPECT_EQ(downloader.DataDownloaded(), 0);
    EXPECT_FALSE(downloader.Busy());

    EXPECT_EQ(ErrorOf([this] { downloader.Link(1); }), platform::ErrSubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([this] { downloader.INET(5); }), platform::ErrSubscriptOutOfRange);
    for (int i = 0; i < 32767; ++i) downloader.AddLink("http://127.0.0.1:1/", "x");
    EXPECT_EQ(ErrorOf([this] { downloader.AddLink("http://127.0.0.1:1/", "x"); }),
              platform::ErrOverflow);
    EXPECT_EQ(downloader.TotalLinks(), 32767);
    EXPECT_EQ(downloader.LinkCount(), 32767);
}

TEST_F(MultiDownloaderTest, SettingsAreReadAsStoredAndDefaultsAreLeftOut)
{
    platform::SettingsStore stored;
    stored.WriteProperty("totallinks", 5);
    stored.WriteProperty("PENDINGLINKS", 3);
    stored.WriteProperty("DataDownloaded", 123456);
    stored.WriteProperty("busy", -1);
    downloader.ReadProperties(stored);
    EXPECT_EQ(downloader.TotalLinks(), 5);
    EXPECT_EQ(downloader.PendingLinks(), 3);
    EXPECT_EQ(downloader.DataDownloaded(), 123456);
    EXPECT_TRUE(downloader.Busy());

    platform::SettingsStore saved;
    downloader.WriteProperties(saved);
    EXPECT_EQ(saved.Keys(), QStringList({"TotalLinks", "PendingLinks", "DataDownloaded", "Busy"}));
    EXPECT_EQ(saved.ReadProperty("busy").toInt(), -1);
    EXPECT_EQ(saved.ReadProperty("datadownloaded").toInt(), 123456);

    downloader.InitProperties();
    platform::SettingsStore fresh;
    downloader.WriteProperties(fresh);
    EXPECT_TRUE(fresh.IsEmpty());
}

TEST_F(MultiDownloaderTest, ShowsAThirtyTwoPixelIconWhateverSizeItIsGiven)
{
    for (const QSize asked : {QSize(100, 50), QSize(5, 5), QSize(32, 32)}) {
        downloader.resize(asked);
        downloader.show();
        EXPECT_EQ(downloader.size(), QSize(32, 32));
        EXPECT_EQ(downloader.Surface().Size(), QSize(32, 32));
        EXPECT_EQ(downloader.Surface().Pixel(16, 10), 0x800000u);  // the arrow
        EXPECT_NE(downloader.Surface().Pixel(4, 10), 0x800000u);
    }
}
