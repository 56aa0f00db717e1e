#include "support/DatabaseTest.h"
#include "support/FileBytes.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "database/LogLines.h"
#include "maintenance/DatabaseRoutines.h"

#include <QRegularExpression>

namespace {

QDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// Today is 15 March 2024. Terms: enquiries 2 weeks (cut-off 1 March),
// responses 10 days (5 March), statements and log lines a month (15 Feb).
// Each kind has one row just before its cut-off and one on it; E3 had no
// response.
class Maintenance : public DatabaseTest {
protected:
    Maintenance()
    {
        Use(QStringLiteral("NO"), RunningMode::Interactive);
        db.Execute(QStringLiteral("UPDATE System_Parameters SET VQ3_Maintenance_Term=2, VQ3_Maintenance_Period='Week', "
                                  "VQ7_Maintenance_Term=10, VQ7_Maintenance_Period='day', DEB_Maintenance_Term=1"));
        const auto insert = [this](const char* sql, const QString& id, const QDateTime& when) {
            db.Execute(QLatin1String(sql), {id, when});
        };
        insert("INSERT INTO VQ3_Enquiries (VQ3ID, When_Sent, Response_Received, IsTest) VALUES (?,?,1,0)",
               QStringLiteral("E1"), At(2024, 2, 29, 23, 59, 59));
        insert("INSERT INTO VQ3_Enquiries (VQ3ID, When_Sent, Response_Received, IsTest) VALUES (?,?,1,0)",
               QStringLiteral("E2"), At(2024, 3, 1));
        insert("INSERT INTO VQ3_Enquiries (VQ3ID, When_Sent, Response_Received, IsTest) VALUES (?,?,0,0)",
               QStringLiteral("E3"), At(2024, 2, 20));
        for (const auto& [id, when] : {std::pair{"R1", At(2024, 3, 4, 23, 59, 59)}, {"R2", At(2024, 3, 5)}})
            insert("INSERT INTO VQ7_Responses (VQ7ID, When_Received, IsTest) VALUES (?,?,0)", QLatin1String(id), when);
        for (const auto& [id, when] : {std::pair{"D1", At(2024, 2, 14, 23, 59, 59)}, {"D2", At(2024, 2, 15)}})
            insert("INSERT INTO Debit_Statements (DebId, When_Received, IsTest) VALUES (?,?,0)", QLatin1String(id), when);
        for (const auto& [id, when] : {std::pair{"X1", At(2024, 2, 14, 23, 59, 59)}, {"X2", At(2024, 2, 15)}})
            insert("INSERT INTO Transmission_Log (LogId, Time_Of_Event) VALUES (?,?)", QLatin1String(id), when);
    }

    void Use(const QString& removeNonResponses, int16_t mode)
    {
        WriteBytes(world.PathOf(QStringLiteral("Nevix.INI")),
                   "[System]\r\nRemoveNonResponses=" + removeNonResponses.toUtf8() + "\r\n");
        ReleaseSettings();
        Settings().Load();
        Settings().SetProgramRunningMode(mode);
    }
    bool Run(std::shared_ptr<LogLines>& logger, bool skipCompact = true)
    {
        return TableMaintenance(db, {}, logger, skipCompact, QStringLiteral("ADMIN"));
    }
    bool Run()
    {
        std::shared_ptr<LogLines> logger;
        return Run(logger);
    }
    // The rows left of the seeded ones.
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
                                     "Transmission_Log WHERE ProcessCode='TBLMAINT' ORDER BY LogId)"))
            .toString()
            .split(QLatin1Char('|'));
    }
};

TEST_F(Maintenance, RemovesWhatLiesBeforeEachCutOffAndLogsItsCounts)
{
    EXPECT_EQ(CountOldEnquiries(db), 2);
    EXPECT_EQ(CountOldResponses(db), 1);
    EXPECT_TRUE(Run());
    EXPECT_EQ(Left(), QStringLiteral("D2,E2,E3,R2,X2"));
    EXPECT_EQ(RunLines(), (QStringList{
                              QStringLiteral("8 Table Maintenance"),
                              QStringLiteral("64 Maintenance running in Interactive mode"),
                              QStringLiteral("64 Removing Enquiry (VQ3) records older than 01-Mar-2024"),
                              QStringLiteral("32 1 complete Enquiries removed"),
                              QStringLiteral("64 1 incomplete Enquiries found"),
                              QStringLiteral("64 Removal action for incomplete enquiries is: NO"),
                              QStringLiteral("32 1 Enquiries removed"),
                              QStringLiteral("64 Removing Responses (VQ7) records older than 05-Mar-2024"),
                              QStringLiteral("32 1 Responses (VQ7) removed"),
                              QStringLiteral("64 Removing Debit statement records older than 15-Feb-2024"),
                              QStringLiteral("32 1 Debit statements removed"),
                              QStringLiteral("64 Removing Log lines older than 15-Feb-2024"),
                              QStringLiteral("32 1 Log lines removed"),
                              QStringLiteral("16 Table Maintenance"),
                          }));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT DISTINCT UserName FROM Transmission_Log WHERE ProcessCode='TBLMAINT'")),
              QStringLiteral("ADMIN"));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

struct IncompleteCase {
    const char* name;
    const char* action;
    int16_t mode;
    bool asked;
    int16_t answer;
    const char* decision; // the line after the action's, if any
    bool removed;
};

class Incomplete : public Maintenance, public ::testing::WithParamInterface<IncompleteCase> {};

TEST_P(Incomplete, GoAsTheSettingOrTheAnswerBeforeTheRunSays)
{
    const IncompleteCase& c = GetParam();
    Use(QLatin1String(c.action), c.mode);
    QStringList unattended;
    SetUnattendedMessageSink([&](const QString& text, uint32_t) { unattended << text; });
    world.ui().ScriptAnswer(c.answer);
    EXPECT_TRUE(Run());
    ASSERT_EQ(world.ui().boxes.size(), c.asked ? 1 : 0);
    if (c.asked) {
        EXPECT_EQ(world.ui().boxes[0].text, QStringLiteral("1 enquiries with no DVLA response and an entry date prior to "
                                                           "01-Mar-2024\rhave been found. Do you want to remove these?"));
    }
    EXPECT_TRUE(unattended.isEmpty());
    const QStringList lines = RunLines();
    const auto action = lines.indexOf(QStringLiteral("64 Removal action for incomplete enquiries is: ") +
                                      QLatin1String(c.action));
    ASSERT_GT(action, 0);
    if (*c.decision) {
        EXPECT_EQ(lines[action + 1], QLatin1String(c.decision));
    }
    EXPECT_EQ(lines.contains(QStringLiteral("32 1 incomplete Enquiries removed")), c.removed);
    EXPECT_EQ(lines.contains(QStringLiteral("32 2 Enquiries removed")), c.removed);
    EXPECT_EQ(Left().contains(QStringLiteral("E3")), !c.removed);
}

INSTANTIATE_TEST_SUITE_P(
    ByAction, Incomplete,
    ::testing::Values(
        IncompleteCase{"Yes", "YES", RunningMode::Interactive, false, 0, "", true},
        IncompleteCase{"Prompt_answered_yes", "PROMPT", RunningMode::Interactive, true, MsgBox::AnswerYes,
                       "64 User elected to remove: YES", true},
        IncompleteCase{"Prompt_answered_no", "Prompt", RunningMode::Interactive, true, MsgBox::AnswerNo,
                       "64 User elected to remove: NO", false},
        IncompleteCase{"Prompt_unattended_is_not_asked", "PROMPT", RunningMode::Automatic, false, 0,
                       "64 User not asked in Automatic mode - incomplete Enquiries kept", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Maintenance, AFailingStepIsUndoneWhileTheOthersAreCommitted)
{
    Use(QStringLiteral("YES"), RunningMode::Interactive);
    // The enquiry step fails after it removed the complete enquiries.
    db.Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON VQ3_Enquiries WHEN old.Response_Received = 0 "
                              "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    std::shared_ptr<LogLines> logger;
    EXPECT_FALSE(Run(logger, false));
    EXPECT_EQ(Left(), QStringLiteral("D2,E1,E2,E3,R2,X2"));
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_TRUE(world.ui().boxes[0].text.startsWith(
        QStringLiteral("An error occurred while attempting to delete old enquiries.\r")));
    EXPECT_TRUE(world.ui().boxes[0].text.contains(QRegularExpression(QStringLiteral("\r-?\\d+ - \\w"))));
    const QStringList lines = RunLines();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("256 Error removing VQ3: "))) << lines[2].toStdString();
    EXPECT_FALSE(lines.contains(QStringLiteral("32 1 complete Enquiries removed")));
    EXPECT_EQ(lines.mid(lines.size() - 3), (QStringList{QStringLiteral("64 Compacting the database"),
                                                        QStringLiteral("64 Compacting done"),
                                                        QStringLiteral("16 Table Maintenance")}));
    ASSERT_TRUE(logger);
    EXPECT_EQ(logger->ErrorCount(), 1);
}

TEST_F(Maintenance, WritesIntoTheCallersRun)
{
    auto logger = std::make_shared<LogLines>();
    logger->SetDataSource(&db);
    logger->BeginLogging(QStringLiteral("AUTOEXEC"), QStringLiteral("Auto Execute"), QStringLiteral("AUTOEXECUTE"));
    const auto callers = logger;
    EXPECT_TRUE(TableMaintenance(db, {{}, {QStringLiteral("Day"), 1}, {}, {}}, logger, true, QString()));
    EXPECT_EQ(logger, callers);
    EXPECT_EQ(logger->Item(2)->EventText(), QStringLiteral("Table Maintenance"));
    EXPECT_EQ(Left(), QStringLiteral("D2,E2,E3,X2")); // responses by the term given: before 14 March
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
    EXPECT_EQ(CalculateCutOffDate(db, GetParam().period, GetParam().term, QVariant()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, CutOff,
    ::testing::Values(CutOffCase{"Day", QDate(2024, 3, 15), QStringLiteral("Day"), 1, QDate(2024, 3, 14)},
                      CutOffCase{"Days_lower_case", QDate(2024, 3, 15), QStringLiteral("day"), 10, QDate(2024, 3, 5)},
                      CutOffCase{"Week_of_term_0", QDate(2024, 3, 15), QStringLiteral("Week"), 0, QDate(2024, 3, 8)},
                      CutOffCase{"Weeks_as_text", QDate(2024, 3, 15), QStringLiteral("WEEK"), QStringLiteral("2"),
                                 QDate(2024, 3, 1)},
                      CutOffCase{"Month_clipped_to_leap_day", QDate(2024, 3, 31), QStringLiteral("Month"), 1,
                                 QDate(2024, 2, 29)},
                      CutOffCase{"Months_over_a_year", QDate(2024, 3, 31), QStringLiteral("Month"), 13,
                                 QDate(2023, 2, 28)},
                      CutOffCase{"Other_text_is_months", QDate(2024, 5, 31), QStringLiteral("Days"), 1,
                                 QDate(2024, 4, 30)},
                      CutOffCase{"Nothing_given_is_a_month", QDate(2024, 1, 15), QVariant(), QVariant(),
                                 QDate(2023, 12, 15)},
                      CutOffCase{"Negative_term_is_one", QDate(2024, 3, 15), QStringLiteral("Day"), -5,
                                 QDate(2024, 3, 14)},
                      CutOffCase{"Half_rounds_to_even", QDate(2024, 3, 15), QStringLiteral("Day"), 2.5,
                                 QDate(2024, 3, 13)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Maintenance, ATermThatIsNoNumberFailsItsStepOnly)
{
    std::shared_ptr<LogLines> logger;
    EXPECT_FALSE(TableMaintenance(db, {{}, {}, {}, {QStringLiteral("Day"), QStringLiteral("ten")}}, logger, true,
                                  QString()));
    EXPECT_EQ(Left(), QStringLiteral("D2,E2,E3,R2,X1,X2"));
    EXPECT_TRUE(RunLines().contains(QStringLiteral("256 Error reported removing log lines Type mismatch")));
}

} // namespace
