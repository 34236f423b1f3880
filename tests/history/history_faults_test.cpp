#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimeZone>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <functional>
#include <random>

#include "HistoryTestSupport.h"
#include "TempProgramFolder.h"
#include "history/PriceHistory.h"
#include "platform/ProgramFolder.h"

using namespace history;
using historytest::Band;
using historytest::Query;
using historytest::Stock;

namespace {

const QDateTime When(QDate(2026, 4, 1), QTime(12, 0, 0), QTimeZone::utc());
const QString NotUpdated = "The price history was not updated: ";

std::vector<StockRecord> Two()
{
    return {Stock("AAA", 1.0), Stock("BBB", 2.0)};
}

// A history with the given number of snapshots, closed (so its WAL is folded into the file).
void MakeHistory(const QString &path, int snapshots, int stocks = 2)
{
    PriceHistory history;
    ASSERT_TRUE(history.Open(path).ok);
    for (int i = 0; i < snapshots; ++i)
        ASSERT_TRUE(history.Append(Band(stocks, 1 + i), When.addDays(i), 1).ok);
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList Damaged(const QString &folder)
{
    return QDir(folder).entryList({"history.sqlite.damaged-*"}, QDir::Files, QDir::Name);
}

// A tmpfs mounted over a temporary folder and made the program folder; root only.
class Tmpfs {
public:
    explicit Tmpfs(const char *options)
    {
        if (::geteuid() != 0 || !dir.isValid())
            return;
        where = QFile::encodeName(dir.path());
        mounted = ::mount("tmpfs", where.constData(), "tmpfs", 0, options) == 0;
        if (mounted)
            platform::SetProgramFolderOverride(dir.path());
    }
    ~Tmpfs()
    {
        if (!mounted)
            return;
        platform::SetProgramFolderOverride(QString());
        ::umount2(where.constData(), MNT_DETACH);
    }
    Tmpfs(const Tmpfs &) = delete;
    Tmpfs &operator=(const Tmpfs &) = delete;

    bool Mounted() const { return mounted; }
    bool SetReadOnly(bool readOnly) const
    {
        return ::mount(nullptr, where.constData(), nullptr, MS_REMOUNT | (readOnly ? MS_RDONLY : 0),
                       nullptr) == 0;
    }
    QString Path() const { return dir.path(); }

private:
    QTemporaryDir dir;
    QByteArray where;
    bool mounted = false;
};

}  // namespace

TEST(NewerHistory, OpensReadOnlyAndTheUpdateSaysThisZentrinIsOlder)
{
    TempProgramFolder folder;
    const QString path = PriceHistory::DefaultPath();
    MakeHistory(path, 2);
    {
        sql::Database db;
        ASSERT_TRUE(db.Open(path, sql::Database::Mode::ReadWriteCreate).Ok());
        ASSERT_TRUE(db.Exec("PRAGMA user_version = 2").Ok());
    }
    const QByteArray bytes = ReadAll(path);

    PriceHistory history;
    const HistoryResult opened = history.Open(path, PriceHistory::Check::Quick);
    EXPECT_TRUE(opened.ok);
    EXPECT_TRUE(history.IsReadOnly());
    EXPECT_TRUE(opened.message.contains("this Zentrin is older than its history"))
        << opened.message.toStdString();
    EXPECT_EQ(history.SnapshotCount(), 2);
    EXPECT_EQ(history.Series("SYM0").size(), 2u);
    EXPECT_FALSE(history.Append(Two(), When, 1).ok);
    history.Close();

    const HistoryResult update = RecordUpdate(Two(), When, Two(), 1);
    EXPECT_FALSE(update.ok);
    EXPECT_TRUE(update.message.startsWith(NotUpdated + "this Zentrin is older than its history"))
        << update.message.toStdString();
    EXPECT_EQ(ReadAll(path), bytes);
    EXPECT_TRUE(Damaged(folder.Path()).isEmpty());
}

// A file that is not this program's history is kept under another name, with its journal
// files, and the update starts a new one and writes its snapshot there.
TEST(DamagedHistory, IsMovedAsideWithItsJournalAndANewOneStarted)
{
    struct Case {
        const char *name;
        std::function<void(const QString &path)> spoil;
    };
    const Case cases[] = {
        {"text_file", [](const QString &path) { WriteAll(path, "symbol,price\r\nAAA,1.5\r\n"); }},
        {"foreign_database",
         [](const QString &path) {
             sql::Database db;
             ASSERT_TRUE(db.Open(path, sql::Database::Mode::ReadWriteCreate).Ok());
             ASSERT_TRUE(db.Exec("CREATE TABLE recipes(name TEXT)").Ok());
         }},
        {"damaged_pages",
         [](const QString &path) {
             MakeHistory(path, 6, 300);
             QByteArray bytes = ReadAll(path);
             ASSERT_GT(bytes.size(), 6 * 4096);
             // Pages in the middle of the file overwritten, the header left whole.
             for (qsizetype i = 2 * 4096; i < 5 * 4096; ++i) bytes[i] = char(0x5a);
             WriteAll(path, bytes);
         }},
    };
    const QRegularExpression asideName("^history\\.sqlite\\.damaged-\\d{8}-\\d{6}$");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempProgramFolder folder;
        const QString path = PriceHistory::DefaultPath();
        c.spoil(path);
        WriteAll(path + "-wal", "not a journal of a good file");
        const QByteArray spoilt = ReadAll(path);

        const HistoryResult result = RecordUpdate({}, When, Two(), 1);
        EXPECT_TRUE(result.ok) << result.message.toStdString();
        EXPECT_TRUE(result.message.contains("was damaged; it was kept as"))
            << result.message.toStdString();
        QStringList aside = Damaged(folder.Path());
        aside.removeIf([](const QString &name) { return name.endsWith("-shm"); });
        ASSERT_EQ(aside.size(), 2) << aside.join(' ').toStdString();
        EXPECT_TRUE(asideName.match(aside[0]).hasMatch()) << aside[0].toStdString();
        EXPECT_EQ(aside[1], aside[0] + "-wal");
        EXPECT_EQ(ReadAll(folder.File(aside[0])), spoilt);
        EXPECT_EQ(ReadAll(folder.File(aside[1])), "not a journal of a good file");

        EXPECT_FALSE(QFile::exists(path + "-wal") && ReadAll(path + "-wal").contains("journal"));
        PriceHistory fresh;
        const HistoryResult opened = fresh.Open(path, PriceHistory::Check::Quick);
        EXPECT_TRUE(opened.ok && opened.message.isEmpty()) << opened.message.toStdString();
        EXPECT_EQ(fresh.SnapshotCount(), 1);
        EXPECT_EQ(fresh.Series("AAA").size(), 1u);
    }
}

// Damage the update's check did not look for (the history was opened unchecked) turns up
// when the append reads the damaged pages: the file goes aside all the same.
TEST(DamagedHistory, FoundWhileAppendingIsMovedAsideAndTheSnapshotWrittenAnew)
{
    TempProgramFolder folder;
    const QString path = PriceHistory::DefaultPath();
    MakeHistory(path, 1, 3000);
    QByteArray bytes = ReadAll(path);
    // Every page after the first few: the stock table and its index among them.
    for (qsizetype i = 2 * 4096; i < bytes.size(); ++i) bytes[i] = char(0x5a);
    WriteAll(path, bytes);

    PriceHistory history;
    ASSERT_TRUE(history.Open(path).ok);
    const HistoryResult result = history.Append(Two(), When, 1);
    EXPECT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_TRUE(result.message.contains("was damaged; it was kept as"))
        << result.message.toStdString();
    EXPECT_EQ(history.SnapshotCount(), 1);
    EXPECT_EQ(history.Series("BBB").size(), 1u);
    EXPECT_EQ(Damaged(folder.Path()).filter(QRegularExpression("\\d$")).size(), 1);
}

// Read-only: as root a read-only mount (root writes through file modes), otherwise the modes.
TEST(UnwritableHistory, ReadOnlyFolderLeavesTheHistoryAsItWasAndSaysWhy)
{
    for (const bool existing : {true, false}) {
        SCOPED_TRACE(existing ? "existing history" : "no history yet");
        Tmpfs tmpfs("size=4m");
        std::unique_ptr<TempProgramFolder> folder;
        if (!tmpfs.Mounted()) {
            if (::geteuid() == 0)
                GTEST_SKIP()
                    << "running as root without a tmpfs: a folder's modes do not stop root";
            folder = std::make_unique<TempProgramFolder>();
        }
        const QString where = tmpfs.Mounted() ? tmpfs.Path() : folder->Path();
        const QString path = PriceHistory::DefaultPath();
        if (existing)
            MakeHistory(path, 2);
        const QByteArray before = ReadAll(path);
        if (tmpfs.Mounted())
            ASSERT_TRUE(tmpfs.SetReadOnly(true));
        else
            ASSERT_EQ(::chmod(QFile::encodeName(where).constData(), 0555), 0);

        const HistoryResult result = RecordUpdate(Two(), When, Two(), 1);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, NotUpdated + "no file can be written in " + where + ".");

        if (tmpfs.Mounted())
            ASSERT_TRUE(tmpfs.SetReadOnly(false));
        else
            ::chmod(QFile::encodeName(where).constData(), 0755);
        EXPECT_EQ(ReadAll(path), before);
        EXPECT_EQ(Query(path, "SELECT count(*) FROM snapshot"), existing ? 2 : -1);
    }
}

// Another connection writing (or holding the file outright) turns the update away after the
// busy wait, and leaves what it holds.
TEST(UnwritableHistory, LockedByAnotherConnectionSaysSoAndKeepsTheHistory)
{
    const char *locks[] = {"BEGIN IMMEDIATE",
                           "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; "
                           "SELECT count(*) FROM snapshot"};
    for (const char *lock : locks) {
        SCOPED_TRACE(lock);
        TempProgramFolder folder;
        const QString path = PriceHistory::DefaultPath();
        MakeHistory(path, 1);
        {
            sql::Database other;
            ASSERT_TRUE(other.Open(path, sql::Database::Mode::ReadWriteCreate).Ok());
            ASSERT_TRUE(other.Exec(lock).Ok());
            const HistoryResult result = RecordUpdate(Two(), When, Two(), 1);
            EXPECT_FALSE(result.ok);
            EXPECT_EQ(result.message,
                      NotUpdated + "another program is using " + path + " right now.");
        }
        EXPECT_EQ(Query(path, "SELECT count(*) FROM snapshot"), 1);
        EXPECT_TRUE(Damaged(folder.Path()).isEmpty());
        EXPECT_TRUE(RecordUpdate(Two(), When, Two(), 1).ok) << "free again once the other is done";
    }
}

TEST(UnwritableHistory, FullDiskSaysSoAndKeepsEverySnapshotWritten)
{
    Tmpfs tmpfs("size=256k");
    if (!tmpfs.Mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString path = PriceHistory::DefaultPath();
    MakeHistory(path, 2, 100);
    // A snapshot far larger than the room left.
    const HistoryResult result = RecordUpdate({}, When, Band(20000, 1), 1);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, NotUpdated + "the disk is full.");
    PriceHistory history;
    ASSERT_TRUE(history.Open(path, PriceHistory::Check::Quick).ok);
    EXPECT_EQ(history.SnapshotCount(), 2);
    EXPECT_EQ(history.Series("SYM99").size(), 2u);
    EXPECT_TRUE(Damaged(tmpfs.Path()).isEmpty());
}

// A child process (this test program again, running only ChildAppendsInALoop) appends
// snapshots until it is killed with SIGKILL. Every snapshot it reported stays, whole; the one
// it was writing is there whole or not at all.
namespace {

const char *const KillFolderVariable = "ZENTRIN_KILLED_HISTORY_FOLDER";
constexpr int KilledStocks = 3000;

}  // namespace

TEST(KilledAppend, ChildAppendsInALoop)
{
    const QString folder = qEnvironmentVariable(KillFolderVariable);
    if (folder.isEmpty())
        GTEST_SKIP() << "runs only as the child of KilledAppend.EarlierSnapshotsStayWhole";
    PriceHistory history;
    if (!history.Open(folder + "/history.sqlite").ok)
        return;
    for (int n = history.SnapshotCount() + 1;; ++n) {
        if (history.Append(Band(KilledStocks, n), When.addSecs(n), n).ok) {
            std::printf("<appended %d>", n);
            std::fflush(stdout);
        }
    }
}

TEST(KilledAppend, EarlierSnapshotsStayWhole)
{
    if (!qEnvironmentVariableIsEmpty(KillFolderVariable))
        GTEST_SKIP();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("history.sqlite");
    const QRegularExpression appended("<appended (\\d+)>");
    std::mt19937 rng(2026);
    int reported = 0;
    for (int round = 0; round < 8; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(KillFolderVariable, dir.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=KilledAppend.ChildAppendsInALoop"});
        ASSERT_TRUE(child.waitForStarted(10000));
        QByteArray output;
        while (!output.contains("<appended")) {
            ASSERT_TRUE(child.waitForReadyRead(60000)) << "the child appends nothing";
            output += child.readAllStandardOutput();
        }
        QThread::msleep(std::uniform_int_distribution<unsigned long>(0, 150)(rng));
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));
        output += child.readAllStandardOutput();
        for (const auto &m : appended.globalMatch(QString::fromLatin1(output)))
            reported = std::max(reported, m.captured(1).toInt());

        PriceHistory history;
        const HistoryResult opened = history.Open(path, PriceHistory::Check::Quick);
        ASSERT_TRUE(opened.ok && opened.message.isEmpty()) << round << opened.message.toStdString();
        const int count = history.SnapshotCount();
        EXPECT_GE(count, reported) << "round " << round << ": a reported snapshot is lost";
        EXPECT_LE(count, reported + 1) << round;
        history.Close();
        EXPECT_EQ(Query(path, "SELECT count(*) FROM snapshot WHERE stocks <> 3000"), 0) << round;
        EXPECT_EQ(Query(path, "SELECT count(*) FROM quote"), qint64(count) * KilledStocks) << round;
        EXPECT_EQ(Query(path, "SELECT max(id) FROM snapshot"), count) << round;
    }
    EXPECT_GE(reported, 8);
}
