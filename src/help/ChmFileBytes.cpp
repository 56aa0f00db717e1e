#include "help/ChmFileBytes.h"

#include <QtEndian>

#include <limits>

ChmFileBytes::ChmFileBytes(const QString& path) : m_file(path)
{
    if (m_file.open(QIODevice::ReadOnly))
        m_size = uint64_t(std::max<qint64>(m_file.size(), 0));
}

QByteArray ChmFileBytes::ReadAt(uint64_t offset, uint64_t length) const
{
    if (!IsOpen() || offset >= m_size || !m_file.seek(qint64(offset)))
        return {};
    return m_file.read(qint64(std::min(length, m_size - offset)));
}

std::optional<QByteArray> ChmFileBytes::ReadExactly(uint64_t offset, uint64_t length) const
{
    if (offset > m_size || length > m_size - offset)
        return std::nullopt;
    QByteArray bytes = ReadAt(offset, length);
    if (uint64_t(bytes.size()) != length)
        return std::nullopt;
    return bytes;
}

uint16_t ChmFileBytes::Word(const QByteArray& bytes, qsizetype at)
{
    return at >= 0 && at + 2 <= bytes.size() ? qFromLittleEndian<uint16_t>(bytes.constData() + at) : 0;
}

uint32_t ChmFileBytes::Dword(const QByteArray& bytes, qsizetype at)
{
    return at >= 0 && at + 4 <= bytes.size() ? qFromLittleEndian<uint32_t>(bytes.constData() + at) : 0;
}

uint64_t ChmFileBytes::Qword(const QByteArray& bytes, qsizetype at)
{
    return at >= 0 && at + 8 <= bytes.size() ? qFromLittleEndian<uint64_t>(bytes.constData() + at) : 0;
}

bool ChmFileBytes::EncodedInt(const QByteArray& bytes, qsizetype& at, qsizetype end, uint64_t& value)
{
    end = std::min(end, bytes.size());
    value = 0;
    while (at >= 0 && at < end) {
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        // Wraps as the library's own count does.
        value = (value << 7) + (byte & 0x7F);
        if (byte < 0x80)
            return true;
    }
    return false;
}
