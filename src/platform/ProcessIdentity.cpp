#include "platform/ProcessIdentity.h"

#include "platform/AppContext.h"

#include <QFile>

#include <cerrno>
#include <optional>

#include <limits.h>
#include <signal.h>
#include <unistd.h>

namespace {
constexpr QChar Separator = u'|';
// Opens the pid namespace's part of a name; the earlier build wrote none.
const QString NamespaceTag = QStringLiteral("pid:");

QString BootId()
{
    static const QString id = [] {
        QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readLine(64)).trimmed() : QString();
    }();
    return id;
}

struct ProcessStat {
    char state = 0;
    QString start; // clock ticks after the boot
};

// Fields 3 and 22 of /proc/<process>/stat; the name before them may hold
// blanks and parentheses of its own.
std::optional<ProcessStat> ReadStat(const QString& process)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(process));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.readAll();
    const qsizetype nameEnd = text.lastIndexOf(')');
    if (nameEnd < 0)
        return std::nullopt;
    const QList<QByteArray> fields = text.mid(nameEnd + 1).simplified().split(' ');
    if (fields.size() < 20 || fields[0].isEmpty())
        return std::nullopt;
    return ProcessStat{fields[0].at(0), QString::fromLatin1(fields[19])};
}

QString ReadLink(const char* path)
{
    char target[PATH_MAX];
    const ssize_t size = ::readlink(path, target, sizeof target);
    return size > 0 && size_t(size) < sizeof target ? QString::fromLatin1(target, size) : QString();
}

// "pid:[4026531836]" as the kernel names it, read each time (a child forked
// after an unshare is in another); the tag alone where it cannot be read.
QString ThisNamespace()
{
    const QString link = ReadLink("/proc/self/ns/pid");
    return link.startsWith(NamespaceTag) ? link : NamespaceTag;
}

// A /proc mounted for another pid namespace (an outer one, where a sandbox
// did not mount its own) lists other processes under our ids.
bool ProcShowsThisNamespace()
{
    return ReadLink("/proc/self") == QString::number(::getpid());
}
} // namespace

QString SystemProcessIdentity::Mine() const
{
    const qint64 pid = ::getpid(); // read each time: a forked child is another process
    const auto stat = ReadStat(QStringLiteral("self")); // ours, whichever namespace /proc lists
    return BootId() + Separator + QString::number(pid) + Separator + (stat ? stat->start : QString()) +
           Separator + ThisNamespace() + Separator + AppContext::Current().computerId();
}

bool SystemProcessIdentity::HasEnded(const QString& identity) const
{
    bool numeric = false;
    const qint64 pid = identity.section(Separator, 1, 1).toLongLong(&numeric);
    const QString space = identity.section(Separator, 3, 3);
    const bool spaced = space.startsWith(NamespaceTag);
    if (!numeric || pid <= 0 || identity.section(Separator, spaced ? 4 : 3) != AppContext::Current().computerId())
        return false;
    if (identity.section(Separator, 0, 0) != BootId())
        return true;
    if (spaced) {
        // Another namespace's ids cannot be looked up from here: a container
        // keeps this computer's name. Only the administrator frees its lock.
        if (space == NamespaceTag || space != ThisNamespace())
            return false;
        if (!ProcShowsThisNamespace()) // kill() still asks our namespace
            return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
    }
    const auto stat = ReadStat(QString::number(pid));
    if (!stat) // hidden from this user, or gone
        return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
    return stat->state == 'Z' || stat->state == 'X' || stat->start != identity.section(Separator, 2, 2);
}
