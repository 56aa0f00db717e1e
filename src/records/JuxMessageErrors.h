#pragma once

#include "database/RecordCollection.h"
#include "records/JuxMessageError.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

// The errors of one message reference. New errors wait under the keys
// "N001", "N002"... (the count after adding); loaded ones are kept under
// their ID.
class JuxMessageErrors : public RecordCollection<JuxMessageError> {
public:
    // When set, the next write deletes every stored row of the reference
    // of the last Load instead of writing the errors held.
    bool SetToClear() const { return m_setToClear; }
    void SetSetToClear(bool value) { m_setToClear = value; }

    bool IsDirty() const { return m_setToClear || RecordCollection::IsDirty(); }

    // The first error whose code is exactly this one (case counts).
    Pointer Find(const QString& ErrorCode) const;

    void AddError(const QString& ErrorCode, const QString& Description);

    // The stored errors of the reference, which is remembered.
    void Load(const QString& MessageReference);
    // Load of each list with its reference, in one query for them all.
    static void LoadEach(CDataBase& db, const std::vector<std::pair<QString, JuxMessageErrors*>>& lists);

    // In one transaction: the deletion asked for by SetToClear, or else
    // every dirty error, each first given MessageReference when that is
    // not empty. A failure rolls back and leaves the errors as they were.
    void ApplyWithMessageReference(const QString& MessageReference);
    void Apply() override { ApplyWithMessageReference(QString()); }

    // One line per error (its code and a blank first, when asked), joined
    // by CR LF.
    QString ToString(bool IncludeCode = false) const;

    // The errors, their keys, flags and states, to be put back by
    // RestoreMembers when a write of the owning record fails.
    std::unique_ptr<RecordState> SaveMembers() const;
    void RestoreMembers(const RecordState& state);

protected:
    QString KeyFor(const JuxMessageError& error) const override;

private:
    struct ErrorsState;
    // No fewer rows than the table holds (its last rowid).
    static int64_t StoredRowsAtMost(CDataBase& db);

    bool m_setToClear = false;
    QString m_reference;
};
