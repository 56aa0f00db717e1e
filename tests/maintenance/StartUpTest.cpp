#include "OldSchema.h"

#include "support/DatabaseTest.h"
#include "support/FileBytes.h"

#include "core/ApplicationSettings.h"
#include "core/TextLogFile.h"
#include "database/DatabaseSchema.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/SqliteConnection.h"
#include "maintenance/EnquirerRequest.h"
#include "maintenance/MainProcess.h"

#include <QRegularExpression>

namespace {

class StartUp : public ::testing::Test {
protected:
    StartUp()
    {
        upgradeLog.SetDatedPathAndName(world.Folder(), QStringLiteral("NevixUpgradeLog3.01"));
        QObject::connect(&upgradeLog, &TextLogFile::MessageWritten, &upgradeLog,
                         [this](const QString&, const QString&, const QString& line) { lines << line; });
    }
    ~StartUp() override
    {
        ReleaseGlobalDatabase();
        SetEnquirerRequestRunner({});
    }
    void Start()
    {
        InitialiseDatabaseAndDoAnyChanges(upgradeLog);
        ReleaseGlobalDatabase();
    }
    QVariant Value(const QString& sql) const
    {
        CDataBase db;
        ConnectTo(db, path);
        RecordSet rs = db.OpenRecordSet(sql);
        return rs.HasRow() ? rs.Field(0) : QVariant();
    }
    void Exec(const QString& sql, const SqlValues& values = {}) const
    {
        CDataBase db;
        ConnectTo(db, path);
        db.Execute(sql, values);
    }
    QString LastCompacted() const
    {
        return Value(QStringLiteral("SELECT date(LastAutoCompactDate) FROM System_Parameters")).toString();
    }

    TestWorld world;
    QString path = world.PathOf(QStringLiteral("Nevix.MDB"));
    TextLogFile upgradeLog;
    QStringList lines;
};

struct UpgradeCase {
    const char* name;
    const char* version;
    const char* steps; // as the log names them
};

class Upgrade : public StartUp, public ::testing::WithParamInterface<UpgradeCase> {};

TEST_P(Upgrade, ReachesTheCurrentSchemaInOneGoAndCompacts)
{
    const QString fresh = world.PathOf(QStringLiteral("Fresh.MDB"));
    DatabaseSchema::CreateNewDatabase(fresh);
    CreateDatabaseAtSchema(path, QLatin1String(GetParam().version));
    Start();
    EXPECT_EQ(SchemaOf(path), SchemaOf(fresh));
    EXPECT_EQ(Value(QStringLiteral("SELECT SCHEMAID FROM DBVERSION")), QStringLiteral("3.0"));
    EXPECT_EQ(LastCompacted(), QStringLiteral("2024-03-15"));
    QStringList steps;
    static const QRegularExpression step(QStringLiteral("^Upgrading schema to (V[\\d.]+)"));
    for (const QString& line : std::as_const(lines)) {
        if (const QString name = step.match(line).captured(1); !name.isEmpty() && !steps.contains(name))
            steps << name;
    }
    EXPECT_EQ(steps.join(u' '), QLatin1String(GetParam().steps));
    EXPECT_EQ(lines.value(0), QStringLiteral("Updating schema to 3.0"));
    EXPECT_EQ(lines.value(lines.size() - 1), QStringLiteral("Upgrade to schema version 3.0 completed"));
    // The enquirers cannot be fetched yet: the user is told, and the upgrade goes on.
    const bool fetched = steps.contains(QStringLiteral("V1.10"));
    EXPECT_EQ(world.ui().boxes.size(), fetched ? 1 : 0);
    EXPECT_EQ(lines.contains(QStringLiteral("User notified of not being able to connect")), fetched);
}

INSTANTIATE_TEST_SUITE_P(Versions, Upgrade,
                         ::testing::Values(UpgradeCase{"From_1_0", "1.0", "V1.10 V1.20 V1.21 V3.00"},
                                           UpgradeCase{"From_1_2", "1.2", "V1.21 V3.00"},
                                           UpgradeCase{"From_1_21", "1.21", "V3.00"},
                                           UpgradeCase{"Empty_version_reads_as_0", "", "V1.10 V1.20 V1.21 V3.00"},
                                           UpgradeCase{"Version_3_00_is_relabelled", "3.00", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUp, EnquirersFetchedDuringTheUpgradeGoToTheSystemGroups)
{
    CreateDatabaseAtSchema(path, QStringLiteral("1.0"));
    SetEnquirerRequestRunner([](LogLines& logger, const QString& userName) {
        logger.DataSource()->Execute(QStringLiteral("INSERT INTO ENQUIRER (EnquirerId, IsDefault) VALUES (?, 0)"),
                                     {userName.left(2) + QStringLiteral("123")});
        return true;
    });
    Start();
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_TRUE(lines.join(u'|').contains(QStringLiteral(
        "result of OK is True|Adjusting For New Enquirers|Applying New Enquirers|Upgrade complete")));
    EXPECT_EQ(Value(QStringLiteral("SELECT EnquirerId || IsDefault FROM ENQUIRER")), QStringLiteral("AU1231"));
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM USER_ENQUIRER_LINK")).toInt(), 2); // ADMIN, AUTOEXECUTE
}

struct RefusalCase {
    const char* name;
    const char* version; // none: no file
    const char* box;     // "": none here (start-up shows the error)
    const char* change;  // made to the file before the start
};

class Refusal : public StartUp, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, StopsStartUpAndLeavesTheFileAsItWas)
{
    const RefusalCase& c = GetParam();
    if (c.version)
        CreateDatabaseAtSchema(path, QLatin1String(c.version));
    if (*c.change)
        Exec(QLatin1String(c.change));
    const bool damaged = QLatin1String(c.name) == QLatin1String("Damaged_file_to_repair");
    if (damaged) {
        WriteBytes(path, ReadBytes(path).replace(4096 * 3, 4096, QByteArray(4096, 'Z')));
        Settings().SetForceRepair(true);
    }
    const QByteArray before = ReadBytes(path);
    EXPECT_THROW(Start(), NevixError);
    ReleaseGlobalDatabase();
    EXPECT_EQ(ReadBytes(path), before);
    ASSERT_EQ(world.ui().boxes.size(), *c.box ? 1 : 0);
    if (*c.box) {
        EXPECT_TRUE(world.ui().boxes[0].text.startsWith(QLatin1String(c.box))) << world.ui().boxes[0].text.toStdString();
        EXPECT_TRUE(world.ui().boxes[0].text.contains(path));
        EXPECT_EQ(world.ui().boxes[0].style & MsgBox::IconMask, MsgBox::Critical);
    }
    EXPECT_EQ(Settings().ForceRepair(), damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Refusal,
    ::testing::Values(RefusalCase{"Missing_file", nullptr, "Could not find the database:\r", ""},
                      RefusalCase{"Newer_schema", "4.0", "This database belongs to a newer version of Nevix:\r", ""},
                      // The last step meets a column that is already there.
                      RefusalCase{"Failing_step", "1.21", "Unable to complete database initialisation because:\r",
                                  "ALTER TABLE System_Parameters ADD COLUMN ExportFileFormat TEXT"},
                      RefusalCase{"Damaged_file_to_repair", "3.0", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Start-up ends here: the box says so and names the file.
TEST_F(StartUp, AFileThatIsNoDatabaseStopsStartUpWithACriticalBox)
{
    WriteBytes(path, QByteArray(8192, 'x'));
    EXPECT_THROW(Start(), NevixError);
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text, QStringLiteral("Unable to complete database initialisation because:\r"
                                                       "The database ") +
                                            path + QStringLiteral(":\r\nfile is not a database"));
    EXPECT_EQ(world.ui().boxes[0].style & MsgBox::IconMask, MsgBox::Critical);
}

TEST_F(StartUp, AClientOnlyConnectsAndAStandaloneInstallationKeepsItsConnection)
{
    CreateDatabaseAtSchema(path, QStringLiteral("1.21"));
    Settings().SetProgramInstallMode(InstallMode::Client);
    Settings().SetForceRepair(true);
    const QByteArray before = ReadBytes(path);
    InitialiseDatabaseAndDoAnyChanges(upgradeLog);
    EXPECT_EQ(GlobalDatabase().Source(), path);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z]{7}$")).match(GlobalDatabase().DbPassword()).hasMatch());
    EXPECT_FALSE(GlobalDatabase().IsSingleUserConnection());
    ReleaseGlobalDatabase();
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_TRUE(lines.isEmpty());

    Settings().SetProgramInstallMode(InstallMode::Standalone);
    InitialiseDatabaseAndDoAnyChanges(upgradeLog);
    EXPECT_TRUE(GlobalDatabase().IsSingleUserConnection());
    EXPECT_EQ(lines.value(0), QStringLiteral("Updating schema to 3.0"));
    ReleaseGlobalDatabase();
    ReleaseSettings();
    Settings().Load();
    EXPECT_FALSE(Settings().ForceRepair()); // repaired once
}

struct ScheduleCase {
    const char* name;
    const char* change; // what an earlier build's database lacks
};

class ScheduleRows : public StartUp, public ::testing::WithParamInterface<ScheduleCase> {};

TEST_P(ScheduleRows, AreAddedAtTheOpenAndRowsThereAreLeftAlone)
{
    DatabaseSchema::CreateNewDatabase(path);
    Exec(QStringLiteral("UPDATE SCHEDULER SET RunAtID=2, DaysToRun='1111100', FirstTime='08:00', "
                        "TmStamp='20240314:100.5' WHERE ScheduleID IN ('HCOMMS','HEXCIM')"));
    Exec(QLatin1String(GetParam().change));
    Start();
    EXPECT_EQ(Value(QStringLiteral("SELECT group_concat(ScheduleID || ':' || RunAtID || DaysToRun || FirstTime || "
                                   "ifnull(TmStamp, '-'), ' ') FROM (SELECT * FROM SCHEDULER ORDER BY ScheduleID)")),
              QLatin1String(GetParam().name) == QLatin1String("Table_dropped")
                  ? QStringLiteral("HCOMIM:1000000000:00- HCOMMS:1000000000:00- HEXCIM:1000000000:00- "
                                   "HEXCOM:1000000000:00- HMAINT:1000000000:00-")
                  : QStringLiteral("HCOMIM:1000000000:00- HCOMMS:2111110008:0020240314:100.5 "
                                   "HEXCIM:2111110008:0020240314:100.5 HEXCOM:1000000000:00- "
                                   "HMAINT:1000000000:00-"));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(EarlierBuilds, ScheduleRows,
                         ::testing::Values(ScheduleCase{"Table_dropped", "DROP TABLE SCHEDULER"},
                                           ScheduleCase{"Row_deleted", "DELETE FROM SCHEDULER WHERE ScheduleID='HMAINT'"},
                                           ScheduleCase{"Nothing_missing", "SELECT 1"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DailyCase {
    const char* name;
    bool maintenance;
    bool compaction;
    int lastDaysAgo; // -1: never
    bool due;
};

class Daily : public StartUp, public ::testing::WithParamInterface<DailyCase> {};

TEST_P(Daily, WorkRunsAtTheFirstStartOfTheDay)
{
    const DailyCase& c = GetParam();
    const QDate last = c.lastDaysAgo < 0 ? QDate() : QDate(2024, 3, 15).addDays(-c.lastDaysAgo);
    DatabaseSchema::CreateNewDatabase(path);
    Exec(QStringLiteral("UPDATE System_Parameters SET AutoMaintenanceAtStartUp=?, AutoCompactAtStartUp=?, "
                        "LastAutoCompactDate=?"),
         {c.maintenance, c.compaction, last.isValid() ? QVariant(last) : QVariant()});
    Start();
    EXPECT_EQ(LastCompacted(), c.due ? QStringLiteral("2024-03-15") : last.toString(Qt::ISODate));
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM Transmission_Log WHERE ProcessCode='TBLMAINT' AND "
                                   "Event_Code=8 AND UserName='AUTOEXECUTE'")).toInt(),
              c.due && c.maintenance ? 1 : 0);
    EXPECT_TRUE(lines.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Settings, Daily,
                         ::testing::Values(DailyCase{"Nothing_asked", false, false, -1, false},
                                           DailyCase{"Compaction_after_yesterday", false, true, 1, true},
                                           DailyCase{"Maintenance_at_the_first_start", true, false, -1, true},
                                           DailyCase{"Done_already_today", true, true, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUp, AFailedCompactionIsAWarningAndIsTriedAgainLater)
{
    DatabaseSchema::CreateNewDatabase(path);
    CDataBase db;
    ConnectTo(db, path);
    db.SetBusyRetry(2, 1);
    db.Execute(QStringLiteral("UPDATE System_Parameters SET AutoCompactAtStartUp=1"));
    auto other = SqliteConnection::Open(path); // another installation reading
    ASSERT_EQ(other->TryExec("BEGIN; SELECT * FROM TKEYS;"), 0);
    upgradeLog.OpenLogFile();
    EXPECT_NO_THROW(DoStartUpMaintenance(db, false, upgradeLog));
    other->TryExec("COMMIT");
    EXPECT_TRUE(lines.value(0).startsWith(QStringLiteral("Compacting the database failed: ")));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_EQ(LastCompacted(), QString());
}

} // namespace
