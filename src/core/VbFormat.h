#pragma once

#include <QDateTime>
#include <QString>

// Pattern formatting with fixed English conventions ("," thousands, "."
// decimals, English month names), whatever the machine's locale, so that
// files, logs and SQL read the same everywhere.
//
// Date patterns: d dd ddd dddd, m mm mmm mmmm (minutes after h or before s),
// n nn, h hh, s ss, yy yyyy; other characters are copied.
QString FormatDateTime(const QDateTime& value, const QString& pattern);

// Number patterns: "0" a digit always shown, "#" a digit shown when
// significant, "," grouping by thousands, "." the decimal point; characters
// before the first and after the last placeholder are copied. Rounds half
// away from zero.
QString FormatNumber(double value, const QString& pattern);
