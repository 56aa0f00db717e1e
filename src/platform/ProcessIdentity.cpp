#include "platform/ProcessIdentity.h"

#include "platform/AppContext.h"

#include <QFile>

#include <cerrno>
#include <optional>

#include <signal.h>
#include <unistd.h>

namespace {
constexpr QChar Separator = u'|';

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

// Fields 3 and 22 of /proc/<pid>/stat; the name before them may hold
// blanks and parentheses of its own.
std::optional<ProcessStat> ReadStat(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
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
} // namespace

QString SystemProcessIdentity::Mine() const
{
    const qint64 pid = ::getpid(); // read each time: a forked child is another process
    const auto stat = ReadStat(pid);
    return BootId() + Separator + QString::number(pid) + Separator + (stat ? stat->start : QString()) +
           Separator + AppContext::Current().computerId();
}

bool SystemProcessIdentity::HasEnded(const QString& identity) const
{
    bool numeric = false;
    const qint64 pid = identity.section(Separator, 1, 1).toLongLong(&numeric);
    if (!numeric || pid <= 0 || identity.section(Separator, 3) != AppContext::Current().computerId())
        return false;
    if (identity.section(Separator, 0, 0) != BootId())
        return true;
    const auto stat = ReadStat(pid);
    if (!stat) // hidden from this user, or gone
        return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
    return stat->state == 'Z' || stat->state == 'X' || stat->start != identity.section(Separator, 2, 2);
}
