#include "help/ChmFile.h"

#include "platform/NevixError.h"

#include <QFile>
#include <QtEndian>

#include <chm_lib.h>

namespace {
QString Rooted(const QString& path)
{
    return path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path;
}

uint32_t Dword(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<uint32_t>(bytes.constData() + at);
}

uint16_t Word(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<uint16_t>(bytes.constData() + at);
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
    const QByteArray name = QFile::encodeName(path);
    m_file.reset(chm_open(name.constData()));
    if (!m_file)
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("The help file ") + path + QStringLiteral(" cannot be read."));
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
    if (unit.length > static_cast<LONGUINT64>(64 * 1024 * 1024))
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
    QString candidate = Rooted(path);
    while (!candidate.isEmpty()) {
        chmUnitInfo unit{};
        const QByteArray bytes = candidate.toUtf8();
        if (bytes.size() <= CHM_MAX_PATHLEN &&
            chm_resolve_object(m_file.get(), bytes.constData(), &unit) == CHM_RESOLVE_SUCCESS)
            return candidate;
        const qsizetype next = candidate.indexOf(QLatin1Char('/'), 1);
        if (next < 0)
            break;
        candidate = candidate.mid(next);
    }
    return QString();
}

QString ChmFile::PageForTopic(int32_t topicId) const
{
    const auto found = m_topics.constFind(topicId);
    if (found != m_topics.cend()) {
        const QString page = FindPage(*found);
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
        const uint16_t code = Word(*system, at);
        const uint16_t length = Word(*system, at + 2);
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
    // file without mapped topics shows its default topic.
    const auto map = Read(QStringLiteral("/#IVB"));
    const auto strings = Read(QStringLiteral("/#STRINGS"));
    if (!map || !strings || map->size() < 4)
        return;
    const qsizetype end = std::min<qsizetype>(map->size(), 4 + static_cast<qsizetype>(Dword(*map, 0)));
    for (qsizetype at = 4; at + 8 <= end; at += 8) {
        const QString page = CString(*strings, static_cast<qsizetype>(Dword(*map, at + 4)));
        if (!page.isEmpty())
            m_topics.insert(static_cast<int32_t>(Dword(*map, at)), page);
    }
}
