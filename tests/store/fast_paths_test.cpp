#include <gtest/gtest.h>

#include <QSet>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "TempProgramFolder.h"
#include "platform/LeadingNumber.h"
#include "platform/TextCodec.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"

// The load, the save and the number parse work on bytes where they can; each must give exactly
// what the text helpers give one after another on the decoded text, for any input.
namespace {

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;  // tells -0 from 0
}

// Bytes built from pieces that sit on the borders the fast paths decide at.
enum class Utf8 { Valid, Any };
QByteArray OddBytes(std::mt19937 &rng, int pieces, Utf8 utf8 = Utf8::Any)
{
    static const char *const Pieces[] = {"~!@",
                                         "~!",
                                         "~",
                                         "\r\n",
                                         "\r",
                                         "\n",
                                         " ",
                                         "  ",
                                         "\t",
                                         "0",
                                         "7",
                                         "12",
                                         "-",
                                         "+",
                                         ".",
                                         "E",
                                         "e",
                                         "D",
                                         "d",
                                         "E+",
                                         "e-",
                                         "&H",
                                         "&O",
                                         "F",
                                         "1234567890123456",
                                         "999999999999999",
                                         "0.000000000000001",
                                         "00000000000000000001",
                                         "12,5",
                                         "%",
                                         "x",
                                         "ABC",
                                         "\xC3\xA9",
                                         "\xE2\x82\xAC",
                                         "\xF0\x9F\x98\x80",
                                         "\xEF\xBB\xBF",
                                         "\xC3",
                                         "\xFF",
                                         "\xED\xA0\x80",
                                         "\xEF\xBF\xBE",
                                         "NUL"};  // the last stands for a NUL byte
    QByteArray bytes;
    for (int i = 0; i < pieces; ++i) {
        const std::size_t k = rng() % std::size(Pieces);
        const QByteArray piece =
            k + 1 == std::size(Pieces) ? QByteArray(1, '\0') : QByteArray(Pieces[k]);
        if (utf8 == Utf8::Valid && (!piece.isValidUtf8() || piece.startsWith("\xEF\xBB")))
            continue;
        bytes += piece;
    }
    return bytes;
}

std::vector<StockRecord> RecordsOfTheTextHelpers(const QString &path)
{
    const QStringList lines = MdlHelpers::RemoveDuplicateLines(
        MdlHelpers::RemoveBlankLines(MdlHelpers::ReadLines(path, true)));
    // Then the records with a symbol, each one that saves as a line of its own.
    std::vector<StockRecord> records;
    QSet<QString> saved;
    for (const QString &line : lines) {
        StockRecord record = Module1::RecordFromLine(line);
        const QString as = Module1::RecordLine(record);
        if (!record.Symbol.isEmpty() && !saved.contains(as)) {
            saved.insert(as);
            records.push_back(std::move(record));
        }
    }
    return records;
}

void ExpectSameRecords(const std::vector<StockRecord> &expected, const QByteArray &file)
{
    ASSERT_EQ(Stocks().Count(), static_cast<int>(expected.size())) << file.toHex().constData();
    for (int r = 0; r < Stocks().Count(); ++r) {
        const StockRecord &got = Stocks()[r];
        const StockRecord &want = expected[static_cast<std::size_t>(r)];
        for (int f = 0; f < StockRecord::TextFieldCount; ++f)
            EXPECT_EQ(got.TextField(f), want.TextField(f)) << "record " << r << " field " << f;
        for (int f = StockRecord::TextFieldCount; f < StockRecord::FieldCount; ++f)
            EXPECT_TRUE(SameBits(got.NumberField(f), want.NumberField(f)))
                << "record " << r << " field " << f << ": " << got.NumberField(f) << " vs "
                << want.NumberField(f) << " in " << file.toHex().constData();
    }
}

}  // namespace

TEST(FastPaths, LoadGivesTheRecordsOfTheTextHelpersForAnyBytes)
{
    TempProgramFolder folder;
    std::mt19937 rng(20);
    // Files of valid UTF-8 take the byte road, the others the general one; both are checked.
    for (int round = 0; round < 400; ++round) {
        QByteArray file = OddBytes(rng, 10 + static_cast<int>(rng() % 300),
                                   round % 4 < 3 ? Utf8::Valid : Utf8::Any);
        if (round % 2 == 0)  // mostly well-formed lines: repeated, trimmed, short of fields
            file = "\r\n" + file + "\r\n" + file.left(static_cast<qsizetype>(rng() % 40)) +
                   "\r\n " + file + " \r\n";
        folder.WriteBytes("data.dat", file);
        const auto expected = RecordsOfTheTextHelpers(Module1::DatabasePath());
        Module1::LoadStockDatabase();
        ExpectSameRecords(expected, file);
        if (HasFailure())
            break;
    }
    Stocks().Clear();
}

// Industries and exchanges that repeat share one decoded text: texts of the same length and the
// same first and last byte land in the same slot and must still keep their own characters.
TEST(FastPaths, RepeatedTextsKeepTheirOwnCharacters)
{
    TempProgramFolder folder;
    const char *const Alike[] = {"aXb",
                                 "aYb",
                                 "aXb",
                                 "",
                                 "a\xC3\xA9"
                                 "b",
                                 "aZb",
                                 "aXXb",
                                 "aYb"};
    for (const char *exchange : {"Nasdaq", "N\xC3\xA9q"}) {
        QByteArray file = "\r\n";
        for (int i = 0; i < 300; ++i)
            file += "S" + QByteArray::number(i) + "~!@Co~!@" + Alike[i % std::size(Alike)] + "~!@" +
                    (i % 3 ? exchange : "Nyse") + "~!@" + QByteArray::number(i) + "\r\n";
        folder.WriteBytes("data.dat", file);
        const auto expected = RecordsOfTheTextHelpers(Module1::DatabasePath());
        Module1::LoadStockDatabase();
        ExpectSameRecords(expected, file);
    }
    Stocks().Clear();
}

TEST(FastPaths, NumbersOfBytesAndOfTheirTextAgree)
{
    std::mt19937 rng(4);
    for (int i = 0; i < 20000; ++i) {
        const QByteArray bytes = OddBytes(rng, 1 + static_cast<int>(rng() % 6));
        if (bytes.startsWith("\xEF\xBB\xBF"))
            continue;  // decoding drops a leading byte order mark; the load never asks then
        const double fromBytes = platform::ParseLeadingNumber(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        const double fromText = MdlHelpers::ParseLeadingNumber(platform::DecodeLocaleText(bytes));
        ASSERT_TRUE(SameBits(fromBytes, fromText)) << bytes.toHex().constData();
        // Where the plain reader takes a number, it is the same one.
        double plain = 0;
        const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (platform::ReadPlainNumber(view, plain) > 0) {
            ASSERT_TRUE(SameBits(plain, fromText)) << bytes.toHex().constData();
        }
    }
}

TEST(FastPaths, PlainDecimalsReadAsTheCorrectlyRoundedDouble)
{
    // The short road divides; the reference is the standard conversion of the same digits.
    std::mt19937_64 rng(15);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(rng() % 15);
        std::string text = (rng() % 2) ? "-" : "";
        const int point = static_cast<int>(rng() % (digits + 2)) - 1;  // -1: no point
        for (int d = 0; d < digits; ++d) {
            if (d == point)
                text += '.';
            text += static_cast<char>('0' + rng() % 10);
        }
        if (point == digits)
            text += '.';
        double reference = 0;
        const char *first = text.data() + (text[0] == '-');
        std::from_chars(first, text.data() + text.size(), reference);
        if (text[0] == '-')
            reference = -reference;
        double plain = 0;
        // With a short tail the reader goes byte by byte, with a long one a word at a time.
        const std::size_t n =
            platform::ReadPlainNumber(text + (i % 2 ? "~!@" : "~!@x~!@12345678"), plain);
        ASSERT_EQ(n, text.size()) << text;
        ASSERT_TRUE(SameBits(plain, reference)) << text;
        ASSERT_TRUE(
            SameBits(MdlHelpers::ParseLeadingNumber(QString::fromStdString(text)), reference))
            << text;
    }
}

TEST(FastPaths, SavedBytesAreTheEncodedRecordLines)
{
    if (!platform::LocaleIsUtf8())
        GTEST_SKIP() << "the byte road is taken in a UTF-8 locale only";
    std::mt19937 rng(9);
    const char16_t alphabet[] = {u'A',   u'z',   u' ',   u'~',  u'!',  u'@',  0xE9,
                                 0x20AC, 0xD83D, 0xDE00, u'\0', u'\r', 0xFFFE};
    const double numbers[] = {0,
                              -0.0,
                              0.35,
                              -2.5,
                              1.5e20,
                              1e-5,
                              123456789012345678.0,
                              std::numeric_limits<double>::infinity(),
                              1.0 / 3,
                              -1e300,
                              -12.34,
                              1234500000,
                              0.0001};
    Stocks().Clear();
    for (int r = 0; r < 300; ++r) {
        StockRecord record;
        for (int f = 0; f < StockRecord::TextFieldCount; ++f)
            // Mostly ASCII, so that long texts of plain ASCII (copied eight at a time) occur.
            for (int n = static_cast<int>(rng() % 25); n > 0; --n)
                record.TextField(f) +=
                    QChar(alphabet[rng() % 4 ? rng() % 6 : rng() % std::size(alphabet)]);
        for (int f = StockRecord::TextFieldCount; f < StockRecord::FieldCount; ++f)
            record.NumberField(f) = numbers[rng() % std::size(numbers)];
        Stocks().StoreAt(r, record);
    }
    QByteArray expected = "\r\n";
    for (const StockRecord &record : Stocks())
        if (!MdlHelpers::TrimSpaces(record.Symbol).isEmpty())  // what the load would drop
            expected += platform::EncodeLocaleText(Module1::RecordLine(record)) + "\r\n";
    EXPECT_EQ(Module1::DatabaseBytes(), expected);
    Stocks().Clear();
}
