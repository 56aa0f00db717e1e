#pragma once

#include "database/SqlValues.h"
#include "platform/Nullable.h"

#include <QDate>
#include <QString>

#include <cstdint>

class CDataBase;

namespace ErrorNumbers {
constexpr int32_t InvalidUseOfNull = 94;
}

// The rows of one table that meet a condition, kept to one mode: IsTest
// equal to the collection's flag, so that test rows and live rows never
// mix. The condition holds "?" placeholders for its values.
struct ModeRows {
    QString Table;
    QString Condition;
    SqlValues Values;
    bool TestFlag = false;

    // Rows whose date column lies before the start of the day.
    static ModeRows Before(const QString& table, const QString& column, const QDate& day,
                           bool testFlag, const QString& source);
    // Rows whose date column lies within the whole days from first to last;
    // a missing day raises "Invalid use of Null".
    static ModeRows InWholeDays(const QString& table, const QString& column,
                                const NullableDate& first, const NullableDate& last,
                                bool testFlag, const QString& source);

    // " WHERE (condition) AND IsTest=?" and its values, the flag last.
    QString Where() const;
    SqlValues WhereValues() const;

    int32_t Count(CDataBase& db) const;
    // Returns the number of rows deleted.
    int32_t Delete(CDataBase& db) const;
    // Deletes the rows when there are any (an empty purge takes no write
    // lock on a shared file), or with countOnly only counts them. Returns
    // the number deleted, or counted.
    int32_t Purge(CDataBase& db, bool countOnly = false) const;
    // Purge of rows that own message errors (a JuxMsgReference column):
    // their JUX_MSG_ERROR rows go with them, both or neither.
    int32_t PurgeWithErrors(CDataBase& db, bool countOnly = false) const;
};

// The collection's connection; a collection used before SetDataSource
// raises.
CDataBase& RequireDataSource(CDataBase* db, const QString& source);
