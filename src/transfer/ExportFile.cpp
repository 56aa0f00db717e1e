#include "transfer/ExportFile.h"

#include "core/AtomicFile.h"
#include "core/DiskFunctions.h"
#include "platform/NevixError.h"
#include "transfer/ExportRecordWriter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>

namespace {
NevixError FileError(const QString& what, const QString& path, const QString& reason)
{
    return NevixError(ErrorNumbers::PathFileAccess, what + path + QStringLiteral(": ") + reason);
}
} // namespace

ExportFile::ExportFile(QString path) : m_path(ToForwardSlashes(std::move(path))) {}

ExportFile::~ExportFile()
{
    if (m_file && !m_committed)
        m_file->Discard();
}

bool ExportFile::WriteRecord(const QString& record)
{
    if (!m_file) {
        // Opened first, as it refuses a symbolic link at the name; the
        // earlier content is then read without following one either.
        auto file = std::make_unique<AtomicFile>(m_path);
        if (!file->Open())
            throw FileError(QStringLiteral("Could not create the export file "), m_path,
                            file->errorString());
        if (QFileInfo(m_path).isFile()) {
            QFile existing;
            const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0 || !existing.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
                throw FileError(QStringLiteral("Could not read the export file "), m_path,
                                fd < 0 ? qt_error_string(errno) : existing.errorString());
            m_earlier = existing.readAll();
        }
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
}

QString ExportFile::Undo()
{
    if (!m_file)
        return {};
    if (!m_committed) {
        m_file->Discard();
        m_file.reset();
        return {};
    }
    m_committed = false;
    m_file.reset();
    if (!m_earlier)
        return DeleteFileChecked(m_path);
    QString reason;
    if (AtomicFile::Write(m_path, *m_earlier, &reason))
        return {};
    return QStringLiteral("Could not put back the earlier content of the file: ") + reason;
}
