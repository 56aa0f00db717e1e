#include "core/Windows1252.h"

namespace {
// The characters of 0x80-0x9F; an undefined byte maps to itself.
constexpr char16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte of a character, or -1 when the code page lacks it.
int ByteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (High[i] == c)
            return 0x80 + i;
    }
    return -1;
}
} // namespace

namespace Windows1252 {

QChar DecodeByte(unsigned char byte)
{
    return QChar(byte >= 0x80 && byte <= 0x9F ? High[byte - 0x80] : char16_t(byte));
}

QString Decode(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes)
        *out++ = DecodeByte(static_cast<unsigned char>(b));
    return text;
}

QByteArray Encode(const QString& text, bool* lossy)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool lost = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        int byte = ByteOf(c.unicode());
        // A character beyond the basic plane is one "?", not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        if (byte < 0) {
            byte = '?';
            lost = true;
        }
        bytes.append(char(byte));
    }
    if (lossy)
        *lossy = lost;
    return bytes;
}

} // namespace Windows1252
