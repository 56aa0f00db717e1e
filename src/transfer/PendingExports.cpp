#include "transfer/PendingExports.h"

#include "core/Utils.h"
#include "database/CDataBase.h"
#include "database/DatabaseSchema.h"
#include "database/LogLines.h"
#include "transfer/ExportFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {
const QString Table = QStringLiteral("PENDING_EXPORTS");
// Longer than any export takes to write its file and mark its records.
constexpr qint64 UnfinishedAfterSeconds = 60 * 60;

// Databases made by earlier builds lack the table, or its later columns.
void EnsureTable(CDataBase& db)
{
    DatabaseSchema::EnsureTable(db, Table);
}

std::vector<PendingExport> Rows(CDataBase& db)
{
    std::vector<PendingExport> rows;
    RecordSet rs = db.OpenRecordSet(QStringLiteral(
        "SELECT PendingFile, ExportFile, NewFile, PlacingFile, PendingId, PendingSize, PlacingId, FolderId, "
        "ComputerId, Records FROM PENDING_EXPORTS"));
    for (; !rs.IsEOF(); rs.MoveNext()) {
        PendingExport row;
        row.pending = rs.Field(0).toString();
        row.path = rs.Field(1).toString();
        row.isNew = rs.Field(2).toBool();
        row.placing = rs.Field(3).toString();
        if (row.isNew && row.placing.isEmpty())
            row.placing = row.pending;
        row.pendingId = FileIdFromText(rs.Field(4).toString());
        row.pendingSize = rs.Field(5).isNull() ? -1 : rs.Field(5).toLongLong();
        row.placingId = FileIdFromText(rs.Field(6).toString());
        row.folderId = FileIdFromText(rs.Field(7).toString());
        row.computerId = rs.Field(8).toString();
        row.records = rs.Field(9).toLongLong();
        rows.push_back(row);
    }
    db.CloseRecordSet(rs);
    return rows;
}

void Remove(CDataBase& db, const QString& pending)
{
    db.Execute(QStringLiteral("DELETE FROM PENDING_EXPORTS WHERE PendingFile=?"), {pending});
}

QString RecordsText(int64_t records)
{
    return records == 1 ? QStringLiteral("1 record") : QString::number(records) + QStringLiteral(" records");
}
} // namespace

void AddPendingExport(CDataBase& db, const ExportFile& file)
{
    EnsureTable(db);
    const PendingExport& row = file.Pending();
    db.Execute(QStringLiteral("INSERT INTO PENDING_EXPORTS (PendingFile, ExportFile, NewFile, ComputerName, "
                              "PlacingFile, PendingId, PendingSize, PlacingId, FolderId, ComputerId, Records) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {row.pending, row.path, row.isNew, GetThisComputerName(), row.placing, FileIdText(row.pendingId),
                QString::number(row.pendingSize), FileIdText(row.placingId), FileIdText(row.folderId),
                row.computerId, qlonglong(row.records)});
}

void RemovePendingExport(CDataBase& db, const ExportFile& file)
{
    Remove(db, file.PendingPath());
}

void NamePendingExports(CDataBase& db, LogLines& log)
{
    EnsureTable(db);
    for (const PendingExport& row : Rows(db)) {
        const PlaceResult placed = PlacePendingExport(row);
        switch (placed.outcome) {
        case PlaceResult::Named:
        case PlaceResult::AlreadyNamed:
            log.AddToLog(EventCodes::Information,
                         QStringLiteral("The export file ") + row.path + QStringLiteral(" of ") +
                             RecordsText(row.records) +
                             (placed.outcome == PlaceResult::Named
                                  ? QStringLiteral(", which an earlier export left unnamed, now has its name: ")
                                  : QStringLiteral(", which an earlier export left, had its name: ")) +
                             placed.name);
            break;
        case PlaceResult::TakenAway:
            log.AddToLog(EventCodes::Warning,
                         QStringLiteral("The export file ") + row.path + QStringLiteral(" (or the next free name) of ") +
                             RecordsText(row.records) +
                             QStringLiteral(" was named and has since been taken from its folder"));
            break;
        case PlaceResult::Failed:
            log.AddToLog(EventCodes::Error, QStringLiteral("Could not save the export file ") + row.path +
                                                QStringLiteral(": ") + placed.reason);
            continue;
        case PlaceResult::Undecided:
            log.AddToLog(EventCodes::Warning, QStringLiteral("The export file ") + row.path + QStringLiteral(" of ") +
                                                  RecordsText(row.records) +
                                                  QStringLiteral(" is not known to have its name, so it is kept "
                                                                 "for the next export: ") +
                                                  placed.reason);
            continue;
        }
        Remove(db, row.pending);
    }
}

void TidyExportFolder(CDataBase& db, const QString& mark, const QString& folder, LogLines& log)
{
    EnsureTable(db);
    QSet<QString> named;
    for (const PendingExport& row : Rows(db))
        named << QFileInfo(row.pending).fileName() << QFileInfo(row.placing).fileName();
    const QDir dir(folder);
    const qint64 before = QDateTime::currentSecsSinceEpoch() - UnfinishedAfterSeconds;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!IsHiddenExportFileOf(name, mark) || named.contains(name))
            continue;
        const QString file = dir.filePath(name);
        struct stat info {};
        if (::lstat(QFile::encodeName(file).constData(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid() || info.st_mtime >= before)
            continue;
        if (QFile::remove(file))
            log.AddToLog(EventCodes::Warning,
                         QStringLiteral("Removed a file an export left unfinished, which no export names: ") + file);
    }
}
