#include "support/DatabaseTest.h"

#include "database/GlobalDatabase.h"
#include "database/SqliteConnection.h"
#include "database/SqliteError.h"

#include <functional>

namespace {

// Events pumped while the connection waits run this hook. (Two processes
// waiting for each other: see the key maker's and the lock's tests.)
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
                                             "TESTPC"))
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
            EXPECT_EQ(e.Source(), "OpenMyConnection");
            EXPECT_EQ(e.Description(), "database is locked");
        }
        EXPECT_EQ(db.ConnectionFailures(), failuresAfter);
        EXPECT_FALSE(db.ConnectionWaiting());
        EXPECT_EQ(db.TransactionCount(), 0);
        EXPECT_FALSE(db.Connected());
        EXPECT_FALSE(user->waitLoaded) << "the notice goes with the wait";
    }

    std::shared_ptr<PumpingUser> user;
    ScopedAppContext scope;
    std::unique_ptr<CDataBase> holder; // another installation, writing
};

TEST_F(BusyRetry, TheWaitingSideGoesOnOnceTheOtherLetsGo)
{
    holder->BeginTrans();
    holder->Execute("INSERT INTO Transmission_Log (LogId) VALUES ('L1')");
    user->onPump = [this](int pumps) {
        EXPECT_TRUE(db.ConnectionWaiting());
        // The wait is not silent: it could last half a minute.
        EXPECT_TRUE(user->waitVisible);
        EXPECT_EQ(user->waitMessage, QStringLiteral("The database is busy: another program is using it. "
                                                    "Waiting for it to be released..."));
        if (pumps == 3)
            holder->CommitTrans();
    };
    db.BeginTrans();
    EXPECT_FALSE(user->waitLoaded);
    EXPECT_EQ(user->waitShows, 1);
    EXPECT_GE(user->pumps, 3);
    EXPECT_FALSE(db.ConnectionWaiting());
    EXPECT_EQ(db.ConnectionFailures(), 0);
    RecordSet rs = db.OpenRecordSet("SELECT COUNT(*) FROM Transmission_Log");
    EXPECT_EQ(rs.Long("COUNT(*)"), 1);
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
    RecordSet rs = db.OpenRecordSet("SELECT COUNT(*) AS N FROM TKEYS");
    EXPECT_EQ(rs.Long("N"), 13);
    EXPECT_EQ(user->pumps, 2);
    rs.Close();

    ASSERT_EQ(exclusive->TryExec("BEGIN EXCLUSIVE"), 0);
    user->onPump = nullptr;
    EXPECT_THROW(db.OpenRecordSet("SELECT * FROM TKEYS"), NevixError);
    EXPECT_EQ(db.ConnectionFailures(), 1);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(BusyRetry, ACommitWaitsForReadersAndNeverEndsHalfDone)
{
    auto reader = SqliteConnection::Open(path);
    ASSERT_EQ(reader->TryExec("BEGIN; SELECT * FROM TKEYS;"), 0); // holds the shared lock
    db.BeginTrans();
    db.Execute("INSERT INTO Transmission_Log (LogId) VALUES ('L1')");
    user->onPump = [&](int pumps) {
        if (pumps == 2)
            reader->TryExec("COMMIT");
    };
    db.CommitTrans();
    EXPECT_EQ(CountRows("Transmission_Log"), 1);

    ASSERT_EQ(reader->TryExec("BEGIN; SELECT * FROM TKEYS;"), 0);
    user->onPump = nullptr;
    db.BeginTrans();
    db.Execute("INSERT INTO Transmission_Log (LogId) VALUES ('L2')");
    try {
        db.CommitTrans();
        FAIL() << "the reader never lets go";
    } catch (const NevixError& e) {
        EXPECT_TRUE(IsBusyError(e));
        EXPECT_EQ(e.Source(), "CommitTrans");
    }
    EXPECT_EQ(db.TransactionCount(), 0);
    reader->TryExec("COMMIT");
    EXPECT_EQ(CountRows("Transmission_Log"), 1);
    db.Execute("INSERT INTO Transmission_Log (LogId) VALUES ('L3')");
    EXPECT_EQ(CountRows("Transmission_Log"), 2);
}

TEST_F(BusyRetry, ReEnteringWhileWaitingIsRefused)
{
    holder->BeginTrans();
    // Nothing may begin, close or replace the connection the wait holds.
    const std::function<void()> entries[] = {
        [this] { db.Execute("DELETE FROM Transmission_Log"); },
        [this] { db.Disconnect(); },
        [this] { db.Compact(); },
        [this] { db.SetIsSingleUserConnection(true); },
    };
    int refused = 0;
    user->onPump = [&](int pumps) {
        if (pumps > int(std::size(entries)))
            return;
        try {
            entries[pumps - 1]();
        } catch (const NevixError& e) {
            refused += e.Number() == ErrorNumbers::ObjectErrorBase &&
                       e.Description() == "Connection is currently being got" &&
                       e.Source() == "OpenMyConnection";
        }
    };
    EXPECT_THROW(db.BeginTrans(), NevixError);
    EXPECT_EQ(refused, int(std::size(entries)));
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_FALSE(db.IsSingleUserConnection());
}

TEST_F(BusyRetry, TheProgramsConnectionReleasedWhileItWaitsOutlivesTheWait)
{
    CDataBase& global = NewGlobalDatabase();
    ConnectTo(global, path);
    global.SetBusyRetry(3, 1);
    holder->BeginTrans();
    user->onPump = [](int pumps) {
        if (pumps == 1)
            ReleaseGlobalDatabase(); // the logon cancelled, say
    };
    EXPECT_THROW(global.BeginTrans(), NevixError);
    EXPECT_EQ(global.TransactionCount(), 0);
    ReleaseGlobalDatabase(); // now it goes
}

} // namespace
