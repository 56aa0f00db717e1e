#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

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
// The exact number unscaled / 10^scale (scale 0 to 18) in the same
// patterns, rounded in integers, so that no binary fraction comes between
// at any size. An empty pattern gives the shortest exact decimal.
QString FormatScaled(int64_t unscaled, int scale, const QString& pattern);
