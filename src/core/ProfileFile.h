#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A settings file in the classic profile format: "[Section]" lines open a
// section, "Key=Value" lines give its items. Section and key names are
// matched without regard to case; the first of duplicates wins. Every call
// goes to the disk and nothing is kept between calls, so each reader sees
// the file as the last write left it.
//
// A write rewrites the file atomically (AtomicFile: the old file stays
// whole unless the new one reached the disk in full) and
// keeps every line it does not change, comments and unknown lines
// included, byte for byte and in their order. CR LF and LF files both read;
// a rewritten file keeps the line ends it had (LF for a new file). UTF-8.
class ProfileFile {
public:
    explicit ProfileFile(QString path);

    QString Path() const { return m_path; }
    // True when the file exists and can be read.
    bool CanOpen() const;

    // The item's value without blanks at either end and without one pair of
    // enclosing single or double quotes; no value when the file, the section
    // or the item is missing.
    std::optional<QString> Value(const QString& section, const QString& key) const;
    QStringList Sections() const;
    // Empty for a missing section.
    QStringList Keys(const QString& section) const;

    // Each returns false when the file could not be written (see
    // ErrorString). Removing what is not there succeeds without writing.
    // Line breaks in a value are stored as blanks: the format has no room
    // for them. Names that would read back as something else are refused.
    bool Write(const QString& section, const QString& key, const QString& value);
    bool RemoveKey(const QString& section, const QString& key);
    bool RemoveSection(const QString& section);

    // Why the last write failed.
    QString ErrorString() const { return m_error; }
    // The last write failed on the disk (full, failing) rather than being
    // refused (no access, an unusable name).
    bool DiskFailure() const { return m_diskFailure; }

private:
    struct Content {
        QList<QByteArray> lines; // without their line ends
        QByteArray lineEnd = "\n";
        bool hasBom = false;
        bool exists = false;
    };

    // False when the file exists but cannot be read.
    bool Load(Content& content) const;
    bool Save(const Content& content);
    bool Fail(const QString& why);
    // [first, end) of the lines of the section's first occurrence; first
    // is the header line; -1 when the section is missing.
    static std::pair<int, int> FindSection(const Content& content, const QString& section);

    QString m_path;
    QString m_error;
    bool m_diskFailure = false;
};
