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

// The text the date box takes when it loses the focus: a text the box
// reads becomes its date's short form; today when empty; anything else
// stays as it is for the validation to judge.
QString NormaliseDateOfEvent(const QString& text, const QDate& today, const QLocale& locale = QLocale());

// The date the box's text names, the one reading of the screen and of its
// check before a save: its short form; three numbers parted by slashes,
// dashes, dots, colons or blanks of any kind, day first (only four digits
// first are the year, as in 2024-03-01); "d/m"; else as the date reader
// takes it (digits only, such as "010249"). None when the text is no date,
// as is a year below 100 ("0024") in any of these forms.
std::optional<QDate> DateOfEventFromText(const QString& text, const QDate& today,
                                         const QLocale& locale = QLocale());

} // namespace EnquiryDates
