#include "core/MakeGuid.h"

#include <QRandomGenerator>

#include <array>

QString MakeGuid()
{
    // A random (version 4) GUID. The shared generator is seeded from the
    // system's once; asking the system for every GUID costs more than all
    // the other work of a loaded row.
    std::array<quint32, 4> words{};
    QRandomGenerator::global()->fillRange(words.data(), qsizetype(words.size()));
    std::array<uchar, 16> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uchar(words[i / 4] >> (8 * (i % 4)));
    bytes[6] = uchar((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = uchar((bytes[8] & 0x3F) | 0x80); // the standard variant

    static constexpr char16_t Hex[] = u"0123456789ABCDEF";
    QString text(38, Qt::Uninitialized);
    QChar* out = text.data();
    *out++ = u'{';
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            *out++ = u'-';
        *out++ = Hex[bytes[i] >> 4];
        *out++ = Hex[bytes[i] & 0x0F];
    }
    *out = u'}';
    return text;
}
