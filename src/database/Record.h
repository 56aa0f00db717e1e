#pragma once

#include "database/SqlValues.h"
#include "platform/NevixError.h"
#include "platform/Nullable.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class CDataBase;
class RecordSet;

// Where a record class keeps its rows. One per class (a function-local
// static): it also keeps the statement texts, built at their first use.
struct RecordTable {
    RecordTable(QString name, QString keyColumn, QString keyCounter = {})
        : Name(std::move(name)), KeyColumn(std::move(keyColumn)), KeyCounter(std::move(keyCounter))
    {
    }

    QString Name;       // the table
    QString KeyColumn;  // the key column
    QString KeyCounter; // the TKEYS name of its key counter; empty: the caller sets the key

    mutable QString InsertText;
    mutable QString UpdateText[2]; // by whether the old stamp is Null
    mutable QString DeleteText[2];
    // The updates of some columns only, by those columns' names.
    mutable QHash<QString, QString> NarrowUpdateTexts[2];
};

// One column written by Apply: its name and value (bound, never pasted).
struct ColumnValue {
    QString Name;
    QVariant Value;
};
using ColumnValues = std::vector<ColumnValue>;

// The flags kept, saved and restored with a record's fields.
struct RecordFlags {
    bool IsDirty = false;
    bool IsNew = true;
    bool IsDeleted = false;
    NullableString OldTimeStamp; // the row's TmStamp as loaded or last written
    // The columns as this record last wrote them under OldTimeStamp; none
    // when the row was loaded or the stamp set from outside.
    std::shared_ptr<const ColumnValues> Written;
};

// Everything a record needs to be put back as it was (see SaveState).
class RecordState {
public:
    virtual ~RecordState() = default;
};

// The common part of every record class: the flags, the data source, the
// load from a record set and the write with the TmStamp concurrency check.
// Derive from RecordOf<Fields>, which keeps the current and saved copies.
class Record {
public:
    // Tells a constructor that a row is read into the record at once: its
    // computed defaults (a fresh GUID) are left to the load.
    struct ForLoading {};

    virtual ~Record() = default;

    void SetDataSource(CDataBase* objDataSource) { m_db = objDataSource; }
    CDataBase* DataSource() const { return m_db; }

    virtual bool IsDirty() const { return m_flags.IsDirty; }
    bool IsNew() const { return m_flags.IsNew; }
    bool IsDeleted() const { return m_flags.IsDeleted; }
    void SetIsDeleted(bool value);
    bool BeenApplied() const { return m_beenApplied; }
    NullableString OldTimeStamp() const { return m_flags.OldTimeStamp; }
    void SetOldTimeStamp(const NullableString& value);
    void SetV2AutoIncrementValue(int32_t value) { m_v2AutoIncrementValue = value; }

    // Filled values are not changes: IsDirty false, saved copy taken.
    void EndSetDefaultsEdit();
    // The current values become the baseline; IsDirty is left as it is.
    void EndEdit();
    // Back to the saved copy, flags included.
    void CancelEdit();

    // The row the record set stands on, from the defaults (BeenApplied
    // false); a record set with no row leaves the record new, holding them.
    virtual void LoadByRecordSet(const RecordSet& objRs);
    // Writes the record when dirty: INSERT (with a key from the key maker
    // when the table has a counter), UPDATE or DELETE, the last two only
    // where TmStamp is still the one loaded. Any row count but 1 raises
    // ErrorNumbers::Concurrency and leaves the record as it was.
    virtual void Apply();

    // The key counter the next Apply draws a key from (empty: none), and
    // whether the record names the key's number itself.
    std::pair<QString, bool> NextKeyDraw() const;

    // The key the record is known by.
    virtual QString Key() const = 0;

    // A copy of the whole state (fields, flags, saved copy, BeenApplied),
    // taken by a collection before it writes, to put back when it fails.
    // Classes holding more than their fields (cached children) extend it.
    virtual std::unique_ptr<RecordState> SaveState() const = 0;
    virtual void RestoreState(const RecordState& state) = 0;

    static NevixError ConcurrencyError();

protected:
    virtual const RecordTable& Table() const = 0;
    virtual void SetKey(const QString& key) = 0;
    // Every field to its default (the flags are the base's).
    virtual void SetDefaults() = 0;
    // The defaults a row is read over. A class whose computed default is
    // costly makes it in ReadRow instead, where the row's column is Null.
    virtual void SetDefaultsBeforeRow() { SetDefaults(); }
    // Fields from the current row; a Null column leaves the default.
    virtual void ReadRow(const RecordSet& rs) = 0;
    // Every column but the key and TmStamp, in the table's order.
    virtual ColumnValues RowValues() const = 0;
    virtual void CopyFieldsToSaved() = 0;
    virtual void CopySavedToFields() = 0;

    // The saved copy: fields and flags together.
    void TakeSavedCopy();
    void RestoreSavedCopy();

    // The creation state: defaults, new, clean, saved copy taken.
    void Reset();
    // Opens the query, loads the first row and closes the record set, also
    // when the load fails.
    void LoadQuery(const QString& sql, const SqlValues& values = {});
    CDataBase& RequireDataSource() const;

    // Building blocks for classes whose writes differ from the pattern.
    QString InsertSql(const ColumnValues& columns) const;
    QString UpdateSql(const ColumnValues& columns) const;
    QString DeleteSql() const;
    // The UPDATE's columns: where the row still holds what this record
    // last wrote (its unchanged TmStamp vouches for that), only those whose
    // value differs; otherwise all.
    ColumnValues ChangedColumns(const ColumnValues& columns) const;
    // Values for the texts above, in their placeholder order.
    SqlValues InsertValues(const ColumnValues& columns, const QString& newStamp) const;
    SqlValues UpdateValues(const ColumnValues& columns, const QString& newStamp) const;
    SqlValues DeleteValues() const;
    // Runs a write that must change exactly one row.
    void WriteOneRow(const QString& sql, const SqlValues& values);
    // INSERT of a new record, else UPDATE of its changed columns, from all
    // of RowValues(); the next MarkApplied keeps them as written.
    void WriteRow(ColumnValues columns, const QString& newStamp);
    // After a successful write (or when none was needed).
    void MarkApplied(const NullableString& newStamp);
    void MarkDirty() { m_flags.IsDirty = true; }

    // Values as the statements write them: an empty text as NULL.
    static QVariant TextOrNull(const QString& value);

    RecordFlags m_flags;
    RecordFlags m_savedFlags;
    bool m_beenApplied = false;
    int32_t m_v2AutoIncrementValue = -1;

private:
    CDataBase* m_db = nullptr;
    std::shared_ptr<const ColumnValues> m_justWritten; // by WriteRow, for MarkApplied
};
