#include "support/ProcessInANewPidNamespace.h"

#include <utility>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int Unsupported = 77;
}

ProcessInANewPidNamespace::ProcessInANewPidNamespace(const std::function<void(int out)>& inside)
{
    int said[2], hold[2];
    if (pipe(said) != 0 || pipe(hold) != 0)
        return;
    m_child = fork();
    if (m_child == 0) {
        ::close(said[0]);
        ::close(hold[1]);
        // A user namespace of its own where this user may make no other.
        if (unshare(CLONE_NEWPID | CLONE_NEWNS) != 0 && unshare(CLONE_NEWUSER | CLONE_NEWPID | CLONE_NEWNS) != 0)
            _exit(Unsupported);
        // What is mounted in there stays in there.
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            _exit(Unsupported);
        const pid_t first = fork();
        if (first == 0) {
            if (mount("proc", "/proc", "proc", MS_NOSUID | MS_NODEV | MS_NOEXEC, nullptr) != 0)
                _exit(Unsupported);
            inside(said[1]);
            ::close(said[1]);
            char c = 0;
            while (::read(hold[0], &c, 1) > 0) {
            }
            _exit(0);
        }
        ::close(said[1]);
        ::close(hold[0]);
        int status = 0;
        _exit(first > 0 && waitpid(first, &status, 0) == first && WIFEXITED(status) ? WEXITSTATUS(status) : 1);
    }
    ::close(said[1]);
    ::close(hold[0]);
    m_hold = hold[1];
    if (m_child > 0)
        m_said = ReadToTheEnd(said[0]).split(u'\n', Qt::SkipEmptyParts);
    else
        ::close(said[0]);
    if (m_said.isEmpty())
        End();
}

ProcessInANewPidNamespace::~ProcessInANewPidNamespace()
{
    End();
}

bool ProcessInANewPidNamespace::Started() const
{
    return m_status != Unsupported;
}

int ProcessInANewPidNamespace::End()
{
    if (m_hold >= 0)
        ::close(std::exchange(m_hold, -1));
    int status = 0;
    if (m_child > 0 && waitpid(std::exchange(m_child, -1), &status, 0) > 0)
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return m_status;
}

void SayTo(int out, const QString& line)
{
    const QByteArray text = line.toUtf8() + '\n';
    if (::write(out, text.constData(), size_t(text.size())) != text.size())
        _exit(1);
}

QString ReadToTheEnd(int fd)
{
    QByteArray text;
    char c = 0;
    while (::read(fd, &c, 1) == 1)
        text += c;
    ::close(fd);
    return QString::fromUtf8(text);
}
