#include "support/TestWorld.h"

#include "platform/ProcessIdentity.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// This process's name with one of its parts (boot, pid, start, computer) replaced.
QString WithPart(const QString& identity, int part, const QString& value)
{
    QStringList parts = identity.split(u'|');
    parts = parts.mid(0, 3) << parts.mid(3).join(u'|');
    parts[part] = value;
    return parts.join(u'|');
}

TEST(SystemProcessIdentity, NamesThisProcessAsRunningAndAnyOtherAsItIs)
{
    TestWorld world;
    const SystemProcessIdentity processes;
    const QString mine = processes.Mine();
    EXPECT_FALSE(processes.HasEnded(mine));
    const QString start = mine.section(u'|', 2, 2);
    ASSERT_FALSE(start.isEmpty());
    EXPECT_TRUE(processes.HasEnded(WithPart(mine, 0, QStringLiteral("an-earlier-boot")))) << "the computer restarted";
    EXPECT_TRUE(processes.HasEnded(WithPart(mine, 2, start + u'0'))) << "the pid was used again";
    EXPECT_FALSE(processes.HasEnded(WithPart(mine, 3, QStringLiteral("elsewhere/TESTPC"))))
        << "another computer's process cannot be looked at";
    EXPECT_FALSE(processes.HasEnded(QStringLiteral("not a process")));
}

TEST(SystemProcessIdentity, AKilledProcessHasEndedBeforeAndAfterItIsReaped)
{
    TestWorld world;
    const SystemProcessIdentity processes;
    int named[2];
    ASSERT_EQ(pipe(named), 0);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        const QByteArray mine = processes.Mine().toUtf8() + '\n';
        if (::write(named[1], mine.constData(), size_t(mine.size())) == mine.size())
            for (;;)
                pause();
        _exit(1);
    }
    ::close(named[1]);
    QByteArray text;
    char c = 0;
    while (::read(named[0], &c, 1) == 1 && c != '\n')
        text += c;
    ::close(named[0]);
    const QString childName = QString::fromUtf8(text);
    EXPECT_NE(childName, processes.Mine());
    EXPECT_FALSE(processes.HasEnded(childName));

    ::kill(child, SIGKILL);
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, id_t(child), &info, WEXITED | WNOWAIT), 0);
    EXPECT_TRUE(processes.HasEnded(childName)) << "killed, not yet reaped";
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    EXPECT_TRUE(processes.HasEnded(childName));
}

} // namespace
