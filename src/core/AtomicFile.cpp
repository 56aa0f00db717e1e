#include "core/AtomicFile.h"

#include "core/SharedFolderFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
AtomicFile::FaultHook& Hook()
{
    static AtomicFile::FaultHook hook;
    return hook;
}

int Injected(const QString& target, AtomicFile::Step step)
{
    qint64 length = 0;
    return Hook() ? Hook()(target, step, length) : 0;
}

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

// 0 when the file now has the target's name, else the errno.
int Place(const QString& written, const QString& target, AtomicFile::Placement placement)
{
    if (const int injected = Injected(target, AtomicFile::Step::Place))
        return injected;
    const QByteArray from = Native(written);
    const QByteArray to = Native(target);
    if (placement == AtomicFile::Placement::ReplaceExisting) {
        if (::rename(from.constData(), to.constData()) != 0)
            return errno;
    } else if (const int refused = Injected(target, AtomicFile::Step::NoReplaceRename);
               refused != 0 ||
               ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) != 0) {
        int error = refused != 0 ? refused : errno;
        // A file system without the no-replace rename: a link fails on a
        // name that is taken just as well.
        if (error == EINVAL || error == ENOSYS) {
            error = ::link(from.constData(), to.constData()) == 0 ? 0 : errno;
            if (error == 0)
                if (const int stopped = Injected(target, AtomicFile::Step::Linked))
                    return stopped;
        }
        // The name may already hold this very file: a link made by a run
        // killed before it removed the old name, or by another installation
        // placing the same file at the same moment. One file keeps one name.
        if (error == EEXIST && SharedFolderFile::IdAt(written).IsValid() &&
            SharedFolderFile::IdAt(written) == SharedFolderFile::IdAt(target))
            error = 0;
        if (error != 0)
            return error;
        ::unlink(from.constData());
    }
    SharedFolderFile::SyncFolderOf(target);
    return 0;
}

QString Reason(int error)
{
    return qt_error_string(error);
}
} // namespace

void AtomicFile::SetFaultHook(FaultHook hook)
{
    Hook() = std::move(hook);
}

AtomicFile::AtomicFile(QString path, Placement placement, Content content)
    : m_path(std::move(path)), m_target(m_path), m_placement(placement), m_content(content)
{
    // Replacing a symbolic link would cut it; the file it leads to is meant.
    const QFileInfo info(m_path);
    if (m_content == Content::Settings && info.isSymLink())
        m_target = info.symLinkTarget();
}

AtomicFile::~AtomicFile()
{
    if (!m_committed)
        Discard();
}

bool AtomicFile::Open()
{
    if (isOpen() || m_committed)
        return false;
    m_errno = 0;
    if (const int injected = Injected(m_target, Step::Open))
        return Fail(injected);
    struct stat old {};
    const QByteArray name = Native(m_target);
    const bool exists =
        (m_content == Content::KeeperData ? ::lstat(name.constData(), &old) : ::stat(name.constData(), &old)) == 0;
    // A link, a FIFO or a device at the name is never replaced, nor a
    // folder: only a regular file.
    if (m_placement == Placement::ReplaceExisting && exists && !S_ISREG(old.st_mode)) {
        const int error = S_ISLNK(old.st_mode) ? ELOOP : EINVAL;
        Fail(error);
        setErrorString(SharedFolderFile::RefusalText(error));
        return false;
    }
    if (m_content == Content::KeeperData && exists && S_ISLNK(old.st_mode)) {
        Fail(ELOOP);
        setErrorString(SharedFolderFile::RefusalText(ELOOP));
        return false;
    }
    // The rename would get past a file its owner made read-only; the
    // platform's own writer refuses it, and so does this one.
    if (m_placement == Placement::ReplaceExisting && exists && ::access(name.constData(), W_OK) != 0)
        return Fail(errno);
    const QFileInfo target(m_target);
    // Private until its mode is set, so nobody opens it in between.
    const mode_t created = m_content == Content::KeeperData ? 0600 : 0666;
    for (int attempt = 0; m_fd < 0; ++attempt) {
        m_temporary = target.absolutePath() + QStringLiteral("/.") + target.fileName() + u'.' +
                      QString::number(QRandomGenerator::global()->generate(), 36) +
                      QStringLiteral(".tmp");
        m_fd = ::open(Native(m_temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      created);
        if (m_fd < 0 && (errno != EEXIST || attempt == 100)) {
            const int error = errno;
            m_temporary.clear();
            return Fail(error);
        }
    }
    const bool replacing = m_placement == Placement::ReplaceExisting && exists;
    if (const std::optional<mode_t> mode = ModeFor(m_content, replacing ? &old : nullptr))
        ::fchmod(m_fd, *mode);
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

std::optional<mode_t> AtomicFile::ModeFor(Content content, const struct stat* replaced)
{
    // Set-id and sticky bits are never carried over, whoever set them.
    if (content == Content::Settings)
        return replaced ? std::optional<mode_t>(replaced->st_mode & 0777) : std::nullopt;
    // Keeper data keeps the permissions only of a file of the same owner,
    // and others never get to write it.
    if (replaced && replaced->st_uid == ::geteuid())
        return replaced->st_mode & 0777 & ~mode_t(S_IWOTH);
    return KeeperDataMode;
}

bool AtomicFile::WriteAll(const QByteArray& bytes)
{
    return write(bytes) == bytes.size();
}

qint64 AtomicFile::readData(char*, qint64)
{
    return -1;
}

qint64 AtomicFile::writeData(const char* data, qint64 length)
{
    if (m_errno != 0 || m_fd < 0)
        return -1;
    m_buffer.append(data, length);
    if (m_buffer.size() >= BufferSize && !Flush())
        return -1;
    return length;
}

bool AtomicFile::Flush()
{
    qint64 allowed = m_buffer.size();
    const int injected = Hook() ? Hook()(m_target, Step::Write, allowed) : 0;
    allowed = std::clamp<qint64>(allowed, 0, m_buffer.size());
    for (qint64 done = 0; done < allowed;) {
        const ssize_t n = ::write(m_fd, m_buffer.constData() + done, size_t(allowed - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail(n < 0 ? errno : ENOSPC);
        done += n;
    }
    if (injected != 0)
        return Fail(injected);
    m_buffer.clear();
    return true;
}

bool AtomicFile::Commit()
{
    if (m_committed)
        return true;
    if (m_errno != 0 || m_fd < 0)
        return Fail(m_errno != 0 ? m_errno : EBADF);
    if (!m_buffer.isEmpty() && !Flush())
        return false;
    if (const int injected = Injected(m_target, Step::Sync))
        return Fail(injected);
    if (::fsync(m_fd) != 0)
        return Fail(errno);
    m_id = SharedFolderFile::IdOf(m_fd);
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0)
        return Fail(errno);
    if (const int error = ::Place(m_temporary, m_target, m_placement))
        return Fail(error);
    m_temporary.clear();
    m_committed = true;
    QIODevice::close();
    return true;
}

void AtomicFile::Discard()
{
    RemoveTemporary();
    if (isOpen())
        QIODevice::close();
}

bool AtomicFile::DeviceFailure() const
{
    return m_errno == ENOSPC || m_errno == EDQUOT || m_errno == EIO || m_errno == EFBIG;
}

bool AtomicFile::TargetExists() const
{
    return m_errno == EEXIST;
}

bool AtomicFile::Fail(int error)
{
    if (m_errno == 0) {
        m_errno = error;
        setErrorString(Reason(error));
    }
    RemoveTemporary();
    return false;
}

void AtomicFile::CloseTemporary()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void AtomicFile::RemoveTemporary()
{
    CloseTemporary();
    m_buffer.clear();
    if (!m_temporary.isEmpty())
        ::unlink(Native(m_temporary).constData());
    m_temporary.clear();
}

bool AtomicFile::Write(const QString& path, const QByteArray& bytes, QString* error,
                       Placement placement, Content content)
{
    AtomicFile file(path, placement, content);
    if (file.Open() && file.WriteAll(bytes) && file.Commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

void AtomicFile::RemoveUnfinished(const QString& path)
{
    const QFileInfo target(path);
    QDir folder(target.absolutePath());
    for (const QString& name :
         folder.entryList({QStringLiteral(".") + target.fileName() + QStringLiteral(".*.tmp")},
                          QDir::Files | QDir::Hidden | QDir::System))
        folder.remove(name);
}

int AtomicFile::Rename(const QString& written, const QString& target, Placement placement)
{
    return ::Place(written, target, placement);
}

bool AtomicFile::PutInPlace(const QString& written, const QString& target, Placement placement,
                            QString* error)
{
    int failure = Injected(target, Step::Sync);
    QString refused;
    if (failure == 0) {
        const int fd = SharedFolderFile::Open(written, O_RDONLY, SharedFolderFile::Owner::Anyone, &refused);
        if (fd < 0 || ::fsync(fd) != 0)
            failure = errno;
        if (fd >= 0)
            ::close(fd);
    }
    if (failure == 0)
        failure = ::Place(written, target, placement);
    if (failure != 0 && error)
        *error = refused.isEmpty() ? Reason(failure) : refused;
    return failure == 0;
}
