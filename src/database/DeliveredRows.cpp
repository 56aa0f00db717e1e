// The rows a new database is delivered with.
#include "database/DatabaseSchema.h"

#include "core/GlobalDeclarations.h"
#include "core/VCipher.h"
#include "database/CDataBase.h"
#include "database/InTransaction.h"
#include "database/SimpleDBkeyMaker.h"

namespace {
// Every key is its prefix and ten digits: any 32-bit number fits, so the
// keys of one table sort as text in the order they were drawn.
constexpr int32_t KeyLength = 11;

struct Counter {
    const char* table;
    const char* prefix;
};

// Prefixes are one character (a log run's number is its start line's key
// from the second character on).
constexpr Counter Counters[] = {
    {"VQ3_Enquiries", "Q"},    {"VQ7_Responses", "R"},      {"Debit_Statements", "D"},
    {"Transmission_Log", "L"}, {"NEVIX_PARAMETERS", "P"},   {"USERS", "U"},
    {"USER_GROUPS", "G"},      {"USER_GROUP_LINK", "K"},    {"USER_ENQUIRER_LINK", "E"},
    {"JUX_MSG_ERROR", "J"},    {"COMMSLOCK", "C"},          {"SYSTEM_MESSAGE", "M"},
    {"SCHEDULER", "S"},
};

struct Group {
    const char* name;
    const char* description;
    const char* roles;
};

constexpr Group Groups[] = {
    {"System Users", "Built-in accounts of the system", "SYSADMIN"},
    {"Administrators", "Administer users, enquirers and parameters", "ADMIN"},
    {"Managers", "Manage enquiries and responses", "MGR"},
    {"Normal Users", "Enter enquiries and read responses", "CLER"},
};

// Communications, administration and bulk update.
constexpr int32_t LockTypes[] = {1, 2, 4};

QString KeyOf(const char* prefix, int32_t number)
{
    return SimpleDBkeyMaker::FormatKey(QLatin1String(prefix), KeyLength, number);
}

void InsertUser(CDataBase& db, const VCipher& cipher, int32_t number, const QString& name,
                const QString& password, const QString& description, bool canChangePassword,
                int32_t groupNumber, int32_t linkNumber)
{
    const QString userId = KeyOf("U", number);
    db.Execute(QStringLiteral("INSERT INTO USERS (UserId, UserName, UPassword, Description, Enabled, "
                              "CanChangPw, TmStamp) VALUES (?,?,?,?,1,?,NULL)"),
               {userId, name, cipher.Encipher(password), description, canChangePassword});
    db.Execute(QStringLiteral("INSERT INTO USER_GROUP_LINK (Id, UGroupId, UserId, TmStamp) "
                              "VALUES (?,?,?,NULL)"),
               {KeyOf("K", linkNumber), KeyOf("G", groupNumber), userId});
}
} // namespace

QString DatabaseSchema::AutoExecutePassword()
{
    return QStringLiteral("871RUNAGENT46m2");
}

void DatabaseSchema::InsertDeliveredRows(CDataBase& db, const InitialAdministrator& admin)
{
    const VCipher cipher;
    db.BeginTrans();
    try {
        db.Execute(QStringLiteral("INSERT INTO DBVERSION (DBVID, SCHEMAID) VALUES (1, ?)"),
                   {DatabaseSchemaVersion});

        // The system parameters at the defaults of their record class.
        db.Execute(QStringLiteral(
            "INSERT INTO System_Parameters (SysId, Party_Name, VQ3_Control_Reference, "
            "VQ3_Maintenance_Term, VQ3_Maintenance_Period, VQ7_Maintenance_Term, "
            "VQ7_Maintenance_Period, DEB_Maintenance_Term, DEB_Maintenance_Period, "
            "TransLog_Maintenance_Term, TransLog_Maintenance_Period, SetupComplete, "
            "DuplicateNumberOfDays, DuplicatesToPrint, DuplicatesToFile, DuplicateReportPath, "
            "OnlyReportCurrentDuplicates, TimeOfLastDuplicate, LegacyExport, ExportFormat, "
            "ImportAutoExecuteVQ3Errors, ControlRefsSeeded, AutoCompactAtStartUp, "
            "AutoMaintenanceAtStartUp, LastAutoCompactDate, RunningInTestMode, BatchSize, "
            "TrimAsterisk, WriteFromLeft, ExportFileFormat, TmStamp) VALUES ('1', NULL, 0, "
            "3, 'Month', 3, 'Month', 3, 'Month', 1, 'Month', 0, 0, 0, 0, NULL, 0, NULL, 0, 1, "
            "0, 0, 0, 0, NULL, 1, 0, 0, 0, NULL, NULL)"));

        int32_t groupNumber = 0;
        for (const Group& group : Groups) {
            db.Execute(QStringLiteral("INSERT INTO USER_GROUPS (UGroupId, Name, Description, Roles, "
                                      "TmStamp) VALUES (?,?,?,?,NULL)"),
                       {KeyOf("G", ++groupNumber), QLatin1String(group.name),
                        QLatin1String(group.description), QLatin1String(group.roles)});
        }
        // The unattended runs log on as a system user; the administrator
        // completes the set-up.
        InsertUser(db, cipher, 1, AutoExecuteUserName, AutoExecutePassword(),
                   QStringLiteral("Unattended runs"), false, 1, 1);
        InsertUser(db, cipher, 2, admin.UserName.trimmed(), admin.Password.trimmed(),
                   QStringLiteral("Initial administrator"), true, 2, 2);

        int32_t lockNumber = 0;
        for (const int32_t type : LockTypes) {
            db.Execute(QStringLiteral("INSERT INTO COMMSLOCK (ID, ComputerName, LockedBy, LockedOn, "
                                      "LockType, TmStamp) VALUES (?, NULL, NULL, NULL, ?, NULL)"),
                       {KeyOf("C", ++lockNumber), type});
        }

        const QHash<QString, int32_t> used{{QStringLiteral("USER_GROUPS"), groupNumber},
                                           {QStringLiteral("USERS"), 2},
                                           {QStringLiteral("USER_GROUP_LINK"), 2},
                                           {QStringLiteral("COMMSLOCK"), lockNumber}};
        SimpleDBkeyMaker& keys = db.KeyMaker();
        for (const Counter& counter : Counters) {
            const QString table = QLatin1String(counter.table);
            keys.InitialiseTableEntry(table, QLatin1String(counter.prefix), KeyLength,
                                      used.value(table, 0) + 1);
        }
        db.CommitTrans();
    } catch (...) {
        db.Rollback();
        throw;
    }
    EnsureScheduleRows(db);
}

void DatabaseSchema::EnsureScheduleRows(CDataBase& db)
{
    InTransaction(db, [&] {
        RecordSet rs = db.OpenRecordSet(
            QStringLiteral("SELECT COUNT(*) FROM sqlite_schema WHERE type='table' AND name='SCHEDULER'"));
        const bool exists = rs.Field(0).toInt() > 0;
        rs.Close();
        if (!exists)
            CreateTable(db, Table(QStringLiteral("SCHEDULER")));
        // Run mode 1 is "Never": nothing runs until an operator sets a schedule.
        for (const QString& id : ScheduleIds) {
            db.Execute(QStringLiteral("INSERT INTO SCHEDULER (ScheduleID,NextRunDateTime,LastRunDateTime,"
                                      "RunAtID,DaysToRun,Every15Mins,Every30Mins,Every60Mins,FirstTime,"
                                      "LastTime,TmStamp) SELECT ?,NULL,NULL,1,'0000000',0,0,0,'00:00',NULL,"
                                      "NULL WHERE NOT EXISTS (SELECT 1 FROM SCHEDULER WHERE ScheduleID=?)"),
                       {id, id});
        }
    });
}
