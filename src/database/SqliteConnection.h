#pragma once

#include "database/SqlValues.h"
#include "database/Statement.h"

#include <QHash>
#include <QString>

#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One open database handle with a cache of prepared statements. It raises
// nothing while closing and waits for no lock itself: busy_timeout is 0, so
// the caller decides how to wait.
class SqliteConnection {
public:
    // Opens an existing file (or creates one when asked). Raises on failure.
    static std::unique_ptr<SqliteConnection> Open(const QString& path, bool create = false);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* Handle() const { return m_db; }
    // False when the engine has no transaction open (never begun, or rolled
    // back by the engine itself after a failure).
    bool InTransaction() const;

    // A statement from the cache (prepared at its first use). A text holding
    // several statements is refused here.
    Statement Prepare(const QString& sql, const QString& source);
    // Runs every statement of the text; values are bound only to a single
    // statement. Returns the rows changed by the last one.
    int Run(const QString& sql, const SqlValues& values, const QString& source);
    // Runs a text of our own without raising; returns the engine's code.
    int TryExec(const char* sql);
    // The same for one statement of our own that runs again and again
    // (BEGIN, COMMIT...): prepared once and kept.
    int TryRunKept(const char* sql);

    // The connection-wide settings, applied once the file can be read.
    void Configure();

private:
    explicit SqliteConnection(sqlite3* db) : m_db(db) {}
    struct Cached {
        sqlite3_stmt* stmt = nullptr;
        bool inUse = false;
        ColumnCache columns;
        std::list<std::pair<QString, Cached*>>::iterator age;
    };
    Statement Lend(Cached& cached, const QString& source);
    Cached* Find(const QString& sql) const;
    sqlite3_stmt* PrepareFirst(const QString& sql, const char16_t** tail, const QString& source);
    Statement Adopt(const QString& sql, sqlite3_stmt* stmt, const QString& source);
    void Evict();

    sqlite3* m_db = nullptr;
    bool m_configured = false;
    QHash<QString, Cached*> m_cache;
    std::vector<std::pair<std::string, sqlite3_stmt*>> m_kept;
    std::list<std::pair<QString, Cached*>> m_ages; // most recently used first
};
