#pragma once

#include "transfer/PendingExport.h"

#include <QString>

#include <memory>

class AtomicFile;

// One export file, written whole under a hidden pending name beside its
// path and given its name only once its records are marked exported, so
// that an export that fails, is cancelled or is killed before that leaves
// the path as it was. A new file never replaces another: a name taken
// meanwhile gives the next one of its pattern. A file appended to gets
// the new records added to what it holds when they are placed (see
// PendingExport).
class ExportFile {
public:
    enum class Kind {
        NewFile,  // an unattended run's file, named by MakeExportFileName
        AppendTo, // a file the user chose, made when missing
    };
    // `mark`: the mark of the database whose records it holds (see
    // DatabaseMark), which its hidden files' names carry; "" for none.
    ExportFile(QString path, Kind kind, const QString& mark);
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    QString Path() const { return m_pending.path; }
    // Where the records lie until they take their name; never the export's
    // extension, so no reader of the folder takes it for an export.
    QString PendingPath() const { return m_pending.pending; }
    bool IsNew() const { return m_pending.isNew; }
    // True from the first record on.
    bool IsOpen() const { return m_file != nullptr; }
    bool IsCommitted() const { return m_committed; }
    bool IsKept() const { return m_kept; }
    // What its pending row records, once committed.
    const PendingExport& Pending() const { return m_pending; }
    // Where its records are once it is named: the path, or the next free
    // name of its pattern when the path was taken meanwhile.
    QString NamedPath() const { return m_namedPath; }

    // Opens the file at the first record; raises any failure to open or write.
    // False when a character the file's code page lacks was written as "?".
    bool WriteRecord(const QString& record);
    // Puts the whole file on the disk under its pending name; raises the
    // disk's failure. Nothing to do when no record was written.
    void Commit();
    // Its records are marked exported: from now on the file is never undone.
    void Keep() { m_kept = true; }
    // Gives the committed file its name; raises the failure, which leaves it
    // under its pending name.
    void Name();
    // Leaves the path as it was before this export: the records not yet on
    // the disk are dropped and a file not kept is removed. The text of a
    // failure, or "".
    QString Undo();

private:
    void RemovePendingFiles();

    PendingExport m_pending;
    QString m_namedPath;
    std::unique_ptr<AtomicFile> m_file;
    bool m_committed = false;
    bool m_kept = false;
};
