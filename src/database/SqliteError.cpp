#include "database/SqliteError.h"

#include <sqlite3.h>

NevixError SqliteFailure(sqlite3* db, int rc, const QString& source)
{
    int extended = rc;
    QString message;
    if (db && sqlite3_errcode(db) == (rc & 0xFF)) {
        extended = sqlite3_extended_errcode(db);
        message = QString::fromUtf8(sqlite3_errmsg(db));
    }
    if (message.isEmpty())
        message = QString::fromUtf8(sqlite3_errstr(rc));
    return NevixError(ErrorNumbers::DatabaseBase + (extended & 0xFFFF), message, source);
}

void CheckSqlite(sqlite3* db, int rc, const QString& source)
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    throw SqliteFailure(db, rc, source);
}

int SqliteExtendedCode(const NevixError& error)
{
    const int64_t offset = static_cast<int64_t>(error.Number()) - ErrorNumbers::DatabaseBase;
    return offset > 0 && offset <= 0xFFFF ? static_cast<int>(offset) : 0;
}

int SqlitePrimaryCode(const NevixError& error)
{
    return SqliteExtendedCode(error) & 0xFF;
}

bool IsBusyCode(int rc)
{
    const int primary = rc & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

bool IsBusyError(const NevixError& error)
{
    const int code = SqliteExtendedCode(error);
    return code != 0 && IsBusyCode(code);
}
