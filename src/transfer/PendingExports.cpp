#include "transfer/PendingExports.h"

#include "core/Utils.h"
#include "database/CDataBase.h"
#include "database/DatabaseSchema.h"
#include "database/InTransaction.h"
#include "database/LogLines.h"
#include "transfer/ExportFile.h"

#include <QFileInfo>

#include <vector>

namespace {
const QString Table = QStringLiteral("PENDING_EXPORTS");

bool TableExists(CDataBase& db)
{
    RecordSet rs = db.OpenRecordSet(
        QStringLiteral("SELECT COUNT(*) FROM sqlite_schema WHERE type='table' AND name=?"), {Table});
    const bool exists = rs.Field(0).toInt() > 0;
    db.CloseRecordSet(rs);
    return exists;
}

// Databases made by earlier builds lack the table.
void EnsureTable(CDataBase& db)
{
    if (TableExists(db))
        return;
    InTransaction(db, [&] {
        if (!TableExists(db))
            DatabaseSchema::CreateTable(db, DatabaseSchema::Table(Table));
    });
}

void Remove(CDataBase& db, const QString& pending)
{
    db.Execute(QStringLiteral("DELETE FROM PENDING_EXPORTS WHERE PendingFile=?"), {pending});
}
} // namespace

void AddPendingExport(CDataBase& db, const ExportFile& file)
{
    EnsureTable(db);
    db.Execute(QStringLiteral("INSERT INTO PENDING_EXPORTS (PendingFile, ExportFile, NewFile, ComputerName) "
                              "VALUES (?, ?, ?, ?)"),
               {file.PendingPath(), file.Path(), file.IsNew(), GetThisComputerName()});
}

void RemovePendingExport(CDataBase& db, const ExportFile& file)
{
    Remove(db, file.PendingPath());
}

void NamePendingExports(CDataBase& db, LogLines& log)
{
    EnsureTable(db);
    struct Entry {
        QString pending;
        QString path;
        bool isNew;
        bool ours;
    };
    std::vector<Entry> entries;
    RecordSet rs = db.OpenRecordSet(
        QStringLiteral("SELECT PendingFile, ExportFile, NewFile, ComputerName FROM PENDING_EXPORTS"));
    for (; !rs.IsEOF(); rs.MoveNext())
        entries.push_back({rs.Field(0).toString(), rs.Field(1).toString(), rs.Field(2).toBool(),
                           rs.Field(3).toString().compare(GetThisComputerName(), Qt::CaseInsensitive) == 0});
    db.CloseRecordSet(rs);

    for (const Entry& entry : entries) {
        const QFileInfo pending(entry.pending);
        if (!pending.exists() && !entry.ours)
            continue;
        QString reason;
        if (pending.exists() && !ExportFile::PutInPlace(entry.pending, entry.path, entry.isNew, &reason)) {
            log.AddToLog(EventCodes::Error, QStringLiteral("Could not save the export file ") + entry.path +
                                                QStringLiteral(": ") + reason);
            continue;
        }
        Remove(db, entry.pending);
    }
}
