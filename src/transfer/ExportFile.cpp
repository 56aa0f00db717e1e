#include "transfer/ExportFile.h"

#include "core/AtomicFile.h"
#include "core/DiskFunctions.h"
#include "platform/NevixError.h"
#include "transfer/ExportRecordWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
NevixError FileError(const QString& what, const QString& path, const QString& reason)
{
    return NevixError(ErrorNumbers::PathFileAccess, what + path + QStringLiteral(": ") + reason);
}

// Hidden, and apart from any other export's, the file's own included.
QString PendingPathOf(const QString& path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + u'.' +
           QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".pending");
}
} // namespace

ExportFile::ExportFile(QString path)
    : m_path(ToForwardSlashes(std::move(path))), m_pending(PendingPathOf(m_path))
{
}

ExportFile::~ExportFile()
{
    if (m_file && !m_committed)
        m_file->Discard();
    else if (m_committed && !m_kept)
        QFile::remove(m_pending);
}

bool ExportFile::WriteRecord(const QString& record)
{
    if (!m_file) {
        // A link at the name is neither written nor read through.
        if (QFileInfo(m_path).isSymLink())
            throw FileError(QStringLiteral("Could not create the export file "), m_path,
                            QStringLiteral("A symbolic link has that name; it is never written through"));
        auto file = std::make_unique<AtomicFile>(m_pending, AtomicFile::Placement::NewOnly);
        if (QFileInfo(m_path).isFile()) {
            QFile existing;
            const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0 || !existing.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
                throw FileError(QStringLiteral("Could not read the export file "), m_path,
                                fd < 0 ? qt_error_string(errno) : existing.errorString());
            // The file it replaces may be read but not written: it is
            // refused, as the platform's own writer refuses it.
            if (::access(QFile::encodeName(m_path).constData(), W_OK) != 0)
                throw FileError(QStringLiteral("Could not create the export file "), m_path,
                                qt_error_string(errno));
            m_earlier = existing.readAll();
            m_permissions = existing.permissions();
        }
        if (!file->Open())
            throw FileError(QStringLiteral("Could not create the export file "), m_path,
                            file->errorString());
        m_file = std::move(file);
        if (m_earlier && m_file->write(*m_earlier) != m_earlier->size())
            throw FileError(QStringLiteral("Could not write to the export file "), m_path,
                            m_file->errorString());
    }
    return ExportRecordWriter(*m_file).Write(record, m_path);
}

void ExportFile::Commit()
{
    if (!m_file || m_committed)
        return;
    if (!m_file->Commit()) {
        const QString reason = m_file->errorString();
        m_file.reset();
        throw FileError(QStringLiteral("Could not save the export file "), m_path, reason);
    }
    m_committed = true;
    if (m_earlier)
        QFile::setPermissions(m_pending, m_permissions);
}

void ExportFile::Name()
{
    QString reason;
    if (m_committed && !PutInPlace(m_pending, m_path, IsNew(), &reason))
        throw FileError(QStringLiteral("Could not save the export file "), m_path, reason);
}

QString ExportFile::Undo()
{
    if (!m_file || m_kept)
        return {};
    if (!m_committed) {
        m_file->Discard();
        m_file.reset();
        return {};
    }
    m_committed = false;
    m_file.reset();
    return DeleteFileChecked(m_pending);
}

bool ExportFile::PutInPlace(const QString& pending, const QString& path, bool isNew, QString* reason)
{
    const auto placement = isNew ? AtomicFile::Placement::NewOnly : AtomicFile::Placement::ReplaceExisting;
    for (int number = 0;; ++number) {
        const QString name = number == 0 ? path : NumberedFileName(path, number);
        if (AtomicFile::PutInPlace(pending, name, placement, reason))
            return true;
        if (!NameTaken(pending))
            return true;
        if (!isNew || !NameTaken(name))
            return false;
    }
}
