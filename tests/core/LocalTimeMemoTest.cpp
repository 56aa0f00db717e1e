#include "platform/LocalTime.h"

#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void ExpectSameMoment(const QDateTime& value, const QDateTime& expected, const QString& what)
{
    ASSERT_EQ(value.isValid(), expected.isValid()) << what.toStdString();
    EXPECT_EQ(value.date(), expected.date()) << what.toStdString();
    EXPECT_EQ(value.time(), expected.time()) << what.toStdString();
    EXPECT_EQ(value.timeSpec(), expected.timeSpec()) << what.toStdString();
    if (!value.isValid())
        return;
    EXPECT_EQ(value.offsetFromUtc(), expected.offsetFromUtc()) << what.toStdString();
    EXPECT_EQ(value.toMSecsSinceEpoch(), expected.toMSecsSinceEpoch()) << what.toStdString();
}

// Every quarter hour of the days the clocks change and of days around and
// far from them, asked for twice within one memo (inside a second, which
// leaves the first in charge), is the value worked out without a memo.
TEST(LocalTimeMemo, GivesTheValuesWorkedOutWithoutIt)
{
    const ScopedTimeZone london(ScopedTimeZone::London());
    std::vector<std::pair<QDate, QTime>> fields{{QDate(), QTime(0, 0)}, {QDate(2024, 1, 1), QTime()}};
    for (const QDate day : {QDate(2024, 3, 30), QDate(2024, 3, 31), QDate(2024, 4, 1), QDate(2024, 7, 15),
                            QDate(2024, 10, 26), QDate(2024, 10, 27), QDate(2024, 10, 28), QDate(1899, 12, 30)}) {
        for (int minutes = 0; minutes < 24 * 60; minutes += 15)
            fields.emplace_back(day, QTime(0, 0).addSecs(minutes * 60));
    }
    std::vector<QDateTime> expected;
    for (const auto& [day, time] : fields)
        expected.push_back(LocalDateTime(day, time));

    const LocalTimeMemo memo;
    for (int round = 0; round < 2; ++round) {
        const LocalTimeMemo inner;
        for (size_t i = 0; i < fields.size(); ++i)
            ExpectSameMoment(LocalDateTime(fields[i].first, fields[i].second), expected[i],
                             fields[i].first.toString(Qt::ISODate) + u' ' + fields[i].second.toString());
    }
}

} // namespace
