#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <optional>

// A file's bytes read by position, as the help reading library reads them
// (a read reaching past the end gives what is there), and the little-endian
// numbers the file's structures are made of, read without ever leaving
// the bytes given.
class ChmFileBytes {
public:
    explicit ChmFileBytes(const QString& path);
    ChmFileBytes(const ChmFileBytes&) = delete;
    ChmFileBytes& operator=(const ChmFileBytes&) = delete;

    bool IsOpen() const { return m_file.isOpen(); }
    uint64_t Size() const { return m_size; }
    // Up to length bytes from offset; fewer at the end of the file.
    QByteArray ReadAt(uint64_t offset, uint64_t length) const;
    // Exactly length bytes from offset, or no value.
    std::optional<QByteArray> ReadExactly(uint64_t offset, uint64_t length) const;

    // 0 when the number does not lie wholly within the bytes.
    static uint16_t Word(const QByteArray& bytes, qsizetype at);
    static uint32_t Dword(const QByteArray& bytes, qsizetype at);
    static uint64_t Qword(const QByteArray& bytes, qsizetype at);
    // A number of 7-bit groups, high bit set on all but the last, read from
    // at (which moves past it); false when it runs past end.
    static bool EncodedInt(const QByteArray& bytes, qsizetype& at, qsizetype end, uint64_t& value);

private:
    mutable QFile m_file;
    uint64_t m_size = 0;
};
