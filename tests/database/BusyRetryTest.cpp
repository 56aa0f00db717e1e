#include "support/DatabaseTest.h"

#include "database/SqliteConnection.h"
#include "database/SqliteError.h"

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Events pumped while the connection waits run this hook.
class PumpingUser : public FakeUserInteraction {
public:
    void PumpEvents() override
    {
        FakeUserInteraction::PumpEvents();
        if (onPump)
            onPump(pumps);
    }
    std::function<void(int)> onPump;
};

class BusyRetry : public DatabaseTest {
protected:
    BusyRetry()
        : user(std::make_shared<PumpingUser>()),
          scope(std::make_shared<AppContext>(std::make_shared<FakeClock>(), user, world.Folder(),
                                             QStringLiteral("TESTPC")))
    {
        db.SetBusyRetry(5, 1);
        holder = Other();
    }

    void ExpectGivesUp(int16_t failuresAfter)
    {
        try {
            db.BeginTrans();
            FAIL() << "the file is locked";
        } catch (const NevixError& e) {
            EXPECT_TRUE(IsBusyError(e));
            EXPECT_EQ(e.Source(), QStringLiteral("OpenMyConnection"));
            EXPECT_EQ(e.Description(), QStringLiteral("database is locked"));
        }
        EXPECT_EQ(db.ConnectionFailures(), failuresAfter);
        EXPECT_FALSE(db.ConnectionWaiting());
        EXPECT_EQ(db.TransactionCount(), 0);
        EXPECT_FALSE(db.Connected());
    }

    std::shared_ptr<PumpingUser> user;
    ScopedAppContext scope;
    std::unique_ptr<CDataBase> holder; // another installation, writing
};

TEST_F(BusyRetry, TheWaitingSideGoesOnOnceTheOtherLetsGo)
{
    holder->BeginTrans();
    holder->Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId) VALUES ('L1')"));
    user->onPump = [this](int pumps) {
        EXPECT_TRUE(db.ConnectionWaiting());
        if (pumps == 3)
            holder->CommitTrans();
    };
    db.BeginTrans();
    EXPECT_GE(user->pumps, 3);
    EXPECT_FALSE(db.ConnectionWaiting());
    EXPECT_EQ(db.ConnectionFailures(), 0);
    RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT COUNT(*) FROM Transmission_Log"));
    EXPECT_EQ(rs.Long(QStringLiteral("COUNT(*)")), 1);
    rs.Close();
    db.CommitTrans();
}

TEST_F(BusyRetry, GivingUpIsCountedAndTwoGiveUpsMakeTheNextFailFirstTime)
{
    holder->BeginTrans();
    ExpectGivesUp(1);
    EXPECT_EQ(user->pumps, 5) << "one wait after each of the five attempts";
    ExpectGivesUp(2);
    const int before = user->pumps;
    ExpectGivesUp(2);
    EXPECT_EQ(user->pumps, before) << "reported at the first failure";

    holder->CommitTrans();
    db.BeginTrans();
    EXPECT_EQ(db.ConnectionFailures(), 0) << "a successful open resets the count";
    db.CommitTrans();
}

TEST_F(BusyRetry, AReaderWaitsWhileAWriterHoldsTheFileExclusively)
{
    auto exclusive = SqliteConnection::Open(path);
    ASSERT_EQ(exclusive->TryExec("BEGIN EXCLUSIVE"), 0);
    user->onPump = [&](int pumps) {
        if (pumps == 2)
            exclusive->TryExec("COMMIT");
    };
    RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT COUNT(*) AS N FROM TKEYS"));
    EXPECT_EQ(rs.Long(QStringLiteral("N")), 13);
    EXPECT_EQ(user->pumps, 2);
    rs.Close();

    ASSERT_EQ(exclusive->TryExec("BEGIN EXCLUSIVE"), 0);
    user->onPump = nullptr;
    EXPECT_THROW(db.OpenRecordSet(QStringLiteral("SELECT * FROM TKEYS")), NevixError);
    EXPECT_EQ(db.ConnectionFailures(), 1);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(BusyRetry, ACommitWaitsForReadersAndNeverEndsHalfDone)
{
    auto reader = SqliteConnection::Open(path);
    ASSERT_EQ(reader->TryExec("BEGIN; SELECT * FROM TKEYS;"), 0); // holds the shared lock
    db.BeginTrans();
    db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId) VALUES ('L1')"));
    user->onPump = [&](int pumps) {
        if (pumps == 2)
            reader->TryExec("COMMIT");
    };
    db.CommitTrans();
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 1);

    ASSERT_EQ(reader->TryExec("BEGIN; SELECT * FROM TKEYS;"), 0);
    user->onPump = nullptr;
    db.BeginTrans();
    db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId) VALUES ('L2')"));
    try {
        db.CommitTrans();
        FAIL() << "the reader never lets go";
    } catch (const NevixError& e) {
        EXPECT_TRUE(IsBusyError(e));
        EXPECT_EQ(e.Source(), QStringLiteral("CommitTrans"));
    }
    EXPECT_EQ(db.TransactionCount(), 0);
    reader->TryExec("COMMIT");
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 1);
    db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId) VALUES ('L3')"));
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 2);
}

TEST_F(BusyRetry, ReEnteringWhileWaitingIsRefused)
{
    holder->BeginTrans();
    bool refused = false;
    user->onPump = [this, &refused](int) {
        if (refused)
            return;
        try {
            db.Execute(QStringLiteral("DELETE FROM Transmission_Log"));
        } catch (const NevixError& e) {
            refused = e.Number() == ErrorNumbers::ObjectErrorBase &&
                      e.Description() == QStringLiteral("Connection is currently being got") &&
                      e.Source() == QStringLiteral("OpenMyConnection");
        }
    };
    EXPECT_THROW(db.BeginTrans(), NevixError);
    EXPECT_TRUE(refused);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(BusyRetry, AWriterWaitsForAnotherProcessToLetGo)
{
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        int status = 1;
        try {
            CDataBase other;
            ConnectTo(other, path);
            other.BeginTrans();
            other.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId) VALUES ('CHILD')"));
            char byte = 'r';
            if (write(ready[1], &byte, 1) == 1 && read(release[0], &byte, 1) == 1) {
                other.CommitTrans();
                status = 0;
            }
        } catch (...) {
        }
        _exit(status);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    db.SetBusyRetry(10000, 1); // bounded: ten thousand attempts
    user->onPump = [&](int pumps) {
        if (pumps == 1) {
            const char go = 'g';
            ASSERT_EQ(write(release[1], &go, 1), 1);
        }
    };
    db.BeginTrans();
    db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId) VALUES ('PARENT')"));
    db.CommitTrans();
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_GE(user->pumps, 1);
    EXPECT_EQ(db.ConnectionFailures(), 0);
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), 2);
    for (int fd : {ready[0], ready[1], release[0], release[1]})
        close(fd);
}

} // namespace
