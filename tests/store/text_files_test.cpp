#include <gtest/gtest.h>

#include <QDir>

#include "TempProgramFolder.h"
#include "store/MdlHelpers.h"

using namespace MdlHelpers;

class TextFiles : public ::testing::Test {
protected:
    TempProgramFolder folder;
};

TEST_F(TextFiles, ReadTextFileEndsEveryLineWithCrLf)
{
    folder.WriteBytes("x.txt", "x");
    EXPECT_EQ(ReadTextFile(folder.File("x.txt")), "x\r\n");
    folder.WriteBytes("empty.txt", "");
    EXPECT_EQ(ReadTextFile(folder.File("empty.txt")), "");
    EXPECT_EQ(ReadTextFile(folder.File("missing.txt")), "");
    EXPECT_EQ(ReadTextFile(folder.Path()), "");  // a folder is no text file

    // CR LF and lone CR end lines, a lone LF stays inside its line; ASCII files whose lines
    // all end with CR LF (the page files) and the others must read alike.
    const QByteArray longAscii(100, 'p');
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"a\r\nb\rc\nd\r\n\r\ne", "a\r\nb\r\nc\nd\r\n\r\ne\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\r\nb", "a\r\nb\r\n"},
        {"a\r", "a\r\n"},
        {"\r\n", "\r\n"},
        {"a\n", "a\n\r\n"},
        {longAscii + "\r\n" + longAscii, longAscii + "\r\n" + longAscii + "\r\n"},
        {longAscii + "\xC3\xA9\r\n", QString::fromLatin1(longAscii) + QChar(0xE9) + "\r\n"},
        // not UTF-8: windows-1252
        {longAscii + "\xE9", QString::fromLatin1(longAscii) + QChar(0xE9) + "\r\n"},
    };
    for (const auto &c : cases) {
        folder.WriteBytes("case.txt", c.bytes);
        EXPECT_EQ(ReadTextFile(folder.File("case.txt")), c.text) << c.bytes.toHex().constData();
    }
}

TEST_F(TextFiles, ReadLinesSplitsAtCrLfAndTrimsOnlySpaces)
{
    folder.WriteBytes("l.txt", "  one \r\n\ttwo\t\r\n");
    EXPECT_EQ(ReadLines(folder.File("l.txt"), true), QStringList({"one", "\ttwo\t", ""}));
    EXPECT_EQ(ReadLines(folder.File("l.txt"), false), QStringList({"  one ", "\ttwo\t", ""}));
    EXPECT_EQ(ReadLines(folder.File("none.txt"), true), QStringList({""}));
}

TEST_F(TextFiles, CleanUpPasses)
{
    EXPECT_EQ(RemoveBlankLines({"", "a", "   ", "b", " c "}), QStringList({"a", "b", " c "}));
    EXPECT_EQ(RemoveDuplicateLines({"a", "A", "b", "a", "b", "a "}),
              QStringList({"a", "A", "b", "a "}));
}

TEST_F(TextFiles, WritesReplaceOrAppendWithCrLf)
{
    const QString path = folder.File("w.txt");
    ASSERT_TRUE(WriteLines(path, {"first", "", "third"}));
    EXPECT_EQ(folder.ReadBytes("w.txt"), "first\r\n\r\nthird\r\n");
    ASSERT_TRUE(WriteTextFile(path, "new", false));
    EXPECT_EQ(folder.ReadBytes("w.txt"), "new\r\n");
    ASSERT_TRUE(WriteTextFile(path, "more", true));
    EXPECT_EQ(folder.ReadBytes("w.txt"), "new\r\nmore\r\n");
    ASSERT_TRUE(WriteTextFile(folder.File("created.txt"), "c", true));
    EXPECT_EQ(folder.ReadBytes("created.txt"), "c\r\n");

    EXPECT_FALSE(WriteLines(QString(), {"x"}));
    // No temporary files are left beside the written one.
    EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files).size(), 2);
}

TEST_F(TextFiles, FailedWriteReportsFailureAndKeepsTheOldFile)
{
    folder.WriteBytes("keep.txt", "precious\r\n");
    EXPECT_FALSE(WriteLines(folder.File("no-such-folder/keep.txt"), {"x"}));
    // A folder in the way of the file cannot be replaced by a file.
    QDir(folder.Path()).mkdir("blocked");
    folder.WriteBytes("blocked/inside.txt", "inside");
    EXPECT_FALSE(WriteTextFile(folder.File("blocked"), "x", false));
    EXPECT_EQ(folder.ReadBytes("blocked/inside.txt"), "inside");
    EXPECT_EQ(folder.ReadBytes("keep.txt"), "precious\r\n");
}

TEST_F(TextFiles, LocaleTextRoundTripsAndBadBytesNeverFail)
{
    const QString path = folder.File("t.txt");
    ASSERT_TRUE(WriteTextFile(path, QStringLiteral("Café & Söhne"), false));
    EXPECT_EQ(ReadTextFile(path), QStringLiteral("Café & Söhne\r\n"));
    folder.WriteBytes("bad.txt", QByteArray("A\xff\xfe\x00Z", 5));
    const QString text = ReadTextFile(folder.File("bad.txt"));
    EXPECT_TRUE(text.startsWith('A'));
    EXPECT_TRUE(text.endsWith("Z\r\n"));
}

TEST(TextHelpers, TextBetweenTakesFirstEndAfterFirstStart)
{
    EXPECT_EQ(TextBetween("[", "]", "a[b]c]"), "b");
    EXPECT_EQ(TextBetween("[", "]", "] x [y"), "");  // end only before start
    EXPECT_EQ(TextBetween("[", "]", "no markers"), "");
    EXPECT_EQ(TextBetween("[", "]", "   "), "");
    EXPECT_EQ(TextBetween("<b>", "</b>", "<B>x</B>"), "");  // case-sensitive
    EXPECT_EQ(TextBetween("Showing 1 to 20 of", ")</FONT></TD>",
                          "Showing 1 to 20 of 5,432 (x)</FONT></TD>"),
              " 5,432 (x");
}

TEST(TextHelpers, StripTagsRemovesTagsLinearlyAndKeepsNamedOnes)
{
    EXPECT_EQ(StripTags("  <b>bold</b> and <i>it</i>  ", ""), "bold and it");
    EXPECT_EQ(StripTags("a\r\nb", ""), "a b");
    EXPECT_EQ(StripTags("<p>", ""), " ");
    EXPECT_EQ(StripTags("keep <unclosed rest of text", ""), "keep ");
    EXPECT_EQ(StripTags("<B>x</B><br><I>y</I>", "b, br"), "<B>x<br>y");  // "</" is no kept name
    EXPECT_EQ(StripTags("1 < 2 > 0", ""), "1  0");

    QString big;
    for (int i = 0; i < 20000; ++i) big += "<TD><B>v</B></TD>";
    EXPECT_EQ(StripTags(big, ""), QString(20000, 'v'));
}

TEST(TextHelpers, ProperCaseStartsWordsOnlyAfterSpaces)
{
    EXPECT_EQ(ProperCase("O'NEIL-SMITH INC"), "O'neil-smith Inc");
    EXPECT_EQ(ProperCase("acme  GOLD corp."), "Acme  Gold Corp.");
    EXPECT_EQ(ProperCase(""), "");
    EXPECT_EQ(ProperCase("x"), "X");
}

TEST_F(TextFiles, DeleteAndCountFilesByWildcard)
{
    QDir(folder.Path()).mkdir("temp");
    for (const char *name : {"temp/0.dat", "temp/1.DAT", "temp/notes.txt", "temp/2.dat.bak"})
        folder.WriteBytes(name, "x");
    QDir(folder.Path()).mkdir("temp/sub.dat");  // folders are not files
    const QString temp = folder.File("temp");
    EXPECT_EQ(CountFiles(temp, "*.dat"), 2);
    EXPECT_EQ(CountFiles(temp + "/", "*.dat"), 2);
    EXPECT_EQ(DeleteFiles(temp + "/", "*.dat"), 2);
    EXPECT_EQ(CountFiles(temp, "*.dat"), 0);
    EXPECT_EQ(CountFiles(temp, "*"), 2);
    EXPECT_EQ(CountFiles(folder.File("missing"), "*"), 0);
}
