#include "support/DatabaseTest.h"
#include "Widgets.h"

#include "database/SavepointGuard.h"
#include "database/SqliteConnection.h"
#include "database/SqliteError.h"
#include "support/FileBytes.h"

#include <QFile>

#include <sys/stat.h>

namespace {

ino_t InodeOf(const QString& file)
{
    struct stat info {};
    return stat(file.toUtf8().constData(), &info) == 0 ? info.st_ino : 0;
}

using Compaction = DatabaseTest;

TEST_F(Compaction, CompactsInPlaceAndKeepsTheRows)
{
    const QString filler(1000, QLatin1Char('x'));
    db.BeginTrans();
    for (int i = 0; i < 2000; ++i)
        db.Execute("INSERT INTO Transmission_Log (LogId, Event_Text) VALUES (?, ?)",
                   {QStringLiteral("L%1").arg(i), filler});
    db.CommitTrans();
    db.Execute("DELETE FROM Transmission_Log WHERE LogId <> 'L7'");
    const qint64 before = QFileInfo(path).size();
    const ino_t inode = InodeOf(path);
    db.BeginTrans(); // an open transaction is rolled back first
    db.Compact();
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_FALSE(db.Connected());
    EXPECT_LT(QFileInfo(path).size(), before / 4);
    EXPECT_EQ(InodeOf(path), inode) << "the same file, never deleted and renamed";
    EXPECT_EQ(CountRows("Transmission_Log"), 1);
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), "3.0");
    EXPECT_EQ(QDir(world.Folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"Nevix.MDB"});
}

TEST_F(Compaction, FailsCleanlyWhileAnotherConnectionIsBusyWithTheFile)
{
    db.Execute("INSERT INTO Transmission_Log (LogId) VALUES ('L1')");
    db.Execute("DELETE FROM Transmission_Log");
    auto reader = SqliteConnection::Open(path);
    ASSERT_EQ(reader->TryExec("BEGIN; SELECT * FROM TKEYS;"), 0);
    const QByteArray before = ReadBytes(path);
    db.SetBusyRetry(3, 1);
    try {
        db.Compact();
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_TRUE(IsBusyError(e));
        EXPECT_EQ(e.Source(), "Compact");
    }
    EXPECT_FALSE(db.ConnectionWaiting());
    reader->TryExec("COMMIT");
    EXPECT_TRUE(ReadBytes(path) == before) << "the file untouched";
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), "3.0");
}

TEST_F(Compaction, AMissingFileIsReported)
{
    ConnectTo(db, world.PathOf("Gone.MDB"));
    EXPECT_THROW(db.Compact(), NevixError);
    EXPECT_FALSE(QFile::exists(world.PathOf("Gone.MDB")));
}

class Savepoints : public DatabaseTest {
protected:
    void Insert(const QString& id) { db.Execute("INSERT INTO Transmission_Log (LogId) VALUES (?)", {id}); }
    QString Ids() const
    {
        return Scalar("SELECT group_concat(LogId) FROM (SELECT LogId FROM Transmission_Log ORDER BY 1)")
            .toString();
    }
};

TEST_F(Savepoints, TheStepsThatWorkedAreCommittedWhileOneFails)
{
    db.BeginTrans();
    for (const QString& id : QStringList{"A", "B", "C"}) {
        try {
            SavepointGuard step(db);
            Insert(id + QLatin1Char('1'));
            if (id == QLatin1String("B"))
                Insert("A1"); // fails: the key is taken
            Insert(id + QLatin1Char('2'));
            step.Release();
        } catch (const NevixError&) {
        }
        EXPECT_EQ(db.TransactionCount(), 1);
    }
    db.CommitTrans();
    EXPECT_EQ(Ids(), "A1,A2,C1,C2");
}

TEST_F(Savepoints, AStepWhoseCollectionFailedDoesNotDoomTheRest)
{
    CreateWidgetTable();
    db.BeginTrans();
    Insert("KEEP");
    {
        SavepointGuard step(db);
        Widgets widgets;
        widgets.SetDataSource(&db);
        widgets.Add(NewWidget("Good", 1));
        widgets.Add(NewWidget("Bad", -1));
        EXPECT_THROW(widgets.Apply(), NevixError); // rolls back: the whole nest is marked
    }
    db.CommitTrans(); // the step's mark went with the step
    EXPECT_EQ(Ids(), "KEEP");
    EXPECT_EQ(CountRows("WIDGETS"), 0);
}

TEST_F(Savepoints, AnOutermostStepThatIsNotReleasedWritesNothing)
{
    {
        SavepointGuard step(db);
        Insert("A1");
    }
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(CountRows("Transmission_Log"), 0);
    {
        SavepointGuard step(db);
        Insert("A2");
        step.Release();
    }
    EXPECT_EQ(Ids(), "A2");
}

TEST_F(Savepoints, AGuardOutlivedByItsTransactionStaysQuiet)
{
    db.BeginTrans();
    {
        SavepointGuard step(db);
        Insert("A1");
        db.RollbackAll();
    }
    EXPECT_EQ(db.TransactionCount(), 0);
    Insert("B1");
    EXPECT_EQ(Ids(), "B1");
}

} // namespace
