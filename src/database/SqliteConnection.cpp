#include "database/SqliteConnection.h"

#include "database/SqliteError.h"

#include <sqlite3.h>

namespace {
constexpr int CacheLimit = 64;

bool OnlyBlanksLeft(const char16_t* tail, const char16_t* end)
{
    for (const char16_t* p = tail; p && p < end; ++p) {
        if (*p != u' ' && *p != u';' && *p != u'\n' && *p != u'\r' && *p != u'\t')
            return false;
    }
    return true;
}
} // namespace

std::unique_ptr<SqliteConnection> SqliteConnection::Open(const QString& path, bool create)
{
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const NevixError error = SqliteFailure(db, rc, QStringLiteral("OpenMyConnection"));
        sqlite3_close_v2(db);
        throw error;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 0);
    return std::unique_ptr<SqliteConnection>(new SqliteConnection(db));
}

SqliteConnection::~SqliteConnection()
{
    for (const auto& kept : m_kept)
        sqlite3_finalize(kept.second);
    for (Cached* cached : std::as_const(m_cache)) {
        sqlite3_finalize(cached->stmt);
        delete cached;
    }
    sqlite3_close_v2(m_db);
}

bool SqliteConnection::InTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

void SqliteConnection::Configure()
{
    if (m_configured)
        return;
    // A large cache keeps a long write from spilling to the file (which
    // needs the exclusive lock) while other installations read.
    if (TryExec("PRAGMA cache_size=-16000") == SQLITE_OK)
        m_configured = true;
}

int SqliteConnection::TryExec(const char* sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
}

int SqliteConnection::TryRunKept(const char* sql)
{
    sqlite3_stmt* stmt = nullptr;
    for (const auto& kept : m_kept) {
        if (kept.first == sql)
            stmt = kept.second;
    }
    if (!stmt) {
        const int rc = sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(stmt);
            return rc;
        }
        m_kept.emplace_back(sql, stmt);
    }
    int rc = sqlite3_step(stmt);
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(stmt);
    // The reset leaves nothing active; on failure it gives the same code.
    const int reset = sqlite3_reset(stmt);
    return rc == SQLITE_DONE ? reset : rc;
}

Statement SqliteConnection::Lend(Cached& cached, const QString& source)
{
    if (cached.age != m_ages.begin())
        m_ages.splice(m_ages.begin(), m_ages, cached.age);
    return Statement(m_db, cached.stmt, false, source, &cached.inUse, &cached.columns);
}

SqliteConnection::Cached* SqliteConnection::Find(const QString& sql) const
{
    // Record classes pass the same shared text again and again: the most
    // recent entries are matched by their text's storage before hashing.
    int looked = 0;
    for (auto it = m_ages.begin(); it != m_ages.end() && looked < 4; ++it, ++looked) {
        if (it->first.constData() == sql.constData() && it->first.size() == sql.size())
            return it->second;
    }
    return m_cache.value(sql);
}

Statement SqliteConnection::Prepare(const QString& sql, const QString& source)
{
    if (Cached* cached = Find(sql); cached && !cached->inUse)
        return Lend(*cached, source);
    const char16_t* tail = nullptr;
    sqlite3_stmt* stmt = PrepareFirst(sql, &tail, source);
    const auto* end = reinterpret_cast<const char16_t*>(sql.utf16()) + sql.size();
    if (!stmt || !OnlyBlanksLeft(tail, end)) {
        sqlite3_finalize(stmt);
        throw NevixError(ErrorNumbers::InvalidArgument,
                         QStringLiteral("One statement was expected: ") + sql, source);
    }
    return Adopt(sql, stmt, source);
}

sqlite3_stmt* SqliteConnection::PrepareFirst(const QString& sql, const char16_t** tail,
                                             const QString& source)
{
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare16_v3(m_db, sql.utf16(), int(sql.size() * 2),
                                        SQLITE_PREPARE_PERSISTENT, &stmt,
                                        reinterpret_cast<const void**>(tail));
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        throw SqliteFailure(m_db, rc, source);
    }
    return stmt;
}

Statement SqliteConnection::Adopt(const QString& sql, sqlite3_stmt* stmt, const QString& source)
{
    if (m_cache.contains(sql)) // the cached one is busy further up the stack
        return Statement(m_db, stmt, true, source);
    Evict();
    auto* cached = new Cached;
    cached->stmt = stmt;
    m_ages.emplace_front(sql, cached);
    cached->age = m_ages.begin();
    m_cache.insert(sql, cached);
    return Statement(m_db, stmt, false, source, &cached->inUse, &cached->columns);
}

void SqliteConnection::Evict()
{
    for (auto it = m_ages.end(); m_cache.size() >= CacheLimit && it != m_ages.begin();) {
        --it;
        Cached* cached = it->second;
        if (cached->inUse)
            continue;
        sqlite3_finalize(cached->stmt);
        m_cache.remove(it->first);
        delete cached;
        it = m_ages.erase(it);
    }
}

int SqliteConnection::Run(const QString& sql, const SqlValues& values, const QString& source)
{
    if (Cached* cached = Find(sql); cached && !cached->inUse) {
        Statement statement = Lend(*cached, source);
        statement.BindAll(values);
        return statement.RunToEnd();
    }
    const auto* end = reinterpret_cast<const char16_t*>(sql.utf16()) + sql.size();
    const char16_t* tail = nullptr;
    sqlite3_stmt* stmt = PrepareFirst(sql, &tail, source);
    if (stmt && OnlyBlanksLeft(tail, end)) {
        Statement statement = Adopt(sql, stmt, source);
        statement.BindAll(values);
        return statement.RunToEnd();
    }
    if (!values.isEmpty()) {
        sqlite3_finalize(stmt);
        throw NevixError(ErrorNumbers::InvalidArgument,
                         QStringLiteral("Values can only be bound to a single statement"), source);
    }
    // A script of several statements (DDL texts): each runs once, uncached.
    int changes = 0;
    for (;;) {
        if (stmt) {
            Statement statement(m_db, stmt, true, source);
            changes = statement.RunToEnd();
        }
        if (OnlyBlanksLeft(tail, end))
            break;
        const char16_t* next = tail;
        const int rc = sqlite3_prepare16_v2(m_db, next, int((end - next) * 2), &stmt,
                                            reinterpret_cast<const void**>(&tail));
        if (rc != SQLITE_OK) {
            sqlite3_finalize(stmt);
            throw SqliteFailure(m_db, rc, source);
        }
    }
    return changes;
}
