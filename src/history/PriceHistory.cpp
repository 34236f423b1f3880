#include "history/PriceHistory.h"

#include <sqlite3.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cmath>

#include "history/Sqlite.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"

namespace history {

namespace {

// The scales of the quote columns. Integers keep a 32,767-stock snapshot near 1.3 MB, where
// eight doubles a row would take twice that; the screener gives no finer values.
constexpr double PriceScale = 10000;  // price in 1/10,000 dollar
constexpr double MarketCapScale = 1;  // market_cap in whole dollars
constexpr double RatioScale = 1000;   // beta, pe, pb, ps in 1/1,000

// The schema of format 1. The quote key puts the snapshot first, so an append writes at the
// end of the tree and costs the same however long the history is.
const char *const Schema = R"(
CREATE TABLE snapshot(id INTEGER PRIMARY KEY, taken_at TEXT NOT NULL, stocks INTEGER,
                      pages INTEGER);
CREATE TABLE stock(id INTEGER PRIMARY KEY, symbol TEXT UNIQUE NOT NULL, company TEXT,
                   industry TEXT, first_seen INTEGER REFERENCES snapshot(id));
CREATE TABLE quote(snapshot_id INTEGER NOT NULL, stock_id INTEGER NOT NULL, price INTEGER,
                   market_cap INTEGER, beta INTEGER, pe INTEGER, pb INTEGER, ps INTEGER,
                   PRIMARY KEY(snapshot_id, stock_id)) WITHOUT ROWID;
PRAGMA user_version = 1;
)";

void BindScaled(sql::Statement &statement, int index, double value, double scale)
{
    // Well inside the 64-bit range; a value past it (or not a number) is stored as unknown.
    const double scaled = value * scale;
    if (!std::isfinite(scaled) || std::abs(scaled) > 9.0e15)
        statement.BindNull(index);
    else
        statement.Bind(index, static_cast<int64_t>(std::llround(scaled)));
}

QString IsoTime(const QDateTime &when)
{
    return when.toUTC().toString(Qt::ISODate);
}

QDateTime FromIsoTime(const QString &text)
{
    QDateTime when = QDateTime::fromString(text, Qt::ISODate);
    return when.isValid() ? when.toUTC() : when;
}

// What went wrong, as the user reads it after "The price history was not updated: ".
QString Reason(const sql::Status &status, const QString &path)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    switch (status.Primary()) {
        case SQLITE_FULL:
            return QStringLiteral("the disk is full");
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return QStringLiteral("no file can be written in %1").arg(folder);
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("another program is using %1 right now")
                .arg(QDir::toNativeSeparators(path));
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return QStringLiteral("%1 is damaged").arg(QDir::toNativeSeparators(path));
        case SQLITE_IOERR:
            return QStringLiteral("the disk reported an error (%1)").arg(status.Message);
        default:
            return status.Message;
    }
}

bool IsDamage(const sql::Status &status)
{
    return status.Primary() == SQLITE_CORRUPT || status.Primary() == SQLITE_NOTADB;
}

const QString NotUpdated = QStringLiteral("The price history was not updated: ");

}  // namespace

QString PriceHistory::DefaultPath()
{
    return MdlHelpers::AppFile(QStringLiteral("history.sqlite"));
}

PriceHistory::PriceHistory() : db(std::make_unique<sql::Database>()) {}

PriceHistory::~PriceHistory() = default;

bool PriceHistory::IsOpen() const
{
    return db->IsOpen();
}

void PriceHistory::Close()
{
    db->Close();
    readOnly = false;
}

HistoryResult PriceHistory::Failure(const sql::Status &status)
{
    lastReason = Reason(status, path);
    return {false, NotUpdated + lastReason + QLatin1Char('.')};
}

HistoryResult PriceHistory::Open(const QString &file, Check check)
{
    Close();
    path = file;
    lastReason.clear();
    HistoryResult result = OpenFile(check);
    if (!result.ok && result.message.startsWith(NotUpdated))
        result.message = QStringLiteral("The price history %1 cannot be opened: %2.")
                             .arg(QDir::toNativeSeparators(path), lastReason);
    return result;
}

HistoryResult PriceHistory::OpenFile(Check check)
{
    sql::Status status = db->Open(path, sql::Database::Mode::ReadWriteCreate);
    if (!status.Ok()) {
        Close();
        return Failure(status);
    }
    db->SetBusyTimeout(busyTimeoutMs);
    // Until the file has passed its checks its journal stays: a damaged file is kept aside
    // with the journal it had.
    db->KeepWalOnClose(true);

    // The first read of the file: a file that is no SQLite database fails here.
    const int64_t version = db->Scalar("PRAGMA user_version", &status);
    if (IsDamage(status))
        return MoveAside();
    if (!status.Ok()) {
        Close();
        return Failure(status);
    }
    if (version > SchemaVersion) {
        status = db->Open(path, sql::Database::Mode::ReadOnly);
        if (!status.Ok()) {
            Close();
            return Failure(status);
        }
        readOnly = true;
        lastReason = QStringLiteral(
                         "this Zentrin is older than its history (format %1; it "
                         "writes format %2) and only reads it")
                         .arg(version)
                         .arg(SchemaVersion);
        return {true, QStringLiteral("The price history %1 was written by a newer Zentrin: %2.")
                          .arg(QDir::toNativeSeparators(path), lastReason)};
    }
    if (version == 0) {
        // A database of someone else's is no history to add to.
        const int64_t objects = db->Scalar("SELECT count(*) FROM sqlite_master", &status);
        if (IsDamage(status) || (status.Ok() && objects > 0))
            return MoveAside();
        if (!status.Ok()) {
            Close();
            return Failure(status);
        }
    }
    if (check == Check::Quick) {
        const QString verdict = db->ScalarText("PRAGMA quick_check", &status);
        if (IsDamage(status) || (status.Ok() && verdict != QLatin1String("ok")))
            return MoveAside();
        if (!status.Ok()) {
            Close();
            return Failure(status);
        }
    }
    // WAL with a full sync at every commit: a commit that returned is on the disk.
    db->ScalarText("PRAGMA journal_mode=WAL", &status);
    if (status.Ok())
        status = db->Exec("PRAGMA synchronous=FULL");
    if (!status.Ok()) {
        Close();
        return Failure(status);
    }
    db->KeepWalOnClose(false);
    if (version == 0) {
        sql::Transaction transaction(*db);
        status = transaction.Begin();
        if (status.Ok())
            status = db->Exec(Schema);
        if (status.Ok())
            status = transaction.Commit();
        if (!status.Ok()) {
            Close();
            return Failure(status);
        }
    }
    return {};
}

HistoryResult PriceHistory::MoveAside()
{
    Close();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(path, aside)) {
        lastReason = QStringLiteral("%1 is damaged and cannot be moved aside")
                         .arg(QDir::toNativeSeparators(path));
        return {false, NotUpdated + lastReason + QLatin1Char('.')};
    }
    const QString kept = QStringLiteral("The price history %1 was damaged; it was kept as %2")
                             .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(aside));
    // The journal files belong to the damaged file and go with it. One that stays would be
    // taken for the new file's: no new one is started beside it.
    for (const char *suffix : {"-wal", "-shm"}) {
        const QString journal = path + QLatin1String(suffix);
        if (QFileInfo::exists(journal) && !QFile::rename(journal, aside + QLatin1String(suffix))) {
            lastReason =
                QStringLiteral("%1 cannot be moved aside").arg(QDir::toNativeSeparators(journal));
            return {false, kept + QStringLiteral(", but ") + lastReason + QLatin1Char('.')};
        }
    }
    HistoryResult fresh = OpenFile(Check::None);
    if (!fresh.ok)
        return {false, kept + QStringLiteral(", and no new one could be started: ") + lastReason +
                           QLatin1Char('.')};
    return {true, kept + QStringLiteral(" and a new one was started.")};
}

HistoryResult PriceHistory::Append(std::span<const StockRecord> records, const QDateTime &takenAt,
                                   int pages)
{
    if (!IsOpen()) {
        lastReason = QStringLiteral("it is not open");
        return {false, NotUpdated + lastReason + QLatin1Char('.')};
    }
    if (readOnly)
        return {false, NotUpdated + lastReason + QLatin1Char('.')};
    HistoryResult result = AppendOnce(records, takenAt, pages);
    if (result.ok || !IsDamage({lastCode, {}}))
        return result;
    // Damage found while writing: keep the damaged file, start again, write the snapshot there.
    HistoryResult moved = MoveAside();
    if (!moved.ok)
        return moved;
    result = AppendOnce(records, takenAt, pages);
    if (!result.ok)
        return result;
    return moved;
}

HistoryResult PriceHistory::AppendOnce(std::span<const StockRecord> records,
                                       const QDateTime &takenAt, int pages)
{
    lastCode = 0;
    const auto failed = [this](const sql::Status &status) {
        lastCode = status.Code;
        return Failure(status);
    };
    sql::Transaction transaction(*db);
    sql::Status status = transaction.Begin();
    if (!status.Ok())
        return failed(status);

    // Every stock of the history by symbol, marked once this snapshot lists it.
    struct Known {
        int64_t id;
        QString company;
        QString industry;
        bool listed = false;
    };
    QHash<QString, Known> known;
    known.reserve(static_cast<qsizetype>(db->Scalar("SELECT max(id) FROM stock", &status)) +
                  static_cast<qsizetype>(records.size()));
    {
        sql::Statement select =
            db->Prepare("SELECT id, symbol, company, industry FROM stock", &status);
        if (!select.IsValid())
            return failed(status);
        while ((status = select.Step()).Row())
            known.insert(select.Text(1), {select.Int(0), select.Text(2), select.Text(3)});
        if (!status.Ok())
            return failed(status);
    }

    sql::Statement snapshot =
        db->Prepare("INSERT INTO snapshot(taken_at, stocks, pages) VALUES(?1, 0, ?2)", &status);
    if (!snapshot.IsValid())
        return failed(status);
    snapshot.Bind(1, IsoTime(takenAt));
    snapshot.Bind(2, int64_t{pages});
    if (!(status = snapshot.Step()).Ok())
        return failed(status);
    const int64_t snapshotId = db->LastInsertId();

    sql::Statement newStock = db->Prepare(
        "INSERT INTO stock(symbol, company, industry, first_seen) VALUES(?1, ?2, ?3, ?4)", &status);
    sql::Statement texts =
        newStock.IsValid()
            ? db->Prepare("UPDATE stock SET company = ?2, industry = ?3 WHERE id = ?1", &status)
            : sql::Statement();
    sql::Statement quote = texts.IsValid() ? db->Prepare(
                                                 "INSERT INTO quote(snapshot_id, stock_id, price, "
                                                 "market_cap, beta, pe, pb, ps) "
                                                 "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)",
                                                 &status)
                                           : sql::Statement();
    if (!quote.IsValid())
        return failed(status);

    int64_t stocks = 0;
    for (const StockRecord &record : records) {
        if (record.Symbol.isEmpty())
            continue;
        int64_t stockId = 0;
        const auto found = known.find(record.Symbol);
        if (found != known.end() && found->listed)
            continue;  // the first of the same symbol is the one kept
        if (found == known.end()) {
            newStock.Bind(1, record.Symbol);
            newStock.Bind(2, record.Company);
            newStock.Bind(3, record.Industry);
            newStock.Bind(4, snapshotId);
            status = newStock.Step();
            newStock.Reset();
            if (!status.Ok())
                return failed(status);
            stockId = db->LastInsertId();
            known.insert(record.Symbol, {stockId, {}, {}, true});
        } else {
            found->listed = true;
            stockId = found->id;
            if (found->company != record.Company || found->industry != record.Industry) {
                texts.Bind(1, stockId);
                texts.Bind(2, record.Company);
                texts.Bind(3, record.Industry);
                status = texts.Step();
                texts.Reset();
                if (!status.Ok())
                    return failed(status);
            }
        }
        quote.Bind(1, snapshotId);
        quote.Bind(2, stockId);
        BindScaled(quote, 3, record.Price, PriceScale);
        BindScaled(quote, 4, record.MarketCap, MarketCapScale);
        BindScaled(quote, 5, record.Beta, RatioScale);
        BindScaled(quote, 6, record.PE, RatioScale);
        BindScaled(quote, 7, record.PB, RatioScale);
        BindScaled(quote, 8, record.PS, RatioScale);
        status = quote.Step();
        quote.Reset();
        if (!status.Ok())
            return failed(status);
        ++stocks;
    }

    sql::Statement count = db->Prepare("UPDATE snapshot SET stocks = ?2 WHERE id = ?1", &status);
    if (!count.IsValid())
        return failed(status);
    count.Bind(1, snapshotId);
    count.Bind(2, stocks);
    if (!(status = count.Step()).Ok())
        return failed(status);
    if (!(status = transaction.Commit()).Ok())
        return failed(status);
    return {};
}

int PriceHistory::SnapshotCount() const
{
    if (!IsOpen())
        return 0;
    sql::Status status;
    return static_cast<int>(db->Scalar("SELECT count(*) FROM snapshot", &status));
}

std::vector<SeriesPoint> PriceHistory::Series(const QString &symbol) const
{
    std::vector<SeriesPoint> points;
    if (!IsOpen())
        return points;
    sql::Status status;
    // Snapshot by snapshot, each a lookup of the quote key: a stock's quotes lie one in every
    // snapshot's stretch of the tree.
    sql::Statement select = db->Prepare(
        "SELECT s.taken_at, q.price FROM stock st CROSS JOIN snapshot s CROSS JOIN quote q "
        "ON q.snapshot_id = s.id AND q.stock_id = st.id "
        "WHERE st.symbol = ?1 ORDER BY s.id",
        &status);
    if (!select.IsValid())
        return points;
    select.Bind(1, symbol);
    while (select.Step().Row())
        points.push_back({FromIsoTime(select.Text(0)), select.Int(1) / PriceScale});
    return points;
}

QHash<QString, double> PriceHistory::PreviousPrices() const
{
    QHash<QString, double> prices;
    if (!IsOpen())
        return prices;
    sql::Status status;
    sql::Statement previous =
        db->Prepare("SELECT id, stocks FROM snapshot ORDER BY id DESC LIMIT 1 OFFSET 1", &status);
    if (!previous.IsValid() || !previous.Step().Row())
        return prices;
    prices.reserve(static_cast<qsizetype>(previous.Int(1)));
    sql::Statement select = db->Prepare(
        "SELECT st.symbol, q.price FROM quote q JOIN stock st ON st.id = q.stock_id "
        "WHERE q.snapshot_id = ?1",
        &status);
    if (!select.IsValid())
        return prices;
    select.Bind(1, previous.Int(0));
    while (select.Step().Row()) prices.insert(select.Text(0), select.Int(1) / PriceScale);
    return prices;
}

QHash<QString, QDate> PriceHistory::FirstSeen() const
{
    QHash<QString, QDate> dates;
    if (!IsOpen())
        return dates;
    sql::Status status;
    sql::Statement select = db->Prepare(
        "SELECT st.symbol, st.first_seen, s.taken_at FROM stock st "
        "JOIN snapshot s ON s.id = st.first_seen",
        &status);
    if (!select.IsValid())
        return dates;
    dates.reserve(static_cast<qsizetype>(db->Scalar("SELECT max(id) FROM stock", &status)));
    // Few snapshots among many stocks: each time is read once.
    QHash<int64_t, QDate> snapshotDates;
    while (select.Step().Row()) {
        const int64_t id = select.Int(1);
        auto date = snapshotDates.constFind(id);
        if (date == snapshotDates.constEnd())
            date = snapshotDates.insert(id, FromIsoTime(select.Text(2)).toLocalTime().date());
        dates.insert(select.Text(0), *date);
    }
    return dates;
}

QDateTime DataFileTime()
{
    const QString stamp = MdlHelpers::ReadTextFile(Module1::TimeStampPath()).trimmed();
    // As Module1::TimeStampText writes it: "08,Dec 2008 at 09:21:05 AM", local time.
    const QDateTime written =
        QLocale::c().toDateTime(stamp, QStringLiteral("dd,MMM yyyy 'at' hh:mm:ss AP"));
    if (written.isValid())
        return written;
    const QFileInfo data(Module1::DatabasePath());
    return data.exists() ? data.lastModified() : QDateTime::currentDateTime();
}

HistoryResult RecordUpdate(std::span<const StockRecord> before, const QDateTime &seedTime,
                           std::span<const StockRecord> after, int pages)
{
    PriceHistory history;
    const HistoryResult opened =
        history.Open(PriceHistory::DefaultPath(), PriceHistory::Check::Quick);
    if (!opened.ok || history.IsReadOnly())
        return {false, NotUpdated + history.lastReason + QLatin1Char('.')};
    if (!before.empty() && history.SnapshotCount() == 0) {
        const HistoryResult seeded = history.Append(before, seedTime, 0);
        if (!seeded.ok)
            return seeded;
    }
    const HistoryResult appended = history.Append(after, QDateTime::currentDateTimeUtc(), pages);
    if (!appended.ok)
        return appended;
    // A repair while opening or writing is worth a line even when the snapshot went in.
    return appended.message.isEmpty() ? opened : appended;
}

HistoryResult SeedIfEmpty(std::span<const StockRecord> records)
{
    if (records.empty())
        return {};
    // Unchecked: at every start of the window this costs a glance at the file, not a pass over
    // it; the update that follows checks it before it writes.
    PriceHistory history;
    const HistoryResult opened = history.Open(PriceHistory::DefaultPath());
    if (!opened.ok || history.IsReadOnly())
        return opened;
    if (history.SnapshotCount() > 0)
        return opened;
    const HistoryResult seeded = history.Append(records, DataFileTime(), 0);
    return seeded.ok && seeded.message.isEmpty() ? opened : seeded;
}

}  // namespace history
