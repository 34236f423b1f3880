#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTimeZone>
#include <cmath>

#include "HistoryTestSupport.h"
#include "TempProgramFolder.h"
#include "history/PriceHistory.h"
#include "store/Module1.h"

using namespace history;
using historytest::Query;
using historytest::Stock;

namespace {

const QDateTime First(QDate(2026, 3, 2), QTime(9, 30, 0), QTimeZone::utc());
const QDateTime Second(QDate(2026, 3, 9), QTime(17, 5, 12), QTimeZone::utc());
const QDateTime Third(QDate(2026, 3, 16), QTime(8, 0, 0), QTimeZone::utc());

const QString Quoted = "O'NE\"IL";
const QString Foreign = QString::fromUtf8("ÄKTIE-€");

struct Snapshot {
    QDateTime when;
    std::vector<StockRecord> records;
};

// Three updates: one stock in all, one that leaves and comes back, one that arrives late,
// odd symbols, a price of 0, a duplicate and a record without a symbol.
const std::vector<Snapshot> Updates = {
    {First,
     {Stock("AAA", 1.0), Stock("BBB", 2.5), Stock(Quoted, 0.0), Stock(Foreign, 3.2501),
      Stock("", 4.0)}},
    {Second,
     {Stock("AAA", 1.1), Stock(Foreign, 3.0), Stock("CCC", 0.0001), Stock("CCC", 4.9),
      Stock(Quoted, 0.25)}},
    {Third, {Stock("AAA", 4.9999, "AAA Renamed Inc"), Stock("BBB", 2.0), Stock("CCC", 0.5)}},
};

class History : public ::testing::Test {
protected:
    void AppendAll()
    {
        ASSERT_TRUE(history.Open().ok);
        for (const Snapshot &s : Updates) {
            const HistoryResult result = history.Append(s.records, s.when, 7);
            ASSERT_TRUE(result.ok) << result.message.toStdString();
            EXPECT_TRUE(result.message.isEmpty());
        }
    }
    TempProgramFolder folder;
    PriceHistory history;
};

}  // namespace

TEST_F(History, SeriesListsEverySnapshotOfTheStockOldestFirst)
{
    AppendAll();
    EXPECT_EQ(history.SnapshotCount(), 3);
    struct Case {
        QString symbol;
        std::vector<std::pair<QDateTime, double>> points;
    };
    const Case cases[] = {
        {"AAA", {{First, 1.0}, {Second, 1.1}, {Third, 4.9999}}},
        {"BBB", {{First, 2.5}, {Third, 2.0}}},
        {"CCC", {{Second, 0.0001}, {Third, 0.5}}},  // the first of the duplicates
        {Quoted, {{First, 0.0}, {Second, 0.25}}},
        {Foreign, {{First, 3.2501}, {Second, 3.0}}},
        {"aaa", {}},  // symbols match exactly
        {"", {}},
    };
    for (const Case &c : cases) {
        const std::vector<SeriesPoint> got = history.Series(c.symbol);
        ASSERT_EQ(got.size(), c.points.size()) << c.symbol.toStdString();
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].takenAt, c.points[i].first) << c.symbol.toStdString() << i;
            EXPECT_DOUBLE_EQ(got[i].price, c.points[i].second) << c.symbol.toStdString() << i;
        }
    }
    // Each snapshot counts its stocks once; the record without a symbol is not one.
    EXPECT_EQ(Query(history.Path(), "SELECT sum(stocks) FROM snapshot"), 4 + 4 + 3);
    EXPECT_EQ(Query(history.Path(), "SELECT count(*) FROM quote"), 11);
    EXPECT_EQ(Query(history.Path(), "PRAGMA user_version"), PriceHistory::SchemaVersion);
    EXPECT_EQ(Query(history.Path(), "SELECT count(*) FROM stock WHERE company = 'AAA Renamed Inc'"),
              1);
}

TEST_F(History, PreviousPricesAreThoseOfTheSnapshotBeforeTheLatest)
{
    ASSERT_TRUE(history.Open().ok);
    EXPECT_TRUE(history.PreviousPrices().isEmpty());
    ASSERT_TRUE(history.Append(Updates[0].records, First, 1).ok);
    EXPECT_TRUE(history.PreviousPrices().isEmpty()) << "one snapshot has nothing before it";
    ASSERT_TRUE(history.Append(Updates[1].records, Second, 1).ok);
    const QHash<QString, double> want1 = {
        {"AAA", 1.0}, {"BBB", 2.5}, {Quoted, 0.0}, {Foreign, 3.2501}};
    EXPECT_EQ(history.PreviousPrices(), want1);
    ASSERT_TRUE(history.Append(Updates[2].records, Third, 1).ok);
    const QHash<QString, double> want2 = {
        {"AAA", 1.1}, {Foreign, 3.0}, {"CCC", 0.0001}, {Quoted, 0.25}};
    EXPECT_EQ(history.PreviousPrices(), want2);
}

TEST_F(History, FirstSeenIsTheLocalDateOfTheFirstSnapshotListingTheStock)
{
    AppendAll();
    const QHash<QString, QDate> want = {{"AAA", First.toLocalTime().date()},
                                        {"BBB", First.toLocalTime().date()},
                                        {Quoted, First.toLocalTime().date()},
                                        {Foreign, First.toLocalTime().date()},
                                        {"CCC", Second.toLocalTime().date()}};
    EXPECT_EQ(history.FirstSeen(), want);
}

// Values past what the scaled integers hold are kept as unknown, not as wrapped numbers.
TEST_F(History, UnrepresentablePricesReadBackAsZero)
{
    ASSERT_TRUE(history.Open().ok);
    std::vector<StockRecord> odd = {Stock("NAN", std::nan("")), Stock("HUGE", 1e300),
                                    Stock("NEG", -1.5)};
    ASSERT_TRUE(history.Append(odd, First, 1).ok);
    EXPECT_EQ(history.Series("NAN").at(0).price, 0.0);
    EXPECT_EQ(history.Series("HUGE").at(0).price, 0.0);
    EXPECT_EQ(history.Series("NEG").at(0).price, -1.5);
}

// The seed's date: time.txt as the program writes it, otherwise the time of data.dat.
TEST(Seed, DatedByTheTimeStampOrElseByDataDat)
{
    const QDateTime fileTime(QDate(2024, 5, 6), QTime(7, 8, 9));
    struct Case {
        const char *name;
        QByteArray stamp;  // empty: no time.txt
        QDateTime want;
    };
    const Case cases[] = {
        {"stamp", "08,Dec 2025 at 09:21:05 PM\r\n",
         QDateTime(QDate(2025, 12, 8), QTime(21, 21, 5))},
        {"morning", Module1::TimeStampText(QDateTime(QDate(2025, 1, 2), QTime(0, 5, 0))).toUtf8(),
         QDateTime(QDate(2025, 1, 2), QTime(0, 5, 0))},
        {"no_stamp", "", fileTime},
        {"unreadable_stamp", "yesterday, I think", fileTime},
    };
    for (const Case &c : cases) {
        TempProgramFolder folder;
        folder.WriteBytes("data.dat", "\r\nOLD~!@Old Co~!@Gold~!@X~!@1.5\r\n");
        if (!c.stamp.isEmpty())
            folder.WriteBytes("time.txt", c.stamp);
        QFile data(folder.File("data.dat"));
        ASSERT_TRUE(data.open(QIODevice::ReadWrite));
        ASSERT_TRUE(data.setFileTime(fileTime, QFileDevice::FileModificationTime));
        data.close();
        EXPECT_EQ(DataFileTime(), c.want) << c.name;

        const std::vector<StockRecord> records = {Stock("OLD", 1.5)};
        const HistoryResult seeded = SeedIfEmpty(records);
        EXPECT_TRUE(seeded.ok && seeded.message.isEmpty()) << seeded.message.toStdString();
        EXPECT_TRUE(SeedIfEmpty(records).ok);  // a second start adds nothing
        PriceHistory history;
        ASSERT_TRUE(history.Open().ok);
        const std::vector<SeriesPoint> points = history.Series("OLD");
        ASSERT_EQ(points.size(), 1u) << c.name;
        EXPECT_EQ(points[0].takenAt, c.want.toUTC()) << c.name;
        EXPECT_EQ(points[0].price, 1.5);
    }
}

// The update's own path: the data it replaces seeds a history that has not begun.
TEST(RecordUpdate, SeedsFromTheReplacedDataThenAppendsTheNew)
{
    TempProgramFolder folder;
    const std::vector<StockRecord> before = {Stock("OLD", 1.5), Stock("KEPT", 2.0)};
    const std::vector<StockRecord> after = {Stock("KEPT", 2.2), Stock("NEW", 0.7)};
    const QDateTime seedTime(QDate(2020, 1, 1), QTime(10, 0, 0));
    const QDateTime started = QDateTime::currentDateTimeUtc().addSecs(-1);
    HistoryResult result = RecordUpdate(before, seedTime, after, 3);
    ASSERT_TRUE(result.ok && result.message.isEmpty()) << result.message.toStdString();
    result = RecordUpdate(after, seedTime, before, 4);  // seeds only once
    ASSERT_TRUE(result.ok);

    PriceHistory history;
    ASSERT_TRUE(history.Open().ok);
    EXPECT_EQ(history.SnapshotCount(), 3);
    const std::vector<SeriesPoint> kept = history.Series("KEPT");
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].takenAt, seedTime.toUTC());
    EXPECT_GE(kept[1].takenAt, started);
    EXPECT_EQ(kept[1].price, 2.2);
    EXPECT_EQ(history.Series("NEW").size(), 1u);
    EXPECT_EQ(Query(history.Path(), "SELECT sum(pages) FROM snapshot"), 0 + 3 + 4);
}
