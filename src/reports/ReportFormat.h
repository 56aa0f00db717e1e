#pragma once

#include "core/Currency.h"
#include "platform/Nullable.h"

#include <QLocale>
#include <QString>

// How the reports write values.
namespace ReportFormat {
// A date in a pattern of VbFormat; empty when Null.
QString Date(const NullableDate& value, const QString& pattern);
// A date printed without a pattern: "dd/MM/yyyy", with a time of day
// "dd/MM/yyyy hh:mm:ss"; empty when Null.
QString DefaultDate(const NullableDate& value);
// The user's currency; en_GB under the C or POSIX locale.
QString Money(Currency value, const QLocale& locale = QLocale());
} // namespace ReportFormat
