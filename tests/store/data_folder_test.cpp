#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TempProgramFolder.h"
#include "platform/ProgramFolder.h"
#include "store/DataFolder.h"
#include "store/DataFolderLock.h"
#include "store/Module1.h"

namespace {

void Touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

}  // namespace

TEST(DataFolder, BesideTheProgramOnlyWhenItHoldsDataOrTheMarkerAndAGivenFolderWins)
{
    QTemporaryDir root;
    const QString program = root.filePath("program"), user = root.filePath("user");
    QDir().mkpath(program);
    struct Case {
        const char *what;
        const char *file;  // made in the program folder; nullptr: nothing
        bool asFolder;
        QString given;
        QString path;
        DataFolder::Kind why;
    };
    const Case cases[] = {
        {"installed", nullptr, false, {}, user, DataFolder::Kind::UserData},
        {"portable",
         DataFolder::PortableMarker,
         false,
         {},
         program,
         DataFolder::Kind::BesideProgram},
        {"data of an older version",
         "data.dat",
         false,
         {},
         program,
         DataFolder::Kind::BesideProgram},
        {"a folder named data.dat", "data.dat", true, {}, user, DataFolder::Kind::UserData},
        {"given", "data.dat", false, root.filePath("given/"), root.filePath("given"),
         DataFolder::Kind::Given},
        {"given relative", nullptr, false, "rel/../data", QDir::current().filePath("data"),
         DataFolder::Kind::Given},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(program).removeRecursively();
        QDir().mkpath(program);
        if (c.file && c.asFolder)
            QDir(program).mkdir(c.file);
        else if (c.file)
            Touch(program + "/" + c.file);
        const DataFolder::Choice choice = DataFolder::Choose(c.given, program, user);
        EXPECT_EQ(choice.Path, c.path);
        EXPECT_EQ(choice.Why, c.why);
    }

    // Used, the folder is made and every file of the program lies in it.
    const DataFolder::Choice chosen = DataFolder::Choose({}, program + "/none", user + "/deep");
    ASSERT_TRUE(DataFolder::Use(chosen));
    EXPECT_TRUE(QDir(user + "/deep").exists());
    EXPECT_EQ(Module1::DatabasePath(), user + "/deep/data.dat");
    EXPECT_EQ(DataFolder::Current().Why, DataFolder::Kind::UserData);
    EXPECT_EQ(DataFolder::Describe(DataFolder::Current()),
              QDir::toNativeSeparators(user + "/deep") + " (your application data)");
    Touch(root.filePath("file"));
    EXPECT_FALSE(DataFolder::Use({root.filePath("file/sub"), DataFolder::Kind::Given}));
    EXPECT_EQ(Module1::DatabasePath(), user + "/deep/data.dat");
    platform::SetProgramFolderOverride(QString());
}

TEST(DataFolderLock, OneHolderAtATimeHoweverOldItsLockAndNoneInAFolderThatCannotHoldOne)
{
    TempProgramFolder folder;
    DataFolderLock first, second;
    ASSERT_EQ(first.TryLock(), DataFolderLock::Result::Locked);
    EXPECT_EQ(first.TryLock(), DataFolderLock::Result::Locked);
    EXPECT_EQ(second.TryLock(), DataFolderLock::Result::HeldByOther);

    // A run takes minutes without touching its lock: an old lock of a live holder still holds.
    QFile lockFile(DataFolderLock::Path());
    ASSERT_TRUE(lockFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-7200),
                                     QFileDevice::FileModificationTime));
    lockFile.close();
    EXPECT_EQ(second.TryLock(), DataFolderLock::Result::HeldByOther);

    first.Unlock();
    EXPECT_FALSE(QFile::exists(DataFolderLock::Path()));
    EXPECT_EQ(second.TryLock(), DataFolderLock::Result::Locked);
    second.Unlock();

    // A data folder whose place a file takes.
    folder.WriteBytes("blocked", "x");
    platform::SetProgramFolderOverride(folder.File("blocked"));
    EXPECT_EQ(first.TryLock(), DataFolderLock::Result::Unavailable);
    EXPECT_FALSE(first.IsLocked());
}
