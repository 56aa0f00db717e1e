#include "database/StoredDateTime.h"

#include "platform/LocalTime.h"

#include <array>

namespace {

// The six numbers of 'YYYY-MM-DD HH:MM:SS'; false for any other text.
template <typename Char>
bool SplitStoredForm(const Char* text, qsizetype length, std::array<int, 6>& parts)
{
    static constexpr char Pattern[] = "dddd-dd-dd dd:dd:dd";
    if (length != qsizetype(sizeof Pattern - 1))
        return false;
    int part = 0;
    int value = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const auto c = text[i];
        if (Pattern[i] == 'd') {
            if (c < Char('0') || c > Char('9'))
                return false;
            value = value * 10 + int(c - Char('0'));
            continue;
        }
        if (c != Char(Pattern[i]))
            return false;
        parts[size_t(part++)] = value;
        value = 0;
    }
    parts[5] = value;
    return true;
}

QDateTime FromParts(const std::array<int, 6>& p)
{
    const QDate day(p[0], p[1], p[2]);
    const QTime time(p[3], p[4], p[5]);
    if (!day.isValid() || !time.isValid())
        return {};
    return LocalDateTime(day, time);
}

} // namespace

QDateTime ParseStoredDateTime(QStringView text)
{
    std::array<int, 6> parts{};
    if (!SplitStoredForm(text.utf16(), text.size(), parts))
        return {};
    return FromParts(parts);
}

QDateTime StoredDateReader::Read(const char* text, int length)
{
    std::array<int, 6> parts{};
    if (!SplitStoredForm(text, length, parts))
        return {};
    const int64_t key = ((((int64_t(parts[0]) * 100 + parts[1]) * 100 + parts[2]) * 100 + parts[3]) * 100 +
                         parts[4]) * 100 + parts[5];
    const auto seen = m_seen.find(key);
    if (seen != m_seen.end())
        return seen->second;
    const QDateTime value = FromParts(parts);
    if (value.isValid())
        m_seen.emplace(key, value);
    return value;
}
