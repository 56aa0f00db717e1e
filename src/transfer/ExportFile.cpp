#include "transfer/ExportFile.h"

#include "core/AtomicFile.h"
#include "core/DiskFunctions.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "transfer/ExportRecordWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

namespace {
NevixError FileError(const QString& what, const QString& path, const QString& reason)
{
    return NevixError(ErrorNumbers::PathFileAccess, what + path + QStringLiteral(": ") + reason);
}

// Hidden, and apart from any other export's, the file's own included.
QString HiddenPathOf(const QString& path, const QString& tag, const QString& suffix)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + u'.' + tag + suffix;
}
} // namespace

ExportFile::ExportFile(QString path, Kind kind, const QString& mark)
{
    m_pending.path = ToForwardSlashes(std::move(path));
    m_pending.isNew = kind == Kind::NewFile;
    // From the system, so that no two processes draw the same name.
    const QString tag = HiddenFileTag(mark, QString::number(QRandomGenerator::system()->generate(), 36));
    m_pending.pending = HiddenPathOf(m_pending.path, tag, QStringLiteral(".pending"));
    m_pending.placing =
        m_pending.isNew ? m_pending.pending : HiddenPathOf(m_pending.path, tag, QStringLiteral(".placing"));
}

ExportFile::~ExportFile()
{
    if (m_file && !m_committed)
        m_file->Discard();
    else if (m_committed && !m_kept)
        RemovePendingFiles();
}

bool ExportFile::WriteRecord(const QString& record)
{
    if (!m_file) {
        const QString& path = m_pending.path;
        if (!m_pending.isNew) {
            // The chosen file is read when the records are placed; one that
            // could not be is refused now, before anything is marked.
            QString reason;
            const int fd = SharedFolderFile::Open(path, O_RDONLY, SharedFolderFile::Owner::Anyone, &reason);
            // A missing file, or folder, is for the creation below to report.
            if (fd < 0 && errno != ENOENT && errno != ENOTDIR)
                throw FileError(errno == ELOOP ? QStringLiteral("Could not create the export file ")
                                               : QStringLiteral("Could not read the export file "),
                                path, reason);
            if (fd >= 0)
                ::close(fd);
            // The file it replaces may be read but not written: it is
            // refused, as the platform's own writer refuses it.
            if (fd >= 0 && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
                throw FileError(QStringLiteral("Could not create the export file "), path, qt_error_string(errno));
        }
        auto file = std::make_unique<AtomicFile>(m_pending.pending, AtomicFile::Placement::NewOnly);
        if (!file->Open())
            throw FileError(QStringLiteral("Could not create the export file "), path, file->errorString());
        m_file = std::move(file);
    }
    ++m_pending.records;
    return ExportRecordWriter(*m_file).Write(record, m_pending.path);
}

void ExportFile::Commit()
{
    if (!m_file || m_committed)
        return;
    const qint64 size = m_file->pos();
    if (!m_file->Commit()) {
        const QString reason = m_file->errorString();
        m_file.reset();
        throw FileError(QStringLiteral("Could not save the export file "), m_pending.path, reason);
    }
    m_committed = true;
    m_pending.pendingId = m_file->FileId();
    m_pending.pendingSize = size;
    m_pending.placingId =
        m_pending.isNew ? m_pending.pendingId : CreatePlacingFile(m_pending.placing, m_pending.path);
    m_pending.folderId = FolderIdOf(m_pending.path);
    m_pending.computerId = AppContext::Current().computerId();
}

void ExportFile::Name()
{
    if (!m_committed)
        return;
    const PlaceResult placed = PlacePendingExport(m_pending);
    if (!placed.Decided())
        throw FileError(QStringLiteral("Could not save the export file "), m_pending.path, placed.reason);
    m_namedPath = placed.name;
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
    if (!m_pending.isNew)
        DeleteFileChecked(m_pending.placing);
    return DeleteFileChecked(m_pending.pending);
}

void ExportFile::RemovePendingFiles()
{
    QFile::remove(m_pending.pending);
    if (!m_pending.isNew)
        QFile::remove(m_pending.placing);
}
