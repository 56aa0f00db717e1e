#include "platform/LocalZone.h"

#include "platform/LocalTime.h"
#include "support/ScopedTimeZone.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

#include <ctime>
#include <optional>
#include <ostream>

namespace {

// The zone was read in a world whose clock stands at 10:30; then, within
// as many nested jobs, the clock moves on and local times are converted.
struct ZoneCase {
    const char* name;
    // TZ set by the user, or unset as on most desktops.
    bool userZone;
    int jobs;
    int laterSeconds;
    int reads;
    // How the outer one reads the zone: a job, or a record set read alone.
    LocalTimeMemo::Zone outer = LocalTimeMemo::Zone::ReadAgain;
};

void PrintTo(const ZoneCase& zoneCase, std::ostream* out)
{
    *out << zoneCase.name;
}

class LocalZoneRead : public testing::TestWithParam<ZoneCase> {
protected:
    void SetUp() override
    {
        if (GetParam().userZone) {
            m_userZone.emplace(ScopedTimeZone::London());
        } else {
            qunsetenv("TZ");
            tzset();
        }
        LocalZone::Refresh();
    }
    void TearDown() override
    {
        m_userZone.reset();
        if (m_hadZone)
            qputenv("TZ", m_saved);
        else
            qunsetenv("TZ");
        tzset();
    }
    QByteArray ExpectedZone() const
    {
        return GetParam().userZone ? ScopedTimeZone::London() : QByteArray(LocalZone::Marker);
    }

    TestWorld m_world;
    bool m_hadZone = qEnvironmentVariableIsSet("TZ");
    QByteArray m_saved = qgetenv("TZ");
    std::optional<ScopedTimeZone> m_userZone;
};

TEST_P(LocalZoneRead, OnlyWhenItCanHaveChanged)
{
    const int before = LocalZone::Reads();
    std::optional<LocalTimeMemo> job, part;
    if (GetParam().jobs > 0)
        job.emplace(GetParam().outer);
    if (GetParam().jobs > 1)
        part.emplace();
    m_world.clock().Advance(GetParam().laterSeconds);
    for (int i = 0; i < 2; ++i)
        LocalDateTime(QDate(2024, 7, 15), QTime(12, 0));
    EXPECT_EQ(qgetenv("TZ"), ExpectedZone());
    EXPECT_EQ(LocalZone::Reads() - before, GetParam().reads);
}

const ZoneCase ZoneCases[] = {
    {"A_job_reads_it_again", false, 1, 0, 1},
    {"A_record_set_alone_keeps_it", false, 1, 0, 0, LocalTimeMemo::Zone::ReadAtALaterHour},
    {"A_job_within_a_job_keeps_it", false, 2, 0, 1},
    {"The_same_hour_keeps_it", false, 0, 29 * 60 + 59, 0},
    {"The_next_hour_reads_it_again", false, 0, 30 * 60, 1},
    {"A_job_keeps_it_past_the_hour", false, 1, 3600, 1},
    {"The_users_zone_is_left_alone", true, 1, 3600, 0},
};

INSTANTIATE_TEST_SUITE_P(Steps, LocalZoneRead, testing::ValuesIn(ZoneCases),
                         [](const testing::TestParamInfo<ZoneCase>& info) { return info.param.name; });

} // namespace
