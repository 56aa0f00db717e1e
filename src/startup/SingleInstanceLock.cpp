#include "startup/SingleInstanceLock.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
bool MarkedWritable(const QFileInfo& info)
{
    return (info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)) != 0;
}
} // namespace

SingleInstanceLock::SingleInstanceLock(const QString& programFolder)
    : m_path(programFolder + QStringLiteral("/Nevix.lock"))
{
    // A lock file, or a folder to make it in, marked read-only is refused
    // as it is for every other user, also where the system would let this
    // one (root) open it anyway.
    const QFileInfo file(m_path);
    if (!MarkedWritable(file.exists() ? file : QFileInfo(file.absolutePath()))) {
        m_failure = qt_error_string(EACCES);
        return;
    }
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        m_failure = qt_error_string(errno);
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_otherRunning = errno == EWOULDBLOCK;
        if (!m_otherRunning)
            m_failure = qt_error_string(errno);
        ::close(fd);
        return;
    }
    m_fd = fd;
}

SingleInstanceLock::~SingleInstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
