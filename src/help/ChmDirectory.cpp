#include "help/ChmDirectory.h"

#include "help/ChmFileBytes.h"

#include <chm_lib.h>

namespace {
constexpr qsizetype ListingHeader = 0x14;
constexpr qsizetype IndexHeader = 0x08;

char Folded(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// As strcasecmp compares the library's C strings: up to the first NUL.
int CompareNames(const QByteArray& a, const QByteArray& b)
{
    const qsizetype aEnd = a.contains('\0') ? a.indexOf('\0') : a.size();
    const qsizetype bEnd = b.contains('\0') ? b.indexOf('\0') : b.size();
    for (qsizetype i = 0;; ++i) {
        const auto x = static_cast<unsigned char>(i < aEnd ? Folded(a[i]) : '\0');
        const auto y = static_cast<unsigned char>(i < bEnd ? Folded(b[i]) : '\0');
        if (x != y || x == 0)
            return int(x) - int(y);
    }
}
} // namespace

std::optional<ChmDirectory> ChmDirectory::Read(const ChmFileBytes& file, uint64_t firstChunk, uint32_t chunkSize,
                                               int32_t root, QString& damage)
{
    ChmDirectory directory;
    directory.m_file = &file;
    directory.m_firstChunk = firstChunk;
    directory.m_chunkSize = chunkSize;
    directory.m_root = root;
    std::unordered_map<int32_t, bool> finished;
    if (root != -1 && directory.OffsetOf(root) && !directory.Visit(root, finished, damage))
        return std::nullopt;
    directory.m_file = nullptr;
    return directory;
}

std::optional<uint64_t> ChmDirectory::OffsetOf(int32_t number) const
{
    const uint64_t offset = m_firstChunk + uint64_t(int64_t(number)) * m_chunkSize;
    if (offset > m_file->Size() || m_chunkSize > m_file->Size() - offset)
        return std::nullopt;
    return offset;
}

std::optional<ChmDirectory::Chunk> ChmDirectory::ReadChunk(int32_t number, QString& damage) const
{
    const std::optional<QByteArray> bytes = m_file->ReadExactly(*OffsetOf(number), m_chunkSize);
    if (!bytes) {
        damage = QStringLiteral("a directory chunk cannot be read");
        return std::nullopt;
    }
    Chunk chunk;
    if (bytes->startsWith("PMGL"))
        chunk.kind = Chunk::Kind::Listing;
    else if (bytes->startsWith("PMGI"))
        chunk.kind = Chunk::Kind::Index;
    else
        return chunk;
    const bool listing = chunk.kind == Chunk::Kind::Listing;
    const qsizetype size = bytes->size();
    // The entries end where the chunk's free space starts.
    const int64_t end = int64_t(m_chunkSize) - int64_t(ChmFileBytes::Dword(*bytes, 4));
    const auto overrun = [&damage] {
        damage = QStringLiteral("a directory entry runs past the end of its chunk");
        return std::nullopt;
    };
    qsizetype at = listing ? ListingHeader : IndexHeader;
    while (at < end) {
        uint64_t length = 0;
        if (!ChmFileBytes::EncodedInt(*bytes, at, size, length))
            return overrun();
        if (length > CHM_MAX_PATHLEN) {
            chunk.cutShort = true;
            break;
        }
        if (at + qsizetype(length) > size)
            return overrun();
        const QByteArray name = bytes->mid(at, qsizetype(length));
        at += qsizetype(length);
        uint64_t values[3] = {};
        for (int i = 0; i < (listing ? 3 : 1); ++i) {
            if (!ChmFileBytes::EncodedInt(*bytes, at, size, values[i]))
                return overrun();
        }
        if (listing)
            chunk.entries.push_back({name, int(values[0]), values[1], values[2]});
        else
            chunk.index.emplace_back(name, int32_t(values[0]));
    }
    return chunk;
}

// Every chunk the index leads to, depth first without recursion (a damaged
// file may chain thousands); a chunk met again on the way down is a circle.
bool ChmDirectory::Visit(int32_t root, std::unordered_map<int32_t, bool>& finished, QString& damage)
{
    struct Step {
        int32_t chunk;
        size_t next = 0;
    };
    std::vector<Step> path;
    const auto enter = [&](int32_t number) {
        std::optional<Chunk> chunk = ReadChunk(number, damage);
        if (!chunk)
            return false;
        m_chunks.emplace(number, std::move(*chunk));
        finished.emplace(number, false);
        path.push_back({number});
        return true;
    };
    if (!enter(root))
        return false;
    while (!path.empty()) {
        Step& step = path.back();
        const Chunk& chunk = m_chunks.at(step.chunk);
        if (chunk.kind != Chunk::Kind::Index || step.next == chunk.index.size()) {
            finished[step.chunk] = true;
            path.pop_back();
            continue;
        }
        const int32_t child = chunk.index[step.next++].second;
        if (child == -1 || !OffsetOf(child))
            continue; // the walk ends there
        const auto seen = finished.find(child);
        if (seen == finished.end()) {
            if (!enter(child))
                return false;
        } else if (!seen->second) {
            damage = QStringLiteral("the directory's index leads round in a circle");
            return false;
        }
    }
    return true;
}

std::optional<ChmEntry> ChmDirectory::Find(const QByteArray& path) const
{
    int32_t current = m_root;
    while (current != -1) {
        const auto found = m_chunks.find(current);
        if (found == m_chunks.end())
            return std::nullopt;
        const Chunk& chunk = found->second;
        if (chunk.kind == Chunk::Kind::Listing) {
            for (const ChmEntry& entry : chunk.entries) {
                if (CompareNames(entry.name, path) == 0)
                    return entry;
            }
            return std::nullopt;
        }
        if (chunk.kind != Chunk::Kind::Index)
            return std::nullopt;
        // The chunk of the last name not after the path.
        int32_t next = -1;
        bool passed = false;
        for (const auto& [name, child] : chunk.index) {
            if (CompareNames(name, path) > 0) {
                passed = true;
                break;
            }
            next = child;
        }
        current = !passed && chunk.cutShort ? -1 : next;
    }
    return std::nullopt;
}
