// The Windows-1252 code page. Every byte string decodes to text that
// encodes back to the same bytes without loss; text made of characters the
// code page holds encodes and decodes back to itself, and any other text
// is reported as lossy.

#include "FuzzWorld.h"

#include "core/Windows1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString decoded = Windows1252::Decode(bytes);
    Require(decoded.size() == bytes.size(), "one character per byte");
    bool lossy = true;
    Require(Windows1252::Encode(decoded, &lossy) == bytes && !lossy, "decoded bytes encode back to themselves");

    const QString text = TextOf(data, size);
    const QByteArray encoded = Windows1252::Encode(text, &lossy);
    Require(lossy != (Windows1252::Decode(encoded) == text), "text the code page holds comes back, and only that");
    return 0;
}
