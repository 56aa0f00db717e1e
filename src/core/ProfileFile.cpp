#include "core/ProfileFile.h"

#include "core/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {
const QByteArray Bom("\xEF\xBB\xBF");

enum class LineKind { Other, Section, Key };

struct Line {
    LineKind kind = LineKind::Other;
    QString name;
    QString value;
};

// Names read from the file are trimmed; so is the name asked for, or a name
// given with blanks would never be found and each write would add a line.
bool SameName(const QString& a, const QString& b)
{
    return a.compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QString Unquote(const QString& value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// A line's text. Only the file's very start may hold a byte order mark
// (Load takes it off); anywhere else U+FEFF is part of a name or value, and
// reads back as written.
QString Decode(const QByteArray& raw)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(raw);
}

Line Parse(const QByteArray& raw)
{
    const QString text = Decode(raw).trimmed();
    if (text.startsWith(u'[')) {
        const qsizetype close = text.lastIndexOf(u']');
        if (close > 0)
            return {LineKind::Section, text.mid(1, close - 1).trimmed(), {}};
        return {};
    }
    if (text.startsWith(u';'))
        return {};
    const qsizetype equals = text.indexOf(u'=');
    if (equals <= 0)
        return {};
    return {LineKind::Key, text.left(equals).trimmed(), Unquote(text.mid(equals + 1).trimmed())};
}

bool HasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

bool IsUsableSection(const QString& section)
{
    return !section.trimmed().isEmpty() && !section.contains(u']') && !HasLineBreak(section);
}

bool IsUsableKey(const QString& key)
{
    const QString trimmed = key.trimmed();
    return !trimmed.isEmpty() && !key.contains(u'=') && !HasLineBreak(key) &&
           !trimmed.startsWith(u'[') && !trimmed.startsWith(u';');
}

QByteArray ItemLine(const QString& key, QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return (key + u'=' + value).toUtf8();
}
} // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path))
{
}

bool ProfileFile::CanOpen() const
{
    if (!QFileInfo(m_path).isFile())
        return false;
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly);
}

bool ProfileFile::Load(Content& content) const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return true;
    if (!info.isFile())
        return false;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    content.exists = true;
    if (data.startsWith(Bom)) {
        content.hasBom = true;
        data.remove(0, Bom.size());
    }
    const qsizetype firstBreak = data.indexOf('\n');
    if (firstBreak > 0 && data.at(firstBreak - 1) == '\r')
        content.lineEnd = "\r\n";
    if (data.isEmpty())
        return true;
    if (data.endsWith('\n'))
        data.chop(1);
    for (QByteArray& line : data.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        content.lines.append(line);
    }
    return true;
}

bool ProfileFile::Save(const Content& content)
{
    QByteArray data;
    if (content.hasBom)
        data += Bom;
    for (const QByteArray& line : content.lines)
        data += line + content.lineEnd;
    AtomicFile file(m_path, AtomicFile::Placement::ReplaceExisting, AtomicFile::Content::Settings);
    if (!file.Open() || !file.WriteAll(data) || !file.Commit()) {
        Fail(QStringLiteral("Could not write %1: %2").arg(m_path, file.errorString()));
        m_diskFailure = file.DeviceFailure();
        return false;
    }
    m_error.clear();
    return true;
}

bool ProfileFile::Fail(const QString& why)
{
    m_diskFailure = false;
    m_error = why.isEmpty() ? QStringLiteral("Unable to write %1").arg(m_path) : why;
    return false;
}

std::pair<int, int> ProfileFile::FindSection(const Content& content, const QString& section)
{
    int first = -1;
    for (int i = 0; i < content.lines.size(); ++i) {
        const Line line = Parse(content.lines.at(i));
        if (line.kind != LineKind::Section)
            continue;
        if (first >= 0)
            return {first, i};
        if (SameName(line.name, section))
            first = i;
    }
    return {first, first >= 0 ? int(content.lines.size()) : -1};
}

std::optional<QString> ProfileFile::Value(const QString& section, const QString& key) const
{
    Content content;
    if (!Load(content))
        return std::nullopt;
    const auto [first, end] = FindSection(content, section);
    for (int i = first + 1; first >= 0 && i < end; ++i) {
        const Line line = Parse(content.lines.at(i));
        if (line.kind == LineKind::Key && SameName(line.name, key))
            return line.value;
    }
    return std::nullopt;
}

QStringList ProfileFile::Sections() const
{
    Content content;
    QStringList names;
    if (!Load(content))
        return names;
    for (const QByteArray& raw : content.lines) {
        const Line line = Parse(raw);
        if (line.kind == LineKind::Section && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    }
    return names;
}

QStringList ProfileFile::Keys(const QString& section) const
{
    Content content;
    QStringList names;
    if (!Load(content))
        return names;
    const auto [first, end] = FindSection(content, section);
    for (int i = first + 1; first >= 0 && i < end; ++i) {
        const Line line = Parse(content.lines.at(i));
        if (line.kind == LineKind::Key && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    }
    return names;
}

bool ProfileFile::Write(const QString& section, const QString& key, const QString& value)
{
    if (!IsUsableSection(section))
        return Fail(QStringLiteral("Unusable section name \"%1\"").arg(section));
    if (!IsUsableKey(key))
        return Fail(QStringLiteral("Unusable item name \"%1\"").arg(key));
    Content content;
    if (!Load(content))
        return Fail(QStringLiteral("Cannot read %1").arg(m_path));

    const auto [first, end] = FindSection(content, section);
    if (first < 0) {
        content.lines.append(QStringLiteral("[%1]").arg(section.trimmed()).toUtf8());
        content.lines.append(ItemLine(key.trimmed(), value));
        return Save(content);
    }
    int insertAt = first + 1;
    for (int i = first + 1; i < end; ++i) {
        const Line line = Parse(content.lines.at(i));
        if (line.kind != LineKind::Key)
            continue;
        if (SameName(line.name, key)) {
            const QByteArray replacement = ItemLine(line.name, value);
            if (Parse(replacement).value == line.value)
                return true; // reads the same: leave the file alone
            content.lines[i] = replacement;
            return Save(content);
        }
        insertAt = i + 1;
    }
    content.lines.insert(insertAt, ItemLine(key.trimmed(), value));
    return Save(content);
}

bool ProfileFile::RemoveKey(const QString& section, const QString& key)
{
    Content content;
    if (!Load(content))
        return Fail(QStringLiteral("Cannot read %1").arg(m_path));
    const auto [first, end] = FindSection(content, section);
    bool removed = false;
    for (int i = end - 1; first >= 0 && i > first; --i) {
        const Line line = Parse(content.lines.at(i));
        if (line.kind == LineKind::Key && SameName(line.name, key)) {
            content.lines.removeAt(i);
            removed = true;
        }
    }
    return removed ? Save(content) : true;
}

bool ProfileFile::RemoveSection(const QString& section)
{
    Content content;
    if (!Load(content))
        return Fail(QStringLiteral("Cannot read %1").arg(m_path));
    bool removed = false;
    for (auto [first, end] = FindSection(content, section); first >= 0;
         std::tie(first, end) = FindSection(content, section)) {
        content.lines.remove(first, end - first);
        removed = true;
    }
    return removed ? Save(content) : true;
}
