#include "scheduling/TransmissionLogView.h"

#include "database/LogLines.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

namespace View = TransmissionLogView;

struct MaskCase {
    int16_t logFilter;
    bool showDetail;
    int16_t status;
    int16_t history;
    bool tickedAtLoad; // the box starts ticked exactly when the setting shows detail
};

class LogMasks : public ::testing::TestWithParam<MaskCase> {};

TEST_P(LogMasks, ErrorsStayOutOfTheStatusLogAndTheBoxDecidesTheDetail)
{
    const auto& c = GetParam();
    EXPECT_EQ(View::StatusLogMask(c.logFilter, c.showDetail), c.status);
    EXPECT_EQ(View::HistoryLogMask(c.logFilter, c.showDetail), c.history);
    EXPECT_EQ(View::DetailShownAtLoad(c.logFilter), c.tickedAtLoad);
}

INSTANTIATE_TEST_SUITE_P(TransmissionLogView, LogMasks,
                         ::testing::Values(MaskCase{959, false, 63, 959, false},   // the default
                                           MaskCase{959, true, 127, 1023, false},  // ticked adds 64
                                           MaskCase{1023, false, 63, 959, true},   // unticked removes it
                                           MaskCase{1023, true, 127, 1023, true},
                                           MaskCase{8 | 128, false, 8, 136, false}, // only what the setting has
                                           MaskCase{0, true, 64, 64, false},
                                           MaskCase{64, false, 0, 0, true}));

TEST(TransmissionLogView, HistoryStartsAtMidnightThreeCalendarMonthsBack)
{
    EXPECT_EQ(View::HistoryStart(QDate(2024, 3, 15)), QDateTime(QDate(2023, 12, 15), QTime(0, 0)));
    // A day the month lacks falls back to its last day.
    EXPECT_EQ(View::HistoryStart(QDate(2024, 5, 31)), QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
}

TEST(TransmissionLogView, ErrorsAndWarningsKeepLogOrderAndLeaveTheLinesAlone)
{
    LogLines log;
    QList<int16_t> codes{8, 128, 32, 512, 64, 256, 16};
    for (int i = 0; i < codes.size(); ++i) {
        auto line = std::make_shared<LogLine>();
        line->SetEventCode(codes[i]);
        line->SetEventText(QString::number(i));
        log.Add(line);
    }
    QStringList ids;
    for (const auto& line : log)
        ids << line->LogId();
    const auto errors = View::ErrorsAndWarnings(log);
    QStringList texts;
    for (const auto& line : *errors)
        texts << line->EventText();
    EXPECT_EQ(texts, (QStringList{"1", "3", "5"}));
    QStringList idsAfter;
    for (const auto& line : log)
        idsAfter << line->LogId();
    EXPECT_EQ(idsAfter, ids);
    EXPECT_EQ(log.Count(), 7);
}

} // namespace
