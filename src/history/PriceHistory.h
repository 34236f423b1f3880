#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <memory>
#include <span>
#include <vector>

#include "store/StockRecord.h"

namespace history {

namespace sql {
class Database;
struct Status;
}  // namespace sql

// One stock's price in one snapshot.
struct SeriesPoint {
    QDateTime takenAt;  // UTC
    double price = 0;
};

// How an operation on the history went. A message may come with ok as well: the history was
// repaired (a damaged file moved aside) or can only be read; the user should read it either way.
struct HistoryResult {
    bool ok = true;
    QString message;
};

// The price history, history.sqlite in the data folder: one snapshot of every stock for every
// completed update. Numbers are kept as scaled integers (see PriceHistory.cpp); a price reads
// back to 1/10,000 of a dollar.
//
// The file is a SQLite database in WAL mode with synchronous=FULL: a snapshot that Append
// reported as written survives a kill or a power loss, one cut short vanishes whole.
class PriceHistory {
public:
    // The format this program writes, kept in PRAGMA user_version. A file of a newer format is
    // opened read-only.
    static constexpr int SchemaVersion = 1;
    static constexpr int DefaultBusyTimeoutMs = 2000;

    // history.sqlite in the data folder.
    static QString DefaultPath();

    enum class Check {
        None,   // trust the file: opening stays fast however long the history is
        Quick,  // PRAGMA quick_check first, as the update does before it writes
    };

    PriceHistory();
    ~PriceHistory();
    PriceHistory(const PriceHistory &) = delete;
    PriceHistory &operator=(const PriceHistory &) = delete;

    // Opens the history, creating it when there is none. A file that is damaged, or no history
    // of this program at all, is moved aside as "<name>.damaged-YYYYMMDD-HHMMSS" (with its -wal
    // and -shm files) and a new one is started; the result is ok and says so. A file of a newer
    // format opens read-only, ok, with a message saying that this Zentrin is older than its
    // history. Not ok when the file cannot be opened or created (the message says why).
    HistoryResult Open(const QString &path, Check check = Check::None);
    HistoryResult Open() { return Open(DefaultPath()); }
    void Close();
    bool IsOpen() const;
    bool IsReadOnly() const { return readOnly; }
    QString Path() const { return path; }
    // How long a write waits for another process that holds the file; from the next Open on.
    void SetBusyTimeout(int ms) { busyTimeoutMs = ms; }

    // Appends the records as one snapshot taken at the given time, in one transaction. Records
    // without a symbol are left out, and of records with the same symbol only the first is kept.
    // Not ok (and nothing written) when the history is closed, read-only or cannot be written.
    HistoryResult Append(std::span<const StockRecord> records, const QDateTime &takenAt, int pages);

    // Snapshots held; 0 when closed.
    int SnapshotCount() const;
    // The stock's price in every snapshot that lists it, oldest first; empty for an unknown
    // symbol. Symbols are matched exactly, case and all.
    std::vector<SeriesPoint> Series(const QString &symbol) const;
    // Every stock's price in the snapshot before the latest one; empty with fewer than two.
    QHash<QString, double> PreviousPrices() const;
    // The local date of the snapshot that first listed each stock.
    QHash<QString, QDate> FirstSeen() const;

private:
    friend HistoryResult RecordUpdate(std::span<const StockRecord>, const QDateTime &,
                                      std::span<const StockRecord>, int);

    HistoryResult OpenFile(Check check);
    HistoryResult MoveAside();
    HistoryResult AppendOnce(std::span<const StockRecord> records, const QDateTime &takenAt,
                             int pages);
    HistoryResult Failure(const sql::Status &status);

    std::unique_ptr<sql::Database> db;
    QString path;
    bool readOnly = false;
    int busyTimeoutMs = DefaultBusyTimeoutMs;
    QString lastReason;  // why the last Open or Append failed, or why the file is read-only
    int lastCode = 0;    // SQLite's code of the last failed write
};

// The time data.dat was written: the time stamp in time.txt, or when that cannot be read, the
// file's own time; the current time when there is no data.dat either.
QDateTime DataFileTime();

// What the update does once data.dat is saved: opens the data folder's history (checked),
// seeds it with the records data.dat held before the update (dated seedTime) when it holds no
// snapshot yet, and appends the new records. The history never fails an update: a result that
// is not ok carries the one line for the user, "The price history was not updated: ...".
HistoryResult RecordUpdate(std::span<const StockRecord> before, const QDateTime &seedTime,
                           std::span<const StockRecord> after, int pages);

// At start: with records loaded from data.dat and a history that holds no snapshot, one
// snapshot of them dated by DataFileTime(), so the history starts at once. Does nothing (ok,
// no message) when the history has snapshots or there are no records.
HistoryResult SeedIfEmpty(std::span<const StockRecord> records);

}  // namespace history
