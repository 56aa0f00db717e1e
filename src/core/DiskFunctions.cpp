#include "core/DiskFunctions.h"

#include "core/AskTellUser.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
// The first failure while creating a chain of folders; later creations of
// the same request are skipped.
int32_t g_folderError = 0;

const QString CrLf = QStringLiteral("\r\n");

bool IsSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

QByteArray Native(const QString& path)
{
    return QFile::encodeName(ToForwardSlashes(path));
}

bool WriteOneLine(const QString& path, const QString& line)
{
    QFile file(ToForwardSlashes(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = (line + CrLf).toUtf8();
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

void MakeOneFolder(const QString& path)
{
    if (::mkdir(Native(path).constData(), 0777) == 0)
        return;
    if (errno == ENOENT)
        throw NevixError(ErrorNumbers::PathNotFound, QStringLiteral("Path not found"));
    throw NevixError(ErrorNumbers::PathFileAccess, QStringLiteral("Path/File access error"));
}
} // namespace

QString ToForwardSlashes(const QString& path)
{
    QString out = path;
    out.replace(u'\\', u'/');
    return out;
}

QString DeleteFileChecked(const QString& path)
{
    if (!FileExists(path))
        return {};
    QFile file(ToForwardSlashes(path));
    if (!file.remove())
        return file.errorString();
    if (FileExists(path))
        return QStringLiteral("File still found after apparent deletion");
    return {};
}

bool EnsureFolderAccessible(const QString& folder, bool createIfMissing, bool showWarning)
{
    const QString result = CheckFolderAccess(folder, createIfMissing);
    if (showWarning && !result.isEmpty())
        TellUserWarning(result, QString());
    return result.isEmpty();
}

QString CheckFolderAccess(const QString& folderIn, bool createIfMissing)
{
    const QString folder = ToForwardSlashes(RemoveTrailingBackslash(folderIn));
    struct stat info {};
    if (::stat(Native(folder).constData(), &info) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return QStringLiteral("Cannot access the required folder: ") + folder;
        if (!createIfMissing)
            return QStringLiteral("Folder does not exist");
        try {
            CreateFolder(folder);
        } catch (const NevixError&) {
            return QStringLiteral("Cannot create the required folder: ") + folder;
        }
        if (g_folderError != 0)
            return QStringLiteral("Cannot create the required folder: ") + folder;
    }
    const QString testFile = folder + QStringLiteral("/QRLTEST.$$$");
    if (!WriteOneLine(testFile, QStringLiteral("TESTING WRITE ACCESS TO FOLDER")))
        return QStringLiteral("Cannot access (write) the required folder: ") + folder;
    if (!QFile::remove(testFile))
        return QStringLiteral("Cannot delete files from the required folder: ") + folder;
    return {};
}

void WriteMarkerFile(const QString& path)
{
    if (!WriteOneLine(path, QStringLiteral("MARKER-FILE")))
        throw NevixError(ErrorNumbers::PathFileAccess, QStringLiteral("Path/File access error"),
                         QStringLiteral("WriteMarkerFile"));
}

bool FileExists(const QString& path)
{
    const QString p = ToForwardSlashes(path);
    if (p.isEmpty() || !QFileInfo(p).isFile())
        return false;
    QFile file(p);
    return file.open(QIODevice::ReadOnly);
}

bool NameTaken(const QString& path)
{
    struct stat entry {};
    return ::lstat(Native(path).constData(), &entry) == 0;
}

bool FileCanBeOpened(const QString& path, std::chrono::milliseconds settle)
{
    const QString p = ToForwardSlashes(path);
    if (!QFileInfo(p).isFile())
        return false;
    const int fd = ::open(Native(p).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (free) {
        struct stat before {};
        struct stat after {};
        ::fstat(fd, &before);
        std::this_thread::sleep_for(settle);
        ::fstat(fd, &after);
        free = before.st_size == after.st_size && before.st_mtim.tv_sec == after.st_mtim.tv_sec &&
               before.st_mtim.tv_nsec == after.st_mtim.tv_nsec;
        ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return free;
}

void MakeFolderPath(const QString& pathIn)
{
    if (g_folderError != 0)
        return;
    const QString path = RemoveTrailingBackslash(pathIn);
    try {
        MakeOneFolder(path);
    } catch (const NevixError& e) {
        if (e.Number() != ErrorNumbers::PathNotFound) {
            g_folderError = e.Number();
            return;
        }
        const QString parent = GetFolderFromPath(path);
        if (parent.isEmpty() || parent == path)
            throw;
        MakeFolderPath(parent);
        MakeOneFolder(path);
    }
}

void CreateFolder(const QString& path)
{
    g_folderError = 0;
    if (!DriveExists(path))
        throw NevixError(ErrorNumbers::DeviceUnavailable, QStringLiteral("Device unavailable"),
                         QStringLiteral("CreateFolder"));
    MakeFolderPath(path);
    if (g_folderError != 0)
        throw NevixError(g_folderError, QStringLiteral("Path/File access error"),
                         QStringLiteral("CreateFolder"));
}

QString AddTrailingBackslash(const QString& path)
{
    if (path.isEmpty() || IsSeparator(path.back()))
        return path;
    return path + u'/';
}

QString TrimBackslashes(const QString& path)
{
    // One separator at each end, however short the path (a root such as
    // "C:/" keeps its own only in RemoveTrailingBackslash).
    QString trimmed = RemoveLeadingBackslash(path);
    if (!trimmed.isEmpty() && IsSeparator(trimmed.back()))
        trimmed.chop(1);
    return trimmed;
}

QString NumberedFileName(const QString& path, int number)
{
    const QString name = GetFileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype at = path.size() - name.size() + (dot > 0 ? dot : name.size());
    return path.left(at) + u'-' + QString::number(number) + path.mid(at);
}

QString RemoveTrailingBackslash(const QString& path)
{
    if (path.size() >= 3 && IsSeparator(path.back()))
        return path.left(path.size() - 1);
    return path;
}

QString RemoveLeadingBackslash(const QString& path)
{
    if (!path.isEmpty() && IsSeparator(path.front()))
        return path.mid(1);
    return path;
}

bool DriveExists(const QString& path)
{
    return !path.isEmpty();
}

bool IsValidDriveLetter(const QString&)
{
    return false;
}

QString GetFileNamePart(const QString& pathIn)
{
    const QString path = pathIn.trimmed();
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (IsSeparator(path.at(i)))
            return path.mid(i + 1);
    }
    return path;
}

QString GetFolderFromPath(const QString& pathIn)
{
    const QString path = pathIn.trimmed();
    if (path.isEmpty())
        return {};
    const QString name = GetFileNamePart(path);
    if (path.compare(name, Qt::CaseInsensitive) != 0 && path.size() > name.size())
        return path.left(path.size() - name.size());
    return {};
}

QString ShowFileDialog(int16_t mode, const QString& title, QString& fileName, QString& filter)
{
    try {
        if (filter.isEmpty())
            filter = QStringLiteral("All files (*.*) | *.*");
        QString extension = QStringLiteral("*");
        FileDialogRequest request;
        request.mode = mode == 1 ? FileDialogMode::Open : FileDialogMode::Save;
        request.title = title;
        request.filter = filter;
        if (fileName.isEmpty()) {
            fileName = QStringLiteral("*");
        } else {
            qsizetype cut = -1;
            for (qsizetype i = fileName.size() - 1; i >= 0 && cut < 0; --i)
                if (IsSeparator(fileName.at(i)))
                    cut = i;
            if (cut >= 0) {
                request.initialFolder = ToForwardSlashes(fileName.left(cut));
                if (request.initialFolder.isEmpty())
                    request.initialFolder = QStringLiteral("/");
                fileName = fileName.mid(cut + 1);
                if (fileName.isEmpty())
                    fileName = QStringLiteral("*");
            }
            const qsizetype dot = fileName.indexOf(u'.');
            if (dot >= 0) {
                extension = fileName.mid(dot + 1);
                fileName = fileName.left(dot);
            }
        }
        request.fileName = fileName + u'.' + extension;
        const std::optional<QString> chosen = AppContext::Current().ui().ChooseFile(request);
        return chosen.value_or(QString());
    } catch (const NevixError& e) {
        if (e.Number() != ErrorNumbers::DialogCancelled)
            TellUserWarning(QStringLiteral("Unable to get/set file name."), e.Description());
    } catch (const std::exception& e) {
        TellUserWarning(QStringLiteral("Unable to get/set file name."), QString::fromUtf8(e.what()));
    }
    return {};
}
