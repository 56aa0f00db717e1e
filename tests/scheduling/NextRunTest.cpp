#include "support/ScheduleSettings.h"
#include "support/ScopedTimeZone.h"
#include "support/TestWorld.h"

#include "scheduling/MiniScheduler.h"
#include "scheduling/NextRun.h"

#include <gtest/gtest.h>

namespace {

const QString Format = QStringLiteral("yyyy-MM-dd hh:mm:ss");

QDateTime At(const char* text)
{
    return QDateTime::fromString(QLatin1String(text), Format);
}

struct NextRunCase {
    const char* name;
    const char* days;
    const char* first;
    const char* last;
    const char* every; // "15", "30", "60", "15+60", "30+60" or ""
    const char* now;
    const char* lastRun; // "" for none
    bool reset;
    const char* next; // "" for Null
    int32_t runAt = 2;
};

// 13 March 2024 is a Wednesday.
const NextRunCase Cases[] = {
    {"Hourly_next_slot", "1111100", "08:00", "17:00", "60", "2024-03-13 10:20:00", "", false, "2024-03-13 11:00:00"},
    {"Hourly_slot_within_5_minutes_skipped", "1111100", "08:00", "17:00", "60", "2024-03-13 10:57:00", "", false,
     "2024-03-13 12:00:00"},
    {"Hourly_past_the_last_time_next_day", "1111100", "08:00", "17:00", "60", "2024-03-13 16:58:00",
     "2024-03-13 16:00:00", false, "2024-03-14 08:00:00"},
    {"Friday_evening_to_Monday", "1111100", "08:00", "17:00", "60", "2024-03-15 17:10:00", "", false,
     "2024-03-18 08:00:00"},
    {"Reset_keeps_the_near_slot", "1111100", "08:00", "17:00", "60", "2024-03-13 10:57:00", "", true,
     "2024-03-13 11:00:00"},
    {"No_interval_first_time", "1111100", "08:00", "13:00", "", "2024-03-13 07:00:00", "", false,
     "2024-03-13 08:00:00"},
    {"No_interval_last_time", "1111100", "08:00", "13:00", "", "2024-03-13 09:00:00", "", false,
     "2024-03-13 13:00:00"},
    {"No_interval_both_past", "1111100", "08:00", "13:00", "", "2024-03-13 13:30:00", "", false,
     "2024-03-14 08:00:00"},
    {"No_interval_no_last_time_before", "1111100", "08:00", "", "", "2024-03-13 07:00:00", "", false,
     "2024-03-13 08:00:00"},
    {"No_interval_no_last_time_once_a_day", "1111100", "08:00", "", "", "2024-03-13 09:00:00", "", false,
     "2024-03-14 08:00:00"},
    {"Interval_no_last_time_never_again_today", "1111100", "08:00", "", "60", "2024-03-13 07:00:00", "", false,
     "2024-03-14 08:00:00"},
    {"Slot_exactly_5_minutes_after_kept", "1111100", "08:00", "17:00", "60", "2024-03-13 10:55:00", "", false,
     "2024-03-13 11:00:00"},
    {"Slot_4_59_after_skipped", "1111100", "08:00", "17:00", "60", "2024-03-13 10:55:01", "", false,
     "2024-03-13 12:00:00"},
    {"Slot_at_the_last_time_runs", "1111100", "08:00", "17:00", "60", "2024-03-13 16:30:00", "", false,
     "2024-03-13 17:00:00"},
    {"One_interval_past_the_last_time", "1111100", "08:00", "17:00", "60", "2024-03-13 17:00:00", "", false,
     "2024-03-14 08:00:00"},
    {"Midnight_three_boundaries_add_the_interval", "1111111", "00:00", "23:50", "15", "2024-03-13 23:58:00",
     "2024-03-13 23:57:40", false, "2024-03-14 00:15:00"},
    {"Midnight_reset", "1111111", "00:00", "23:50", "15", "2024-03-13 23:58:00", "2024-03-13 23:57:40", true,
     "2024-03-14 00:00:00"},
    {"Inverted_window", "1111111", "22:00", "06:00", "60", "2024-03-13 10:00:00", "", false, "2024-03-14 22:00:00"},
    {"Inverted_window_after_its_run", "1111111", "22:00", "06:00", "60", "2024-03-13 22:00:30",
     "2024-03-13 22:00:00", false, "2024-03-14 22:00:00"},
    {"Every_15_beats_60", "1111111", "08:00", "17:00", "15+60", "2024-03-13 10:05:00", "", false,
     "2024-03-13 10:15:00"},
    {"Every_30_beats_60", "1111111", "08:00", "17:00", "30+60", "2024-03-13 10:05:00", "", false,
     "2024-03-13 10:30:00"},
    {"No_day_to_run", "0000000", "08:00", "17:00", "60", "2024-03-13 10:05:00", "", false, ""},
    {"Days_too_short", "111", "08:00", "17:00", "60", "2024-03-13 10:05:00", "", false, ""},
    {"Not_loaded_mode", "1111111", "08:00", "17:00", "60", "2024-03-13 10:05:00", "", false, "", 0},
    {"Never", "1111111", "08:00", "17:00", "60", "2024-03-13 10:05:00", "", false, "", 1},
    {"Sunday_only_after_its_last_slot", "0000001", "08:00", "17:00", "60", "2024-03-17 18:00:00", "", false,
     "2024-03-24 08:00:00"},
};

class NextRun : public ::testing::TestWithParam<NextRunCase> {
protected:
    TestWorld world;
};

TEST_P(NextRun, FromTheProgramsClock)
{
    const NextRunCase& c = GetParam();
    const QString every = QLatin1String(c.every);
    MiniScheduler row;
    row.SetRunAtID(c.runAt);
    row.SetDaysToRun(QLatin1String(c.days));
    QString first = QLatin1String(c.first);
    QString last = QLatin1String(c.last);
    row.SetFirstTime(first);
    row.SetLastTime(last);
    row.SetEvery15Mins(every.contains(QStringLiteral("15")));
    row.SetEvery30Mins(every.contains(QStringLiteral("30")));
    row.SetEvery60Mins(every.contains(QStringLiteral("60")));
    if (*c.lastRun)
        row.SetLastRunDateTime(At(c.lastRun));
    world.clock().Set(At(c.now));
    row.SetNextRunDate(std::nullopt, c.reset);
    if (!*c.next) {
        EXPECT_FALSE(row.NextRunDateTime().has_value());
        return;
    }
    ASSERT_TRUE(row.NextRunDateTime().has_value());
    EXPECT_EQ(row.NextRunDateTime()->toString(Format), QLatin1String(c.next));
    EXPECT_EQ(row.NextRunDateTime()->time().second(), 0);
    EXPECT_EQ(row.NextRunDateTime()->time().msec(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, NextRun, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NextRunReference, TheSkipCountsFromTheReferenceGiven)
{
    TestWorld world;
    world.clock().Set(At("2024-03-13 10:20:00"));
    MiniScheduler row;
    SetWeekdaysHourly(row);
    row.SetNextRunDate(At("2024-03-13 10:57:00"));
    EXPECT_EQ(row.NextRunDateTime(), At("2024-03-13 12:00:00"));
    row.SetNextRunDate(At("2024-03-13 10:57:00"), true);
    EXPECT_EQ(row.NextRunDateTime(), At("2024-03-13 11:00:00"));
}

TEST(NextRunReference, MinuteBoundariesCountChangesNotElapsedTime)
{
    EXPECT_EQ(MinuteBoundaries(At("2024-03-13 23:57:40"), At("2024-03-14 00:00:00")), 3);
    EXPECT_EQ(MinuteBoundaries(At("2024-03-13 10:00:59"), At("2024-03-13 10:01:00")), 1);
    EXPECT_EQ(MinuteBoundaries(At("2024-03-13 10:00:00"), At("2024-03-13 10:00:59")), 0);
}

struct ClockChangeCase {
    const char* name;
    const char* first;
    const char* every;
    const char* now;
    const char* next;
};

// Sundays when the clocks go forward (01:00 to 02:00) and back.
const ClockChangeCase ClockChanges[] = {
    {"Skipped_slot_runs_after_the_gap", "01:30", "", "2024-03-31 00:30:00", "2024-03-31 02:00:00"},
    {"Skipped_slots_scanned_past", "01:30", "15", "2024-03-31 02:10:00", "2024-03-31 02:15:00"},
    {"Hourly_after_spring_forward_on_the_hour", "00:00", "60", "2024-03-31 07:30:00", "2024-03-31 08:00:00"},
    {"Hourly_after_fall_back_on_the_hour", "00:00", "60", "2024-10-27 07:30:00", "2024-10-27 08:00:00"},
    {"Spring_forward_first_time", "08:00", "", "2024-03-31 07:30:00", "2024-03-31 08:00:00"},
    {"Fall_back_first_time", "08:00", "", "2024-10-27 07:30:00", "2024-10-27 08:00:00"},
};

class ClockChange : public ::testing::TestWithParam<ClockChangeCase> {};

TEST_P(ClockChange, SlotsAreWallClockTimes)
{
    const ScopedTimeZone london(ScopedTimeZone::London());
    const ClockChangeCase& c = GetParam();
    const QDateTime now = At(c.now);
    ASSERT_TRUE(now.isValid());
    const ScheduleSettings settings{2, QStringLiteral("1111111"), QLatin1String(c.every) == QLatin1String("15"),
                                    false, QLatin1String(c.every) == QLatin1String("60"), QLatin1String(c.first),
                                    QStringLiteral("23:00")};
    const NullableDate next = NextRunDate(settings, std::nullopt, now, now, false);
    ASSERT_TRUE(next.has_value());
    EXPECT_TRUE(next->isValid());
    EXPECT_EQ(next->toString(Format), QLatin1String(c.next));
    EXPECT_GT(*next, now);
}

INSTANTIATE_TEST_SUITE_P(London, ClockChange, ::testing::ValuesIn(ClockChanges),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
