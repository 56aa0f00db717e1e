#include "reports/ReportFormat.h"

#include "core/VbFormat.h"

namespace ReportFormat {

QString Date(const NullableDate& value, const QString& pattern)
{
    return value ? FormatDateTime(*value, pattern) : QString();
}

QString DefaultDate(const NullableDate& value)
{
    if (!value)
        return {};
    if (value->time() == QTime(0, 0))
        return value->toString(QStringLiteral("dd/MM/yyyy"));
    return value->toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

QString Money(Currency value, const QLocale& locale)
{
    const QLocale used = locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedKingdom) : locale;
    return used.toCurrencyString(value.ToDouble());
}

} // namespace ReportFormat
