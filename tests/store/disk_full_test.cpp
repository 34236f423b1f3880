#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/mount.h>
#include <unistd.h>
#include <functional>

#include "TempProgramFolder.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"

namespace {

void FillTable(int count)
{
    Stocks().Clear();
    for (int i = 0; i < count; ++i) {
        StockRecord r;
        r.Symbol = QString("SYM%1").arg(i);
        r.Company = QString("Company number %1 Holdings Incorporated").arg(i);
        r.Industry = "Gold";
        r.Text3 = "USA";
        r.Price = 0.01 * i + 0.5;
        r.MarketCap = 1.0e6 + i;
        Stocks().StoreAt(i, r);
    }
}

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

struct WriteBudget {
    explicit WriteBudget(qint64 bytes) { platform::SetWriteBudgetForTests(bytes); }
    ~WriteBudget() { platform::SetWriteBudgetForTests(-1); }
};

// One way of writing a file of the program folder, and the file it writes.
struct FileWrite {
    const char *name;
    const char *file;
    std::function<bool()> write;
};

const FileWrite Writes[] = {
    {"database", "data.dat", [] { return Module1::SaveStockDatabase(); }},
    {"time_stamp", "time.txt", [] { return Module1::WriteTimeStamp(); }},
    {"page_file", "0.dat",
     [] {
         return MdlHelpers::WriteTextFile(MdlHelpers::AppFile("0.dat"), "<HTML>page</HTML>", false);
     }},
    {"append", "log.txt",
     [] {
         return MdlHelpers::WriteTextFile(MdlHelpers::AppFile("log.txt"), "one more line", true);
     }},
};

class FullDisk : public ::testing::TestWithParam<FileWrite> {
protected:
    void SetUp() override { FillTable(100); }
    void TearDown() override { Stocks().Clear(); }
    TempProgramFolder folder;
};

}  // namespace

// Every budget short of the whole file fails the write and leaves the old file byte for byte,
// with no temporary file beside it; the full budget succeeds.
TEST_P(FullDisk, AWriteThatDoesNotFitFailsAndKeepsTheOldFile)
{
    const FileWrite &w = GetParam();
    const QByteArray old = "old content that must survive\r\n";
    folder.WriteBytes(w.file, old);

    // The size the write needs, measured on a disk with room.
    ASSERT_TRUE(w.write());
    const qint64 needed =
        QFile(folder.File(w.file)).size() - (QString(w.name) == "append" ? old.size() : 0);
    folder.WriteBytes(w.file, old);

    for (qint64 budget : {qint64(0), qint64(1), qint64(8192), needed / 2, needed - 1}) {
        if (budget >= needed)
            continue;
        {
            WriteBudget full(budget);
            EXPECT_FALSE(w.write()) << "budget " << budget;
        }
        EXPECT_EQ(folder.ReadBytes(w.file), old) << "budget " << budget;
        EXPECT_EQ(FilesIn(folder.Path()), QStringList{w.file}) << "budget " << budget;
    }
    WriteBudget enough(needed);
    EXPECT_TRUE(w.write());
    EXPECT_NE(folder.ReadBytes(w.file), old);
}

INSTANTIATE_TEST_SUITE_P(Writes, FullDisk, ::testing::ValuesIn(Writes),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SafeReplace, RemovesLeftoversOfEarlierSavesOnly)
{
    TempProgramFolder folder;
    folder.WriteBytes("data.dat.saving-Ab12Cd", "killed before its rename");
    folder.WriteBytes("data.dat.backup", "the user's own copy");
    folder.WriteBytes("time.txt.saving-Ab12Cd", "another file's leftover");
    ASSERT_TRUE(platform::ReplaceFile(folder.File("data.dat"), "new\r\n"));
    EXPECT_EQ(FilesIn(folder.Path()),
              QStringList({"data.dat", "data.dat.backup", "time.txt.saving-Ab12Cd"}));
}

// The real thing: a small tmpfs as the program folder. Needs root (mount); skipped otherwise,
// where the budget seam above stands in for it.
TEST(RealFullDisk, SavesThatDoNotFitLeaveDataDatAndTimeTxtIntact)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    QTemporaryDir mountPoint;
    ASSERT_TRUE(mountPoint.isValid());
    const QByteArray where = QFile::encodeName(mountPoint.path());
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    struct Unmount {
        QByteArray at;
        ~Unmount()
        {
            platform::SetProgramFolderOverride(QString());
            ::umount2(at.constData(), MNT_DETACH);
        }
    } unmount{where};
    platform::SetProgramFolderOverride(mountPoint.path());

    FillTable(30);
    ASSERT_TRUE(Module1::SaveStockDatabase());
    ASSERT_TRUE(Module1::WriteTimeStamp());
    QFile dataFile(Module1::DatabasePath());
    ASSERT_TRUE(dataFile.open(QIODevice::ReadOnly));
    const QByteArray oldDatabase = dataFile.readAll();
    dataFile.close();
    QFile stampFile(Module1::TimeStampPath());
    ASSERT_TRUE(stampFile.open(QIODevice::ReadOnly));
    const QByteArray oldStamp = stampFile.readAll();
    stampFile.close();

    // Fill the disk, leaving 8 KB and then nothing.
    QFile filler(MdlHelpers::AppFile("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    for (qint64 room : {qint64(8192), qint64(0)}) {
        while (filler.write(block) == block.size()) {
        }
        ASSERT_TRUE(filler.resize(std::max<qint64>(0, filler.size() - room)));
        FillTable(room ? 100 : 50);
        EXPECT_FALSE(Module1::SaveStockDatabase()) << room;
        if (room == 0) {
            EXPECT_FALSE(Module1::WriteTimeStamp());
        }
        QFile data(Module1::DatabasePath());
        ASSERT_TRUE(data.open(QIODevice::ReadOnly));
        EXPECT_EQ(data.readAll(), oldDatabase) << room;
        Module1::LoadStockDatabase();
        EXPECT_EQ(Stocks().Count(), 30) << room;
        QFile stamp(Module1::TimeStampPath());
        ASSERT_TRUE(stamp.open(QIODevice::ReadOnly));
        if (room == 0) {
            EXPECT_EQ(stamp.readAll(), oldStamp);
        }
        EXPECT_EQ(FilesIn(mountPoint.path()), QStringList({"data.dat", "filler", "time.txt"}));
    }
    Stocks().Clear();
}
