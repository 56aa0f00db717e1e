#include "core/VbFormat.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {
const char* const MonthNames[] = {"January", "February", "March", "April", "May", "June", "July",
                                  "August", "September", "October", "November", "December"};
const char* const DayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                "Friday", "Saturday", "Sunday"};

struct Token {
    QChar letter; // 0 for a literal
    int count = 0;
    QString literal;
};

QList<Token> Tokenise(const QString& pattern)
{
    QList<Token> tokens;
    for (int i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i).toLower();
        if (c == u'd' || c == u'm' || c == u'y' || c == u'h' || c == u'n' || c == u's') {
            int j = i;
            while (j < pattern.size() && pattern.at(j).toLower() == c)
                ++j;
            tokens.append({c, j - i, {}});
            i = j;
        } else {
            tokens.append({QChar(), 0, QString(pattern.at(i))});
            ++i;
        }
    }
    return tokens;
}

// A date pattern read once: the exports format every row with the same few.
const QList<Token>& TokensOf(const QString& pattern)
{
    thread_local QString lastPattern;
    thread_local QList<Token> lastTokens;
    if (lastPattern != pattern) {
        lastTokens = Tokenise(pattern);
        lastPattern = pattern;
    }
    return lastTokens;
}

void AppendTwo(QString& out, int v)
{
    if (v < 0 || v > 99) {
        out += QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
        return;
    }
    out += QChar(char16_t(u'0' + v / 10));
    out += QChar(char16_t(u'0' + v % 10));
}

// One letter: the number as it is; two or more: two digits.
void AppendNumber(QString& out, int letters, int v)
{
    if (letters == 1)
        out += QString::number(v);
    else
        AppendTwo(out, v);
}

bool IsMinute(const QList<Token>& tokens, int index)
{
    for (int i = index - 1; i >= 0; --i) {
        if (tokens[i].letter.isNull())
            continue;
        if (tokens[i].letter == u'h')
            return true;
        break;
    }
    for (int i = index + 1; i < tokens.size(); ++i) {
        if (tokens[i].letter.isNull())
            continue;
        return tokens[i].letter == u's';
    }
    return false;
}

QString GroupThousands(const QString& digits)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}
} // namespace

QString FormatDateTime(const QDateTime& value, const QString& pattern)
{
    const QDate d = value.date();
    const QTime t = value.time();
    const QList<Token> tokens = TokensOf(pattern);
    QString out;
    out.reserve(pattern.size() + 16);
    for (int i = 0; i < tokens.size(); ++i) {
        const Token& tk = tokens[i];
        const int n = tk.count;
        switch (tk.letter.unicode()) {
        case u'd':
            if (n == 1) out += QString::number(d.day());
            else if (n == 2) AppendTwo(out, d.day());
            else if (n == 3) out += QString::fromLatin1(DayNames[d.dayOfWeek() - 1]).left(3);
            else out += QString::fromLatin1(DayNames[d.dayOfWeek() - 1]);
            break;
        case u'm':
            if (n <= 2 && IsMinute(tokens, i))
                AppendNumber(out, n, t.minute());
            else if (n == 1) out += QString::number(d.month());
            else if (n == 2) AppendTwo(out, d.month());
            else if (n == 3) out += QString::fromLatin1(MonthNames[d.month() - 1]).left(3);
            else out += QString::fromLatin1(MonthNames[d.month() - 1]);
            break;
        case u'n':
            AppendNumber(out, n, t.minute());
            break;
        case u'h':
            AppendNumber(out, n, t.hour());
            break;
        case u's':
            AppendNumber(out, n, t.second());
            break;
        case u'y':
            if (n <= 2) {
                AppendTwo(out, d.year() % 100);
            } else if (d.year() >= 0 && d.year() <= 9999) {
                AppendTwo(out, d.year() / 100);
                AppendTwo(out, d.year() % 100);
            } else {
                out += QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
            }
            break;
        default:
            out += tk.literal;
        }
    }
    return out;
}

namespace {
// A number pattern taken apart: the text around the placeholders, and how
// many digits each side of the point shows.
struct NumberPattern {
    QString before;
    QString after;
    bool hasPoint = false;
    bool grouping = false;
    int minInt = 0;
    int maxFrac = 0;
    int minFrac = 0;
};

std::optional<NumberPattern> ReadNumberPattern(const QString& pattern)
{
    const auto isPlaceholder = [](QChar c) { return c == u'0' || c == u'#'; };
    int first = -1;
    int last = -1;
    for (int i = 0; i < pattern.size(); ++i) {
        if (isPlaceholder(pattern.at(i)) || pattern.at(i) == u'.') {
            if (first < 0) first = i;
            last = i;
        }
    }
    if (first < 0)
        return std::nullopt;
    const QString body = pattern.mid(first, last - first + 1);
    const int point = int(body.indexOf(u'.'));
    const QString intPart = point < 0 ? body : body.left(point);
    const QString fracPart = point < 0 ? QString() : body.mid(point + 1);
    NumberPattern p;
    p.before = pattern.left(first);
    p.after = pattern.mid(last + 1);
    p.hasPoint = point >= 0;
    p.grouping = intPart.contains(u',');
    p.minInt = int(intPart.count(u'0'));
    p.maxFrac = int(fracPart.count(u'0') + fracPart.count(u'#'));
    p.minFrac = int(fracPart.count(u'0'));
    return p;
}

// The digits of a number already rounded to the pattern's decimals (exactly
// maxFrac of them) laid out as the pattern asks.
QString LayOut(const NumberPattern& p, bool negative, QString intDigits, QString fracDigits)
{
    while (fracDigits.size() > p.minFrac && fracDigits.endsWith(u'0'))
        fracDigits.chop(1);
    if (intDigits == QLatin1String("0"))
        intDigits.clear();
    while (intDigits.size() < p.minInt)
        intDigits.prepend(u'0');
    if (p.grouping)
        intDigits = GroupThousands(intDigits);
    QString number = intDigits;
    if (p.hasPoint)
        number += QLatin1Char('.') + fracDigits;
    return p.before + (negative ? QStringLiteral("-") : QString()) + number + p.after;
}

uint64_t PowerOfTen(int n)
{
    uint64_t value = 1;
    while (n-- > 0)
        value *= 10;
    return value;
}
} // namespace

QString FormatNumber(double value, const QString& pattern)
{
    const std::optional<NumberPattern> p = ReadNumberPattern(pattern);
    if (!p)
        return pattern.isEmpty() ? QString::number(value, 'g', 15) : pattern;
    const double scale = std::pow(10.0, p->maxFrac);
    const double rounded = std::round(std::fabs(value) * scale) / scale;
    const QString digits = QString::number(rounded, 'f', p->maxFrac);
    const QString intDigits = p->maxFrac > 0 ? digits.section(u'.', 0, 0) : digits;
    const QString fracDigits = p->maxFrac > 0 ? digits.section(u'.', 1, 1) : QString();
    return LayOut(*p, value < 0 && rounded != 0, intDigits, fracDigits);
}

QString FormatScaled(int64_t unscaled, int scale, const QString& pattern)
{
    scale = std::clamp(scale, 0, 18);
    const bool negative = unscaled < 0;
    // Through unsigned, so that the most negative value has a magnitude.
    uint64_t magnitude = negative ? 0 - uint64_t(unscaled) : uint64_t(unscaled);
    const std::optional<NumberPattern> p = ReadNumberPattern(pattern);
    if (!p) {
        if (!pattern.isEmpty())
            return pattern;
        // The shortest exact decimal.
        QString fraction = QStringLiteral("%1").arg(magnitude % PowerOfTen(scale), scale, 10, QLatin1Char('0'));
        while (fraction.endsWith(u'0'))
            fraction.chop(1);
        const QString whole = QString::number(magnitude / PowerOfTen(scale));
        return (negative && magnitude != 0 ? QStringLiteral("-") : QString()) + whole +
               (fraction.isEmpty() ? QString() : QLatin1Char('.') + fraction);
    }
    // Fewer decimals shown than held: round half away from zero, in integers.
    int decimals = scale;
    if (p->maxFrac < scale) {
        const uint64_t divisor = PowerOfTen(scale - p->maxFrac);
        const uint64_t rest = magnitude % divisor;
        magnitude = magnitude / divisor + (rest >= divisor - rest ? 1 : 0);
        decimals = p->maxFrac;
    }
    const uint64_t unit = PowerOfTen(decimals);
    QString fracDigits =
        decimals > 0 ? QStringLiteral("%1").arg(magnitude % unit, decimals, 10, QLatin1Char('0')) : QString();
    fracDigits += QString(p->maxFrac - decimals, u'0');
    return LayOut(*p, negative && magnitude != 0, QString::number(magnitude / unit), fracDigits);
}
