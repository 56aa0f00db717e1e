#pragma once

#include <QDateTime>
#include <QStringView>

#include <cstdint>
#include <unordered_map>

// The stored form 'YYYY-MM-DD HH:MM:SS' read by hand into a local date and
// time: the same value QDateTime::fromString gives for that format, also
// across summer-time changes. Invalid when the text is not exactly that
// form of a real date and time.
QDateTime ParseStoredDateTime(QStringView text);

// Reads the stored form, converting each distinct value once: building a
// local date and time asks the system for the zone's offset, and with TZ
// unset that re-reads the zone file every time. One reader serves one
// query, so a change of zone between queries is seen.
class StoredDateReader {
public:
    // Invalid when the text is not exactly the stored form of a real date
    // and time.
    QDateTime Read(const char* text, int length);

private:
    std::unordered_map<int64_t, QDateTime> m_seen;
};
