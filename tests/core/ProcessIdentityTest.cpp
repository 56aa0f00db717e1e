#include "support/TestWorld.h"

#include "platform/ProcessIdentity.h"
#include "support/ProcessInANewPidNamespace.h"

#include <gtest/gtest.h>

#include <optional>

#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Above the largest process id Linux hands out (2^22): no process has it.
constexpr auto NoSuchPid = "4194305";

// A process's name taken apart; the earlier build wrote no namespace.
struct Parts {
    QString boot, pid, start;
    std::optional<QString> space;
    QString computer;
};

Parts PartsOf(const QString& identity)
{
    const QStringList parts = identity.split(u'|');
    const bool spaced = parts.value(3).startsWith(u"pid:");
    return {parts.value(0), parts.value(1), parts.value(2), spaced ? std::optional(parts[3]) : std::nullopt,
            parts.mid(spaced ? 4 : 3).join(u'|')};
}

QString Joined(const Parts& p)
{
    return QStringList{p.boot, p.pid, p.start}.join(u'|') + (p.space ? u'|' + *p.space : QString()) + u'|' + p.computer;
}

QString AsTheEarlierBuildNamedIt(const QString& identity)
{
    Parts parts = PartsOf(identity);
    parts.space.reset();
    return Joined(parts);
}

// This process's name with the parts a case sets replaced (a namespace of ""
// leaves it out), or a whole text of its own.
struct NameCase {
    const char* name;
    bool ended;
    const char* boot = nullptr;
    const char* pid = nullptr;
    const char* start = nullptr;
    const char* space = nullptr;
    const char* computer = nullptr;
    const char* text = nullptr;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << c.name;
}

class ProcessNamed : public testing::TestWithParam<NameCase> {};

TEST_P(ProcessNamed, HasEndedOnlyWhereThisProcessCanTell)
{
    TestWorld world;
    const NameCase& c = GetParam();
    const SystemProcessIdentity processes;
    Parts parts = PartsOf(processes.Mine());
    ASSERT_FALSE(parts.start.isEmpty());
    ASSERT_TRUE(parts.space && *parts.space != u"pid:") << "the namespace read";
    for (auto [part, value] :
         {std::pair{&parts.boot, c.boot}, {&parts.pid, c.pid}, {&parts.start, c.start}, {&parts.computer, c.computer}})
        if (value)
            *part = QString::fromLatin1(value);
    if (c.space)
        parts.space = *c.space ? std::optional(QString::fromLatin1(c.space)) : std::nullopt;
    const QString name = c.text ? QString::fromLatin1(c.text) : Joined(parts);
    EXPECT_EQ(processes.HasEnded(name), c.ended) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    SystemProcessIdentity, ProcessNamed,
    testing::Values(
        NameCase{.name = "ThisProcess", .ended = false},
        NameCase{.name = "ThisProcessAsTheEarlierBuildNamedIt", .ended = false, .space = ""},
        NameCase{.name = "AfterTheComputerRestarted", .ended = true, .boot = "an-earlier-boot"},
        NameCase{.name = "AfterTheComputerRestartedAsTheEarlierBuildNamedIt",
                 .ended = true,
                 .boot = "an-earlier-boot",
                 .space = ""},
        NameCase{.name = "ThePidUsedAgain", .ended = true, .start = "1"},
        NameCase{.name = "ThePidUsedAgainAsTheEarlierBuildNamedIt", .ended = true, .start = "1", .space = ""},
        NameCase{.name = "AnEndedProcessOfThisNamespace", .ended = true, .pid = NoSuchPid},
        NameCase{.name = "AnEndedProcessAsTheEarlierBuildNamedIt", .ended = true, .pid = NoSuchPid, .space = ""},
        NameCase{.name = "AnotherComputersProcess", .ended = false, .computer = "elsewhere/TESTPC"},
        NameCase{.name = "AProcessOfAnotherPidNamespace", .ended = false, .pid = NoSuchPid, .space = "pid:[1]"},
        NameCase{.name = "AProcessOfAnotherPidNamespaceBeforeTheRestart",
                 .ended = true,
                 .boot = "an-earlier-boot",
                 .pid = NoSuchPid,
                 .space = "pid:[1]"},
        NameCase{.name = "AProcessOfAnUnreadablePidNamespace", .ended = false, .pid = NoSuchPid, .space = "pid:"},
        NameCase{.name = "NotAProcess", .ended = false, .text = "not a process"}),
    [](const testing::TestParamInfo<NameCase>& info) { return info.param.name; });

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
    EXPECT_FALSE(processes.HasEnded(AsTheEarlierBuildNamedIt(childName)));

    ::kill(child, SIGKILL);
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, id_t(child), &info, WEXITED | WNOWAIT), 0);
    EXPECT_TRUE(processes.HasEnded(childName)) << "killed, not yet reaped";
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    EXPECT_TRUE(processes.HasEnded(childName));
    EXPECT_TRUE(processes.HasEnded(AsTheEarlierBuildNamedIt(childName)));
}

// A container or sandbox keeps the computer's name and machine id: its
// process ids cannot be looked up from outside, nor ours from inside it.
TEST(SystemProcessIdentity, AProcessOfAnotherPidNamespaceIsNotTakenForEnded)
{
    TestWorld world;
    const SystemProcessIdentity processes;
    const QString here = processes.Mine();
    const auto state = [&](const QString& identity) {
        return processes.HasEnded(identity) ? QStringLiteral("ended") : QStringLiteral("running");
    };
    ProcessInANewPidNamespace there([&](int out) {
        const QString mine = processes.Mine();
        SayTo(out, mine);
        SayTo(out, "the process outside: " + state(here));
        int named[2];
        if (pipe(named) != 0)
            _exit(1);
        const pid_t child = fork();
        if (child == 0) {
            SayTo(named[1], processes.Mine());
            _exit(0);
        }
        ::close(named[1]);
        const QString childName = ReadToTheEnd(named[0]).trimmed();
        if (waitpid(child, nullptr, 0) != child)
            _exit(1);
        // Now /proc is the outer namespace's, as where it was not mounted anew.
        if (umount2("/proc", MNT_DETACH) != 0)
            _exit(1);
        SayTo(out, "itself through an outer /proc: " + state(mine));
        SayTo(out, "its name through an outer /proc: " + QString(processes.Mine() == mine ? "the same" : "changed"));
        SayTo(out, "its own ended child through an outer /proc: " + state(childName));
    });
    if (!there.Started())
        GTEST_SKIP() << "this user may not make a pid namespace";
    ASSERT_FALSE(there.Said().isEmpty());
    const QString theirs = there.Said().front();
    EXPECT_EQ(PartsOf(theirs).pid, "1");
    EXPECT_FALSE(processes.HasEnded(theirs)) << "its pid here is another process's: " << theirs.toStdString();
    EXPECT_EQ(
        there.Said().mid(1).join(u'\n'),
        QStringList({"the process outside: running", "itself through an outer /proc: running",
                     "its name through an outer /proc: the same", "its own ended child through an outer /proc: ended"})
            .join(u'\n'));
    EXPECT_EQ(there.End(), 0);
    EXPECT_FALSE(processes.HasEnded(theirs)) << "seen from here it cannot have ended: the administrator unlocks";
    EXPECT_TRUE(processes.HasEnded(
        Joined({"an-earlier-boot", "1", PartsOf(theirs).start, PartsOf(theirs).space, PartsOf(theirs).computer})));
}

} // namespace
