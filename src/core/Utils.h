#pragma once

#include "platform/Nullable.h"

#include <QDate>
#include <QString>
#include <QVariant>

// The computer's name, "" when the system cannot give it.
QString GetThisComputerName();

// "" for Null, else the value formatted with the pattern (dates and numbers
// with the fixed conventions of VbFormat).
QString FormatOrEmpty(const QVariant& value, const QString& pattern);
// ifNull ("" when not given) for Null; else ifNotNull when given, else the value.
QVariant NullTo(const QVariant& value, const QVariant& ifNull = QString(),
                const QVariant& ifNotNull = QVariant());
// "" for Null, else the value's text as the program writes it anywhere:
// "True"/"False", dates in the general date form, numbers with ".".
QString NullToString(const QVariant& value);

// Paths: "" is the base folder itself; "+rest" lies in the base folder; any
// other path stands as it is. "\" and "/" are both separators; results are
// written with "/".
QString ResolvePath(const QString& path, const QString& base);
QString AppRelativePath(const QString& path);

// "None enquiries", "1 enquiry", "1,234 enquiries".
QString CountText(const QString& noun, qint64 count);

// A date read from "yyMMdd", "yyyyMMdd" (dashes ignored) or taken from a
// date value; no value when the text is no real date.
Nullable<QDate> ParseCompactDate(const QVariant& value);
