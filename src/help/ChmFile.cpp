#include "help/ChmFile.h"

#include "help/ChmFileBytes.h"
#include "platform/NevixError.h"

#include <QFile>

#include <chm_lib.h>

namespace {
QString Rooted(const QString& path)
{
    return path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path;
}

NevixError Unreadable(const QString& path)
{
    return NevixError(ErrorNumbers::ObjectErrorBase,
                      QStringLiteral("The help file ") + path + QStringLiteral(" cannot be read."));
}

// A NUL-ended string starting at the offset; "" when the offset is outside.
QString CString(const QByteArray& bytes, qsizetype at)
{
    if (at < 0 || at >= bytes.size())
        return QString();
    const qsizetype end = bytes.indexOf('\0', at);
    return QString::fromUtf8(bytes.mid(at, end < 0 ? -1 : end - at));
}

// System object entries that name the default topic and the title.
constexpr uint16_t SystemDefaultTopic = 2;
constexpr uint16_t SystemTitle = 3;
} // namespace

void ChmFile::Closer::operator()(chmFile* file) const
{
    chm_close(file);
}

ChmFile::ChmFile(const QString& path) : m_path(path)
{
    // The library must never see a file whose structure would take it down.
    QString damage;
    std::optional<ChmLayout> layout = ChmLayout::Read(path, damage);
    if (!layout)
        throw Unreadable(path);
    m_layout = *layout;
    const QByteArray name = QFile::encodeName(path);
    m_file.reset(chm_open(name.constData()));
    if (!m_file)
        throw Unreadable(path);
    ReadSystem();
    ReadContextMap();
}

ChmFile::~ChmFile() = default;

std::optional<QByteArray> ChmFile::Read(const QString& objectPath) const
{
    chmUnitInfo unit{};
    const QByteArray path = Rooted(objectPath).toUtf8();
    if (path.size() > CHM_MAX_PATHLEN ||
        chm_resolve_object(m_file.get(), path.constData(), &unit) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    // Objects are small pages and pictures; a length no buffer can hold is a
    // damaged file.
    if (unit.length > static_cast<LONGUINT64>(64 * 1024 * 1024) ||
        !m_layout.CanRetrieve(unit.space, unit.start, unit.length))
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
    if (unit.length == 0)
        return bytes;
    const LONGINT64 got = chm_retrieve_object(m_file.get(), &unit,
                                              reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                              static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length))
        return std::nullopt;
    return bytes;
}

QString ChmFile::FindPage(const QString& path) const
{
    // Converted once; the trailing parts tried are those from each "/" on,
    // starting with the first that is no longer than a stored path can be.
    const QByteArray bytes = Rooted(path).toUtf8();
    qsizetype at = bytes.size() > CHM_MAX_PATHLEN ? bytes.indexOf('/', bytes.size() - CHM_MAX_PATHLEN) : 0;
    for (; at >= 0; at = bytes.indexOf('/', at + 1)) {
        chmUnitInfo unit{};
        if (chm_resolve_object(m_file.get(), bytes.constData() + at, &unit) == CHM_RESOLVE_SUCCESS)
            return QString::fromUtf8(bytes.mid(at));
    }
    return QString();
}

QString ChmFile::PageForTopic(int32_t topicId) const
{
    const auto found = m_topics.constFind(topicId);
    if (found != m_topics.cend()) {
        const QString page = FindPage(CString(m_strings, *found));
        if (!page.isEmpty())
            return page;
    }
    return m_defaultTopic;
}

void ChmFile::ReadSystem()
{
    const auto system = Read(QStringLiteral("/#SYSTEM"));
    if (!system || system->size() < 4)
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("The help file ") + m_path + QStringLiteral(" cannot be read."));
    // A version, then entries of code, length and data.
    qsizetype at = 4;
    while (at + 4 <= system->size()) {
        const uint16_t code = ChmFileBytes::Word(*system, at);
        const uint16_t length = ChmFileBytes::Word(*system, at + 2);
        at += 4;
        if (at + length > system->size())
            break;
        const QByteArray data = system->mid(at, length);
        if (code == SystemDefaultTopic)
            m_defaultTopic = CString(data, 0);
        else if (code == SystemTitle)
            m_title = CString(data, 0);
        at += length;
    }
    if (!m_defaultTopic.isEmpty())
        m_defaultTopic = FindPage(m_defaultTopic);
}

void ChmFile::ReadContextMap()
{
    // The map is its length in bytes, then pairs of context id and offset
    // of the page's path in the strings object. Either may be missing: a
    // file without mapped topics shows its default topic. The paths are
    // read when asked for: many ids may share one long path.
    const auto map = Read(QStringLiteral("/#IVB"));
    const auto strings = Read(QStringLiteral("/#STRINGS"));
    if (!map || !strings || map->size() < 4)
        return;
    m_strings = *strings;
    const qsizetype end =
        std::min<qsizetype>(map->size(), 4 + static_cast<qsizetype>(ChmFileBytes::Dword(*map, 0)));
    for (qsizetype at = 4; at + 8 <= end; at += 8) {
        const auto offset = static_cast<qsizetype>(ChmFileBytes::Dword(*map, at + 4));
        if (offset < m_strings.size() && m_strings[offset] != '\0')
            m_topics.insert(static_cast<int32_t>(ChmFileBytes::Dword(*map, at)), offset);
    }
}
