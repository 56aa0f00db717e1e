#include "support/DatabaseTest.h"

#include "database/CommsLock.h"
#include "database/LogLines.h"
#include "platform/ProcessIdentity.h"
#include "support/ProcessInANewPidNamespace.h"

#include <atomic>
#include <new>

#include <sched.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr auto Taken = "";
constexpr auto Refused = "80040078 Could not aquire Communications lock";

class LockTest : public DatabaseTest {
protected:
    // "" when the lock was taken, else the error's number and description.
    static QString Acquire(CommsLock& lock, const QString& user, CDataBase& source)
    {
        try {
            lock.AquireCommsLock(user, &source);
            return {};
        } catch (const NevixError& error) {
            return QString::number(uint32_t(error.Number()), 16) + u' ' + error.Description();
        }
    }
    QString Holder() const
    {
        return Scalar("SELECT LockedBy || '@' || ComputerName FROM COMMSLOCK WHERE LockType=1").toString();
    }
};

TEST_F(LockTest, OnlyTheSameUserOnTheSameComputerSharesTheLock)
{
    CommsLock mine, again, otherUser, theirs;
    ASSERT_EQ(Acquire(mine, "ANNE", db), Taken);
    EXPECT_EQ(Holder(), "ANNE@TESTPC");
    world.clock().Advance(60);
    EXPECT_EQ(Acquire(again, "anne", db), Taken) << "letter case aside, the owner";
    EXPECT_TRUE(again.IsLockedByMe());
    EXPECT_EQ(again.LockedOn(), QDateTime(QDate(2024, 3, 15), QTime(10, 30))) << "nothing written";
    EXPECT_EQ(Acquire(otherUser, "BOB", db), Refused);
    {
        TestWorld elsewhere("OTHERPC");
        auto otherDb = Other();
        EXPECT_EQ(Acquire(theirs, "ANNE", *otherDb), Refused);
        EXPECT_FALSE(theirs.IsLockedByMe());
        theirs.ReleaseCommsLock("ANNE");
        EXPECT_EQ(Holder(), "ANNE@TESTPC") << "not theirs to release";
    }
    again.ReleaseCommsLock("ANNE");
    EXPECT_FALSE(again.IsLockedByMe());
    EXPECT_EQ(Holder(), "ANNE@TESTPC") << "a shared hold: the one that took it gives it back";
    mine.ReleaseCommsLock("ANNE");
    EXPECT_FALSE(mine.IsLockedByMe());
    EXPECT_EQ(Holder(), QString());
    EXPECT_EQ(Acquire(otherUser, "BOB", db), Taken);
}

TEST_F(LockTest, ARowLeftByAnEarlierRunIsTakenOverAndFreed)
{
    db.Execute("UPDATE COMMSLOCK SET LockedBy='ANNE', ComputerName='TESTPC', LockedOn='2024-03-14 09:00:00' "
               "WHERE LockType=1");
    {
        CommsLock lock;
        ASSERT_EQ(Acquire(lock, "ANNE", db), Taken);
        lock.ReleaseCommsLock("ANNE");
        EXPECT_EQ(Holder(), QString());
    }
    // An object that goes without releasing leaves the row, and the next
    // one of the same holder takes it over.
    {
        CommsLock lost;
        ASSERT_EQ(Acquire(lost, "ANNE", db), Taken);
    }
    CommsLock next;
    ASSERT_EQ(Acquire(next, "ANNE", db), Taken);
    next.ReleaseCommsLock("ANNE");
    EXPECT_EQ(Holder(), QString());
}

TEST_F(LockTest, AForcedClearFreesTheLockForEveryone)
{
    CommsLock mine, admin, theirs;
    ASSERT_EQ(Acquire(mine, "ANNE", db), Taken);
    admin.ForceClearLock(LockTypes::Communications, &db);
    TestWorld elsewhere("OTHERPC");
    EXPECT_EQ(Acquire(theirs, "BOB", db), Taken);
    EXPECT_EQ(Holder(), "BOB@OTHERPC");
    admin.ForceClearLock(3, &db);
    EXPECT_EQ(CountRows("COMMSLOCK"), 3) << "no row made for a type without one";
}

TEST_F(LockTest, AFailedReleaseIsReportedToTheRunOrStandardError)
{
    CommsLock lock; // no data source: the release cannot even read the row
    testing::internal::CaptureStderr();
    lock.ReleaseAdminLock("ANNE");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Could not release the Administration lock"),
              std::string::npos);

    LogLines run;
    run.BeginLogging("COMRUN", "Session", "ANNE");
    lock.SetRunLog(&run);
    lock.ReleaseCommsLock("ANNE");
    EXPECT_EQ(run.WarningCount(), 1);
    EXPECT_TRUE(run.Item(2)->EventText().startsWith("Could not release the Communications lock: "));
}

// Processes as a test names them: this one is "this"; another has ended
// when the test says so.
class ScriptedProcesses : public ProcessIdentity {
public:
    QString Mine() const override { return QStringLiteral("this"); }
    bool HasEnded(const QString& identity) const override { return identity == "ended"; }
};

struct HolderCase {
    const char* name;
    const char* computer; // of the row's holder, ANNE
    const char* process;  // the row's holding process; none recorded when null
    const char* acquired;
    const char* processAfter; // the row's holding process after the acquisition
    bool freedByRelease;      // by a release of this process that did not take it
};

void PrintTo(const HolderCase& c, std::ostream* os)
{
    *os << c.name;
}

class LockHolderProcess : public LockTest, public testing::WithParamInterface<HolderCase> {
protected:
    void Hold(const HolderCase& c)
    {
        db.Execute("UPDATE COMMSLOCK SET LockedBy='ANNE', ComputerName=?, LockedOn='2024-03-14 09:00:00', "
                   "HolderProcess=? WHERE LockType=1",
                   {c.computer, c.process ? QVariant(c.process) : QVariant()});
    }
    QString HolderProcess() const
    {
        return Scalar("SELECT HolderProcess FROM COMMSLOCK WHERE LockType=1").toString();
    }
};

TEST_P(LockHolderProcess, DecidesWhetherThisProcessMayTakeOrFreeTheLock)
{
    const HolderCase& c = GetParam();
    AppContext::Current().SetProcesses(std::make_shared<ScriptedProcesses>());
    Hold(c);
    {
        CommsLock notTaken;
        notTaken.ReleaseCommsLock("ANNE", &db);
        EXPECT_EQ(Holder(), c.freedByRelease ? QString() : "ANNE@" + QString(c.computer));
    }
    Hold(c);
    CommsLock lock;
    EXPECT_EQ(Acquire(lock, "ANNE", db), c.acquired);
    EXPECT_EQ(Holder(), "ANNE@" + QString(c.computer));
    EXPECT_EQ(HolderProcess(), c.processAfter);
    EXPECT_EQ(Scalar("SELECT LockedOn FROM COMMSLOCK WHERE LockType=1").toDateTime(),
              QDateTime(QDate(2024, 3, 14), QTime(9, 0)));
    lock.ReleaseCommsLock("ANNE");
    EXPECT_EQ(Holder(), c.acquired == Taken ? QString() : "ANNE@" + QString(c.computer));
}

INSTANTIATE_TEST_SUITE_P(
    CommsLock, LockHolderProcess,
    testing::Values(HolderCase{"AnotherRunningProcessHere", "TESTPC", "running", Refused, "running", false},
                    HolderCase{"AnEndedProcessHere", "TESTPC", "ended", Taken, "this", false},
                    HolderCase{"ThisProcess", "TESTPC", "this", Taken, "this", true},
                    HolderCase{"AnEarlierBuildHere", "TESTPC", nullptr, Taken, "this", true},
                    HolderCase{"AnotherComputer", "OTHERPC", "ended", Refused, "ended", false},
                    HolderCase{"AnEarlierBuildElsewhere", "OTHERPC", nullptr, Refused, "", false}),
    [](const testing::TestParamInfo<HolderCase>& info) { return info.param.name; });

// A container on this computer keeps its name and machine id: its holder
// cannot be seen to end from here, so its lock stays its own.
TEST_F(LockTest, AHolderInAnotherPidNamespaceKeepsTheLock)
{
    ProcessInANewPidNamespace holder([&](int out) {
        CDataBase theirs;
        ConnectTo(theirs, path);
        CommsLock lock;
        SayTo(out, u'[' + Acquire(lock, "ANNE", theirs) + u']');
    });
    if (!holder.Started())
        GTEST_SKIP() << "this user may not make a pid namespace";
    ASSERT_EQ(holder.Said().join(u'\n'), "[]") << "taken there";
    CommsLock lock;
    EXPECT_EQ(Acquire(lock, "ANNE", db), Refused);
    EXPECT_EQ(holder.End(), 0);
    EXPECT_EQ(Acquire(lock, "ANNE", db), Refused) << "ended out of sight: the administrator frees it";
    EXPECT_EQ(Holder(), "ANNE@TESTPC");
}

TEST_F(LockTest, ADatabaseOfAnEarlierBuildGetsTheHoldingProcessAtItsFirstTake)
{
    db.Execute("ALTER TABLE COMMSLOCK DROP COLUMN HolderProcess");
    CommsLock shown;
    shown.SetDataSource(&db);
    shown.Load(LockTypes::Communications);
    EXPECT_EQ(shown.LockedBy(), QString());
    CommsLock lock;
    ASSERT_EQ(Acquire(lock, "ANNE", db), Taken);
    EXPECT_EQ(Scalar("SELECT HolderProcess FROM COMMSLOCK WHERE LockType=1").toString(),
              AppContext::Current().processes().Mine());
}

// Two processes of one user, each an installation of its own, take and
// release the lock in turn. A holder keeps the lock until the other has
// tried to take it (or is done), so that a second holder cannot slip by
// unseen; a process counts the holds it entered while the other was inside.
class LockBetweenProcesses : public LockTest, public testing::WithParamInterface<const char*> {};

TEST_P(LockBetweenProcesses, NeverHeldByTwoAtOnce)
{
    constexpr int Holds = 150;
    struct Shared {
        std::atomic<int> inside{0};
        std::atomic<int> overlaps{0};
        std::atomic<int> tries[2] = {0, 0};
        std::atomic<bool> done[2] = {false, false};
    };
    void* memory = mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(memory, MAP_FAILED);
    Shared& shared = *new (memory) Shared;
    const auto takeTurns = [&](int me) {
        const int other = 1 - me;
        CDataBase mine;
        ConnectTo(mine, path);
        mine.SetBusyRetry(30000, 1);
        CommsLock lock;
        int held = 0;
        for (int round = 0; held < Holds && round < 100 * Holds; ++round) {
            const bool taken = Acquire(lock, "ANNE", mine).isEmpty();
            if (taken && shared.inside.fetch_add(1) > 0)
                ++shared.overlaps;
            ++shared.tries[me];
            const int othersTries = shared.tries[other];
            if (!taken)
                continue;
            ++held;
            while (shared.tries[other] == othersTries && !shared.done[other])
                sched_yield();
            --shared.inside;
            lock.ReleaseCommsLock("ANNE");
            if (lock.IsLockedByMe())
                break;
        }
        shared.done[me] = true;
        return held == Holds;
    };

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        bool done = false;
        try {
            TestWorld itsOwn(GetParam());
            done = takeTurns(1);
        } catch (...) {
        }
        shared.done[1] = true;
        _exit(done ? 0 : 1);
    }
    EXPECT_TRUE(takeTurns(0));
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(shared.overlaps, 0);
    EXPECT_EQ(Holder(), QString());
    munmap(memory, sizeof(Shared));
}

// The child is on another computer, or on this one (TESTPC) as a second
// program folder on the same database is.
INSTANTIATE_TEST_SUITE_P(CommsLock, LockBetweenProcesses, testing::Values("OTHERPC", "TESTPC"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param) == "TESTPC" ? "OnOneComputer" : "OnTwoComputers";
                         });

} // namespace
