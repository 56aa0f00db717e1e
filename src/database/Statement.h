#pragma once

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
    Statement(sqlite3* db, sqlite3_stmt* stmt, bool owned, QString source, bool* inUse = nullptr);
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
    QString ColumnName(int column) const;
    // The current row's value, typed by the column's declared type: booleans
    // as bool, dates as QDateTime, text as QString; NULL as an invalid QVariant.
    QVariant Column(int column) const;

    sqlite3_stmt* Handle() const { return m_stmt; }

private:
    enum class Kind { Plain, Boolean, DateTime };
    Kind KindOf(int column) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_owned = false;
    QString m_source;
    bool* m_inUse = nullptr;
    mutable std::vector<Kind> m_kinds;
    mutable StoredDateReader m_dates;
};

// The one stored form of a date and time.
QString SqlDateTimeText(const QDateTime& value);
QString SqlDateText(const QDate& value);
// Reads the stored form (or an ISO date, with or without its time).
QDateTime ParseSqlDateTime(const QString& text);
