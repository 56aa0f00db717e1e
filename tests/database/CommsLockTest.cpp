#include "support/DatabaseTest.h"

#include "database/CommsLock.h"
#include "database/LogLines.h"
#include "support/FileBytes.h"

#include <QFile>

#include <fcntl.h>
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

// Two processes, each an installation of its own, take and release the
// lock in turn; each marks in a shared file when it enters and leaves its
// hold. Marks of one holder must never be interleaved with the other's.
TEST_F(LockTest, TwoProcessesNeverHoldTheLockAtOnce)
{
    constexpr int Holds = 150;
    const QString marks = world.PathOf("marks.txt");
    const auto takeTurns = [&](char who) {
        CDataBase mine;
        ConnectTo(mine, path);
        mine.SetBusyRetry(30000, 1);
        const int fd = ::open(QFile::encodeName(marks).constData(), O_WRONLY | O_APPEND | O_CREAT, 0600);
        if (fd < 0)
            return false;
        const char enter[] = {who, '+', '\n'};
        const char leave[] = {who, '-', '\n'};
        CommsLock lock;
        int held = 0;
        for (int round = 0; held < Holds && round < 100 * Holds; ++round) {
            if (!Acquire(lock, "ANNE", mine).isEmpty())
                continue;
            ++held;
            const bool written = ::write(fd, enter, 3) == 3 && ::write(fd, leave, 3) == 3;
            lock.ReleaseCommsLock("ANNE");
            if (!written || lock.IsLockedByMe())
                break;
        }
        ::close(fd);
        return held == Holds;
    };

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        bool done = false;
        try {
            TestWorld elsewhere("OTHERPC");
            done = takeTurns('B');
        } catch (...) {
        }
        _exit(done ? 0 : 1);
    }
    EXPECT_TRUE(takeTurns('A'));
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    const QList<QByteArray> lines = ReadBytes(marks).split('\n');
    ASSERT_EQ(lines.size(), 4 * Holds + 1);
    int overlaps = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        if (!lines[i].endsWith('+') || lines[i + 1] != lines[i].left(1) + '-')
            ++overlaps;
    }
    EXPECT_EQ(overlaps, 0);
    EXPECT_EQ(Holder(), QString());
}

} // namespace
