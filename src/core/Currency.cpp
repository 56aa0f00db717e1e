#include "core/Currency.h"

#include "core/VbFormat.h"
#include "platform/NevixError.h"

#include <cmath>

Currency Currency::FromDouble(double value)
{
    const double scaled = std::round(value * 10000.0);
    // 2^63: the first value a 64-bit count cannot hold.
    if (!(scaled < 9223372036854775808.0 && scaled >= -9223372036854775808.0))
        throw NevixError::Overflow(QStringLiteral("Currency"));
    return Currency{static_cast<int64_t>(scaled)};
}

QString CurrencyText(Currency value)
{
    const bool negative = value.tenThousandths < 0;
    // Through unsigned, so that the most negative amount has a magnitude.
    const uint64_t magnitude =
        negative ? 0 - uint64_t(value.tenThousandths) : uint64_t(value.tenThousandths);
    QString text = QString::number(magnitude / 10000);
    if (const uint64_t fraction = magnitude % 10000) {
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += u'.' + decimals;
    }
    return negative ? u'-' + text : text;
}

QString FormatCurrency(Currency value, const QString& pattern)
{
    const int64_t units = value.tenThousandths;
    const int64_t pence = units / 100 + (units % 100 >= 50 ? 1 : units % 100 <= -50 ? -1 : 0);
    return FormatNumber(double(pence) / 100.0, pattern);
}
