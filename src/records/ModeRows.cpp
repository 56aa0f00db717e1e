#include "records/ModeRows.h"

#include "database/CDataBase.h"
#include "database/RecordSet.h"
#include "database/SavepointGuard.h"
#include "platform/LocalTime.h"
#include "platform/NevixError.h"

#include <QDateTime>

namespace {
QDate ValidDay(const QDate& day, const QString& source)
{
    // An invalid date would be bound as Null and match nothing: a purge
    // that silently removes nothing.
    if (!day.isValid())
        throw NevixError::InvalidArgument(source);
    return day;
}

QDate DayOf(const NullableDate& value, const QString& source)
{
    if (!value)
        throw NevixError(ErrorNumbers::InvalidUseOfNull, QStringLiteral("Invalid use of Null"), source);
    return ValidDay(value->date(), source);
}
} // namespace

ModeRows ModeRows::Before(const QString& table, const QString& column, const QDate& day,
                          bool testFlag, const QString& source)
{
    return {table, column + QStringLiteral(" < ?"),
            {LocalDateTime(ValidDay(day, source), QTime(0, 0))}, testFlag};
}

ModeRows ModeRows::InWholeDays(const QString& table, const QString& column,
                               const NullableDate& first, const NullableDate& last,
                               bool testFlag, const QString& source)
{
    return {table, column + QStringLiteral(" BETWEEN ? AND ?"),
            {LocalDateTime(DayOf(first, source), QTime(0, 0)),
             LocalDateTime(DayOf(last, source), QTime(23, 59, 59))},
            testFlag};
}

QString ModeRows::Where() const
{
    return QStringLiteral(" WHERE (") + Condition + QStringLiteral(") AND IsTest=?");
}

SqlValues ModeRows::WhereValues() const
{
    SqlValues values = Values;
    values.append(TestFlag);
    return values;
}

int32_t ModeRows::Count(CDataBase& db) const
{
    RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT COUNT(*) FROM ") + Table + Where(),
                                    WhereValues());
    const int32_t count = rs.HasRow() ? VariantToLong(rs.Field(0)).value_or(0) : 0;
    rs.Close();
    return count;
}

int32_t ModeRows::Delete(CDataBase& db) const
{
    return db.ExecuteUpdate(QStringLiteral("DELETE FROM ") + Table + Where(), WhereValues());
}

int32_t ModeRows::Purge(CDataBase& db, bool countOnly) const
{
    const int32_t count = Count(db);
    return countOnly || count == 0 ? count : Delete(db);
}

int32_t ModeRows::PurgeWithErrors(CDataBase& db, bool countOnly) const
{
    const int32_t count = Count(db);
    if (countOnly || count == 0)
        return count;
    // A failure is undone without dooming the caller's transaction, and raised.
    SavepointGuard step(db);
    db.Execute(QStringLiteral("DELETE FROM JUX_MSG_ERROR WHERE JuxMsgReference IN "
                              "(SELECT JuxMsgReference FROM ") +
                   Table + Where() + QLatin1Char(')'),
               WhereValues());
    const int32_t removed = Delete(db);
    step.Release();
    return removed;
}

CDataBase& RequireDataSource(CDataBase* db, const QString& source)
{
    if (!db)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No data source"), source);
    return *db;
}
