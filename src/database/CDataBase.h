#pragma once

#include "database/RecordSet.h"
#include "database/SqlValues.h"
#include "platform/NevixError.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <memory>

class SimpleDBkeyMaker;
class SqliteConnection;

// What the connection string is built from.
struct ConnectionParams {
    QString Provider = QStringLiteral("Microsoft.Jet.OLEDB.4.0");
    QString Source; // the database file
    QString DbPassword;
    QString User;
    QString UserPassword;
    int32_t EngineType = 0;
};

// The program's one road to its database: an SQLite file. Transactions nest
// by counting; only the outermost level reaches the engine. Once opened the
// file stays open between levels, holding no lock while idle; in shared
// mode it is closed after a level that was rolled back or failed, and when
// the connection parameters change. A file that another installation has locked is
// waited for (the busy retry), pumping events while waiting.
class CDataBase {
public:
    CDataBase();
    ~CDataBase();
    CDataBase(const CDataBase&) = delete;
    CDataBase& operator=(const CDataBase&) = delete;

    bool ConnectionWaiting() const { return m_connectionWaiting; }
    int16_t ConnectionFailures() const { return m_connectionFailures; }
    bool IsSingleUserConnection() const { return m_singleUser; }
    void SetIsSingleUserConnection(bool value);
    QString Source() const { return m_params.Source; }
    // Takes effect when the connection object is next created.
    void SetSource(const QString& source) { m_params.Source = source; }
    void SetConnectionParams(const QString& strSource, const QString& strProvider,
                             const QString& strDBPassword, const QString& strUser,
                             const QString& strUPassword);
    // VACUUM in place; waits for a busy file like an open, then fails
    // leaving the file untouched. The connection is left closed.
    void Compact();
    QString ConnectionString() const { return BuildConnectionString(m_params); }
    void Disconnect();
    void Connect();
    QString DbPassword() const { return m_params.DbPassword; }
    SimpleDBkeyMaker& KeyMaker();
    bool Connected() const;

    // Schema changes in the engine's dialect: text columns compare without
    // regard to case, indexes are named per table.
    void AddIndex(const QString& TableName, const QString& FieldList, const QString& IndexName,
                  bool Primary = false, bool Unique = false);
    // A change of length only is nothing to the engine; any other change of
    // type rebuilds the table with its rows and indexes.
    void AlterField(const QString& TableName, const QString& FieldName, const QString& FieldType);
    void AddField(const QString& TableName, const QString& FieldName, const QString& FieldType,
                  bool AllowNulls = true, bool isPrimaryKey = false);
    void DropField(const QString& TableName, const QString& FieldName);
    void DropTable(const QString& TableName);
    void DropIndex(const QString& TableName, const QString& IndexName);
    void AddTable(const QString& TableName, const QString& FieldName, const QString& FieldType,
                  bool AllowNulls = true);

    // Each statement runs inside a level of its own. A failing statement
    // releases that level before its error reaches the caller (rolled back
    // when it was the outermost); it does not doom an outer transaction.
    void Execute(const QString& sql, const SqlValues& values = {});
    int32_t ExecuteUpdate(const QString& sSql, const SqlValues& values = {});
    // The record set holds its level until it is closed.
    RecordSet OpenRecordSet(const QString& sql, const SqlValues& values = {});
    void CloseRecordSet(RecordSet& rs);

    QString GetDatabaseSchemaVersion();
    void UpdateDatabaseSchemaVersion(const QString& strSchemaVersion);

    bool IsInTransaction() const { return m_depth >= 1; }
    void BeginTrans();
    int16_t TransactionCount() const { return m_depth; }
    // The outermost commit of a transaction that an inner Rollback doomed
    // rolls back and raises ErrorNumbers::TransactionRolledBack.
    void CommitTrans();
    // Dooms the whole transaction and ends one level. Nothing at depth 0.
    void Rollback();
    void RollbackAll();

    // SQL text helpers: pure functions in the engine's dialect. Dates are
    // written as the text 'YYYY-MM-DD HH:MM:SS'.
    static QString FormatSQLBetweenDates(const QDate& aDate1, const QDate& aDate2);
    static QString FormatSQLDate(const QVariant& aDate);
    static QString MakeTimestamp();
    static QString MakeTimestamp(const QDateTime& now);
    static QString SQLTimeStamp(const NullableString& aTimeStamp);
    static QString FormatSQLDateTime(const QVariant& aDate);
    static QString FormatSQLDateTimeWhere(const QVariant& aDate);
    static QString SQLTimeStampWhere(const NullableString& aTimeStamp);
    static QString EscapeQuotes(const QString& strInputString);
    static QString ConcatWhereClause(const QString& sClause, const QString& sToAdd,
                                     const QString& sOperator = QStringLiteral("AND"));
    static QString EscapeQuotesOrNull(const QString& strInputString);
    static QString EscapeQuotesOrNullWhere(const QString& strInputString);
    static QString SQLBoolean(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

    static QString BuildConnectionString(const ConnectionParams& params);
    // The declared type the engine is given for a column type as the
    // schema steps write it ("TEXT(50)", "Integer", "Bit", "DATETIME"...).
    static QString SqliteColumnType(const QString& fieldType);
    // The engine's name of an index of a table: unique in the database.
    static QString SqliteIndexName(const QString& tableName, const QString& indexName);

    // For tests only: how often and how long a busy file is waited for.
    void SetBusyRetry(int16_t retryLimit, int32_t waitMilliseconds);

private:
    friend class RecordSet;
    friend class SavepointGuard;
    friend class SimpleDBkeyMaker;

    enum class Level { Read, Write };
    enum class Wait { Lock, Other };

    void BeginLevel(Level kind);
    void AcquireOutermost(Level kind);
    void EndOutermost(bool rollback);
    void FinishLevel(bool rollbackRequested);
    // Ends a level after a failure, or from a record set that goes, without
    // dooming an outer transaction. Never raises.
    void ReleaseLevel(uint64_t generation, bool failed) noexcept;
    void OpenMyConnection();
    // While an open waits for a busy file, the events it pumps may call in
    // again: nothing may begin, close or replace the connection it holds.
    void RefuseWhileWaiting() const;
    void CloseIfShared();
    void RunWithBusyRetry(SqliteConnection& connection, const std::function<int()>& attempt,
                          Wait kind, const QString& busySource, const QString& otherSource);
    void WaitBeforeRetry();
    void RequireLiveTransaction(const QString& source);
    SqliteConnection& Connection(const QString& source);
    template <typename Work>
    auto InStatementLevel(Level kind, const QString& source, Work&& work);
    // Statements of our own that must form one step: a write level of
    // their own, released as a failed statement's is.
    void InWriteLevel(const QString& source, const std::function<void(SqliteConnection&)>& work);
    void RebuildTable(const QString& tableName, const QString& fieldName, const QString& fieldType);

    ConnectionParams m_params;
    bool m_hasConnectionObject = false;
    QString m_objectSource; // the file the connection object was created for
    std::unique_ptr<SqliteConnection> m_connection;
    int16_t m_depth = 0;
    bool m_rollbackMark = false;
    uint64_t m_generation = 0;
    int16_t m_connectionFailures = 0;
    bool m_connectionWaiting = false;
    bool m_singleUser = false;
    int16_t m_retryLimit = 60;
    int32_t m_retryWaitMilliseconds = 500;
    std::unique_ptr<SimpleDBkeyMaker> m_keyMaker;
};
