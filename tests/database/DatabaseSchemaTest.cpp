#include "support/DatabaseTest.h"

#include "core/VCipher.h"
#include "database/DatabaseSchema.h"
#include "database/SimpleDBkeyMaker.h"

#include <QDir>
#include <QFile>

namespace {

class DeliveredDatabase : public DatabaseTest {
protected:
    QStringList FilesLeft() const { return QDir(world.Folder()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(DeliveredDatabase, HasEveryTableWithTextColumnsComparingWithoutCase)
{
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), "3.0");
    EXPECT_EQ(Scalar("PRAGMA journal_mode").toString(), "delete");
    for (const TableDefinition& table : DatabaseSchema::Tables()) {
        const QString sql = Scalar("SELECT sql FROM sqlite_schema WHERE type='table' AND name=?",
                                   {table.Name})
                                .toString();
        ASSERT_FALSE(sql.isEmpty()) << table.Name.toStdString();
        for (const ColumnDefinition& column : table.Columns) {
            if (!column.Type.startsWith("TEXT"))
                continue;
            EXPECT_TRUE(sql.contains('[' + column.Name + "] " + column.Type + " COLLATE NOCASE"))
                << (table.Name + '.' + column.Name).toStdString();
        }
    }
}

TEST_F(DeliveredDatabase, KeyCountersSortAsTextInTheOrderDrawn)
{
    EXPECT_EQ(CountRows("TKEYS"), 13);
    EXPECT_EQ(CountRows("TKEYS", "KEYLENGTH <> 11 OR length(PREFIX) <> 1"), 0);
    EXPECT_EQ(CountRows("(SELECT DISTINCT PREFIX FROM TKEYS)"), 13);
    // Keys drawn next never meet the delivered rows.
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U0000000003");
    EXPECT_EQ(db.KeyMaker().GenerateKey("USER_GROUPS"), "G0000000005");
    EXPECT_EQ(db.KeyMaker().GenerateKey("USER_GROUP_LINK"), "K0000000003");
    EXPECT_EQ(db.KeyMaker().GenerateKey("COMMSLOCK"), "C0000000004");
    EXPECT_LT(SimpleDBkeyMaker::FormatKey("L", 11, 9), SimpleDBkeyMaker::FormatKey("L", 11, 2147483647));
}

TEST_F(DeliveredDatabase, GroupsLocksAndSystemParameters)
{
    EXPECT_EQ(Scalar("SELECT group_concat(Name || '=' || Roles, ';') FROM "
                     "(SELECT * FROM USER_GROUPS ORDER BY UGroupId)"),
              QVariant("System Users=SYSADMIN;Administrators=ADMIN;Managers=MGR;Normal Users=CLER"));
    EXPECT_EQ(CountRows("USER_GROUPS", "TmStamp IS NOT NULL"), 0);

    EXPECT_EQ(Scalar("SELECT group_concat(LockType) FROM (SELECT LockType FROM COMMSLOCK WHERE "
                     "LockedBy IS NULL AND ComputerName IS NULL AND LockedOn IS NULL ORDER BY 1)"),
              QVariant("1,2,4"));
    EXPECT_THROW(db.Execute("INSERT INTO COMMSLOCK (ID, LockType) VALUES ('X', 1)"), NevixError);

    EXPECT_EQ(CountRows("System_Parameters"), 1);
    EXPECT_EQ(Scalar("SELECT printf('%s|%s|%s|%s|%s|%s|%s|%s|%s|%s', SysId, VQ3_Control_Reference, "
                     "VQ3_Maintenance_Term, TransLog_Maintenance_Term, DEB_Maintenance_Period, "
                     "RunningInTestMode, SetupComplete, ExportFormat, LastAutoCompactDate IS NULL, "
                     "TmStamp IS NULL) FROM System_Parameters"),
              QVariant("1|0|3|1|Month|1|0|1|1|1"));
}

TEST_F(DeliveredDatabase, TheBuiltInAndTheInitialUsersCanLogOn)
{
    // Name, enabled, may change password, group and its roles.
    const auto user = [this](const char* name) {
        return Scalar("SELECT UserName || '|' || Enabled || CanChangPw || '|' || G.Name || '=' || G.Roles "
                      "FROM USERS U JOIN USER_GROUP_LINK L ON U.UserId = L.UserId "
                      "JOIN USER_GROUPS G ON G.UGroupId = L.UGroupId WHERE UserName=?",
                      {name})
            .toString();
    };
    const auto password = [this](const char* name) {
        return VCipher().Decipher(Scalar("SELECT UPassword FROM USERS WHERE UserName=?", {name}).toString());
    };
    EXPECT_EQ(user("autoexecute"), "AUTOEXECUTE|10|System Users=SYSADMIN");
    EXPECT_EQ(password("autoexecute"), "871RUNAGENT46m2");
    EXPECT_EQ(user("ADMIN"), "ADMIN|11|Administrators=ADMIN");
    EXPECT_EQ(password("ADMIN"), "ADMIN");

    DatabaseSchema::CreateNewDatabase(world.PathOf("Other.MDB"), {"Chief", "Secret1"});
    CDataBase reader;
    ConnectTo(reader, world.PathOf("Other.MDB"));
    RecordSet rs = reader.OpenRecordSet("SELECT UPassword FROM USERS WHERE UserName='chief'");
    ASSERT_TRUE(rs.HasRow());
    EXPECT_EQ(VCipher().Decipher(*rs.Text("UPassword")), "Secret1");
}

TEST_F(DeliveredDatabase, AnExistingFileIsNeverReplacedAndAFailedBuildLeavesNoFile)
{
    db.Execute("INSERT INTO Transmission_Log (LogId) VALUES ('MINE')");
    EXPECT_THROW(DatabaseSchema::CreateNewDatabase(path), NevixError);
    EXPECT_EQ(CountRows("Transmission_Log"), 1);
    EXPECT_THROW(DatabaseSchema::CreateNewDatabase(world.PathOf("no/such/folder/x.mdb")), NevixError);
    // A cipher that cannot take the password stops the build half way.
    EXPECT_THROW(DatabaseSchema::CreateNewDatabase(world.PathOf("Bad.MDB"), {"Chief", "Caf\u00e9"}),
                 NevixError);
    EXPECT_EQ(FilesLeft(), QStringList{"Nevix.MDB"});
}

} // namespace

namespace {

// Nothing runs until an operator sets a schedule.
TEST_F(DeliveredDatabase, HoldsTheFiveScheduleRowsSetToNever)
{
    EXPECT_EQ(Scalar("SELECT group_concat(ScheduleID, ',') FROM (SELECT ScheduleID FROM SCHEDULER "
                     "WHERE RunAtID=1 AND DaysToRun='0000000' AND Every15Mins=0 AND Every30Mins=0 AND "
                     "Every60Mins=0 AND FirstTime='00:00' AND LastTime IS NULL AND NextRunDateTime IS NULL "
                     "AND LastRunDateTime IS NULL AND TmStamp IS NULL ORDER BY ScheduleID)"),
              QVariant("HCOMIM,HCOMMS,HEXCIM,HEXCOM,HMAINT"));
    EXPECT_EQ(CountRows("SCHEDULER"), 5);
    QStringList columns;
    for (const ColumnDefinition& column : DatabaseSchema::Table("scheduler").Columns)
        columns << column.Name + ' ' + column.Type;
    EXPECT_EQ(columns.join(','), "ScheduleID TEXT(20),NextRunDateTime DATETIME,LastRunDateTime DATETIME,"
                                 "RunAtID Long,DaysToRun TEXT(7),Every15Mins Bit,Every30Mins Bit,"
                                 "Every60Mins Bit,FirstTime TEXT(5),LastTime TEXT(5),TmStamp TEXT(20)");
    EXPECT_EQ(db.KeyMaker().GenerateKey("SCHEDULER"), "S0000000001");
}

} // namespace
