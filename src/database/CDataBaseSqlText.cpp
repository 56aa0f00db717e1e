// The SQL text helpers of CDataBase: pure functions, no database.
#include "database/CDataBase.h"

#include "core/DateText.h"
#include "database/SqliteError.h"
#include "database/Statement.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "platform/LocalZone.h"

#include <cstdio>
#include <ctime>

namespace {
QString Quoted(const QString& text)
{
    return QLatin1Char('\'') + CDataBase::EscapeQuotes(text) + QLatin1Char('\'');
}

// A date (or date and time) held by a value: a date value, or a text that
// reads as one. No value otherwise.
std::optional<QDateTime> DateOf(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().isValid() ? std::optional(value.toDateTime()) : std::nullopt;
    case QMetaType::QDate:
        return value.toDate().isValid() ? std::optional(LocalDateTime(value.toDate(), QTime(0, 0)))
                                        : std::nullopt;
    case QMetaType::QString: {
        const QString text = value.toString();
        const QDateTime stored = ParseSqlDateTime(text);
        return stored.isValid() ? std::optional(stored) : ParseDateText(text);
    }
    default:
        return std::nullopt;
    }
}
} // namespace

QString CDataBase::FormatSQLBetweenDates(const QDate& aDate1, const QDate& aDate2)
{
    return QStringLiteral("BETWEEN '") + aDate1.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(" 00:00:00' AND '") + aDate2.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(" 23:59:59'");
}

QString CDataBase::FormatSQLDate(const QVariant& aDate)
{
    const std::optional<QDateTime> when = DateOf(aDate);
    if (!when)
        return QStringLiteral("NULL");
    return QLatin1Char('\'') + SqlDateText(when->date()) + QLatin1Char('\'');
}

QString CDataBase::FormatSQLDateTime(const QVariant& aDate)
{
    if (aDate.isNull())
        return QStringLiteral("NULL");
    const std::optional<QDateTime> when = DateOf(aDate);
    if (!when)
        throw NevixError(ErrorNumbers::TypeMismatch, QStringLiteral("Type mismatch"),
                         QStringLiteral("CDataBase.FormatSQLDateTime"));
    return QLatin1Char('\'') + SqlDateTimeText(*when) + QLatin1Char('\'');
}

QString CDataBase::FormatSQLDateTimeWhere(const QVariant& aDate)
{
    const QString value = FormatSQLDateTime(aDate);
    return value == QLatin1String("NULL") ? QStringLiteral("IS NULL") : QLatin1Char('=') + value;
}

namespace {
// "yyyymmdd:" and the seconds since midnight to the hundredth, with no digit
// required before the point: half a second after midnight is ".50".
QString StampText(int year, int month, int day, int hundredthsOfDay)
{
    const int seconds = hundredthsOfDay / 100;
    char text[40];
    const int length =
        seconds > 0 ? std::snprintf(text, sizeof text, "%04d%02d%02d:%d.%02d", year, month, day,
                                    seconds, hundredthsOfDay % 100)
                    : std::snprintf(text, sizeof text, "%04d%02d%02d:.%02d", year, month, day,
                                    hundredthsOfDay % 100);
    return QString::fromLatin1(text, length);
}
} // namespace

QString CDataBase::MakeTimestamp()
{
    // The program's clock tells the time to the second; a stamp needs the
    // hundredths, so the system's time of day is read directly. A clock put
    // in its place (tests) is taken as it stands.
    const Clock& clock = AppContext::Current().clock();
    if (!dynamic_cast<const SystemClock*>(&clock))
        return MakeTimestamp(clock.Now());
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    // Every row written is stamped: the second is converted to local time
    // once, and again once the zone in force changes.
    const int zone = LocalZone::Generation();
    thread_local time_t convertedSecond = -1;
    thread_local int convertedZone = -1;
    thread_local tm local {};
    if (now.tv_sec != convertedSecond || zone != convertedZone) {
        // With TZ set anew the C library reads it only when asked.
        tzset();
        localtime_r(&now.tv_sec, &local);
        convertedSecond = now.tv_sec;
        convertedZone = zone;
    }
    const int hundredths = ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 100 +
                           int(now.tv_nsec / 10000000);
    return StampText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, hundredths);
}

QString CDataBase::MakeTimestamp(const QDateTime& now)
{
    const QDate day = now.date();
    return StampText(day.year(), day.month(), day.day(), now.time().msecsSinceStartOfDay() / 10);
}

QString CDataBase::SQLTimeStamp(const NullableString& aTimeStamp)
{
    return Quoted(aTimeStamp.value_or(QString()));
}

QString CDataBase::SQLTimeStampWhere(const NullableString& aTimeStamp)
{
    return aTimeStamp ? QLatin1Char('=') + Quoted(*aTimeStamp) : QStringLiteral("IS NULL");
}

QString CDataBase::EscapeQuotes(const QString& strInputString)
{
    QString text = strInputString;
    return text.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString CDataBase::ConcatWhereClause(const QString& sClause, const QString& sToAdd,
                                     const QString& sOperator)
{
    if (sClause.isEmpty())
        return QStringLiteral(" where ") + sToAdd;
    return sClause + QLatin1Char(' ') + sOperator + QLatin1Char(' ') + sToAdd;
}

QString CDataBase::EscapeQuotesOrNull(const QString& strInputString)
{
    return strInputString.isEmpty() ? QStringLiteral("NULL") : Quoted(strInputString);
}

QString CDataBase::EscapeQuotesOrNullWhere(const QString& strInputString)
{
    if (strInputString.isEmpty())
        return QStringLiteral(" IS NULL");
    if (!strInputString.contains(QLatin1Char('*')))
        return QStringLiteral("= ") + Quoted(strInputString);
    // "*" is the user's wildcard; the engine's own wildcards in the text
    // are meant literally.
    QString pattern;
    bool escaped = false;
    for (const QChar c : strInputString) {
        if (c == QLatin1Char('*')) {
            pattern += QLatin1Char('%');
        } else if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')) {
            pattern += QLatin1Char('\\') + c;
            escaped = true;
        } else {
            pattern += c;
        }
    }
    return QStringLiteral(" LIKE ") + Quoted(pattern) +
           (escaped ? QStringLiteral(" ESCAPE '\\'") : QString());
}

QString CDataBase::BuildConnectionString(const ConnectionParams& params)
{
    QString text = QStringLiteral("Provider=") + params.Provider + QLatin1Char(';') +
                   QStringLiteral("Data Source=") + params.Source + QLatin1Char(';');
    if (params.EngineType != 0)
        text += QStringLiteral("Jet OLEDB:Engine Type=") + QString::number(params.EngineType) +
                QLatin1Char(';');
    if (!params.DbPassword.isEmpty())
        text += QStringLiteral("Jet OLEDB:Database Password=") + params.DbPassword +
                QLatin1Char(';');
    if (!params.User.isEmpty()) {
        text += QStringLiteral("User Id=") + params.User + QLatin1Char(';');
        if (!params.UserPassword.isEmpty())
            text += QStringLiteral("Password=") + params.UserPassword + QLatin1Char(';');
    } else {
        text += QStringLiteral("User Id=Admin;");
    }
    return text + QStringLiteral(";Mode=Share Deny None");
}
