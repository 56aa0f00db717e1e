#pragma once

#include "help/ChmLayout.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

struct chmFile;

// One compiled help file, open for reading while the object lives: its
// stored objects by path, the page of each mapped context id, the default
// topic and the title. The file's structure is checked before the reading
// library sees it (ChmLayout), so a damaged file is refused, not a crash.
class ChmFile {
public:
    // Raises a NevixError naming the file when it cannot be opened, is
    // damaged, or its system object cannot be read.
    explicit ChmFile(const QString& path);
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    QString Path() const { return m_path; }
    QString Title() const { return m_title; }
    // The page shown when nothing else is asked for, "/"-rooted.
    QString DefaultTopic() const { return m_defaultTopic; }

    // The object's bytes; no value when the file holds no such object or it
    // cannot be read. A leading "/" is optional.
    std::optional<QByteArray> Read(const QString& objectPath) const;
    // The stored path of a page: the path itself, or, for a path the
    // compiler stored as an absolute build path, the longest trailing part
    // of it that the file holds. "" when nothing matches. Linear in the
    // path's length.
    QString FindPage(const QString& path) const;
    // The page mapped to the context id, else the default topic.
    QString PageForTopic(int32_t topicId) const;

private:
    struct Closer {
        void operator()(chmFile* file) const;
    };

    void ReadSystem();
    void ReadContextMap();

    QString m_path;
    ChmLayout m_layout;
    std::unique_ptr<chmFile, Closer> m_file;
    QString m_title;
    QString m_defaultTopic;
    // Each mapped context id's path, as an offset into the strings object.
    QHash<int32_t, qsizetype> m_topics;
    QByteArray m_strings;
};
