#include "transfer/PendingExport.h"

#include "core/AtomicFile.h"
#include "core/JuxUtils.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "transfer/ExportSteps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

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

// The name of the export's pattern that holds that very file in the folder
// (of `size` bytes, where given), "" when none does. Only the folder's own
// entry names a file: a link elsewhere, or under another name, does not.
QString NameHolding(const QString& folder, const PendingExport& pending, const FileId& file, int64_t size)
{
    DIR* dir = ::opendir(Native(folder).constData());
    if (!dir)
        return {};
    const QStringList names = ExportFileNamesFrom(QFileInfo(pending.path).fileName());
    const QSet<QString> pattern(names.cbegin(), names.cend());
    QString found;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        int64_t entrySize = -1;
        if (pattern.contains(name) &&
            SharedFolderFile::RegularFileIn(::dirfd(dir), entry->d_name, &entrySize).SameFileAs(file) &&
            (size < 0 || entrySize == size)) {
            found = name;
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
    if (fd < 0 || !expected.IsValid() || SharedFolderFile::IdOf(fd).SameFileAs(expected))
        return fd;
    ::close(fd);
    *reason = Replaced;
    errno = EEXIST;
    return -1;
}

// The chosen file, opened for its lock: a lock on a network share is
// taken only on a file open for writing.
int OpenChosen(const QString& path, QString* reason)
{
    const int fd = SharedFolderFile::Open(path, O_RDWR, SharedFolderFile::Owner::Anyone, reason);
    if (fd >= 0 || (errno != EACCES && errno != EROFS))
        return fd;
    return SharedFolderFile::Open(path, O_RDONLY, SharedFolderFile::Owner::Anyone, reason);
}

enum class ChosenLock { Taken, Busy, Failed };

// Every export placing into a chosen file holds the lock of the file it
// reads from the reading through the rename, so that none renames over
// records another placed meanwhile. A lock kept longer than any placement
// takes is given up on, with errno EWOULDBLOCK.
ChosenLock LockChosen(int fd)
{
    constexpr int Waits = 200;
    constexpr useconds_t Wait = 50'000;
    for (int waited = 0;; ++waited) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return ChosenLock::Taken;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return ChosenLock::Failed;
        if (waited == 0)
            ReachExportStep(ExportStep::ChosenFileBusy);
        if (waited == Waits)
            return ChosenLock::Busy;
        ::usleep(Wait);
    }
}

// The file is gone from its pending name: it was named, here or by another
// installation, unless this computer cannot tell.
PlaceResult Gone(const PendingExport& pending, const FileId& file, int64_t size)
{
    const QString folder = FolderOf(pending.path);
    if (!FolderProven(pending, folder))
        return Result(PlaceResult::Undecided, {},
                      QStringLiteral("its folder cannot be reached from here, or is not the one it was written in"));
    const QString name = NameHolding(folder, pending, file, size);
    if (name.isEmpty())
        return Result(PlaceResult::TakenAway, pending.path);
    return Result(PlaceResult::AlreadyNamed, folder + u'/' + name);
}

PlaceResult PlaceNew(const PendingExport& pending)
{
    QString reason;
    const int fd = OpenOwn(pending.pending, O_RDONLY, pending.pendingId, &reason);
    if (fd < 0 && errno == ENOENT)
        return Gone(pending, pending.pendingId, pending.pendingSize);
    if (fd < 0)
        return Refused(pending.pending, reason);
    struct stat info {};
    const bool linked = ::fstat(fd, &info) == 0 && info.st_nlink > 1;
    const FileId written = SharedFolderFile::IdOf(fd);
    ::close(fd);
    const QString folder = FolderOf(pending.path);
    // A run killed between linking the file to its name and removing the
    // pending one left it named: the pending name goes. A second link
    // anywhere else names nothing, and the file is named as usual.
    if (linked) {
        if (const QString name = NameHolding(folder, pending, written, -1); !name.isEmpty()) {
            ::unlink(Native(pending.pending).constData());
            return Result(PlaceResult::AlreadyNamed, folder + u'/' + name);
        }
    }

    for (const QString& name : ExportFileNamesFrom(QFileInfo(pending.path).fileName())) {
        const QString target = folder + u'/' + name;
        if (SharedFolderFile::IdAt(pending.pending) != written)
            return SharedFolderFile::IdAt(pending.pending).IsValid()
                       ? Refused(pending.pending, Replaced)
                       : Gone(pending, written, pending.pendingSize);
        const int error = AtomicFile::Rename(pending.pending, target, AtomicFile::Placement::NewOnly);
        if (error == 0)
            return Result(PlaceResult::Named, target);
        if (error == ENOENT && !SharedFolderFile::IdAt(pending.pending).IsValid())
            return Gone(pending, written, pending.pendingSize); // named by another installation meanwhile
        if (error != EEXIST)
            return Refused(target, qt_error_string(error));
    }
    return Result(PlaceResult::Undecided, {}, QStringLiteral("every name of its pattern is taken"));
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
        return Gone(pending, pending.placingId, -1);
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
        const Descriptor earlier(OpenChosen(pending.path, &reason));
        const bool exists = earlier.get() >= 0;
        if (!exists && errno != ENOENT)
            return Refused(pending.path, reason);
        if (exists) {
            switch (LockChosen(earlier.get())) {
            case ChosenLock::Taken:
                break;
            case ChosenLock::Busy:
                return Result(PlaceResult::Undecided, {},
                              QStringLiteral("another export kept the file locked while placing into it"));
            case ChosenLock::Failed:
                return Refused(pending.path, qt_error_string(errno));
            }
            // Replaced while its lock was awaited: what is there now goes first.
            if (SharedFolderFile::IdAt(pending.path) != SharedFolderFile::IdOf(earlier.get()))
                continue;
            if (::fstat(earlier.get(), &chosen) != 0)
                return Refused(pending.path, qt_error_string(errno));
            whole = ReadAll(earlier.get(), &reason);
            if (!reason.isEmpty())
                return Refused(pending.path, reason);
        }
        // The first new record starts a line of its own.
        if (!whole.isEmpty() && !whole.endsWith('\n'))
            whole += whole.endsWith('\r') ? "\n" : "\r\n";
        whole += added;
        const mode_t mode = *AtomicFile::ModeFor(AtomicFile::Content::KeeperData, exists ? &chosen : nullptr);
        if (::ftruncate(placing.get(), 0) != 0 || ::lseek(placing.get(), 0, SEEK_SET) != 0)
            return Refused(pending.placing, qt_error_string(errno));
        if (const int error = WriteAll(placing.get(), whole))
            return Refused(pending.placing, qt_error_string(error));
        if (::fchmod(placing.get(), mode) != 0 || ::fsync(placing.get()) != 0)
            return Refused(pending.placing, qt_error_string(errno));

        ReachExportStep(ExportStep::ChosenFileRead);
        // What another program added since it was read is not to be lost.
        struct stat now {};
        const bool stillThere = ::lstat(Native(pending.path).constData(), &now) == 0;
        if (stillThere != exists ||
            (exists && (now.st_ino != chosen.st_ino || now.st_size != chosen.st_size ||
                        now.st_mtim.tv_sec != chosen.st_mtim.tv_sec || now.st_mtim.tv_nsec != chosen.st_mtim.tv_nsec)))
            continue;
        if (SharedFolderFile::IdAt(pending.placing) != SharedFolderFile::IdOf(placing.get()))
            return Refused(pending.placing, Replaced);
        ReachExportStep(ExportStep::ChosenFileReplacing);
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

QString HiddenFileTag(const QString& mark, const QString& drawn)
{
    return mark.isEmpty() ? drawn : mark + u'-' + drawn;
}

bool IsHiddenExportFileOf(const QString& name, const QString& mark)
{
    // "." + name + "." + tag + a suffix; AtomicFile's temporary file of a
    // pending one is "." + that + "." + a drawn part + ".tmp".
    static const QRegularExpression hidden(QStringLiteral(
        "^\\..+\\.([0-9a-f]{12})-[0-9a-z]{1,7}\\.(pending|placing|pending\\.[0-9a-z]{1,7}\\.tmp)$"));
    const QRegularExpressionMatch match = hidden.match(name);
    return !mark.isEmpty() && match.hasMatch() && match.captured(1) == mark;
}

QString FileIdText(const FileId& id)
{
    if (!id.IsValid())
        return {};
    const QString text = QString::number(id.device) + u':' + QString::number(id.inode);
    return id.birth != 0 ? text + u':' + QString::number(id.birth) : text;
}

FileId FileIdFromText(const QString& text)
{
    // Rows of earlier builds hold no birth.
    const QStringList parts = text.split(u':');
    if (parts.size() < 2)
        return {};
    return {parts[0].toULongLong(), parts[1].toULongLong(), parts.size() > 2 ? parts[2].toLongLong() : 0};
}
