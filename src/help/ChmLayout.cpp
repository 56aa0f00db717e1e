#include "help/ChmLayout.h"

#include "help/ChmFileBytes.h"

#include <bit>

namespace {
constexpr uint64_t HeaderLength = 0x60;
constexpr uint64_t DirectoryHeaderLength = 0x54;
constexpr uint64_t ChunkHeaderLength = 0x14;
constexpr uint64_t ResetTableLength = 0x28;
constexpr uint64_t ControlDataMinimum = 0x18;
constexpr uint64_t ControlDataMaximum = 256; // the library's buffer for it
// The library reads a compressed block into a buffer this much larger than
// the block size.
constexpr uint64_t CompressedSlack = 6144;

const QByteArray ResetTablePath(
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable");
const QByteArray ContentPath("::DataSpace/Storage/MSCompressed/Content");
const QByteArray ControlDataPath("::DataSpace/Storage/MSCompressed/ControlData");

constexpr int Compressed = 1;
} // namespace

std::optional<ChmLayout> ChmLayout::Read(const QString& path, QString& damage)
{
    const ChmFileBytes file(path);
    const std::optional<QByteArray> header = file.ReadExactly(0, HeaderLength);
    if (!header || !header->startsWith("ITSF")) {
        damage = QStringLiteral("no compiled help header");
        return std::nullopt;
    }
    const uint32_t version = ChmFileBytes::Dword(*header, 4);
    const uint32_t headerLength = ChmFileBytes::Dword(*header, 8);
    if ((version != 2 && version != 3) || headerLength < (version == 2 ? 0x58u : HeaderLength)) {
        damage = QStringLiteral("an unknown header version");
        return std::nullopt;
    }
    const uint64_t directoryOffset = ChmFileBytes::Qword(*header, 0x48);
    const uint64_t directoryLength = ChmFileBytes::Qword(*header, 0x50);
    ChmLayout layout;
    // Sums wrap as the library's do.
    layout.m_dataOffset = version == 3 ? ChmFileBytes::Qword(*header, 0x58) : directoryOffset + directoryLength;

    const std::optional<QByteArray> directoryHeader = file.ReadExactly(directoryOffset, DirectoryHeaderLength);
    if (!directoryHeader || !directoryHeader->startsWith("ITSP") || ChmFileBytes::Dword(*directoryHeader, 4) != 1 ||
        ChmFileBytes::Dword(*directoryHeader, 8) != DirectoryHeaderLength) {
        damage = QStringLiteral("no directory header");
        return std::nullopt;
    }
    const uint32_t chunkSize = ChmFileBytes::Dword(*directoryHeader, 0x10);
    if (chunkSize > file.Size() || chunkSize < ChunkHeaderLength) {
        damage = QStringLiteral("a directory chunk size of %1 bytes in a file of %2").arg(chunkSize).arg(file.Size());
        return std::nullopt;
    }
    int32_t root = int32_t(ChmFileBytes::Dword(*directoryHeader, 0x1C));
    if (root <= -1) // no index chunks: the first listing chunk is the root
        root = int32_t(ChmFileBytes::Dword(*directoryHeader, 0x20));
    const std::optional<ChmDirectory> directory =
        ChmDirectory::Read(file, directoryOffset + DirectoryHeaderLength, chunkSize, root, damage);
    if (!directory || !layout.ReadCompression(file, *directory, damage))
        return std::nullopt;
    return layout;
}

// Follows the library's opening: it decompresses only when the reset table,
// the content and the control data are all listed, none as compressed, and
// the reset table and control data read as sound.
bool ChmLayout::ReadCompression(const ChmFileBytes& file, const ChmDirectory& directory, QString& damage)
{
    const std::optional<ChmEntry> resetTable = directory.Find(ResetTablePath);
    const std::optional<ChmEntry> content = directory.Find(ContentPath);
    const std::optional<ChmEntry> control = directory.Find(ControlDataPath);
    if (!resetTable || !content || !control || resetTable->space == Compressed || content->space == Compressed ||
        control->space == Compressed)
        return true;
    // Read as compressed (any space but 0), the tables would be decompressed
    // with the very numbers they are to give.
    if (resetTable->space != 0) {
        damage = QStringLiteral("the compression's reset table is not stored as is");
        return false;
    }
    if (resetTable->length < ResetTableLength)
        return true;
    const std::optional<QByteArray> table = file.ReadExactly(m_dataOffset + resetTable->start, ResetTableLength);
    if (!table || ChmFileBytes::Dword(*table, 0) != 2)
        return true;
    if (!ReadControlData(file, *control, damage))
        return false;
    if (!m_compressed)
        return true;
    m_resetTableStart = resetTable->start;
    m_blockCount = ChmFileBytes::Dword(*table, 4);
    m_tableOffset = ChmFileBytes::Dword(*table, 12);
    m_compressedLength = ChmFileBytes::Qword(*table, 24);
    m_blockLength = ChmFileBytes::Qword(*table, 32);
    if (!std::has_single_bit(m_blockLength) || m_blockLength > m_windowSize) {
        damage = QStringLiteral("a compressed block size of %1 bytes").arg(m_blockLength);
        return false;
    }
    ReadBlockTable(file, *content);
    return true;
}

bool ChmLayout::ReadControlData(const ChmFileBytes& file, const ChmEntry& control, QString& damage)
{
    if (control.length > ControlDataMaximum)
        return true; // the library refuses to open the file
    // Whatever happens to the reading, the library goes on to divide by the
    // window size it read (or never read): the file is refused unless that
    // is sound.
    std::optional<QByteArray> data;
    if (control.space == 0 && control.length >= ControlDataMinimum)
        data = file.ReadExactly(m_dataOffset + control.start, control.length);
    if (!data) {
        damage = QStringLiteral("the compression's control data cannot be read");
        return false;
    }
    uint32_t resetInterval = ChmFileBytes::Dword(*data, 12);
    uint32_t windowSize = ChmFileBytes::Dword(*data, 16);
    const uint32_t windowsPerReset = ChmFileBytes::Dword(*data, 20);
    if (ChmFileBytes::Dword(*data, 8) == 2) { // counted in 32 KiB units, wrapping as the library's count
        resetInterval *= 0x8000;
        windowSize *= 0x8000;
    }
    if (windowSize / 2 == 0 || resetInterval == 0) {
        damage = QStringLiteral("a compression window of %1 bytes, reset every %2").arg(windowSize).arg(resetInterval);
        return false;
    }
    // What the library then takes as sound, and decompresses with.
    m_compressed = resetInterval % (windowSize / 2) == 0 && data->mid(4, 4) == "LZXC";
    if (!m_compressed)
        return true;
    m_resetBlocks = resetInterval / (windowSize / 2) * windowsPerReset;
    // The decompressor takes the window's lowest set bit; it knows 2^15 to
    // 2^21 only.
    const int windowBits = std::countr_zero(windowSize);
    if (m_resetBlocks == 0 || windowBits < 15 || windowBits > 21) {
        damage = QStringLiteral("a compression window of %1 bytes, reset every %2 blocks").arg(windowSize).arg(m_resetBlocks);
        return false;
    }
    m_windowSize = uint64_t(1) << windowBits;
    return true;
}

// The reset table lists where each compressed block starts; the library
// reads a block's stated length into a buffer of the block size and a
// little more.
void ChmLayout::ReadBlockTable(const ChmFileBytes& file, const ChmEntry& content)
{
    const uint64_t at = m_dataOffset + m_resetTableStart + m_tableOffset;
    const std::optional<QByteArray> starts = file.ReadExactly(at, uint64_t(m_blockCount) * 8);
    if (!starts)
        return;
    const uint64_t contentAt = m_dataOffset + content.start;
    for (uint32_t block = 0; block < m_blockCount; ++block) {
        const uint64_t start = ChmFileBytes::Qword(*starts, qsizetype(block) * 8);
        const uint64_t end =
            block + 1 < m_blockCount ? ChmFileBytes::Qword(*starts, qsizetype(block + 1) * 8) : m_compressedLength;
        if (end < start || end - start > m_blockLength + CompressedSlack || contentAt + start < contentAt ||
            contentAt + start > file.Size() || end - start > file.Size() - (contentAt + start))
            return;
        m_soundBlocks = block + 1;
    }
}

bool ChmLayout::CanRetrieve(int space, uint64_t start, uint64_t length) const
{
    if (space == 0 || !m_compressed || length == 0)
        return true; // stored as is, or never decompressed
    if (start + length < start)
        return false;
    // A block is decompressed after those since the last reset before it,
    // all of which come earlier in the table.
    const uint64_t lastBlock = (start + length - 1) / m_blockLength;
    return lastBlock < m_soundBlocks;
}
