#include "scheduling/NextRun.h"

#include "platform/LocalTime.h"

namespace {
constexpr int MinutesPerDay = 24 * 60;

// A slot on the wall clock: a calendar date and minutes after its
// midnight (which may run on into later days).
struct Slot {
    QDate date;
    int64_t minutes = 0;

    QDateTime Local() const
    {
        const QDate day = date.addDays(minutes / MinutesPerDay);
        int minute = int(minutes % MinutesPerDay);
        // A time the clocks skip does not exist: the first one after it.
        for (int tried = 0; tried < MinutesPerDay; ++tried, ++minute) {
            const QDateTime at = LocalDateTime(day.addDays(minute / MinutesPerDay),
                                               QTime((minute % MinutesPerDay) / 60, minute % 60));
            if (at.isValid())
                return at;
        }
        return LocalDateTime(day, QTime(0, 0));
    }
};

// Minutes after midnight of an "HH:MM" text; none when it is not one.
std::optional<int> MinutesOf(const QString& text)
{
    const QTime time = QTime::fromString(text, QStringLiteral("hh:mm"));
    if (text.size() != 5 || !time.isValid())
        return std::nullopt;
    return time.hour() * 60 + time.minute();
}

bool RunsOn(const QString& days, int dayIndex)
{
    return days.at(dayIndex - 1) == QLatin1Char('1');
}
} // namespace

int64_t MinuteBoundaries(const QDateTime& from, const QDateTime& to)
{
    const auto wallMinutes = [](const QDateTime& at) {
        return at.date().toJulianDay() * MinutesPerDay + at.time().hour() * 60 + at.time().minute();
    };
    return wallMinutes(to) - wallMinutes(from);
}

NullableDate NextRunDate(const ScheduleSettings& settings, const NullableDate& lastRunDateTime,
                         const QDateTime& reference, const QDateTime& now, bool reset)
{
    const std::optional<int> first = MinutesOf(settings.FirstTime);
    // A row whose days are not all there has no next run, rather than a
    // search over days it does not name.
    if (settings.RunAtID != 2 || settings.DaysToRun.size() < 7 || !first)
        return std::nullopt;
    int interval = 0;
    if (settings.Every60Mins)
        interval = 60;
    if (settings.Every30Mins)
        interval = 30;
    if (settings.Every15Mins)
        interval = 15;
    // An empty last time is the start of the day.
    const int last = MinutesOf(settings.LastTime).value_or(0);
    const QDate today = now.date();
    const int dayIndex = reference.date().dayOfWeek();

    if (RunsOn(settings.DaysToRun, dayIndex)) {
        Slot slot{today, *first};
        const QDateTime lastToday = Slot{today, last}.Local();
        if (interval > 0) {
            while (slot.Local() <= now)
                slot.minutes += interval;
            if (!reset && slot.Local().addSecs(-5 * 60) < reference)
                slot.minutes += interval;
            if (slot.Local() <= lastToday)
                return slot.Local();
        } else {
            if (slot.Local() > now)
                return slot.Local();
            if (lastToday > now)
                return lastToday;
        }
    }

    for (int k = 1; k <= 10; ++k) {
        if (!RunsOn(settings.DaysToRun, (dayIndex - 1 + k) % 7 + 1))
            continue;
        Slot slot{today.addDays(k), *first};
        if (lastRunDateTime && !reset && MinuteBoundaries(*lastRunDateTime, slot.Local()) <= 5)
            slot.minutes += interval;
        return slot.Local();
    }
    return std::nullopt;
}
