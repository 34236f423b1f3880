#pragma once

#include <QString>
#include <cstdint>

struct sqlite3;
struct sqlite3_stmt;

// A thin owner of the SQLite C library's handles: a database connection, a prepared statement
// and a write transaction. Nothing here throws; every call that can fail returns a Status with
// SQLite's result code and its message.
namespace history::sql {

struct Status {
    int Code = 0;  // SQLITE_OK, SQLITE_ROW or SQLITE_DONE when it worked
    QString Message;

    bool Ok() const;
    bool Row() const;    // a step that produced a row
    int Primary() const  // the result code without its extended part
    {
        return Code & 0xff;
    }
};

class Database;

class Statement {
public:
    Statement() = default;
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool IsValid() const { return handle != nullptr; }

    // Parameters count from 1, as in the SQL text's ?1, ?2.
    void Bind(int index, int64_t value);
    void Bind(int index, const QString &text);
    void BindNull(int index);
    // Runs to the next row; a Status that is neither Row() nor an error means the end.
    Status Step();
    // Ready to run again; the parameters keep their values until bound anew.
    void Reset();

    // Columns count from 0. A NULL reads as 0 or an empty text.
    int64_t Int(int column) const;
    QString Text(int column) const;
    bool IsNull(int column) const;

private:
    friend class Database;
    Statement(sqlite3_stmt *handle, sqlite3 *db) : handle(handle), db(db) {}
    sqlite3_stmt *handle = nullptr;
    sqlite3 *db = nullptr;
};

class Database {
public:
    enum class Mode { ReadWriteCreate, ReadOnly };

    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    Status Open(const QString &path, Mode mode);
    void Close();
    bool IsOpen() const { return handle != nullptr; }

    // Runs one or more statements that return no rows.
    Status Exec(const char *sql) const;
    // A statement to bind and step; on failure the Statement is invalid and *status says why.
    Statement Prepare(const char *sql, Status *status) const;
    // The first column of the first row of a query (0 when there is none).
    int64_t Scalar(const char *sql, Status *status) const;
    QString ScalarText(const char *sql, Status *status) const;
    int64_t LastInsertId() const;
    // Waits this long for another connection's lock before a call fails with SQLITE_BUSY.
    void SetBusyTimeout(int ms) const;
    // Whether the last connection's close leaves the -wal file (normally it folds it into the
    // database and deletes it).
    void KeepWalOnClose(bool keep) const;

    Status Error(int code) const;

private:
    sqlite3 *handle = nullptr;
};

// A write transaction (BEGIN IMMEDIATE, so a second writer is turned away at the start and not
// at the commit). Rolled back when it goes out of scope uncommitted.
class Transaction {
public:
    explicit Transaction(const Database &db) : db(db) {}
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    Status Begin();
    Status Commit();

private:
    const Database &db;
    bool open = false;
};

}  // namespace history::sql
