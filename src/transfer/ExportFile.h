#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <memory>
#include <optional>

class AtomicFile;

// One export file, written whole under a hidden pending name beside its
// path and given its name only once its records are marked exported, so
// that an export that fails, is cancelled or is killed before that leaves
// the path as it was. A file that already exists is appended to: its
// content is carried over first, and it is replaced only when the new
// file takes its name.
class ExportFile {
public:
    explicit ExportFile(QString path);
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    QString Path() const { return m_path; }
    // Where the file lies until it takes its name; never the export's
    // extension, so no reader of the folder takes it for an export.
    QString PendingPath() const { return m_pending; }
    // Not appended to an earlier file: it never replaces one.
    bool IsNew() const { return !m_earlier; }
    // True from the first record on.
    bool IsOpen() const { return m_file != nullptr; }
    bool IsCommitted() const { return m_committed; }
    bool IsKept() const { return m_kept; }

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

    // Gives a whole file under its pending name the export's path. A new
    // file never replaces another: a path taken meanwhile gives the next
    // free numbered name ("-1", "-2"...). A pending file that is gone has
    // been named already. False with the reason.
    static bool PutInPlace(const QString& pending, const QString& path, bool isNew, QString* reason);

private:
    QString m_path;
    QString m_pending;
    std::unique_ptr<AtomicFile> m_file;
    std::optional<QByteArray> m_earlier;
    QFileDevice::Permissions m_permissions;
    bool m_committed = false;
    bool m_kept = false;
};
