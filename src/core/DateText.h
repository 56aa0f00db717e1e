#pragma once

#include "platform/Nullable.h"

#include <QDateTime>
#include <QString>

// Date texts as people in the UK write them, read and written with fixed
// conventions whatever the machine's locale.

// Two-digit years lie in the fixed window 1930-2029; other years stand.
int ResolveTwoDigitYear(int year);

// The date of year, month and day where months and days out of range roll
// over as date arithmetic does (31 April is 1 May, month 13 is January of
// the next year). Invalid outside the years 100 to 9999.
QDate DateSerial(int year, int month, int day);

// A date, or date and time, written "dd/mm/yyyy", "dd-mm-yy", "dd.mm.yyyy",
// "yyyy-mm-dd" (ISO, "T" before the time allowed), "15 Mar 2024" or
// "15 March 2024", optionally followed by "hh:nn" or "hh:nn:ss" (and AM or
// PM); a time alone falls on 30 December 1899. No value for anything else,
// for dates that do not exist, and for a local clock time that the change
// to summer time skips.
NullableDate ParseDateText(const QString& text);
// The same texts read as UTC clock times, which all exist: for stamps whose
// zone is given apart from the text.
NullableDate ParseUtcDateText(const QString& text);
bool IsDateText(const QString& text);

// The general date form: "dd/mm/yyyy", followed by " hh:nn:ss" when the
// time of day is not midnight.
QString FormatGeneralDate(const QDateTime& value);
