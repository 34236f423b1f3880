// The program as a user or a timer starts it: a process without a display, against the screener
// simulator of this test process.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "ZentrinProcess.h"

using zentrintest::ProgramResult;
using zentrintest::RunZentrin;

TEST(CommandLine, BadInputEndsWithStatusTwoAndOneLineBeforeAnythingStarts)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("never");
    const QStringList cases[] = {
        {"--bogus"},
        {"--update", "--screener-url", "not a url"},
        {"--update", "--screener-url", "ftp://127.0.0.1:21"},
        {"--update", "--settle-ms", "-5"},
        {"--update", "--settle-ms", "1001"},
        {"--update", "--settle-ms", "ten"},
        {"--update", "--data-dir"},
        {"--import-incomplete"},
        {"--update", "stray"},
    };
    for (const QStringList &arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ProgramResult result = RunZentrin(QStringList{"--data-dir", folder} + arguments);
        EXPECT_EQ(result.Status, 2);
        EXPECT_EQ(result.Out, "");
        EXPECT_TRUE(result.Err.startsWith("zentrin: ")) << result.Err.toStdString();
        EXPECT_EQ(result.Err.count('\n'), 1) << result.Err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(folder));
    }
    // A folder that cannot be made is bad input as well.
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const ProgramResult result = RunZentrin({"--update", "--data-dir", dir.filePath("file/data")});
    EXPECT_EQ(result.Status, 2);
    EXPECT_TRUE(result.Err.contains("--data-dir")) << result.Err.toStdString();
}

TEST(CommandLine, HelpAndVersionNeedNoDisplayAndNameTheDataFolder)
{
    const ProgramResult version = RunZentrin({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_TRUE(QRegularExpression("^Zentrin 2\\.0( \\(.+\\))?\n$").match(version.Out).hasMatch())
        << version.Out.toStdString();
    EXPECT_EQ(version.Err, "");

    // The build tree's program folder is marked as its data folder.
    const QString programFolder = QFileInfo(QStringLiteral(ZENTRIN_EXECUTABLE)).absolutePath();
    ASSERT_TRUE(QFileInfo::exists(programFolder + "/zentrin.portable"));
    ProgramResult help = RunZentrin({"--help"});
    EXPECT_EQ(help.Status, 0);
    for (const char *option : {"--update", "--import-incomplete", "--data-dir", "--screener-url",
                               "--settle-ms", "--version"})
        EXPECT_TRUE(help.Out.contains(option)) << option;
    EXPECT_FALSE(help.Out.contains("-platform"));
    EXPECT_TRUE(help.Out.contains("Data folder: " + programFolder + " (beside the program)"))
        << help.Out.toStdString();

    // --help names a given folder and makes nothing; options of the window system pass.
    QTemporaryDir dir;
    const QString given = dir.filePath("data");
    help = RunZentrin({"--data-dir", given, "--help", "-platform", "offscreen"});
    EXPECT_EQ(help.Status, 0) << help.Err.toStdString();
    EXPECT_TRUE(help.Out.contains("Data folder: " + given + " (given with --data-dir)"));
    EXPECT_FALSE(QFileInfo::exists(given));
}
