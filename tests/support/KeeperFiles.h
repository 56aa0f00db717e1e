#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

// Sets the process's file mode creation mask for one test and puts the old
// one back.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_saved(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_saved); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t m_saved;
};

// The permission bits of the file at the path itself (never of what a link
// there leads to); -1 when nothing has the name.
inline int ModeOf(const QString& path)
{
    struct stat entry {};
    return ::lstat(QFile::encodeName(path).constData(), &entry) == 0 ? int(entry.st_mode & 07777) : -1;
}

// Where the symbolic link at the path leads; empty when there is none.
inline QString LinkAt(const QString& path)
{
    return QFile::symLinkTarget(path);
}

// Every name in the folder, hidden ones and links that lead nowhere included.
inline QStringList EntriesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
