#include "support/DatabaseTest.h"
#include "support/FileBytes.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "database/LogLines.h"
#include "maintenance/DatabaseRoutines.h"

#include <QRegularExpression>

namespace {

// Today is 15 March 2024. Terms: enquiries 2 weeks (cut-off 1 March),
// responses 10 days (5 March), statements and log lines a month (15 Feb).
// Each kind has one row the second before its cut-off and one at it; E3
// had no response.
class Maintenance : public DatabaseTest {
protected:
    Maintenance()
    {
        Use("NO", RunningMode::Interactive);
        db.Execute(QStringLiteral("UPDATE System_Parameters SET VQ3_Maintenance_Term=2, VQ3_Maintenance_Period='Week', "
                                  "VQ7_Maintenance_Term=10, VQ7_Maintenance_Period='day', DEB_Maintenance_Term=1"));
        const QString enquiry = QStringLiteral("INSERT INTO VQ3_Enquiries (VQ3ID, When_Sent, Response_Received, IsTest) "
                                               "VALUES (?,?,?,0)");
        db.Execute(enquiry, {QStringLiteral("E1"), QDateTime(QDate(2024, 3, 1), QTime(0, 0)).addSecs(-1), 1});
        db.Execute(enquiry, {QStringLiteral("E2"), QDate(2024, 3, 1), 1});
        db.Execute(enquiry, {QStringLiteral("E3"), QDate(2024, 2, 20), 0});
        for (const auto& [sql, id, day] :
             {std::tuple{"VQ7_Responses (VQ7ID, When_Received, IsTest) VALUES (?,?,0)", "R", QDate(2024, 3, 5)},
              {"Debit_Statements (DebId, When_Received, IsTest) VALUES (?,?,0)", "D", QDate(2024, 2, 15)},
              {"Transmission_Log (LogId, Time_Of_Event) VALUES (?,?)", "X", QDate(2024, 2, 15)}}) {
            const QString insert = QStringLiteral("INSERT INTO ") + QLatin1String(sql);
            db.Execute(insert, {QLatin1String(id) + u'1', QDateTime(day, QTime(0, 0)).addSecs(-1)});
            db.Execute(insert, {QLatin1String(id) + u'2', QDateTime(day, QTime(0, 0))});
        }
    }

    void Use(const char* removeNonResponses, int16_t mode)
    {
        WriteBytes(world.PathOf(QStringLiteral("Nevix.INI")),
                   QByteArray("[System]\r\nRemoveNonResponses=") + removeNonResponses + "\r\n");
        ReleaseSettings();
        Settings().Load();
        Settings().SetProgramRunningMode(mode);
    }
    bool Run(const MaintenanceTerms& terms = {}, bool skipCompact = true)
    {
        std::shared_ptr<LogLines> logger;
        const bool worked = TableMaintenance(db, terms, logger, skipCompact, QStringLiteral("ADMIN"));
        EXPECT_TRUE(logger && logger->GetLogHeader()); // the run is handed back
        return worked;
    }
    // The seeded rows still there.
    QString Left() const
    {
        return Scalar(QStringLiteral(
                          "SELECT group_concat(k) FROM (SELECT VQ3ID k FROM VQ3_Enquiries UNION ALL SELECT VQ7ID "
                          "FROM VQ7_Responses UNION ALL SELECT DebId FROM Debit_Statements UNION ALL SELECT LogId "
                          "FROM Transmission_Log WHERE LogId LIKE 'X%' ORDER BY 1)"))
            .toString();
    }
    // The stored lines of the maintenance run, "code text" each.
    QStringList RunLines() const
    {
        return Scalar(QStringLiteral("SELECT group_concat(Event_Code || ' ' || Event_Text, '|') FROM (SELECT * FROM "
                                     "Transmission_Log WHERE ProcessCode='TBLMAINT' AND UserName='ADMIN' ORDER BY LogId)"))
            .toString()
            .split(u'|');
    }
};

TEST_F(Maintenance, RemovesWhatLiesBeforeEachCutOffAndLogsItsCounts)
{
    EXPECT_EQ(CountOldEnquiries(db), 2);
    EXPECT_EQ(CountOldResponses(db), 1);
    EXPECT_TRUE(Run());
    EXPECT_EQ(Left(), QStringLiteral("D2,E2,E3,R2,X2"));
    EXPECT_EQ(RunLines().join(u'\n'), QStringLiteral("8 Table Maintenance\n"
                                                     "64 Maintenance running in Interactive mode\n"
                                                     "64 Removing Enquiry (VQ3) records older than 01-Mar-2024\n"
                                                     "32 1 complete Enquiries removed\n"
                                                     "64 1 incomplete Enquiries found\n"
                                                     "64 Removal action for incomplete enquiries is: NO\n"
                                                     "32 1 Enquiries removed\n"
                                                     "64 Removing Responses (VQ7) records older than 05-Mar-2024\n"
                                                     "32 1 Responses (VQ7) removed\n"
                                                     "64 Removing Debit statement records older than 15-Feb-2024\n"
                                                     "32 1 Debit statements removed\n"
                                                     "64 Removing Log lines older than 15-Feb-2024\n"
                                                     "32 1 Log lines removed\n"
                                                     "16 Table Maintenance"));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

struct IncompleteCase {
    const char* name;
    const char* action;
    int16_t mode;
    int16_t answer; // 0: no question
    const char* decision;
    bool removed;
};

class Incomplete : public Maintenance, public ::testing::WithParamInterface<IncompleteCase> {};

TEST_P(Incomplete, GoByTheSettingOrAnAnswerGivenBeforeTheRun)
{
    const IncompleteCase& c = GetParam();
    Use(c.action, c.mode);
    QStringList unattended;
    SetUnattendedMessageSink([&](const QString& text, uint32_t) { unattended << text; });
    world.ui().ScriptAnswer(c.answer);
    EXPECT_TRUE(Run());
    EXPECT_TRUE(unattended.isEmpty());
    ASSERT_EQ(world.ui().boxes.size(), c.answer ? 1 : 0);
    if (c.answer) {
        EXPECT_EQ(world.ui().boxes[0].text, QStringLiteral("1 enquiries with no DVLA response and an entry date prior to "
                                                           "01-Mar-2024\rhave been found. Do you want to remove these?"));
    }
    const bool removed = !Left().contains(QStringLiteral("E3"));
    EXPECT_EQ(removed, c.removed);
    const QStringList lines = RunLines();
    const auto at = lines.indexOf(QStringLiteral("64 Removal action for incomplete enquiries is: ") +
                                  QLatin1String(c.action));
    ASSERT_GT(at, 0);
    const QString expected = QLatin1String(c.decision) +
                             (removed ? QStringLiteral("32 1 incomplete Enquiries removed|32 2 Enquiries removed|")
                                      : QStringLiteral("32 1 Enquiries removed|"));
    EXPECT_TRUE(lines.mid(at + 1).join(u'|').startsWith(expected)) << lines.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    ByAction, Incomplete,
    ::testing::Values(
        IncompleteCase{"Yes", "YES", RunningMode::Interactive, 0, "", true},
        IncompleteCase{"Asked_yes", "PROMPT", RunningMode::Interactive, MsgBox::AnswerYes,
                       "64 User elected to remove: YES|", true},
        IncompleteCase{"Asked_no", "Prompt", RunningMode::Interactive, MsgBox::AnswerNo, "64 User elected to remove: NO|",
                       false},
        IncompleteCase{"Unattended_not_asked", "PROMPT", RunningMode::Automatic, 0,
                       "64 User not asked in Automatic mode - incomplete Enquiries kept|", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Maintenance, AFailingStepIsUndoneWhileTheOthersAreCommitted)
{
    Use("YES", RunningMode::Interactive);
    // The enquiry step fails after it removed the complete enquiries.
    db.Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON VQ3_Enquiries WHEN old.Response_Received = 0 "
                              "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_FALSE(Run({{}, {QStringLiteral("Day"), 1}, {}, {}}, false));
    EXPECT_EQ(Left(), QStringLiteral("D2,E1,E2,E3,X2")); // responses by the term given: before 14 March
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_TRUE(world.ui().boxes[0].text.contains(QRegularExpression(QStringLiteral(
        "^An error occurred while attempting to delete old enquiries.\r-?\\d+ - \\w"))));
    const QStringList lines = RunLines();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("256 Error removing VQ3: "))) << lines[2].toStdString();
    EXPECT_EQ(lines[3], QStringLiteral("64 Removing Responses (VQ7) records older than 14-Mar-2024"));
    EXPECT_EQ(lines.mid(lines.size() - 3).join(u'|'),
              QStringLiteral("64 Compacting the database|64 Compacting done|16 Table Maintenance"));
}

struct CutOffCase {
    const char* name;
    QDate today;
    QVariant period;
    QVariant term;
    QDate expected;
};

class CutOff : public DatabaseTest, public ::testing::WithParamInterface<CutOffCase> {};

TEST_P(CutOff, CountsBackFromToday)
{
    world.clock().Set(QDateTime(GetParam().today, QTime(23, 59)));
    const auto cutOff = [this] { return CalculateCutOffDate(db, GetParam().period, GetParam().term, QVariant()); };
    if (GetParam().expected.isValid())
        EXPECT_EQ(cutOff(), GetParam().expected);
    else
        EXPECT_THROW(cutOff(), NevixError); // a type mismatch
}

const QDate Mid(2024, 3, 15);
const QDate MonthEnd(2024, 3, 31);

INSTANTIATE_TEST_SUITE_P(
    Periods, CutOff,
    ::testing::Values(CutOffCase{"Day", Mid, QStringLiteral("Day"), 1, QDate(2024, 3, 14)},
                      CutOffCase{"Week_of_term_0", Mid, QStringLiteral("Week"), 0, QDate(2024, 3, 8)},
                      CutOffCase{"Weeks_as_text", Mid, QStringLiteral("WEEK"), QStringLiteral("2"), QDate(2024, 3, 1)},
                      CutOffCase{"Month_to_leap_day", MonthEnd, QStringLiteral("Month"), 1, QDate(2024, 2, 29)},
                      CutOffCase{"Months_over_a_year", MonthEnd, QStringLiteral("Month"), 13, QDate(2023, 2, 28)},
                      CutOffCase{"Other_text_is_months", QDate(2024, 5, 31), QStringLiteral("Days"), 1, QDate(2024, 4, 30)},
                      CutOffCase{"Nothing_given_is_a_month", QDate(2024, 1, 15), QVariant(), QVariant(), QDate(2023, 12, 15)},
                      CutOffCase{"Negative_term_is_one", Mid, QStringLiteral("Day"), -5, QDate(2024, 3, 14)},
                      CutOffCase{"Half_rounds_to_even", Mid, QStringLiteral("Day"), 2.5, QDate(2024, 3, 13)},
                      CutOffCase{"Term_no_number_raises", Mid, QStringLiteral("Day"), QStringLiteral("ten"), QDate()}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
