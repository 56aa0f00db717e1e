#pragma once

#include <QString>

#include <cstdint>

// Opening a file that lies in a folder other users and programs may write:
// an export folder, a folder chosen for copies or logs. Anyone there can put
// a symbolic link, a FIFO or a device where a file is expected, so a name is
// opened without following a link and without blocking, and what was opened
// is checked to be a regular file before a byte is read or written.
namespace SharedFolderFile {

enum class Owner {
    Anyone, // read, or replaced whole: whoever made it
    Mine,   // appended to: keeper data never goes into a file another user owns
};

// A descriptor (blocking again, close-on-exec) of the regular file at the
// path, opened with `flags` (O_RDONLY, O_WRONLY | O_APPEND...); -1 with errno
// set and the reason in *reason when the name holds anything else: ELOOP for
// a symbolic link, EINVAL for a FIFO, device, socket or folder, EPERM for a
// file of another owner where it must be ours.
int Open(const QString& path, int flags, Owner owner = Owner::Anyone, QString* reason = nullptr);

// Which file a name held when it was seen: the same file under any of its
// names (and, on one computer, in any folder).
struct FileId {
    uint64_t device = 0;
    uint64_t inode = 0;
    // When the file was made (nanoseconds since the epoch), where the file
    // system keeps it; 0 where not. An inode number is given again as soon
    // as its file is removed: the birth tells the new file from the old.
    int64_t birth = 0;

    bool operator==(const FileId& other) const { return device == other.device && SameFileAs(other); }
    bool IsValid() const { return inode != 0; }
    // The same file, as any computer sees it (a share's device number
    // differs from one computer to another).
    bool SameFileAs(const FileId& other) const
    {
        return inode == other.inode && (birth == 0 || other.birth == 0 || birth == other.birth);
    }
};
// The file an open descriptor is; none when it cannot be read.
FileId IdOf(int fd);
// The entry at the path itself (a link is not followed); none when there is none.
FileId IdAt(const QString& path);
// The entry of that name in an open folder, with its size (a link is not
// followed); none when there is none or it is not a regular file.
FileId RegularFileIn(int folder, const char* name, int64_t* size = nullptr);

// Puts the folder's entries on the disk: a file's new name, or a new file,
// outlasts a crash only with its folder.
void SyncFolderOf(const QString& path);

// The reason given for a refused name: "A FIFO has that name" and the like.
QString RefusalText(int error);

} // namespace SharedFolderFile
