#include <gtest/gtest.h>

#include <QRegularExpression>

#include "TempProgramFolder.h"
#include "platform/ProgramFolder.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"

namespace {

StockRecord Sample(const QString &symbol, double price)
{
    StockRecord r;
    r.Symbol = symbol;
    r.Company = "Acme Mining Corp";
    r.Industry = "Gold";
    r.Text3 = "X";
    r.Price = price;
    r.MarketCap = 12500000;
    r.Beta = -1.25;
    r.PE = 1.0 / 3.0;
    r.Value18 = 1.5e20;
    r.Value17 = 0.00001234;
    return r;
}

class StockDatabase : public ::testing::Test {
protected:
    void SetUp() override { Stocks().Clear(); }
    void TearDown() override { Stocks().Clear(); }
    TempProgramFolder folder;
};

}  // namespace

TEST_F(StockDatabase, SaveWritesAnEmptyFirstLineAndOneLinePerRecord)
{
    StockRecord r;
    r.Symbol = "ABCD";
    r.Company = "Acme Mining Corp";
    r.Industry = "Gold";
    r.Text3 = "X";
    r.Price = 0.35;
    r.MarketCap = 12500000;
    Stocks().StoreAt(0, r);
    ASSERT_TRUE(Module1::SaveStockDatabase());
    EXPECT_EQ(
        folder.ReadBytes("data.dat"),
        "\r\nABCD~!@Acme Mining Corp~!@Gold~!@X~!@0.35~!@0~!@12500000~!@0~!@0~!@0~!@0~!@0~!@0~!@"
        "0~!@0~!@0~!@0~!@0~!@0\r\n");
}

TEST_F(StockDatabase, SaveThenLoadGivesBackTheSameRecords)
{
    for (int i = 0; i < 50; ++i)
        Stocks().StoreAt(i, Sample(QString("S%1").arg(i), i * 0.01 + 0.001));
    Stocks()[7].Show = true;
    const std::vector<StockRecord> saved(Stocks().begin(), Stocks().end());
    ASSERT_TRUE(Module1::SaveStockDatabase());
    Stocks().Clear();
    EXPECT_EQ(Module1::LoadStockDatabase(), 0);
    ASSERT_EQ(Stocks().Count(), 50);
    for (int i = 0; i < 50; ++i) {
        StockRecord expected = saved[static_cast<size_t>(i)];
        expected.Show = false;
        EXPECT_EQ(Stocks()[i].Symbol, expected.Symbol);
        for (int f = StockRecord::TextFieldCount; f < StockRecord::FieldCount; ++f)
            EXPECT_NEAR(Stocks()[i].NumberField(f), expected.NumberField(f),
                        std::abs(expected.NumberField(f)) * 1e-15)
                << "record " << i << " field " << f;
        EXPECT_FALSE(Stocks()[i].Show);
    }
}

TEST_F(StockDatabase, LoadDropsBlankAndDuplicateLinesAndTrimsLineEnds)
{
    folder.WriteBytes("data.dat",
                      "\r\n   ABC~!@Co  Name~!@Ind~!@T~!@1.5E+20  \r\n   \r\n"
                      "ABC~!@Co  Name~!@Ind~!@T~!@1.5E+20\r\n"
                      "abc~!@Co  Name~!@Ind~!@T~!@1.5E+20\r\n\r\n");
    EXPECT_EQ(Module1::LoadStockDatabase(), 0);
    ASSERT_EQ(Stocks().Count(), 2);  // the trimmed first line equals the second
    EXPECT_EQ(Stocks()[0].Symbol, "ABC");
    EXPECT_EQ(Stocks()[0].Company, "Co  Name");
    EXPECT_DOUBLE_EQ(Stocks()[0].Price, 1.5e20);
    EXPECT_EQ(Stocks()[1].Symbol, "abc");
}

TEST_F(StockDatabase, ShortAndLongLinesAreReadAsFarAsTheyGo)
{
    QByteArray longLine = "L";
    for (int i = 1; i < 25; ++i) longLine += "~!@" + QByteArray::number(i);
    folder.WriteBytes("data.dat", "\r\nS~!@Only company\r\n" + longLine + "\r\n");
    Module1::LoadStockDatabase();
    ASSERT_EQ(Stocks().Count(), 2);
    EXPECT_EQ(Stocks()[0].Company, "Only company");
    EXPECT_EQ(Stocks()[0].Industry, "");
    EXPECT_EQ(Stocks()[0].Price, 0);
    EXPECT_EQ(Stocks()[1].Text3, "3");
    EXPECT_EQ(Stocks()[1].Value18, 18);
}

TEST_F(StockDatabase, NoFileOrNoRecordsGivesAnEmptyTable)
{
    Stocks().StoreAt(0, Sample("OLD", 1));
    Module1::LoadStockDatabase();
    EXPECT_TRUE(Stocks().IsEmpty());
    Stocks().StoreAt(0, Sample("OLD", 1));
    folder.WriteBytes("data.dat", "\r\n  \r\n");
    Module1::LoadStockDatabase();
    EXPECT_TRUE(Stocks().IsEmpty());
}

TEST_F(StockDatabase, OversizedFileLoadsTheFirst32767RecordsAndCountsTheRest)
{
    QStringList lines{""};
    for (int i = 0; i < StockTable::MaxRecords + 5; ++i)
        lines << QString("S%1~!@C~!@I~!@T~!@%2").arg(i).arg(i);
    ASSERT_TRUE(MdlHelpers::WriteLines(Module1::DatabasePath(), lines));
    EXPECT_EQ(Module1::LoadStockDatabase(), 5);
    ASSERT_EQ(Stocks().Count(), StockTable::MaxRecords);
    EXPECT_EQ(Stocks()[StockTable::MaxRecords - 1].Symbol, "S32766");
}

TEST_F(StockDatabase, FailedSaveKeepsThePreviousDatabase)
{
    folder.WriteBytes("data.dat", "\r\nOLD~!@C~!@I~!@T~!@1\r\n");
    Stocks().StoreAt(0, Sample("NEW", 2));
    platform::SetProgramFolderOverride(folder.File("missing-folder"));
    EXPECT_FALSE(Module1::SaveStockDatabase());
    platform::SetProgramFolderOverride(folder.Path());
    EXPECT_EQ(folder.ReadBytes("data.dat"), "\r\nOLD~!@C~!@I~!@T~!@1\r\n");
}

TEST_F(StockDatabase, TimeStampIsOneLineInTheStampFormat)
{
    ASSERT_TRUE(Module1::WriteTimeStamp());
    const QString text = MdlHelpers::ReadTextFile(Module1::TimeStampPath());
    static const QRegularExpression stamp(
        R"(^\d\d,\S+ \d{4} at (0[1-9]|1[0-2]):[0-5]\d:[0-5]\d \S+\r\n$)");
    EXPECT_TRUE(stamp.match(text).hasMatch()) << text.toStdString();
}

TEST(StockTable, StoreAtCutsTheTableAndRefusesIndicesPastTheLimit)
{
    StockTable table;
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(table.StoreAt(i, StockRecord{}));
    StockRecord r;
    r.Symbol = "FIRST";
    ASSERT_TRUE(table.StoreAt(0, r));
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(table[0].Symbol, "FIRST");
    EXPECT_FALSE(table.StoreAt(StockTable::MaxRecords, r));
    EXPECT_FALSE(table.StoreAt(-1, r));
    EXPECT_EQ(table.Count(), 1);
}

TEST_F(StockDatabase, DatabaseOfASingleByteBuildLoadsAsWindows1252AndSavesAsUtf8)
{
    // Only one line holds a byte that is not ASCII; the whole file is read alike.
    folder.WriteBytes("data.dat",
                      "\r\nONEL~!@O\x92Neil-smith Caf\xE9~!@Gold~!@X~!@1.5\r\n"
                      "PLAIN~!@Plain Co~!@Coal~!@X~!@2\r\n");
    Module1::LoadStockDatabase();
    ASSERT_EQ(Stocks().Count(), 2);
    EXPECT_EQ(Stocks()[0].Company, QString::fromUtf16(u"O\u2019Neil-smith Caf\u00E9"));
    EXPECT_DOUBLE_EQ(Stocks()[0].Price, 1.5);

    ASSERT_TRUE(Module1::SaveStockDatabase());
    EXPECT_TRUE(folder.ReadBytes("data.dat").contains("O\xE2\x80\x99Neil-smith Caf\xC3\xA9"));
    Module1::LoadStockDatabase();
    EXPECT_EQ(Stocks()[0].Company, QString::fromUtf16(u"O\u2019Neil-smith Caf\u00E9"));
}
