#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <random>

#include "TempProgramFolder.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"
#include "store/DataFolderLock.h"
#include "store/Module1.h"
#include "store/StockTable.h"

// A child process (this test program again, running only ChildSavesInALoop) saves a full
// table over and over, alternating two versions, until it is killed with SIGKILL. Whenever it
// dies, data.dat must be one complete version or the other.
namespace {

const char *const FolderVariable = "ZENTRIN_KILLED_SAVE_FOLDER";
const char *const BeforeRenameVariable = "ZENTRIN_KILLED_SAVE_BEFORE_RENAME";
const char *const SavedMarker = "<saved>";  // not in the test framework's own output

void FillVersion(int version)
{
    std::vector<StockRecord> records(StockTable::MaxRecords);
    for (int i = 0; i < StockTable::MaxRecords; ++i) {
        StockRecord &r = records[static_cast<size_t>(i)];
        r.Symbol = QString("S%1").arg(i);
        r.Company = QString("Company %1 of version %2").arg(i).arg(version);
        r.Industry = "Gold";
        r.Price = version + i * 0.0001;
        r.MarketCap = 1e6 * version + i;
    }
    Stocks().Assign(std::move(records));
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray SavedVersion(int version)
{
    TempProgramFolder folder;
    FillVersion(version);
    EXPECT_TRUE(Module1::SaveStockDatabase());
    return folder.ReadBytes("data.dat");
}

QStringList Leftovers(const QString &folder)
{
    return QDir(folder).entryList({"data.dat.*"}, QDir::Files | QDir::Hidden);
}

QProcess *StartChild(const QString &folder, bool beforeRename)
{
    auto *child = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(FolderVariable, folder);
    if (beforeRename)
        env.insert(BeforeRenameVariable, "1");
    child->setProcessEnvironment(env);
    child->setProcessChannelMode(QProcess::SeparateChannels);
    child->start(QCoreApplication::applicationFilePath(),
                 {"--gtest_filter=KilledSave.ChildSavesInALoop"});
    return child;
}

}  // namespace

TEST(KilledSave, ChildSavesInALoop)
{
    const QString folder = qEnvironmentVariable(FolderVariable);
    if (folder.isEmpty())
        GTEST_SKIP() << "runs only as the child of KilledSave.DataDatIsAlwaysAWholeVersion";
    platform::SetProgramFolderOverride(folder);
    if (qEnvironmentVariableIsSet(BeforeRenameVariable))
        platform::SetBeforeRenameHookForTests([] { std::raise(SIGKILL); });
    for (int version = 1;; version = 3 - version) {
        FillVersion(version);
        Module1::SaveStockDatabase();
        std::fputs(SavedMarker, stdout);  // tells the parent that saves are under way
        std::fflush(stdout);
    }
}

TEST(KilledSave, DataDatIsAlwaysAWholeVersion)
{
    if (!qEnvironmentVariableIsEmpty(FolderVariable))
        GTEST_SKIP();
    const QByteArray versions[] = {SavedVersion(1), SavedVersion(2)};
    TempProgramFolder folder;
    folder.WriteBytes("data.dat", versions[0]);

    std::mt19937 rng(2026);
    qint64 cycleMs = 200;  // one save of the child, measured as it goes
    bool seen[2] = {false, false};
    for (int round = 0; round < 20; ++round) {
        const bool beforeRename = round % 5 == 4;
        std::unique_ptr<QProcess> child(StartChild(folder.Path(), beforeRename));
        ASSERT_TRUE(child->waitForStarted(10000));
        if (beforeRename) {
            ASSERT_TRUE(child->waitForFinished(60000));  // killed itself before its rename
            EXPECT_EQ(child->exitStatus(), QProcess::CrashExit);
            EXPECT_EQ(Leftovers(folder.Path()).size(), 1) << "a full temporary file is left";
        } else {
            // One or two whole saves, then a kill at a random moment of the next one: the
            // wait is measured in the child's own save time, whatever the machine's load.
            const int saves = 1 + round % 2;
            int saved = 0;
            QByteArray output;
            QElapsedTimer sinceFirst;
            while (saved < saves) {
                ASSERT_TRUE(child->waitForReadyRead(60000)) << "the child saves nothing";
                output += child->readAllStandardOutput();
                const int before = saved;
                saved = static_cast<int>(output.count(SavedMarker));
                if (before == 0 && saved > 0)
                    sinceFirst.start();
            }
            if (saved >= 2)
                cycleMs = std::max<qint64>(1, sinceFirst.elapsed() / (saved - 1));
            QThread::msleep(
                static_cast<unsigned long>(std::uniform_int_distribution<qint64>(0, cycleMs)(rng)));
            child->kill();
            ASSERT_TRUE(child->waitForFinished(10000));
        }
        const QByteArray now = ReadFile(folder.File("data.dat"));
        EXPECT_TRUE(now == versions[0] || now == versions[1])
            << "round " << round << ": data.dat of " << now.size() << " bytes is no whole version";
        seen[now == versions[1]] = true;
    }

    EXPECT_TRUE(seen[0] && seen[1]) << "the kills never fell between two different saves";

    FillVersion(1);
    ASSERT_TRUE(Module1::SaveStockDatabase());
    EXPECT_EQ(Leftovers(folder.Path()), QStringList()) << "a save removes earlier leftovers";
    Stocks().Clear();
}

TEST(KilledSave, LeftoversGoAtStartUnlessAnotherZentrinHoldsTheFolder)
{
    if (!qEnvironmentVariableIsEmpty(FolderVariable))
        GTEST_SKIP();
    TempProgramFolder folder;
    folder.WriteBytes("data.dat", "\r\nOLD~!@C\r\n");
    std::unique_ptr<QProcess> child(StartChild(folder.Path(), true));
    ASSERT_TRUE(child->waitForFinished(60000));  // killed itself before its rename
    ASSERT_EQ(Leftovers(folder.Path()).size(), 1);
    QDir(folder.Path()).mkdir("temp");
    folder.WriteBytes("temp/2.dat.saving-Q1w2E3", "<html>");
    {
        // Another Zentrin, perhaps saving into the folder this moment.
        QLockFile other(DataFolderLock::Path());
        ASSERT_TRUE(other.tryLock(0));
        EXPECT_EQ(Module1::RemoveSaveLeftovers(), -1);
        EXPECT_EQ(Leftovers(folder.Path()).size(), 1);
    }
    EXPECT_EQ(Module1::RemoveSaveLeftovers(), 2);
    EXPECT_EQ(Leftovers(folder.Path()), QStringList());
    EXPECT_FALSE(QFile::exists(folder.File("temp/2.dat.saving-Q1w2E3")));
    EXPECT_EQ(folder.ReadBytes("data.dat"), "\r\nOLD~!@C\r\n");
    EXPECT_FALSE(QFile::exists(DataFolderLock::Path()));  // not held after the clean-up
}
