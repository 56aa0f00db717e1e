#include "core/SharedFolderFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

namespace {
FileId Identify(int folder, const char* path, int flags, int64_t* size = nullptr, bool regularOnly = false)
{
    struct statx info {};
    if (::statx(folder, path, flags | AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_INO | STATX_SIZE | STATX_BTIME,
                &info) != 0 ||
        (regularOnly && !S_ISREG(info.stx_mode)))
        return {};
    if (size)
        *size = int64_t(info.stx_size);
    const int64_t birth =
        (info.stx_mask & STATX_BTIME) ? int64_t(info.stx_btime.tv_sec) * 1'000'000'000 + info.stx_btime.tv_nsec : 0;
    return {uint64_t(makedev(info.stx_dev_major, info.stx_dev_minor)), uint64_t(info.stx_ino), birth};
}
} // namespace

FileId IdOf(int fd)
{
    if (fd < 0)
        return {};
    return Identify(fd, "", AT_EMPTY_PATH);
}

FileId IdAt(const QString& path)
{
    return Identify(AT_FDCWD, QFile::encodeName(path).constData(), 0);
}

FileId RegularFileIn(int folder, const char* name, int64_t* size)
{
    return Identify(folder, name, 0, size, true);
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
