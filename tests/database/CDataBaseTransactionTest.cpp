#include "support/DatabaseTest.h"

#include "database/SqliteError.h"

namespace {

class Transactions : public DatabaseTest {
protected:
    void Insert(const char* id)
    {
        db.Execute("INSERT INTO Transmission_Log (LogId, Event_Text) VALUES (?, 'line')", {id});
    }
    int64_t Lines() const { return CountRows("Transmission_Log"); }
};

TEST_F(Transactions, OnlyTheOutermostCommitCountsAndAnInnerRollbackDoomsIt)
{
    db.BeginTrans();
    db.BeginTrans();
    Insert("L1");
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
    EXPECT_EQ(Lines(), 0);
    // The mark is gone: the next transaction commits.
    db.BeginTrans();
    Insert("L2");
    db.CommitTrans();
    EXPECT_EQ(Lines(), 1);

    db.BeginTrans();
    db.BeginTrans();
    Insert("L3");
    db.CommitTrans();
    EXPECT_EQ(Lines(), 1) << "only the outermost commit reaches the file";
    db.CommitTrans();
    EXPECT_EQ(Lines(), 2);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(Transactions, RollbackAtEveryDepth)
{
    db.BeginTrans();
    Insert("L1");
    db.Rollback(); // the outermost: raises nothing
    EXPECT_EQ(db.TransactionCount(), 0);

    for (int i = 0; i < 3; ++i)
        db.BeginTrans();
    Insert("L2");
    db.RollbackAll();
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_EQ(Lines(), 0);

    // At depth 0 nothing happens, and the next transaction is not doomed.
    db.CommitTrans();
    db.Rollback();
    db.RollbackAll();
    EXPECT_EQ(db.TransactionCount(), 0);
    db.BeginTrans();
    Insert("L3");
    db.CommitTrans();
    EXPECT_EQ(Lines(), 1);
}

TEST_F(Transactions, AFailingStatementAtDepthZeroLeavesNoLevel)
{
    EXPECT_THROW(db.Execute("INSERT INTO NoSuchTable VALUES (1)"), NevixError);
    EXPECT_THROW(db.ExecuteUpdate("UPDATE NoSuchTable SET A=1"), NevixError);
    EXPECT_THROW(db.OpenRecordSet("SELECT * FROM NoSuchTable"), NevixError);
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_FALSE(db.Connected());
    Insert("L1"); // committed on its own
    EXPECT_EQ(Lines(), 1);
}

TEST_F(Transactions, AFailingStatementInsideKeepsTheTransactionAndItsOtherWork)
{
    db.BeginTrans();
    Insert("L1");
    try {
        Insert("L1"); // the key is taken
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(SqlitePrimaryCode(e), 19); // a constraint
        EXPECT_GT(SqliteExtendedCode(e), 19);
        EXPECT_EQ(e.Source(), QStringLiteral("CDataBase.Execute"));
    }
    EXPECT_EQ(db.TransactionCount(), 1);
    Insert("L2");
    db.CommitTrans();
    EXPECT_EQ(Lines(), 2);
    EXPECT_EQ(db.ExecuteUpdate("UPDATE Transmission_Log SET Run_Number=7"), 2);
    EXPECT_EQ(db.ExecuteUpdate("DELETE FROM Transmission_Log WHERE LogId='none'"), 0);
}

TEST_F(Transactions, SharedModeStaysOpenWhileIdleAndAnotherInstallationWritesMeanwhile)
{
    EXPECT_FALSE(db.Connected());
    Insert("L1");
    EXPECT_TRUE(db.Connected());
    RecordSet first = db.OpenRecordSet("SELECT COUNT(*) FROM Transmission_Log");
    EXPECT_EQ(first.Field(0).toInt(), 1);
    first.Close();
    EXPECT_TRUE(db.Connected());

    // Refused at once if the idle connection still held any lock.
    const std::unique_ptr<CDataBase> other = Other();
    other->SetBusyRetry(1, 0);
    other->Execute("INSERT INTO Transmission_Log (LogId, Event_Text) VALUES ('L2', 'line')");

    RecordSet second = db.OpenRecordSet("SELECT COUNT(*) FROM Transmission_Log");
    EXPECT_EQ(second.Field(0).toInt(), 2);
    second.Close();
    EXPECT_TRUE(db.Connected());

    // A level that was rolled back leaves the file closed.
    db.BeginTrans();
    db.Rollback();
    EXPECT_FALSE(db.Connected());
}

TEST_F(Transactions, SingleUserModeStaysOpenUntilDisconnected)
{
    db.SetIsSingleUserConnection(true);
    db.BeginTrans();
    Insert("L1");
    db.CommitTrans();
    EXPECT_TRUE(db.Connected());
    db.BeginTrans();
    Insert("L2");
    db.Disconnect(); // rolls back the open transaction
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_EQ(Lines(), 1);
}

TEST_F(Transactions, RecordSetsReleaseTheirLevelWhenTheyGoButNeverALaterOne)
{
    {
        RecordSet rs = db.OpenRecordSet("SELECT * FROM TKEYS");
        EXPECT_EQ(db.TransactionCount(), 1);
    }
    EXPECT_EQ(db.TransactionCount(), 0);
    try {
        RecordSet rs = db.OpenRecordSet("SELECT * FROM TKEYS");
        rs.Field("NoSuchField");
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::ItemNotFound);
    }
    EXPECT_EQ(db.TransactionCount(), 0);

    RecordSet none;
    db.CloseRecordSet(none);
    RecordSet rs = db.OpenRecordSet("SELECT * FROM TKEYS");
    db.CloseRecordSet(rs);
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(db.TransactionCount(), 0);

    RecordSet stale = db.OpenRecordSet("SELECT * FROM TKEYS");
    db.RollbackAll();
    db.BeginTrans();
    Insert("L1");
    stale.Close();
    EXPECT_EQ(db.TransactionCount(), 1);
    db.CommitTrans();
    EXPECT_EQ(Lines(), 1);
}

TEST_F(Transactions, RecordSetReadsFieldsByNameWithNullAsNoValue)
{
    const QDateTime when(QDate(2024, 1, 31), QTime(14, 5, 9));
    db.Execute("INSERT INTO Transmission_Log (LogId, Time_Of_Event, Run_Number, Event_Text) "
               "VALUES (?,?,?,NULL)",
               {"L1", when, 42});
    RecordSet empty = db.OpenRecordSet("SELECT * FROM Transmission_Log WHERE Run_Number=0");
    EXPECT_TRUE(empty.IsEOF() && empty.IsBOF() && !empty.HasRow());
    empty.Close();

    RecordSet rs = db.OpenRecordSet("SELECT * FROM Transmission_Log");
    ASSERT_TRUE(rs.HasRow());
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Text("logid"), QStringLiteral("L1"));
    EXPECT_EQ(rs.Long("Run_Number"), 42);
    EXPECT_EQ(rs.DateTime("Time_Of_Event"), when);
    EXPECT_TRUE(rs.IsNull("Event_Text"));
    EXPECT_FALSE(rs.Text("Event_Text").has_value());
    EXPECT_FALSE(rs.Field("Event_Code").isValid());
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    try {
        rs.Field("LogId");
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::NoCurrentRecord);
    }
    EXPECT_EQ(Scalar("SELECT typeof(Time_Of_Event) || Time_Of_Event FROM Transmission_Log"),
              QVariant("text2024-01-31 14:05:09"));
}

TEST_F(Transactions, BooleansAsOneAndZeroAndTheSchemaVersion)
{
    db.Execute("UPDATE System_Parameters SET SetupComplete=?, LegacyExport=?", {true, false});
    EXPECT_EQ(Scalar("SELECT SetupComplete + 0 FROM System_Parameters").toInt(), 1);
    RecordSet rs = db.OpenRecordSet("SELECT * FROM System_Parameters");
    EXPECT_EQ(rs.Field("SetupComplete").typeId(), QMetaType::Bool);
    EXPECT_EQ(rs.Bool("SetupComplete"), true);
    EXPECT_EQ(rs.Bool("LegacyExport"), false);
    rs.Close();

    EXPECT_EQ(db.GetDatabaseSchemaVersion(), QStringLiteral("3.0"));
    db.UpdateDatabaseSchemaVersion("1.2'1");
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), QStringLiteral("1.2'1"));
    db.Execute("DELETE FROM DBVERSION");
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), QString());
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(Transactions, AChangeOfSourceWaitsForDisconnectAndAMissingFileIsNotCreated)
{
    db.Connect();
    EXPECT_EQ(db.TransactionCount(), 0);
    const QString missing = world.PathOf("Missing.MDB");
    db.SetSource(missing);
    Insert("L1"); // still the file it was made for
    EXPECT_EQ(Lines(), 1);
    db.Disconnect();
    EXPECT_THROW(db.Connect(), NevixError);
    EXPECT_FALSE(db.Connected());
    try {
        db.BeginTrans();
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Source(), QStringLiteral("OpenMyConnection"));
    }
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_FALSE(QFile::exists(missing));
}

} // namespace
