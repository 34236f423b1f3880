#include <gtest/gtest.h>

#include <random>

#include "TempProgramFolder.h"
#include "store/Module1.h"
#include "store/StockTable.h"

// data.dat as a damaged disk, another program or a hostile user may leave it: the load never
// crashes, keeps at most 32,767 records, and every record it keeps survives a save and a reload.
namespace {

QByteArray RandomBytes(int size, unsigned seed)
{
    std::mt19937 rng(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes) c = static_cast<char>(rng());
    return bytes;
}

QByteArray ManyFieldsLine()
{
    QByteArray line = "SYM";
    for (int i = 1; i < 1000; ++i) line += "~!@" + QByteArray::number(i);
    return line;
}

struct Hostile {
    const char *name;
    QByteArray bytes;
    int records;             // -1: any number
    int withoutSymbol = -1;  // records dropped for want of a symbol; -1: any number
};

const Hostile Files[] = {
    {"binary_garbage", RandomBytes(2'000'000, 7), -1},
    {"one_10_MB_line", QByteArray(10'000'000, 'A'), 1},
    {"fields_past_the_nineteenth", ManyFieldsLine() + "\r\n" + ManyFieldsLine() + "\r\n", 1},
    {"nul_bytes",
     QByteArray("A\0B~!@C\0~!@\0~!@x~!@1\0"
                "5\r\n",
                21),
     1},
    {"invalid_utf8", "\xC3\x28~!@\xFF\xFE~!@\xED\xA0\x80\r\n\xF8\x88\x80\x80\x80\r\n", 2},
    {"cr_only", "A~!@x\rB~!@y\rC~!@z\r", 3},
    {"lf_only_is_one_line", "A~!@x\nB~!@y\nC~!@z\n", 1},
    // Distinct lines, but one save would write each group as one line.
    {"lines_of_separators_only", "~!@\r\n~!@~!@\r\n  ~!@~!@~!@\r\n~!@Co~!@x~!@y~!@2\r\n", 0, 4},
    {"one_record_written_three_ways",
     "A~!@x~!@~!@~!@1.5\r\nA~!@x~!@~!@~!@1.50~!@\r\nA~!@x~!@~!@~!@15E-1~!@0\r\nB~!@x\r\n", 2, 0},
    {"digits_past_the_fifteenth",
     "A~!@x~!@~!@~!@0.12345678901234567\r\nA~!@x~!@~!@~!@0.12345678901234568\r\n", 1, 0},
    {"byte_order_mark",
     "\xEF\xBB\xBF~!@Caf\xC3\xA9\r\nB~!@Caf\xC3\xA9~!@~!@~!@2\r\nB~!@Caf\xC3\xA9~!@~!@~!@2.0\r\n",
     1, 1},
    {"over_32767_lines",
     QByteArray("R~!@\r\n").repeated(1) +
         [] {
             QByteArray many;
             for (int i = 0; i < 40'000; ++i) many += "S" + QByteArray::number(i) + "\r\n";
             return many;
         }(),
     StockTable::MaxRecords},
};

class HostileDatabase : public ::testing::TestWithParam<Hostile> {
protected:
    void TearDown() override { Stocks().Clear(); }
    TempProgramFolder folder;
};

}  // namespace

TEST_P(HostileDatabase, LoadsWhatItCanAndKeepsItThroughASave)
{
    folder.WriteBytes("data.dat", GetParam().bytes);
    int withoutSymbol = 0;
    Module1::LoadStockDatabase(&withoutSymbol);
    const int loaded = Stocks().Count();
    ASSERT_LE(loaded, StockTable::MaxRecords);
    if (GetParam().records >= 0) {
        EXPECT_EQ(loaded, GetParam().records);
    }
    if (GetParam().withoutSymbol >= 0) {
        EXPECT_EQ(withoutSymbol, GetParam().withoutSymbol);
    }

    std::vector<QString> lines;
    for (const StockRecord &r : Stocks()) lines.push_back(Module1::RecordLine(r));
    ASSERT_TRUE(Module1::SaveStockDatabase());
    const QByteArray saved = folder.ReadBytes("data.dat");
    Module1::LoadStockDatabase();
    std::vector<QString> again;
    for (const StockRecord &r : Stocks()) again.push_back(Module1::RecordLine(r));
    EXPECT_EQ(again, lines);
    ASSERT_TRUE(Module1::SaveStockDatabase());
    EXPECT_EQ(folder.ReadBytes("data.dat"), saved);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileDatabase, ::testing::ValuesIn(Files),
                         [](const auto &info) { return std::string(info.param.name); });
