// Money amounts. The first eight bytes are an amount in ten-thousandths of
// a pound; the rest is read as a decimal text.
//
// Properties: the text written for an amount reads back as that amount;
// a text that reads as an amount writes a text that reads the same; and
// FormatCurrency shows an amount as a reference made of integers does:
// rounded to whole pence (halves away from zero), then pounds and pence,
// with or without "," between thousands.

#include "FuzzWorld.h"

#include "core/Currency.h"

#include <cstring>
#include <string>

namespace {

std::string Reference(int64_t tenThousandths, bool grouped)
{
    const bool negative = tenThousandths < 0;
    const uint64_t magnitude = negative ? 0 - uint64_t(tenThousandths) : uint64_t(tenThousandths);
    const uint64_t pence = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
    const std::string digits = std::to_string(pence / 100);
    std::string pounds;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (grouped && i > 0 && (digits.size() - i) % 3 == 0)
            pounds += ',';
        pounds += digits[i];
    }
    const uint64_t rest = pence % 100;
    return (negative && pence != 0 ? "-" : "") + pounds + '.' + char('0' + rest / 10) + char('0' + rest % 10);
}

void CheckAmount(Currency amount)
{
    Require(Currency::FromText(CurrencyText(amount)) == amount, "an amount's text reads back as the amount");
    Require(FormatCurrency(amount, QStringLiteral("0.00")).toStdString() == Reference(amount.tenThousandths, false),
            "an amount shows to the penny");
    Require(FormatCurrency(amount, QStringLiteral("#,##0.00")).toStdString() ==
                Reference(amount.tenThousandths, true),
            "an amount shows to the penny with thousands grouped");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size >= 8) {
        int64_t tenThousandths = 0;
        std::memcpy(&tenThousandths, data, 8);
        CheckAmount(Currency{tenThousandths});
    }
    const QString text = TextOf(data + std::min<size_t>(size, 8), size - std::min<size_t>(size, 8));
    if (const std::optional<Currency> read = Currency::FromText(text)) {
        Require(Currency::FromText(CurrencyText(*read)) == read, "a text read writes a text that reads the same");
        CheckAmount(*read);
    }
    return 0;
}
