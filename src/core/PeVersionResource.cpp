#include "core/PeVersionResource.h"

#include <QFile>

#include <algorithm>
#include <functional>

namespace {
constexpr uint32_t ResourceTypeVersion = 16;
constexpr qsizetype MaxFileSize = 512 * 1024 * 1024;

// Bounds-checked little-endian reads over a byte block.
class Bytes {
public:
    explicit Bytes(const QByteArray& data) : m_data(data) {}
    qsizetype size() const { return m_data.size(); }
    bool Has(qint64 offset, qint64 count) const
    {
        return offset >= 0 && count >= 0 && offset + count <= m_data.size();
    }
    std::optional<uint16_t> U16(qint64 offset) const
    {
        if (!Has(offset, 2))
            return std::nullopt;
        const auto* p = reinterpret_cast<const uchar*>(m_data.constData() + offset);
        return uint16_t(p[0] | (p[1] << 8));
    }
    std::optional<uint32_t> U32(qint64 offset) const
    {
        if (!Has(offset, 4))
            return std::nullopt;
        const auto* p = reinterpret_cast<const uchar*>(m_data.constData() + offset);
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    QByteArray Mid(qint64 offset, qint64 count) const { return m_data.mid(offset, count); }
    // UTF-16 text from offset up to a NUL or the limit; its end past the NUL.
    QString Text(qint64 offset, qint64 limit, qint64* end = nullptr) const
    {
        QString text;
        qint64 at = offset;
        while (at + 2 <= limit && Has(at, 2)) {
            const uint16_t c = *U16(at);
            at += 2;
            if (c == 0)
                break;
            text += QChar(c);
        }
        if (end)
            *end = at;
        return text;
    }

private:
    const QByteArray& m_data;
};

qint64 Align4(qint64 offset, qint64 base)
{
    return base + ((offset - base + 3) & ~qint64(3));
}

struct Section {
    uint32_t virtualAddress;
    uint32_t virtualSize;
    uint32_t rawSize;
    uint32_t rawOffset;
};

// The file offset of a relative virtual address, or -1.
qint64 RvaToOffset(const QList<Section>& sections, uint32_t rva)
{
    for (const Section& s : sections) {
        const uint32_t extent = std::max(s.virtualSize, s.rawSize);
        if (rva >= s.virtualAddress && rva - s.virtualAddress < extent) {
            const uint32_t delta = rva - s.virtualAddress;
            return delta < s.rawSize ? qint64(s.rawOffset) + delta : -1;
        }
    }
    return -1;
}

// The first entry of a resource directory whose id is wanted (any when
// wanted is 0): its offset field, or no value.
std::optional<uint32_t> FindEntry(const Bytes& b, qint64 rsrc, uint32_t directory, uint32_t wanted)
{
    const qint64 at = rsrc + directory;
    const auto named = b.U16(at + 12);
    const auto ids = b.U16(at + 14);
    if (!named || !ids)
        return std::nullopt;
    const int count = *named + *ids;
    for (int i = 0; i < count; ++i) {
        const auto name = b.U32(at + 16 + qint64(i) * 8);
        const auto target = b.U32(at + 16 + qint64(i) * 8 + 4);
        if (!name || !target)
            return std::nullopt;
        const bool isId = (*name & 0x80000000u) == 0;
        if (wanted == 0 || (isId && *name == wanted))
            return *target;
    }
    return std::nullopt;
}

std::optional<QByteArray> VersionBlock(const QByteArray& file)
{
    const Bytes b(file);
    if (file.size() < 64 || file[0] != 'M' || file[1] != 'Z')
        return std::nullopt;
    const auto peOffset = b.U32(0x3C);
    if (!peOffset || !b.Has(*peOffset, 24) || file.mid(*peOffset, 4) != QByteArray("PE\0\0", 4))
        return std::nullopt;
    const qint64 coff = qint64(*peOffset) + 4;
    const uint16_t sectionCount = b.U16(coff + 2).value_or(0);
    const uint16_t optionalSize = b.U16(coff + 16).value_or(0);
    const qint64 optional = coff + 20;
    const auto magic = b.U16(optional);
    if (!magic || (*magic != 0x10B && *magic != 0x20B))
        return std::nullopt;
    const qint64 directories = optional + (*magic == 0x10B ? 96 : 112);
    const auto directoryCount = b.U32(directories - 4);
    if (!directoryCount || *directoryCount < 3 || directories + 24 > optional + optionalSize)
        return std::nullopt;
    const auto resourceRva = b.U32(directories + 2 * 8);
    if (!resourceRva || *resourceRva == 0)
        return std::nullopt;

    QList<Section> sections;
    const qint64 table = optional + optionalSize;
    for (int i = 0; i < sectionCount; ++i) {
        const qint64 at = table + qint64(i) * 40;
        if (!b.Has(at, 40))
            return std::nullopt;
        sections.append({*b.U32(at + 12), *b.U32(at + 8), *b.U32(at + 16), *b.U32(at + 20)});
    }
    const qint64 rsrc = RvaToOffset(sections, *resourceRva);
    if (rsrc < 0)
        return std::nullopt;

    // Type 16, then its first name, then that name's first language.
    const auto names = FindEntry(b, rsrc, 0, ResourceTypeVersion);
    if (!names || (*names & 0x80000000u) == 0)
        return std::nullopt;
    const auto languages = FindEntry(b, rsrc, *names & 0x7FFFFFFFu, 0);
    if (!languages || (*languages & 0x80000000u) == 0)
        return std::nullopt;
    const auto entry = FindEntry(b, rsrc, *languages & 0x7FFFFFFFu, 0);
    if (!entry || (*entry & 0x80000000u) != 0)
        return std::nullopt;
    const auto dataRva = b.U32(rsrc + *entry);
    const auto dataSize = b.U32(rsrc + *entry + 4);
    if (!dataRva || !dataSize)
        return std::nullopt;
    const qint64 data = RvaToOffset(sections, *dataRva);
    if (data < 0 || !b.Has(data, *dataSize))
        return std::nullopt;
    return b.Mid(data, *dataSize);
}

// One node of the version tree: wLength, wValueLength, wType, key, value,
// children, each on a 4-byte boundary.
struct Node {
    qint64 start = 0;
    qint64 end = 0;
    QString key;
    qint64 value = 0;
    qint64 valueEnd = 0;
    qint64 children = 0;
};

std::optional<Node> ReadNode(const Bytes& b, qint64 start, qint64 limit)
{
    const auto length = b.U16(start);
    const auto valueLength = b.U16(start + 2);
    const auto type = b.U16(start + 4);
    if (!length || !valueLength || !type || *length < 6 || start + *length > limit)
        return std::nullopt;
    Node node;
    node.start = start;
    node.end = start + *length;
    qint64 afterKey = 0;
    node.key = b.Text(start + 6, node.end, &afterKey);
    node.value = std::min(Align4(afterKey, 0), node.end);
    // Text values count in characters, binary ones in bytes.
    const qint64 valueBytes = *type == 1 ? qint64(*valueLength) * 2 : *valueLength;
    node.valueEnd = std::min(node.value + valueBytes, node.end);
    node.children = std::min(Align4(node.valueEnd, 0), node.end);
    return node;
}

void ForEachChild(const Bytes& b, const Node& parent, const std::function<void(const Node&)>& visit)
{
    qint64 at = parent.children;
    while (at + 6 <= parent.end) {
        const std::optional<Node> child = ReadNode(b, at, parent.end);
        if (!child)
            return;
        visit(*child);
        at = Align4(child->end, 0);
    }
}
} // namespace

std::optional<PeVersionResource> PeVersionResource::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return std::nullopt;
    return Parse(file.readAll());
}

std::optional<PeVersionResource> PeVersionResource::Parse(const QByteArray& file)
{
    const std::optional<QByteArray> block = VersionBlock(file);
    if (!block)
        return std::nullopt;
    PeVersionResource resource;
    if (!resource.ParseVersionInfo(*block))
        return std::nullopt;
    return resource;
}

bool PeVersionResource::ParseVersionInfo(const QByteArray& block)
{
    const Bytes b(block);
    const std::optional<Node> root = ReadNode(b, 0, block.size());
    if (!root || root->key != QLatin1String("VS_VERSION_INFO"))
        return false;
    m_size = block.size();
    if (root->valueEnd - root->value >= 52 && b.U32(root->value) == 0xFEEF04BDu)
        m_fixedInfo = b.Mid(root->value, 52);

    ForEachChild(b, *root, [&](const Node& info) {
        if (info.key.compare(QLatin1String("StringFileInfo"), Qt::CaseInsensitive) == 0) {
            ForEachChild(b, info, [&](const Node& table) {
                QMap<QString, QString>& values = m_strings[table.key.toUpper()];
                ForEachChild(b, table, [&](const Node& str) {
                    values.insert(str.key.toUpper(), b.Text(str.value, str.valueEnd));
                });
            });
        } else if (info.key.compare(QLatin1String("VarFileInfo"), Qt::CaseInsensitive) == 0) {
            ForEachChild(b, info, [&](const Node& var) {
                if (var.key.compare(QLatin1String("Translation"), Qt::CaseInsensitive) != 0)
                    return;
                for (qint64 at = var.value; at + 4 <= var.valueEnd; at += 4)
                    m_translations.append(*b.U32(at));
            });
        }
    });
    return true;
}

QString PeVersionResource::StringValue(const QString& table, const QString& name) const
{
    const auto t = m_strings.constFind(table.toUpper());
    if (t == m_strings.cend())
        return {};
    return t->value(name.toUpper());
}
