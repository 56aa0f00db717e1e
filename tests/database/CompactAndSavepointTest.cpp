#include "support/DatabaseTest.h"
#include "Widgets.h"

#include "database/SavepointGuard.h"
#include "database/SqliteConnection.h"
#include "database/SqliteError.h"

#include <QCryptographicHash>
#include <QFile>

#include <sys/stat.h>

namespace {

ino_t InodeOf(const QString& file)
{
    struct stat info {};
    return stat(file.toUtf8().constData(), &info) == 0 ? info.st_ino : 0;
}

QByteArray HashOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

using Compaction = DatabaseTest;

TEST_F(Compaction, CompactsInPlaceAndKeepsTheRows)
{
    const QString filler(1000, QLatin1Char('x'));
    db.BeginTrans();
    for (int i = 0; i < 2000; ++i)
        db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId, Event_Text) VALUES (?, ?)"),
                   {QStringLiteral("L%1").arg(i), filler});
    db.CommitTrans();
    db.Execute(QStringLiteral("DELETE FROM Transmission_Log WHERE LogId <> 'L7'"));
    const qint64 before = QFileInfo(path).size();
    const ino_t inode = InodeOf(path);
    db.BeginTrans(); // an open transaction is rolled back first
    db.Compact();
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_FALSE(db.Connected());
    EXPECT_LT(QFileInfo(path).size(), before / 4);
    EXPECT_EQ(InodeOf(path), inode) << "the same file, never deleted and renamed";
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 1);
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), QStringLiteral("3.0"));
    const QStringList left = QDir(world.Folder()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList{QStringLiteral("Nevix.MDB")});
}

TEST_F(Compaction, FailsCleanlyWhileAnotherConnectionIsBusyWithTheFile)
{
    db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId) VALUES ('L1')"));
    db.Execute(QStringLiteral("DELETE FROM Transmission_Log"));
    auto reader = SqliteConnection::Open(path);
    ASSERT_EQ(reader->TryExec("BEGIN; SELECT * FROM TKEYS;"), 0);
    const QByteArray before = HashOf(path);
    db.SetBusyRetry(3, 1);
    try {
        db.Compact();
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_TRUE(IsBusyError(e));
        EXPECT_EQ(e.Source(), QStringLiteral("Compact"));
    }
    EXPECT_FALSE(db.ConnectionWaiting());
    reader->TryExec("COMMIT");
    EXPECT_EQ(HashOf(path), before);
    EXPECT_EQ(db.GetDatabaseSchemaVersion(), QStringLiteral("3.0"));
}

TEST_F(Compaction, AMissingFileIsReported)
{
    ConnectTo(db, world.PathOf(QStringLiteral("Gone.MDB")));
    EXPECT_THROW(db.Compact(), NevixError);
    EXPECT_FALSE(QFile::exists(world.PathOf(QStringLiteral("Gone.MDB"))));
}

class Savepoints : public DatabaseTest {
protected:
    void Insert(const QString& id)
    {
        db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId) VALUES (?)"), {id});
    }
    QString Ids() const
    {
        return Scalar(QStringLiteral("SELECT group_concat(LogId) FROM (SELECT LogId FROM "
                                     "Transmission_Log ORDER BY LogId)"))
            .toString();
    }
};

TEST_F(Savepoints, TheStepsThatWorkedAreCommittedWhileOneFails)
{
    db.BeginTrans();
    for (const QString& id : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}) {
        try {
            SavepointGuard step(db);
            Insert(id + QLatin1Char('1'));
            if (id == QLatin1String("B"))
                Insert(QStringLiteral("A1")); // fails: the key is taken
            Insert(id + QLatin1Char('2'));
            step.Release();
        } catch (const NevixError&) {
        }
        EXPECT_EQ(db.TransactionCount(), 1);
    }
    db.CommitTrans();
    EXPECT_EQ(Ids(), QStringLiteral("A1,A2,C1,C2"));
}

TEST_F(Savepoints, AStepWhoseCollectionFailedDoesNotDoomTheRest)
{
    CreateWidgetTable();
    db.BeginTrans();
    Insert(QStringLiteral("KEEP"));
    {
        SavepointGuard step(db);
        Widgets widgets;
        widgets.SetDataSource(&db);
        widgets.Add(NewWidget(QStringLiteral("Good"), 1));
        widgets.Add(NewWidget(QStringLiteral("Bad"), -1));
        EXPECT_THROW(widgets.Apply(), NevixError); // rolls back: the whole nest is marked
    }
    db.CommitTrans(); // the step's mark went with the step
    EXPECT_EQ(Ids(), QStringLiteral("KEEP"));
    EXPECT_EQ(CountRows(QStringLiteral("WIDGETS")), 0);
}

TEST_F(Savepoints, AnOutermostStepThatIsNotReleasedWritesNothing)
{
    {
        SavepointGuard step(db);
        Insert(QStringLiteral("A1"));
    }
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 0);
    {
        SavepointGuard step(db);
        Insert(QStringLiteral("A2"));
        step.Release();
    }
    EXPECT_EQ(Ids(), QStringLiteral("A2"));
}

TEST_F(Savepoints, AGuardOutlivedByItsTransactionStaysQuiet)
{
    db.BeginTrans();
    {
        SavepointGuard step(db);
        Insert(QStringLiteral("A1"));
        db.RollbackAll();
    }
    EXPECT_EQ(db.TransactionCount(), 0);
    Insert(QStringLiteral("B1"));
    EXPECT_EQ(Ids(), QStringLiteral("B1"));
}

} // namespace
