#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class ChmFileBytes;

// One object of a compiled help file as the directory lists it.
struct ChmEntry {
    QByteArray name;
    int space = 0; // 0: stored as is; anything else: compressed
    uint64_t start = 0;
    uint64_t length = 0;
};

// A compiled help file's directory, walked as the reading library walks it:
// from the index root through the index chunks to the listing chunk that
// holds a path. Read refuses a directory whose walk would take the library
// past the end of a chunk or round an index circle for ever.
class ChmDirectory {
public:
    // The chunks reachable from the root; no value, and the damage
    // described, when one of them is unsound.
    static std::optional<ChmDirectory> Read(const ChmFileBytes& file, uint64_t firstChunk, uint32_t chunkSize,
                                            int32_t root, QString& damage);

    // The entry the library finds for the path (names compared without
    // regard to ASCII case, up to their first NUL).
    std::optional<ChmEntry> Find(const QByteArray& path) const;

private:
    struct Chunk {
        enum class Kind { Other, Listing, Index } kind = Kind::Other;
        std::vector<ChmEntry> entries;                     // a listing chunk's
        std::vector<std::pair<QByteArray, int32_t>> index; // an index chunk's names and chunks
        bool cutShort = false; // the scan stopped at a name longer than a path can be
    };

    // Where the library reads the chunk of that number (wrapping, so that a
    // negative number is a chunk before the first); no value when the file
    // does not hold it in full, and the library's read of it fails.
    std::optional<uint64_t> OffsetOf(int32_t number) const;
    std::optional<Chunk> ReadChunk(int32_t number, QString& damage) const;
    bool Visit(int32_t number, std::unordered_map<int32_t, bool>& finished, QString& damage);

    const ChmFileBytes* m_file = nullptr;
    uint64_t m_firstChunk = 0;
    uint32_t m_chunkSize = 0;
    int32_t m_root = -1;
    std::unordered_map<int32_t, Chunk> m_chunks;
};
