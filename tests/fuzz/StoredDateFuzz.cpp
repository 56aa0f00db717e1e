// Stored date-times ('YYYY-MM-DD HH:MM:SS', local time) in London, New
// York and Lord Howe Island (whose summer time is half an hour).
//
// The first byte chooses the zone; the next nine give a moment the
// process converts first (the C library resolves a local time from the
// last one it converted) and the fields of the stored text; the rest is
// read as a text too. The direct reader, the cached reader (twice) and the
// general SQL reader must agree with a reference that knows no history: the
// earliest moment whose local clock reading the C library gives as those
// fields, tried with every offset from UTC in force within a day of them;
// none for a time the clocks skip. Where a zone changed its standard offset
// (London's clocks went back from +1 hour in October 1971, summer time
// flag unset on both sides), a local QDateTime cannot tell the repeated
// moments apart (it keeps the clock reading and that flag only): there,
// only that the time exists is compared.

#include "FuzzWorld.h"

#include "database/Statement.h"
#include "database/StoredDateTime.h"

#include <QDateTime>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <set>

namespace {

const char* const Zones[] = {"Europe/London", "America/New_York", "Australia/Lord_Howe"};

struct Fields {
    int year, month, day, hour, minute, second;
};

std::optional<int64_t> Reference(const Fields& f)
{
    const QDateTime asUtc(QDate(f.year, f.month, f.day), QTime(f.hour, f.minute, f.second), Qt::UTC);
    if (!asUtc.isValid())
        return std::nullopt;
    const int64_t reading = asUtc.toSecsSinceEpoch();
    std::set<long> offsets;
    for (int64_t step = -26 * 4; step <= 26 * 4; ++step) {
        const time_t moment = time_t(reading + step * 900);
        tm local{};
        if (localtime_r(&moment, &local))
            offsets.insert(local.tm_gmtoff);
    }
    std::optional<int64_t> first;
    for (const long offset : offsets) {
        const time_t moment = time_t(reading - offset);
        tm local{};
        if (localtime_r(&moment, &local) && local.tm_year + 1900 == f.year && local.tm_mon + 1 == f.month &&
            local.tm_mday == f.day && local.tm_hour == f.hour && local.tm_min == f.minute &&
            local.tm_sec == f.second && (!first || moment < *first))
            first = int64_t(moment);
    }
    return first;
}

bool Representable(int64_t moment)
{
    return QDateTime::fromSecsSinceEpoch(moment, Qt::LocalTime).toSecsSinceEpoch() == moment;
}

void Check(const QString& text, const std::optional<int64_t>& expected, StoredDateReader& reader)
{
    const QByteArray bytes = text.toLatin1();
    for (const QDateTime& value : {ParseStoredDateTime(text), reader.Read(bytes.constData(), int(bytes.size())),
                                   reader.Read(bytes.constData(), int(bytes.size())), ParseSqlDateTime(text)}) {
        Require(value.isValid() == expected.has_value(), "a stored time is read exactly when it exists");
        if (expected && Representable(*expected))
            Require(value.toSecsSinceEpoch() == *expected && value.timeSpec() == Qt::LocalTime,
                    "a stored time is its first moment");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzWorld::Get();
    if (size < 10)
        return 0;
    setenv("TZ", Zones[data[0] % 3], 1);
    tzset();
    // The moment converted first: any quarter hour of 2024.
    const auto primer = QDateTime(QDate(2024, 1, 1), QTime(0, 0)).addSecs((data[1] << 8 | data[2]) * 900);
    (void)primer.toMSecsSinceEpoch();

    const Fields f{1970 + (data[3] << 8 | data[4]) % 130, 1 + data[5] % 12, 1 + data[6] % 31,
                   data[7] % 24,                        data[8] % 60,     data[9] % 60};
    const QString text = QStringLiteral("%1-%2-%3 %4:%5:%6")
                             .arg(f.year, 4, 10, QLatin1Char('0'))
                             .arg(f.month, 2, 10, QLatin1Char('0'))
                             .arg(f.day, 2, 10, QLatin1Char('0'))
                             .arg(f.hour, 2, 10, QLatin1Char('0'))
                             .arg(f.minute, 2, 10, QLatin1Char('0'))
                             .arg(f.second, 2, 10, QLatin1Char('0'));
    StoredDateReader reader;
    Check(text, Reference(f), reader);

    // The rest as a stored text of its own: a date-time only when it is
    // exactly the stored form of one that exists.
    const QString rest = TextOf(data + 10, size - 10);
    const QDateTime read = ParseStoredDateTime(rest);
    if (read.isValid()) {
        const Fields g{read.date().year(), read.date().month(), read.date().day(),
                       read.time().hour(), read.time().minute(), read.time().second()};
        Check(rest, Reference(g), reader);
    }
    return 0;
}
