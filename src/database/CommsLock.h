#pragma once

#include "database/RecordOf.h"

#include <QString>

#include <cstdint>

class LogLines;

struct CommsLockFields {
    QString ID;
    QString LockedBy;
    QString ComputerName;
    NullableDate LockedOn;
    int32_t LockType = 0;
    QString HolderProcess; // the holding process as ProcessIdentity names it
};

namespace LockTypes {
constexpr int32_t Communications = 1;
constexpr int32_t Administration = 2;
constexpr int32_t BulkUpdate = 4;
} // namespace LockTypes

// An exclusive lock shared by every installation on the database: one row
// of COMMSLOCK per lock type, held by a user on a computer (the same user
// elsewhere is someone else) and by one process there: while that process
// runs, another of the same user and computer (a second program folder on
// the database) is refused as someone else is; once it has ended, its
// computer and user take the lock back. A row that names no process (one
// written by an earlier build) belongs to its user and computer alone. A
// lock never expires; its owner releases it or someone clears it by force.
//
// Taking, releasing and clearing each read and write the row under one
// write lock of the database, so two installations can never both believe
// they hold it.
//
// Within one program the lock is released only by the object that took it:
// a second object of the same holder that takes it while the first still
// holds it (an exchange started during a transmission's wait) shares it,
// and its release leaves the row as it is.
class CommsLock : public RecordOf<CommsLockFields> {
public:
    CommsLock() { Reset(); }
    ~CommsLock() override;
    CommsLock(const CommsLock&) = delete;
    CommsLock& operator=(const CommsLock&) = delete;

    static QString LockTypeToString(int32_t eLockType);

    QString Key() const override { return Current().ID; }
    QString ID() const { return Current().ID; }
    bool IsLockedByMe() const { return m_isLockedByMe; }
    int32_t LockType() const { return Current().LockType; }
    void SetLockType(int32_t value);
    QString LockedBy() const { return Current().LockedBy; }
    void SetLockedBy(const QString& value)
    {
        SetText(&CommsLockFields::LockedBy, value, Qt::CaseInsensitive);
    }
    QString ComputerName() const { return Current().ComputerName; }
    void SetComputerName(const QString& value)
    {
        SetText(&CommsLockFields::ComputerName, value, Qt::CaseInsensitive);
    }
    NullableDate LockedOn() const { return Current().LockedOn; }
    void SetLockedOn(const NullableDate& value) { SetField(&CommsLockFields::LockedOn, value); }
    QString HolderProcess() const { return Current().HolderProcess; }

    // Back to the saved copy; BeenApplied stays as it is.
    void CancelEdit();

    // A lock held by someone else raises ErrorNumbers::LockNotAcquired.
    void AquireCommsLock(const QString& sUserName, CDataBase* objDataSource = nullptr);
    void AquireAdminLock(const QString& sUserName, CDataBase* objDataSource = nullptr);
    // Frees the lock when this user on this computer, in this process (or
    // in none recorded), holds it. Never raises: a release that fails goes
    // to the run's log (SetRunLog), or to standard error when there is none.
    void ReleaseCommsLock(const QString& sUserName, CDataBase* objDataSource = nullptr);
    void ReleaseAdminLock(const QString& sUserName, CDataBase* objDataSource = nullptr);
    // Frees the lock whoever holds it.
    void ForceClearLock(int32_t eLockType, CDataBase* objDataSource = nullptr);

    void Load(int32_t eLockType);

    // Where a failed release is reported; not owned.
    void SetRunLog(LogLines* log) { m_runLog = log; }

private:
    // Reading a row is part of Load; the edit baselines are not offered.
    using Record::EndEdit;
    using Record::EndSetDefaultsEdit;
    using Record::LoadByRecordSet;
    using Record::SetIsDeleted;

    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;

    void SetHolderProcess(const QString& value)
    {
        SetText(&CommsLockFields::HolderProcess, value, Qt::CaseSensitive);
    }
    void AcquireLock(const QString& sUserName, int32_t eLockType, CDataBase* objDataSource);
    void ReleaseLock(const QString& sUserName, int32_t eLockType, CDataBase* objDataSource);
    bool IsOwnedBy(const QString& sUserName, int32_t eLockType) const;
    bool IsHeldByProcess(const QString& process) const;
    void Free();
    void ReportFailedRelease(int32_t eLockType, const QString& description) const;

    // Whether this object wrote the row it holds (else it shares the hold
    // of another object of this program).
    bool m_tookRow = false;
    QString m_heldKey; // the lock type and file this object took, while it holds them
    bool m_isLockedByMe = false;
    LogLines* m_runLog = nullptr;
};
