#include "database/DatabaseSchema.h"

#include "core/AtomicFile.h"
#include "core/DiskFunctions.h"
#include "database/CDataBase.h"
#include "database/DatabasePassword.h"
#include "database/InTransaction.h"
#include "platform/NevixError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {
const QString Source = QStringLiteral("DatabaseSchema.CreateNewDatabase");

ColumnDefinition Key(const QString& name, const QString& type = QStringLiteral("TEXT(50)"))
{
    return {name, type, false};
}
ColumnDefinition Text(const QString& name, int size)
{
    return {name, QStringLiteral("TEXT(%1)").arg(size)};
}
ColumnDefinition Col(const QString& name, const char* type)
{
    return {name, QLatin1String(type)};
}
ColumnDefinition Stamp()
{
    return Text(QStringLiteral("TmStamp"), 20);
}
IndexDefinition PrimaryKey(const QString& fields)
{
    return {QStringLiteral("PrimaryKey"), fields, true, true};
}
IndexDefinition Index(const QString& name, const QString& fields)
{
    return {name, fields};
}

std::vector<TableDefinition> BuildTables()
{
    return {
        {QStringLiteral("TKEYS"),
         {Key(QStringLiteral("TABLENAME")), Key(QStringLiteral("PREFIX"), QStringLiteral("TEXT(10)")),
          Key(QStringLiteral("KEYLENGTH"), QStringLiteral("Long")),
          Key(QStringLiteral("KEYVALUE"), QStringLiteral("Long"))},
         {PrimaryKey(QStringLiteral("TABLENAME"))}},
        {QStringLiteral("DBVERSION"),
         {Key(QStringLiteral("DBVID"), QStringLiteral("Long")), Text(QStringLiteral("SCHEMAID"), 20)},
         {PrimaryKey(QStringLiteral("DBVID"))}},
        {QStringLiteral("System_Parameters"),
         {Key(QStringLiteral("SysId"), QStringLiteral("TEXT(20)")), Text(QStringLiteral("Party_Name"), 255),
          Col(QStringLiteral("VQ3_Control_Reference"), "Long"),
          Col(QStringLiteral("VQ3_Maintenance_Term"), "Short"), Text(QStringLiteral("VQ3_Maintenance_Period"), 10),
          Col(QStringLiteral("VQ7_Maintenance_Term"), "Short"), Text(QStringLiteral("VQ7_Maintenance_Period"), 10),
          Col(QStringLiteral("DEB_Maintenance_Term"), "Short"), Text(QStringLiteral("DEB_Maintenance_Period"), 10),
          Col(QStringLiteral("TransLog_Maintenance_Term"), "Short"),
          Text(QStringLiteral("TransLog_Maintenance_Period"), 10),
          Col(QStringLiteral("SetupComplete"), "Bit"), Col(QStringLiteral("DuplicateNumberOfDays"), "Short"),
          Col(QStringLiteral("DuplicatesToPrint"), "Bit"), Col(QStringLiteral("DuplicatesToFile"), "Bit"),
          Text(QStringLiteral("DuplicateReportPath"), 255), Col(QStringLiteral("OnlyReportCurrentDuplicates"), "Bit"),
          Col(QStringLiteral("TimeOfLastDuplicate"), "DATETIME"), Col(QStringLiteral("LegacyExport"), "Bit"),
          Col(QStringLiteral("ExportFormat"), "Short"), Col(QStringLiteral("ImportAutoExecuteVQ3Errors"), "Bit"),
          Col(QStringLiteral("ControlRefsSeeded"), "Bit"), Col(QStringLiteral("AutoCompactAtStartUp"), "Bit"),
          Col(QStringLiteral("AutoMaintenanceAtStartUp"), "Bit"),
          Col(QStringLiteral("LastAutoCompactDate"), "DATETIME"), Col(QStringLiteral("RunningInTestMode"), "Bit"),
          Col(QStringLiteral("BatchSize"), "Integer"), Col(QStringLiteral("TrimAsterisk"), "Bit"),
          Col(QStringLiteral("WriteFromLeft"), "Bit"), Text(QStringLiteral("ExportFileFormat"), 3), Stamp()},
         {PrimaryKey(QStringLiteral("SysId"))}},
        {QStringLiteral("Transmission_Log"),
         {Key(QStringLiteral("LogId"), QStringLiteral("TEXT(20)")), Col(QStringLiteral("Time_Of_Event"), "DATETIME"),
          Col(QStringLiteral("Run_Number"), "Long"), Col(QStringLiteral("Event_Code"), "Short"),
          Text(QStringLiteral("Event_Text"), 255), Text(QStringLiteral("ProcessCode"), 10),
          Text(QStringLiteral("UserName"), 50), Text(QStringLiteral("ComputerName"), 50), Stamp()},
         {PrimaryKey(QStringLiteral("LogId")), Index(QStringLiteral("Run_Number"), QStringLiteral("Run_Number")),
          Index(QStringLiteral("Time_Of_Event"), QStringLiteral("Time_Of_Event"))}},
        {QStringLiteral("COMMSLOCK"),
         {Key(QStringLiteral("ID"), QStringLiteral("TEXT(20)")), Text(QStringLiteral("ComputerName"), 50),
          Text(QStringLiteral("LockedBy"), 50), Col(QStringLiteral("LockedOn"), "DATETIME"),
          Key(QStringLiteral("LockType"), QStringLiteral("Long")),
          // The process of the holder, so that two of one user on one
          // computer are told apart; none in rows of earlier builds.
          Text(QStringLiteral("HolderProcess"), 255), Stamp()},
         {PrimaryKey(QStringLiteral("ID")), {QStringLiteral("LockType"), QStringLiteral("LockType"), false, true}}},
        {QStringLiteral("NEVIX_PARAMETERS"),
         {Key(QStringLiteral("Id"), QStringLiteral("TEXT(20)")), Text(QStringLiteral("UserName"), 50),
          Text(QStringLiteral("NPassword"), 50), Stamp()},
         {PrimaryKey(QStringLiteral("Id"))}},
        {QStringLiteral("USERS"),
         {Key(QStringLiteral("UserId"), QStringLiteral("TEXT(20)")), Key(QStringLiteral("UserName"), QStringLiteral("TEXT(50)")),
          Text(QStringLiteral("UPassword"), 50), Text(QStringLiteral("Description"), 255),
          Col(QStringLiteral("Enabled"), "Bit"), Col(QStringLiteral("CanChangPw"), "Bit"), Stamp()},
         {PrimaryKey(QStringLiteral("UserId")),
          // Unique without regard to case: the logon finds a user by name that way.
          {QStringLiteral("UserName"), QStringLiteral("UserName"), false, true}}},
        {QStringLiteral("USER_GROUPS"),
         {Key(QStringLiteral("UGroupId"), QStringLiteral("TEXT(40)")), Text(QStringLiteral("Name"), 50),
          Text(QStringLiteral("Description"), 255), Text(QStringLiteral("Roles"), 255), Stamp()},
         {PrimaryKey(QStringLiteral("UGroupId")), Index(QStringLiteral("Name"), QStringLiteral("Name"))}},
        {QStringLiteral("USER_GROUP_LINK"),
         {Key(QStringLiteral("Id"), QStringLiteral("TEXT(40)")), Text(QStringLiteral("UGroupId"), 40),
          Text(QStringLiteral("UserId"), 20), Stamp()},
         {PrimaryKey(QStringLiteral("Id")), Index(QStringLiteral("UserId"), QStringLiteral("UserId")),
          Index(QStringLiteral("UGroupId"), QStringLiteral("UGroupId"))}},
        {QStringLiteral("ENQUIRER"),
         {Key(QStringLiteral("EnquirerId"), QStringLiteral("TEXT(5)")), Text(QStringLiteral("EnqName"), 255),
          Text(QStringLiteral("IntermediaryId"), 3), Text(QStringLiteral("ExportFolder"), 255),
          Text(QStringLiteral("ImportFolder"), 255), Col(QStringLiteral("IsDefault"), "Bit"),
          Col(QStringLiteral("IsEnabled"), "Bit"), Stamp()},
         {PrimaryKey(QStringLiteral("EnquirerId"))}},
        {QStringLiteral("USER_ENQUIRER_LINK"),
         {Key(QStringLiteral("ID"), QStringLiteral("TEXT(20)")), Text(QStringLiteral("EnquirerId"), 5),
          Text(QStringLiteral("UserId"), 20), Stamp()},
         {PrimaryKey(QStringLiteral("ID")), Index(QStringLiteral("UserId"), QStringLiteral("UserId")),
          Index(QStringLiteral("EnquirerId"), QStringLiteral("EnquirerId"))}},
        {QStringLiteral("ENQUIRY_REASON"),
         {Key(QStringLiteral("Id"), QStringLiteral("TEXT(20)")), Text(QStringLiteral("Description"), 50),
          Text(QStringLiteral("EnquiryCode"), 4), Text(QStringLiteral("EnquirerId"), 5),
          Col(QStringLiteral("IsDefault"), "Bit"), Col(QStringLiteral("IsEnabled"), "Bit"),
          Col(QStringLiteral("DateOfEventCutOff"), "Integer"), Stamp()},
         {PrimaryKey(QStringLiteral("Id")), Index(QStringLiteral("EnquirerId"), QStringLiteral("EnquirerId"))}},
        {QStringLiteral("VQ3_Enquiries"),
         {Key(QStringLiteral("VQ3ID"), QStringLiteral("TEXT(20)")), Col(QStringLiteral("When_Entered"), "DATETIME"),
          Col(QStringLiteral("Date_Of_Enquiry"), "DATETIME"), Text(QStringLiteral("VRM"), 17),
          Col(QStringLiteral("Date_Of_Event"), "DATETIME"), Text(QStringLiteral("Enquiry_Reference"), 50),
          Col(QStringLiteral("Hardcopy_Response"), "Bit"), Col(QStringLiteral("Control_Reference"), "Long"),
          Col(QStringLiteral("When_Prepared"), "DATETIME"), Col(QStringLiteral("WhenImported"), "DATETIME"),
          Col(QStringLiteral("When_Sent"), "DATETIME"), Col(QStringLiteral("Response_Received"), "Long"),
          Col(QStringLiteral("Auto_Import"), "Bit"), Col(QStringLiteral("Auto_Response_Exported"), "Bit"),
          Col(QStringLiteral("DvlaValidate"), "Bit"), Text(QStringLiteral("JuxMsgReference"), 50),
          Text(QStringLiteral("IntermediaryId"), 3), Text(QStringLiteral("EnquirerId"), 5),
          Text(QStringLiteral("EnquirerName"), 255), Text(QStringLiteral("EnquiryCode"), 4),
          Text(QStringLiteral("EnquiryCodeDesc"), 50), Col(QStringLiteral("IsTest"), "Bit"),
          Text(QStringLiteral("UserName"), 15), Text(QStringLiteral("ComputerName"), 50), Stamp()},
         {PrimaryKey(QStringLiteral("VQ3ID")), Index(QStringLiteral("VRM"), QStringLiteral("VRM")),
          Index(QStringLiteral("When_Sent"), QStringLiteral("When_Sent")),
          Index(QStringLiteral("JuxMsgReference"), QStringLiteral("JuxMsgReference"))}},
        {QStringLiteral("VQ7_Responses"),
         {Key(QStringLiteral("VQ7ID"), QStringLiteral("TEXT(20)")), Col(QStringLiteral("Control_Reference"), "Long"),
          Col(QStringLiteral("When_Prepared"), "DATETIME"), Col(QStringLiteral("When_Received"), "DATETIME"),
          Col(QStringLiteral("Date_Of_Response"), "DATETIME"), Text(QStringLiteral("VRM"), 17),
          Text(QStringLiteral("RegistrationNumber"), 7), Text(QStringLiteral("TaxStatus"), 50),
          Text(QStringLiteral("FleetNumber"), 50), Text(QStringLiteral("SecondaryColour"), 50),
          Text(QStringLiteral("BodyType"), 50), Text(QStringLiteral("Enquiry_Reference"), 50),
          Text(QStringLiteral("DVLA_ERR_Code"), 10), Text(QStringLiteral("Hardcopy_Code"), 5),
          Text(QStringLiteral("Make"), 50), Text(QStringLiteral("Model"), 50), Text(QStringLiteral("Colour"), 50),
          Text(QStringLiteral("Engine_Capacity"), 10), Text(QStringLiteral("Seating_Capacity"), 10),
          Text(QStringLiteral("Taxation_Category"), 50), Text(QStringLiteral("VIN"), 20),
          Col(QStringLiteral("Number_Of_Keepers"), "Short"), Col(QStringLiteral("Date_Last_Keeper_Change"), "DATETIME"),
          Col(QStringLiteral("Date_Of_License_Expiry"), "DATETIME"), Col(QStringLiteral("Date_Of_Theft"), "DATETIME"),
          Col(QStringLiteral("Date_Of_Recovery"), "DATETIME"), Col(QStringLiteral("Date_Of_Event"), "DATETIME"),
          Col(QStringLiteral("Date_First_Registered"), "DATETIME"), Text(QStringLiteral("Keeper_Name_Code"), 5),
          Text(QStringLiteral("Keeper_Title_Code"), 5), Text(QStringLiteral("Keeper_Name_1"), 50),
          Text(QStringLiteral("Keeper_Name_2"), 50), Text(QStringLiteral("Keeper_Address_1"), 50),
          Text(QStringLiteral("Keeper_Address_2"), 50), Text(QStringLiteral("Keeper_Address_3"), 50),
          Text(QStringLiteral("Keeper_Address_4"), 50), Text(QStringLiteral("Keeper_Post_Town"), 50),
          Text(QStringLiteral("Keeper_Post_Code"), 10), Text(QStringLiteral("Engine"), 50),
          Text(QStringLiteral("Title"), 20), Col(QStringLiteral("DateOfExport"), "DATETIME"),
          Col(QStringLiteral("DateOfScrap"), "DATETIME"), Text(QStringLiteral("CompanyName"), 70),
          Text(QStringLiteral("OtherName"), 70), Col(QStringLiteral("Comment"), "Memo"),
          Text(QStringLiteral("JuxMsgReference"), 50), Col(QStringLiteral("ForAutoExport"), "Bit"),
          Col(QStringLiteral("JuxExportedDate"), "DATETIME"), Text(QStringLiteral("EnquirerId"), 5),
          Text(QStringLiteral("EnquirerName"), 255), Text(QStringLiteral("EnquiryCode"), 4),
          Text(QStringLiteral("EnquiryCodeDesc"), 50), Col(QStringLiteral("IsTest"), "Bit"), Stamp()},
         {PrimaryKey(QStringLiteral("VQ7ID")), Index(QStringLiteral("VRM"), QStringLiteral("VRM")),
          Index(QStringLiteral("When_Received"), QStringLiteral("When_Received")),
          Index(QStringLiteral("JuxMsgReference"), QStringLiteral("JuxMsgReference"))}},
        {QStringLiteral("Debit_Statements"),
         {Key(QStringLiteral("DebId"), QStringLiteral("TEXT(20)")), Col(QStringLiteral("Control_Reference"), "Long"),
          Col(QStringLiteral("When_Prepared"), "DATETIME"), Col(QStringLiteral("When_Received"), "DATETIME"),
          Text(QStringLiteral("DEBSTA_Reference"), 50), Col(QStringLiteral("Issue_Date"), "DATETIME"),
          Col(QStringLiteral("Transaction_Date"), "DATETIME"), Col(QStringLiteral("Charge_Period_Start"), "DATETIME"),
          Col(QStringLiteral("Charge_Period_End"), "DATETIME"), Col(QStringLiteral("Total_Amount_Of_Debit"), "Currency"),
          Col(QStringLiteral("Number_Of_Charges"), "Long"), Col(QStringLiteral("Rate_Of_Charge"), "Currency"),
          Col(QStringLiteral("Total_Amount_Of_Charge"), "Currency"),
          Text(QStringLiteral("DVLA_Bank_Account_Number"), 20), Text(QStringLiteral("DVLA_Bank_Account_Name"), 50),
          Text(QStringLiteral("DVLA_Bank_Sort_Code"), 10), Text(QStringLiteral("TP_Bank_Account_Number"), 20),
          Text(QStringLiteral("TP_Bank_Account_Name"), 50), Text(QStringLiteral("TP_Bank_Sort_Code"), 10),
          Text(QStringLiteral("EnquirerId"), 5), Text(QStringLiteral("EnquirerName"), 255),
          Col(QStringLiteral("JuxExportedDate"), "DATETIME"), Col(QStringLiteral("IsTest"), "Bit"), Stamp()},
         {PrimaryKey(QStringLiteral("DebId")), Index(QStringLiteral("When_Received"), QStringLiteral("When_Received"))}},
        {QStringLiteral("JUX_MSG_ERROR"),
         {Key(QStringLiteral("ID")), Text(QStringLiteral("Description"), 255),
          Text(QStringLiteral("JuxMsgReference"), 50), Text(QStringLiteral("ErrorCode"), 10), Stamp()},
         {PrimaryKey(QStringLiteral("ID")), Index(QStringLiteral("JuxMsgReference"), QStringLiteral("JuxMsgReference"))}},
        {QStringLiteral("SYSTEM_MESSAGE"),
         {Key(QStringLiteral("Id")), Text(QStringLiteral("ServerMessageId"), 50),
          Col(QStringLiteral("EffectiveFrom"), "DATETIME"), Col(QStringLiteral("EffectiveTo"), "DATETIME"),
          Col(QStringLiteral("Priority"), "Short"), Text(QStringLiteral("Title"), 255),
          Col(QStringLiteral("Body"), "Memo"), Stamp()},
         {PrimaryKey(QStringLiteral("Id"))}},
        // The mark is the key: no key counter.
        {QStringLiteral("VRM_BLACKLIST"),
         {Key(QStringLiteral("VRM"), QStringLiteral("TEXT(17)")), Text(QStringLiteral("Reason"), 255),
          Text(QStringLiteral("BlacklistedBy"), 50), Col(QStringLiteral("BlacklistedOn"), "DATETIME"), Stamp()},
         {PrimaryKey(QStringLiteral("VRM"))}},
        {QStringLiteral("SCHEDULER"),
         {Key(QStringLiteral("ScheduleID"), QStringLiteral("TEXT(20)")),
          Col(QStringLiteral("NextRunDateTime"), "DATETIME"), Col(QStringLiteral("LastRunDateTime"), "DATETIME"),
          Col(QStringLiteral("RunAtID"), "Long"), Text(QStringLiteral("DaysToRun"), 7),
          Col(QStringLiteral("Every15Mins"), "Bit"), Col(QStringLiteral("Every30Mins"), "Bit"),
          Col(QStringLiteral("Every60Mins"), "Bit"), Text(QStringLiteral("FirstTime"), 5),
          Text(QStringLiteral("LastTime"), 5), Stamp()},
         {PrimaryKey(QStringLiteral("ScheduleID"))}},
        // Export files whose records are marked exported but which may not
        // have their names yet; at most a few rows, each for a moment. The
        // columns after ComputerName were added later: a database made
        // before has them added when the table is next used.
        {QStringLiteral("PENDING_EXPORTS"),
         {Key(QStringLiteral("PendingFile"), QStringLiteral("TEXT(255)")), Text(QStringLiteral("ExportFile"), 255),
          Col(QStringLiteral("NewFile"), "Bit"), Text(QStringLiteral("ComputerName"), 50),
          Text(QStringLiteral("PlacingFile"), 255), Text(QStringLiteral("PendingId"), 50),
          Text(QStringLiteral("PendingSize"), 20), Text(QStringLiteral("PlacingId"), 50),
          Text(QStringLiteral("FolderId"), 50), Text(QStringLiteral("ComputerId"), 255),
          Col(QStringLiteral("Records"), "Long")},
         {PrimaryKey(QStringLiteral("PendingFile"))}},
        // One row: the mark of the database (see DatabaseMark), made at its
        // first use, also in databases made before the table.
        {QStringLiteral("DATABASE_IDENTITY"),
         {Key(QStringLiteral("Id"), QStringLiteral("TEXT(20)")), Text(QStringLiteral("Mark"), 32)},
         {PrimaryKey(QStringLiteral("Id"))}},
    };
}
} // namespace

const std::vector<TableDefinition>& DatabaseSchema::Tables()
{
    static const std::vector<TableDefinition> tables = BuildTables();
    return tables;
}

const TableDefinition& DatabaseSchema::Table(const QString& name)
{
    for (const TableDefinition& table : Tables()) {
        if (table.Name.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    }
    throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No table ") + name,
                     QStringLiteral("DatabaseSchema.Table"));
}

void DatabaseSchema::CreateTable(CDataBase& db, const TableDefinition& table)
{
    const ColumnDefinition& first = table.Columns.front();
    db.AddTable(table.Name, first.Name, first.Type, first.AllowNulls);
    for (size_t i = 1; i < table.Columns.size(); ++i) {
        const ColumnDefinition& column = table.Columns[i];
        db.AddField(table.Name, column.Name, column.Type, column.AllowNulls, false);
    }
    for (const IndexDefinition& index : table.Indexes)
        db.AddIndex(table.Name, index.Fields, index.Name, index.Primary, index.Unique);
}

void DatabaseSchema::EnsureTable(CDataBase& db, const QString& name)
{
    const TableDefinition& definition = Table(name);
    const auto missing = [&] {
        QStringList columns;
        RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {name});
        for (; !rs.IsEOF(); rs.MoveNext())
            columns << rs.Field(0).toString();
        db.CloseRecordSet(rs);
        std::vector<ColumnDefinition> absent;
        for (const ColumnDefinition& column : definition.Columns) {
            if (!columns.contains(column.Name, Qt::CaseInsensitive))
                absent.push_back(column);
        }
        return absent;
    };
    if (missing().empty())
        return;
    InTransaction(db, [&] {
        const std::vector<ColumnDefinition> absent = missing();
        if (absent.size() == definition.Columns.size()) {
            CreateTable(db, definition);
            return;
        }
        for (const ColumnDefinition& column : absent)
            db.AddField(name, column.Name, column.Type, column.AllowNulls, false);
    });
}

void DatabaseSchema::CreateTables(CDataBase& db)
{
    db.BeginTrans();
    try {
        for (const TableDefinition& table : Tables())
            CreateTable(db, table);
        db.CommitTrans();
    } catch (...) {
        db.Rollback();
        throw;
    }
}

void DatabaseSchema::CreateNewDatabase(const QString& path, const InitialAdministrator& admin)
{
    const QString target = ToForwardSlashes(path);
    if (QFileInfo::exists(target))
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("The database already exists: ") + target, Source);
    const QFileInfo info(target);
    if (!QDir(info.absolutePath()).exists())
        throw NevixError(ErrorNumbers::PathNotFound,
                         QStringLiteral("Path not found: ") + info.absolutePath(), Source);

    // Built under a name of its own, so that no installation ever sees a
    // half-made database under the real name.
    QString building;
    {
        QTemporaryFile file(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                            QStringLiteral(".XXXXXX"));
        if (!file.open())
            throw NevixError(ErrorNumbers::PathFileAccess,
                             QStringLiteral("Path/File access error: ") + file.errorString(), Source);
        file.setAutoRemove(false);
        building = file.fileName();
    }
    try {
        {
            CDataBase db;
            db.SetConnectionParams(building, QStringLiteral("Microsoft.Jet.OLEDB.4.0"), GetDbPassword(), {}, {});
            db.SetIsSingleUserConnection(true);
            CreateTables(db);
            InsertDeliveredRows(db, admin);
            db.Disconnect();
        }
        QFile::setPermissions(building, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadGroup | QFileDevice::WriteGroup);
        QString reason;
        if (!AtomicFile::PutInPlace(building, target, AtomicFile::Placement::NewOnly, &reason))
            throw NevixError(ErrorNumbers::PathFileAccess,
                             QStringLiteral("The database could not be created: ") + target +
                                 QStringLiteral(": ") + reason,
                             Source);
    } catch (...) {
        QFile::remove(building);
        QFile::remove(building + QStringLiteral("-journal"));
        throw;
    }
}

void DatabaseSchema::RemoveUnfinishedDatabases(const QString& path)
{
    const QFileInfo info(ToForwardSlashes(path));
    QDir folder(info.absolutePath());
    const QString stem = QStringLiteral(".") + info.fileName() + QStringLiteral(".??????");
    for (const QString& name : folder.entryList({stem, stem + QStringLiteral("-journal")},
                                                QDir::Files | QDir::Hidden | QDir::System))
        folder.remove(name);
}
