#include "core/SharedFolderFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SharedFolderFile {

QString RefusalText(int error)
{
    switch (error) {
    case ELOOP:
        return QStringLiteral("A symbolic link has that name; it is never written through");
    case EINVAL:
        return QStringLiteral("Something other than a regular file (a FIFO, a device or a folder) has that name");
    case EPERM:
        return QStringLiteral("The file there belongs to another user");
    default:
        return qt_error_string(error);
    }
}

FileId IdOf(int fd)
{
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0)
        return {};
    return {uint64_t(info.st_dev), uint64_t(info.st_ino)};
}

FileId IdAt(const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {uint64_t(info.st_dev), uint64_t(info.st_ino)};
}

void SyncFolderOf(const QString& path)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

int Open(const QString& path, int flags, Owner owner, QString* reason)
{
    const QByteArray native = QFile::encodeName(path);
    // O_NONBLOCK: a FIFO opened for reading with no writer, or for writing
    // with no reader, would otherwise wait for ever.
    int fd = ::open(native.constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    int error = fd < 0 ? errno : 0;
    if (fd < 0 && error == ENXIO)
        error = EINVAL; // a FIFO with no reader
    if (fd >= 0) {
        struct stat info {};
        if (::fstat(fd, &info) != 0)
            error = errno;
        else if (!S_ISREG(info.st_mode))
            error = EINVAL;
        else if (owner == Owner::Mine && info.st_uid != ::geteuid())
            error = EPERM;
        else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
            error = errno;
        if (error != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0) {
        if (reason)
            *reason = RefusalText(error);
        errno = error;
    }
    return fd;
}

} // namespace SharedFolderFile
