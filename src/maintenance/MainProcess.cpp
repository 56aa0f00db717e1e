#include "maintenance/MainProcess.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/DiskFunctions.h"
#include "core/GlobalDeclarations.h"
#include "core/LoggingGlobals.h"
#include "core/NumericText.h"
#include "core/TextLogFile.h"
#include "core/Utils.h"
#include "core/WorkInProgress.h"
#include "database/CDataBase.h"
#include "database/DatabaseSchema.h"
#include "database/ErrorPersist.h"
#include "database/GlobalDatabase.h"
#include "database/InTransaction.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "maintenance/DatabaseRoutines.h"
#include "maintenance/SchemaUpgrade.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QString Source = QStringLiteral("InitialiseDatabaseAndDoAnyChanges");
const QString Provider = QStringLiteral("Microsoft.Jet.OLEDB.4.0");
const QString CompactingText = QStringLiteral("Database is Compact/Repairing");
const QString FailedText = QStringLiteral("Unable to complete database initialisation because:");

// A damaged file is reported rather than compacted: compaction would carry
// the damage on, or lose rows.
void RepairDatabase(CDataBase& db)
{
    RecordSet rs = db.OpenRecordSet(QStringLiteral("PRAGMA integrity_check"));
    const QString result = rs.HasRow() ? rs.Field(0).toString() : QString();
    db.CloseRecordSet(rs);
    if (result.compare(QStringLiteral("ok"), Qt::CaseInsensitive) != 0)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("The database is damaged: ") + result,
                         Source);
    db.Compact();
}

// A newer program has changed the file in ways this one does not know:
// writing to it, or relabelling it, could lose what the newer one keeps.
[[noreturn]] void RefuseNewerDatabase(const QString& path, const QString& version)
{
    TellUserCritical(QStringLiteral("This database belongs to a newer version of Nevix:"),
                     path + QStringLiteral("\r\nIts schema version is ") + version +
                         QStringLiteral("; this program works with schema version ") + DatabaseSchemaVersion +
                         QStringLiteral(". The database has not been changed."));
    throw NevixError(ErrorNumbers::ObjectErrorBase,
                     QStringLiteral("The database schema version ") + version +
                         QStringLiteral(" is newer than this program's ") + DatabaseSchemaVersion,
                     Source);
}

// Start-up stops here, so the box looks fatal and names the file.
[[noreturn]] void FailInitialisation(CDataBase& db, TextLogFile& upgradeLog)
{
    ErrorPersist& saved = SavedError();
    saved.Load();
    db.RollbackAll();
    upgradeLog.WriteToLog(FailedText + saved.Description());
    TellUserCritical(FailedText, QStringLiteral("The database ") + db.Source() + QStringLiteral(":\r\n") +
                                     saved.Description());
    throw saved.ToError();
}

// Why the program could not write to the database file, "" when it can. A
// file marked read-only is refused even where the system would let this
// user write it: whoever marked it meant it to stay as it is.
QString WhyNotWritable(const QString& path)
{
    const auto writable = [](const QFileInfo& info) {
        return info.isWritable() &&
               (info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)) != 0;
    };
    const QFileInfo file(path);
    if (!writable(file))
        return QStringLiteral("The file is read-only.");
    const QFileInfo folder(file.absolutePath());
    if (!writable(folder))
        return QStringLiteral("Its folder ") + folder.absoluteFilePath() +
               QStringLiteral(" is read-only, and the database keeps its journal there.");
    return QString();
}

void LogCompactionFailure(CDataBase& db, const QString& description, TextLogFile& upgradeLog)
{
    const QString text = QStringLiteral("Compacting the database failed: ") + description;
    upgradeLog.WriteToLog(text);
    try {
        InTransaction(db, [&] {
            LogLines log;
            log.SetDataSource(&db);
            log.BeginLogging(ProcessCodes::TBLMAINT, ProcessCodeDescription(ProcessCodes::TBLMAINT),
                             DatabaseSchema::AutoExecuteUserName);
            log.AddToLog(EventCodes::Warning, text);
            log.EndLogging();
        });
    } catch (const std::exception&) {
        // The file is still unavailable; the next start compacts again.
    }
}

bool CompactOrWarn(CDataBase& db, TextLogFile& upgradeLog)
{
    WorkInProgress wait;
    wait.Show(CompactingText);
    try {
        db.Compact();
        return true;
    } catch (const std::exception&) {
        ErrorPersist error;
        error.Load();
        LogCompactionFailure(db, error.Description(), upgradeLog);
        return false;
    }
}
} // namespace

void InitialiseDatabaseAndDoAnyChanges(TextLogFile& upgradeLog, DatabaseStartFailure* failure)
{
    // The step under way is what failed when an error leaves.
    const auto step = [failure](DatabaseStartFailure next) {
        if (failure)
            *failure = next;
    };
    CDataBase& db = NewGlobalDatabase();
    ApplicationSettings& settings = Settings();
    const QString path = AppRelativePath(settings.Database());
    step(DatabaseStartFailure::Missing);
    if (!FileExists(path)) {
        TellUserCritical(QStringLiteral("Could not find the database:"), path);
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("Could not find database"), Source);
    }
    step(DatabaseStartFailure::Unusable);
    // Else the program would start, and fail at the first thing it saves.
    if (const QString why = WhyNotWritable(path); !why.isEmpty()) {
        TellUserCritical(QStringLiteral("The database cannot be written:"), path + QStringLiteral("\r\n") + why);
        throw NevixError(ErrorNumbers::PathFileAccess, QStringLiteral("The database cannot be written"), Source);
    }
    db.SetConnectionParams(path, Provider, GetDbPassword(), QString(), QString());

    // A client shares a server's database: the server looks after it.
    if (settings.ProgramInstallMode() == InstallMode::Client) {
        step(DatabaseStartFailure::None);
        return;
    }
    if (settings.ProgramInstallMode() == InstallMode::Standalone)
        db.SetIsSingleUserConnection(true);

    WorkInProgress wait;
    if (settings.ForceRepair()) {
        wait.Show(CompactingText);
        RepairDatabase(db);
        settings.SetForceRepair(false);
        settings.ApplyOrWarn();
    }

    QString version;
    try {
        version = db.GetDatabaseSchemaVersion();
    } catch (...) {
        FailInitialisation(db, upgradeLog);
    }
    const bool current = version.compare(DatabaseSchemaVersion, Qt::CaseInsensitive) == 0;
    if (!current && Val(version) > Val(DatabaseSchemaVersion))
        RefuseNewerDatabase(path, version);
    step(DatabaseStartFailure::NotInitialised);
    try {
        if (!current)
            UpgradeDatabaseSchema(db, version, upgradeLog);
        // Databases made by earlier builds lack the schedule rows.
        DatabaseSchema::EnsureScheduleRows(db);
        // Compaction follows every upgrade.
        DoStartUpMaintenance(db, !current, upgradeLog);
    } catch (...) {
        FailInitialisation(db, upgradeLog);
    }
    step(DatabaseStartFailure::None);
}

void DoStartUpMaintenance(CDataBase& db, bool compactNow, TextLogFile& upgradeLog)
{
    SysParameters parameters;
    parameters.SetDataSource(&db);
    parameters.Load();
    const QDate today = AppContext::Current().clock().Today();
    bool compact = compactNow;
    if (parameters.AutoMaintenanceAtStartUp() || parameters.AutoCompactAtStartUp()) {
        const NullableDate last = parameters.LastAutoCompactDate();
        if (!last || last->date() < today) {
            if (parameters.AutoMaintenanceAtStartUp()) {
                std::shared_ptr<LogLines> log;
                // The run compacts nothing itself: compaction follows here.
                TableMaintenance(db, {}, log, true, DatabaseSchema::AutoExecuteUserName);
            }
            compact = true;
        }
    }
    if (!compact || !CompactOrWarn(db, upgradeLog))
        return;
    InTransaction(db, [&] {
        SysParameters stamped;
        stamped.SetDataSource(&db);
        stamped.Load();
        stamped.SetLastAutoCompactDate(LocalDateTime(today, QTime(0, 0)));
        stamped.Apply();
    });
}
