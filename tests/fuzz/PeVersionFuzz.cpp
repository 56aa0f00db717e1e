// The version resource reader over the bytes of a program file. The input
// is read in place, not copied, so that AddressSanitizer sees any read past
// its last byte.

#include "FuzzWorld.h"

#include "core/PeVersionResource.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<PeVersionResource> resource = PeVersionResource::Parse(file);
    if (!resource)
        return 0;
    Require(resource->Size() >= 0, "a resource has a size");
    Require(resource->FixedInfo().isEmpty() || resource->FixedInfo().size() == 52,
            "the fixed file information is 52 bytes or missing");
    for (const uint32_t translation : resource->Translations()) {
        const QString table = QStringLiteral("%1").arg(translation & 0xFFFF, 4, 16, QLatin1Char('0')) +
                              QStringLiteral("%1").arg(translation >> 16, 4, 16, QLatin1Char('0'));
        (void)resource->StringValue(table, QStringLiteral("FileVersion"));
    }
    return 0;
}
