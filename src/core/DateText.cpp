#include "core/DateText.h"

#include "core/VbFormat.h"
#include "platform/LocalTime.h"

#include <QRegularExpression>

namespace {
const char* const MonthNames[] = {"january", "february", "march",     "april",   "may",      "june",
                                  "july",    "august",   "september", "october", "november", "december"};

int MonthFromName(const QString& name)
{
    const QString lower = name.toLower();
    for (int i = 0; i < 12; ++i) {
        const QString full = QString::fromLatin1(MonthNames[i]);
        if (lower == full || (lower.size() == 3 && full.startsWith(lower)))
            return i + 1;
    }
    return 0;
}

QDate RealDate(int year, int month, int day, qsizetype yearDigits)
{
    if (yearDigits <= 2)
        year = ResolveTwoDigitYear(year);
    const QDate date(year, month, day);
    return date.isValid() && year >= 100 ? date : QDate();
}

std::optional<QTime> ReadTime(const QRegularExpressionMatch& m)
{
    if (!m.hasCaptured(QStringLiteral("h")))
        return QTime(0, 0);
    int hour = m.captured(QStringLiteral("h")).toInt();
    const int minute = m.captured(QStringLiteral("n")).toInt();
    const int second = m.hasCaptured(QStringLiteral("s")) ? m.captured(QStringLiteral("s")).toInt() : 0;
    const QString half = m.captured(QStringLiteral("ap")).toUpper();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (half == QLatin1String("PM") ? 12 : 0);
    }
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

// The optional time after a date: a blank (or "T") and hh:nn[:ss] [AM|PM].
QRegularExpression DatePattern(const QString& datePart)
{
    static const QString timePart = QStringLiteral(
        R"((?:(?:\s+|T)(?<h>\d{1,2}):(?<n>\d{2})(?::(?<s>\d{2}))?(?:\s*(?<ap>[AaPp][Mm]))?)?)");
    return QRegularExpression(u'^' + datePart + timePart + u'$');
}

NullableDate ParseIn(const QString& text, Qt::TimeSpec spec)
{
    static const QRegularExpression dayFirst = DatePattern(
        QStringLiteral(R"((?<d>\d{1,2})(?<sep>[/.-])(?<m>\d{1,2})\k<sep>(?<y>\d{2}|\d{4}))"));
    static const QRegularExpression yearFirst = DatePattern(
        QStringLiteral(R"((?<y>\d{4})(?<sep>[/.-])(?<m>\d{1,2})\k<sep>(?<d>\d{1,2}))"));
    static const QRegularExpression named = DatePattern(
        QStringLiteral(R"((?<d>\d{1,2})[\s-]+(?<mn>[A-Za-z]{3,9})[\s-]+(?<y>\d{2}|\d{4}))"));
    static const QRegularExpression timeOnly(QStringLiteral(
        R"(^(?<h>\d{1,2}):(?<n>\d{2})(?::(?<s>\d{2}))?(?:\s*(?<ap>[AaPp][Mm]))?$)"));

    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 40)
        return std::nullopt;

    QRegularExpressionMatch m;
    QDate date;
    if ((m = dayFirst.match(trimmed)).hasMatch() || (m = yearFirst.match(trimmed)).hasMatch() ||
        (m = named.match(trimmed)).hasMatch()) {
        const int month = m.hasCaptured(QStringLiteral("mn"))
                              ? MonthFromName(m.captured(QStringLiteral("mn")))
                              : m.captured(QStringLiteral("m")).toInt();
        const QString year = m.captured(QStringLiteral("y"));
        date = RealDate(year.toInt(), month, m.captured(QStringLiteral("d")).toInt(), year.size());
    } else if ((m = timeOnly.match(trimmed)).hasMatch()) {
        date = QDate(1899, 12, 30);
    } else {
        return std::nullopt;
    }
    const auto time = ReadTime(m);
    if (!date.isValid() || !time)
        return std::nullopt;
    // A local time in the hour skipped in spring names no moment.
    const QDateTime value = spec == Qt::LocalTime ? LocalDateTime(date, *time) : QDateTime(date, *time, spec);
    if (!value.isValid())
        return std::nullopt;
    return value;
}
} // namespace

int ResolveTwoDigitYear(int year)
{
    if (year < 0 || year > 99)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

QDate DateSerial(int year, int month, int day)
{
    const qint64 months = qint64(year) * 12 + (month - 1);
    const qint64 y = months >= 0 ? months / 12 : (months - 11) / 12;
    const int m = int(months - y * 12) + 1;
    if (y < 100 || y > 9999)
        return {};
    const QDate date = QDate(int(y), m, 1).addDays(qint64(day) - 1);
    return date.year() >= 100 && date.year() <= 9999 ? date : QDate();
}

NullableDate ParseDateText(const QString& text)
{
    return ParseIn(text, Qt::LocalTime);
}

NullableDate ParseUtcDateText(const QString& text)
{
    return ParseIn(text, Qt::UTC);
}

bool IsDateText(const QString& text)
{
    return ParseDateText(text).has_value();
}

QString FormatGeneralDate(const QDateTime& value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    if (!date.isValid() || date.year() < 0 || date.year() > 9999) {
        if (time == QTime(0, 0))
            return FormatDateTime(value, QStringLiteral("dd/mm/yyyy"));
        return FormatDateTime(value, QStringLiteral("dd/mm/yyyy hh:nn:ss"));
    }
    // Written digit by digit: the log lists date every one of their lines.
    char text[20];
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = char('0' + value % 10);
    };
    put(0, date.day(), 2);
    text[2] = '/';
    put(3, date.month(), 2);
    text[5] = '/';
    put(6, date.year(), 4);
    if (time == QTime(0, 0))
        return QString::fromLatin1(text, 10);
    text[10] = ' ';
    put(11, time.hour(), 2);
    text[13] = ':';
    put(14, time.minute(), 2);
    text[16] = ':';
    put(17, time.second(), 2);
    return QString::fromLatin1(text, 19);
}
