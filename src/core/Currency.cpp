#include "core/Currency.h"

#include "core/VbFormat.h"
#include "platform/NevixError.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

Currency Currency::FromDouble(double value)
{
    const double scaled = std::round(value * 10000.0);
    // 2^63: the first value a 64-bit count cannot hold.
    if (!(scaled < 9223372036854775808.0 && scaled >= -9223372036854775808.0))
        throw NevixError::Overflow(QStringLiteral("Currency"));
    return Currency{static_cast<int64_t>(scaled)};
}

std::optional<Currency> Currency::FromText(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    const bool negative = i < t.size() && t[i] == u'-';
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    // Counted in unsigned ten-thousandths; the most negative amount is one
    // more than the largest positive.
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    uint64_t magnitude = 0;
    int decimals = -1; // -1: before the point
    bool digits = false;
    bool roundUp = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        digits = true;
        const unsigned digit = c.unicode() - u'0';
        if (decimals >= 4) {
            if (decimals == 4)
                roundUp = digit >= 5;
            ++decimals;
            continue;
        }
        if (decimals >= 0)
            ++decimals;
        if (magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    if (!digits)
        return std::nullopt;
    for (int d = std::max(decimals, 0); d < 4; ++d) {
        if (magnitude > limit / 10)
            return std::nullopt;
        magnitude *= 10;
    }
    if (roundUp && ++magnitude > limit)
        return std::nullopt;
    return Currency{negative ? int64_t(0 - magnitude) : int64_t(magnitude)};
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
    return FormatScaled(pence, 2, pattern);
}
