#include "database/CommsLock.h"

#include "core/Utils.h"
#include "database/DatabaseSchema.h"
#include "database/InTransaction.h"
#include "database/LogLines.h"
#include "database/RecordSet.h"
#include "platform/AppContext.h"

#include <QSet>

#include <cstdio>

namespace {
// The locks some object of this program has taken and not yet released,
// by lock type and database file.
QSet<QString>& HeldInThisProgram()
{
    static QSet<QString> held;
    return held;
}

QString HeldKey(int32_t eLockType, const CDataBase& db)
{
    return QString::number(eLockType) + u'|' + db.Source();
}

const QString HolderProcessColumn = QStringLiteral("HolderProcess");

// Databases made by earlier builds lack the holder's column; an added
// nullable column leaves the statements of those builds working.
void EnsureHolderProcessColumn(CDataBase& db)
{
    DatabaseSchema::EnsureTable(db, QStringLiteral("COMMSLOCK"));
}

QString ThisProcess()
{
    return AppContext::Current().processes().Mine();
}
} // namespace

CommsLock::~CommsLock()
{
    if (m_tookRow)
        HeldInThisProgram().remove(m_heldKey);
}

QString CommsLock::LockTypeToString(int32_t eLockType)
{
    switch (eLockType) {
    case 0: return {};
    case LockTypes::Communications: return QStringLiteral("Communications");
    case LockTypes::Administration: return QStringLiteral("Administration");
    case LockTypes::BulkUpdate: return QStringLiteral("Bulk Update");
    default: return QStringLiteral("Unknown");
    }
}

const RecordTable& CommsLock::Table() const
{
    static const RecordTable table{QStringLiteral("COMMSLOCK"), QStringLiteral("ID"),
                                   QStringLiteral("COMMSLOCK")};
    return table;
}

void CommsLock::SetLockType(int32_t value)
{
    if (value != Current().LockType)
        MarkDirty();
    MutableFields().LockType = value;
}

void CommsLock::CancelEdit()
{
    const bool been = BeenApplied();
    Record::CancelEdit();
    m_beenApplied = been;
}

void CommsLock::ReadRow(const RecordSet& rs)
{
    CommsLockFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("ID")))
        f.ID = *v;
    if (const auto v = rs.Text(QStringLiteral("LockedBy")))
        f.LockedBy = *v;
    if (const auto v = rs.Text(QStringLiteral("ComputerName")))
        f.ComputerName = *v;
    f.LockedOn = rs.DateTime(QStringLiteral("LockedOn"));
    if (const auto v = rs.Long(QStringLiteral("LockType")))
        f.LockType = *v;
    static thread_local ColumnPositions holder({HolderProcessColumn});
    if (const int at = holder.In(rs).front(); at >= 0)
        f.HolderProcess = VariantToText(rs.Field(at)).value_or(QString());
}

ColumnValues CommsLock::RowValues() const
{
    const CommsLockFields& f = Current();
    return {{QStringLiteral("ComputerName"), TextOrNull(f.ComputerName)},
            {QStringLiteral("LockedBy"), TextOrNull(f.LockedBy)},
            {QStringLiteral("LockedOn"), ToVariant(f.LockedOn)},
            {QStringLiteral("LockType"), f.LockType},
            {HolderProcessColumn, TextOrNull(f.HolderProcess)}};
}

void CommsLock::Load(int32_t eLockType)
{
    LoadQuery(QStringLiteral("Select * from COMMSLOCK where LockType=?"), {eLockType});
}

bool CommsLock::IsOwnedBy(const QString& sUserName, int32_t eLockType) const
{
    return LockType() == eLockType && LockedBy().compare(sUserName, Qt::CaseInsensitive) == 0 &&
           ComputerName().compare(GetThisComputerName(), Qt::CaseInsensitive) == 0;
}

// A row naming no process keeps the rule of the builds that wrote none.
bool CommsLock::IsHeldByProcess(const QString& process) const
{
    return HolderProcess().isEmpty() || HolderProcess() == process;
}

void CommsLock::Free()
{
    SetLockedBy({});
    SetComputerName({});
    SetLockedOn(std::nullopt);
    SetHolderProcess({});
}

void CommsLock::AcquireLock(const QString& sUserName, int32_t eLockType, CDataBase* objDataSource)
{
    if (objDataSource)
        SetDataSource(objDataSource);
    m_isLockedByMe = false;
    if (m_tookRow) {
        HeldInThisProgram().remove(m_heldKey);
        m_tookRow = false;
    }
    const QString key = HeldKey(eLockType, RequireDataSource());
    const QString me = ThisProcess();
    bool refused = false;
    bool shared = false;
    try {
        EnsureHolderProcessColumn(RequireDataSource());
        InTransaction(RequireDataSource(), [&] {
            Load(eLockType);
            if (!LockedBy().isEmpty()) {
                // The owner taking it again writes nothing but its process:
                // LockedOn stays the time of the first acquisition. While
                // another object of this program holds it, that one alone
                // gives it back; a row left behind by an earlier program is
                // taken over. Another process of the owner is someone else
                // until it has ended.
                const bool thisProcess = IsHeldByProcess(me);
                refused = !IsOwnedBy(sUserName, eLockType) ||
                          (!thisProcess && !AppContext::Current().processes().HasEnded(HolderProcess()));
                if (refused)
                    return;
                shared = thisProcess && HeldInThisProgram().contains(key);
                if (HolderProcess() != me) {
                    SetHolderProcess(me);
                    Apply();
                }
                return;
            }
            SetLockedBy(sUserName);
            SetComputerName(GetThisComputerName());
            SetLockedOn(AppContext::Current().clock().Now());
            SetLockType(eLockType);
            SetHolderProcess(me);
            Apply();
        });
    } catch (...) {
        MutableFields().LockedBy.clear();
        MutableFields().LockedOn.reset();
        throw;
    }
    if (refused)
        throw NevixError(ErrorNumbers::LockNotAcquired,
                         QStringLiteral("Could not aquire ") + LockTypeToString(eLockType) +
                             QStringLiteral(" lock"));
    m_isLockedByMe = true;
    if (!shared) {
        m_tookRow = true;
        m_heldKey = key;
        HeldInThisProgram().insert(key);
    }
}

void CommsLock::ReleaseLock(const QString& sUserName, int32_t eLockType, CDataBase* objDataSource)
{
    if (m_isLockedByMe && !m_tookRow) {
        // A shared hold: the object that took the lock gives it back.
        m_isLockedByMe = false;
        return;
    }
    try {
        if (objDataSource)
            SetDataSource(objDataSource);
        bool released = false;
        EnsureHolderProcessColumn(RequireDataSource());
        InTransaction(RequireDataSource(), [&] {
            Load(eLockType);
            if (!IsOwnedBy(sUserName, eLockType) || !IsHeldByProcess(ThisProcess()))
                return; // free, or someone else's
            Free();
            SetLockType(eLockType);
            Apply();
            released = true;
        });
        if (released) {
            m_isLockedByMe = false;
            if (m_tookRow)
                HeldInThisProgram().remove(m_heldKey);
            m_tookRow = false;
        }
    } catch (const NevixError& error) {
        ReportFailedRelease(eLockType, error.Description());
    } catch (const std::exception& error) {
        ReportFailedRelease(eLockType, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ReportFailedRelease(eLockType, QStringLiteral("Unknown error"));
    }
}

void CommsLock::ReportFailedRelease(int32_t eLockType, const QString& description) const
{
    const QString text = QStringLiteral("Could not release the ") + LockTypeToString(eLockType) +
                         QStringLiteral(" lock: ") + description;
    if (m_runLog && m_runLog->GetLogHeader())
        m_runLog->AddToLog(EventCodes::Warning, text);
    else
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void CommsLock::ForceClearLock(int32_t eLockType, CDataBase* objDataSource)
{
    if (objDataSource)
        SetDataSource(objDataSource);
    EnsureHolderProcessColumn(RequireDataSource());
    InTransaction(RequireDataSource(), [&] {
        Load(eLockType);
        Free();
        Apply();
    });
}

void CommsLock::AquireCommsLock(const QString& sUserName, CDataBase* objDataSource)
{
    AcquireLock(sUserName, LockTypes::Communications, objDataSource);
}

void CommsLock::AquireAdminLock(const QString& sUserName, CDataBase* objDataSource)
{
    AcquireLock(sUserName, LockTypes::Administration, objDataSource);
}

void CommsLock::ReleaseCommsLock(const QString& sUserName, CDataBase* objDataSource)
{
    ReleaseLock(sUserName, LockTypes::Communications, objDataSource);
}

void CommsLock::ReleaseAdminLock(const QString& sUserName, CDataBase* objDataSource)
{
    ReleaseLock(sUserName, LockTypes::Administration, objDataSource);
}
