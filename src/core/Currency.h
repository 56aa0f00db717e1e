#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// A money amount: 64-bit fixed point with four decimals.
struct Currency {
    int64_t tenThousandths = 0;

    static Currency FromUnits(int64_t units) { return {units * 10000}; }
    // The nearest amount (halves away from zero); a value beyond the range
    // or not a number raises an overflow error.
    static Currency FromDouble(double value);
    // The amount a plain decimal text names ("-12", "12.5", "0.12345"),
    // read digit by digit, so that no binary fraction comes between; more
    // than four decimals round half away from zero. None for anything else
    // or beyond the range.
    static std::optional<Currency> FromText(const QString& text);
    double ToDouble() const { return double(tenThousandths) / 10000.0; }
    friend bool operator==(const Currency&, const Currency&) = default;
};

// The shortest decimal text with a "." point: 12, 12.5, -0.0001.
QString CurrencyText(Currency value);

// The amount in a number pattern of VbFormat (such as "#,##0.00"), rounded
// to whole pence in integers first, so that 1.005 shows as 1.01, and laid
// out from those whole pence, exact at any size.
QString FormatCurrency(Currency value, const QString& pattern);
