#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class AtomicFile;

// One export file, written whole and then put in place: nothing reaches the
// path until Commit, so a failed or cancelled export leaves the path as it
// was. A file that already exists is appended to: its content is carried
// over first and stays whatever happens to the new records.
class ExportFile {
public:
    explicit ExportFile(QString path);
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    QString Path() const { return m_path; }
    // True from the first record on.
    bool IsOpen() const { return m_file != nullptr; }
    bool IsCommitted() const { return m_committed; }

    // Opens the file at the first record; raises any failure to open or write.
    // False when a character the file's code page lacks was written as "?".
    bool WriteRecord(const QString& record);
    // Puts the whole file in place; raises the disk's failure. Nothing to do
    // when no record was written.
    void Commit();
    // Leaves the path as it was before this export: the records not yet in
    // place are dropped; a committed file is removed, or its earlier content
    // written back. The text of a failure, or "".
    QString Undo();

private:
    QString m_path;
    std::unique_ptr<AtomicFile> m_file;
    std::optional<QByteArray> m_earlier;
    bool m_committed = false;
};
