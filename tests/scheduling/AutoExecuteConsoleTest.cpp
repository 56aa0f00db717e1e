#include "ScheduleOwnerTest.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "platform/UserInteraction.h"
#include "scheduling/AutoExecuteConsole.h"

namespace {

const QString Import = QStringLiteral("DoImportTransmissionAndExport");
const QString Transmission = QStringLiteral("DoTransmissionAndExport");
const QString Maintenance = QStringLiteral("TableMaintenance");

class Console : public ScheduleOwnerTest {
protected:
    Console()
    {
        SetUnattendedMessageSink([this](const QString& text, uint32_t) { unattended << text; });
        Settings().SetProgramRunningMode(RunningMode::Automatic);
    }
    ~Console() override
    {
        Settings().SetProgramRunningMode(RunningMode::None);
        Settings().SetIsInAutoExecuteModeImmediateExecute(false);
        Settings().SetDebugMode(QStringLiteral("NNNNNNNNN"));
    }

    AutoExecuteConsole& Open()
    {
        console = std::make_unique<AutoExecuteConsole>(db, exchanges);
        console->InitialiseForm();
        timerAtLoad = console->Timer().isActive();
        console->Timer().stop();
        return *console;
    }

    std::unique_ptr<AutoExecuteConsole> console;
    bool timerAtLoad = false;
    QStringList unattended;
};

TEST_F(Console, ActiveRowsStartSwitchedOnAndDueOnesRunInOrderEachInARunOfItsOwn)
{
    StoreRow("HCOMMS", 2, At(10, 0));
    StoreRow("HEXCOM", 2, At(10, 0));
    StoreRow("HMAINT", 1);
    Open();
    EXPECT_TRUE(timerAtLoad);
    EXPECT_TRUE(console->View(0).switchedOn && console->View(1).switchedOn);
    EXPECT_FALSE(console->View(2).switchedOn) << "a row set to Never starts off";
    EXPECT_TRUE(console->View(2).canSwitch) << "but can be ticked";
    EXPECT_FALSE(console->View(0).canEdit);
    EXPECT_EQ(console->View(0).nextRun, "15/03/2024  10:00");

    EXPECT_TRUE(Beat(*console));
    EXPECT_EQ(exchanges->calls, QStringList({Import, Transmission}));
    EXPECT_EQ(Lines(EventCodes::Start, "AUTOEXEC"),
              QStringList({"Scheduled execution in AutoExecute", "Scheduled execution in AutoExecute"}));
    for (const int row : {0, 1}) {
        EXPECT_EQ(console->View(row).lastRan, "15/03/2024  10:30");
        EXPECT_FALSE(console->View(row).lastRanRed);
        EXPECT_EQ(console->View(row).nextRun, "15/03/2024  11:00");
    }
    EXPECT_EQ(Stored("HEXCOM").LastRunDateTime(), At(10, 30));
    EXPECT_EQ(Stored("HEXCOM").NextRunDateTime(), At(11, 0));
    EXPECT_TRUE(console->CanExit());

    console->SwitchRow(2, true);
    EXPECT_TRUE(Beat(*console));
    EXPECT_EQ(exchanges->calls.size(), 2) << "Never does not run, ticked or not";
}

TEST_F(Console, ARowThatRaisesStopsTheBeatAndWaitsFiveMinutesWithoutABox)
{
    StoreRow("HCOMMS", 2, At(10, 0));
    StoreRow("HEXCOM", 2, At(10, 0));
    ScriptedExchanges::Step raising;
    raising.raise = NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("Database unreachable"));
    exchanges->Script(Import, raising);
    exchanges->Script(Import, raising);
    Open();

    EXPECT_TRUE(Beat(*console));
    EXPECT_EQ(exchanges->calls, QStringList{Import}) << "the second row waits for the next beat";
    EXPECT_EQ(unattended, QStringList{"Error reported while running the scheduler:\rDatabase unreachable"});
    EXPECT_EQ(Lines(EventCodes::Error, "AUTOEXEC"),
              QStringList{"Error reported while running the scheduler:Database unreachable"});
    EXPECT_FALSE(Stored("HCOMMS").LastRunDateTime()) << "the stored row is unchanged";

    world.clock().Advance(1);
    Beat(*console);
    EXPECT_EQ(exchanges->calls, QStringList({Import, Transmission})) << "not tried again at once";
    world.clock().Set(At(10, 34));
    Beat(*console);
    EXPECT_EQ(exchanges->calls.size(), 2);
    world.clock().Set(At(10, 35));
    Beat(*console);
    EXPECT_EQ(exchanges->calls.size(), 3) << "five minutes after its start";
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

TEST_F(Console, AFatalRunIsRetriedFiveMinutesAfterItsStartInRedUntilOneSucceeds)
{
    StoreRow("HEXCOM", 2, At(10, 0));
    ScriptedExchanges::Step fatal;
    fatal.fatalText = QStringLiteral("NEVIX Service reported errors - please see log of details");
    exchanges->Script(Transmission, fatal);
    Open();

    Beat(*console);
    EXPECT_TRUE(console->View(1).lastRanRed);
    EXPECT_EQ(console->View(1).nextRun, "15/03/2024  10:35");
    EXPECT_EQ(Stored("HEXCOM").NextRunDateTime(), At(10, 35));
    EXPECT_EQ(Lines(EventCodes::Fatal, "AUTOEXEC"), QStringList{fatal.fatalText}) << "the reason stands in its run";
    EXPECT_EQ(console->ExecutionList().Line(0), "15/03/24 10:30:00 " + fatal.fatalText);

    world.clock().Set(At(10, 36));
    Beat(*console);
    EXPECT_FALSE(console->View(1).lastRanRed);
    EXPECT_EQ(console->View(1).lastRan, "15/03/2024  10:36");
    EXPECT_EQ(console->View(1).nextRun, "15/03/2024  11:00");
}

TEST_F(Console, InSchedulerTestModeADueRowLogsItsLineAndCountsAsASuccess)
{
    Settings().SetDebugMode(QStringLiteral("NNNNNN-NNY"));
    StoreRow("HMAINT", 2, At(10, 0));
    Open();
    Beat(*console);
    EXPECT_TRUE(exchanges->calls.isEmpty());
    EXPECT_EQ(console->ExecutionList().Line(0), "15/03/24 10:30:00 SCHEDULER TEST MODE - TableMaintenance");
    EXPECT_EQ(console->View(2).nextRun, "15/03/2024  11:00");
    EXPECT_FALSE(console->View(2).lastRanRed);
}

TEST_F(Console, ARowNeverStoredRunsAtEveryBeatOnceTicked)
{
    StoreRow("HCOMMS", 0);
    Open();
    EXPECT_FALSE(console->View(0).switchedOn);
    Beat(*console);
    EXPECT_TRUE(exchanges->calls.isEmpty());
    console->SwitchRow(0, true);
    Beat(*console);
    Beat(*console);
    EXPECT_EQ(exchanges->calls, QStringList({Import, Import}));
}

TEST_F(Console, TheListShowsNoteworthyLinesAndKeepsOneDay)
{
    StoreRow("HEXCOM", 2, At(10, 0));
    ScriptedExchanges::Step lines;
    lines.lines = {{EventCodes::Information, "information"},
                   {EventCodes::Communication, "detail"},
                   {EventCodes::Warning, "warning"},
                   {EventCodes::Error, "error"}};
    exchanges->Script(Transmission, lines);
    ScriptedExchanges::Step later;
    later.lines = {{EventCodes::Information, "a day later"}};
    exchanges->Script(Transmission, later);
    Open();
    Beat(*console);
    ASSERT_EQ(console->ExecutionList().Count(), 3) << "no start, end or detail lines";
    EXPECT_EQ(console->ExecutionList().Line(2), "15/03/24 10:30:00 error");

    world.clock().Set(QDateTime(QDate(2024, 3, 16), QTime(10, 31)));
    Beat(*console);
    ASSERT_EQ(console->ExecutionList().Count(), 1) << "lines older than a day went after the run";
    EXPECT_EQ(console->ExecutionList().Line(0), "16/03/24 10:31:00 a day later");
}

TEST_F(Console, AnImmediateRunHappensInsideTheInitialisationWithExitDisabledAndNoTimer)
{
    Settings().SetIsInAutoExecuteModeImmediateExecute(true);
    StoreRow("HCOMMS", 2, At(10, 0));
    bool exitDuringRun = true;
    ScriptedExchanges::Step run;
    run.during = [&] {
        exitDuringRun = console->CanExit();
        // Nobody is there to answer: the box becomes a line of the run.
        TellUserWarning(QStringLiteral("Disk nearly full"), QStringLiteral("Drive /data"));
    };
    exchanges->Script(Import, run);
    Open();
    EXPECT_FALSE(timerAtLoad);
    EXPECT_FALSE(exitDuringRun);
    EXPECT_TRUE(console->CanExit());
    EXPECT_TRUE(console->ImmediateRunSucceeded());
    EXPECT_EQ(exchanges->calls, QStringList({Import, Maintenance}));
    EXPECT_FALSE(exchanges->lastSkipCompact) << "compacted at the end";
    EXPECT_EQ(Lines(EventCodes::Start, "AUTOEXEC"), QStringList{"Immediate execution in AutoExecute"});
    EXPECT_EQ(Lines(EventCodes::Warning, "AUTOEXEC"), QStringList{"Disk nearly full Drive /data"});
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_TRUE(unattended.isEmpty());
    EXPECT_FALSE(Stored("HCOMMS").LastRunDateTime()) << "the rows are not run";
}

// A fatal text stands once in the run and the list, at the code the
// exchange gave it, or as fatal when the exchange did not log it.
struct FatalTextCase {
    const char* name;
    QList<std::pair<int32_t, QString>> exchangeLines;
    QStringList fatalLines;
};

void PrintTo(const FatalTextCase& c, std::ostream* os)
{
    *os << c.name;
}

class ConsoleFatalText : public Console, public ::testing::WithParamInterface<FatalTextCase> {};

const QString Refusal = QStringLiteral("Could not lock the communications to run Transmission and Export");

INSTANTIATE_TEST_SUITE_P(
    Logged, ConsoleFatalText,
    ::testing::Values(FatalTextCase{"AsAWarning", {{EventCodes::Warning, Refusal}}, {}},
                      FatalTextCase{"AsFatal", {{EventCodes::Fatal, Refusal}}, {Refusal}},
                      FatalTextCase{"Not", {}, {Refusal}},
                      FatalTextCase{"AsAnotherText", {{EventCodes::Warning, Refusal + u'.'}}, {Refusal}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(ConsoleFatalText, ByTheExchangeIsShownOnceInTheListAndTheRun)
{
    StoreRow("HEXCOM", 2, At(10, 0));
    ScriptedExchanges::Step refused;
    refused.lines = GetParam().exchangeLines;
    refused.fatalText = Refusal;
    exchanges->Script(Transmission, refused);
    Open();
    Beat(*console);
    EXPECT_EQ(Lines(EventCodes::Fatal, "AUTOEXEC"), GetParam().fatalLines);
    QStringList listed;
    for (int line = 0; line < console->ExecutionList().Count(); ++line)
        listed << console->ExecutionList().Line(line).mid(18);
    EXPECT_EQ(listed.count(Refusal), 1) << listed.join(u'|').toStdString();
    EXPECT_TRUE(console->View(1).lastRanRed) << "the run still failed";
}

TEST_F(Console, AFatalTextTheExchangeLoggedWithALineBreakIsNotLoggedAgain)
{
    // The log keeps it on one line; it is still the same text.
    const QString told = QStringLiteral("Connection to NEVIX service failed (bad\ngateway)");
    StoreRow("HEXCOM", 2, At(10, 0));
    ScriptedExchanges::Step refused;
    refused.lines = {{EventCodes::Fatal, told}};
    refused.fatalText = told;
    exchanges->Script(Transmission, refused);
    Open();
    Beat(*console);
    EXPECT_EQ(Lines(EventCodes::Fatal, "AUTOEXEC"), QStringList{"Connection to NEVIX service failed (bad gateway)"});
}

TEST_F(Console, AnImmediateRunWhoseMaintenanceFailsFailsWithItsReasons)
{
    Settings().SetIsInAutoExecuteModeImmediateExecute(true);
    ScriptedExchanges::Step failing;
    failing.answer = false;
    failing.during = [] {
        TellUser(QStringLiteral("Table maintenance failed because:"), QStringLiteral("disk I/O error"),
                 MsgBox::Information);
    };
    exchanges->Script(Maintenance, failing);
    Open();
    EXPECT_EQ(exchanges->calls, QStringList({Import, Maintenance}));
    EXPECT_FALSE(console->ImmediateRunSucceeded());
    const QString reason = QStringLiteral("Table maintenance failed because: disk I/O error");
    EXPECT_EQ(console->ImmediateRunFatalTexts(), QStringList{reason});
    EXPECT_EQ(Lines(EventCodes::Information, "AUTOEXEC"), QStringList{reason}) << "logged once, as it was told";
    EXPECT_TRUE(Lines(EventCodes::Fatal, "AUTOEXEC").isEmpty());
}

TEST_F(Console, AnImmediateRunGivesEachFatalTextOfItsRunOnce)
{
    Settings().SetIsInAutoExecuteModeImmediateExecute(true);
    ScriptedExchanges::Step fatal;
    fatal.lines = {{EventCodes::Warning, Refusal}};
    fatal.fatalText = Refusal + QStringLiteral("\r\n") + Refusal + QStringLiteral("\r\nService unreachable");
    exchanges->Script(Import, fatal);
    Open();
    EXPECT_EQ(exchanges->calls, QStringList{Import}) << "no maintenance after a fatal exchange";
    EXPECT_FALSE(console->ImmediateRunSucceeded());
    EXPECT_EQ(console->ImmediateRunFatalTexts(), QStringList({Refusal, "Service unreachable"}));
    EXPECT_EQ(Lines(EventCodes::Fatal, "AUTOEXEC"), QStringList{"Service unreachable"});
}

TEST_F(Console, ManualModeLogsTheHandOverAndLeavesUnattendedWork)
{
    Settings().SetIsInAutoExecuteMode(true);
    Open();
    console->BeginExit();
    EXPECT_FALSE(console->Timer().isActive());
    EXPECT_EQ(console->FinishExit(2), AutoExecuteConsole::ExitRoad::Stay);
    EXPECT_TRUE(console->Timer().isActive()) << "cancel goes back to the scheduled connections";
    EXPECT_EQ(console->FinishExit(1), AutoExecuteConsole::ExitRoad::CloseToLogon);
    EXPECT_EQ(Lines(EventCodes::Start, "AUTOEXEC"), QStringList{"Autoexecute user switched to INTERACTIVE mode"});
    EXPECT_FALSE(Settings().IsInAutoExecuteMode());
    EXPECT_TRUE(Settings().CameFromAutoExecute());
    Settings().SetCameFromAutoExecute(false);
}

} // namespace

namespace {

TEST(ExecutionList, AFullListIsClearedWithALineSayingSoBeforeTheNextLine)
{
    ExecutionLog list(2);
    const QDateTime at(QDate(2024, 3, 15), QTime(9, 5, 7));
    list.Add(at, QStringLiteral("one"));
    list.Add(at, QStringLiteral("two"));
    list.Add(at.addSecs(1), QStringLiteral("three"));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Line(0), "15/03/24 09:05:08 Log cleared to free memory");
    EXPECT_EQ(list.data(list.index(1), Qt::DisplayRole).toString(), "15/03/24 09:05:08 three");
    list.Prune(at.addDays(1));
    EXPECT_EQ(list.Count(), 2) << "exactly one day old stays";
    list.Prune(at.addDays(1).addSecs(2));
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
