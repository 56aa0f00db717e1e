#include "records/XMLUtils.h"

#include "core/DateText.h"
#include "database/SqliteError.h"
#include "platform/NevixError.h"

#include <QRegularExpression>
#include <QTime>

#include <cmath>

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

void FindElementNameInDoc(const QString& ElementName, const QString& Doc, QString& OpenTag,
                          QString& CloseTag)
{
    OpenTag = QLatin1Char('<') + ElementName + QLatin1Char('>');
    CloseTag = QStringLiteral("</") + ElementName + QLatin1Char('>');
    if (Doc.contains(OpenTag, Qt::CaseInsensitive))
        return;
    const qsizetype colon = Doc.indexOf(QLatin1Char(':') + ElementName, 0, Qt::CaseInsensitive);
    if (colon < 0)
        return;
    const qsizetype start = Doc.lastIndexOf(QLatin1Char('<'), colon);
    const qsizetype end = Doc.indexOf(QLatin1Char('>'), colon);
    if (start < 0 || end < 0)
        return; // no tag around it: keep the plain tags
    OpenTag = Doc.mid(start, end - start + 1);
    const QString prefix = Doc.mid(start + 1, colon - start);
    CloseTag = QStringLiteral("</") + prefix + ElementName + QLatin1Char('>');
}

QString ExtractElement(const QString& ElementName, const QString& Doc)
{
    QString open, close;
    FindElementNameInDoc(ElementName, Doc, open, close);
    const qsizetype a = Doc.indexOf(open, 0, Qt::CaseInsensitive);
    if (a < 0)
        return QString();
    const qsizetype b = Doc.indexOf(close, a, Qt::CaseInsensitive);
    if (b < 0)
        return QString();
    return Doc.mid(a, b + close.size() - a);
}

QString ExtractElementValue(const QString& ElementName, const QString& Doc, const QString& DefaultValue,
                            bool ApplyAsteriskRule, bool RemoveAsterisksFlag)
{
    QString value = ExtractElement(ElementName, Doc);
    if (!value.isEmpty()) {
        QString open, close;
        FindElementNameInDoc(ElementName, Doc, open, close);
        value.remove(close, Qt::CaseInsensitive);
        value.remove(open, Qt::CaseInsensitive);
    }
    if (!value.isEmpty()) {
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
        return QDateTime(day->date(), QTime(0, 0));
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
    DelimitedString list;
    list.SetDelimiter(QStringLiteral("~#~"));
    list.SetQuoteCharacter(QString()); // words are XML: quotes are plain text
    QString open, close;
    FindElementNameInDoc(ElementName, Doc, open, close);
    qsizetype position = 0;
    while (position < Doc.size()) {
        const qsizetype a = Doc.indexOf(open, position, Qt::CaseInsensitive);
        if (a < 0)
            break;
        const qsizetype b = Doc.indexOf(close, a, Qt::CaseInsensitive);
        if (b < 0)
            break; // an unclosed element ends the scan
        position = b + close.size();
        list.Add(Doc.mid(a, position - a));
    }
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
