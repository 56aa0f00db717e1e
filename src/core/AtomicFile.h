#pragma once

#include "core/SharedFolderFile.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <optional>
#include <sys/types.h>

struct stat;

// A file that takes its name only once every byte of it is on the disk. It
// is written beside its target under a temporary name, each write checked
// to the end, then synced and closed, and only then renamed over the old
// file (or, for a file that must never replace another, given its name
// only while that name is free). Until Commit the target is untouched; a
// failure, a Discard or the destructor removes the temporary file.
//
// A buffered write that reports success and a rename that trusts it can put
// an empty file in place of a good one when the disk fills: here every
// write of the buffer is checked to its last byte before the sync.
class AtomicFile : public QIODevice {
public:
    enum class Placement { ReplaceExisting, NewOnly };
    // What the file holds decides what a symbolic link at its name means
    // and the mode of a new file. Keeper data (exports, reports, saved
    // logs) is never written through a link, which anyone who can write
    // the folder may have put there: the name is refused. A new file of it
    // is readable by the owner and group only, as the database is; one that
    // replaces a file of the same owner keeps its permissions, without
    // write for others. The settings file may be a link its administrator
    // put there: the file it leads to is replaced, and a new one takes the
    // umask's mode.
    enum class Content { KeeperData, Settings };
    static constexpr int KeeperDataMode = 0660;

    // The steps at which tests make the disk fail (see SetFaultHook).
    // NoReplaceRename stands for that rename's own result, so EINVAL makes
    // a file system without it; Linked is the moment such a file system has
    // the file under both names, and any other value stops it there, as a
    // kill would.
    enum class Step { Open, Write, Sync, Place, NoReplaceRename, Linked };
    // Called before each step: 0 lets it run, any other value is the errno
    // it fails with. For a Write, lowering `length` lets that many bytes
    // reach the file first, as a disk that fills part-way does.
    using FaultHook = std::function<int(const QString& target, Step step, qint64& length)>;
    static void SetFaultHook(FaultHook hook);

    explicit AtomicFile(QString path, Placement placement = Placement::ReplaceExisting,
                        Content content = Content::KeeperData);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    QString Path() const { return m_path; }

    // Creates the temporary file; false when that fails (see errorString).
    bool Open();
    bool WriteAll(const QByteArray& bytes);
    // Syncs the file and puts it in place; false when any write so far or
    // any of these steps failed, and then the target is as it was.
    bool Commit();
    // Drops what was written; the target stays as it was.
    void Discard();

    // The errno of the first failure, 0 while none.
    int SystemError() const { return m_errno; }
    // The failure came from the disk (full, over quota, failing) rather
    // than from a refusal (no access, no such folder).
    bool DeviceFailure() const;
    // A NewOnly file found its name taken.
    bool TargetExists() const;
    // The file written, once committed.
    SharedFolderFile::FileId FileId() const { return m_id; }
    // The mode a file of that content takes, replacing the file described
    // (none for a new one); none where the umask decides.
    static std::optional<mode_t> ModeFor(Content content, const struct stat* replaced);

    // The whole of a file in one call. False with the reason in *error.
    static bool Write(const QString& path, const QByteArray& bytes, QString* error,
                      Placement placement = Placement::ReplaceExisting,
                      Content content = Content::KeeperData);
    // Puts a file already written in full (a database its engine has
    // closed) in place of the target, synced first.
    static bool PutInPlace(const QString& written, const QString& target, Placement placement,
                           QString* error);
    // Gives a file already written and synced the target's name: the
    // placement step of Commit alone. 0 or the errno; a NewOnly target that
    // already holds this very file counts as placed.
    static int Rename(const QString& written, const QString& target, Placement placement);
    // Removes the temporary files that writes of this path left when the
    // process was killed. Only for a path no one else is writing.
    static void RemoveUnfinished(const QString& path);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 length) override;

private:
    bool Fail(int error);
    // Writes the buffer out, every byte checked.
    bool Flush();
    void CloseTemporary();
    void RemoveTemporary();

    QString m_path;
    QString m_target; // the path, or for settings the file a symbolic link there leads to
    Placement m_placement;
    Content m_content;
    static constexpr qsizetype BufferSize = 64 * 1024;

    QString m_temporary;
    QByteArray m_buffer;
    int m_fd = -1;
    int m_errno = 0;
    SharedFolderFile::FileId m_id;
    bool m_committed = false;
};
