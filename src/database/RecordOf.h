#pragma once

#include "database/Record.h"

#include <QString>

#include <memory>
#include <utility>

// A record class over a struct of its fields. The struct's member
// initialisers are the defaults (a class whose defaults are computed, such
// as a fresh GUID key, overrides SetDefaults and calls Reset() in its
// constructor); the saved copy holds fields and flags.
//
//     struct LockFields { QString ID; QString LockedBy; NullableDate LockedOn; int32_t LockType = 0; };
//     class CommsLock : public RecordOf<LockFields> {
//     public:
//         QString Key() const override { return Current().ID; }
//         void SetLockedBy(const QString& v) { SetText(&LockFields::LockedBy, v, Qt::CaseInsensitive); }
//         void SetLockedOn(const NullableDate& v) { SetField(&LockFields::LockedOn, v); }
//         void Load(int32_t type) { LoadQuery("Select * from COMMSLOCK where LockType=?", {type}); }
//     protected:
//         const RecordTable& Table() const override
//         { static const RecordTable table{"COMMSLOCK", "ID", "COMMSLOCK"}; return table; }
//         void SetKey(const QString& key) override { MutableFields().ID = key; }
//         void ReadRow(const RecordSet& rs) override;   // rs.Text("LockedBy"), rs.DateTime(...)
//         ColumnValues RowValues() const override;      // {{"LockedBy", TextOrNull(...)}, ...}
//     };
template <typename Fields>
class RecordOf : public Record {
public:
    std::unique_ptr<RecordState> SaveState() const override
    {
        auto state = std::make_unique<State>();
        state->fields = m_fields;
        state->saved = m_saved;
        state->flags = m_flags;
        state->savedFlags = m_savedFlags;
        state->beenApplied = m_beenApplied;
        return state;
    }

    void RestoreState(const RecordState& state) override
    {
        const auto& own = static_cast<const State&>(state);
        m_fields = own.fields;
        m_saved = own.saved;
        m_flags = own.flags;
        m_savedFlags = own.savedFlags;
        m_beenApplied = own.beenApplied;
    }

protected:
    const Fields& Current() const { return m_fields; }
    Fields& MutableFields() { return m_fields; }
    const Fields& Saved() const { return m_saved; }

    // Stores the value; the record is dirty when it differs from the saved
    // copy (Nullable values: when exactly one is Null, or both differ).
    template <typename T, typename V>
    void SetField(T Fields::*field, V&& value)
    {
        m_fields.*field = std::forward<V>(value);
        if (!(m_fields.*field == m_saved.*field))
            MarkDirty();
    }
    void SetText(QString Fields::*field, const QString& value, Qt::CaseSensitivity compare)
    {
        m_fields.*field = value;
        if (value.compare(m_saved.*field, compare) != 0)
            MarkDirty();
    }

    void SetDefaults() override { m_fields = Fields{}; }
    void CopyFieldsToSaved() override { m_saved = m_fields; }
    void CopySavedToFields() override { m_fields = m_saved; }

private:
    struct State : RecordState {
        Fields fields;
        Fields saved;
        RecordFlags flags;
        RecordFlags savedFlags;
        bool beenApplied = false;
    };

    Fields m_fields{};
    Fields m_saved{};
};
