#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// The date of event as the enquiry screen shows and reads it. Dates are
// shown in the locale's short form with the year in full; what a user
// types is read day first whatever the locale.
namespace EnquiryDates {

// The locale's short date pattern, with a four-digit year.
QString ShortDatePattern(const QLocale& locale = QLocale());
QString ShortDateText(const QDate& date, const QLocale& locale = QLocale());

// "d/m/yy", "d/m/yyyy" or "d/m" (this year), day first. A two-digit year
// below 50 is 20yy, else 19yy; a four-digit year stays.
std::optional<QDate> ReadTypedDate(const QString& text, const QDate& today);

// The text the date box takes when it loses the focus: a date shown or
// typed becomes its short form; another text that the date reader takes
// (digits only, such as "010249") too; today when empty; anything else
// stays as it is for the validation to judge.
QString NormaliseDateOfEvent(const QString& text, const QDate& today, const QLocale& locale = QLocale());

// The date the box holds: in its short form, or as typed; none when the
// text is no date.
std::optional<QDate> DateOfEventFromText(const QString& text, const QDate& today,
                                         const QLocale& locale = QLocale());

} // namespace EnquiryDates
