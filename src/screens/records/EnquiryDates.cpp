#include "screens/records/EnquiryDates.h"

#include "core/DateText.h"
#include "core/clsDate.h"

#include <QRegularExpression>

namespace EnquiryDates {

namespace {
// The short form exactly: a text the locale reads but writes otherwise
// ("1/2/49" read with a four-digit year pattern as the year 49) is typed.
// A year the other readings refuse ("01/03/0002") is no date here either,
// so the separator never decides whether it is read.
std::optional<QDate> ReadShownDate(const QString& text, const QLocale& locale)
{
    const QDate date = locale.toDate(text, ShortDatePattern(locale));
    if (!date.isValid() || ShortDateText(date, locale) != text ||
        DateSerial(date.year(), date.month(), date.day()) != date)
        return std::nullopt;
    return date;
}

// A two-digit year below 50 is 20yy, else 19yy; four digits stand.
int TypedYear(const QString& digits)
{
    const int year = digits.toInt();
    if (digits.size() != 2)
        return year;
    return year < 50 ? 2000 + year : 1900 + year;
}

// Three numbers parted by any of the marks dates are written with:
// "20/11/26", "20-11-26", "20.11.26", "20 11 26", "2024-03-01". Any blank
// counts, a no-break space of a pasted date too: the date reader would take
// the number after it for 0 (20 November 2000).
const QRegularExpression& ThreeNumbers()
{
    static const QRegularExpression numbers(QStringLiteral("^([0-9]+)[-/.:\\s]+([0-9]+)[-/.:\\s]+([0-9]+)$"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    return numbers;
}

// Day first whatever parts the numbers; only four digits first are a year
// (2024-03-01), as no day has them. A day past its month's end carries
// over, as the date reader carries it (31/02/2024 is 2 March); anything
// else out of range is no date, never another reading.
std::optional<QDate> ReadThreeNumbers(const QRegularExpressionMatch& numbers)
{
    const QString first = numbers.captured(1);
    const QString month = numbers.captured(2);
    const QString last = numbers.captured(3);
    const bool yearFirst = first.size() == 4;
    const QString& day = yearFirst ? last : first;
    const QString& year = yearFirst ? first : last;
    if (day.size() > 2 || month.size() > 2 || (year.size() != 2 && year.size() != 4))
        return std::nullopt;
    const int dayNumber = day.toInt();
    const int monthNumber = month.toInt();
    if (dayNumber < 1 || dayNumber > 31 || monthNumber < 1 || monthNumber > 12)
        return std::nullopt;
    const QDate date = DateSerial(TypedYear(year), monthNumber, dayNumber);
    if (!date.isValid())
        return std::nullopt;
    return date;
}
} // namespace

QString ShortDatePattern(const QLocale& locale)
{
    QString pattern = locale.dateFormat(QLocale::ShortFormat);
    if (!pattern.contains(QStringLiteral("yyyy")))
        pattern.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return pattern;
}

QString ShortDateText(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, ShortDatePattern(locale));
}

std::optional<QDate> ReadTypedDate(const QString& text, const QDate& today)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})/(\\d{1,2})(?:/(\\d{2}|\\d{4}))?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QString typedYear = match.captured(3);
    const int year = typedYear.isEmpty() ? today.year() : TypedYear(typedYear);
    const QDate date(year, match.captured(2).toInt(), match.captured(1).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString NormaliseDateOfEvent(const QString& text, const QDate& today, const QLocale& locale)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return ShortDateText(today, locale);
    if (const auto date = DateOfEventFromText(typed, today, locale))
        return ShortDateText(*date, locale);
    return text;
}

std::optional<QDate> DateOfEventFromText(const QString& text, const QDate& today, const QLocale& locale)
{
    const QString typed = text.trimmed();
    if (const auto shown = ReadShownDate(typed, locale))
        return shown;
    // Their one reading: the date reader would take some year first.
    if (const QRegularExpressionMatch numbers = ThreeNumbers().match(typed); numbers.hasMatch())
        return ReadThreeNumbers(numbers);
    if (const auto typedDate = ReadTypedDate(typed, today))
        return typedDate;
    clsDate reader;
    reader.SetsDate(typed);
    if (reader.strDate().isEmpty())
        return std::nullopt;
    return reader.sysDate().date();
}

} // namespace EnquiryDates
