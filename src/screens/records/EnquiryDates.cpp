#include "screens/records/EnquiryDates.h"

#include "core/clsDate.h"

#include <QRegularExpression>

namespace EnquiryDates {

namespace {
// The short form exactly: a text the locale reads but writes otherwise
// ("1/2/49" read with a four-digit year pattern as the year 49) is typed.
std::optional<QDate> ReadShownDate(const QString& text, const QLocale& locale)
{
    const QDate date = locale.toDate(text, ShortDatePattern(locale));
    if (!date.isValid() || ShortDateText(date, locale) != text)
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
    int year = today.year();
    const QString typedYear = match.captured(3);
    if (typedYear.size() == 2) {
        const int twoDigits = typedYear.toInt();
        year = twoDigits < 50 ? 2000 + twoDigits : 1900 + twoDigits;
    } else if (typedYear.size() == 4) {
        year = typedYear.toInt();
    }
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
    clsDate reader;
    reader.SetsDate(typed);
    if (!reader.strDate().isEmpty())
        return ShortDateText(reader.sysDate().date(), locale);
    return text;
}

std::optional<QDate> DateOfEventFromText(const QString& text, const QDate& today, const QLocale& locale)
{
    const QString typed = text.trimmed();
    if (const auto shown = ReadShownDate(typed, locale))
        return shown;
    return ReadTypedDate(typed, today);
}

} // namespace EnquiryDates
