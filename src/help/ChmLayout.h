#pragma once

#include "help/ChmDirectory.h"

#include <QString>

#include <cstdint>
#include <optional>

// What a compiled help file's own headers, directory and compression tables
// state, read with bounds checks of our own before the help reading library
// opens the file. The library trusts those numbers: a window size of 0
// divides by zero, a stated chunk size is allocated whatever it is, an
// index circle is walked for ever, and a compressed block's stated length
// is read into a buffer of the block size. Read refuses such a file, and
// CanRetrieve tells which objects the library can decompress safely.
class ChmLayout {
public:
    // No value, and the damage described, for a file the library must not
    // open (or would not open anyway).
    static std::optional<ChmLayout> Read(const QString& path, QString& damage);

    // Whether the library can hand over the object's bytes without reading
    // outside its buffers. False for a compressed object whose blocks the
    // reset table does not bound soundly.
    bool CanRetrieve(int space, uint64_t start, uint64_t length) const;

private:
    bool ReadCompression(const ChmFileBytes& file, const ChmDirectory& directory, QString& damage);
    bool ReadControlData(const ChmFileBytes& file, const ChmEntry& control, QString& damage);
    void ReadBlockTable(const ChmFileBytes& file, const ChmEntry& content);

    uint64_t m_dataOffset = 0;
    // Whether the library decompresses at all, and what it decompresses with.
    bool m_compressed = false;
    uint64_t m_resetTableStart = 0;
    uint32_t m_blockCount = 0;
    uint32_t m_tableOffset = 0;
    uint64_t m_compressedLength = 0;
    uint64_t m_blockLength = 0;
    uint64_t m_windowSize = 0;
    uint32_t m_resetBlocks = 0;
    // The blocks from the first on whose compressed bounds are sound.
    uint64_t m_soundBlocks = 0;
};
