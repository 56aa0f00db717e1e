#pragma once

#include "database/ColumnSet.h"
#include "database/SqlValues.h"
#include "database/StoredDateTime.h"

#include <QString>
#include <QVariant>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement. An owned statement is finalized when it leaves
// scope; one lent by the connection's cache is reset and given back.
class Statement {
public:
    // A statement lent by the cache brings the cache's record of its columns.
    Statement(sqlite3* db, sqlite3_stmt* stmt, bool owned, QString source, bool* inUse = nullptr,
              ColumnCache* columns = nullptr);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Placeholders count from 1.
    void Bind(int index, const QVariant& value);
    void BindAll(const SqlValues& values);
    // True while a row is ready; raises on failure.
    bool Step();
    // Steps to the end; the rows changed by the statement.
    int RunToEnd();

    int ColumnCount() const;
    // The result columns, read once per preparation of the statement. Ask
    // after the first step.
    std::shared_ptr<const ColumnSet> Columns() const;
    // The current row's value, typed by the column's declared type: booleans
    // as bool, dates as QDateTime, text as QString; NULL as an invalid QVariant.
    QVariant Column(int column) const;

    sqlite3_stmt* Handle() const { return m_stmt; }

private:
    ColumnSet::Kind KindOf(int column) const;
    int BindText(int index, QByteArray text);

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_owned = false;
    QString m_source;
    bool* m_inUse = nullptr;
    ColumnCache* m_columnCache = nullptr;
    mutable ColumnCache m_ownColumns;
    // The columns of this run, once a value was read.
    mutable std::shared_ptr<const ColumnSet> m_columns;
    mutable StoredDateReader m_dates;
    // The texts bound, alive until the destructor resets the statement.
    std::vector<QByteArray> m_boundTexts;
};

// The one stored form of a date and time.
QString SqlDateTimeText(const QDateTime& value);
QString SqlDateText(const QDate& value);
// Reads the stored form (or an ISO date, with or without its time).
QDateTime ParseSqlDateTime(const QString& text);
