#include "history/Sqlite.h"

#include <sqlite3.h>
#include <QFile>

namespace history::sql {

bool Status::Ok() const
{
    return Code == SQLITE_OK || Code == SQLITE_ROW || Code == SQLITE_DONE;
}

bool Status::Row() const
{
    return Code == SQLITE_ROW;
}

Statement::~Statement()
{
    sqlite3_finalize(handle);
}

Statement::Statement(Statement &&other) noexcept : handle(other.handle), db(other.db)
{
    other.handle = nullptr;
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(handle);
        handle = other.handle;
        db = other.db;
        other.handle = nullptr;
    }
    return *this;
}

void Statement::Bind(int index, int64_t value)
{
    sqlite3_bind_int64(handle, index, value);
}

void Statement::Bind(int index, const QString &text)
{
    // UTF-16 as Qt holds it; SQLite copies it (SQLITE_TRANSIENT) and stores UTF-8.
    sqlite3_bind_text16(handle, index, text.utf16(), static_cast<int>(text.size() * 2),
                        SQLITE_TRANSIENT);
}

void Statement::BindNull(int index)
{
    sqlite3_bind_null(handle, index);
}

Status Statement::Step()
{
    const int code = sqlite3_step(handle);
    if (code == SQLITE_ROW || code == SQLITE_DONE)
        return {code, {}};
    return {code, QString::fromUtf8(sqlite3_errmsg(db))};
}

void Statement::Reset()
{
    sqlite3_reset(handle);
}

int64_t Statement::Int(int column) const
{
    return sqlite3_column_int64(handle, column);
}

QString Statement::Text(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(handle, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(handle, column)) : QString();
}

bool Statement::IsNull(int column) const
{
    return sqlite3_column_type(handle, column) == SQLITE_NULL;
}

Database::~Database()
{
    Close();
}

Status Database::Open(const QString &path, Mode mode)
{
    Close();
    // One connection is used by one thread: no locking of its own inside the library.
    const int flags =
        SQLITE_OPEN_NOMUTEX | (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                                                      : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    const QByteArray name = QFile::encodeName(path);
    const int code = sqlite3_open_v2(name.constData(), &handle, flags, nullptr);
    if (code == SQLITE_OK) {
        sqlite3_extended_result_codes(handle, 1);
        return {};
    }
    // The handle exists even when the open failed, and holds the message.
    Status status = Error(code);
    Close();
    return status;
}

void Database::Close()
{
    // Statements are finalised by their owners before this; close_v2 copes with stragglers.
    sqlite3_close_v2(handle);
    handle = nullptr;
}

Status Database::Error(int code) const
{
    const char *message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code);
    return {code, QString::fromUtf8(message)};
}

Status Database::Exec(const char *sql) const
{
    const int code = sqlite3_exec(handle, sql, nullptr, nullptr, nullptr);
    return code == SQLITE_OK ? Status{} : Error(code);
}

Statement Database::Prepare(const char *sql, Status *status) const
{
    sqlite3_stmt *statement = nullptr;
    const int code = sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr);
    *status = code == SQLITE_OK ? Status{} : Error(code);
    if (code != SQLITE_OK) {
        sqlite3_finalize(statement);
        return {};
    }
    return {statement, handle};
}

int64_t Database::Scalar(const char *sql, Status *status) const
{
    Statement statement = Prepare(sql, status);
    if (!statement.IsValid())
        return 0;
    *status = statement.Step();
    return status->Row() ? statement.Int(0) : 0;
}

QString Database::ScalarText(const char *sql, Status *status) const
{
    Statement statement = Prepare(sql, status);
    if (!statement.IsValid())
        return {};
    *status = statement.Step();
    return status->Row() ? statement.Text(0) : QString();
}

int64_t Database::LastInsertId() const
{
    return sqlite3_last_insert_rowid(handle);
}

void Database::SetBusyTimeout(int ms) const
{
    sqlite3_busy_timeout(handle, ms);
}

void Database::KeepWalOnClose(bool keep) const
{
    int persist = keep ? 1 : 0;
    sqlite3_file_control(handle, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
}

Transaction::~Transaction()
{
    if (open)
        db.Exec("ROLLBACK");
}

Status Transaction::Begin()
{
    Status status = db.Exec("BEGIN IMMEDIATE");
    open = status.Ok();
    return status;
}

Status Transaction::Commit()
{
    Status status = db.Exec("COMMIT");
    // A failed COMMIT leaves the transaction open; the destructor rolls it back.
    if (status.Ok())
        open = false;
    return status;
}

}  // namespace history::sql
