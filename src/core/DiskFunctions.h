#pragma once

#include <QString>

#include <chrono>
#include <cstdint>

// Files and folders. Paths accept "\" and "/" as separators; what is written
// back uses "/". There are no drive letters here.

// "" when the file is gone (or never existed), else why it is not.
QString DeleteFileChecked(const QString& path);
// True when the folder exists (or was created) and files can be written to
// and deleted from it; shows the reason as a warning when asked.
bool EnsureFolderAccessible(const QString& folder, bool createIfMissing, bool showWarning);
// "" or the reason the folder cannot be used.
QString CheckFolderAccess(const QString& folder, bool createIfMissing);
void WriteMarkerFile(const QString& path);

bool FileExists(const QString& path);
// True when anything has the name: a file, a folder or a symbolic link, even
// one that leads nowhere. A new file takes only a name that is not taken.
bool NameTaken(const QString& path);
// True when nobody holds a lock on the file and it is not growing (its size
// stays the same over the settle interval).
bool FileCanBeOpened(const QString& path,
                     std::chrono::milliseconds settle = std::chrono::milliseconds(100));

// Creates the folder and every missing parent; a failure is kept for
// CreateFolder to raise.
void MakeFolderPath(const QString& path);
void CreateFolder(const QString& path);

QString AddTrailingBackslash(const QString& path);
QString TrimBackslashes(const QString& path);
QString RemoveTrailingBackslash(const QString& path);
QString RemoveLeadingBackslash(const QString& path);
QString ToForwardSlashes(const QString& path);
// The path with "-" and the number before the extension of its file name
// ("in/VQ3A.IMP", 2: "in/VQ3A-2.IMP"): the name a new file takes when its
// own is taken, so that it never replaces another.
QString NumberedFileName(const QString& path, int number);

bool DriveExists(const QString& path);
bool IsValidDriveLetter(const QString& path);

QString GetFolderFromPath(const QString& path);
QString GetFileNamePart(const QString& path);

// Mode 1 opens, anything else saves. Returns the file chosen, or "" when the
// user cancelled. fileName and filter are updated as the dialog used them.
QString ShowFileDialog(int16_t mode, const QString& title, QString& fileName, QString& filter);
