#include "core/NumericText.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {
bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Number characters gathered into buf; returns the count of mantissa digits.
int Gather(QStringView text, char* buf, int capacity, int& used)
{
    enum class Stage { Sign, Mantissa, Fraction, ExponentSign, Exponent };
    Stage stage = Stage::Sign;
    int digits = 0;
    used = 0;
    const auto put = [&](char c) {
        if (used < capacity - 1)
            buf[used++] = c;
    };
    for (const QChar c : text) {
        if (IsBlank(c))
            continue;
        const char16_t u = c.unicode();
        if (stage == Stage::Sign && (u == u'+' || u == u'-')) {
            put(char(u));
            stage = Stage::Mantissa;
        } else if (IsDigit(c) && stage != Stage::ExponentSign) {
            if (stage == Stage::Sign)
                stage = Stage::Mantissa;
            if (stage == Stage::Mantissa || stage == Stage::Fraction)
                ++digits;
            put(char(u));
        } else if (u == u'.' && (stage == Stage::Sign || stage == Stage::Mantissa)) {
            put('.');
            stage = Stage::Fraction;
        } else if ((u == u'e' || u == u'E' || u == u'd' || u == u'D') &&
                   (stage == Stage::Mantissa || stage == Stage::Fraction) && digits > 0) {
            put('e');
            stage = Stage::ExponentSign;
        } else if (stage == Stage::ExponentSign && (u == u'+' || u == u'-' || IsDigit(c))) {
            put(char(u));
            stage = Stage::Exponent;
        } else {
            break;
        }
    }
    buf[used] = '\0';
    return digits;
}

double Parse(const char* begin, const char* end)
{
    if (begin != end && *begin == '+')
        ++begin;
    double value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large is infinite, too small is zero.
        const char* e = std::find(begin, end, 'e');
        const bool tiny = e != end && e + 1 != end && e[1] == '-';
        const bool negative = *begin == '-';
        if (tiny)
            return 0.0;
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    }
    return result.ec == std::errc() ? value : 0.0;
}
} // namespace

double Val(QStringView text)
{
    char buf[128];
    int used = 0;
    if (Gather(text, buf, sizeof buf, used) == 0)
        return 0.0;
    // An exponent letter without digits reads as no exponent.
    while (used > 0 && (buf[used - 1] == 'e' || buf[used - 1] == '+' || buf[used - 1] == '-'))
        buf[--used] = '\0';
    return Parse(buf, buf + used);
}

bool IsNumericText(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return false;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (text[i] == u'+' || text[i] == u'-')
        ++i;
    int digits = 0;
    while (i < n && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        int exponentDigits = 0;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

QString NumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[40];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return QString::fromLatin1(buf, result.ptr - buf);
}
