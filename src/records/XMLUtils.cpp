#include "records/XMLUtils.h"

#include "core/DateText.h"
#include "database/SqliteError.h"
#include "platform/LocalTime.h"
#include "platform/NevixError.h"

#include <QRegularExpression>
#include <QTime>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {
const QString DateTimeShape = QStringLiteral("YYYY-MM-DDThh:mm:ss");

NevixError TypeMismatch()
{
    return NevixError(ErrorNumbers::TypeMismatch, QStringLiteral("Type mismatch"),
                      QStringLiteral("ExtractDateElementValue"));
}

// An offset such as "01:00" read as a time of day.
QTime OffsetTime(const QString& text)
{
    for (const char* format : {"h:m", "h:m:s"}) {
        const QTime time = QTime::fromString(text, QLatin1String(format));
        if (time.isValid())
            return time;
    }
    throw TypeMismatch();
}

QString CutBeforeFullStop(const QString& text)
{
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    return dot < 0 ? text : text.left(dot);
}

// "." and one or more digits.
bool IsFraction(const QString& tail)
{
    static const QRegularExpression fraction(QStringLiteral("^\\.\\d+$"));
    return fraction.match(tail).hasMatch();
}
} // namespace

namespace {
// A text whose every character is case-folded one for one, so that a plain
// search in it finds what a case-blind search finds in the original; null
// when the text holds characters beyond the basic plane.
QString FoldedEach(const QString& text)
{
    QString folded(text.size(), Qt::Uninitialized);
    QChar* out = folded.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) { // ASCII folds to lower case, and only A-Z change
            *out++ = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u);
            continue;
        }
        if (c.isSurrogate())
            return QString();
        *out++ = QChar(char16_t(QChar::toCaseFolded(u)));
    }
    return folded;
}

// Case-blind searches of one document, made plain searches of its folded
// copy. The readers of an answer ask of the same few texts again and
// again: the last ones folded are kept (sharing, so never changed).
class Searched {
public:
    explicit Searched(const QString& doc) : m_doc(doc)
    {
        const Seen& seen = FoldedOf(doc);
        m_folded = seen.folded;
        m_hasColon = seen.hasColon;
    }
    // False only where the document surely holds no ':'.
    bool MayHoldColon() const { return m_hasColon; }
    qsizetype IndexOf(const QString& needle, qsizetype from = 0) const
    {
        if (m_folded.isNull())
            return m_doc.indexOf(needle, from, Qt::CaseInsensitive);
        const QString foldedNeedle = FoldedEach(needle);
        if (foldedNeedle.isNull())
            return m_doc.indexOf(needle, from, Qt::CaseInsensitive);
        return m_folded.indexOf(foldedNeedle, from, Qt::CaseSensitive);
    }

private:
    struct Seen {
        QString doc;
        QString folded;
        bool hasColon = true;
    };
    static const Seen& FoldedOf(const QString& doc)
    {
        constexpr size_t Kept = 8;
        thread_local std::array<Seen, Kept> seen;
        thread_local size_t next = 0;
        for (const Seen& entry : seen) {
            if (!entry.doc.isEmpty() && entry.doc.constData() == doc.constData() && entry.doc.size() == doc.size())
                return entry;
        }
        Seen& entry = seen[next++ % Kept];
        entry.doc = doc;
        entry.folded = FoldedEach(doc);
        entry.hasColon = doc.contains(QLatin1Char(':'));
        return entry;
    }

    const QString& m_doc;
    QString m_folded;
    bool m_hasColon = true;
};

// Case-blind searches of a document held as UTF-8 bytes, where it lies: no
// copy of it is made, however long it is. The tags sought are ASCII, and a
// byte of a longer character never equals one, so folding A-Z is enough.
class SearchedBytes {
public:
    explicit SearchedBytes(const QByteArray& doc) : m_doc(doc) {}
    static bool MayHoldColon() { return true; }
    qsizetype IndexOf(const QByteArray& needle, qsizetype from = 0) const
    {
        const qsizetype length = needle.size();
        const char* doc = m_doc.constData();
        const qsizetype last = m_doc.size() - length;
        if (length == 0)
            return from <= m_doc.size() ? from : -1;
        const char first = Folded(needle.front());
        const bool letter = first >= 'a' && first <= 'z';
        for (qsizetype at = std::max<qsizetype>(from, 0); at <= last; ++at) {
            if (!letter) {
                const void* hit = std::memchr(doc + at, first, size_t(last - at + 1));
                if (!hit)
                    return -1;
                at = static_cast<const char*>(hit) - doc;
            } else if (Folded(doc[at]) != first) {
                continue;
            }
            qsizetype i = 1;
            while (i < length && Folded(doc[at + i]) == Folded(needle[i]))
                ++i;
            if (i == length)
                return at;
        }
        return -1;
    }

private:
    static char Folded(char c) { return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c; }

    const QByteArray& m_doc;
};

// What the element search needs of a document held as text or as bytes.
void Append(QString& text, const char* ascii)
{
    text += QLatin1String(ascii);
}
void Append(QByteArray& text, const char* ascii)
{
    text += ascii;
}
qsizetype IndexOfChar(const QString& doc, char c, qsizetype from)
{
    return doc.indexOf(QLatin1Char(c), from);
}
qsizetype IndexOfChar(const QByteArray& doc, char c, qsizetype from)
{
    return doc.indexOf(c, from);
}
qsizetype LastIndexOfChar(const QString& doc, char c, qsizetype from)
{
    return doc.lastIndexOf(QLatin1Char(c), from);
}
qsizetype LastIndexOfChar(const QByteArray& doc, char c, qsizetype from)
{
    return doc.lastIndexOf(c, from);
}

// The element's tags as FindElementNameInDoc gives them and where the first
// opening one stands (-1 when nowhere).
template <typename Text>
struct Located {
    Text open;
    Text close;
    qsizetype at = -1;
};

// The text of a tag, put together in one allocation.
template <typename Text>
Text Tag(const char* before, const Text& name)
{
    Text tag;
    tag.reserve(qsizetype(std::strlen(before)) + name.size() + 1);
    Append(tag, before);
    tag += name;
    Append(tag, ">");
    return tag;
}

template <typename Text, typename Search>
Located<Text> Locate(const Text& ElementName, const Text& Doc, const Search& search)
{
    Located<Text> tags;
    tags.open = Tag("<", ElementName);
    tags.close = Tag("</", ElementName);
    tags.at = search.IndexOf(tags.open);
    if (tags.at >= 0)
        return tags;
    Text prefixed;
    Append(prefixed, ":");
    prefixed += ElementName;
    const qsizetype colon = search.MayHoldColon() ? search.IndexOf(prefixed) : -1;
    if (colon < 0)
        return tags;
    const qsizetype start = LastIndexOfChar(Doc, '<', colon);
    const qsizetype end = IndexOfChar(Doc, '>', colon);
    if (start < 0 || end < 0)
        return tags; // no tag around it: keep the plain tags
    tags.open = Doc.mid(start, end - start + 1);
    const Text prefix = Doc.mid(start + 1, colon - start);
    tags.close = Tag("</", prefix + ElementName);
    tags.at = search.IndexOf(tags.open);
    return tags;
}

// Where the first element ends, after its closing tag; -1 when it is
// missing or unclosed.
template <typename Text, typename Search>
qsizetype EndOf(const Located<Text>& tags, const Search& search)
{
    if (tags.at < 0)
        return -1;
    const qsizetype b = search.IndexOf(tags.close, tags.at);
    return b < 0 ? -1 : b + tags.close.size();
}

// Each occurrence in turn, as its start and length, tags included.
template <typename Text, typename Search, typename Visit>
void ForEachElement(const Text& ElementName, const Text& Doc, const Search& search, Visit visit)
{
    const Located<Text> tags = Locate(ElementName, Doc, search);
    qsizetype a = tags.at;
    while (a >= 0) {
        const qsizetype b = search.IndexOf(tags.close, a);
        if (b < 0)
            break; // an unclosed element ends the scan
        const qsizetype position = b + tags.close.size();
        visit(a, position - a);
        if (position >= Doc.size())
            break;
        a = search.IndexOf(tags.open, position);
    }
}

DelimitedString NewElementList()
{
    DelimitedString list;
    list.SetDelimiter(QStringLiteral("~#~"));
    list.SetQuoteCharacter(QString()); // words are XML: quotes are plain text
    return list;
}
} // namespace

void FindElementNameInDoc(const QString& ElementName, const QString& Doc, QString& OpenTag,
                          QString& CloseTag)
{
    Located tags = Locate(ElementName, Doc, Searched(Doc));
    OpenTag = std::move(tags.open);
    CloseTag = std::move(tags.close);
}

QString ExtractElement(const QString& ElementName, const QString& Doc)
{
    const Searched search(Doc);
    const Located tags = Locate(ElementName, Doc, search);
    const qsizetype end = EndOf(tags, search);
    return end < 0 ? QString() : Doc.mid(tags.at, end - tags.at);
}

QString ExtractElementValue(const QString& ElementName, const QString& Doc, const QString& DefaultValue,
                            bool ApplyAsteriskRule, bool RemoveAsterisksFlag)
{
    const Searched search(Doc);
    const Located tags = Locate(ElementName, Doc, search);
    const qsizetype end = EndOf(tags, search);
    QString value;
    if (end >= 0) {
        // The content between the first tags holds no closing tag, and
        // any opening tag in it goes (a nested element of the same name).
        const qsizetype from = tags.at + tags.open.size();
        const qsizetype to = end - tags.close.size();
        if (to >= from) {
            value = Doc.mid(from, to - from);
            value.remove(tags.open, Qt::CaseInsensitive);
        } else { // tags that overlap: as the text search finds them
            value = Doc.mid(tags.at, end - tags.at);
            value.remove(tags.close, Qt::CaseInsensitive);
            value.remove(tags.open, Qt::CaseInsensitive);
        }
    }
    if (value.contains(QLatin1Char('&'))) {
        // "&amp;" last, so that an escaped entity stays an entity.
        value.replace(QStringLiteral("&quot;"), QStringLiteral("\""), Qt::CaseInsensitive);
        value.replace(QStringLiteral("&apos;"), QStringLiteral("'"), Qt::CaseInsensitive);
        value.replace(QStringLiteral("&lt;"), QStringLiteral("<"), Qt::CaseInsensitive);
        value.replace(QStringLiteral("&gt;"), QStringLiteral(">"), Qt::CaseInsensitive);
        value.replace(QStringLiteral("&amp;"), QStringLiteral("&"), Qt::CaseInsensitive);
    }
    if (value.isEmpty())
        value = DefaultValue;
    if (ApplyAsteriskRule)
        value = RemoveAsterisks(value, RemoveAsterisksFlag);
    return value;
}

QString RemoveAsterisks(QString& Text, bool RemoveFlag)
{
    if (RemoveFlag)
        Text.remove(QLatin1Char('*'));
    return Text;
}

int16_t ExtractIntegerElementValue(const QString& ElementName, const QString& Doc, int16_t DefaultValue)
{
    const QString value = ExtractElementValue(ElementName, Doc);
    if (value.isEmpty())
        return DefaultValue;
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return DefaultValue;
    const double rounded = std::nearbyint(number); // halves to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return DefaultValue;
    return int16_t(rounded);
}

bool ExtractBooleanElementValue(const QString& ElementName, const QString& Doc, bool DefaultValue)
{
    const QString value = ExtractElementValue(ElementName, Doc);
    if (value.isEmpty())
        return DefaultValue;
    return value.contains(QLatin1Char('1')) || value.contains(QLatin1Char('t'), Qt::CaseInsensitive);
}

NullableDate ExtractDateElementValue(const QString& ElementName, const QString& Doc)
{
    QString value = ExtractElementValue(ElementName, Doc);
    if (value.isEmpty())
        return std::nullopt;
    if (!value.contains(QLatin1Char('T'), Qt::CaseInsensitive)) {
        const NullableDate day = ParseDateText(value.left(10));
        if (!day)
            return std::nullopt;
        return LocalDateTime(day->date(), QTime(0, 0));
    }
    value.replace(QLatin1Char('T'), QLatin1Char(' '));
    if (value.size() <= DateTimeShape.size())
        return ParseDateText(value); // no zone: taken as local time
    if (value.contains(QLatin1Char('Z'), Qt::CaseInsensitive)) {
        value.remove(QLatin1Char('Z'));
        const NullableDate utc = ParseUtcDateText(CutBeforeFullStop(value));
        return utc ? std::optional(utc->toLocalTime()) : std::nullopt;
    }
    const qsizetype blank = value.indexOf(QLatin1Char(' '));
    const QString datePart = value.left(blank);
    QString timePart = value.mid(blank + 1);
    QString offset;
    if (const qsizetype plus = timePart.indexOf(QLatin1Char('+')); plus >= 0)
        offset = timePart.mid(plus);
    if (const qsizetype minus = timePart.indexOf(QLatin1Char('-')); minus >= 0)
        offset = timePart.mid(minus);
    if (!offset.isEmpty())
        timePart.remove(offset);
    const QString tail = timePart.mid(CutBeforeFullStop(timePart).size());
    timePart = CutBeforeFullStop(timePart);
    const QString stamp = datePart + QLatin1Char(' ') + timePart;
    // The clock fields as written; the zone is applied below.
    const NullableDate stated = ParseUtcDateText(stamp);
    if (!stated)
        return std::nullopt;
    if (offset.isEmpty()) {
        // Fractions of a second without a zone: a local time to the second.
        if (!IsFraction(tail))
            throw TypeMismatch();
        return ParseDateText(stamp);
    }
    // Read from the offset it states, so that a moment in the hour that
    // local clocks skip in spring is still that moment.
    const int seconds = OffsetTime(offset.mid(1)).msecsSinceStartOfDay() / 1000;
    const QDateTime moment(stated->date(), stated->time(), Qt::OffsetFromUTC,
                           offset.startsWith(QLatin1Char('+')) ? seconds : -seconds);
    if (!moment.isValid())
        return std::nullopt;
    return moment.toLocalTime();
}

DelimitedString ExtractElementList(const QString& ElementName, const QString& Doc)
{
    DelimitedString list = NewElementList();
    ForEachElement(ElementName, Doc, Searched(Doc),
                   [&](qsizetype from, qsizetype length) { list.Add(Doc.mid(from, length)); });
    return list;
}

bool HasElement(const QString& ElementName, const QByteArray& Utf8Doc)
{
    const SearchedBytes search(Utf8Doc);
    return EndOf(Locate(ElementName.toUtf8(), Utf8Doc, search), search) >= 0;
}

QString ExtractElementUtf8(const QString& ElementName, const QByteArray& Utf8Doc)
{
    const SearchedBytes search(Utf8Doc);
    const Located<QByteArray> tags = Locate(ElementName.toUtf8(), Utf8Doc, search);
    const qsizetype end = EndOf(tags, search);
    return end < 0 ? QString() : QString::fromUtf8(Utf8Doc.constData() + tags.at, end - tags.at);
}

ElementList ListElements(const QString& ElementName, const QByteArray& Utf8Doc)
{
    ElementList list;
    list.m_doc = Utf8Doc;
    ForEachElement(ElementName.toUtf8(), Utf8Doc, SearchedBytes(Utf8Doc),
                   [&](qsizetype from, qsizetype length) { list.m_spans.append({from, length}); });
    return list;
}

QString ElementList::Word(int32_t Index) const
{
    if (Index < 1 || Index > Count())
        return QString();
    const auto& [from, length] = m_spans.at(Index - 1);
    return QString::fromUtf8(m_doc.constData() + from, length);
}

DelimitedString ExtractElementListUtf8(const QString& ElementName, const QByteArray& Utf8Doc)
{
    DelimitedString list = NewElementList();
    const ElementList elements = ListElements(ElementName, Utf8Doc);
    for (int32_t i = 1; i <= elements.Count(); ++i)
        list.Add(elements.Word(i));
    return list;
}

QString EscapeXMLString(const QString& Text)
{
    QString text = Text;
    text.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    text.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    text.replace(QLatin1Char('\''), QStringLiteral("&apos;"));
    text.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    text.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return text;
}
