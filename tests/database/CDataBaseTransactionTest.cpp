#include "support/DatabaseTest.h"

#include "database/SqliteError.h"

namespace {

using Transactions = DatabaseTest;

const QString InsertLine = QStringLiteral(
    "INSERT INTO Transmission_Log (LogId, Event_Text) VALUES (?, 'line')");

TEST_F(Transactions, InnerRollbackDoomsTheOuterCommitWhichRaises)
{
    db.BeginTrans();
    db.BeginTrans();
    db.Execute(InsertLine, {QStringLiteral("L1")});
    EXPECT_EQ(db.TransactionCount(), 2);
    db.Rollback();
    EXPECT_EQ(db.TransactionCount(), 1);
    try {
        db.CommitTrans();
        FAIL() << "a doomed commit must not report success";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::TransactionRolledBack);
    }
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_FALSE(db.IsInTransaction());
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 0);
    // The mark is gone: the next transaction commits.
    db.BeginTrans();
    db.Execute(InsertLine, {QStringLiteral("L2")});
    db.CommitTrans();
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 1);
}

TEST_F(Transactions, OnlyTheOutermostCommitReachesTheDatabase)
{
    db.BeginTrans();
    db.BeginTrans();
    db.Execute(InsertLine, {QStringLiteral("L1")});
    db.CommitTrans();
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 0);
    db.CommitTrans();
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 1);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(Transactions, OutermostRollbackRaisesNothingAndWritesNothing)
{
    db.BeginTrans();
    db.Execute(InsertLine, {QStringLiteral("L1")});
    db.Rollback();
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 0);
}

TEST_F(Transactions, EndingALevelAtDepthZeroDoesNothing)
{
    db.CommitTrans();
    db.Rollback(); // must not doom the next transaction
    db.RollbackAll();
    EXPECT_EQ(db.TransactionCount(), 0);
    db.BeginTrans();
    db.Execute(InsertLine, {QStringLiteral("L1")});
    db.CommitTrans();
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 1);
}

TEST_F(Transactions, RollbackAllUndoesEveryLevel)
{
    db.BeginTrans();
    db.BeginTrans();
    db.BeginTrans();
    db.Execute(InsertLine, {QStringLiteral("L1")});
    db.RollbackAll();
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 0);
}

TEST_F(Transactions, AFailingStatementAtDepthZeroLeavesNoLevel)
{
    EXPECT_THROW(db.Execute(QStringLiteral("INSERT INTO NoSuchTable VALUES (1)")), NevixError);
    EXPECT_THROW(db.ExecuteUpdate(QStringLiteral("UPDATE NoSuchTable SET A=1")), NevixError);
    EXPECT_THROW(db.OpenRecordSet(QStringLiteral("SELECT * FROM NoSuchTable")), NevixError);
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_FALSE(db.Connected());
    db.Execute(InsertLine, {QStringLiteral("L1")}); // committed on its own
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 1);
}

TEST_F(Transactions, AFailingStatementInsideKeepsTheTransactionAndItsOtherWork)
{
    db.BeginTrans();
    db.Execute(InsertLine, {QStringLiteral("L1")});
    try {
        db.Execute(InsertLine, {QStringLiteral("L1")}); // the key is taken
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(SqlitePrimaryCode(e), 19); // a constraint
        EXPECT_GT(SqliteExtendedCode(e), 19);
        EXPECT_EQ(e.Source(), QStringLiteral("CDataBase.Execute"));
    }
    EXPECT_EQ(db.TransactionCount(), 1);
    db.Execute(InsertLine, {QStringLiteral("L2")});
    db.CommitTrans();
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 2);
}

TEST_F(Transactions, ExecuteUpdateCountsTheRowsChanged)
{
    db.Execute(InsertLine, {QStringLiteral("L1")});
    db.Execute(InsertLine, {QStringLiteral("L2")});
    EXPECT_EQ(db.ExecuteUpdate(QStringLiteral("UPDATE Transmission_Log SET Run_Number=7")), 2);
    EXPECT_EQ(db.ExecuteUpdate(QStringLiteral("DELETE FROM Transmission_Log WHERE LogId='none'")), 0);
}

TEST_F(Transactions, SharedModeIsOpenExactlyWhileALevelIsHeld)
{
    EXPECT_FALSE(db.Connected());
    db.BeginTrans();
    EXPECT_TRUE(db.Connected());
    db.CommitTrans();
    EXPECT_FALSE(db.Connected());

    db.SetIsSingleUserConnection(true);
    db.BeginTrans();
    db.CommitTrans();
    EXPECT_TRUE(db.Connected());
    db.Disconnect();
    EXPECT_FALSE(db.Connected());
}

TEST_F(Transactions, DisconnectRollsBackAnOpenTransaction)
{
    db.BeginTrans();
    db.Execute(InsertLine, {QStringLiteral("L1")});
    db.Disconnect();
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 0);
}

TEST_F(Transactions, RecordSetsReleaseTheirLevelWhenTheyGo)
{
    {
        RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT * FROM TKEYS"));
        EXPECT_EQ(db.TransactionCount(), 1);
    }
    EXPECT_EQ(db.TransactionCount(), 0);
    try {
        RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT * FROM TKEYS"));
        rs.Field(QStringLiteral("NoSuchField"));
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::ItemNotFound);
    }
    EXPECT_EQ(db.TransactionCount(), 0);

    RecordSet none;
    db.CloseRecordSet(none);
    EXPECT_EQ(db.TransactionCount(), 0);
    RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT * FROM TKEYS"));
    db.CloseRecordSet(rs);
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(Transactions, AStaleRecordSetDoesNotEndALaterTransaction)
{
    RecordSet stale = db.OpenRecordSet(QStringLiteral("SELECT * FROM TKEYS"));
    db.RollbackAll();
    db.BeginTrans();
    db.Execute(InsertLine, {QStringLiteral("L1")});
    stale.Close();
    EXPECT_EQ(db.TransactionCount(), 1);
    db.CommitTrans();
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 1);
}

TEST_F(Transactions, RecordSetReadsFieldsByNameWithNullAsNoValue)
{
    db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId, Time_Of_Event, Run_Number, "
                              "Event_Text) VALUES (?,?,?,NULL)"),
               {QStringLiteral("L1"), QDateTime(QDate(2024, 1, 31), QTime(14, 5, 9)), 42});
    RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT * FROM Transmission_Log"));
    ASSERT_TRUE(rs.HasRow());
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Text(QStringLiteral("logid")), QStringLiteral("L1"));
    EXPECT_EQ(rs.Long(QStringLiteral("Run_Number")), 42);
    EXPECT_EQ(rs.DateTime(QStringLiteral("Time_Of_Event")),
              QDateTime(QDate(2024, 1, 31), QTime(14, 5, 9)));
    EXPECT_TRUE(rs.IsNull(QStringLiteral("Event_Text")));
    EXPECT_FALSE(rs.Text(QStringLiteral("Event_Text")).has_value());
    EXPECT_FALSE(rs.Field(QStringLiteral("Event_Code")).isValid());
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    try {
        rs.Field(QStringLiteral("LogId"));
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::NoCurrentRecord);
    }
    EXPECT_EQ(Scalar(QStringLiteral("SELECT Time_Of_Event FROM Transmission_Log")).toDateTime(),
              QDateTime(QDate(2024, 1, 31), QTime(14, 5, 9)));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT typeof(Time_Of_Event) || Time_Of_Event FROM "
                                    "Transmission_Log")).toString(),
              QStringLiteral("text2024-01-31 14:05:09"));
}

TEST_F(Transactions, AnEmptyResultIsAtBothEnds)
{
    RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT * FROM Transmission_Log"));
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_FALSE(rs.HasRow());
}

TEST_F(Transactions, BooleansAreStoredAsOneAndZeroAndReadAsBool)
{
    db.Execute(QStringLiteral("UPDATE System_Parameters SET SetupComplete=?, LegacyExport=?"),
               {true, false});
    EXPECT_EQ(Scalar(QStringLiteral("SELECT SetupComplete + 0 FROM System_Parameters")).toInt(), 1);
    RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT * FROM System_Parameters"));
    EXPECT_EQ(rs.Field(QStringLiteral("SetupComplete")).typeId(), QMetaType::Bool);
    EXPECT_EQ(rs.Bool(QStringLiteral("SetupComplete")), true);
    EXPECT_EQ(rs.Bool(QStringLiteral("LegacyExport")), false);
}

TEST_F(Transactions, SchemaVersionIsReadAndWritten)
{
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), QStringLiteral("3.0"));
    db.UpdateDatabaseSchemaVersion(QStringLiteral("1.2'1"));
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), QStringLiteral("1.2'1"));
    db.Execute(QStringLiteral("DELETE FROM DBVERSION"));
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), QString());
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(Transactions, ConnectOpensTheFileAndAChangeOfSourceWaitsForDisconnect)
{
    db.Connect();
    EXPECT_TRUE(db.Connected());
    EXPECT_EQ(db.TransactionCount(), 0);
    db.SetSource(world.PathOf(QStringLiteral("Missing.MDB")));
    db.Execute(InsertLine, {QStringLiteral("L1")}); // still the file it was made for
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 1);
    db.Disconnect();
    EXPECT_THROW(db.Connect(), NevixError);
    EXPECT_FALSE(db.Connected());
}

TEST_F(Transactions, AMissingFileIsReportedAndNotCreated)
{
    CDataBase missing;
    ConnectTo(missing, world.PathOf(QStringLiteral("Missing.MDB")));
    try {
        missing.BeginTrans();
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Source(), QStringLiteral("OpenMyConnection"));
    }
    EXPECT_EQ(missing.TransactionCount(), 0);
    EXPECT_FALSE(QFile::exists(world.PathOf(QStringLiteral("Missing.MDB"))));
}

} // namespace
