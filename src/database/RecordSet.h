#pragma once

#include "database/ColumnSet.h"
#include "platform/Nullable.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <QList>

#include <cstdint>
#include <memory>
#include <vector>

class CDataBase;
class Statement;

// The rows of one query, read whole when it was opened (a static cursor).
// While open it holds the transaction level that CDataBase.OpenRecordSet
// took; the level is released by Close, by CDataBase.CloseRecordSet or,
// at the latest, when the object goes out of scope (also on an error).
class RecordSet {
public:
    RecordSet() = default;
    ~RecordSet();
    RecordSet(RecordSet&& other) noexcept;
    RecordSet& operator=(RecordSet&& other) noexcept;
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    bool IsOpen() const { return m_open; }
    // Past the last row / before the first; both when there is no row.
    bool IsEOF() const { return m_position >= m_rowCount; }
    bool IsBOF() const { return m_position < 0 || m_rowCount == 0; }
    // Neither at its end nor before its start.
    bool HasRow() const { return !IsEOF() && !IsBOF(); }
    void MoveNext();
    void MovePrevious();
    void MoveFirst();
    void MoveLast();
    int32_t RecordCount() const { return m_rowCount; }

    int FieldCount() const { return m_columns ? m_columns->Count() : 0; }
    const std::shared_ptr<const ColumnSet>& Columns() const { return m_columns; }
    QString FieldName(int index) const;
    // Field names are matched without regard to case. Null is an invalid
    // QVariant; booleans come as bool, dates as QDateTime, text as QString.
    QVariant Field(const QString& name) const;
    QVariant Field(int index) const;
    bool IsNull(const QString& name) const { return Field(name).isNull(); }

    // Typed reads: no value for Null; a value that does not convert raises
    // a type mismatch, a number out of range an overflow.
    NullableString Text(const QString& name) const;
    Nullable<int32_t> Long(const QString& name) const;
    Nullable<int16_t> Short(const QString& name) const;
    Nullable<double> Double(const QString& name) const;
    Nullable<bool> Bool(const QString& name) const;
    Nullable<QDateTime> DateTime(const QString& name) const;

    // Ends the level it holds. A doomed outermost transaction raises here.
    void Close();

private:
    friend class CDataBase;
    void Fill(Statement& statement);
    void Hold(CDataBase* db, uint64_t generation);
    void ReleaseQuietly() noexcept;
    int IndexOf(const QString& name) const;
    const QVariant& ValueAt(int index) const;

    CDataBase* m_db = nullptr;
    uint64_t m_generation = 0;
    bool m_open = false;
    // Shared with the statement: the readers of a record ask for the same
    // names on every row and in every query.
    std::shared_ptr<const ColumnSet> m_columns;
    QList<QVariant> m_values; // row after row
    int32_t m_rowCount = 0;
    int32_t m_position = 0;
};

// The positions of a record's column names, found once per set of columns:
// the reader of a record asks for the same names on every row, and a query
// run again brings the same set. A name the columns lack is at -1, where a
// read raises as a read by that name does.
class ColumnPositions {
public:
    explicit ColumnPositions(std::vector<QString> names) : m_names(std::move(names)) {}
    const std::vector<int>& In(const RecordSet& rs);

private:
    std::vector<QString> m_names;
    std::weak_ptr<const ColumnSet> m_of;
    std::vector<int> m_positions;
};

// Conversions shared by the typed reads.
NullableString VariantToText(const QVariant& value);
Nullable<int32_t> VariantToLong(const QVariant& value);
Nullable<int16_t> VariantToShort(const QVariant& value);
Nullable<double> VariantToDouble(const QVariant& value);
Nullable<bool> VariantToBool(const QVariant& value);
Nullable<QDateTime> VariantToDateTime(const QVariant& value);
