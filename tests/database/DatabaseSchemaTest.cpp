#include "support/DatabaseTest.h"

#include "core/VCipher.h"
#include "database/DatabaseSchema.h"
#include "database/SimpleDBkeyMaker.h"

#include <QDir>
#include <QFile>

namespace {

using DeliveredDatabase = DatabaseTest;

TEST_F(DeliveredDatabase, HasEveryTableAtTheCurrentSchemaVersion)
{
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), QStringLiteral("3.0"));
    for (const TableDefinition& table : DatabaseSchema::Tables()) {
        EXPECT_EQ(CountRows(QStringLiteral("sqlite_schema"),
                            QStringLiteral("type='table' AND name='") + table.Name + QLatin1Char('\'')),
                  1)
            << table.Name.toStdString();
    }
    EXPECT_EQ(Scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
}

TEST_F(DeliveredDatabase, EveryTextColumnComparesWithoutCase)
{
    for (const TableDefinition& table : DatabaseSchema::Tables()) {
        const QString sql = Scalar(QStringLiteral("SELECT sql FROM sqlite_schema WHERE name=?"),
                                   {table.Name}).toString();
        for (const ColumnDefinition& column : table.Columns) {
            if (!column.Type.startsWith(QStringLiteral("TEXT")))
                continue;
            EXPECT_TRUE(sql.contains(QLatin1Char('[') + column.Name + QStringLiteral("] ") +
                                     column.Type + QStringLiteral(" COLLATE NOCASE")))
                << (table.Name + QLatin1Char('.') + column.Name).toStdString();
        }
    }
}

TEST_F(DeliveredDatabase, KeyCountersSortAsTextInTheOrderDrawn)
{
    EXPECT_EQ(CountRows(QStringLiteral("TKEYS")), 13);
    EXPECT_EQ(CountRows(QStringLiteral("TKEYS"), QStringLiteral("KEYLENGTH <> 11 OR length(PREFIX) <> 1")), 0);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT PREFIX FROM TKEYS WHERE TABLENAME='Transmission_Log'")).toString(),
              QStringLiteral("L"));
    EXPECT_EQ(CountRows(QStringLiteral("(SELECT DISTINCT PREFIX FROM TKEYS)")), 13);
    // Keys drawn next never meet the delivered rows.
    EXPECT_EQ(db.KeyMaker().GenerateKey(QStringLiteral("USERS")), QStringLiteral("U0000000003"));
    EXPECT_EQ(db.KeyMaker().GenerateKey(QStringLiteral("USER_GROUPS")), QStringLiteral("G0000000005"));
    EXPECT_EQ(db.KeyMaker().GenerateKey(QStringLiteral("USER_GROUP_LINK")), QStringLiteral("K0000000003"));
    EXPECT_EQ(db.KeyMaker().GenerateKey(QStringLiteral("COMMSLOCK")), QStringLiteral("C0000000004"));
    EXPECT_LT(SimpleDBkeyMaker::FormatKey(QStringLiteral("L"), 11, 9),
              SimpleDBkeyMaker::FormatKey(QStringLiteral("L"), 11, 2147483647));
}

TEST_F(DeliveredDatabase, GroupsCarryTheirRoles)
{
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(Name || '=' || Roles, ';') FROM "
                                    "(SELECT * FROM USER_GROUPS ORDER BY UGroupId)")).toString(),
              QStringLiteral("System Users=SYSADMIN;Administrators=ADMIN;Managers=MGR;Normal Users=CLER"));
    EXPECT_EQ(CountRows(QStringLiteral("USER_GROUPS"), QStringLiteral("TmStamp IS NOT NULL")), 0);
}

TEST_F(DeliveredDatabase, TheBuiltInAndTheInitialUsersCanLogOn)
{
    const VCipher cipher;
    RecordSet rs = db.OpenRecordSet(
        QStringLiteral("SELECT USERS.*, USER_GROUPS.Roles FROM USERS INNER JOIN USER_GROUP_LINK ON "
                       "USERS.UserId = USER_GROUP_LINK.UserId INNER JOIN USER_GROUPS ON "
                       "USER_GROUPS.UGroupId = USER_GROUP_LINK.UGroupId WHERE UserName=?"),
        {QStringLiteral("autoexecute")});
    ASSERT_TRUE(rs.HasRow());
    EXPECT_EQ(rs.Text(QStringLiteral("UserName")), QStringLiteral("AUTOEXECUTE"));
    EXPECT_EQ(cipher.Decipher(*rs.Text(QStringLiteral("UPassword"))), QStringLiteral("871RUNAGENT46m2"));
    EXPECT_EQ(rs.Bool(QStringLiteral("Enabled")), true);
    EXPECT_EQ(rs.Text(QStringLiteral("Roles")), QStringLiteral("SYSADMIN"));
    rs.Close();

    rs = db.OpenRecordSet(
        QStringLiteral("SELECT USERS.*, USER_GROUPS.Name AS GroupName FROM USERS INNER JOIN "
                       "USER_GROUP_LINK ON USERS.UserId = USER_GROUP_LINK.UserId INNER JOIN "
                       "USER_GROUPS ON USER_GROUPS.UGroupId = USER_GROUP_LINK.UGroupId WHERE UserName='ADMIN'"));
    ASSERT_TRUE(rs.HasRow());
    EXPECT_EQ(cipher.Decipher(*rs.Text(QStringLiteral("UPassword"))), QStringLiteral("ADMIN"));
    EXPECT_EQ(rs.Text(QStringLiteral("GroupName")), QStringLiteral("Administrators"));
    EXPECT_EQ(rs.Bool(QStringLiteral("Enabled")), true);
    EXPECT_EQ(rs.Bool(QStringLiteral("CanChangPw")), true);
}

TEST_F(DeliveredDatabase, EachLockTypeHasOneFreeRow)
{
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(LockType) FROM (SELECT LockType FROM COMMSLOCK "
                                    "WHERE LockedBy IS NULL AND ComputerName IS NULL AND LockedOn IS NULL "
                                    "ORDER BY LockType)")).toString(),
              QStringLiteral("1,2,4"));
    EXPECT_THROW(db.Execute(QStringLiteral("INSERT INTO COMMSLOCK (ID, LockType) VALUES ('X', 1)")),
                 NevixError);
}

TEST_F(DeliveredDatabase, TheSystemParametersRowHoldsTheDefaults)
{
    RecordSet rs = db.OpenRecordSet(QStringLiteral("select * from system_parameters"));
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Text(QStringLiteral("SysId")), QStringLiteral("1"));
    EXPECT_EQ(rs.Long(QStringLiteral("VQ3_Control_Reference")), 0);
    EXPECT_EQ(rs.Short(QStringLiteral("VQ3_Maintenance_Term")), 3);
    EXPECT_EQ(rs.Short(QStringLiteral("TransLog_Maintenance_Term")), 1);
    EXPECT_EQ(rs.Text(QStringLiteral("DEB_Maintenance_Period")), QStringLiteral("Month"));
    EXPECT_EQ(rs.Bool(QStringLiteral("RunningInTestMode")), true);
    EXPECT_EQ(rs.Bool(QStringLiteral("SetupComplete")), false);
    EXPECT_EQ(rs.Short(QStringLiteral("ExportFormat")), 1);
    EXPECT_FALSE(rs.DateTime(QStringLiteral("LastAutoCompactDate")).has_value());
    EXPECT_FALSE(rs.Text(QStringLiteral("TmStamp")).has_value());
}

TEST_F(DeliveredDatabase, AnotherAdministratorCanBeChosen)
{
    const QString other = world.PathOf(QStringLiteral("Other.MDB"));
    DatabaseSchema::CreateNewDatabase(other, {QStringLiteral("Chief"), QStringLiteral("Secret1")});
    CDataBase reader;
    ConnectTo(reader, other);
    RecordSet rs = reader.OpenRecordSet(QStringLiteral("SELECT UPassword FROM USERS WHERE UserName='chief'"));
    ASSERT_TRUE(rs.HasRow());
    EXPECT_EQ(VCipher().Decipher(*rs.Text(QStringLiteral("UPassword"))), QStringLiteral("Secret1"));
}

TEST_F(DeliveredDatabase, AnExistingFileIsNeverReplaced)
{
    db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId) VALUES ('MINE')"));
    EXPECT_THROW(DatabaseSchema::CreateNewDatabase(path), NevixError);
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 1);
    EXPECT_THROW(DatabaseSchema::CreateNewDatabase(world.PathOf(QStringLiteral("no/such/folder/x.mdb"))),
                 NevixError);
    EXPECT_EQ(QDir(world.Folder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Nevix.MDB")});
}

TEST_F(DeliveredDatabase, AFailedBuildLeavesNoFile)
{
    const QString bad = world.PathOf(QStringLiteral("Bad.MDB"));
    // A cipher that cannot take the password stops the build half way.
    EXPECT_THROW(DatabaseSchema::CreateNewDatabase(bad, {QStringLiteral("Chief"), QStringLiteral("Caf\u00e9")}),
                 NevixError);
    EXPECT_FALSE(QFile::exists(bad));
    EXPECT_EQ(QDir(world.Folder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Nevix.MDB")});
}

} // namespace
