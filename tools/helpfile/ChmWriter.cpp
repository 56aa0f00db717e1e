#include "ChmWriter.h"

#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace {
constexpr uint32_t HeaderLength = 0x60;
constexpr uint32_t SectionZeroLength = 0x18;
constexpr uint32_t DirectoryHeaderLength = 0x54;
constexpr uint32_t ListingHeader = 0x14;
constexpr uint32_t IndexHeader = 0x08;

void Put32(QByteArray& bytes, qsizetype at, uint32_t value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void Put64(QByteArray& bytes, qsizetype at, uint64_t value)
{
    qToLittleEndian(value, bytes.data() + at);
}

QByteArray Encoded(uint64_t value)
{
    QByteArray groups(1, char(value & 0x7F));
    while ((value >>= 7) != 0)
        groups.prepend(char(0x80 | (value & 0x7F)));
    return groups;
}

char Folded(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Entries in chunks of the given size: each chunk's bytes and first name.
struct Chunks {
    std::vector<QByteArray> bytes;
    std::vector<QByteArray> firstNames;
};

Chunks Cut(const std::vector<QPair<QByteArray, QByteArray>>& entries, uint32_t chunkSize, bool listing,
           int32_t firstNumber)
{
    Chunks chunks;
    const uint32_t header = listing ? ListingHeader : IndexHeader;
    QByteArray chunk;
    const auto close = [&] {
        if (chunk.isEmpty())
            return;
        const uint32_t used = uint32_t(chunk.size());
        chunk.append(QByteArray(qsizetype(chunkSize - used), '\0'));
        Put32(chunk, 4, chunkSize - used);
        chunks.bytes.push_back(chunk);
        chunk.clear();
    };
    for (const auto& [name, data] : entries) {
        const QByteArray entry = Encoded(uint64_t(name.size())) + name + data;
        if (!chunk.isEmpty() && uint32_t(chunk.size() + entry.size()) > chunkSize)
            close();
        if (chunk.isEmpty()) {
            chunk = QByteArray(header, '\0');
            chunk.replace(0, 4, listing ? "PMGL" : "PMGI");
            chunks.firstNames.push_back(name);
        }
        chunk += entry;
    }
    close();
    if (listing) { // the listing chunks are chained both ways
        const auto last = int32_t(chunks.bytes.size()) - 1;
        for (int32_t i = 0; i <= last; ++i) {
            Put32(chunks.bytes[size_t(i)], 12, uint32_t(i == 0 ? -1 : firstNumber + i - 1));
            Put32(chunks.bytes[size_t(i)], 16, uint32_t(i == last ? -1 : firstNumber + i + 1));
        }
    }
    return chunks;
}
} // namespace

bool ChmWriter::FoldedLess::operator()(const QByteArray& a, const QByteArray& b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(Folded(x)) < static_cast<unsigned char>(Folded(y));
    });
}

void ChmWriter::Add(const QByteArray& path, const QByteArray& bytes)
{
    m_objects.erase(path);
    m_objects.emplace(path, bytes);
}

void ChmWriter::AddSystem(const QByteArray& defaultTopic, const QByteArray& title)
{
    QByteArray system(4, '\0');
    Put32(system, 0, 3); // the format's version
    for (const auto& [code, text] : {std::pair{2, defaultTopic + '\0'}, std::pair{3, title + '\0'}}) {
        QByteArray entry(4, '\0');
        qToLittleEndian(uint16_t(code), entry.data());
        qToLittleEndian(uint16_t(text.size()), entry.data() + 2);
        system += entry + text;
    }
    Add("/#SYSTEM", system);
}

void ChmWriter::AddTopics(const QList<QPair<int32_t, QByteArray>>& topics)
{
    QByteArray strings(1, '\0');
    QByteArray map(4, '\0');
    for (const auto& [id, page] : topics) {
        QByteArray pair(8, '\0');
        Put32(pair, 0, uint32_t(id));
        Put32(pair, 4, uint32_t(strings.size()));
        map += pair;
        strings += page + '\0';
    }
    Put32(map, 0, uint32_t(map.size() - 4));
    Add("/#IVB", map);
    Add("/#STRINGS", strings);
}

QByteArray ChmWriter::Bytes(uint32_t chunkSize) const
{
    // The content: every object stored as it is, one after the other.
    QByteArray content;
    std::vector<QPair<QByteArray, QByteArray>> listed;
    for (const auto& [path, bytes] : m_objects) {
        listed.push_back({path, Encoded(0) + Encoded(uint64_t(content.size())) + Encoded(uint64_t(bytes.size()))});
        content += bytes;
    }
    qsizetype longest = 0;
    for (const auto& [name, data] : listed)
        longest = std::max(longest, Encoded(uint64_t(name.size())).size() + name.size() + data.size());
    chunkSize = std::max(chunkSize, uint32_t(longest) + ListingHeader);
    // Listing chunks first, then each index level over the one below it
    // until one chunk is left: the root.
    Chunks level = Cut(listed, chunkSize, true, 0);
    std::vector<QByteArray> chunks = level.bytes;
    const auto listingChunks = int32_t(chunks.size());
    int32_t root = -1;
    int32_t levelStart = 0;
    int depth = 1;
    while (level.bytes.size() > 1) {
        std::vector<QPair<QByteArray, QByteArray>> children;
        for (size_t i = 0; i < level.firstNames.size(); ++i)
            children.push_back({level.firstNames[i], Encoded(uint64_t(levelStart + int32_t(i)))});
        levelStart = int32_t(chunks.size());
        level = Cut(children, chunkSize, false, levelStart);
        chunks.insert(chunks.end(), level.bytes.begin(), level.bytes.end());
        root = levelStart;
        ++depth;
    }

    QByteArray directory(DirectoryHeaderLength, '\0');
    directory.replace(0, 4, "ITSP");
    Put32(directory, 4, 1);
    Put32(directory, 8, DirectoryHeaderLength);
    Put32(directory, 0x0C, 0x0A);
    Put32(directory, 0x10, chunkSize);
    Put32(directory, 0x14, 2);
    Put32(directory, 0x18, uint32_t(depth));
    Put32(directory, 0x1C, uint32_t(root));
    Put32(directory, 0x20, 0);
    Put32(directory, 0x24, uint32_t(std::max(listingChunks - 1, 0)));
    Put32(directory, 0x28, uint32_t(-1));
    Put32(directory, 0x2C, uint32_t(chunks.size()));
    Put32(directory, 0x30, 0x409);
    Put32(directory, 0x44, DirectoryHeaderLength);
    for (qsizetype at = 0x48; at < DirectoryHeaderLength; at += 4)
        Put32(directory, at, uint32_t(-1));
    for (const QByteArray& chunk : chunks)
        directory += chunk;

    const uint64_t directoryAt = HeaderLength + SectionZeroLength;
    const uint64_t contentAt = directoryAt + uint64_t(directory.size());
    QByteArray file(HeaderLength + SectionZeroLength, '\0');
    file.replace(0, 4, "ITSF");
    Put32(file, 4, 3);
    Put32(file, 8, HeaderLength);
    Put32(file, 0x0C, 1);
    Put32(file, 0x14, 0x409);
    Put64(file, 0x38, HeaderLength);
    Put64(file, 0x40, SectionZeroLength);
    Put64(file, 0x48, directoryAt);
    Put64(file, 0x50, uint64_t(directory.size()));
    Put64(file, 0x58, contentAt);
    Put32(file, HeaderLength, 0x01FE);
    Put64(file, HeaderLength + 8, contentAt + uint64_t(content.size()));
    return file + directory + content;
}

bool ChmWriter::Write(const QString& path, uint32_t chunkSize) const
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(Bytes(chunkSize)) >= 0 && file.commit();
}
