#include "startup/SingleInstanceLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstanceLock::SingleInstanceLock(const QString& programFolder)
    : m_path(programFolder + QStringLiteral("/Nevix.lock"))
{
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
