#include "transfer/PendingExport.h"

#include "core/AtomicFile.h"
#include "core/JuxUtils.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using SharedFolderFile::FileId;

namespace {
const QString Replaced = QStringLiteral("Another file has taken the place of the one written");

// How often a chosen file that changes while it is being placed is read again.
constexpr int PlaceAttempts = 10;
// As many as a day's numbers.
constexpr int MaxNames = 1000;

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

QString FolderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

// Closes a descriptor when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

PlaceResult Result(PlaceResult::Outcome outcome, const QString& name, const QString& reason = {})
{
    return {outcome, name, reason};
}

PlaceResult Refused(const QString& file, const QString& reason)
{
    return Result(PlaceResult::Failed, {}, file + QStringLiteral(": ") + reason);
}

// The whole file from its start; "" with the reason in *reason when it
// cannot be read.
QByteArray ReadAll(int fd, QString* reason)
{
    reason->clear();
    QFile file;
    QByteArray bytes;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        *reason = file.errorString();
    return bytes;
}

int WriteAll(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        done += n;
    }
    return 0;
}

// The name in the folder that holds the file, "" when none does.
QString NameHolding(const QString& folder, const FileId& file)
{
    DIR* dir = ::opendir(Native(folder).constData());
    if (!dir)
        return {};
    QString found;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            uint64_t(info.st_ino) == file.inode) {
            found = QFile::decodeName(entry->d_name);
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// The folder can be read here and is the very one the file was written in.
bool FolderProven(const PendingExport& pending, const QString& folder)
{
    return pending.folderId.IsValid() && pending.computerId == AppContext::Current().computerId() &&
           FolderIdOf(pending.path) == pending.folderId && ::access(Native(folder).constData(), R_OK | X_OK) == 0;
}

// A file of the export, opened only when it is the regular file written:
// -1 with errno ENOENT when the name is free, else the refusal in *reason.
int OpenOwn(const QString& path, int flags, const FileId& expected, QString* reason)
{
    const int fd = SharedFolderFile::Open(path, flags, SharedFolderFile::Owner::Anyone, reason);
    if (fd < 0 || !expected.IsValid() || SharedFolderFile::IdOf(fd).inode == expected.inode)
        return fd;
    ::close(fd);
    *reason = Replaced;
    errno = EEXIST;
    return -1;
}

// The file is gone from its pending name: it was named, here or by another
// installation, unless this computer cannot tell.
PlaceResult Gone(const PendingExport& pending, const FileId& file)
{
    const QString folder = FolderOf(pending.path);
    if (!FolderProven(pending, folder))
        return Result(PlaceResult::Undecided, {},
                      QStringLiteral("its folder cannot be reached from here, or is not the one it was written in"));
    const QString name = NameHolding(folder, file);
    if (name.isEmpty())
        return Result(PlaceResult::TakenAway, pending.path);
    return Result(PlaceResult::AlreadyNamed, folder + u'/' + name);
}

PlaceResult PlaceNew(const PendingExport& pending)
{
    QString reason;
    const int fd = OpenOwn(pending.pending, O_RDONLY, pending.pendingId, &reason);
    if (fd < 0 && errno == ENOENT)
        return Gone(pending, pending.pendingId);
    if (fd < 0)
        return Refused(pending.pending, reason);
    struct stat info {};
    const bool linked = ::fstat(fd, &info) == 0 && info.st_nlink > 1;
    const FileId written = SharedFolderFile::IdOf(fd);
    ::close(fd);
    const QString folder = FolderOf(pending.path);
    // A second name means a run was killed between linking the file to its
    // name and removing the pending one: it is named already. The pending
    // name goes first, so that the name found is the other one.
    if (linked) {
        ::unlink(Native(pending.pending).constData());
        const QString name = NameHolding(folder, written);
        return Result(PlaceResult::AlreadyNamed, name.isEmpty() ? pending.path : folder + u'/' + name);
    }

    QString name = QFileInfo(pending.path).fileName();
    for (int attempt = 0; attempt < MaxNames && !name.isEmpty(); ++attempt, name = NextExportFileName(name)) {
        const QString target = folder + u'/' + name;
        if (SharedFolderFile::IdAt(pending.pending) != written)
            return SharedFolderFile::IdAt(pending.pending).IsValid()
                       ? Refused(pending.pending, Replaced)
                       : Gone(pending, written);
        const int error = AtomicFile::Rename(pending.pending, target, AtomicFile::Placement::NewOnly);
        if (error == 0)
            return Result(PlaceResult::Named, target);
        if (error == ENOENT && !SharedFolderFile::IdAt(pending.pending).IsValid())
            return Gone(pending, written); // named by another installation meanwhile
        if (error != EEXIST)
            return Refused(target, qt_error_string(error));
    }
    return Refused(pending.path, QStringLiteral("Every name of its pattern is taken"));
}

// The records appended to what the chosen file holds now, placed whole.
PlaceResult PlaceAppended(const PendingExport& pending)
{
    QString reason;
    const Descriptor placing(OpenOwn(pending.placing, O_RDWR, pending.placingId, &reason));
    if (placing.get() < 0 && errno != ENOENT)
        return Refused(pending.placing, reason);
    const Descriptor records(OpenOwn(pending.pending, O_RDONLY, pending.pendingId, &reason));
    if (records.get() < 0 && errno != ENOENT)
        return Refused(pending.pending, reason);
    const bool recordsThere = records.get() >= 0;
    if (placing.get() < 0) {
        // The placing file leaves its name only by taking the chosen one.
        if (recordsThere) {
            ::unlink(Native(pending.pending).constData());
            return Result(PlaceResult::AlreadyNamed, pending.path);
        }
        return Gone(pending, pending.placingId);
    }
    if (!recordsThere)
        return Refused(pending.pending, QStringLiteral("The new records are missing"));
    // Two installations placing one file at once would write it together.
    if (::flock(placing.get(), LOCK_EX | LOCK_NB) != 0)
        return Result(PlaceResult::Undecided, {}, QStringLiteral("another installation is placing it"));
    const QByteArray added = ReadAll(records.get(), &reason);
    if (!reason.isEmpty())
        return Refused(pending.pending, reason);
    if (pending.pendingSize >= 0 && added.size() != pending.pendingSize)
        return Refused(pending.pending, QStringLiteral("The new records are not as they were written"));

    for (int attempt = 0; attempt < PlaceAttempts; ++attempt) {
        QByteArray whole;
        struct stat chosen {};
        const Descriptor earlier(SharedFolderFile::Open(pending.path, O_RDONLY, SharedFolderFile::Owner::Anyone, &reason));
        const bool exists = earlier.get() >= 0;
        if (!exists && errno != ENOENT)
            return Refused(pending.path, reason);
        if (exists) {
            if (::fstat(earlier.get(), &chosen) != 0)
                return Refused(pending.path, qt_error_string(errno));
            whole = ReadAll(earlier.get(), &reason);
            if (!reason.isEmpty())
                return Refused(pending.path, reason);
        }
        whole += added;
        const mode_t mode = *AtomicFile::ModeFor(AtomicFile::Content::KeeperData, exists ? &chosen : nullptr);
        if (::ftruncate(placing.get(), 0) != 0 || ::lseek(placing.get(), 0, SEEK_SET) != 0)
            return Refused(pending.placing, qt_error_string(errno));
        if (const int error = WriteAll(placing.get(), whole))
            return Refused(pending.placing, qt_error_string(error));
        if (::fchmod(placing.get(), mode) != 0 || ::fsync(placing.get()) != 0)
            return Refused(pending.placing, qt_error_string(errno));

        // What another writer added since it was read is not to be lost.
        struct stat now {};
        const bool stillThere = ::lstat(Native(pending.path).constData(), &now) == 0;
        if (stillThere != exists ||
            (exists && (now.st_ino != chosen.st_ino || now.st_size != chosen.st_size ||
                        now.st_mtim.tv_sec != chosen.st_mtim.tv_sec || now.st_mtim.tv_nsec != chosen.st_mtim.tv_nsec)))
            continue;
        if (SharedFolderFile::IdAt(pending.placing) != SharedFolderFile::IdOf(placing.get()))
            return Refused(pending.placing, Replaced);
        const int error = AtomicFile::Rename(pending.placing, pending.path,
                                             exists ? AtomicFile::Placement::ReplaceExisting
                                                    : AtomicFile::Placement::NewOnly);
        if (error == EEXIST && !exists)
            continue; // made meanwhile: its content goes first
        if (error != 0)
            return Refused(pending.path, qt_error_string(error));
        ::unlink(Native(pending.pending).constData());
        return Result(PlaceResult::Named, pending.path);
    }
    return Result(PlaceResult::Undecided, {}, QStringLiteral("the chosen file kept changing while it was placed"));
}

// A row of an earlier build: the pending file is the chosen file's new content.
PlaceResult PlaceLegacyAppend(const PendingExport& pending)
{
    QString reason;
    const int fd = SharedFolderFile::Open(pending.pending, O_RDONLY, SharedFolderFile::Owner::Anyone, &reason);
    if (fd < 0 && errno == ENOENT)
        return Result(PlaceResult::Undecided, {}, QStringLiteral("nothing shows whether it took its name"));
    if (fd < 0)
        return Refused(pending.pending, reason);
    ::close(fd);
    if (const int error = AtomicFile::Rename(pending.pending, pending.path, AtomicFile::Placement::ReplaceExisting))
        return Refused(pending.path, qt_error_string(error));
    return Result(PlaceResult::Named, pending.path);
}
} // namespace

PlaceResult PlacePendingExport(const PendingExport& pending)
{
    if (pending.IsLegacyAppend())
        return PlaceLegacyAppend(pending);
    return pending.isNew ? PlaceNew(pending) : PlaceAppended(pending);
}

FileId CreatePlacingFile(const QString& placing, const QString& chosen)
{
    const auto failed = [&](int error) {
        return NevixError(ErrorNumbers::PathFileAccess, QStringLiteral("Could not create the export file ") + chosen +
                                                            QStringLiteral(": ") + SharedFolderFile::RefusalText(error));
    };
    struct stat earlier {};
    const bool exists = ::lstat(Native(chosen).constData(), &earlier) == 0 && S_ISREG(earlier.st_mode);
    const Descriptor fd(
        ::open(Native(placing).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() < 0)
        throw failed(errno);
    const FileId id = SharedFolderFile::IdOf(fd.get());
    if (::fchmod(fd.get(), *AtomicFile::ModeFor(AtomicFile::Content::KeeperData, exists ? &earlier : nullptr)) != 0 ||
        ::fsync(fd.get()) != 0) {
        const int error = errno;
        ::unlink(Native(placing).constData());
        throw failed(error);
    }
    // Its name must outlast a crash as surely as the marks it answers for.
    SharedFolderFile::SyncFolderOf(placing);
    return id;
}

FileId FolderIdOf(const QString& file)
{
    struct stat info {};
    if (::stat(Native(FolderOf(file)).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return {};
    return {uint64_t(info.st_dev), uint64_t(info.st_ino)};
}

QString FileIdText(const FileId& id)
{
    return id.IsValid() ? QString::number(id.device) + u':' + QString::number(id.inode) : QString();
}

FileId FileIdFromText(const QString& text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        return {};
    return {text.left(colon).toULongLong(), text.mid(colon + 1).toULongLong()};
}
