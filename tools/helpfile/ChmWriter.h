#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>
#include <map>

// Writes compiled help files whose objects are all stored as they are (no
// compression), listed in directory chunks under as many index levels as
// their number needs: help files of any shape for tests, benchmarks and
// fuzzing, made without the help compiler.
class ChmWriter {
public:
    // An object by its stored path ("/page.htm", "/#SYSTEM"); a path equal
    // to one added before but for ASCII letter case replaces it.
    void Add(const QByteArray& path, const QByteArray& bytes);
    // The system object naming the default topic and the title (each
    // under 65,535 bytes, which its length field holds).
    void AddSystem(const QByteArray& defaultTopic, const QByteArray& title);
    // The context map: each id with the page path it shows.
    void AddTopics(const QList<QPair<int32_t, QByteArray>>& topics);

    // The whole file, its directory cut into chunks of the given size
    // (raised to hold the longest entry).
    QByteArray Bytes(uint32_t chunkSize = 4096) const;
    bool Write(const QString& path, uint32_t chunkSize = 4096) const;

    // The library's order of paths: bytes compared with ASCII letters folded.
    struct FoldedLess {
        bool operator()(const QByteArray& a, const QByteArray& b) const;
    };

private:
    std::map<QByteArray, QByteArray, FoldedLess> m_objects;
};
